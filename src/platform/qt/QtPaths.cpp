#include "platform/qt/QtPaths.h"

#include "platform/qt/QtDiskErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

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

QString WriteFileReplacing(const QString& path, const std::vector<std::string_view>& parts,
                           QFileDevice::Permissions permissions) {
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || !file.setPermissions(permissions))
        return file.errorString();
    for (const std::string_view part : parts)
        if (file.write(part.data(), qint64(part.size())) != qint64(part.size()))
            return file.errorString();
    if (!file.flush())
        return file.errorString();
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    file.setAutoRemove(false);
    // The rename itself is on the disk only once the folder is.
    return SyncFolder(QFileInfo(path).absolutePath());
}

} // namespace vantoly::qt
