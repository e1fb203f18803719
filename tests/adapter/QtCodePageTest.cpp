#include <gtest/gtest.h>

#include <algorithm>

#include "fake/FakePlatform.h"
#include "platform/qt/QtCodePage.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayTexts.h"

using namespace vantoly;
using fake::u16;

namespace {

// The bytes of a record field up to its NUL, and whether the NUL is inside the field.
std::pair<std::string, bool> fieldBytes(const NotifyRecordBytes& b, size_t at, size_t length) {
    const auto* first = reinterpret_cast<const char*>(b.data() + at);
    const auto* nul = std::find(first, first + length, '\0');
    return {std::string(first, nul), nul != first + length};
}

TEST(Utf8CodePage, EveryScriptGoesThroughWhole) {
    qt::QtCodePage utf8;
    for (const char* text :
         {"Позвонить маме", "Ελληνικά", "שלום", "مرحبا", "漢字かな", "😀 👩‍💻"}) {
        EXPECT_EQ(utf8.fromUnicode(u16(text)), text);
        EXPECT_EQ(utf8.toUnicode(text), u16(text));
    }
    EXPECT_EQ(utf8.fromUnicode(u"\uFEFF\uFFFE"), "\xEF\xBB\xBF\xEF\xBF\xBE");
    EXPECT_EQ(utf8.fromUnicode(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD"
                                                                              "b")
        << "half a pair";
}

TEST(Utf8CodePage, RecordFieldsAreCutAtWholeCharactersAndKeepTheirNul) {
    qt::QtCodePage utf8;
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
