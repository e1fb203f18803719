#include "platform/qt/QtPlatform.h"

namespace vantoly::qt {

QtPlatform::QtPlatform()
    : shell(form.pictures(), codePage), host([this] { form.stopEvents(); }),
      zorder(form), platform_{form,     shell, version, settings, clock,
                              codePage, host,  sound,   zorder,   rings} {
    // The tray icon's mouse actions reach the program as Picture1's mouse moves, as on Windows.
    shell.onMessage([this](uint32_t, int32_t message) { form.trayMessage(message); });
}

} // namespace vantoly::qt
