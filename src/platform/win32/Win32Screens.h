#pragma once
// Win32 adapter: the screen's DPI, keeping the note window where the user can reach it, and
// selector titles that fit their buttons.
#include <string>

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

// The text as it fits in width pixels drawn in the control's font, cut with "…" when it does
// not; the text itself when it fits.
std::wstring ElidedToWidth(HWND control, const std::wstring& text, int width);

} // namespace vantoly::win32
