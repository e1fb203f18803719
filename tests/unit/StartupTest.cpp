#include "Fixture.h"
#include "app/CommandLine.h"

using namespace vantoly;
using fake::u8;
using Startup = test::Fixture;

namespace {

TEST_F(Startup, InitialisesTheCommonControls) {
    form.Form_Initialize();
    EXPECT_TRUE(fp.commonControlsInitialised);
}

TEST_F(Startup, EmptyStoreGivesTheDefaults) {
    fp.geometry[0] = 1200;
    fp.geometry[1] = 900;
    form.Form_Load();

    EXPECT_EQ(fp.geometry[0], 1200);
    EXPECT_EQ(fp.geometry[1], 900);
    EXPECT_EQ(fp.geometry[2], 5790);
    EXPECT_EQ(fp.geometry[3], 5400);
    EXPECT_EQ(fp.text(Control::txtNote), u"");
    EXPECT_EQ(fp.text(Control::Option1_0), u"Note 1");
    EXPECT_EQ(fp.text(Control::Option1_1), u"Note 2");
    EXPECT_EQ(fp.text(Control::Option1_2), u"Help");
    EXPECT_EQ(fp.value(Control::chkBlack), 1);
    EXPECT_EQ(fp.value(Control::chkNote), 1);
    EXPECT_EQ(form.CurrentNote, 0);
    EXPECT_EQ(u8(form.IconFolder), "Black\\");
    EXPECT_EQ(form.IconDay, 7);
    EXPECT_FALSE(fp.visible);
    EXPECT_FALSE(fp.endedWith);
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_TRUE(fp.boxes.empty());
    EXPECT_TRUE(saves().empty());
    EXPECT_EQ(fp.reads,
              (std::vector<std::u16string>{u"xPos", u"yPos", u"hPos", u"wPos", u"Note", u"Title1",
                                           u"Title2", u"Title3", u"Black", u"Indicator",
                                           // for the alarms of the notes not shown
                                           u"Note2", u"Note3"}));
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_ADD, NIM_SETVERSION}));
}

TEST_F(Startup, TrayRecordIsPreparedBeforeTheIconIsAdded) {
    form.Form_Load();
    const auto& add = fp.shellCalls.at(0).fields;
    EXPECT_EQ(add.cbSize, 504u);
    EXPECT_EQ(add.hWnd, uint32_t(fake::FakePlatform::kPicture1Handle));
    EXPECT_EQ(add.uID, 999u);
    EXPECT_EQ(add.uFlags, 7u);
    EXPECT_EQ(add.uCallbackMessage, 512u);
    EXPECT_EQ(add.dwState, 2u);
    EXPECT_EQ(add.dwStateMask, 0u);
    EXPECT_EQ(add.uVersion, 3u);
    EXPECT_EQ(add.dwInfoFlags, 0u);
    EXPECT_EQ(u8(loads().at(0)), "C:\\Vantoly\\Black\\7.ico");
}

TEST_F(Startup, FullStoreIsRestored) {
    fp.store = {{u"xPos", u"-300"},
                {u"yPos", u"1440"},
                {u"wPos", u"6000.5"},
                {u"hPos", u"4000"},
                {u"Note", u"Buy milk\r\ncheese"},
                {u"Note2", u"second"},
                {u"Title1", u"Home"},
                {u"Title2", u"  "},
                {u"Title3", u"Tips"},
                {u"Black", u"0"},
                {u"Indicator", u"1"}};
    fp.geometry[0] = 1;
    form.Form_Load();

    EXPECT_EQ(fp.geometry[0], -300);
    EXPECT_EQ(fp.geometry[1], 1440);
    EXPECT_EQ(fp.geometry[2], 6000.5f);
    EXPECT_EQ(fp.geometry[3], 4000);
    EXPECT_EQ(fp.text(Control::txtNote), u"Buy milk\r\ncheese");
    EXPECT_EQ(fp.text(Control::Option1_0), u"Home");
    EXPECT_EQ(fp.text(Control::Option1_1), u"  ");
    EXPECT_EQ(fp.text(Control::Option1_2), u"Tips");
    EXPECT_EQ(fp.value(Control::chkBlack), 0);
    EXPECT_EQ(u8(form.IconFolder), "White\\");
    EXPECT_EQ(form.CurrentNote, 0);
    // The note is present and the indicator on: the white icon through the scratch file.
    EXPECT_EQ(messages(),
              (std::vector<uint32_t>{NIM_ADD, NIM_MODIFY, NIM_SETVERSION, NIM_SETVERSION}));
    EXPECT_EQ(loads(),
              (std::vector<std::u16string>{u"C:\\Vantoly\\White\\7.ico",
                                           u"C:\\Vantoly\\white\\7.ico", u"C:\\Vantoly\\tmp.ico"}));
    EXPECT_EQ(saves(), std::vector<std::u16string>{u"C:\\Vantoly\\tmp.ico"});
    EXPECT_FALSE(fp.visible);
    EXPECT_TRUE(fp.writes.empty());
}

TEST_F(Startup, GrayedBlackOptionGivesBlackIcons) {
    fp.store = {{u"Black", u"2"}, {u"Indicator", u"0"}, {u"Note", u"x"}};
    form.Form_Load();
    EXPECT_EQ(u8(form.IconFolder), "Black\\");
    EXPECT_TRUE(saves().empty()); // indicator off: no scratch icon
    EXPECT_EQ(messages(),
              (std::vector<uint32_t>{NIM_ADD, NIM_MODIFY, NIM_SETVERSION, NIM_SETVERSION}));
}

