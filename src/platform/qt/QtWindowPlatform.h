#pragma once
// Qt adapter: which window system the program talks to. In a Wayland session Qt cannot place a
// window nor keep it above others; through XWayland it can, as on X11, so that is preferred
// unless the user chose a platform.
#include <optional>
#include <string>

namespace vantoly::qt {

// Before the application is made: XWayland for a Wayland session that has it.
void PreferXWayland();

// Why the program has no display to show itself on, where Qt would abort for want of one; nothing
// when it has one (or Qt's own platform, such as offscreen, needs none).
std::optional<std::string> MissingDisplay();

// False on native Wayland, where a window's position is the compositor's alone.
bool WindowsCanBePlaced();

// Whether a window other than `own` has the keyboard: on X11 the window manager says which one
// has; in a Wayland session a Wayland program may have it unseen, so it may always be elsewhere.
bool KeyboardElsewhere(unsigned long own);

} // namespace vantoly::qt
