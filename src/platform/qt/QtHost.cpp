#include "platform/qt/QtHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

// Only a live instance holding the lock refuses a start. A lock that cannot be made in the
// runtime folder (read-only, another user's) is made in the user's cache instead, and where
// neither works the program starts anyway and says so.
bool QtHost::anotherInstanceRunning() {
    QString why;
    for (const QString& dir : {QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                               toQ(cacheDirectory())}) {
        auto lock = std::make_unique<QLockFile>(dir + QStringLiteral("/vantoly.lock"));
        lock->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
        if (lock->tryLock(0)) {
            if (!why.isEmpty())
                reportProblem(("Vantoly: " + why + "; the lock is in " + dir).toStdString());
            lock_ = std::move(lock);
            return false;
        }
        if (lock->error() == QLockFile::LockFailedError) {
            QString hostName, appName;
            lock->getLockInfo(&runningPid_, &hostName, &appName);
            return true;
        }
        why = QStringLiteral("cannot make the lock that keeps one Vantoly running in ") + dir;
    }
    reportProblem(("Vantoly: " + why + "; starting anyway, so two may run at once").toStdString());
    QMessageBox::warning(nullptr, QStringLiteral("Vantoly"),
                         QStringLiteral("Vantoly cannot tell whether it is already running (%1). "
                                        "It starts anyway; if it was running, quit one of the two.")
                             .arg(why));
    return false;
}

void QtHost::activateRunningInstance() {
    if (runningPid_ > 0)
        ::kill(pid_t(runningPid_), SIGUSR1);
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