TEST_F(Startup, DamagedStoredValuesLeaveTheCurrentOnes) {
    fp.store = {{u"xPos", u"left"}, {u"yPos", u"1e40"}, {u"wPos", u"-5"},
                {u"hPos", u"0"},    {u"Black", u"7"},   {u"Indicator", u"on"}};
    fp.geometry[0] = 100;
    fp.geometry[1] = 200;
    fp.values[Control::chkBlack] = 0;
    fp.values[Control::chkNote] = 1;
    form.Form_Load();
    EXPECT_EQ(fp.geometry[0], 100);
    EXPECT_EQ(fp.geometry[1], 200);
    EXPECT_EQ(fp.geometry[2], 5790);
    EXPECT_EQ(fp.geometry[3], 5400);
    EXPECT_EQ(fp.value(Control::chkBlack), 0);
    EXPECT_EQ(fp.value(Control::chkNote), 1);
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_ADD, NIM_SETVERSION}));
    EXPECT_FALSE(fp.endedWith);
}

TEST_F(Startup, SecondInstanceAsksForTheWindowAndEndsAtOnceLeavingNoTrace) {
    fp.otherInstance = true;
    form.Form_Load();
    EXPECT_EQ(fp.activations, 1);
    EXPECT_EQ(fp.endedWith, 0);
    EXPECT_TRUE(fp.reads.empty());
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_TRUE(fp.shellCalls.empty());
    EXPECT_TRUE(fp.pictureOps.empty());
    EXPECT_TRUE(fp.boxes.empty());
    EXPECT_EQ(fp.versionSizeQueries, 0);
}

void expectInstallationBox(const fake::FakePlatform& fp) {
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_EQ(u8(fp.boxes[0].prompt),
              "Vantly is not properly installed\r\nPlease reinstall the program");
    EXPECT_EQ(fp.boxes[0].style, 48);
    EXPECT_EQ(u8(fp.boxes[0].caption), "Vantoly");
}

TEST_F(Startup, MissingDayIconShowsTheInstallationMessageAndEnds) {
    fp.files.clear();
    form.Form_Load();
    expectInstallationBox(fp);
    EXPECT_EQ(fp.endedWith, 1);
    EXPECT_TRUE(fp.shellCalls.empty());
}

TEST_F(Startup, FailureAfterTheIconWasAddedRemovesItBeforeTheEnd) {
    fp.store = {{u"Note", u"milk"}};
    fp.files.erase(u"C:\\Vantoly\\White\\7.ico"); // the indicator picture
    form.Form_Load();
    expectInstallationBox(fp);
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_ADD, NIM_DELETE}));
    EXPECT_EQ(fp.endedWith, 1);
}

TEST_F(Startup, UnwritableScratchIconIsAnInstallationError) {
    fp.store = {{u"Note", u"milk"}};
    fp.appDirWritable = false;
    fp.cacheDir = u"C:\\Vantoly"; // nowhere to fall back to
    form.Form_Load();
    expectInstallationBox(fp);
    EXPECT_EQ(fp.endedWith, 1);
}

TEST_F(Startup, CloseRequestIsRefusedAndHidesTheWindow) {
    form.Form_Load();
    fp.visible = true;
    int16_t cancel = 0;
    form.Form_Unload(cancel);
    EXPECT_EQ(cancel, -1);
    EXPECT_FALSE(fp.visible);
    EXPECT_FALSE(fp.endedWith);
    EXPECT_TRUE(fp.writes.empty());
}

TEST_F(Startup, QuitSavesRemovesTheIconAndEnds) {
    fp.store = {{u"Note", u"milk"}};
    form.Form_Load();
    clearLogs();
    fp.texts[Control::txtNote] = u"milk and bread";
    form.Command1_Click();
    ASSERT_EQ(fp.writes.size(), 7u);
    EXPECT_EQ(fp.store[u"Note"], u"milk and bread");
    EXPECT_EQ(messages(), std::vector<uint32_t>{NIM_DELETE});
    EXPECT_EQ(fp.endedWith, 0);
}

// Answered before anything touches a display, the lock or the settings; the toolkit's own
// options, and nothing at all, start the program.
TEST(CommandLine, HelpVersionAndWhatItDoesNotKnow) {
    const std::vector<std::pair<std::string_view, int>> toolkit = {{"session", 1}, {"reverse", 0}};
    struct Case {
        std::vector<std::string> args;
        int exitCode; // -1: the program starts
        const char* out;
        const char* err;
    } const cases[] = {
        {{}, -1, "", ""},
        {{"-session", "1234abcd"}, -1, "", ""},
        {{"--session", "x", "-reverse"}, -1, "", ""},
        {{"--version"}, 0, "Vantoly 1.00\n", ""},
        {{"--help"}, 0, "Usage: vantoly", ""},
        {{"-h"}, 0, "Usage: vantoly", ""},
        {{"-session", "x", "--version"}, 0, "Vantoly 1.00\n", ""},
        {{"--verison"}, 2, "", "vantoly: unknown option '--verison'\nUsage: vantoly"},
        {{"-x"}, 2, "", "vantoly: unknown option '-x'\n"},
        {{"notes.txt"}, 2, "", "vantoly: unexpected word 'notes.txt'\n"},
        {{"--bogus", "--help"}, 2, "", "vantoly: unknown option '--bogus'"},
    };
    for (const Case& c : cases) {
        const auto answer = AnswerCommandLine(c.args, toolkit);
        ASSERT_EQ(answer ? answer->exitCode : -1, c.exitCode) << testing::PrintToString(c.args);
        if (answer) {
            EXPECT_TRUE(answer->out.starts_with(c.out)) << answer->out;
            EXPECT_TRUE(answer->err.starts_with(c.err)) << answer->err;
            EXPECT_EQ(answer->out.empty(), !*c.out) << "help goes to standard output alone";
        }
    }
}

} // namespace
