#include "platform/win32/Win32Screens.h"

#include <algorithm>
#include <vector>

#include "window/Screens.h"

namespace vantoly::win32 {

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? UINT(dpi) : 96;
}

namespace {

// A stdcall function, not a lambda: the 32-bit build cannot convert one.
BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcWork);
    return TRUE;
}

} // namespace

void KeepOnAScreen(HWND window, SIZE least) {
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT clientTop{0, 0};
    ClientToScreen(window, &clientTop);
    std::vector<RECT> work;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, LPARAM(&work));
    std::vector<ScreenRect> areas;
    for (const RECT& area : work)
        areas.push_back({area.left, area.top, area.right - area.left, area.bottom - area.top});
    const ScreenRect now{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
    const ScreenRect kept =
        KeepOnAScreen(now, std::max<LONG>(clientTop.y - frame.top, 24), areas, least.cx, least.cy);
    if (kept != now)
        SetWindowPos(window, nullptr, kept.left, kept.top, kept.width, kept.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void AwayFromTheCorner(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &screen))
        return;
    const RECT& work = screen.rcWork;
    if (frame.left > work.left || frame.top > work.top)
        return;
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.left + std::max(0L, (work.right - work.left - width) / 2),
                 work.top + std::max(0L, (work.bottom - work.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vantoly::win32
