#pragma once
// Qt adapter: which window system the program talks to. In a Wayland session Qt cannot place a
// window nor keep it above others; through XWayland it can, as on X11, so that is preferred
// unless the user chose a platform.
#include <optional>
#include <string>

namespace vantoly::qt {

// Before the application is made: options answered (Qt's own passed over for Qt), XWayland
// chosen for a Wayland session that has it, and a display checked for where Qt would abort for
// want of one (but for a platform or display named on the command line: Qt's to try). The exit
// code when the program is not to start.
std::optional<int> BeforeApplication(int argc, char** argv);

// XWayland for a Wayland session that has it, unless the user chose a platform.
void PreferXWayland();

// False on native Wayland, where a window's position is the compositor's alone.
bool WindowsCanBePlaced();

// Whether a window other than `own` has the keyboard: on X11 the window manager says which one
// has; in a Wayland session a Wayland program may have it unseen, so it may always be elsewhere.
bool KeyboardElsewhere(unsigned long own);

} // namespace vantoly::qt
