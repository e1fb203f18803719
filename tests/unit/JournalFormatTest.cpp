// The recovery journal's bytes: whatever a note holds comes back exactly, and a journal cut
// short or damaged anywhere gives nothing rather than half a note.
#include "platform/JournalFormat.h"

#include <gtest/gtest.h>

namespace vantoly {
namespace {

TEST(JournalFormat, EveryTextComesBackExactly) {
    const JournalEntries entries = {
        {"Settings/Note", "line one\r\nline two\nthree\rfour\tfive\n"},
        {"Settings/Note2", ""},
        {"Settings/Note3", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80\n\n"},
        {"Settings/Title1", std::string("nul\0inside", 10)},
    };
    EXPECT_EQ(DecodeJournal(EncodeJournal(entries)), entries);
    EXPECT_EQ(DecodeJournal(EncodeJournal({})), JournalEntries{});
}

TEST(JournalFormat, DamageGivesNothing) {
    const std::string whole = EncodeJournal({{"Settings/Note", "typed"}, {"Settings/Note2", "x"}});
    const std::string damaged[] = {
        whole.substr(0, whole.size() - 1), // cut short
        whole.substr(0, whole.size() - 3),
        "Vantoly journal 1\nSettings/Note\t999\nshort\n",
        "Vantoly journal 1\nSettings/Note\t-1\nx\n",
        "Vantoly journal 1\nSettings/Note\t\nx\n",
        "Vantoly journal 1\nSettings/Note\t2x\nab\n",
        "Vantoly journal 1\nSettings/Note 5\ntyped\n",
        "Vantoly journal 1\nSettings/Note\t3\ntypedX",
        "Vantoly journal 2\nSettings/Note\t5\ntyped\n",
        "garbage",
        "",
    };
    for (const std::string& bytes : damaged)
        EXPECT_EQ(DecodeJournal(bytes), JournalEntries{}) << bytes;
}

} // namespace
} // namespace vantoly
