#include <set>

#include "Fixture.h"
#include "notes/Alarm.h"
#include "tray/TrayTexts.h"

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

Moments wholeDay() {
    Moments all;
    for (int h = 0; h < 24; ++h)
        all.merge(range(h, 0, 59));
    return all;
}

// 2026-03-05 at a time of day, in minutes of the wall clock.
int64_t minuteOf(int hour, int minute) {
    return WallMinute(LocalDateTime{2026, 3, 5, 5, hour, minute, 0});
}

class WhenItFires : public testing::TestWithParam<Row> {};

// Armed at each minute of the day, one of the note's alarms falls due in that same minute exactly
// at the row's minutes: no minute before or after them, and never inside another time.
TEST_P(WhenItFires, AtItsMinutesAndNoOthers) {
    const Row& row = GetParam();
    const auto markers = FindAlarms(row.note);
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute) {
            const int64_t now = minuteOf(hour, minute);
            bool fires = false;
            for (const AlarmMarker& marker : markers)
                fires = fires || AlarmDue(marker, now, std::nullopt) == now;
            EXPECT_EQ(fires, row.firesAt.count({hour, minute}) > 0)
                << u8(row.note) << " at " << hour << ":" << minute;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WhenItFires,
    testing::Values(
        // One-digit hours without AM or PM: morning or evening.
        Row{u"@9:05", {{9, 5}, {21, 5}}}, Row{u"Call mum @9:05", {{9, 5}, {21, 5}}},
        Row{u"@1:30", {{1, 30}, {13, 30}}}, Row{u"@2:15", {{2, 15}, {14, 15}}},
        // AM or PM, any case, with or without the blank, and what may follow.
        Row{u"@9:05 AM", {{9, 5}}}, Row{u"@9:05 PM", {{21, 5}}}, Row{u"@10:30 AM", {{10, 30}}},
        Row{u"@10:30 PM", {{22, 30}}}, Row{u"@12:15 AM", {{0, 15}}}, Row{u"@12:00 AM", {{0, 0}}},
        Row{u"@12:00 PM", {{12, 0}}}, Row{u"@1:05 PM", {{13, 5}}}, Row{u"@9:05 am", {{9, 5}}},
        Row{u"@9:05pm", {{21, 5}}}, Row{u"@9:05PM.", {{21, 5}}},
        Row{u"@9:05 p.m. sharp", {{21, 5}}}, Row{u"@09:05 PM", {{21, 5}}},
        Row{u"@9:05 AM dentist", {{9, 5}}}, Row{u"@9:05 Amsterdam", {{9, 5}, {21, 5}}},
        // The 24-hour clock: 0, 10 to 23, and any leading zero.
        Row{u"@10:30", {{10, 30}}}, Row{u"@12:00", {{12, 0}}}, Row{u"@22:30", {{22, 30}}},
        Row{u"@23:59", {{23, 59}}}, Row{u"@0:15", {{0, 15}}}, Row{u"@00:15", {{0, 15}}},
        Row{u"24h test @05:33", {{5, 33}}}, Row{u"@09:05", {{9, 5}}}, Row{u"@13:05 PM", {{13, 5}}},
        // Whatever follows the time, but a digit.
        Row{u"@9:05 ", {{9, 5}, {21, 5}}}, Row{u"@9:05 call Bob", {{9, 5}, {21, 5}}},
        Row{u"Standup @5:35 in room 4", {{5, 35}, {17, 35}}},
        Row{u"@9:05\r\nmore", {{9, 5}, {21, 5}}}, Row{u"@9:05, then lunch", {{9, 5}, {21, 5}}},
        Row{u"@9:055", {}},
        // One blank after the "@"; an hour with AM or PM and no minutes.
        Row{u"Dentist @ 14:30", {{14, 30}}}, Row{u"@ 9:05 PM", {{21, 5}}},
        Row{u"meet Anna @3pm", {{15, 0}}}, Row{u"@3 PM", {{15, 0}}}, Row{u"@11am", {{11, 0}}},
        Row{u"@ 7 a.m. run", {{7, 0}}}, Row{u"@12am", {{0, 0}}}, Row{u"@12 PM", {{12, 0}}},
        Row{u"@  14:30", {}}, Row{u"@13pm", {}}, Row{u"@0am", {}}, Row{u"@3pmx", {}},
        Row{u"@3 o'clock", {}},
        // Every "@" that a time follows.
        Row{u"me@home.org @9:05", {{9, 5}, {21, 5}}},
        Row{u"mail bob@example.com, call @9:05", {{9, 5}, {21, 5}}},
        Row{u"@9:05 and @10:00", {{9, 5}, {21, 5}, {10, 0}}},
        Row{u"two alarms @8:00 and @9:00", {{8, 0}, {20, 0}, {9, 0}, {21, 0}}},
        Row{u"lunch@12:30pm, gym @6pm", {{12, 30}, {18, 0}}},
        // No time.
        Row{u"pick up kids @3", {}}, Row{u"@9:5", {}}, Row{u"@24:00", {}}, Row{u"@9:60", {}},
        Row{u"@123:45", {}}, Row{u"@:05", {}}, Row{u"no marker 9:05", {}}, Row{u"", {}},
        Row{u"Enter: '@' + time to set an alarm (e.g. @H:MM)", {}},
        // An "@" that ends a note without a time falls due at once.
        Row{u"at the end @", wholeDay()}, Row{u"a@b.c @", wholeDay()},
        Row{u"@9:05 then @", {{9, 5}, {21, 5}}}));

