#include "window/Layout.h"
#include "Fixture.h"
#include "window/Screens.h"

using namespace vantoly;

namespace {

float placed(const fake::FakePlatform& fp, Control control, Edge edge) {
    auto it = fp.placed.find({control, edge});
    return it == fp.placed.end() ? -1 : it->second;
}

struct SizeCase {
    float width, height;
    float noteWidth, noteHeight, bottomRow, okLeft, clearLeft; // -1: not moved
};

class LayoutAt : public testing::TestWithParam<SizeCase> {};

TEST_P(LayoutAt, OuterSize) {
    const SizeCase& c = GetParam();
    fake::FakePlatform fp;
    frmMain form(fp.platform());
    fp.geometry[int(Edge::Width)] = c.width;
    fp.geometry[int(Edge::Height)] = c.height;
    form.Form_Resize();
    EXPECT_EQ(placed(fp, Control::txtNote, Edge::Width), c.noteWidth);
    EXPECT_EQ(placed(fp, Control::txtNote, Edge::Height), c.noteHeight);
    for (Control row : {Control::Command1, Control::Command2, Control::Command3, Control::chkBlack,
                        Control::chkNote})
        EXPECT_EQ(placed(fp, row, Edge::Top), c.bottomRow);
    EXPECT_EQ(placed(fp, Control::Command2, Edge::Left), c.okLeft);
    EXPECT_EQ(placed(fp, Control::Command3, Edge::Left), c.clearLeft);
    // Nothing else moves.
    EXPECT_EQ(fp.placed.size(), 3u + (c.noteHeight < 0 ? 0u : 6u));
}

INSTANTIATE_TEST_SUITE_P(Thresholds, LayoutAt,
                         testing::Values(SizeCase{5790, 5400, 5475, 4095, 4560, 4710, 3750},
                                         SizeCase{5790, 1455, 5475, -1, -1, 4710, 3750},
                                         SizeCase{5790, 1456, 5475, 151, 616, 4710, 3750},
                                         SizeCase{4200, 5400, 3885, 4095, 4560, 2880, 1920},
                                         SizeCase{4201, 5400, 3886, 4095, 4560, 3121, 2161},
                                         SizeCase{3960, 5400, 3645, 4095, 4560, 2880, 1920},
                                         SizeCase{300, 300, -15, -1, -1, 2880, 1920},
                                         SizeCase{4800.5f, 1455.5f, 4485.5f, 150.5f, 615.5f,
                                                  3720.5f, 2760.5f}));

TEST(LayoutOrder, FixedPositionsSetClearBeforeOkAndAnchoredOnesOkFirst) {
    const auto narrow = Layout(4000, 1000);
    ASSERT_EQ(narrow.size(), 3u);
    EXPECT_EQ(narrow[1], (ControlMove{Control::Command3, Edge::Left, 1920}));
    EXPECT_EQ(narrow[2], (ControlMove{Control::Command2, Edge::Left, 2880}));
    const auto wide = Layout(5000, 5000);
    ASSERT_EQ(wide.size(), 9u);
    EXPECT_EQ(wide[7].control, Control::Command2);
    EXPECT_EQ(wide[8].control, Control::Command3);
}

struct Window : test::Started {
    Window() { start(); }
};

TEST_F(Window, DoubleClickRestoresTheDefaultSizeInPlaceAndLaysItOut) {
    fp.geometry[int(Edge::Left)] = 700;
    fp.geometry[int(Edge::Top)] = 900;
    fp.geometry[int(Edge::Width)] = 3000;
    fp.geometry[int(Edge::Height)] = 1200;
    form.Form_DblClick();
    EXPECT_EQ(fp.geometry[int(Edge::Width)], 5790);
    EXPECT_EQ(fp.geometry[int(Edge::Height)], 5400);
    EXPECT_EQ(fp.geometry[int(Edge::Left)], 700);
    EXPECT_EQ(fp.geometry[int(Edge::Top)], 900);
    EXPECT_EQ(placed(fp, Control::txtNote, Edge::Width), 5475);
    EXPECT_EQ(placed(fp, Control::txtNote, Edge::Height), 4095);
    EXPECT_EQ(placed(fp, Control::Command1, Edge::Top), 4560);
    EXPECT_EQ(placed(fp, Control::Command2, Edge::Left), 4710);
    EXPECT_EQ(placed(fp, Control::Command3, Edge::Left), 3750);
}

TEST_F(Window, RightReleaseOnTheBackgroundShowsTheAboutBoxNotCovered) {
    form.Form_MouseUp(2, 0, 100, 100);
    ASSERT_EQ(fp.boxes.size(), 1u);
    EXPECT_EQ(fake::u8(fp.boxes[0].prompt), "Vantoly v1.00");
    EXPECT_EQ(fp.boxes[0].style, 0);
    EXPECT_EQ(fake::u8(fp.boxes[0].caption), "Vantoly");
    EXPECT_EQ(fp.boxes[0].zorderCallsBefore, 1u);
    ASSERT_EQ(fp.zorderCalls.size(), 2u);
    EXPECT_EQ(fp.zorderCalls[0].insertAfter, HWND_NOTOPMOST);
    EXPECT_EQ(fp.zorderCalls[1].insertAfter, HWND_TOPMOST);
    EXPECT_EQ(form.OnTopForms->size(), 1u);
}

TEST_F(Window, OtherButtonsOpenNoAboutBox) {
    for (int16_t button : {1, 4, 3, 0})
        form.Form_MouseUp(button, 0, 0, 0);
    EXPECT_TRUE(fp.boxes.empty());
    EXPECT_TRUE(fp.zorderCalls.empty());
}

// One 1280 x 800 screen with a 24-pixel panel at its bottom, and one 1920 x 1080 to its right;
// a 386 x 360 frame with a 30-pixel title bar; the least frame is 267 x 131.
TEST(KeepOnAScreen, AWindowComesUpWhereTheUserCanReachIt) {
    const std::vector<ScreenRect> areas = {{0, 0, 1280, 776}, {1280, 0, 1920, 1080}};
    const struct {
        ScreenRect stored, shown;
        const char* why;
    } cases[] = {
        {{100, 200, 386, 360}, {100, 200, 386, 360}, "on a screen: kept exactly"},
        {{1100, 200, 386, 360}, {1100, 200, 386, 360}, "across both screens: kept"},
        {{-150, 100, 386, 360}, {-150, 100, 386, 360}, "half its title bar on one: kept"},
        {{-250, 100, 386, 360}, {0, 100, 386, 360}, "less than half: moved onto it"},
        {{100, -20, 386, 360}, {100, 0, 386, 360}, "title bar above the top"},
        {{5000, 3000, 386, 360}, {2814, 720, 386, 360}, "a monitor that is gone: the nearest"},
        {{-1995, 0, 32767, 360}, {1280, 0, 1920, 360}, "a stored width no screen holds"},
        {{100, 100, 386, 40000}, {100, 0, 386, 776}, "nor a height"},
        {{100, 100, 10, 10}, {100, 100, 267, 131}, "never below the least size"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnAScreen(c.stored, 30, areas, 267, 131), c.shown) << c.why;
    EXPECT_EQ(KeepOnAScreen({5000, 5000, 386, 360}, 30, {}, 267, 131),
              (ScreenRect{5000, 5000, 386, 360}))
        << "no screen known: left alone";
}

} // namespace
