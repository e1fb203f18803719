#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "base/IniText.h"
#include "platform/Failure.h"
#include "platform/qt/QtDiskErrors.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {
namespace {

constexpr QFile::Permissions kFileMode = QFile::ReadOwner | QFile::WriteOwner;

// A value QSettings would lose a first character of is stored in its kept form.
QVariant storedForm(const SameText& held, const std::u16string& value) {
    const std::u16string kept = KeptForm(value);
    return kept.size() != value.size() ? QVariant(toQ(kept)) : SharedOrNew(held, value);
}

// A hand-edited value with unquoted commas reads as a list; give it back as written.
std::optional<std::u16string> textOf(const QVariant& value) {
    if (!value.isValid())
        return std::nullopt;
    const std::u16string text = fromQ(value.typeId() == QMetaType::QStringList
                                          ? value.toStringList().join(QStringLiteral(", "))
                                          : value.toString());
    return std::u16string(GivenForm(text));
}

// QSettings waits for its lock file, at every sync, until it counts as stale: half a minute after
// it was made, and never when its removal fails. One this process left (its removal failed) or a
// process that has ended left is removed now; when that fails too, why: the sync must not run.
std::optional<std::string> leftoverLock(const QString& path) {
    const QString lockPath = path + QStringLiteral(".lock");
    const QFileInfo lock(lockPath);
    if (!lock.exists())
        return std::nullopt;
    qint64 pid = 0;
    QString host, application;
    bool leftover = false;
    if (QLockFile(lockPath).getLockInfo(&pid, &host, &application)) {
        const bool here = host.isEmpty() || host == QSysInfo::machineHostName();
        leftover = here && (pid == ::getpid() || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH));
    } else {
        // Unreadable: being written this moment, or left half written long ago.
        leftover = lock.lastModified().msecsTo(QDateTime::currentDateTime()) > 1000;
    }
    if (leftover && !QFile::remove(lockPath))
        return lockPath.toStdString() +
               " was left behind and cannot be removed: " + WhyNotWritable(lockPath);
    return std::nullopt;
}

} // namespace

QtSettingsStore::QtSettingsStore() = default;

std::array<long long, 4> QtSettingsStore::fileNow() const {
    struct stat file {};
    if (!settings_ || ::stat(QFile::encodeName(settings_->fileName()).constData(), &file) != 0)
        return {};
    return {(long long)file.st_ino, (long long)file.st_size, (long long)file.st_mtim.tv_sec,
            (long long)file.st_mtim.tv_nsec};
}

void QtSettingsStore::watch(std::function<void()> changed) {
    if (!settings_)
        return;
    const QString dir = QFileInfo(settings_->fileName()).absolutePath();
    MakePrivateFolder(dir);
    seen_ = fileNow();
    settle_ = std::make_unique<QTimer>();
    settle_->setSingleShot(true);
    settle_->setInterval(1000);
    // The folder's watch sees the file replaced, the file's own watch it written in place (an
    // editor, a sync tool that does); a file replaced is watched afresh.
    const QString file = settings_->fileName();
    auto watchFile = [this, file] {
        if (!watcher_->files().contains(file) && QFileInfo::exists(file))
            watcher_->addPath(file);
    };
    QObject::connect(settle_.get(), &QTimer::timeout,
                     [this, watchFile, changed = std::move(changed)] {
                         watchFile();
                         const auto now = fileNow();
                         if (now == seen_)
                             return; // this store's own write, or nothing that touched the file
                         seen_ = now;
                         changed();
                     });
    watcher_ = std::make_unique<QFileSystemWatcher>(QStringList{dir});
    watchFile();
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged,
                     [this] { settle_->start(); });
    QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged,
                     [this] { settle_->start(); });
}
// QSettings writes what it still holds as it goes: not into a wait for a lock left behind.
QtSettingsStore::~QtSettingsStore() {
    if (settings_)
        leftoverLock(settings_->fileName());
}

// One object for the program's life: QSettings answers from memory, and its sync() notices a
// file changed by anyone else.
QSettings& QtSettingsStore::settings(const std::u16string& app) {
    if (!settings_ || app != app_) {
        app_ = app;
        settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QStringLiteral("Vantoly"), toQ(app));
        // Only the program's own file: not ~/.config/Vantoly.ini nor the system's folders.
        settings_->setFallbacksEnabled(false);
        // Never a rewrite of the only copy in place, where a crash would cut it short.
        settings_->setAtomicSyncRequired(true);
    }
    return *settings_;
}

