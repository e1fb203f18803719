#pragma once
// The recovery journal's bytes, the same on every platform: a header line, then for each entry
// its name ("section/key"), a tab, what the store held for that key when the entry was made, a
// tab, the text's length in bytes, a line break, the text and a line break. Texts are UTF-8 and
// may hold any character, line breaks and tabs included.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vantoly {

inline constexpr std::string_view kJournalHeader = "Vantoly journal 2\n";

struct JournalEntry {
    // What the store held when the entry was made (StoredDigest).
    std::string base;
    std::string text; // UTF-8
    bool operator==(const JournalEntry&) const = default;
};
using JournalEntries = std::map<std::string, JournalEntry>; // name -> entry

// The journal's bytes as parts to write one after another, without copying a text: they point
// into `entries` and into `heads`, which holds each entry's line before its text.
std::vector<std::string_view> JournalParts(const JournalEntries& entries,
                                           std::vector<std::string>& heads);
// A journal cut short or damaged anywhere gives no entries: half of one is no recovery.
JournalEntries DecodeJournal(std::string_view bytes);

// A short, stable fingerprint of a stored value; "-" for no value at all.
std::string StoredDigest(const std::u16string* value);

} // namespace vantoly
