#pragma once
// A desktop's clicks on the tray icon as the message numbers the program expects.
#include <cstdint>
#include <optional>
#include <vector>

namespace vantoly {

// How the desktop shows tray icons: an XEmbed tray reports clicks and double-clicks; a
// StatusNotifierItem host (KDE Plasma, GNOME's AppIndicator extension, Wayland sessions) reports
// an activation (a single left click) and no double-click.
enum class TrayKind { XEmbed, StatusNotifierItem };
enum class TrayActivation { Click, DoubleClick, Context, Middle, Other };

// On a StatusNotifierItem host the activation is the double-click, and the second activation of
// a double-click there is only a click.
class TrayClicks {
  public:
    TrayClicks(TrayKind kind, int doubleClickMs) : kind_(kind), doubleClickMs_(doubleClickMs) {}
    std::vector<int32_t> messages(TrayActivation activation, int64_t nowMs);

  private:
    TrayKind kind_;
    int doubleClickMs_;
    std::optional<int64_t> lastToggleMs_;
};

} // namespace vantoly
