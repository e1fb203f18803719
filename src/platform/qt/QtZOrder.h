#pragma once
// Qt adapter: z-order. Top-most is Qt::WindowStaysOnTopHint set on the form's native window, so
// the window is neither hidden nor re-created and keeps its place and size; on X11 the window
// manager then holds it above (_NET_WM_STATE_ABOVE). On Wayland a client cannot keep itself
// above others: the hint is set and nothing more happens.
#include "platform/ZOrder.h"

namespace vantoly::qt {

class QtForm;

class QtZOrder : public ZOrder {
  public:
    explicit QtZOrder(QtForm& form) : form_(form) {}
    int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y, int32_t cx,
                         int32_t cy, uint32_t flags) override;

  private:
    QtForm& form_;
};

} // namespace vantoly::qt
