#include "Fixture.h"
#include "app/JournalingStore.h"

using namespace vantoly;
using fake::u8;
using Settings = test::Fixture;

namespace {

TEST_F(Settings, SaveWritesEveryKeyInOrder) {
    fp.geometry[0] = 1440;
    fp.geometry[1] = -300;
    fp.geometry[2] = 5790;
    fp.geometry[3] = 5400.5f;
    fp.decimal = u",";
    fp.texts[Control::txtNote] = u"line 1\r\nline 2";
    fp.values[Control::chkBlack] = 0;
    fp.values[Control::chkNote] = 1;
    form.SaveSettings();
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& w : fp.writes)
        got.emplace_back(u8(w.key), u8(w.value));
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{{"xPos", "1440"},
                                                                     {"yPos", "-300"},
                                                                     {"wPos", "5790"},
                                                                     {"hPos", "5400,5"},
                                                                     {"Note", "line 1\r\nline 2"},
                                                                     {"Black", "0"},
                                                                     {"Indicator", "1"}}));
}

TEST_F(Settings, NoteGoesUnderTheKeyOfTheCurrentSlot) {
    const std::pair<int16_t, const char*> slots[] = {
        {0, "Note"}, {1, "Note2"}, {2, "Note3"}, {5, "Note3"}, {-1, "Note3"}};
    for (const auto& [slot, key] : slots) {
        fp.writes.clear();
        form.CurrentNote = slot;
        form.SaveSettings();
        EXPECT_EQ(u8(fp.writes.at(4).key), key) << slot;
    }
}

TEST_F(Settings, SavedGeometryRestoresTheSameWindow) {
    fp.geometry[0] = -300;
    fp.geometry[1] = 77.25f;
    fp.geometry[2] = 6001;
    fp.geometry[3] = 4321;
    fp.decimal = u",";
    form.SaveSettings();
    fake::FakePlatform next;
    next.addDayIcons();
    next.decimal = u",";
    next.store = fp.store;
    frmMain restarted(next.platform());
    restarted.Form_Load();
    for (int edge = 0; edge < 4; ++edge)
        EXPECT_EQ(next.geometry[edge], fp.geometry[edge]) << edge;
}

TEST_F(Settings, MissingKeyReadsAsItsDefaultText) {
    EXPECT_EQ(u8(form.ReadSetting(u"Vantoly", u"Settings", u"xPos", 1440.0f)), "1440");
    EXPECT_EQ(u8(form.ReadSetting(u"Vantoly", u"Settings", u"Title3", u"Help")), "Help");
    EXPECT_TRUE(fp.store.empty());
}

TEST_F(Settings, QuitWithAFailingStoreAsksFirstAndSessionEndDoesNot) {
    form.Form_Load();
    fp.settingsWritable = false;
    fp.texts[Control::txtNote] = u"typed";
    fp.boxAnswers = {vbNo};
    form.Command1_Click();
    EXPECT_EQ(fp.writes.size(), 7u); // every write was tried
    ASSERT_EQ(fp.problems.size(), 1u);
    EXPECT_NE(fp.problems[0].find("could not be saved"), std::string::npos);
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_EQ(fp.boxes[0].style, vbYesNo | vbExclamation | vbDefaultButton2);
    EXPECT_NE(u8(fp.boxes[0].prompt).find("read-only"), std::string::npos) << "and why";
    EXPECT_FALSE(fp.endedWith) << "No: it stays running";
    EXPECT_NE(messages().back(), NIM_DELETE);

    fp.boxAnswers = {vbYes};
    form.Command1_Click();
    EXPECT_EQ(messages().back(), NIM_DELETE);
    EXPECT_EQ(fp.endedWith, 0);

    fake::FakePlatform other;
    other.addDayIcons();
    frmMain ending(other.platform());
    ending.Form_Load();
    other.settingsWritable = false;
    ending.SessionEnd();
    EXPECT_TRUE(other.boxes.empty()) << "nobody is there to answer";
    EXPECT_EQ(other.endedWith, 0);
    EXPECT_EQ(other.problems.size(), 1u);
}

