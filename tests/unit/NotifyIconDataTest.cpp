#include <gtest/gtest.h>

#include "fake/FakePlatform.h"
#include "tray/NotifyIconData.h"

using namespace vantoly;
using fake::FakePlatform;

namespace {

uint32_t at32(const NotifyRecordBytes& b, size_t offset) {
    return Field32(b, offset);
}

std::string bytesAt(const NotifyRecordBytes& b, size_t offset, size_t count) {
    return std::string(reinterpret_cast<const char*>(b.data() + offset), count);
}

TEST(FixedText, StartsAsNulsAndIsCutOrFilledWithSpaces) {
    FixedText<8> field;
    EXPECT_EQ(field.str(), std::u16string(8, u'\0'));
    field = u"ab";
    EXPECT_EQ(field.str(), u"ab      ");
    field = u"abcdefghijk";
    EXPECT_EQ(field.str(), u"abcdefgh");
    field = std::u16string(u"x\0", 2);
    EXPECT_EQ(field.str(), std::u16string(u"x\0      ", 8));
}

TEST(PlatformForm, EveryFieldAtItsOffset) {
    FakePlatform fp;
    NOTIFYICONDATA r;
    r.cbSize = 504;
    r.hWnd = 0x11223344;
    r.uID = 999;
    r.uFlags = 7;
    r.uCallbackMessage = 512;
    r.hIcon = 0xA1B2C3D4;
    r.szTip = std::u16string(u"Tip\0", 4);
    r.dwState = 2;
    r.dwStateMask = 0x55;
    r.szInfo = std::u16string(u"Info\0", 5);
    r.uVersion = 3;
    r.szInfoTitle = std::u16string(u"Title\0", 6);
    r.dwInfoFlags = 1;
    r.guidItem[0] = 0xEE;
    r.guidItem[15] = 0xFF;

    const NotifyRecordBytes b = ToPlatformForm(r, fp);
    EXPECT_EQ(at32(b, 0), 504u);
    EXPECT_EQ(at32(b, 4), 0x11223344u);
    EXPECT_EQ(b[4], 0x44); // little-endian
    EXPECT_EQ(at32(b, 8), 999u);
    EXPECT_EQ(at32(b, 12), 7u);
    EXPECT_EQ(at32(b, 16), 512u);
    EXPECT_EQ(at32(b, 20), 0xA1B2C3D4u);
    EXPECT_EQ(bytesAt(b, 24, 128), std::string("Tip\0", 4) + std::string(124, ' '));
    EXPECT_EQ(at32(b, 152), 2u);
    EXPECT_EQ(at32(b, 156), 0x55u);
    EXPECT_EQ(bytesAt(b, 160, 256), std::string("Info\0", 5) + std::string(251, ' '));
    EXPECT_EQ(at32(b, 416), 3u);
    EXPECT_EQ(bytesAt(b, 420, 64), std::string("Title\0", 6) + std::string(58, ' '));
    EXPECT_EQ(at32(b, 484), 1u);
    EXPECT_EQ(b[488], 0xEE);
    EXPECT_EQ(b[503], 0xFF);
    EXPECT_EQ(b.size(), 504u);
}

TEST(PlatformForm, UnwrittenTextFieldsAreNul) {
    FakePlatform fp;
    const NotifyRecordBytes b = ToPlatformForm(NOTIFYICONDATA{}, fp);
    for (size_t i = 0; i < b.size(); ++i)
        EXPECT_EQ(b[i], 0) << "byte " << i;
}

TEST(PlatformForm, TextLongerThanTheFieldIsCut) {
    FakePlatform fp;
    NOTIFYICONDATA r;
    r.szTip = std::u16string(300, u'x');
    r.dwState = 0xABCD;
    const NotifyRecordBytes b = ToPlatformForm(r, fp);
    EXPECT_EQ(bytesAt(b, 24, 128), std::string(128, 'x'));
    EXPECT_EQ(at32(b, 152), 0xABCDu); // the next field is untouched
}

TEST(PlatformForm, RecordHoldsWhatThePlatformReceivedAfterTheCall) {
    FakePlatform fp;
    NOTIFYICONDATA r;
    r.szInfo = std::u16string(u"Caf\u00e9 \u20ac5\0", 8);
    SendNotifyRecord(fp, fp, NIM_MODIFY, r);
    ASSERT_EQ(fp.shellCalls.size(), 1u);
    EXPECT_EQ(bytesAt(fp.shellCalls[0].bytes, 160, 8), std::string("Caf\xe9 ?5\0", 8));
    // The euro sign is not in this code page: the record now holds the replacement.
    EXPECT_EQ(r.szInfo.str().substr(0, 8), std::u16string(u"Caf\u00e9 ?5\0", 8));
    EXPECT_EQ(r.szInfo.str().size(), 256u);
}

// What a shell reads of the record depends on the size it is told.
TEST(DecodeNotifyRecord, EachSizeSeesWhatAShellOfThatVersionReads) {
    FakePlatform fp;
    NOTIFYICONDATA r;
    r.hWnd = 0x1005;
    r.uID = 999;
    r.szTip = std::u16string(100, u'x') + u"END" + std::u16string(1, u'\0');
    r.szInfo = std::u16string(u"Buy milk\0", 9);
    r.szInfoTitle = std::u16string(u"Reminder\0", 9);
    r.dwInfoFlags = 1;
    const struct {
        uint32_t size;
        bool read;
        std::u16string tip, info;
    } cases[] = {
        {88, true, std::u16string(64, u'x'), u""}, // the first version: a 64-byte tip, no balloon
        {488, true, std::u16string(100, u'x') + u"END", u"Buy milk"},
        {504, true, std::u16string(100, u'x') + u"END", u"Buy milk"},
        {0, false, u"", u""},
        {87, false, u"", u""},
        {500, false, u"", u""},
    };
    for (const auto& c : cases) {
        r.cbSize = c.size;
        const auto d = DecodeNotifyRecord(ToPlatformForm(r, fp), fp);
        ASSERT_EQ(d.has_value(), c.read) << c.size;
        if (!d)
            continue;
        EXPECT_EQ(d->tip, c.tip) << c.size;
        EXPECT_EQ(d->hasBalloonFields, c.size >= 488) << c.size;
        EXPECT_EQ(d->info, c.info) << c.size;
        EXPECT_EQ(d->infoTitle, c.size >= 488 ? u"Reminder" : u"") << c.size;
        EXPECT_EQ(d->infoFlags, c.size >= 488 ? 1u : 0u) << c.size;
        EXPECT_EQ(d->hWnd, 0x1005u);
        EXPECT_EQ(d->uID, 999u);
    }
}

class WritingShell : public ShellTray {
  public:
    int32_t Shell_NotifyIconA(uint32_t, NotifyRecordBytes& record) override {
        record[24] = 'Z';
        record[8] = 7;
        return 1;
    }
};

TEST(PlatformForm, FieldsThePlatformWroteComeBack) {
    FakePlatform fp;
    WritingShell shell;
    NOTIFYICONDATA r;
    r.uID = 999;
    SendNotifyRecord(shell, fp, NIM_MODIFY, r);
    EXPECT_EQ(r.szTip.str()[0], u'Z');
    EXPECT_EQ(r.uID, 999u - 999u % 256 + 7);
}

} // namespace
