#include "app/JournalFormat.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace vantoly {
namespace {

std::optional<size_t> Length(std::string_view digits) {
    size_t length = 0;
    const auto [stop, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), length);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size())
        return std::nullopt;
    return length;
}

} // namespace

std::vector<std::string_view> JournalParts(const JournalEntries& entries,
                                           std::vector<std::string>& heads) {
    heads.clear();
    heads.reserve(entries.size());
    for (const auto& [name, entry] : entries)
        heads.push_back(name + '\t' + entry.base + '\t' + std::to_string(entry.text.size()) + '\n');
    std::vector<std::string_view> parts = {kJournalHeader};
    size_t index = 0;
    for (const auto& [name, entry] : entries) {
        parts.push_back(heads[index++]);
        parts.push_back(entry.text);
        parts.push_back("\n");
    }
    return parts;
}

JournalEntries DecodeJournal(std::string_view bytes) {
    if (!bytes.starts_with(kJournalHeader))
        return {};
    JournalEntries entries;
    for (size_t at = kJournalHeader.size(); at < bytes.size();) {
        const size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos)
            return {};
        const std::string_view line = bytes.substr(at, end - at);
        const size_t tab = line.find('\t');
        const size_t lastTab = line.rfind('\t');
        if (tab == std::string_view::npos || lastTab == tab)
            return {};
        const auto length = Length(line.substr(lastTab + 1));
        if (!length || *length >= bytes.size() - end - 1 || bytes[end + 1 + *length] != '\n')
            return {};
        const std::string_view base = line.substr(tab + 1, lastTab - tab - 1);
        entries[std::string(line.substr(0, tab))] = {std::string(base),
                                                     std::string(bytes.substr(end + 1, *length))};
        at = end + 1 + *length + 1;
    }
    return entries;
}

// Its length and a 64-bit FNV-1a hash of its UTF-16 code units: the same in every run and on
// every platform, and cheap enough for a 10 MB note.
std::string StoredDigest(const std::u16string* value) {
    if (!value)
        return "-";
    uint64_t hash = 0xcbf29ce484222325u;
    for (const char16_t unit : *value)
        hash = (hash ^ uint64_t(unit)) * 0x100000001b3u;
    char digest[48];
    std::snprintf(digest, sizeof digest, "%zu:%016llx", value->size(), (unsigned long long)(hash));
    return digest;
}

} // namespace vantoly
