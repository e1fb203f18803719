#include "platform/qt/QtJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {
namespace {

const QByteArray kHeader = "Vantoly journal 1\n";

} // namespace

QString DefaultJournalPath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Vantoly/journal");
}

// Each entry: the key, a tab, the text's length in bytes, a line break, the text in UTF-8 and a
// line break.
std::map<QString, QString> QtJournal::load() const {
    QFile file(path_);
    std::map<QString, QString> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(kHeader))
        return entries;
    for (qsizetype at = kHeader.size(); at < bytes.size();) {
        const qsizetype tab = bytes.indexOf('\t', at);
        const qsizetype end = bytes.indexOf('\n', at);
        bool number = false;
        const qsizetype length =
            tab < 0 || end < tab ? -1 : bytes.mid(tab + 1, end - tab - 1).toLongLong(&number);
        if (!number || length < 0 || end + 1 + length >= bytes.size())
            return {};
        entries[QString::fromUtf8(bytes.mid(at, tab - at))] =
            QString::fromUtf8(bytes.mid(end + 1, length));
        at = end + 1 + length + 1;
    }
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
    QByteArray bytes = kHeader;
    for (const auto& [key, text] : entries) {
        const QByteArray utf8 = text.toUtf8();
        bytes += key.toUtf8() + '\t' + QByteArray::number(utf8.size()) + '\n' + utf8 + '\n';
    }
    const QString dir = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return WriteFileReplacing(path_, bytes, QFile::ReadOwner | QFile::WriteOwner).isEmpty();
}

} // namespace vantoly::qt
