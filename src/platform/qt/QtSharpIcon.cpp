#include "platform/qt/QtSharpIcon.h"

#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace vantoly::qt {
namespace {

class SharpIconEngine : public QIconEngine {
  public:
    explicit SharpIconEngine(const QIcon& icon) : icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize room = (QSizeF(rect.size()) * ratio).toSize();
        QSize best;
        for (const QSize& size : icon_.availableSizes(mode, state))
            if (size.width() <= room.width() && size.height() <= room.height() &&
                size.width() > best.width())
                best = size;
        if (best.isEmpty()) { // smaller than any image: scaling down cannot be helped
            icon_.paint(painter, rect, Qt::AlignCenter, mode, state);
            return;
        }
        QPixmap image = icon_.pixmap(best, 1.0, mode, state);
        image.setDevicePixelRatio(ratio);
        // On whole device pixels, so the image is copied, not resampled.
        const QPointF centre = QRectF(rect).center() * ratio;
        const QPointF corner(std::round(centre.x() - best.width() / 2.0),
                             std::round(centre.y() - best.height() / 2.0));
        painter->drawPixmap(corner / ratio, image);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon_.pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon_.pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon_.availableSizes(mode, state);
    }
    bool isNull() override { return icon_.isNull(); }
    QString key() const override { return QStringLiteral("vantoly-sharp"); }
    QIconEngine* clone() const override { return new SharpIconEngine(icon_); }

  private:
    QIcon icon_;
};

} // namespace

QIcon SharpIcon(const QIcon& icon) {
    return icon.isNull() ? icon : QIcon(new SharpIconEngine(icon));
}

} // namespace vantoly::qt
