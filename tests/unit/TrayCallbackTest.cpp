#include <cmath>
#include <limits>

#include "Fixture.h"
#include "tray/BalloonLines.h"
#include "tray/TrayClicks.h"
#include "tray/TrayTexts.h"

using namespace vantoly;
using fake::u16;
using fake::u8;

namespace {

TEST(TrayMessageNumber, RecoversTheNumberFromTwips) {
    struct Case {
        float x, tpp;
        int32_t message;
    };
    for (const Case& c :
         {Case{512 * 15.0f, 15, 512}, Case{515 * 15.0f, 15, 515}, Case{517 * 12.0f, 12, 517},
          Case{7725.4f, 15, 515}, Case{7.5f, 15, 0}, // a half goes to the even neighbour
          Case{22.5f, 15, 2},                        // 1.5
          Case{270, 15, 18},                         // a real movement over the picture box
          Case{515 * (1440.0f / 110), 1440.0f / 110, 515}})
        EXPECT_EQ(TrayMessageNumber(c.x, c.tpp), c.message) << c.x << "/" << c.tpp;
}

TEST(TrayMessageNumber, NoNumberOrOutOfRangeMeansNothing) {
    EXPECT_EQ(TrayMessageNumber(std::numeric_limits<float>::quiet_NaN(), 15), 0);
    EXPECT_EQ(TrayMessageNumber(1e30f, 15), 0);
    EXPECT_EQ(TrayMessageNumber(515, 0), 0);
}

TEST(TrayTexts, TooltipEndsInTwoNuls) {
    EXPECT_EQ(TooltipText(u"Thursday", u"January", 1, 2026),
              std::u16string(u"Thursday, January 1, 2026\0\0", 27));
}

TEST(TrayTexts, WeekdayTableIsFixedAndSundayIsOne) {
    const char* names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                           "Thursday", "Friday", "Saturday"};
    for (int day = 1; day <= 7; ++day)
        EXPECT_EQ(u8(std::u16string(WeekdayName(day))), names[day - 1]);
    EXPECT_TRUE(WeekdayName(0).empty());
    EXPECT_TRUE(WeekdayName(8).empty());
}

struct TitleCase {
    const char* note;
    const char* title; // without its NUL
};

class BalloonTitles : public testing::TestWithParam<TitleCase> {};

TEST_P(BalloonTitles, ShowTheAlarmTimeAsWrittenOrReminder) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(BalloonTitle(u16(c.note)), u16(c.title) + u'\0') << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Notes, BalloonTitles,
    testing::Values(TitleCase{"Call @9:30 dentist", "Alarm: 9:30"},
                    TitleCase{"ends @10:30", "Alarm: 10:30"},
                    TitleCase{"@9:05 PM", "Alarm: 9:05 PM"}, TitleCase{"@21:05", "Alarm: 21:05"},
                    TitleCase{"@9:05pm call", "Alarm: 9:05pm"},
                    TitleCase{"exam@school.org", "Reminder"},
                    TitleCase{"a@b.c, @7:45 AM", "Alarm: 7:45 AM"},
                    TitleCase{"trailing @", "Alarm: "}, TitleCase{"@9\r\nx", "Reminder"},
                    TitleCase{"no marker", "Reminder"}, TitleCase{"", "Reminder"}));

TEST(TrayTexts, BalloonTextKeepsItsNulInsideTheField) {
    EXPECT_EQ(BalloonText(u""), std::u16string(1, u'\0'));
    const std::u16string exact(255, u'a');
    EXPECT_EQ(BalloonText(exact), exact + u'\0');
    const std::u16string longer(300, u'b');
    EXPECT_EQ(BalloonText(longer), std::u16string(255, u'b') + u'\0');
    // A character outside the basic plane is not cut in half.
    std::u16string pair(254, u'c');
    pair += u"\U0001F600";
    EXPECT_EQ(BalloonText(pair), std::u16string(254, u'c') + u'\0');
}

TEST(TrayTexts, BalloonLinesBreakAtBlanksAndInsideLongWords) {
    const struct {
        const char* text;
        const char* lines;
        size_t room = 100;
    } cases[] = {
        {"short", "short"},
        {"aaa bbb ccc", "aaa bbb\nccc"},       // at the last blank that fits
        {"aaaa bbbb", "aaaa\nbbbb"},           // a blank where the line is full
        {"abcdefghijk", "abcdefg\nhijk"},      // a word longer than a line
        {"a\r\nbbbbbbb c", "a\r\nbbbbbbb\nc"}, // the note's own line breaks count
        {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
         "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\n\xc3\xa9"}, // a character, not
                                                                                // a byte
        {"aaa bbb ccc", "aaa bbb\nc", 9},                    // cut to the field's room
        {"\xc3\xa9\xc3\xa9\xc3\xa9", "\xc3\xa9\xc3\xa9", 5}, // never inside a character
    };
    for (const auto& c : cases)
        EXPECT_EQ(BalloonLines(c.text, 7, c.room), c.lines) << c.text;
}

