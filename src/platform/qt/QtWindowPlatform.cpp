#include "platform/qt/QtWindowPlatform.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <xcb/xcb.h>

namespace vantoly::qt {

void PreferXWayland() {
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

std::optional<std::string> MissingDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool waylandSession =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (!(platform == "xcb" || (platform.isEmpty() && !waylandSession)))
        return std::nullopt;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return "no display to show itself on: DISPLAY is not set";
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    if (reached)
        return std::nullopt;
    return "no display to show itself on: cannot open display " + display.toStdString();
}

bool WindowsCanBePlaced() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace vantoly::qt
