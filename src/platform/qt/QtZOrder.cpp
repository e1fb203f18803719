#include "platform/qt/QtZOrder.h"

#include <QWidget>
#include <QWindow>

#include "platform/qt/QtForm.h"

namespace vantoly::qt {

int32_t QtZOrder::SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t,
                               int32_t, uint32_t) {
    if (hWnd != form_.formHandle() ||
        (hWndInsertAfter != HWND_TOPMOST && hWndInsertAfter != HWND_NOTOPMOST))
        return 0;
    QWidget* widget = form_.widget();
    const Qt::WindowFlags flags =
        widget->windowFlags().setFlag(Qt::WindowStaysOnTopHint, hWndInsertAfter == HWND_TOPMOST);
    // The widget learns the flags without re-creating its window; the window gets them live.
    widget->overrideWindowFlags(flags);
    if (QWindow* window = widget->windowHandle())
        window->setFlags(flags);
    return 1;
}

} // namespace vantoly::qt
