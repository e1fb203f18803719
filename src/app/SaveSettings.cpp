#include <string>

#include "app/NumberText.h"
#include "app/Settings.h"
#include "app/Utf8.h"
#include "app/frmMain.h"
#include "notes/NoteSlots.h"
#include "platform/Failure.h"

namespace vantoly {

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, std::u16string_view defaultText) {
    auto stored =
        p_.settings.read(std::u16string(app), std::u16string(section), std::u16string(key));
    return stored ? *stored : std::u16string(defaultText);
}

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, float defaultNumber) {
    return ReadSetting(app, section, key, NumberText(defaultNumber, p_.clock.decimalSeparator()));
}

// A store that cannot be written must not stop Quit or OK, nor lose a note: the note stays in
// memory for its slot until a write succeeds, and the user is told once, on screen, until the
// store takes writes again.
bool frmMain::WriteSetting(std::u16string_view app, std::u16string_view section,
                           std::u16string_view key, std::u16string_view text) {
    ++storeWrites_;
    try {
        p_.settings.write(std::u16string(app), std::u16string(section), std::u16string(key),
                          std::u16string(text));
        return true;
    } catch (const PlatformFailure& failure) {
        if (!saveFailure_)
            saveFailure_ = failure.what();
        return false;
    }
}

bool frmMain::SaveSettings() {
    const std::u16string separator = p_.clock.decimalSeparator();
    bool saved = true;
    auto write = [&](std::u16string_view key, std::u16string_view text) {
        saved = WriteSetting(kAppTitle, kSection, key, text) && saved;
    };
    write(Key::xPos, NumberText(ui_.formGeometry(Edge::Left), separator));
    write(Key::yPos, NumberText(ui_.formGeometry(Edge::Top), separator));
    write(Key::wPos, NumberText(ui_.formGeometry(Edge::Width), separator));
    write(Key::hPos, NumberText(ui_.formGeometry(Edge::Height), separator));
    // The shown note under its slot's key, then any the store could not take before.
    std::u16string note = ui_.text(Control::txtNote);
    const bool noteWritten = WriteSetting(kAppTitle, kSection, NoteKey(CurrentNote), note);
    saved = noteWritten && saved;
    if (IsNoteSlot(CurrentNote))
        UnsavedNotes[size_t(CurrentNote)] =
            noteWritten ? std::nullopt : std::optional(std::move(note));
    for (int16_t slot = 0; slot < int16_t(UnsavedNotes.size()); ++slot) {
        std::optional<std::u16string>& unsaved = UnsavedNotes[size_t(slot)];
        if (slot == CurrentNote || !unsaved)
            continue;
        const bool written = WriteSetting(kAppTitle, kSection, NoteKey(slot), *unsaved);
        if (written)
            unsaved.reset();
        saved = written && saved;
    }
    write(Key::Black, IntegerText(ui_.value(Control::chkBlack)));
    write(Key::Indicator, IntegerText(ui_.value(Control::chkNote)));
    if (saved)
        saveFailureShown_ = false;
    else
        ReportSaveFailure();
    return saved;
}

void frmMain::ReportSaveFailure() {
    if (!saveFailure_)
        return;
    const std::string what = *saveFailure_;
    lastSaveFailure_ = what;
    saveFailure_.reset();
    if (saveFailureShown_)
        return;
    saveFailureShown_ = true;
    p_.host.reportProblem("Vantoly: the settings could not be saved: " + what);
    if (quietSaves_)
        return;
    InModalBox([&] {
        return ui_.messageBox(u"Vantoly could not save your notes.\r\n\r\n" + FromUtf8(what) +
                                  u"\r\n\r\nThey stay in the window and are saved as soon as "
                                  u"the settings can be written.",
                              vbExclamation, std::u16string(kAppTitle));
    });
    CheckAlarmAfterBox();
}

} // namespace vantoly
