#include "tray/BalloonLines.h"

#include <cstdint>

namespace vantoly {

std::string BalloonLines(std::string_view text, size_t columns, size_t room) {
    std::string lines;
    size_t count = 0;                 // characters on the line so far
    size_t blank = std::string::npos; // where its last blank is in `lines`
    size_t afterBlank = 0;            // and how many characters it had with that blank
    for (const char c : text) {
        const bool starts = (uint8_t(c) & 0xC0) != 0x80; // not a UTF-8 continuation byte
        if (c == '\n' || (c == ' ' && count == columns)) {
            lines += '\n';
            count = 0;
            blank = std::string::npos;
            continue;
        }
        if (starts && c != '\r' && count == columns) {
            if (blank != std::string::npos) {
                lines[blank] = '\n';
                count -= afterBlank;
            } else {
                lines += '\n';
                count = 0;
            }
            blank = std::string::npos;
        }
        if (starts && c != '\r')
            ++count;
        if (c == ' ') {
            blank = lines.size();
            afterBlank = count;
        }
        lines += c;
    }
    if (lines.size() > room) {
        while (room > 0 && (uint8_t(lines[room]) & 0xC0) == 0x80)
            --room;
        lines.resize(room);
    }
    return lines;
}

} // namespace vantoly
