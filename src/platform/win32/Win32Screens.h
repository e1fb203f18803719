#pragma once
// Win32 adapter: the screens: their DPI, and keeping the note window where the user can reach it.
#include "platform/win32/WindowsHeaders.h"

namespace vantoly::win32 {

// The DPI of the monitor the window is on (of the primary one without a window, or before
// Windows 10, which has no per-monitor DPI).
UINT WindowDpi(HWND window);

// The window where the user can reach it, by the core's rule over the monitors' work areas;
// `least` is its least outer size.
void KeepOnAScreen(HWND window, SIZE least);

// A window Windows placed on the work area's top-left corner (as Wine places every new one) is
// centred on it instead: not over whatever the corner holds.
void AwayFromTheCorner(HWND window);

} // namespace vantoly::win32
