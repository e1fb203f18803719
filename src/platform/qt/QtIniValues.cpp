#include "platform/qt/QtIniValues.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "platform/qt/QtIniLines.h"
#include "platform/qt/QtMemory.h"

namespace vantoly::qt {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::u16string> UnescapeIniValue(QByteArrayView raw) {
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    // No byte gives more than one unit: the text is written in place into room for them all,
    // and cut to its length at the end.
    std::u16string text;
    text.reserve(size_t(raw.size()) + 8);
    MapPagesNow(text.data(), text.capacity() * sizeof(char16_t));
    text.resize(text.capacity());
    size_t length = 0;
    auto put = [&](char16_t unit) { text[length++] = unit; };
    auto chopTrailingSpaces = [&](size_t limit) {
        // Spaces and tabs at the end, not before `limit` (what an escape or a quote wrote stays).
        while (length > limit && (text[length - 1] == u' ' || text[length - 1] == u'\t'))
            --length;
    };
    std::vector<std::u16string> list;
    bool isList = false, inQuotes = false, quoted = false;
    bool cutShort = false; // ended inside an escape: what it ends with stays as it is
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const qsizetype size = raw.size();
    qsizetype i = 0;
    auto skipSpaces = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    skipSpaces();
    size_t chopLimit = 0;
    while (i < size) {
        const char ch = raw[i];
        if (ch == '\\') {
            if (++i >= size) {
                cutShort = true;
                break;
            }
            const char code = raw[i++];
            const auto simple = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                             [code](const char* e) { return e[0] == code; });
            if (simple != std::end(kEscapes)) {
                put(char16_t(uchar((*simple)[1])));
            } else if (code == 'x' && i >= size) {
                cutShort = true;
                break;
            } else if ((code == 'x' && hexValue(raw[i]) >= 0) || (code >= '0' && code <= '7')) {
                // Hexadecimal or octal digits, as many as follow, into one UTF-16 unit.
                const int base = code == 'x' ? 16 : 8;
                char16_t value = code == 'x' ? 0 : char16_t(code - '0');
                for (int digit; i < size && (digit = hexValue(raw[i])) >= 0 && digit < base; ++i)
                    value = char16_t(value * base + digit);
                put(value);
                if (i >= size) {
                    cutShort = true;
                    break;
                }
            } else if (code == '\n' || code == '\r') {
                if (i < size && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code)
                    ++i; // a continued line
            }            // any other escape stands for nothing
            chopLimit = length;
            continue;
        }
        if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = length;
            }
            continue;
        }
        if (ch == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(chopLimit);
            isList = true;
            list.emplace_back(text.data(), length);
            length = 0;
            quoted = false;
            ++i;
            skipSpaces();
            chopLimit = 0;
            continue;
        }
        qsizetype j = i + 1;
        while (j < size && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',')
            ++j;
        auto* out = reinterpret_cast<QChar*>(text.data() + length);
        out = fromUtf8.appendToBuffer(out, raw.sliced(i, j - i));
        length = size_t(reinterpret_cast<char16_t*>(out) - text.data());
        i = j;
    }
    if (!quoted && !cutShort)
        chopTrailingSpaces(chopLimit);
    text.resize(length);
    if (!isList) {
        // "@@" is an escaped "@"; "@Type(...)" is a typed value.
        if (text.starts_with(u"@@"))
            return text.substr(1);
        if (text.starts_with(u'@') && text.ends_with(u')'))
            return std::nullopt;
        return text;
    }
    list.push_back(std::move(text));
    std::u16string joined;
    for (std::u16string& item : list) {
        if (item.starts_with(u'@') && !item.starts_with(u"@@"))
            return std::nullopt; // a list of typed values
        if (!joined.empty() || &item != &list.front())
            joined += u", ";
        joined += item.starts_with(u"@@") ? item.substr(1) : item;
    }
    return joined;
}

IniValues::IniValues(QByteArray bytes) : bytes_(std::move(bytes)) {
    QByteArrayView data(bytes_);
    const qsizetype bom = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    data = data.sliced(bom);
    QString current;
    qsizetype currentStart = 0, pos = 0;
    IniLine line;
    std::vector<Key> keys; // of the current part, where they are in the file
    auto flush = [&] {
        sections_[current].parts.push_back(
            {bom + currentStart, line.start - currentStart, std::move(keys)});
        keys.clear();
    };
    while (NextIniLine(data, pos, line)) {
        const auto header = IniHeaderOf(data.sliced(line.start, line.length));
        if (!header) {
            if (line.equals >= 0)
                keys.push_back({data.sliced(line.start, line.equals - line.start).trimmed(),
                                bom + line.equals + 1, bom + line.start + line.length});
            continue;
        }
        flush();
        plainNames_ = plainNames_ && header->closed;
        if (header->name.compare("general", Qt::CaseInsensitive) == 0) {
            current.clear();
        } else {
            plainNames_ = plainNames_ && IsPlainIniName(header->name);
            current = QString::fromLatin1(header->name);
        }
        currentStart = pos;
    }
    line.start = data.size();
    flush();
}

