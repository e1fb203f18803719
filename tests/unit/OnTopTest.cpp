#include "Fixture.h"

using namespace vantoly;
using fake::FakeWindow;
using fake::u8;

namespace {

struct OnTop : test::Fixture {
    FakeWindow a{101}, b{-202}, c{303};

    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        if (form.OnTopForms)
            for (const auto& entry : *form.OnTopForms)
                out.push_back(u8(entry.first));
        return out;
    }
    // (handle, insert-after) of every SetWindowPos call, in order.
    std::vector<std::pair<int32_t, int32_t>> calls() const {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (const auto& call : fp.zorderCalls) {
            EXPECT_EQ(call.flags, 3u);
            EXPECT_EQ(call.x | call.y | call.cx | call.cy, 0);
            out.emplace_back(call.hWnd, call.insertAfter);
        }
        return out;
    }
};

using Calls = std::vector<std::pair<int32_t, int32_t>>;
using Keys = std::vector<std::string>;

TEST_F(OnTop, RegisteringTwiceKeepsOneEntry) {
    form.SetOnTop(a, -1, 0);
    form.SetOnTop(a, -1, 0);
    EXPECT_EQ(keys(), Keys{"#101"});
    EXPECT_EQ(calls(), (Calls{{101, HWND_TOPMOST}, {101, HWND_TOPMOST}}));
}

TEST_F(OnTop, ClearingAWindowNeverRegisteredReassertsTheOthers) {
    form.SetOnTop(a, -1, 0);
    form.SetOnTop(b, -1, 0);
    fp.zorderCalls.clear();
    form.SetOnTop(c, 0, 0);
    EXPECT_EQ(keys(), (Keys{"#101", "#-202"}));
    EXPECT_EQ(calls(), (Calls{{303, HWND_NOTOPMOST}, {101, HWND_TOPMOST}, {-202, HWND_TOPMOST}}));
}

TEST_F(OnTop, ClearingOneOfTwoReassertsTheOtherWithoutASecondEntry) {
    form.SetOnTop(a, -1, 0);
    form.SetOnTop(b, -1, 0);
    fp.zorderCalls.clear();
    form.SetOnTop(a, 0, 0);
    EXPECT_EQ(keys(), Keys{"#-202"});
    EXPECT_EQ(calls(), (Calls{{101, HWND_NOTOPMOST}, {-202, HWND_TOPMOST}}));
}

TEST_F(OnTop, ClearingInCleanupReassertsNoOne) {
    form.SetOnTop(a, -1, 0);
    form.SetOnTop(b, -1, 0);
    form.SetOnTop(c, -1, 0);
    fp.zorderCalls.clear();
    form.SetOnTop(b, 0, -1);
    EXPECT_EQ(keys(), (Keys{"#101", "#303"}));
    EXPECT_EQ(calls(), (Calls{{-202, HWND_NOTOPMOST}}));
}

TEST_F(OnTop, SettingInCleanupNeitherCreatesNorRegisters) {
    form.SetOnTop(a, -1, -1);
    EXPECT_FALSE(form.OnTopForms.has_value());
    EXPECT_EQ(calls(), (Calls{{101, HWND_TOPMOST}}));
    form.SetOnTop(b, 1, 0); // any non-zero value is true
    form.SetOnTop(a, 7, 3);
    EXPECT_EQ(keys(), Keys{"#-202"});
}

TEST_F(OnTop, ClearingBeforeAnyRegistrationStillClears) {
    form.SetOnTop(a, 0, 0);
    EXPECT_FALSE(form.OnTopForms.has_value());
    EXPECT_EQ(calls(), (Calls{{101, HWND_NOTOPMOST}}));
}

TEST_F(OnTop, StaysTopMostAcrossModalBoxesAndIsRegisteredOnce) {
    form.Form_Load();
    EXPECT_EQ(keys(), Keys{"#1312"});
    for (int box = 0; box < 3; ++box) {
        form.SetOnTop(form, 0, 0); // before the box
        EXPECT_EQ(fp.zorderCalls.back().insertAfter, HWND_NOTOPMOST);
        EXPECT_TRUE(keys().empty());
        form.SetOnTop(form, -1, 0); // after it
    }
    EXPECT_EQ(keys(), Keys{"#1312"});
    EXPECT_EQ(fp.zorderCalls.back().insertAfter, HWND_TOPMOST);
}

TEST_F(OnTop, UnreadableHandleSkipsOnlyTheStatementsThatNeedIt) {
    form.SetOnTop(a, -1, 0);
    b.handleFails = true;
    form.SetOnTop(b, -1, 0); // neither registered nor made top-most
    EXPECT_EQ(keys(), Keys{"#101"});
    fp.zorderCalls.clear();
    form.SetOnTop(b, 0, 0); // removal and clearing skipped, the others still re-asserted
    EXPECT_EQ(calls(), (Calls{{101, HWND_TOPMOST}}));
}

TEST_F(OnTop, WalkGoesOnPastAWindowWhoseHandleFails) {
    form.SetOnTop(a, -1, 0);
    form.SetOnTop(c, -1, 0);
    form.SetOnTop(b, -1, 0);
    c.handleFails = true;
    fp.zorderCalls.clear();
    form.SetOnTop(a, 0, 0);
    EXPECT_EQ(keys(), (Keys{"#303", "#-202"}));
    EXPECT_EQ(calls(), (Calls{{101, HWND_NOTOPMOST}, {-202, HWND_TOPMOST}}));
}

TEST_F(OnTop, StartUpMakesTheWindowTopMostBeforeHidingIt) {
    form.Form_Load();
    EXPECT_EQ(calls(), (Calls{{fake::FakePlatform::kFormHandle, HWND_TOPMOST}}));
    EXPECT_FALSE(fp.visible);
}

} // namespace
