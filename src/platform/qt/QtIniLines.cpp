#include "platform/qt/QtIniLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace vantoly::qt {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// What ends a run of plain text in a line.
constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    for (unsigned char c : {'\n', '\r', '"', ';', '=', '\\'})
        special[c] = true;
    return special;
}();

bool isSpecial(char c) {
    return kSpecial[uchar(c)];
}

// Past the plain text from `i`, sixteen bytes at a time while none of them is special: a big
// note is nearly all plain text.
qsizetype skipPlain(QByteArrayView data, qsizetype i) {
    using Block = unsigned char __attribute__((vector_size(16)));
    const qsizetype size = data.size();
    for (Block b; i + 16 <= size; i += 16) {
        std::memcpy(&b, data.data() + i, sizeof b);
        const auto hits =
            (b == '\n') | (b == '\r') | (b == '"') | (b == ';') | (b == '=') | (b == '\\');
        std::uint64_t halves[2];
        std::memcpy(halves, &hits, sizeof halves);
        if (halves[0] | halves[1])
            break;
    }
    while (i < size && !isSpecial(data[i]))
        ++i;
    return i;
}

} // namespace

bool NextIniLine(QByteArrayView data, qsizetype& pos, IniLine& line) {
    const qsizetype size = data.size();
    bool inQuotes = false, escapedEnd = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < size && isSpace(data[line.start]))
        ++line.start;
    qsizetype i = line.start;
    while (i < size) {
        i = skipPlain(data, i);
        if (i == size)
            break;
        const char ch = data[i++];
        if (ch == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            escapedEnd = i == size;
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == line.start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && isSpace(data[i]))
                    ++i;
                line.start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    line.runsOn = i == size && (inQuotes || escapedEnd);
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

std::optional<IniHeader> IniHeaderOf(QByteArrayView line) {
    if (!line.startsWith('['))
        return std::nullopt;
    const qsizetype close = line.indexOf(']');
    return IniHeader{line.first(close < 0 ? line.size() : close).sliced(1).trimmed(), close >= 0};
}

bool IsPlainIniName(QByteArrayView name) {
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

} // namespace vantoly::qt
