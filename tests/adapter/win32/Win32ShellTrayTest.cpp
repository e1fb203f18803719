// The 64-bit copy of the program's tray record: every field lands in the structure of the same
// version, and the tooltip never runs past the size the version allows.
#include "platform/win32/Win32ShellTray.h"

#include <gtest/gtest.h>
#include <string>

#include "platform/win32/Win32Calls.h"
#include "tray/NotifyIconData.h"

namespace vantoly::win32 {
namespace {

#ifdef _WIN64
NOTIFYICONDATA sample(uint32_t size) {
    NOTIFYICONDATA record;
    record.cbSize = size;
    record.hWnd = 0x2005C;
    record.uID = 999;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    record.uCallbackMessage = 512;
    record.hIcon = 0x100A0;
    record.szTip = std::u16string(70, u'T') + u"tail";
    record.dwState = 2;
    record.szInfo = u"Call @9:05";
    record.uVersion = 3;
    record.szInfoTitle = u"Alarm: 9:05";
    record.dwInfoFlags = 1;
    return record;
}

TEST(Win32ShellTray, EveryFieldIsCopiedIntoTheStructureOfTheSameVersion) {
    const struct {
        uint32_t size;
        DWORD expected;
        size_t tipLength;
    } cases[] = {
        {88, NOTIFYICONDATAA_V1_SIZE, 63},
        {488, NOTIFYICONDATAA_V2_SIZE, 127},
        {504, NOTIFYICONDATAA_V3_SIZE, 127},
    };
    Win32CodePage codePage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const NOTIFYICONDATAA data = ToNotifyIconDataA(ToPlatformForm(sample(c.size), codePage));
        EXPECT_EQ(data.cbSize, c.expected);
        EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(intptr_t(0x2005C)));
        EXPECT_EQ(data.uID, 999u);
        EXPECT_EQ(data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));
        EXPECT_EQ(data.uCallbackMessage, 512u);
        EXPECT_EQ(data.hIcon, reinterpret_cast<HICON>(intptr_t(0x100A0)));
        const std::string tip = data.szTip;
        EXPECT_EQ(tip.size(), c.tipLength);
        EXPECT_EQ(tip.substr(0, 4), "TTTT");
        EXPECT_EQ(data.dwState, 2u);
        EXPECT_EQ(std::string(data.szInfo).substr(0, 10), "Call @9:05");
        EXPECT_EQ(data.uVersion, 3u);
        EXPECT_EQ(std::string(data.szInfoTitle).substr(0, 11), "Alarm: 9:05");
        EXPECT_EQ(data.dwInfoFlags, 1u);
    }
}

TEST(Win32ShellTray, HandlesKeepTheirSignWhenWidened) {
    NOTIFYICONDATA record = sample(504);
    record.hWnd = 0xFFFF1234; // a handle above 2^31 is sign-extended on 64-bit Windows
    Win32CodePage codePage;
    EXPECT_EQ(ToNotifyIconDataA(ToPlatformForm(record, codePage)).hWnd,
              reinterpret_cast<HWND>(intptr_t(int32_t(0xFFFF1234))));
}
#endif

} // namespace
} // namespace vantoly::win32
