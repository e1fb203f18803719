#include "Fixture.h"
#include "tray/DayIcon.h"

using namespace vantoly;
using fake::u8;
using Tray = test::Fixture;

namespace {

TEST(DayIconPaths, DayWithoutLeadingZero) {
    EXPECT_EQ(u8(DayIconPath(u"C:\\V", u"Black\\", 7)), "C:\\V\\Black\\7.ico");
    EXPECT_EQ(u8(DayIconPath(u"C:\\V", u"White\\", 23)), "C:\\V\\White\\23.ico");
    EXPECT_EQ(u8(DayIconPath(u"/opt/v", u"Black\\", 31)), "/opt/v\\Black\\31.ico");
    EXPECT_EQ(u8(NoteIndicatorPath(u"C:\\V", 1)), "C:\\V\\white\\1.ico");
    EXPECT_EQ(u8(ScratchIconPath(u"C:\\V")), "C:\\V\\tmp.ico");
}

struct TrayIcon : test::Fixture {
    TrayIcon() {
        fp.values[Control::chkBlack] = 1;
        fp.values[Control::chkNote] = 1;
        form.PrepareTrayData();
        form.AddTrayIcon();
        clearLogs();
    }
};

TEST_F(Tray, AddLoadsTodaysIconAndAddsIt) {
    fp.values[Control::chkBlack] = 1;
    fp.clock.day = 23;
    form.PrepareTrayData();
    form.AddTrayIcon();
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\Black\\23.ico");
    ASSERT_EQ(messages(), std::vector<uint32_t>{NIM_ADD});
    const auto& b = fp.shellCalls[0].fields;
    EXPECT_EQ(b.hIcon, uint32_t(fp.pictureHandleValue));
    EXPECT_EQ(b.uFlags, 7u);
    EXPECT_EQ(b.szTip, ""); // added with an empty tooltip
}

TEST_F(TrayIcon, RefreshWithoutNoteShowsTheFolderIconWhateverTheIndicator) {
    for (int16_t indicator : {0, 1}) {
        fp.values[Control::chkNote] = indicator;
        form.TrayData.uFlags = 16;
        form.RefreshTrayIcon();
        EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\Black\\7.ico");
        EXPECT_EQ(form.TrayData.uFlags, 7u);
        EXPECT_TRUE(saves().empty());
    }
    EXPECT_EQ(messages(),
              (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION, NIM_MODIFY, NIM_SETVERSION}));
}

TEST_F(TrayIcon, NoteWithIndicatorShowsTheWhiteIconThroughTheScratchFile) {
    fp.texts[Control::txtNote] = u"milk";
    form.RefreshTrayIcon();
    EXPECT_EQ(loads(),
              (std::vector<std::u16string>{u"C:\\Vantoly\\white\\7.ico", u"C:\\Vantoly\\tmp.ico"}));
    EXPECT_EQ(saves(), std::vector<std::u16string>{u"C:\\Vantoly\\tmp.ico"});
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\tmp.ico");
    EXPECT_EQ(u8(fp.loadedPicture), "C:\\Vantoly\\white\\7.ico"); // white even with Black folder
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION}));
    EXPECT_EQ(fp.shellCalls[0].fields.hIcon, uint32_t(fp.pictureHandleValue));
}

TEST_F(TrayIcon, NoteWithIndicatorOffOrGrayedShowsTheFolderIcon) {
    fp.texts[Control::txtNote] = u"milk";
    for (int16_t indicator : {0, 2}) {
        clearLogs();
        fp.values[Control::chkNote] = indicator;
        form.ApplyNoteIndicatorIcon();
        EXPECT_EQ(loads(), std::vector<std::u16string>{u"C:\\Vantoly\\Black\\7.ico"});
        EXPECT_TRUE(saves().empty());
    }
}

TEST_F(TrayIcon, IndicatorRefreshKeepsTheBalloonFlags) {
    fp.texts[Control::txtNote] = u"milk";
    form.TrayData.uFlags = 16;
    form.RefreshTrayIcon();
    EXPECT_EQ(fp.shellCalls[0].fields.uFlags, 16u);
    EXPECT_EQ(fp.shellCalls[0].fields.hIcon, uint32_t(fp.pictureHandleValue));
}