// A section met once keeps its keys as the file's pass found them; one met several times is
// joined as QSettings joins it, and its lines are cut again.
void IniValues::sortOut(Section& s) {
    std::vector<Key> keys;
    if (s.parts.size() == 1) {
        s.data = bytes_;
        keys = std::move(s.parts[0].keys);
    } else {
        for (const Part& part : s.parts) {
            if (!s.joined.isEmpty())
                s.joined += '\n';
            s.joined += QByteArrayView(bytes_).sliced(part.start, part.length);
        }
        s.data = s.joined;
        qsizetype pos = 0;
        IniLine line;
        while (NextIniLine(s.data, pos, line))
            if (line.equals >= 0)
                keys.push_back({s.data.sliced(line.start, line.equals - line.start).trimmed(),
                                line.equals + 1, line.start + line.length});
    }
    s.values.emplace();
    for (const Key& key : keys) {
        s.plainKeys = s.plainKeys && IsPlainIniName(key.name);
        (*s.values)[key.name.toByteArray()] = {key.valueStart, key.valueEnd};
    }
}

IniValues::Found IniValues::find(const QString& section, const QString& key) {
    if (!plainNames_)
        return {true, {}};
    const auto found = sections_.find(section);
    if (found == sections_.end())
        return {};
    Section& s = found->second;
    if (!s.values)
        sortOut(s);
    if (!s.plainKeys)
        return {true, {}};
    const auto value = s.values->find(key.toLatin1());
    if (value == s.values->end())
        return {};
    const auto& [start, end] = value->second;
    auto text = UnescapeIniValue(s.data.sliced(start, end - start));
    if (!text)
        return {true, {}};
    return {false, std::move(text)};
}

namespace {

// Where a line ends with its line break ("\n", "\r\n" or "\r").
qsizetype pastLineBreak(QByteArrayView data, qsizetype end) {
    if (end < data.size() && data[end] == '\r')
        ++end;
    if (end < data.size() && data[end] == '\n')
        ++end;
    return end;
}

} // namespace

QByteArray SpliceIniLine(const QByteArray& file, const QByteArray& section, const QByteArray& key,
                         const QByteArray& line) {
    const qsizetype firstBreak = file.indexOf('\n') < 0 ? file.indexOf('\r') : file.indexOf('\n');
    const QByteArray lineBreak = file.contains("\r\n") ? QByteArray("\r\n")
                                 : firstBreak >= 0     ? file.mid(firstBreak, 1)
                                                       : QByteArray("\n");
    const QByteArrayView data(file);
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    QByteArray current; // the section the lines are in; "" before any
    std::vector<std::pair<qsizetype, qsizetype>> removed;
    std::optional<std::pair<qsizetype, qsizetype>> replaced;
    std::optional<qsizetype> sectionEnd, firstHeader;
    bool sectionRunsOn = false, fileRunsOn = false;
    qsizetype lastStart = 0;
    for (IniLine l; NextIniLine(data, pos, l);) {
        fileRunsOn = l.runsOn;
        if (const auto header = IniHeaderOf(data.sliced(l.start, l.length))) {
            if (!firstHeader)
                firstHeader = l.start;
            current = header->name.toByteArray();
            continue;
        }
        if (current != section)
            continue;
        if (l.equals >= 0 && data.sliced(l.start, l.equals - l.start).trimmed() == key) {
            if (replaced) // a repeated key goes; the first one's place keeps the value
                removed.emplace_back(l.start, pastLineBreak(data, l.start + l.length));
            else
                replaced.emplace(l.start, l.start + l.length);
        }
        sectionEnd = l.start + l.length;
        sectionRunsOn = l.runsOn;
        lastStart = l.start;
    }
    QByteArray result;
    result.reserve(file.size() + line.size() + section.size() + 8);
    qsizetype at = 0;
    auto copyTo = [&](qsizetype end) {
        result += data.sliced(at, end - at);
        at = end;
    };
    if (replaced) {
        copyTo(replaced->first);
        result += line;
        at = replaced->second;
        for (const auto& [start, end] : removed) {
            copyTo(start);
            at = end;
        }
    } else if (sectionEnd && sectionRunsOn) {
        // Its last line runs to the end of the file: what came after it would join it.
        copyTo(lastStart);
        result += line + lineBreak;
    } else if (sectionEnd) {
        const qsizetype end = pastLineBreak(data, *sectionEnd);
        copyTo(end);
        result += (end == *sectionEnd ? lineBreak : QByteArray()) + line + lineBreak;
    } else if (fileRunsOn) {
        // A new section cannot follow a line that runs to the end: it goes before the first,
        // or before everything, with the keys that had no section given theirs back.
        const QByteArray added = "[" + section + "]" + lineBreak + line + lineBreak;
        copyTo(firstHeader ? *firstHeader : data.startsWith("\xef\xbb\xbf") ? 3 : 0);
        result += firstHeader ? added : added + "[General]" + lineBreak;
    }
    copyTo(data.size());
    if (!replaced && !sectionEnd && !fileRunsOn) {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            result += lineBreak;
        result += "[" + section + "]" + lineBreak + line + lineBreak;
    }
    return result;
}

} // namespace vantoly::qt
