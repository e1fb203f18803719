#include "Fixture.h"
#include "notes/NoteSlots.h"

using namespace vantoly;
using fake::u16;
using fake::u8;

namespace {

struct Notes : test::Started {
    Notes() { start(); }
    // What the user does: select a note selector (the window is shown while they do).
    void select(int index) {
        fp.visible = true;
        form.Option1_Click(int16_t(index));
    }
    std::string note() const { return u8(fp.text(Control::txtNote)); }
    void type(const std::string& text) { fp.texts[Control::txtNote] = u16(text); }
};

TEST_F(Notes, FirstStartShowsDefaultTitlesEmptyNotesAndTheHelpText) {
    EXPECT_EQ(u8(fp.text(Control::Option1_0)), "Note 1");
    EXPECT_EQ(u8(fp.text(Control::Option1_1)), "Note 2");
    EXPECT_EQ(u8(fp.text(Control::Option1_2)), "Help");
    EXPECT_EQ(note(), "");
    select(1);
    EXPECT_EQ(note(), "");
    select(2);
    EXPECT_EQ(note(), "Right-Click 'Note 1', 'Note 2' or 'Help' to change the note's title.\r\n"
                      "Double-Click the tray icon to Show or Hide the Main Window.\r\n"
                      "Right-Click the tray icon to show the note in a balloon help dialog.\r\n"
                      "Enter: '@' + time to set an alarm (e.g. @H:MM)");
    EXPECT_EQ(form.CurrentNote, 2);
    EXPECT_EQ(fp.focusMoves.back(), Control::txtNote);
}

TEST_F(Notes, SwitchingStoresTheNoteBeingLeftBeforeReadingTheNext) {
    type("milk\r\neggs");
    select(1);
    ASSERT_GE(fp.writes.size(), 7u);
    EXPECT_EQ(u8(fp.writes[4].key), "Note");
    EXPECT_EQ(u8(fp.writes[4].value), "milk\r\neggs");
    EXPECT_EQ(u8(fp.reads.back()), "Note2");
    type("call Bob");
    select(2);
    select(0);
    EXPECT_EQ(note(), "milk\r\neggs");
    select(1);
    EXPECT_EQ(note(), "call Bob");
    EXPECT_EQ(u8(fp.store[u"Note3"]), u8(std::u16string(HelpNoteText)));
}

TEST_F(Notes, EditedOrEmptiedHelpNoteReplacesTheHelpTextForGood) {
    select(2);
    type("my help");
    select(0);
    select(2);
    EXPECT_EQ(note(), "my help");
    type("");
    select(0);
    select(2);
    EXPECT_EQ(note(), "");

    // After a restart the stored empty text still wins over the help text.
    fake::FakePlatform again;
    again.addDayIcons();
    again.store = fp.store;
    frmMain restarted(again.platform());
    restarted.Form_Load();
    again.visible = true;
    restarted.Option1_Click(2);
    EXPECT_EQ(u8(again.text(Control::txtNote)), "");
}

// The note left is saved, so its alarm is armed as OK would arm it; the tray icon waits for OK.
TEST_F(Notes, SwitchingArmsTheAlarmOfTheNoteLeftAndLeavesTheTrayIconAlone) {
    type("pay rent @10:00");
    select(1);
    EXPECT_TRUE(fp.timers[int(Timer::timerAlarm)]);
    type("");
    select(0);
    EXPECT_TRUE(fp.timers[int(Timer::timerAlarm)]) << "note 1 still waits";
    EXPECT_TRUE(fp.shellCalls.empty());
    EXPECT_TRUE(loads().empty());
}

TEST_F(Notes, RenamingAnotherSlotWritesItsTitleAndLeavesTheNoteAlone) {
    type("draft");
    fp.visible = true;
    fp.inputAnswers = {u"Shopping"};
    form.Option1_MouseDown(1, 2, 0, 10, 10);
    ASSERT_EQ(fp.inputBoxes.size(), 1u);
    EXPECT_EQ(u8(fp.inputBoxes[0].prompt), "Enter Title:");
    EXPECT_EQ(u8(fp.inputBoxes[0].caption), "Vantoly");
    EXPECT_EQ(u8(fp.inputBoxes[0].defaultText), "Note 2");
    EXPECT_EQ(u8(fp.text(Control::Option1_1)), "Shopping");
    ASSERT_EQ(fp.writes.size(), 1u);
    EXPECT_EQ(u8(fp.writes[0].key), "Title2");
    EXPECT_EQ(u8(fp.writes[0].value), "Shopping");
    EXPECT_EQ(note(), "draft");
    EXPECT_EQ(form.CurrentNote, 0);
}

TEST_F(Notes, RenameStepsOutOfTopMostWhileTheBoxIsOpen) {
    fp.inputAnswers = {u""};
    form.Option1_MouseDown(0, 2, 0, 0, 0);
    ASSERT_EQ(fp.inputBoxes.size(), 1u);
    ASSERT_EQ(fp.inputBoxes[0].zorderCallsBefore, 1u);
    EXPECT_EQ(fp.zorderCalls[0].insertAfter, HWND_NOTOPMOST);
    ASSERT_EQ(fp.zorderCalls.size(), 2u);
    EXPECT_EQ(fp.zorderCalls[1].insertAfter, HWND_TOPMOST);
    EXPECT_EQ(form.OnTopForms->size(), 1u);
}

TEST_F(Notes, CancelledOrEmptyTitleChangesNothingButBlanksAreATitle) {
    fp.inputAnswers = {u""};
    form.Option1_MouseDown(2, 2, 0, 0, 0);
    EXPECT_EQ(u8(fp.text(Control::Option1_2)), "Help");
    form.Option1_MouseDown(2, 2, 0, 0, 0); // no answer left: cancelled
    EXPECT_EQ(u8(fp.text(Control::Option1_2)), "Help");
    EXPECT_TRUE(fp.writes.empty());

    fp.inputAnswers = {u"   "};
    form.Option1_MouseDown(2, 2, 0, 0, 0);
    EXPECT_EQ(u8(fp.text(Control::Option1_2)), "   ");
    EXPECT_EQ(u8(fp.store[u"Title3"]), "   ");
}

TEST_F(Notes, OnlyTheRightButtonOpensTheRenameBox) {
    for (int16_t button : {1, 4, 3})
        form.Option1_MouseDown(0, button, 0, 0, 0);
    EXPECT_TRUE(fp.inputBoxes.empty());
    EXPECT_TRUE(fp.zorderCalls.empty());
}

TEST_F(Notes, RenamedTitlesComeBackAfterARestart) {
    fp.inputAnswers = {u"Work", u"Home"};
    form.Option1_MouseDown(0, 2, 0, 0, 0);
    form.Option1_MouseDown(2, 2, 0, 0, 0);
    fake::FakePlatform again;
    again.addDayIcons();
    again.store = fp.store;
    frmMain restarted(again.platform());
    restarted.Form_Load();
    EXPECT_EQ(u8(again.text(Control::Option1_0)), "Work");
    EXPECT_EQ(u8(again.text(Control::Option1_1)), "Note 2");
    EXPECT_EQ(u8(again.text(Control::Option1_2)), "Home");
}

TEST_F(Notes, UnknownSelectorIndexesAreIgnored) {
    type("kept");
    form.Option1_Click(3);
    form.Option1_Click(-1);
    fp.inputAnswers = {u"x"};
    form.Option1_MouseDown(7, 2, 0, 0, 0);
    EXPECT_EQ(note(), "kept");
    EXPECT_EQ(form.CurrentNote, 0);
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_TRUE(fp.inputBoxes.empty());
}

TEST_F(Notes, OkWithAnEmptyNoteStopsTheAlarmShowsThePlainIconAndHides) {
    fp.visible = true;
    fp.timers[int(Timer::timerAlarm)] = true;
    form.Command2_Click();
    EXPECT_FALSE(fp.timers[int(Timer::timerAlarm)]);
    EXPECT_EQ(loads(), std::vector<std::u16string>{u"C:\\Vantoly\\Black\\7.ico"});
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION}));
    EXPECT_FALSE(fp.visible);
    EXPECT_EQ(u8(fp.store.at(u"Note")), "");
}