TEST_F(TrayIcon, ReadOnlyInstallationKeepsTheScratchIconInTheUserCache) {
    fp.appDirWritable = false;
    fp.texts[Control::txtNote] = u"milk";
    form.RefreshTrayIcon();
    EXPECT_EQ(saves(), std::vector<std::u16string>{u"C:\\Users\\me\\cache\\Vantoly\\tmp.ico"});
    EXPECT_EQ(u8(form.IconPath), "C:\\Users\\me\\cache\\Vantoly\\tmp.ico");
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(TrayIcon, MissingIconStopsTheRefreshBeforeAnyShellCall) {
    fp.files.erase(u"C:\\Vantoly\\Black\\7.ico");
    form.TrayData.uFlags = 16;
    EXPECT_THROW(form.RefreshTrayIcon(), std::exception);
    EXPECT_TRUE(fp.shellCalls.empty());
    EXPECT_EQ(form.TrayData.uFlags, 7u); // written before the failing step
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\Black\\7.ico");
}

TEST_F(TrayIcon, CorruptIconFails) {
    fp.corruptFiles.insert(u"C:\\Vantoly\\Black\\7.ico");
    EXPECT_THROW(form.RefreshTrayIcon(), std::exception);
    EXPECT_TRUE(fp.shellCalls.empty());
}

TEST_F(TrayIcon, TimerRefreshesOnlyWhenTheDayOfTheMonthChanges) {
    form.Timer1_Timer();
    EXPECT_TRUE(fp.shellCalls.empty());

    fp.clock.month = 1; // the same day of another month
    form.Timer1_Timer();
    EXPECT_TRUE(fp.shellCalls.empty());

    fp.clock.day = 8;
    form.Timer1_Timer();
    EXPECT_EQ(form.IconDay, 8);
    EXPECT_EQ(loads(), std::vector<std::u16string>{u"C:\\Vantoly\\Black\\8.ico"});
    EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION}));

    fp.clock.day = 3; // clock set back
    form.Timer1_Timer();
    EXPECT_EQ(form.IconDay, 3);
}

TEST_F(TrayIcon, TimerRetriesAFailedRefreshAtTheNextTick) {
    fp.clock.day = 8;
    fp.files.erase(u"C:\\Vantoly\\Black\\8.ico");
    EXPECT_THROW(form.Timer1_Timer(), std::exception);
    EXPECT_EQ(form.IconDay, 7);
    fp.files.insert(u"C:\\Vantoly\\Black\\8.ico");
    form.Timer1_Timer();
    EXPECT_EQ(form.IconDay, 8);
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(TrayIcon, RemoveSendsASeparateRecordAndLeavesTrayDataAlone) {
    form.TrayData.szTip = u"tip";
    const auto before = ToPlatformForm(form.TrayData, fp);
    form.RemoveTrayIcon();
    ASSERT_EQ(messages(), std::vector<uint32_t>{NIM_DELETE});
    const auto& b = fp.shellCalls[0].fields;
    EXPECT_EQ(b.cbSize, 504u);
    EXPECT_EQ(b.hWnd, uint32_t(fake::FakePlatform::kPicture1Handle));
    EXPECT_EQ(b.uID, 999u);
    const auto& bytes = fp.shellCalls[0].bytes;
    for (size_t i = NotifyOffset::uFlags; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(ToPlatformForm(form.TrayData, fp), before);
}

TEST_F(Tray, RemoveChoosesTheRecordSizeWhenNoneWasChosen) {
    fp.shellMajor = 5;
    form.RemoveTrayIcon();
    EXPECT_EQ(form.NotifyRecordSize, 488);
    ASSERT_EQ(fp.shellCalls.size(), 1u);
    EXPECT_EQ(fp.shellCalls[0].fields.cbSize, 488u);
}

} // namespace
