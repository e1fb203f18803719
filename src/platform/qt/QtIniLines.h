#pragma once
// Qt adapter: how an INI file falls into lines, sections and names, by the rules QSettings reads
// it with; shared by the reader and the save's line splice.
#include <QByteArrayView>
#include <optional>

namespace vantoly::qt {

struct IniLine {
    qsizetype start = 0, length = 0, equals = -1;
    bool runsOn = false; // at the end of the bytes inside quotes or after a backslash
};

// The next logical line from `pos`, as QSettings cuts them: past a backslash and inside quotes a
// line break does not end it, ';' starts a comment (a whole line, or the rest of one).
bool NextIniLine(QByteArrayView data, qsizetype& pos, IniLine& line);

// A section header's name, as read between its brackets; `closed` is false when the ']' is
// missing and the name runs to the end of the line.
struct IniHeader {
    QByteArrayView name;
    bool closed;
};
std::optional<IniHeader> IniHeaderOf(QByteArrayView line);

// Names this program writes: anything else may be escaped, and only QSettings knows then.
bool IsPlainIniName(QByteArrayView name);

} // namespace vantoly::qt
