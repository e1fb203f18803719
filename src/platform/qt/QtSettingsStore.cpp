#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <sys/stat.h>
#include <tuple>

#include "platform/Failure.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {
namespace {

constexpr QFile::Permissions kFolderMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kFileMode = QFile::ReadOwner | QFile::WriteOwner;

// Which file stands at the path, and its last change: a save replaces the file with a new one.
std::optional<std::tuple<ino_t, time_t, long>> fileNow(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::tuple(status.st_ino, status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
}

} // namespace

QtSettingsStore::QtSettingsStore() = default;
QtSettingsStore::~QtSettingsStore() = default;

// One object for the program's life: QSettings answers from memory, and its sync() notices a
// file changed by anyone else.
QSettings& QtSettingsStore::settings(const std::u16string& app) {
    if (!settings_ || app != app_) {
        app_ = app;
        settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QStringLiteral("Vantoly"), toQ(app));
    }
    return *settings_;
}

std::optional<std::u16string> QtSettingsStore::read(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) {
    QSettings& ini = settings(app);
    ini.sync();
    const QVariant value = ini.value(toQ(section) + QLatin1Char('/') + toQ(key));
    if (!value.isValid())
        return std::nullopt;
    // A hand-edited value with unquoted commas reads as a list; give it back as written.
    if (value.typeId() == QMetaType::QStringList)
        return fromQ(value.toStringList().join(QStringLiteral(", ")));
    return fromQ(value.toString());
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
    QDir().mkpath(dir);
    QFile::setPermissions(dir, kFolderMode);
    for (const auto& [key, value] : values)
        ini.setValue(toQ(section) + QLatin1Char('/') + toQ(key),
                     SharedOrNew(heldElsewhere_, value));
    const auto before = fileNow(path);
    ini.sync();
    // QSettings keeps the first problem it met, a damaged file it read included: a save is
    // known by the new file it leaves.
    const QSettings::Status status = ini.status();
    if (status == QSettings::AccessError ||
        (status != QSettings::NoError && fileNow(path) == before)) {
        settings_.reset(); // a fresh status for the next try
        throw PlatformFailure(
            path.toStdString() + " cannot be written: " +
            (QFileInfo(dir).isWritable() ? "the disk may be full" : "the folder is read-only"));
    }
    if (QFile::permissions(path) != kFileMode)
        QFile::setPermissions(path, kFileMode);
}

QString StateFilePath(const QString& name) {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vantoly/") + name;
}

std::optional<std::string> QtStateFile::read() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

bool QtStateFile::replace(const std::vector<std::string_view>& parts) {
    const QString dir = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    QFile::setPermissions(dir, kFolderMode);
    return WriteFileReplacing(path_, parts, kFileMode).isEmpty();
}

void QtStateFile::remove() {
    QFile::remove(path_);
}

} // namespace vantoly::qt
