#include "platform/qt/QtHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <unistd.h>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

bool QtHost::anotherInstanceRunning() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/vantoly.lock"));
    lock_->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
    return !lock_->tryLock(0);
}

void QtHost::endProcess(int exitCode) {
    exitCode_ = exitCode;
    if (stopEvents_)
        stopEvents_();
    if (lock_)
        lock_->unlock();
    QCoreApplication::exit(exitCode);
}

std::u16string QtHost::applicationDirectory() const {
    return fromQ(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

// Only a folder of the user's own that no one else can write: in a shared one another user could
// plant a link where the program writes.
bool QtHost::directoryWritable(const std::u16string& directory) const {
    const QFileInfo info(LocalPath(directory));
    return info.isDir() && info.isWritable() && info.ownerId() == ::geteuid() &&
           !(info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

std::u16string QtHost::cacheDirectory() const {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/Vantoly");
    QDir().mkpath(dir);
    return fromQ(dir);
}

void QtHost::reportProblem(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
}

} // namespace vantoly::qt
