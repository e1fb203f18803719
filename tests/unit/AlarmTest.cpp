#include <set>

#include "Fixture.h"
#include "notes/Alarm.h"

using namespace vantoly;
using fake::u8;

namespace {

using Moments = std::set<std::pair<int, int>>; // (hour, minute)

struct Row {
    const char16_t* note;
    Moments firesAt;
};

Moments range(int hour, int from, int to) {
    Moments out;
    for (int m = from; m <= to; ++m)
        out.insert({hour, m});
    return out;
}

Moments both(Moments a, const Moments& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class WhenItFires : public testing::TestWithParam<Row> {};

// Every minute of the day: the alarm fires at the row's minutes and at no other.
TEST_P(WhenItFires, AtItsMinutesAndNoOthers) {
    const Row& row = GetParam();
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const bool expected = row.firesAt.count({hour, minute}) > 0;
            EXPECT_EQ(MatchAlarm(row.note, hour, minute).has_value(), expected)
                << u8(row.note) << " at " << hour << ":" << minute;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WhenItFires,
    testing::Values(
        Row{u"@9:05", {{9, 5}, {21, 5}}}, Row{u"@9:05 AM", {{9, 5}}}, Row{u"@9:05 PM", {{21, 5}}},
        Row{u"@10:30 AM", {{10, 30}}}, Row{u"@10:30 PM", {{22, 30}}}, Row{u"@10:30", {{10, 30}}},
        Row{u"@22:30", {{22, 30}}}, Row{u"@23:59", {{23, 59}}}, Row{u"@12:00", {{12, 0}}},
        Row{u"@12:15 AM", {{0, 15}}}, Row{u"@1:30", {{1, 30}, {11, 30}, {13, 30}, {23, 30}}},
        Row{u"@2:15", {{0, 15}, {2, 15}, {12, 15}, {14, 15}}}, Row{u"@1:05 PM", {{13, 5}, {23, 5}}},
        Row{u"@0:15", {{10, 15}, {22, 15}}},
        Row{u"@9:5", both(range(9, 50, 59), range(21, 50, 59))}, Row{u"@09:05", {}},
        Row{u"@9:05 ", {}}, Row{u"@9:05 am", {}}, Row{u"Call mum @9:05", {{9, 5}, {21, 5}}},
        Row{u"@9:05 AM dentist", {{9, 5}}}, Row{u"@9:05 call Bob", {}}, Row{u"@9:05\r\nmore", {}},
        Row{u"me@home.org @9:05", {}}, Row{u"no marker 9:05", {}}, Row{u"", {}},
        Row{u"at the end @", both(range(0, 0, 59), [] {
                Moments all;
                for (int h = 1; h < 24; ++h)
                    for (int m = 0; m < 60; ++m)
                        all.insert({h, m});
                return all;
            }())}));

TEST(AlarmSelection, CoversTheMarkerAndTheTimeCompared) {
    // 12-hour match: "@" and the seven characters of 9:05 AM.
    EXPECT_EQ(MatchAlarm(u"Call @9:05 AM dentist", 9, 5), (AlarmSelection{5, 8}));
    // Eight characters when the hour has two digits.
    EXPECT_EQ(MatchAlarm(u"x @10:30 AM y", 10, 30), (AlarmSelection{2, 9}));
    // 24-hour match: exactly the marker.
    EXPECT_EQ(MatchAlarm(u"x @10:30", 10, 30), (AlarmSelection{2, 6}));
    EXPECT_EQ(MatchAlarm(u"@22:30", 22, 30), (AlarmSelection{0, 6}));
    // Near the end of the text the selection stops there.
    EXPECT_EQ(MatchAlarm(u"@9:05", 9, 5), (AlarmSelection{0, 5}));
    EXPECT_EQ(MatchAlarm(u"ab@", 15, 0), (AlarmSelection{2, 1}));
}

TEST(AlarmTexts, TwelveAndTwentyFourHourTimes) {
    EXPECT_EQ(u8(TwelveHourTime(0, 40)), "12:40 AM");
    EXPECT_EQ(u8(TwelveHourTime(9, 5)), "9:05 AM");
    EXPECT_EQ(u8(TwelveHourTime(12, 0)), "12:00 PM");
    EXPECT_EQ(u8(TwelveHourTime(22, 30)), "10:30 PM");
    EXPECT_EQ(u8(TwentyFourHourTime(0, 40)), "0:40");
    EXPECT_EQ(u8(TwentyFourHourTime(22, 30)), "22:30");
}

TEST(AlarmTexts, DisplayTimeTakesFourOrFiveCharacters) {
    EXPECT_EQ(u8(AlarmDisplayTime(u"Call @9:30 dentist", 9, 15)), "9:30");
    EXPECT_EQ(u8(AlarmDisplayTime(u"Call @9:30 dentist", 10, 15)), "9:30 ");
    EXPECT_EQ(u8(AlarmDisplayTime(u"x @10:30", 9, 15)), "10:3");
    EXPECT_EQ(u8(AlarmDisplayTime(u"x @10:30", 23, 40)), "10:30");
    EXPECT_EQ(u8(AlarmDisplayTime(u"x @10:30", 0, 5)), "10:30"); // 12:05 AM
    EXPECT_EQ(u8(AlarmDisplayTime(u"x @", 9, 0)), "");
    EXPECT_EQ(u8(AlarmDisplayTime(u"no marker", 9, 0)), "");
}

struct AlarmCheck : test::Fixture {
    void at(int hour, int minute, int second = 0) {
        fp.clock.hour = hour;
        fp.clock.minute = minute;
        fp.clock.second = second;
    }
    void note(const char16_t* text) { fp.texts[Control::txtNote] = text; }
    bool armed() const { return fp.timers[int(Timer::timerAlarm)]; }
};

TEST_F(AlarmCheck, ArmedExactlyWhenTheNoteHoldsAMarker) {
    note(u"Call @9:05");
    form.ArmAlarm();
    EXPECT_TRUE(armed());
    note(u"Call at nine");
    form.ArmAlarm();
    EXPECT_FALSE(armed());
}

TEST_F(AlarmCheck, FiringShowsSelectsPlaysAndDisarms) {
    fp.visible = false;
    note(u"Call @9:05 AM dentist");
    form.ArmAlarm();
    at(9, 5, 30);
    form.timerAlarm_Timer();
    EXPECT_TRUE(fp.visible);
    EXPECT_EQ(fp.focusMoves, std::vector<Control>{Control::txtNote});
    ASSERT_EQ(fp.selections.size(), 1u);
    EXPECT_EQ(fp.selections[0].start, 5);
    EXPECT_EQ(fp.selections[0].length, 8);
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(u8(fp.sounds[0].path), "C:\\Vantoly\\alarm.wav");
    EXPECT_EQ(fp.sounds[0].flags, 3u);
    EXPECT_FALSE(armed());
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_TRUE(fp.shellCalls.empty());
}

TEST_F(AlarmCheck, NoMatchChangesNothing) {
    fp.visible = false;
    note(u"Call @9:05");
    form.ArmAlarm();
    at(9, 4, 59);
    form.timerAlarm_Timer();
    note(u"no marker now");
    at(9, 5);
    form.timerAlarm_Timer();
    EXPECT_FALSE(fp.visible);
    EXPECT_TRUE(fp.sounds.empty());
    EXPECT_TRUE(armed()); // a text without "@" keeps the check running
}

TEST_F(AlarmCheck, OneFiringPerArmingAndOkReArmsInTheSameMinute) {
    note(u"@9:05");
    form.ArmAlarm();
    at(9, 5, 0);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 1u);
    // The timer is disabled, so no check would run; OK arms it anew within the minute.
    form.ArmAlarm();
    at(9, 5, 20);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 2u);
    EXPECT_FALSE(armed());
}

