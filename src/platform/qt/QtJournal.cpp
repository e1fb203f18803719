#include "platform/qt/QtJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/JournalFormat.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

QString DefaultJournalPath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vantoly/journal");
}

std::map<QString, QString> QtJournal::load() const {
    QFile file(path_);
    std::map<QString, QString> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QByteArray bytes = file.readAll();
    for (const auto& [key, text] : DecodeJournal({bytes.constData(), size_t(bytes.size())}))
        entries[QString::fromStdString(key)] = QString::fromStdString(text);
    return entries;
}

std::optional<QDateTime> QtJournal::modified() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return std::nullopt;
    return info.lastModified();
}

bool QtJournal::save(const std::map<QString, QString>& entries) const {
    if (entries.empty())
        return !QFileInfo::exists(path_) || QFile::remove(path_);
    JournalEntries encoded;
    for (const auto& [key, text] : entries)
        encoded[key.toStdString()] = text.toStdString();
    const std::string bytes = EncodeJournal(encoded);
    const QString dir = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return WriteFileReplacing(path_, QByteArray::fromStdString(bytes),
                              QFile::ReadOwner | QFile::WriteOwner)
        .isEmpty();
}

} // namespace vantoly::qt