TEST(AlarmMarker, SelectsTheMarkerAndTheTimeAsWritten) {
    struct {
        const char16_t* note;
        int32_t start, length;
    } const cases[] = {{u"Call @9:05 PM dentist", 5, 8},
                       {u"x @10:30 AM y", 2, 9},
                       {u"@9:05pm", 0, 7},
                       {u"@9:05 p.m.", 0, 10},
                       {u"x @10:30", 2, 6},
                       {u"@9:05 call", 0, 5},
                       {u"a@b.c @21:05", 6, 6},
                       {u"Dentist @ 14:30", 8, 7},
                       {u"meet @3 PM now", 5, 5},
                       {u"ab@", 2, 1}};
    for (const auto& c : cases) {
        const auto marker = FindAlarm(c.note);
        ASSERT_TRUE(marker) << u8(c.note);
        EXPECT_EQ(marker->start, c.start) << u8(c.note);
        EXPECT_EQ(marker->length, c.length) << u8(c.note);
    }
}

TEST(AlarmMarker, DisplayTimeIsTheTimeAsWritten) {
    EXPECT_EQ(u8(AlarmDisplayTime(u"Call @9:05 PM dentist")), "9:05 PM");
    EXPECT_EQ(u8(AlarmDisplayTime(u"@21:05")), "21:05");
    EXPECT_EQ(u8(AlarmDisplayTime(u"@9:05pm")), "9:05pm");
    EXPECT_EQ(u8(AlarmDisplayTime(u"exam@school.org @10:30 now")), "10:30");
    EXPECT_EQ(u8(AlarmDisplayTime(u"exam@school.org")), "");
    EXPECT_EQ(u8(AlarmDisplayTime(u"at the end @")), "");
    EXPECT_EQ(u8(AlarmDisplayTime(u"Dentist @ 14:30")), "14:30");
    const std::u16string_view two = u"@8:00 and @9:00 PM";
    EXPECT_EQ(u8(AlarmDisplayTime(two, FindAlarms(two).at(1))), "9:00 PM");
}

TEST(AlarmDue, CountsWallClockDaysAndPassesOverTheMinuteThatFired) {
    EXPECT_EQ(WallMinute(LocalDateTime{1970, 1, 2, 6, 0, 0, 0}), 1440);
    EXPECT_EQ(WallMinute(LocalDateTime{2027, 1, 1, 6, 0, 0, 0}) -
                  WallMinute(LocalDateTime{2026, 12, 31, 5, 0, 0, 0}),
              1440);
    EXPECT_EQ(WallMinute(LocalDateTime{2028, 3, 1, 4, 0, 0, 0}) -
                  WallMinute(LocalDateTime{2028, 2, 28, 2, 0, 0, 0}),
              2 * 1440);
    const AlarmMarker either = *FindAlarm(u"@9:05");
    EXPECT_EQ(AlarmDue(either, minuteOf(9, 5), minuteOf(9, 5)), minuteOf(21, 5));
    EXPECT_EQ(AlarmDue(either, minuteOf(21, 6), std::nullopt), minuteOf(9, 5) + 1440);
    const AlarmMarker once = *FindAlarm(u"@9:05 PM");
    EXPECT_EQ(AlarmDue(once, minuteOf(21, 5), minuteOf(21, 5)), minuteOf(21, 5) + 1440);
    const AlarmMarker atOnce = *FindAlarm(u"x @");
    EXPECT_EQ(AlarmDue(atOnce, minuteOf(8, 0), minuteOf(8, 0)), minuteOf(8, 0));
}