TEST_F(Notes, OkArmsTheAlarmOnlyForANoteWithAMarker) {
    struct Case {
        const char* note;
        bool armed;
    };
    for (const Case& c :
         {Case{"buy milk", false}, Case{"dentist @9:30", true}, Case{"@", true}, Case{"", false}}) {
        fp.visible = true;
        fp.timers[int(Timer::timerAlarm)] = !c.armed;
        type(c.note);
        form.Command2_Click();
        EXPECT_EQ(fp.timers[int(Timer::timerAlarm)], c.armed) << c.note;
        EXPECT_FALSE(fp.visible);
        EXPECT_EQ(u8(fp.store.at(u"Note")), c.note);
    }
}

TEST_F(Notes, OkWithANoteShowsTheIndicatorIcon) {
    type("x");
    form.Command2_Click();
    EXPECT_EQ(saves(), std::vector<std::u16string>{u"C:\\Vantoly\\tmp.ico"});
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\tmp.ico");
}

TEST_F(Notes, OkStopsAtAMissingIconButKeepsWhatItSaved) {
    fp.files.clear();
    fp.visible = true;
    type("saved anyway");
    EXPECT_THROW(form.Command2_Click(), std::exception);
    EXPECT_EQ(u8(fp.store.at(u"Note")), "saved anyway");
    EXPECT_TRUE(fp.visible); // the failing refresh came before the close request
}

