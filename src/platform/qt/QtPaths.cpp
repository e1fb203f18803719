#include "platform/qt/QtPaths.h"

#include <QDir>
#include <QFileInfo>

namespace vantoly::qt {

QString LocalPath(const std::u16string& corePath) {
    QString path = toQ(corePath);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo::exists(path))
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QString resolved = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        const QString exact =
            QDir(resolved.isEmpty() ? QStringLiteral(".") : resolved).filePath(part);
        if (QFileInfo::exists(exact)) {
            resolved = exact;
            continue;
        }
        const QStringList entries =
            QDir(resolved.isEmpty() ? QStringLiteral(".") : resolved)
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QString match;
        for (const QString& entry : entries)
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        // A part that exists in no case is a new file (the scratch icon): keep its name.
        resolved = QDir(resolved.isEmpty() ? QStringLiteral(".") : resolved)
                       .filePath(match.isEmpty() ? part : match);
    }
    return resolved;
}

} // namespace vantoly::qt