TEST_F(Settings, AFailingStoreIsShownOnceAndNotesWaitInMemory) {
    form.Form_Load();
    fp.visible = true;
    fp.settingsWritable = false;
    fp.texts[Control::txtNote] = u"first draft";
    form.Option1_Click(1);
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_NE(u8(fp.boxes[0].prompt).find("the settings file is read-only"), std::string::npos);
    fp.texts[Control::txtNote] = u"second draft";
    form.Command2_Click();
    fp.visible = true;
    form.Option1_Click(0);
    EXPECT_EQ(fp.boxes.size(), 1u) << "once, not on every save";
    EXPECT_EQ(u8(fp.texts[Control::txtNote]), "first draft") << "switching lost nothing";

    fp.settingsWritable = true;
    form.Command2_Click();
    EXPECT_EQ(u8(fp.store.at(u"Note")), "first draft");
    EXPECT_EQ(u8(fp.store.at(u"Note2")), "second draft");
    fp.settingsWritable = false;
    form.Command2_Click();
    EXPECT_EQ(fp.boxes.size(), 2u) << "a new episode is shown again";
}

// A value changed in the file since it was read (another computer's sync, another session) is
// never written over: changed only there, OK leaves it and the window shows it; changed here
// too, a note keeps both texts, ours first, and a balloon says so; an option is the later, ours.
TEST(SettingsElsewhere, AValueChangedInTheFileIsTakenOrKeptBeside) {
    const std::string both = "mine 2" + u8(std::u16string(kBothKeptSeparator)) + "theirs";
    const struct {
        const char16_t* key;
        const char16_t* here;  // the window's value at OK
        const char16_t* there; // the file's, changed after the start
        const char* file;      // after OK
        const char* shown;     // the window's after OK
    } cases[] = {
        {u"Note", u"mine", u"theirs", "theirs", "theirs"},
        {u"Note", u"mine 2", u"theirs", both.c_str(), both.c_str()},
        {u"Note", u"mine 2", u"mine", "mine 2", "mine 2"},
        {u"Note", u"mine 2", u"mine 2", "mine 2", "mine 2"},
        {u"Black", u"1", u"0", "0", "0"},
        {u"Black", u"0", u"2", "0", "0"},
        // Held nowhere, so shown as its default and saved unchanged: the file's new value stands.
        {u"Note2", u"", u"theirs", "theirs", "mine"},
    };
    for (const auto& c : cases) {
        fake::FakePlatform fp;
        fp.addDayIcons();
        fp.store = {{u"Note", u"mine"}, {u"Black", u"1"}};
        frmMain form(fp.platform());
        form.Form_Load();
        fp.store[c.key] = c.there;
        const bool option = std::u16string_view(c.key) == u"Black";
        if (std::u16string_view(c.key) == u"Note")
            fp.texts[Control::txtNote] = c.here;
        else if (option)
            fp.values[Control::chkBlack] = int16_t(c.here[0] - u'0');
        form.Command2_Click();
        const std::string label = u8(c.key) + " " + u8(c.here) + "/" + u8(c.there);
        EXPECT_EQ(u8(fp.store[c.key]), c.file) << label;
        EXPECT_EQ(option ? std::to_string(fp.values[Control::chkBlack])
                         : u8(fp.texts[Control::txtNote]),
                  c.shown)
            << label;
        const bool said = !fp.shellCalls.empty() &&
                          fp.shellCalls.back().fields.szInfo == "changed elsewhere too: both kept";
        EXPECT_EQ(said, std::string(c.file) == both) << label;
    }
}

