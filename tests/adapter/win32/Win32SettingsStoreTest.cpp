// The registry store, on the real registry (Wine's, under the test's own prefix): texts come
// back as written, missing and foreign values read as absent, and nothing else is touched; a
// journal left by a sudden end goes into the registry unless the registry was saved after it.
#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/WindowsHeaders.h"
#include <gtest/gtest.h>

#include "platform/JournalFormat.h"
#include "platform/win32/Win32Files.h"

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
    Win32SettingsStore store{journal};
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

// A run that ended suddenly left its typing in the journal.
TEST_F(Win32SettingsStoreTest, AJournalNewerThanTheRegistryGoesIntoItBeforeAnythingIsRead) {
    store.write(kApp, u"Settings", u"Note", u"saved");
    store.journal(u"Settings", u"Note", u"saved and typed \u2713\r\n");
    ASSERT_TRUE(journalThere());
    Win32SettingsStore next(journal);
    EXPECT_EQ(next.read(kApp, u"Settings", u"xPos"), std::nullopt);
    Win32SettingsStore third(journal);
    EXPECT_EQ(third.read(kApp, u"Settings", u"Note"), u"saved and typed \u2713\r\n")
        << "in the registry itself";
    EXPECT_FALSE(journalThere()) << "applied, so gone";

    // One older than the registry is stale: the registry was saved after it.
    third.journal(u"Settings", u"Note", u"old typing");
    const HANDLE file =
        CreateFileW(journal.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME minuteAgo{};
    GetSystemTimeAsFileTime(&minuteAgo);
    const uint64_t ago = FileTimeSteps(minuteAgo) - 60ull * 10000000ull;
    minuteAgo = {DWORD(ago), DWORD(ago >> 32)};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &minuteAgo));
    CloseHandle(file);
    EXPECT_EQ(Win32SettingsStore(journal).read(kApp, u"Settings", u"Note"),
              u"saved and typed \u2713\r\n");
    EXPECT_FALSE(journalThere());
}

TEST_F(Win32SettingsStoreTest, ASaveTakesTheTypingOutOfTheJournal) {
    store.journal(u"Settings", u"Note", u"typing");
    store.journal(u"Settings", u"Note2", u"more typing");
    EXPECT_EQ(store.read(kApp, u"Settings", u"Note"), u"typing");
    store.writeAll(kApp, u"Settings", {{u"Note", u"typing"}, {u"xPos", u"1"}});
    ASSERT_TRUE(journalThere()) << "Note2 is not saved yet";
    EXPECT_EQ(DecodeJournal(ReadWholeFile(journal).value_or("")),
              (JournalEntries{{"Settings/Note2", "more typing"}}));
    store.write(kApp, u"Settings", u"Note2", u"more typing");
    EXPECT_FALSE(journalThere());
}

} // namespace
} // namespace vantoly::win32
