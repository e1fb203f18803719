#include "platform/qt/QtDiskErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

std::atomic<int> failedDataSyncs{0};
std::atomic<int> lastDataSyncError{0};

} // namespace

extern "C" int fdatasync(int fd) {
    using Call = int (*)(int);
    static const auto next = reinterpret_cast<Call>(dlsym(RTLD_NEXT, "fdatasync"));
    const int result = next ? next(fd) : fsync(fd);
    if (result != 0) {
        lastDataSyncError = errno;
        ++failedDataSyncs;
    }
    return result;
}

namespace vantoly::qt {

int FailedDataSyncs() {
    return failedDataSyncs;
}

int LastDataSyncError() {
    return lastDataSyncError;
}

QString SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return why;
    }
    ::close(fd);
    return {};
}

std::string WhyNotWritable(const QString& path, int error) {
    const QFileInfo file(path);
    QString existing = file.absolutePath();
    while (!QFileInfo(existing).isDir() && QFileInfo(existing).absolutePath() != existing)
        existing = QFileInfo(existing).absolutePath();
    const QByteArray folder = QFile::encodeName(existing);
    struct statvfs disk {};
    if (::statvfs(folder.constData(), &disk) != 0)
        return "its folder is missing";
    if ((disk.f_flag & ST_RDONLY) != 0)
        return "the file system is read-only";
    if (::access(folder.constData(), W_OK) != 0)
        return "permission denied: " + existing.toStdString() + " cannot be written to";
    if (existing != file.absolutePath())
        return "its folder is missing";
    if (file.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return "permission denied: the file is read-only";
    if (disk.f_bavail == 0 || error == ENOSPC || error == EDQUOT)
        return "the disk is full";
    if (error != 0)
        return std::strerror(error);
    return "the disk may be full or failing";
}

bool MakePrivateFolder(const QString& folder) {
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return false;
        SyncFolder(QFileInfo(folder).absolutePath()); // the new folder itself
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace vantoly::qt