std::optional<std::u16string> QtSettingsStore::read(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) {
    QSettings& ini = settings(app);
    // A file changed by someone else is read again, and what an earlier save could not write is
    // tried again.
    if (!leftoverLock(ini.fileName()))
        ini.sync();
    return textOf(ini.value(toQ(section) + QLatin1Char('/') + toQ(key)));
}

std::optional<QString> QtSettingsStore::heldValue(std::u16string_view text) const {
    if (!settings_)
        return std::nullopt;
    for (const QString& key : settings_->allKeys()) {
        const QVariant value = settings_->value(key);
        if (value.typeId() == QMetaType::QString) {
            QString held = value.toString();
            if (SameTextAs(held, text))
                return held;
        }
    }
    return std::nullopt;
}

void QtSettingsStore::write(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

void QtSettingsStore::writeAll(const std::u16string& app, const std::u16string& section,
                               const Values& values) {
    QSettings& ini = settings(app);
    const QString path = ini.fileName();
    // Notes are personal: the folder (where the file is replaced through a temporary one) and
    // the file are the user's alone, whatever the umask or an earlier mode said.
    const QString dir = QFileInfo(path).absolutePath();
    MakePrivateFolder(dir); // a folder that cannot be made fails the sync
    if (const auto stuck = leftoverLock(path))
        throw PlatformFailure(*stuck);
    for (const auto& [key, value] : values)
        ini.setValue(toQ(section) + QLatin1Char('/') + toQ(key), storedForm(heldElsewhere_, value));
    // QSettings' status keeps the first problem it met (a damaged file read at start gives
    // FormatError for ever), and QSaveFile reports a save whose data never reached the disk as
    // done: whether the file holds the values is for readBack to prove. What is known here is
    // whether the data and the rename reached the disk. What QSettings could not write it keeps,
    // and writes at the next sync.
    // The file as it stands keeps a second name until the write is proven, so a save that left
    // less (an empty file renamed over it) can be undone without room on the disk.
    endWrite(false);
    const QString previous = path + QStringLiteral(".previous");
    QFile::remove(previous);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(previous).constData()) == 0)
        previous_ = previous;
    const int failedSyncs = FailedDataSyncs();
    ini.sync();
    seen_ = fileNow(); // what this store wrote, whatever the disk made of it
    const bool synced = FailedDataSyncs() == failedSyncs;
    const QString folderSynced = synced ? SyncFolder(dir) : QString();
    if (!synced || !folderSynced.isEmpty())
        throw PlatformFailure(
            path.toStdString() + " cannot be written: " +
            (synced ? folderSynced.toStdString() : WhyNotWritable(path, LastDataSyncError())));
    if (QFile::permissions(path) != kFileMode)
        QFile::setPermissions(path, kFileMode);
}

// A second QSettings on the same path would answer from the first one's memory: the copy, at a
// path it has never seen, is parsed from its bytes.
std::optional<SettingsStore::Held>
QtSettingsStore::readBack(const std::u16string& app, const std::u16string& section,
                          const std::vector<std::u16string>& keys) {
    const QString path = settings(app).fileName();
    if (!QFileInfo::exists(path))
        return Held(keys.size());
    QString scratch = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (scratch.isEmpty() || !QFileInfo(scratch).isWritable())
        scratch = QDir::tempPath();
    const QTemporaryDir folder(scratch + QStringLiteral("/vantoly-XXXXXX"));
    const QString copy = folder.filePath(QStringLiteral("proof.ini"));
    if (!folder.isValid() || !QFile::copy(path, copy))
        return std::nullopt;
    Held held;
    {
        QSettings proof(copy, QSettings::IniFormat);
        if (proof.status() != QSettings::NoError)
            return std::nullopt;
        for (const auto& key : keys)
            held.push_back(textOf(proof.value(toQ(section) + QLatin1Char('/') + toQ(key))));
        // Emptied, the parse is dropped with the object rather than kept in QSettings' cache.
        proof.clear();
        proof.sync();
    }
    return held;
}

bool QtSettingsStore::endWrite(bool undo) {
    if (previous_.isEmpty())
        return false;
    const QString previous = std::exchange(previous_, QString());
    const QString path = settings_ ? settings_->fileName() : QString();
    if (undo && !path.isEmpty() &&
        ::rename(QFile::encodeName(previous).constData(), QFile::encodeName(path).constData()) ==
            0) {
        QFile::remove(previous); // still there when both names were the same file
        SyncFolder(QFileInfo(path).absolutePath());
        seen_ = fileNow();
        return true;
    }
    QFile::remove(previous);
    return false;
}

std::string QtSettingsStore::whyNotKept() const {
    const QString path = settings_ ? settings_->fileName() : QString();
    return path.toStdString() + " did not keep what was written: " + WhyNotWritable(path);
}

} // namespace vantoly::qt
