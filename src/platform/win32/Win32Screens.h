#pragma once
// Win32 adapter: the screen's DPI, keeping the note window where the user can reach it, and
// selector titles that fit their buttons.
#include <string>

#include "platform/win32/WindowsHeaders.h"

namespace vantoly::win32 {

// The DPI of the monitor the window is on (of the primary one without a window, or before
// Windows 10, which has no per-monitor DPI).
UINT WindowDpi(HWND window);

// A position stored on a monitor that is gone (a laptop undocked, a lower resolution) would
// bring the window up where the user cannot reach it. Unless most of its title bar lies in a
// monitor's work area, the window moves to the nearest place where it lies whole in one (its
// top-left part, title bar included, when it is larger); a position on a screen stays exactly.
void KeepOnAScreen(HWND window);

// The text as it fits in width pixels drawn in the control's font, cut with "…" when it does
// not; the text itself when it fits.
std::wstring ElidedToWidth(HWND control, const std::wstring& text, int width);

} // namespace vantoly::win32
