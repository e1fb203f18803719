// frmMain's notes: the selectors, the buttons and the check boxes.
#include "app/frmMain.h"
#include "base/ResumeNext.h"
#include "notes/Alarm.h"
#include "notes/NoteSlots.h"
#include "tray/DayIcon.h"

namespace vantoly {

void frmMain::Option1_Click(int16_t Index) {
    if (!IsNoteSlot(Index))
        return;
    // The note left is saved, and its alarm armed, as OK would.
    ArmAlarm();
    ShowNote(Index);
    ui_.setFocus(Control::txtNote);
}

void frmMain::ShowNote(int16_t slot) {
    // CurrentNote still names the slot being left, so its text goes under that slot's key.
    SaveSettings();
    CurrentNote = slot;
    ui_.setText(Control::txtNote, StoredNote(slot));
}

void frmMain::Option1_MouseDown(int16_t Index, int16_t Button, int16_t /*Shift*/, float /*X*/,
                                float /*Y*/) {
    if (Button != 2 || !IsNoteSlot(Index))
        return;
    // Out of top-most while the box is open, so nothing covers it.
    SetOnTop(*this, 0, 0);
    const std::u16string title = InModalBox([&] {
        return ui_.inputBox(u"Enter Title:", std::u16string(kAppTitle), ui_.text(Option1(Index)));
    });
    if (!title.empty()) {
        ui_.setText(Option1(Index), title);
        if (!WriteSetting(kAppTitle, kSection, NoteSlots[size_t(Index)].titleKey, title))
            ReportSaveFailure();
    }
    SetOnTop(*this, -1, 0);
    CheckAlarmAfterBox();
}

void frmMain::Command2_Click() {
    SaveSettings();
    if (!ui_.textView(Control::txtNote).empty())
        ArmAlarm();
    else
        SetNoteAlarm(CurrentNote, false);
    RefreshTrayIcon();
    // Our own close request: Form_Unload refuses it and hides the window.
    int16_t Cancel = 0;
    Form_Unload(Cancel);
}

void frmMain::Command3_Click() {
    ui_.clearText(Control::txtNote);
    ui_.setFocus(Control::txtNote);
}

// The check boxes also change while the window is hidden (their values are restored at
// start-up), when the focus cannot move: each step goes on past a failing one.
void frmMain::chkBlack_Click() {
    ResumeNext([&] {
        IconFolder =
            std::u16string(ui_.value(Control::chkBlack) != 0 ? kBlackFolder : kWhiteFolder);
    });
    ResumeNext([&] { RefreshTrayIcon(); });
    ResumeNext([&] { ui_.setFocus(Control::Command2); });
}

void frmMain::chkNote_Click() {
    ResumeNext([&] {
        if (!ui_.textView(Control::txtNote).empty())
            ApplyNoteIndicatorIcon();
    });
    ResumeNext([&] { ui_.setFocus(Control::Command2); });
}

} // namespace vantoly