TEST_F(AlarmCheck, ArmedCheckFollowsTheTextOnScreen) {
    note(u"@9:05");
    form.ArmAlarm();
    note(u"another note without a marker"); // switched to another note
    at(9, 5);
    form.timerAlarm_Timer();
    EXPECT_TRUE(fp.sounds.empty());
    at(9, 4);
    note(u"@9:05"); // and back before the minute
    form.timerAlarm_Timer();
    at(9, 5);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 1u);
}

TEST_F(AlarmCheck, UnchangedHelpNoteArmsButNeverFires) {
    note(u"Right-Click 'Note 1', 'Note 2' or 'Help' to change the note's title.\r\n"
         u"Double-Click the tray icon to Show or Hide the Main Window.\r\n"
         u"Right-Click the tray icon to show the note in a balloon help dialog.\r\n"
         u"Enter: '@' + time to set an alarm (e.g. @H:MM)");
    form.ArmAlarm();
    EXPECT_TRUE(armed());
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            at(hour, minute);
            form.timerAlarm_Timer();
        }
    EXPECT_TRUE(fp.sounds.empty());
}

TEST_F(AlarmCheck, StartUpArmsAStoredFirstNoteWithAMarker) {
    fp.store = {{u"Note", u"Call @9:05"}};
    form.Form_Load();
    EXPECT_TRUE(armed());

    fake::FakePlatform other;
    other.addDayIcons();
    other.store = {{u"Note", u"no alarm"}};
    frmMain otherForm(other.platform());
    otherForm.Form_Load();
    EXPECT_FALSE(other.timers[int(Timer::timerAlarm)]);
}

} // namespace
