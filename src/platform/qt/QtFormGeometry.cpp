// Qt adapter: where the window and its controls are, in twips, and keeping the window on a
// screen.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/qt/QtForm.h"
#include "platform/qt/QtWindowPlatform.h"
#include "window/Screens.h"

namespace vantoly::qt {
namespace {

QScreen* screenOf(const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

float QtForm::twipsPerPixelX() const {
    return float(1440.0 / screenOf(form_)->logicalDotsPerInchX());
}

float QtForm::twipsPerPixelY() const {
    return float(1440.0 / screenOf(form_)->logicalDotsPerInchY());
}

float QtForm::formGeometry(Edge edge) const {
    const QPoint frame = framePosition();
    switch (edge) {
    case Edge::Left:
        // Where the window cannot be placed its position is not known either: the one given
        // stays, so the user's stored position is never overwritten.
        if (unplacedPosition_)
            return unplacedPosition_->x();
        return float(frame.x()) * twipsPerPixelX();
    case Edge::Top:
        if (unplacedPosition_)
            return unplacedPosition_->y();
        return float(frame.y()) * twipsPerPixelY();
    case Edge::Width:
        return float(form_->width()) * twipsPerPixelX() + kDesignedFrameWidthTwips;
    case Edge::Height:
        return float(form_->height()) * twipsPerPixelY() + kDesignedFrameHeightTwips;
    }
    return 0;
}

void QtForm::setFormGeometry(Edge edge, float twips) {
    const QPoint frame = framePosition();
    if ((edge == Edge::Left || edge == Edge::Top) && !WindowsCanBePlaced()) {
        if (!unplacedPosition_) {
            unplacedPosition_ = QPointF(formGeometry(Edge::Left), formGeometry(Edge::Top));
            std::fprintf(stderr, "Vantoly: this Wayland session places the note window itself and "
                                 "cannot keep it on top; run Vantoly through XWayland "
                                 "(QT_QPA_PLATFORM=xcb) for that\n");
        }
        (edge == Edge::Left ? unplacedPosition_->rx() : unplacedPosition_->ry()) = twips;
        return;
    }
    switch (edge) {
    case Edge::Left: {
        // Unchanged values are not applied, so the window manager keeps placing a new window.
        const int px = pixels(edge, twips);
        if (px != frame.x())
            moveFrame(QPoint(px, frame.y()));
        return;
    }
    case Edge::Top: {
        const int px = pixels(edge, twips);
        if (px != frame.y())
            moveFrame(QPoint(frame.x(), px));
        return;
    }
    case Edge::Width:
        form_->resize(std::max(pixels(edge, twips - kDesignedFrameWidthTwips), 1), form_->height());
        keepOnAScreen();
        return;
    case Edge::Height:
        form_->resize(form_->width(), std::max(pixels(edge, twips - kDesignedFrameHeightTwips), 1));
        keepOnAScreen();
        return;
    }
}

void QtForm::outerSizeMayHaveChanged() {
    if (!eventsConnected())
        return;
    // The outer size also changes when the window manager frames the window.
    const QSizeF outer(formGeometry(Edge::Width), formGeometry(Edge::Height));
    if (laidOutFor_ && *laidOutFor_ == outer)
        return;
    laidOutFor_ = outer;
    deliver([](FormEvents& e) { e.Form_Resize(); });
}

void QtForm::setControlGeometry(Control control, Edge edge, float twips) {
    const int px = pixels(edge, twips);
    QRect& r = places_[control];
    switch (edge) {
    case Edge::Left:
        r.moveLeft(px);
        break;
    case Edge::Top:
        r.moveTop(px);
        break;
    case Edge::Width:
        r.setWidth(std::max(px, 0));
        break;
    case Edge::Height:
        r.setHeight(std::max(px, 0));
        break;
    }
    if (!controlsMade())
        return; // placed when made
    this->control(control)->setGeometry(r);
    if (IsSelector(control))
        showTitle(size_t(Option1Index(control)));
}

MouseArgs QtForm::mouseArgs(const QMouseEvent& event) const {
    MouseArgs m;
    switch (event.button()) {
    case Qt::LeftButton:
        m.button = 1;
        break;
    case Qt::RightButton:
        m.button = 2;
        break;
    case Qt::MiddleButton:
        m.button = 4;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers keys = event.modifiers();
    m.shift = int16_t((keys & Qt::ShiftModifier ? 1 : 0) | (keys & Qt::ControlModifier ? 2 : 0) |
                      (keys & Qt::AltModifier ? 4 : 0));
    m.x = float(event.position().x()) * twipsPerPixelX();
    m.y = float(event.position().y()) * twipsPerPixelY();
    return m;
}

int QtForm::pixels(Edge edge, float twips) const {
    const bool horizontal = edge == Edge::Left || edge == Edge::Width;
    return int(std::lround(twips / (horizontal ? twipsPerPixelX() : twipsPerPixelY())));
}

// Where the user can reach it (the rule is the core's): at every show, and as a stored size is
// restored, so a size no screen holds is neither shown nor stored again.
void QtForm::keepOnAScreen() {
    if (!WindowsCanBePlaced())
        return;
    QRect frame(framePosition(), form_->frameGeometry().size());
    // Before the window manager framed it the frame is not known yet: allow for a common one.
    if (!framed())
        frame.adjust(0, 0, 8, 32);
    const QSize extra = frame.size() - form_->size();
    std::vector<ScreenRect> areas;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        areas.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const QSize least = form_->minimumSize() + extra;
    const ScreenRect kept =
        KeepOnAScreen({frame.x(), frame.y(), frame.width(), frame.height()},
                      std::max(extra.height(), 24), areas, least.width(), least.height());
    if (kept.width != frame.width() || kept.height != frame.height())
        form_->resize(kept.width - extra.width(), kept.height - extra.height());
    if (kept.left != frame.x() || kept.top != frame.y())
        moveFrame(QPoint(kept.left, kept.top));
}

// Once the native window exists, a move places its client area; until the window manager has
// framed it, Qt takes the frame to be nothing, so the title bar would land above the point.
void QtForm::moveFrame(QPoint topLeft) {
    const bool framedNow = framed();
    if (framedNow && clientOffset_) {
        form_->move(form_->pos() + topLeft + *clientOffset_ - form_->geometry().topLeft());
        return;
    }
    form_->move(topLeft);
    if (framedNow)
        return;
    if (QWindow* window = form_->windowHandle())
        window->setFramePosition(topLeft);
    placedAt_ = topLeft;
}

// The first move once framed is the window manager's answer to the placement. An offset smaller
// than the reported frame means the placement left the frame out; one larger than the reported
// frame scaled up is a move by the user. Then the reported frame is all there is to go by.
void QtForm::moved() {
    if (!placedAt_ || !framed())
        return;
    const QRect frame = form_->frameGeometry();
    const QPoint offset = form_->geometry().topLeft() - *placedAt_;
    const QPoint reported = form_->geometry().topLeft() - frame.topLeft();
    const double scale = std::max(form_->devicePixelRatioF(), 1.0);
    const auto plausible = [scale](int measured, int frameSide) {
        return measured >= frameSide && measured <= int(std::ceil(frameSide * scale)) + 1;
    };
    clientOffset_ = plausible(offset.x(), reported.x()) && plausible(offset.y(), reported.y())
                        ? offset
                        : reported;
    placedAt_.reset();
}

// Until the window manager frames the window, Qt counts its frame as nothing.
bool QtForm::framed() const {
    return form_->frameGeometry().size() != form_->size();
}

QPoint QtForm::framePosition() const {
    if (clientOffset_ && framed())
        return form_->geometry().topLeft() - *clientOffset_;
    return form_->frameGeometry().topLeft();
}

} // namespace vantoly::qt