TEST_F(Notes, ClearEmptiesTheBoxAndStoresNothingUntilOk) {
    fp.store[u"Note"] = u"old";
    type("old");
    fp.visible = true;
    fp.timers[int(Timer::timerAlarm)] = true;
    form.Command3_Click();
    EXPECT_EQ(note(), "");
    EXPECT_EQ(fp.focusMoves.back(), Control::txtNote);
    int16_t cancel = 0;
    form.Form_Unload(cancel); // the window system's close request
    EXPECT_FALSE(fp.visible);
    EXPECT_EQ(u8(fp.store.at(u"Note")), "old");
    EXPECT_TRUE(fp.timers[int(Timer::timerAlarm)]);
    EXPECT_TRUE(fp.shellCalls.empty());
    EXPECT_TRUE(fp.writes.empty());
}

TEST_F(Notes, BlackBoxSwitchesTheIconFolderAndAlwaysRefreshes) {
    fp.visible = true;
    fp.values[Control::chkBlack] = 0;
    form.chkBlack_Click();
    EXPECT_EQ(u8(form.IconFolder), "White\\");
    EXPECT_EQ(loads(), std::vector<std::u16string>{u"C:\\Vantoly\\White\\7.ico"});
    EXPECT_EQ(fp.focusMoves.back(), Control::Command2);
    fp.values[Control::chkBlack] = 1;
    form.chkBlack_Click();
    EXPECT_EQ(u8(form.IconFolder), "Black\\");
    EXPECT_TRUE(fp.writes.empty()); // the value is stored by OK or Quit only
}

TEST_F(Notes, CheckBoxesCompleteWhileHiddenAndPastAMissingIcon) {
    fp.visible = false;
    fp.files.clear();
    fp.values[Control::chkBlack] = 0;
    EXPECT_NO_THROW(form.chkBlack_Click());
    EXPECT_EQ(u8(form.IconFolder), "White\\");
    type("note");
    EXPECT_NO_THROW(form.chkNote_Click());
    EXPECT_TRUE(fp.shellCalls.empty());
}

TEST_F(Notes, IndicatorBoxTouchesTheIconOnlyWhenANoteIsPresent) {
    fp.visible = true;
    fp.values[Control::chkNote] = 0;
    form.chkNote_Click();
    EXPECT_TRUE(fp.shellCalls.empty());
    EXPECT_EQ(fp.focusMoves.back(), Control::Command2);

    type("x");
    form.chkNote_Click();
    EXPECT_EQ(loads(), std::vector<std::u16string>{u"C:\\Vantoly\\Black\\7.ico"});
    fp.values[Control::chkNote] = 1;
    form.chkNote_Click();
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\tmp.ico");
}

TEST_F(Notes, AnAlarmStaysWithItsNoteWhenAnotherIsShown) {
    type("@9:16");
    form.Command2_Click();
    fp.visible = true;
    select(1);
    type("typed in note 2");
    fp.clock.minute = 16;
    form.timerAlarm_Timer();
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(form.CurrentNote, 0);
    EXPECT_EQ(note(), "@9:16");
    EXPECT_EQ(u8(fp.store.at(u"Note2")), "typed in note 2");
}

} // namespace