TEST(TrayClicks, XEmbedReportsDoubleClicksItself) {
    TrayClicks clicks(TrayKind::XEmbed, 400);
    using V = std::vector<int32_t>;
    EXPECT_EQ(clicks.messages(TrayActivation::Click, 0), (V{513, 514}));
    EXPECT_EQ(clicks.messages(TrayActivation::DoubleClick, 100), (V{515}));
    EXPECT_EQ(clicks.messages(TrayActivation::Context, 2000), (V{516, 517}));
    EXPECT_EQ(clicks.messages(TrayActivation::Middle, 3000), (V{519, 520}));
    EXPECT_EQ(clicks.messages(TrayActivation::Other, 4000), V{});
}

TEST(TrayClicks, StatusNotifierActivationTogglesOncePerDoubleClick) {
    TrayClicks clicks(TrayKind::StatusNotifierItem, 400);
    using V = std::vector<int32_t>;
    EXPECT_EQ(clicks.messages(TrayActivation::Click, 1000), (V{515}));
    EXPECT_EQ(clicks.messages(TrayActivation::Click, 1200), (V{513, 514})); // same double-click
    EXPECT_EQ(clicks.messages(TrayActivation::Click, 1300), (V{515}));      // a third click
    EXPECT_EQ(clicks.messages(TrayActivation::Click, 5000), (V{515}));
    EXPECT_EQ(clicks.messages(TrayActivation::Context, 5100), (V{516, 517}));
}

struct TrayCallback : test::Started {
    TrayCallback() { start(); }
    void event(int32_t message) { form.Picture1_MouseMove(0, 0, float(message) * 15, 0); }
    std::u16string tipField() const { return form.TrayData.szTip.str(); }
};

TEST_F(TrayCallback, EveryEventRewritesTheTooltipAndSendsItTwice) {
    for (int32_t message : {512, 513, 514, 516, 18, 1024}) {
        clearLogs();
        event(message);
        EXPECT_EQ(messages(), (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION})) << message;
        EXPECT_EQ(fp.shellCalls[0].fields.uFlags, 7u);
        EXPECT_EQ(fp.shellCalls[0].fields.szTip, "Monday, December 7, 2026");
        EXPECT_FALSE(fp.visible);
        EXPECT_EQ(fp.shellCalls[0].fields.uFlags & NIF_INFO, 0u);
    }
    const std::u16string tip = tipField();
    EXPECT_EQ(tip.substr(0, 26), std::u16string(u"Monday, December 7, 2026\0\0", 26));
    EXPECT_EQ(tip.size(), 128u);
    EXPECT_EQ(tip.find_first_not_of(u' ', 26), std::u16string::npos);
}

TEST_F(TrayCallback, TooltipFollowsTheDateAndTheLocalesMonthName) {
    fp.monthNames = {u"janvier", u"février", u"mars",      u"avril",   u"mai",      u"juin",
                     u"juillet", u"août",    u"septembre", u"octobre", u"novembre", u"décembre"};
    fp.clock = LocalDateTime{2026, 2, 28, 7, 23, 59, 0};
    event(512);
    EXPECT_EQ(u8(fp.toUnicode(fp.shellCalls[0].fields.szTip)), "Saturday, février 28, 2026");
    fp.clock = LocalDateTime{2026, 3, 1, 1, 0, 0, 0};
    event(512);
    EXPECT_EQ(fp.shellCalls.back().fields.szTip, "Sunday, mars 1, 2026");
}

TEST_F(TrayCallback, DoubleClickShowsTheWindowWithTheCaretInTheNote) {
    event(515);
    EXPECT_TRUE(fp.visible);
    EXPECT_EQ(fp.focusMoves, std::vector<Control>{Control::txtNote});
    EXPECT_TRUE(fp.writes.empty());
}