struct AlarmCheck : test::Fixture {
    void at(int hour, int minute, int second = 0, int day = 5) {
        fp.clock = LocalDateTime{2026, 3, day, 5, hour, minute, second};
    }
    void note(const char16_t* text) { fp.texts[Control::txtNote] = text; }
    bool armed() const { return fp.timers[int(Timer::timerAlarm)]; }
    // A check every ten seconds while armed, as the timer runs, through the given minute.
    void checksUntil(int hour, int minute, int day = 5) {
        const int64_t end = WallMinute(LocalDateTime{2026, 3, day, 5, hour, minute, 0});
        while (WallMinute(fp.clock) <= end) {
            if (armed())
                form.timerAlarm_Timer();
            fp.clock.second += 10;
            if (fp.clock.second >= 60) {
                fp.clock.second -= 60;
                if (++fp.clock.minute == 60) {
                    fp.clock.minute = 0;
                    if (++fp.clock.hour == 24) {
                        fp.clock.hour = 0;
                        ++fp.clock.day;
                    }
                }
            }
        }
    }
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
    fp.typingElsewhere = true;
    note(u"Call @9:05 AM dentist");
    at(8, 0);
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
    EXPECT_EQ(fp.quietShows, 1) << "the keyboard stays where the user types";
    EXPECT_TRUE(fp.typingElsewhere);

    // Nobody else has the keyboard (or the window has it already): the window takes it.
    fp.typingElsewhere = false;
    note(u"Call @9:10 AM");
    form.ArmAlarm();
    at(9, 10, 10);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.quietShows, 1);
    EXPECT_EQ(fp.selections.back().start, 5);
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_TRUE(fp.shellCalls.empty());
}

TEST_F(AlarmCheck, NoMatchChangesNothing) {
    fp.visible = false;
    note(u"Call @9:05");
    at(9, 0);
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

TEST_F(AlarmCheck, OkInTheMinuteItFiredArmsTheNextMoment) {
    note(u"@9:05");
    at(9, 0);
    form.ArmAlarm();
    checksUntil(9, 4);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 1u);
    at(9, 5, 20);
    form.ArmAlarm(); // OK, with the marker still in the note
    checksUntil(21, 4);
    EXPECT_EQ(fp.sounds.size(), 1u);
    checksUntil(21, 5);
    EXPECT_EQ(fp.sounds.size(), 2u);
}

TEST_F(AlarmCheck, AMomentPassedWhileNoCheckRanFiresOnceAtTheNextCheck) {
    note(u"@9:05 AM");
    at(8, 50);
    form.ArmAlarm();
    at(9, 20, 3); // asleep, or the clock set forward, over 9:05
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 1u);
    checksUntil(23, 59);
    EXPECT_EQ(fp.sounds.size(), 1u);
}

TEST_F(AlarmCheck, AMomentBeforeStartUpDoesNotFireAtStartUp) {
    fp.store = {{u"Note", u"@9:05 AM"}};
    at(9, 7);
    form.Form_Load();
    checksUntil(9, 4, 6);
    EXPECT_TRUE(fp.sounds.empty());
    checksUntil(9, 5, 6);
    EXPECT_EQ(fp.sounds.size(), 1u);
}

// On the wall clock the spring-forward night skips 2:00 to 2:59 and the fall-back night goes
// over them twice.
TEST_F(AlarmCheck, DaylightSavingNights) {
    note(u"@2:30");
    at(1, 50);
    form.ArmAlarm();
    checksUntil(1, 59);
    at(3, 0, 5);
    form.timerAlarm_Timer();
    EXPECT_EQ(fp.sounds.size(), 1u) << "a time that does not exist fires after the jump";

    at(2, 20, 0, 6);
    form.ArmAlarm();
    checksUntil(2, 31, 6);
    EXPECT_EQ(fp.sounds.size(), 2u);
    form.ArmAlarm(); // OK after it fired
    checksUntil(2, 59, 6);
    at(2, 0, 0, 6); // the clock falls back
    checksUntil(2, 59, 6);
    EXPECT_EQ(fp.sounds.size(), 2u) << "a time that occurs twice fires once";
    checksUntil(14, 30, 6);
    EXPECT_EQ(fp.sounds.size(), 3u);
}