// Changed in the file while Vantoly runs: the shown note, a title and the alarms follow at
// once; a note being typed does not, and keeps both texts at OK.
TEST(SettingsElsewhere, ChangesInTheFileShowUpWhileItRuns) {
    fake::FakePlatform fp;
    fp.addDayIcons();
    fp.store = {{u"Note", u"mine"}, {u"Title2", u"Work"}};
    frmMain form(fp.platform());
    form.Form_Load();
    ASSERT_TRUE(fp.storeChanged);
    fp.visible = true;
    fp.setSelection(Control::txtNote, 3, 0);
    const size_t selected = fp.selections.size();
    fp.store[u"Note"] = u"theirs @9:05";
    fp.store[u"Title2"] = u"Home";
    fp.storeChanged();
    EXPECT_EQ(u8(fp.texts[Control::txtNote]), "theirs @9:05");
    ASSERT_EQ(fp.selections.size(), selected + 1);
    EXPECT_EQ(fp.selections.back().start, 3) << "the caret stays where it was";
    EXPECT_EQ(u8(fp.texts[Control::Option1_1]), "Home");
    EXPECT_TRUE(form.NoteAlarms[0].armedFrom) << "an alarm written there rings here";
    fp.texts[Control::txtNote] = u"typed";
    fp.store[u"Note"] = u"theirs again";
    fp.storeChanged();
    EXPECT_EQ(u8(fp.texts[Control::txtNote]), "typed");
    form.Command2_Click();
    EXPECT_EQ(fp.store[u"Note"], u"typed" + std::u16string(kBothKeptSeparator) + u"theirs again");
}

// A save the store reports done while its file holds nothing (a full disk under a library that
// renamed an empty file into place): the user is told, the journal keeps the note and every
// title the file lost, and later typing is based on what the file really holds, so a sudden end
// and a restart bring everything back.
TEST_F(Settings, ASaveTheFileDoesNotHoldIsAFailureAndLosesNothing) {
    fp.store = {{u"Note", u"saved"}, {u"Title2", u"Work"}};
    form.Form_Load();
    fp.fileEmptied = true;
    fp.texts[Control::txtNote] = u"typed";
    form.Command2_Click();
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_NE(u8(fp.boxes[0].prompt).find("kept in the recovery journal"), std::string::npos);
    fp.texts[Control::txtNote] = u"typed, and more";
    form.NoteTyped();
    form.timerAutosave_Timer();

    fake::FakePlatform next; // the file as the failed save left it: empty
    next.addDayIcons();
    next.journal = fp.journal;
    frmMain restarted(next.platform());
    restarted.Form_Load();
    EXPECT_EQ(u8(next.texts[Control::txtNote]), "typed, and more");
    EXPECT_EQ(u8(next.texts[Control::Option1_1]), "Work");
    EXPECT_EQ(u8(next.store[u"Title2"]), "Work") << "put back into the file";
}

// A journal that cannot be written is tried again every second, without a box for a moment's
// trouble; still failing after five seconds, the user is told once. Room again, the typing
// reaches it though nothing more was typed.
TEST_F(Settings, AFailingJournalIsRetriedAndSaidOnce) {
    form.Form_Load();
    fp.journal.full = true;
    fp.texts[Control::txtNote] = u"typed while the disk was full";
    form.NoteTyped();
    EXPECT_TRUE(fp.timers[int(Timer::timerAutosave)]);
    for (int tick = 0; tick < 4; ++tick)
        form.timerAutosave_Timer();
    EXPECT_TRUE(fp.boxes.empty());
    form.timerAutosave_Timer();
    form.timerAutosave_Timer();
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_NE(u8(fp.boxes[0].prompt).find("no space left"), std::string::npos) << "and why";
    EXPECT_FALSE(fp.journal.bytes);
    fp.journal.full = false;
    form.timerAutosave_Timer();
    ASSERT_TRUE(fp.journal.bytes);
    EXPECT_NE(fp.journal.bytes->find("typed while the disk was full"), std::string::npos);
    EXPECT_FALSE(fp.timers[int(Timer::timerAutosave)]) << "done: no more ticks";

    // Quit with neither the store nor the journal writable says the notes would be lost.
    fp.settingsWritable = false;
    fp.journal.full = true;
    fp.boxAnswers = {vbNo};
    form.Command1_Click();
    EXPECT_NE(u8(fp.boxes.back().prompt).find("would be lost"), std::string::npos);
}

} // namespace
