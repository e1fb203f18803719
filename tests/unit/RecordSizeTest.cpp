#include "Fixture.h"

using namespace vantoly;
using vantoly::test::Fixture;
using Probe = Fixture;

namespace {

struct Shell {
    std::optional<uint16_t> major;
    bool queryFails;
    int32_t size;
    int probes;
};

class RecordSize : public Fixture, public testing::WithParamInterface<Shell> {};

TEST_P(RecordSize, ChosenFromTheShellVersion) {
    fp.shellMajor = GetParam().major;
    fp.versionQueryFails = GetParam().queryFails;
    form.ChooseNotifyRecordSize();
    EXPECT_EQ(form.NotifyRecordSize, GetParam().size);
    EXPECT_EQ(fp.versionSizeQueries, GetParam().probes);
}

INSTANTIATE_TEST_SUITE_P(Table, RecordSize,
                         testing::Values(Shell{std::nullopt, false, 88, 2}, Shell{4, false, 88, 2},
                                         Shell{5, false, 488, 2}, Shell{6, false, 504, 1},
                                         Shell{10, false, 504, 1}, Shell{6, true, 88, 2},
                                         // the major version is read as a signed number
                                         Shell{0x8000, false, 88, 2}));

TEST_F(Probe, ShellVersionAtLeastItsOwnMajorButNotOneMore) {
    fp.shellMajor = 5;
    EXPECT_TRUE(form.IsShellVersionAtLeast(5));
    EXPECT_TRUE(form.IsShellVersionAtLeast(-1));
    EXPECT_FALSE(form.IsShellVersionAtLeast(6));
}

TEST_F(Probe, StartUpProbesOnceAndQuitFindsTheSizeChosen) {
    fp.shellMajor = 10;
    form.Form_Load();
    form.Command1_Click();
    EXPECT_EQ(fp.versionSizeQueries, 1);
    for (const auto& call : fp.shellCalls)
        EXPECT_EQ(call.fields.cbSize, 504u);
}

} // namespace