TEST_F(AlarmCheck, AClockSetBackBringsTheMomentRoundAgain) {
    note(u"@9:05 AM");
    at(9, 10); // the clock runs fast; armed after its time
    form.ArmAlarm();
    at(9, 0);
    checksUntil(9, 5);
    EXPECT_EQ(fp.sounds.size(), 1u);
}

TEST_F(AlarmCheck, ArmedCheckFollowsTheTextOnScreen) {
    note(u"@9:05");
    at(9, 0);
    form.ArmAlarm();
    note(u"the marker typed away"); // edited without OK
    at(9, 1);
    form.timerAlarm_Timer();
    note(u"@9:04 back again");
    checksUntil(9, 4);
    EXPECT_EQ(fp.sounds.size(), 1u);
}

// The shown note is note 1; note 2 and the help note carry alarms from the last run.
struct AlarmInAnyNote : AlarmCheck {
    AlarmInAnyNote() {
        fp.store = {
            {u"Note", u"shopping"}, {u"Note2", u"Dentist @9:05 PM"}, {u"Note3", u"standup @10:00"}};
        at(8, 0);
        form.Form_Load();
        fp.visible = false;
    }
};

TEST_F(AlarmInAnyNote, FiresInTheNoteNotShownAndShowsIt) {
    EXPECT_TRUE(armed()) << "a restart arms every note's alarm";
    note(u"shopping and milk"); // typed, not yet saved
    checksUntil(9, 59);
    EXPECT_TRUE(fp.sounds.empty());
    checksUntil(10, 0);
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(u8(fp.store[u"Note"]), "shopping and milk") << "the shown note is saved first";
    EXPECT_EQ(form.CurrentNote, 2);
    EXPECT_EQ(fp.values[Control::Option1_2], -1);
    EXPECT_EQ(u8(fp.texts[Control::txtNote]), "standup @10:00");
    EXPECT_TRUE(fp.visible);
    ASSERT_FALSE(fp.selections.empty());
    EXPECT_EQ(fp.selections.back().start, 8);
    EXPECT_EQ(fp.selections.back().length, 6);
    EXPECT_TRUE(armed()) << "note 2 still waits";
}

TEST_F(AlarmInAnyNote, OkOnANoteWithoutAlarmLeavesTheOthersArmed) {
    form.Command2_Click();
    EXPECT_TRUE(armed());
    note(u"");
    form.Command2_Click();
    EXPECT_TRUE(armed());
    checksUntil(21, 5);
    EXPECT_EQ(fp.sounds.size(), 2u);
    EXPECT_EQ(form.CurrentNote, 1);
    EXPECT_FALSE(armed());
}

TEST_F(AlarmInAnyNote, WaitsForAnOpenBoxAndFiresAsItCloses) {
    fp.visible = true;
    fp.inputAnswers = {u"Errands"};
    fp.whileBoxOpen = [&] {
        checksUntil(10, 1);
        EXPECT_TRUE(fp.sounds.empty());
    };
    form.Option1_MouseDown(0, 2, 0, 0, 0);
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(u8(fp.texts[Control::Option1_0]), "Errands");
    EXPECT_EQ(form.CurrentNote, 2);

    fp.whileBoxOpen = [&] {
        checksUntil(21, 6);
        EXPECT_EQ(fp.sounds.size(), 1u);
    };
    form.Form_MouseUp(2, 0, 0, 0);
    EXPECT_EQ(fp.sounds.size(), 2u);
    EXPECT_EQ(form.CurrentNote, 1);
}

TEST_F(AlarmCheck, UnchangedHelpNoteArmsButNeverFires) {
    note(u"Right-Click 'Note 1', 'Note 2' or 'Help' to change the note's title.\r\n"
         u"Double-Click the tray icon to Show or Hide the Main Window.\r\n"
         u"Right-Click the tray icon to show the note in a balloon help dialog.\r\n"
         u"Enter: '@' + time to set an alarm (e.g. @H:MM)");
    at(0, 0);
    form.ArmAlarm();
    EXPECT_TRUE(armed());
    checksUntil(23, 59);
    EXPECT_TRUE(fp.sounds.empty());
}

