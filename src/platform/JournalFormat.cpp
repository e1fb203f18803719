#include "platform/JournalFormat.h"

#include <charconv>

namespace vantoly {
namespace {

constexpr std::string_view kHeader = "Vantoly journal 1\n";

} // namespace

std::string EncodeJournal(const JournalEntries& entries) {
    std::string bytes(kHeader);
    for (const auto& [key, text] : entries) {
        bytes += key;
        bytes += '\t';
        bytes += std::to_string(text.size());
        bytes += '\n';
        bytes += text;
        bytes += '\n';
    }
    return bytes;
}

JournalEntries DecodeJournal(std::string_view bytes) {
    if (bytes.substr(0, kHeader.size()) != kHeader)
        return {};
    JournalEntries entries;
    for (size_t at = kHeader.size(); at < bytes.size();) {
        const size_t tab = bytes.find('\t', at);
        const size_t end = bytes.find('\n', at);
        if (tab == std::string_view::npos || end == std::string_view::npos || end < tab)
            return {};
        size_t length = 0;
        const char* first = bytes.data() + tab + 1;
        const char* last = bytes.data() + end;
        const auto [stop, error] = std::from_chars(first, last, length);
        if (error != std::errc() || stop != last || first == last ||
            length >= bytes.size() - end - 1 || bytes[end + 1 + length] != '\n')
            return {};
        entries[std::string(bytes.substr(at, tab - at))] =
            std::string(bytes.substr(end + 1, length));
        at = end + 1 + length + 1;
    }
    return entries;
}

} // namespace vantoly
