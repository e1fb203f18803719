#include "platform/qt/QtPlatform.h"

namespace vantoly::qt {

QtPlatform::QtPlatform()
    : shell(form.pictures(), codePage), host([this] { form.stopEvents(); }),
      zorder(form), platform_{form, shell, version, file,    clock, codePage,
                              host, sound, zorder,  journal, rings} {
    // The tray icon's mouse actions reach the program as Picture1's mouse moves, as on Windows.
    shell.onMessage([this](uint32_t, int32_t message) { form.trayMessage(message); });
    // A big note is held once, by QSettings and the note window together.
    form.shareNotesWith([this](std::u16string_view text) { return file.heldValue(text); });
    file.shareNotesWith([this](std::u16string_view text) { return form.heldNote(text); });
}

} // namespace vantoly::qt