TEST_F(AlarmCheck, StartUpArmsOnlyNotesWithAMarker) {
    fp.store = {{u"Note", u"Call @9:05"}};
    form.Form_Load();
    EXPECT_TRUE(armed());

    fake::FakePlatform other;
    other.addDayIcons();
    other.store = {{u"Note", u"no alarm"}};
    frmMain otherForm(other.platform());
    otherForm.Form_Load();
    EXPECT_FALSE(other.timers[int(Timer::timerAlarm)]) << "the help note holds no time";
}

// Typed into note 1, a switch to note 2 and OK there: note 1's time still rings.
TEST_F(AlarmCheck, ASwitchArmsTheNoteLeft) {
    form.Form_Load();
    fp.visible = true;
    at(9, 0);
    note(u"pay rent @10:00");
    form.Option1_Click(1);
    note(u"");
    form.Command2_Click();
    checksUntil(10, 0);
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(form.CurrentNote, 0);
    EXPECT_EQ(u8(fp.texts[Control::txtNote]), "pay rent @10:00");
    EXPECT_EQ(fp.selections.back().start, 9);
}

// Each time rings once, in their order; the balloon names the next, the selection the one that
// rang.
TEST_F(AlarmCheck, SeveralTimesInOneNoteRingInTurn) {
    form.Form_Load();
    at(7, 0);
    note(u"two alarms @9:00 and @8:00");
    form.Command2_Click();
    auto balloonTitle = [&] {
        form.Picture1_MouseMove(0, 0, float(WM_RBUTTONUP) * 15, 0);
        return u8(form.TrayData.szInfoTitle.str());
    };
    EXPECT_EQ(balloonTitle().substr(0, 11), "Alarm: 8:00");
    checksUntil(8, 0);
    ASSERT_EQ(fp.sounds.size(), 1u);
    EXPECT_EQ(fp.selections.back().start, 21) << "@8:00";
    EXPECT_TRUE(armed());
    EXPECT_EQ(balloonTitle().substr(0, 11), "Alarm: 9:00");
    checksUntil(9, 0);
    ASSERT_EQ(fp.sounds.size(), 2u);
    EXPECT_EQ(fp.selections.back().start, 11) << "@9:00";
    EXPECT_FALSE(armed()) << "every time rang";
    checksUntil(9, 0, 6);
    EXPECT_EQ(fp.sounds.size(), 2u);
}

// Quit and started again within the minute that rang (an upgrade restarts it): not again.
TEST_F(AlarmCheck, ATimeThatRangDoesNotRingAgainAfterARestart) {
    fp.store = {{u"Note", u"@21:05 call"}};
    at(21, 4, 50);
    form.Form_Load();
    checksUntil(21, 5);
    ASSERT_EQ(fp.sounds.size(), 1u);
    fake::FakePlatform again;
    again.addDayIcons();
    again.store = fp.store;
    again.rings = fp.rings;
    again.clock = LocalDateTime{2026, 3, 5, 5, 21, 5, 40};
    frmMain restarted(again.platform());
    restarted.Form_Load();
    again.clock.second = 50;
    restarted.timerAlarm_Timer();
    EXPECT_TRUE(again.sounds.empty());
    EXPECT_TRUE(again.timers[int(Timer::timerAlarm)]) << "armed for tomorrow";
}

// The clock set back after a ring (it ran fast, or the user flew west): the remembered ring
// keeps only its own minute from ringing again, before a restart and after one.
TEST_F(AlarmCheck, AClockSetBackAfterARingSilencesNothing) {
    fp.store = {{u"Note", u"x @9:05 PM"}};
    at(21, 4, 50);
    form.Form_Load();
    checksUntil(21, 5);
    ASSERT_EQ(fp.sounds.size(), 1u);
    at(10, 59);
    fake::FakePlatform again;
    again.addDayIcons();
    again.store = {{u"Note", u"ring now @"}};
    again.rings = fp.rings;
    again.clock = fp.clock;
    frmMain restarted(again.platform());
    restarted.Form_Load();
    restarted.timerAlarm_Timer();
    EXPECT_EQ(again.sounds.size(), 1u) << "after a restart";

    note(u"call Anna @11:00 AM");
    form.Command2_Click();
    checksUntil(11, 0);
    EXPECT_EQ(fp.sounds.size(), 2u) << "without one";
    fp.visible = false;
    note(u"x @9:05 PM");
    form.Command2_Click();
    checksUntil(21, 5);
    EXPECT_EQ(fp.sounds.size(), 3u) << "a time written again rings again";
}

} // namespace
