#pragma once
// The recovery journal's bytes, the same on every platform: a header line, then for each entry
// its key, a tab, the text's length in bytes, a line break, the text and a line break. Keys and
// texts are UTF-8; a text may hold any byte, line breaks and tabs included.
#include <map>
#include <string>
#include <string_view>

namespace vantoly {

// A note being typed reaches the journal at most this long after it was typed, however long the
// typing goes on.
constexpr int kAutosaveDelayMs = 1000;

using JournalEntries = std::map<std::string, std::string>; // "section/key" -> text

std::string EncodeJournal(const JournalEntries& entries);
// A journal cut short or damaged anywhere gives no entries: half of one is no recovery.
JournalEntries DecodeJournal(std::string_view bytes);

} // namespace vantoly
