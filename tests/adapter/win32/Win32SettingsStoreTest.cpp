// The registry store, on the real registry (Wine's, under the test's own prefix): texts come
// back as written, missing and foreign values read as absent, and nothing else is touched; the
// journal's file is replaced whole.
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32Files.h"

#include "platform/win32/WindowsHeaders.h"
#include <gtest/gtest.h>

namespace vantoly::win32 {
namespace {

constexpr char16_t kApp[] = u"VantolyAdapterTest";
constexpr wchar_t kKey[] = L"Software\\VB and VBA Program Settings\\VantolyAdapterTest";

class Win32SettingsStoreTest : public testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        DeleteFileW(journal.c_str());
    }
    static std::wstring journalPath() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        return std::wstring(temp) + L"vantoly-test-journal";
    }
    bool journalThere() const {
        return GetFileAttributesW(journal.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    const std::wstring journal = journalPath();
    Win32SettingsStore store;
};

TEST_F(Win32SettingsStoreTest, TextsComeBackAsWritten) {
    const std::u16string texts[] = {
        u"",
        u"Buy milk @9:05",
        u"line one\r\nline two\rthree\nfour",
        u"\u05E9\u05DC\u05D5\u05DD \U0001F600 \u00E9",
        std::u16string(100000, u'x'),
    };
    for (const auto& text : texts) {
        store.write(kApp, u"Settings", u"Note", text);
        EXPECT_EQ(store.read(kApp, u"Settings", u"Note"), text);
    }
}

TEST_F(Win32SettingsStoreTest, MissingKeysReadAsAbsentAndReadingCreatesNothing) {
    EXPECT_EQ(store.read(kApp, u"Settings", u"xPos"), std::nullopt);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    store.write(kApp, u"Settings", u"yPos", u"120");
    EXPECT_EQ(store.read(kApp, u"Settings", u"xPos"), std::nullopt);
    EXPECT_EQ(store.read(kApp, u"Other", u"yPos"), std::nullopt);
}

TEST_F(Win32SettingsStoreTest, ValuesOfOtherTypesAreNotTheProgramsTexts) {
    store.write(kApp, u"Settings", u"Black", u"1");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                            L"Software\\VB and VBA Program Settings\\VantolyAdapterTest\\Settings",
                            0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const DWORD number = 1;
    RegSetValueExW(key, L"Indicator", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    // A string stored without its terminator, as some tools write them.
    RegSetValueExW(key, L"Title1", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"Work"), 8);
    RegCloseKey(key);
    EXPECT_EQ(store.read(kApp, u"Settings", u"Indicator"), std::nullopt);
    EXPECT_EQ(store.read(kApp, u"Settings", u"Title1"), u"Work");
    EXPECT_EQ(store.read(kApp, u"Settings", u"Black"), u"1");
}

TEST_F(Win32SettingsStoreTest, TheJournalFileIsReplacedWholeAndRemoved) {
    Win32StateFile file(journal);
    ASSERT_EQ(file.replace({"Vantoly journal 2\n", "old, longer typing"}), std::nullopt);
    ASSERT_EQ(file.replace({"Vantoly journal 2\n", "typing \xE2\x9C\x93"}), std::nullopt);
    EXPECT_EQ(file.read(), "Vantoly journal 2\ntyping \xE2\x9C\x93");
    file.remove();
    EXPECT_FALSE(journalThere());
    EXPECT_EQ(file.read(), std::nullopt);
}

} // namespace
} // namespace vantoly::win32
