#include "platform/qt/QtPictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>

#include "platform/Failure.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {
namespace {

constexpr int kLargestIcon = 128;

std::string local8(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

} // namespace

void QtPictures::load(const std::u16string& path) {
    const QString local = LocalPath(path);
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformFailure("cannot read " + local8(local) + ": " + local8(file.errorString()));
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Read by its file suffix's format alone: left to guess, Qt loads every image format plugin
    // it has to ask each.
    QImageReader reader(&buffer, QFileInfo(local).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QIcon icon;
    for (int i = 0, count = std::max(reader.imageCount(), 1); i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        // A tray or window icon is never drawn larger than 128 pixels: the 256-pixel image an
        // icon file carries for Windows Explorer would only take memory.
        if (const QSize size = reader.size();
            size.width() > kLargestIcon && size.height() > kLargestIcon && !icon.isNull())
            continue;
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull())
        throw PlatformFailure("not a picture: " + local8(local));
    picture_ = icon;
    bytes_ = bytes;
    ++handle_;
}

void QtPictures::save(const std::u16string& path) const {
    const QString local = LocalPath(path);
    const QString why =
        bytes_.isEmpty() ? QStringLiteral("no picture")
                         : WriteFileReplacing(local, {{bytes_.constData(), size_t(bytes_.size())}},
                                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!why.isEmpty())
        throw PlatformFailure("cannot write " + local8(local) + ": " + local8(why));
}

std::optional<QIcon> QtPictures::icon(int32_t handle) const {
    if (handle != handle_ || picture_.isNull())
        return std::nullopt;
    return picture_;
}

} // namespace vantoly::qt
