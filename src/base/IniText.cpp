#include "base/IniText.h"

#include <algorithm>

#include "base/Utf8.h"

namespace vantoly {
namespace {

constexpr char16_t kWordJoiner = u'\u2060';

bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}
bool isHexDigit(char16_t ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}
int hexValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}
std::string hex(unsigned value, int digits = 0, bool upper = false) {
    const char* figures = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), figures[value % 16]);
        value /= 16;
    } while (value != 0 || int(out.size()) < digits);
    return out;
}
std::string lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return lower;
}
std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\n\v\f\r") - first + 1);
}
bool startsWith(std::u16string_view text, std::u16string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string escapedKey(std::u16string_view key) {
    std::string out;
    for (const char16_t ch : key) {
        if (ch == u'/')
            out += '\\';
        else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                 ch == '_' || ch == '-' || ch == '.')
            out += char(ch);
        else if (ch <= 0xFF)
            out += '%' + hex(ch, 2, true);
        else
            out += "%U" + hex(ch, 4, true);
    }
    return out;
}

std::u16string unescapedKey(std::string_view bytes) {
    const std::u16string text = FromUtf8(bytes);
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        const size_t digits = i + 1 < text.size() && text[i + 1] == u'U' ? 4 : 2;
        const size_t first = i + (digits == 4 ? 2 : 1);
        unsigned value = 0;
        bool ok = text[i] == u'%' && first + digits <= text.size();
        for (size_t d = 0; ok && d < digits; ++d) {
            ok = isHexDigit(text[first + d]);
            value = value * 16 + unsigned(hexValue(char(text[first + d])));
        }
        if (!ok) {
            out += text[i++];
            continue;
        }
        out += char16_t(value);
        i = first + digits;
    }
    return out;
}

// One logical line from `pos`: where it starts, how long it is, and where its first '=' outside
// quotes stands (npos if none). A quoted value may run over line ends; ';' starts a comment.
bool readLine(std::string_view data, size_t& pos, size_t& start, size_t& length, size_t& equals) {
    equals = std::string_view::npos;
    start = pos;
    while (start < data.size() && isSpace(data[start]))
        ++start;
    bool quoted = false;
    size_t i = start;
    while (i < data.size()) {
        const char ch = data[i++];
        if (ch == '=') {
            if (!quoted && equals == std::string_view::npos)
                equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1)
                ++start;
            else if (!quoted) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < data.size()) {
                const char next = data[i++];
                if (i < data.size() &&
                    ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            quoted = !quoted;
        } else if (ch == ';') {
            if (i == start + 1) {
                while (i < data.size() && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < data.size() && isSpace(data[i]))
                    ++i;
                start = i;
            } else if (!quoted) {
                --i;
                break;
            }
        }
    }
    pos = i;
    length = i - start;
    return length > 0;
}

