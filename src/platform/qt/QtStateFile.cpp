#include "platform/qt/QtStateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include "platform/qt/QtDiskErrors.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

QString StateFilePath(const QString& name) {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    QString host = QSysInfo::machineHostName();
    host.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    const QByteArray session = qgetenv("XDG_RUNTIME_DIR");
    const QString own = state + QStringLiteral("/Vantoly/") + name + QLatin1Char('.') + host +
                        QLatin1Char('-') + QString::number(qChecksum(QByteArrayView(session)), 16);
    // The one file of earlier versions becomes this instance's, once.
    const QString shared = state + QStringLiteral("/Vantoly/") + name;
    if (QFileInfo::exists(shared) && !QFileInfo::exists(own))
        QFile::rename(shared, own);
    return own;
}

std::optional<std::string> QtStateFile::read() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

std::optional<std::string> QtStateFile::replace(const std::vector<std::string_view>& parts) {
    if (!MakePrivateFolder(QFileInfo(path_).absolutePath()))
        return path_.toStdString() + " cannot be written: " + WhyNotWritable(path_);
    const QString why = WriteFileReplacing(path_, parts, QFile::ReadOwner | QFile::WriteOwner);
    if (why.isEmpty())
        return std::nullopt;
    return path_.toStdString() + " cannot be written: " + why.toStdString();
}

// Not synced: a journal that comes back after a power cut is passed over, its bases no longer
// what the file holds.
void QtStateFile::remove() {
    QFile::remove(path_);
}

} // namespace vantoly::qt
