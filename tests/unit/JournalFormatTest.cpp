// The recovery journal: whatever a note holds comes back exactly, a journal cut short or damaged
// gives nothing rather than half a note, and its rules over the store hold across a sudden end.
#include <gtest/gtest.h>

#include "app/JournalingStore.h"
#include "base/Utf8.h"
#include "fake/FakePlatform.h"

namespace vantoly {
namespace {

std::string Encode(const JournalEntries& entries) {
    std::vector<std::string> heads;
    std::string bytes;
    for (const std::string_view part : JournalParts(entries, heads))
        bytes += part;
    return bytes;
}

TEST(JournalFormat, EveryTextComesBackExactly) {
    const JournalEntries entries = {
        {"Settings/Note", {"12:00000000deadbeef", "line one\r\nline two\nthree\rfour\tfive\n"}},
        {"Settings/Note2", {"-", ""}},
        {"Settings/Note3", {"", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80\n\n"}},
        {"Settings/Title1", {"-", std::string("nul\0inside", 10)}},
    };
    EXPECT_EQ(DecodeJournal(Encode(entries)), entries);
    EXPECT_EQ(DecodeJournal(Encode({})), JournalEntries{});
}

// Text is decoded as it was encoded, and nothing else passes for a character: an overlong form, a
// surrogate, a cut-off sequence or a stray byte is one U+FFFD for each byte it holds.
TEST(Utf8, OnlyTheShortestFormOfACharacterDecodes) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"a/\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"a/\u00E9\u20AC\U0001F600"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // "/" in two bytes
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // and in three
        {"\xF0\x82\x82\xAC", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // the euro sign in four
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a lone surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"x\xE2\x82", u"x\uFFFD\uFFFD"},                   // cut off
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(FromUtf8(bytes), text) << bytes;
        if (text.find(u'\uFFFD') == std::u16string::npos) {
            EXPECT_EQ(ToUtf8(text), bytes);
        }
    }
}

TEST(JournalFormat, DamageGivesNothing) {
    const std::string whole =
        Encode({{"Settings/Note", {"-", "typed"}}, {"Settings/Note2", {"-", "x"}}});
    const std::string damaged[] = {
        whole.substr(0, whole.size() - 1), // cut short
        whole.substr(0, whole.size() - 3),
        "Vantoly journal 2\nSettings/Note\t-\t999\nshort\n",
        "Vantoly journal 2\nSettings/Note\t-\t-1\nx\n",
        "Vantoly journal 2\nSettings/Note\t-\t\nx\n",
        "Vantoly journal 2\nSettings/Note\t-\t2x\nab\n",
        "Vantoly journal 2\nSettings/Note 5\ntyped\n",
        "Vantoly journal 2\nSettings/Note\t5\ntyped\n", // no base
        "Vantoly journal 2\nSettings/Note\t-\t3\ntypedX",
        "Vantoly journal 1\nSettings/Note\t999\nshort\n",
        "Vantoly journal 3\nSettings/Note\t-\t5\ntyped\n",
        "garbage",
        "",
    };
    for (const std::string& bytes : damaged)
        EXPECT_EQ(DecodeJournal(bytes), JournalEntries{}) << bytes;
}

// A run of the program: the store it was given, over the same settings and the same journal
// file as every other run.
struct Journal : testing::Test {
    fake::FakePlatform settings;
    fake::FakeStateFile file;
    std::optional<JournalingStore> store;
    void start() { store.emplace(settings, file); }
    std::optional<std::u16string> read(const std::u16string& key) {
        return store->read(u"Vantoly", u"Settings", key);
    }
    void write(const std::u16string& key, const std::u16string& value) {
        store->write(u"Vantoly", u"Settings", key, value);
    }
    void SetUp() override {
        settings.store = {{u"Note", u"saved"}, {u"Title2", u"Work"}};
        start();
        read(u"Note"); // as the window's start reads it
    }
};

// Typed into Note 1 (only the journal has it), Note 2 renamed (the file written after the
// journal), then killed: the next start still has the typing.
TEST_F(Journal, TypingOutlivesAWriteOfAnotherKeyAndASuddenEnd) {
    store->journal(u"Settings", u"Note", u"saved and typed \uFEFF\u2713");
    ASSERT_TRUE(file.bytes);
    write(u"Title2", u"Home");
    EXPECT_NE(file.bytes->find("saved and typed"), std::string::npos) << "another key's write";
    start();
    EXPECT_EQ(read(u"xPos"), std::nullopt);
    EXPECT_EQ(settings.store[u"Note"], u"saved and typed \uFEFF\u2713")
        << "applied before anything is read";
    EXPECT_EQ(read(u"Note"), u"saved and typed \uFEFF\u2713");
    EXPECT_EQ(settings.store[u"Title2"], u"Home");
    EXPECT_FALSE(file.bytes) << "applied, so gone";
}

TEST_F(Journal, AWriteOfTheKeyTakesItOut) {
    store->journal(u"Settings", u"Note", u"typed");
    store->journal(u"Settings", u"Note2", u"more typing");
    write(u"Note", u"typed");
    EXPECT_EQ(DecodeJournal(file.bytes.value_or("")).count("Settings/Note"), 0u);
    EXPECT_EQ(read(u"Note2"), u"more typing") << "not written yet";
    write(u"Note2", u"more typing");
    EXPECT_FALSE(file.bytes);
}

// Something wrote a later value of the same key after the typing reached the journal (another
// computer sharing the file, a restored backup): a note keeps both texts, other values the
// later one. The program's own save that landed before a crash is not doubled.
TEST_F(Journal, ALaterValueInTheStoreIsKeptBesideTheTyping) {
    store->journal(u"Settings", u"Note", u"typed");
    store->journal(u"Settings", u"Note2", u"mine");
    store->journal(u"Settings", u"Title1", u"typed title");
    store->journal(u"Settings", u"Title2", u"typed title");
    settings.store[u"Note"] = u"written later";
    settings.store[u"Note2"] = u"mine, and saved with more";
    settings.store[u"Title2"] = u"renamed later";
    start();
    EXPECT_EQ(read(u"Note"), u"typed" + std::u16string(kBothKeptSeparator) + u"written later");
    EXPECT_EQ(settings.store[u"Note"], read(u"Note"));
    EXPECT_EQ(read(u"Note2"), u"mine, and saved with more") << "this program's own save";
    EXPECT_EQ(read(u"Title1"), u"typed title") << "no value then, none since";
    EXPECT_EQ(read(u"Title2"), u"renamed later");
    EXPECT_FALSE(file.bytes);
}

TEST_F(Journal, WhatTheStoreRefusesIsKeptAndReadFromTheJournal) {
    settings.settingsWritable = false;
    EXPECT_THROW(
        store->writeAll(u"Vantoly", u"Settings", {{u"Note", u"saved"}, {u"Note2", u"new"}}),
        PlatformFailure);
    EXPECT_EQ(DecodeJournal(file.bytes.value_or("")).size(), 1u) << "Note was unchanged";
    EXPECT_EQ(read(u"Note2"), u"new");
    start();
    EXPECT_EQ(read(u"Note2"), u"new") << "offered back after a restart";
    settings.settingsWritable = true;
    write(u"Note2", u"new");
    EXPECT_EQ(settings.store[u"Note2"], u"new");
    EXPECT_FALSE(file.bytes) << "taken by the store at last";
}

} // namespace
} // namespace vantoly
