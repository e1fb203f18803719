#pragma once
// The note box's text in the program's form. The box keeps every character as typed except line
// breaks, which it holds as paragraph separators; they go back as the note last set wrote them.
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

class QTextDocument;

namespace vantoly::qt {

// Reads the box's document into `note`, which holds the note as last set (for its kind of line
// break, CR LF where it has none). Its room is reused: a big note is read back at every autosave.
void NoteFromBox(const QTextDocument& box, QString& note);

// A big text (a note) that the settings store and the note window both hold is held once: each
// asks the other for its string of the same text before making its own.
inline constexpr qsizetype kSharedTextSize = 64 * 1024;
using SameText = std::function<std::optional<QString>(std::u16string_view)>;
inline bool SameTextAs(const QString& held, std::u16string_view text) {
    return QStringView(held) == QStringView(text.data(), qsizetype(text.size()));
}
// The string for `text`: the one held elsewhere when it is big and held there, a new one if not.
QString SharedOrNew(const SameText& heldElsewhere, std::u16string_view text);

} // namespace vantoly::qt