// How many bytes at the end begin a character the text ends before: QSettings' decoder waits for
// the rest of it, and at the end of the value drops them.
size_t cutCharacter(std::string_view bytes) {
    for (size_t back = 1; back <= std::min<size_t>(3, bytes.size()); ++back) {
        const auto lead = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((lead & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return lead < 0xF8 && length > back ? back : 0;
    }
    return 0;
}

void chopTrailingSpaces(std::u16string& text, size_t limit) {
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t'))
        text.pop_back();
}

// The value's text: QSettings' unescaping, a list (unquoted commas) joined again with ", ".
std::optional<std::u16string> unescapedValue(std::string_view raw) {
    std::vector<std::u16string> list;
    bool isList = false, inQuotes = false, quotedValue = false;
    std::u16string text;
    size_t i = 0;
    auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    skipSpaces();
    size_t chopLimit = 0;
    while (i < raw.size()) {
        const char ch = raw[i];
        if (ch == '\\') {
            if (++i >= raw.size())
                break;
            const char code = raw[i++];
            static constexpr std::string_view named = "abfnrtv\"?'\\",
                                              meant = "\a\b\f\n\r\t\v\"?'\\";
            if (const auto n = named.find(code); n != std::string_view::npos) {
                text += char16_t(meant[n]);
            } else if (code == 'x' || (code >= '0' && code <= '7')) {
                const int base = code == 'x' ? 16 : 8;
                char16_t value = code == 'x' ? 0 : char16_t(code - '0');
                if (code == 'x' && (i >= raw.size() || hexValue(raw[i]) < 0)) {
                    chopLimit = text.size();
                    continue; // "\x" without digits is passed over
                }
                while (i < raw.size() && hexValue(raw[i]) >= 0 && hexValue(raw[i]) < base)
                    value = char16_t(value * base + hexValue(raw[i++]));
                text += value;
            } else if ((code == '\n' || code == '\r') && i < raw.size() &&
                       (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code) {
                ++i; // a line continued
            }
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quotedValue = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = text.size();
            }
        } else if (ch == ',' && !inQuotes) {
            if (!quotedValue)
                chopTrailingSpaces(text, chopLimit);
            isList = true;
            list.push_back(std::move(text));
            text.clear();
            quotedValue = false;
            ++i;
            skipSpaces();
            chopLimit = 0;
        } else {
            size_t j = i + 1;
            while (j < raw.size() && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',')
                ++j;
            const std::string_view chunk = raw.substr(i, j - i);
            text += FromUtf8(j < raw.size() ? chunk : chunk.substr(0, j - i - cutCharacter(chunk)));
            i = j;
        }
    }
    if (!quotedValue)
        chopTrailingSpaces(text, chopLimit);
    if (isList) {
        list.push_back(std::move(text));
        std::u16string joined;
        for (size_t n = 0; n < list.size(); ++n) {
            if (n > 0)
                joined += u", ";
            joined += std::u16string_view(list[n]).substr(startsWith(list[n], u"@@") ? 1 : 0);
        }
        return joined;
    }
    if (text == u"@Invalid()")
        return std::nullopt;
    if (!text.empty() && text.back() == u')') {
        for (const std::u16string_view wrapper : {u"@String(", u"@ByteArray("})
            if (startsWith(text, wrapper))
                return text.substr(wrapper.size(), text.size() - wrapper.size() - 1);
        // A rectangle, size or point has no text, as QSettings reads it.
        const auto spaces = std::count(text.begin(), text.end(), u' ');
        if ((startsWith(text, u"@Rect(") && spaces == 3) ||
            ((startsWith(text, u"@Size(") || startsWith(text, u"@Point(")) && spaces == 1))
            return std::u16string();
    }
    if (startsWith(text, u"@@"))
        text.erase(0, 1);
    return text;
}

std::string escapedValue(std::u16string_view value) {
    std::u16string text(value);
    if (text.find(u'\0') != std::u16string::npos)
        text = u"@String(" + text + u")";
    else if (!text.empty() && text[0] == u'@')
        text.insert(0, 1, u'@');
    std::string out;
    bool needsQuotes = false, escapeHexDigit = false;
    size_t run = 0; // start of the characters still to add as UTF-8
    auto flush = [&](size_t end) {
        AppendUtf8(std::u16string_view(text).substr(run, end - run), out);
        run = end + 1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        static constexpr std::u16string_view named = u"\a\b\f\n\r\t\v\"\\";
        const bool special = ch <= 0x1F || named.find(ch) != std::u16string_view::npos;
        if (!(escapeHexDigit && isHexDigit(ch)) && !special) {
            escapeHexDigit = false;
            continue;
        }
        flush(i);
        const auto n = named.find(ch);
        if (escapeHexDigit && isHexDigit(ch)) {
            out += "\\x" + hex(ch);
        } else if (ch == 0) {
            out += "\\0";
            escapeHexDigit = true;
        } else if (n != std::u16string_view::npos) {
            out += '\\';
            out += "abfnrtv\"\\"[n];
            escapeHexDigit = false;
        } else {
            out += "\\x" + hex(ch);
            escapeHexDigit = true;
        }
    }
    flush(text.size());
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

} // namespace

IniText::IniText(std::string_view data) {
    if (data.substr(0, 3) == "\xEF\xBB\xBF")
        data.remove_prefix(3);
    Section* section = nullptr;
    auto sectionNamed = [this](std::u16string name) {
        for (auto& known : sections_)
            if (known.name == name)
                return &known;
        sections_.push_back({std::move(name), {}});
        return &sections_.back();
    };
    size_t pos = 0, start = 0, length = 0, equals = 0;
    while (readLine(data, pos, start, length, equals)) {
        const std::string_view line = data.substr(start, length);
        if (line.front() == '[') {
            const std::string_view name = trimmed(line.substr(1, line.find(']') - 1));
            const std::string lower = lowered(name);
            section = sectionNamed(lower == "general"    ? std::u16string()
                                   : lower == "%general" ? FromUtf8(name.substr(1))
                                                         : unescapedKey(name));
            continue;
        }
        if (equals == std::string_view::npos)
            continue;
        if (!section)
            section = sectionNamed({});
        section->entries.push_back({unescapedKey(trimmed(line.substr(0, equals - start))),
                                    std::string(line.substr(equals - start + 1))});
    }
}

std::optional<std::u16string> IniText::value(std::u16string_view section,
                                             std::u16string_view key) const {
    for (const auto& known : sections_)
        if (known.name == section)
            for (auto entry = known.entries.rbegin(); entry != known.entries.rend(); ++entry)
                if (entry->key == key)
                    return unescapedValue(entry->raw);
    return std::nullopt;
}

void IniText::set(std::u16string_view section, std::u16string_view key, std::u16string_view text) {
    auto known = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& s) { return s.name == section; });
    if (known == sections_.end())
        known = sections_.insert(sections_.end(), {std::u16string(section), {}});
    auto& entries = known->entries;
    const auto first =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.key == key; });
    if (first == entries.end()) {
        entries.push_back({std::u16string(key), escapedValue(text)});
        return;
    }
    first->raw = escapedValue(text);
    entries.erase(std::remove_if(std::next(first), entries.end(),
                                 [&](const Entry& e) { return e.key == key; }),
                  entries.end());
}

std::string IniText::bytes(std::string_view eol) const {
    std::string out;
    for (const auto& section : sections_) {
        if (section.entries.empty())
            continue;
        if (!out.empty())
            out += eol;
        std::string name = escapedKey(section.name);
        const std::string lower = lowered(name);
        out += name.empty() ? "[General]" : lower == "general" ? "[%General]" : "[" + name + "]";
        out += eol;
        for (const auto& entry : section.entries) {
            out += escapedKey(entry.key) + "=" + entry.raw;
            out += eol;
        }
    }
    return out;
}

std::u16string KeptForm(std::u16string_view text) {
    if (!text.empty() && (text[0] == u'\uFEFF' || text[0] == kWordJoiner))
        return kWordJoiner + std::u16string(text);
    return std::u16string(text);
}

std::u16string_view GivenForm(std::u16string_view stored) {
    if (!stored.empty() && stored[0] == kWordJoiner)
        stored.remove_prefix(1);
    return stored;
}

} // namespace vantoly
