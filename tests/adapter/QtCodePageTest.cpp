#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtCodePage.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayTexts.h"

using namespace vantoly;
using fake::u16;

namespace {

TEST(AnsiCodePage, ChosenFromTheLocaleAsWindowsDoes) {
    const std::pair<const char*, int> table[] = {
        {"en_US", 1252}, {"de_DE", 1252}, {"fr_FR", 1252},      {"he_IL", 1255},
        {"ru_RU", 1251}, {"uk_UA", 1251}, {"bg_BG", 1251},      {"el_GR", 1253},
        {"tr_TR", 1254}, {"ar_EG", 1256}, {"fa_IR", 1256},      {"lt_LT", 1257},
        {"lv_LV", 1257}, {"et_EE", 1257}, {"pl_PL", 1250},      {"cs_CZ", 1250},
        {"hu_HU", 1250}, {"hr_HR", 1250}, {"sr_Latn_RS", 1250}, {"sr_Cyrl_RS", 1251},
        {"vi_VN", 1258}, {"th_TH", 874},  {"ja_JP", 1252}};
    for (const auto& [name, codePage] : table)
        EXPECT_EQ(qt::AnsiCodePageFor(QLocale(QString::fromLatin1(name))), codePage) << name;
}

TEST(AnsiCodePage, EveryChosenCodePageConverts) {
    for (int codePage : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        qt::QtCodePage cp(codePage);
        EXPECT_EQ(cp.fromUnicode(u"Vantoly 12"), "Vantoly 12") << codePage;
        EXPECT_EQ(cp.toUnicode(std::string("ab\0", 3)), std::u16string(u"ab\0", 3)) << codePage;
    }
}

TEST(AnsiCodePage, UnrepresentableCharactersBecomeTheReplacement) {
    qt::QtCodePage western(1252);
    EXPECT_EQ(western.fromUnicode(u16("Café €5")), "Caf\xe9 \x80"
                                                   "5");
    EXPECT_EQ(western.fromUnicode(u16("ā ש")), "? ?");
    EXPECT_EQ(western.fromUnicode(u16("😀x")), "?x"); // one replacement for the pair
    EXPECT_EQ(western.toUnicode("Caf\xe9 \x80"), u16("Café €"));

    qt::QtCodePage cyrillic(1251);
    const std::string bytes = cyrillic.fromUnicode(u16("Привет"));
    EXPECT_EQ(bytes, "\xcf\xf0\xe8\xe2\xe5\xf2");
    EXPECT_EQ(cyrillic.toUnicode(bytes), u16("Привет"));

    qt::QtCodePage hebrew(1255);
    EXPECT_EQ(hebrew.toUnicode(hebrew.fromUnicode(u16("שלום"))), u16("שלום"));
}

} // namespace

namespace {

// The bytes of a record field up to its NUL, and whether the NUL is inside the field.
std::pair<std::string, bool> fieldBytes(const NotifyRecordBytes& b, size_t at, size_t length) {
    const auto* first = reinterpret_cast<const char*>(b.data() + at);
    const auto* nul = std::find(first, first + length, '\0');
    return {std::string(first, nul), nul != first + length};
}

TEST(Utf8CodePage, EveryScriptGoesThroughWhole) {
    qt::QtCodePage utf8(qt::kUtf8CodePage);
    for (const char* text :
         {"Позвонить маме", "Ελληνικά", "שלום", "مرحبا", "漢字かな", "😀 👩‍💻"}) {
        EXPECT_EQ(utf8.fromUnicode(u16(text)), text);
        EXPECT_EQ(utf8.toUnicode(text), u16(text));
    }
}

TEST(Utf8CodePage, RecordFieldsAreCutAtWholeCharactersAndKeepTheirNul) {
    qt::QtCodePage utf8(qt::kUtf8CodePage);
    NOTIFYICONDATA record;
    record.szTip = u16("Четверг, 5 марта 2026 г.") + u'\0';
    record.szInfo = BalloonText(std::u16string(200, u'Ж'));
    std::u16string title = u"Alarm:";
    for (int i = 0; i < 20; ++i)
        title += u"\U0001F600";
    record.szInfoTitle = title + u'\0';
    const NotifyRecordBytes b = ToPlatformForm(record, utf8);

    EXPECT_EQ(fieldBytes(b, NotifyOffset::szTip, 128),
              std::pair(std::string("Четверг, 5 марта 2026 г."), true));
    const auto [balloon, balloonEnds] = fieldBytes(b, NotifyOffset::szInfo, 256);
    EXPECT_TRUE(balloonEnds);
    EXPECT_EQ(u16(balloon), std::u16string(127, u'Ж')); // 254 bytes and the NUL
    const auto [head, headEnds] = fieldBytes(b, NotifyOffset::szInfoTitle, 64);
    EXPECT_TRUE(headEnds);
    EXPECT_EQ(head.size(), 6u + 14 * 4); // whole emoji only, no half of one
    EXPECT_EQ(utf8.toUnicode(head), title.substr(0, 6 + 14 * 2));
}

} // namespace