TEST_F(TrayCallback, DoubleClickOnAShownWindowDoesWhatOkDoes) {
    event(515);
    fp.texts[Control::txtNote] = u"@9:30 meeting";
    clearLogs();
    event(515);
    EXPECT_FALSE(fp.visible);
    EXPECT_EQ(u8(fp.store.at(u"Note")), "@9:30 meeting");
    EXPECT_TRUE(fp.timers[int(Timer::timerAlarm)]);
    // The tooltip pair, then the indicator icon's pair.
    EXPECT_EQ(messages(),
              (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION, NIM_MODIFY, NIM_SETVERSION}));
    EXPECT_EQ(u8(form.IconPath), "C:\\Vantoly\\tmp.ico");
}

TEST_F(TrayCallback, FailuresInsideNeverEscape) {
    fp.showFails = true;
    EXPECT_NO_THROW(event(515));
    EXPECT_FALSE(fp.visible);
    EXPECT_TRUE(fp.focusMoves.empty());

    // OK stops at the missing icon, silently; what it saved stays saved.
    fp.showFails = false;
    fp.visible = true;
    fp.files.clear();
    fp.texts[Control::txtNote] = u"kept";
    EXPECT_NO_THROW(event(515));
    EXPECT_EQ(u8(fp.store.at(u"Note")), "kept");
    EXPECT_TRUE(fp.problems.empty());

    fp.clock.weekday = 9; // a date the table has no name for still sends the tooltip
    clearLogs();
    EXPECT_NO_THROW(event(512));
    EXPECT_EQ(fp.shellCalls[0].fields.szTip, ", December 7, 2026");
}

TEST_F(TrayCallback, RightClickShowsTheNoteOnScreenInABalloon) {
    fp.texts[Control::txtNote] = u"Call @9:30 dentist"; // not saved: shown as it is on screen
    event(517);
    ASSERT_EQ(messages(), (std::vector<uint32_t>{NIM_MODIFY, NIM_SETVERSION, NIM_MODIFY}));
    const auto& b = fp.shellCalls[2].fields;
    EXPECT_EQ(b.uFlags, NIF_INFO);
    EXPECT_EQ(b.dwInfoFlags, NIIF_INFO);
    EXPECT_EQ(b.szInfoTitle, "Alarm: 9:30");
    EXPECT_EQ(b.szInfo, "Call @9:30 dentist");
    EXPECT_TRUE(fp.writes.empty());
    EXPECT_FALSE(fp.visible);

    // The balloon's fields stay until written again; the next event sets the flags back.
    clearLogs();
    event(512);
    EXPECT_EQ(fp.shellCalls[0].fields.uFlags, 7u);
    EXPECT_EQ(fp.shellCalls[0].fields.szInfoTitle, "Alarm: 9:30");
}

TEST_F(TrayCallback, EmptyNoteGivesAnEmptyReminder) {
    event(517);
    const auto& b = fp.shellCalls.back().fields;
    EXPECT_EQ(b.szInfoTitle, "Reminder");
    EXPECT_EQ(b.szInfo, "");
}

TEST_F(TrayCallback, LongNoteIsCutSoTheBalloonTextStaysTerminated) {
    fp.texts[Control::txtNote] = std::u16string(400, u'x');
    event(517);
    const auto& b = fp.shellCalls.back().fields;
    EXPECT_EQ(b.szInfo, std::string(255, 'x')) << "the 256th byte ends it";
}

// A code page of two bytes per character beyond ASCII, as the East Asian ones have.
struct DoubleByteCodePage : CodePage {
    std::string fromUnicode(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80) {
                out += char(c);
            } else {
                out += char(0x80 | (c >> 8 & 0x7F));
                out += char(c & 0xFF);
            }
        }
        return out;
    }
    std::u16string toUnicode(std::string_view) const override { return {}; }
};

TEST(NotifyRecordText, MultiByteTextIsCutAtAWholeCharacterBeforeItsNul) {
    NOTIFYICONDATA record;
    record.szInfo = BalloonText(std::u16string(200, u'\u65E5'));
    const NotifyRecordBytes b = ToPlatformForm(record, DoubleByteCodePage());
    // 127 characters of two bytes, then the NUL.
    EXPECT_EQ(b[160 + 254], 0);
    EXPECT_NE(b[160 + 253], 0);
    EXPECT_EQ(b[160 + 252] & 0x80, 0x80); // a lead byte begins the last character
    NOTIFYICONDATA shortRecord;
    shortRecord.szInfo = BalloonText(u"\u65E5");
    const NotifyRecordBytes s = ToPlatformForm(shortRecord, DoubleByteCodePage());
    EXPECT_EQ(s[160 + 2], 0); // a text that fits is left whole
    EXPECT_NE(s[160 + 1], 0);
}

} // namespace
