#include "Fixture.h"

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

TEST_F(Settings, FailingStoreIsReportedOnceAndQuitStillEnds) {
    form.Form_Load();
    fp.settingsWritable = false;
    form.Command1_Click();
    EXPECT_EQ(fp.writes.size(), 7u); // every write was tried
    ASSERT_EQ(fp.problems.size(), 1u);
    EXPECT_NE(fp.problems[0].find("could not be saved"), std::string::npos);
    EXPECT_EQ(messages().back(), NIM_DELETE);
    EXPECT_EQ(fp.endedWith, 0);
}

} // namespace
