#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include "platform/Failure.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

std::optional<std::u16string> QtSettingsStore::read(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoly"),
                       toQ(app));
    settings.beginGroup(toQ(section));
    if (!settings.contains(toQ(key)))
        return std::nullopt;
    const QVariant value = settings.value(toQ(key));
    // A hand-edited value with unquoted commas reads as a list; give it back as written.
    if (value.typeId() == QMetaType::QStringList)
        return fromQ(value.toStringList().join(QStringLiteral(", ")));
    return fromQ(value.toString());
}

void QtSettingsStore::write(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoly"),
                       toQ(app));
    // Notes are personal: the folder (where the file is rewritten through a temporary one) and
    // the file are the user's alone, whatever the umask or an earlier mode said.
    const QFileInfo file(settings.fileName());
    QDir().mkpath(file.absolutePath());
    QFile::setPermissions(file.absolutePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    settings.beginGroup(toQ(section));
    settings.setValue(toQ(key), toQ(value));
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        throw PlatformFailure(settings.fileName().toStdString() + " cannot be written");
    QFile::setPermissions(file.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace vantoly::qt
