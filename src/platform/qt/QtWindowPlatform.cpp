#include "platform/qt/QtWindowPlatform.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

#include "app/CommandLine.h"

namespace vantoly::qt {
namespace {

bool WaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// Why the program has no display to show itself on; nothing when it has one (or Qt's own
// platform, such as offscreen, needs none).
std::optional<std::string> MissingDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!(platform == "xcb" || (platform.isEmpty() && !WaylandSession())))
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

// Qt's own options, which it takes from the command line itself, and how many values each takes.
std::vector<std::pair<std::string_view, int>> QtOptions() {
    std::vector<std::pair<std::string_view, int>> options;
    for (std::string_view name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name",
          "style", "stylesheet"})
        options.emplace_back(name, 1);
    for (std::string_view name : {"reverse", "nograb", "dograb", "sync"})
        options.emplace_back(name, 0);
    return options;
}

} // namespace

std::optional<int> BeforeApplication(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto answer = AnswerCommandLine(args, QtOptions())) {
        std::fputs(answer->out.c_str(), stdout);
        std::fputs(answer->err.c_str(), stderr);
        return answer->exitCode;
    }
    PreferXWayland();
    const bool named = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "-platform" || arg == "--platform" || arg == "-display" || arg == "--display";
    });
    if (const auto missing = named ? std::nullopt : MissingDisplay()) {
        std::fprintf(stderr, "Vantoly: %s\n", missing->c_str());
        return 1;
    }
    return std::nullopt;
}

void PreferXWayland() {
    if (WaylandSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

bool WindowsCanBePlaced() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

namespace {

// The first value of a property that holds atoms or windows; XCB_NONE when it has none (or the
// window is gone).
uint32_t FirstValue(xcb_connection_t* connection, xcb_window_t window, const char* name,
                    xcb_atom_t type) {
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(std::strlen(name)), name), nullptr);
    xcb_get_property_reply_t* property =
        atom && atom->atom != XCB_NONE
            ? xcb_get_property_reply(
                  connection, xcb_get_property(connection, 0, window, atom->atom, type, 0, 1),
                  nullptr)
            : nullptr;
    uint32_t value = XCB_NONE;
    if (property && xcb_get_property_value_length(property) >= int(sizeof value))
        value = *static_cast<uint32_t*>(xcb_get_property_value(property));
    std::free(property);
    std::free(atom);
    return value;
}

} // namespace

bool KeyboardElsewhere(unsigned long own) {
    if (WaylandSession())
        return true;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t active = FirstValue(connection, root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (active == XCB_NONE || active == own)
        return false;
    // A panel or the desktop is no program the user types into; a window that is gone neither.
    const uint32_t type = FirstValue(connection, active, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM);
    xcb_intern_atom_reply_t* dock = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, 23, "_NET_WM_WINDOW_TYPE_DOCK"), nullptr);
    xcb_intern_atom_reply_t* desktop = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, 26, "_NET_WM_WINDOW_TYPE_DESKTOP"), nullptr);
    const bool program =
        type != XCB_NONE && !(dock && type == dock->atom) && !(desktop && type == desktop->atom);
    std::free(dock);
    std::free(desktop);
    return program;
}

} // namespace vantoly::qt
