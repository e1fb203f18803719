#pragma once
// Window z-order, in the shape of the Windows call.
#include <cstdint>

namespace vantoly {

constexpr int32_t HWND_TOPMOST = -1;
constexpr int32_t HWND_NOTOPMOST = -2;
constexpr uint32_t SWP_NOSIZE = 1;
constexpr uint32_t SWP_NOMOVE = 2;

class ZOrder {
  public:
    virtual ~ZOrder() = default;
    virtual int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y,
                                 int32_t cx, int32_t cy, uint32_t flags) = 0;
};

// A window that SetOnTop can act on: only its handle is used. Reading the handle fails
// (PlatformFailure) when the window has none.
class FormWindow {
  public:
    virtual ~FormWindow() = default;
    virtual int32_t hWnd() const = 0;
};

} // namespace vantoly
