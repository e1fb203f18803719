#include "app/frmMain.h"

#include <exception>

#include "base/NumberText.h"
#include "base/Settings.h"
#include "base/Utf8.h"
#include "notes/NoteSlots.h"

namespace vantoly {

void frmMain::Form_Initialize() {
    ui_.InitCommonControls();
}

void frmMain::Form_Load() {
    if (p_.host.anotherInstanceRunning()) {
        // Whoever starts it again wants the window: the running one shows it.
        p_.host.activateRunningInstance();
        p_.host.endProcess(0);
        return;
    }

    RestoreEdge(Edge::Left, Key::xPos);
    RestoreEdge(Edge::Top, Key::yPos);
    RestoreEdge(Edge::Height, Key::hPos);
    RestoreEdge(Edge::Width, Key::wPos);

    ui_.setText(Control::txtNote,
                ReadSetting(kAppTitle, kSection, NoteSlots[0].textKey, NoteSlots[0].defaultText));
    for (int slot = 0; slot < int(NoteSlots.size()); ++slot)
        ui_.setText(Option1(slot),
                    ReadSetting(kAppTitle, kSection, NoteSlots[size_t(slot)].titleKey,
                                NoteSlots[size_t(slot)].defaultTitle));
    CurrentNote = 0;

    RestoreOption(Control::chkBlack, Key::Black);
    RestoreOption(Control::chkNote, Key::Indicator);
    LoadRings();

    PrepareTrayData();

    bool iconAdded = false;
    try {
        AddTrayIcon();
        iconAdded = true;
        if (!ui_.textView(Control::txtNote).empty()) {
            ApplyNoteIndicatorIcon();
            ArmAlarm();
        }
        ArmStoredAlarms();
        SetOnTop(*this, -1, 0);
        ui_.hideForm();
        SendTrayData(NIM_SETVERSION);
        settings_.watch([this] { SettingsChangedElsewhere(); });
    } catch (const std::exception&) {
        InstallationError();
        // An icon added before the failure would stay in the tray as a dead icon.
        if (iconAdded) {
            try {
                RemoveTrayIcon();
            } catch (const std::exception&) {
            }
        }
        p_.host.endProcess(1);
    }
}

void frmMain::InstallationError() {
    ui_.messageBox(u"Vantly is not properly installed\r\nPlease reinstall the program",
                   vbExclamation, std::u16string(kAppTitle));
}

void frmMain::Form_Unload(int16_t& Cancel) {
    Cancel = -1;
    ui_.hideForm();
}

void frmMain::Command1_Click() {
    const bool asked = quietSaves_;
    quietSaves_ = true;
    const bool saved = SaveSettings();
    quietSaves_ = asked;
    if (!saved && !asked) {
        const int answer = InModalBox([&] {
            return ui_.messageBox(
                u"Vantoly could not save your notes.\r\n\r\n" + FromUtf8(lastSaveFailure_) +
                    u"\r\n\r\n" + UnsavedNotesFate(true) + u"\r\n\r\nQuit anyway?",
                vbYesNo | vbExclamation | vbDefaultButton2, std::u16string(kAppTitle));
        });
        if (answer != vbYes) {
            CheckAlarmAfterBox();
            return;
        }
    }
    RemoveTrayIcon();
    p_.host.endProcess(0);
}

void frmMain::BringToFront() {
    ui_.showForm();
    ui_.setFocus(Control::txtNote);
}

void frmMain::SessionSave() {
    quietSaves_ = true;
    SaveSettings();
    ArmAlarm();
    quietSaves_ = false;
}

void frmMain::SessionEnd() {
    quietSaves_ = true;
    Command1_Click();
}

// A stored value that does not convert, or that the window cannot take, leaves the current one:
// the program only ever writes what it read from the window, so anything else is damage.
void frmMain::RestoreEdge(Edge edge, std::u16string_view key) {
    const std::u16string text = ReadSetting(kAppTitle, kSection, key, ui_.formGeometry(edge));
    const auto value = ParseNumberText(text, p_.clock.decimalSeparator());
    if (!value)
        return;
    if ((edge == Edge::Width || edge == Edge::Height) && *value <= 0)
        return;
    ui_.setFormGeometry(edge, *value);
}

void frmMain::RestoreOption(Control box, std::u16string_view key) {
    const std::u16string text = ReadSetting(kAppTitle, kSection, key, u"1");
    const auto value = ParseIntegerText(text, p_.clock.decimalSeparator());
    if (value && *value >= 0 && *value <= 2)
        ui_.setValue(box, *value);
}

} // namespace vantoly
