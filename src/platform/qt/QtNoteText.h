#pragma once
// The note box's text in the program's form. The box keeps every character as typed except line
// breaks, which it holds as paragraph separators; they go back as the note last set wrote them.
#include <QString>
#include <string>
#include <string_view>

namespace vantoly::qt {

// `raw` is the box's raw text; `previous` the note as last set, for its kind of line break (CR LF
// where it has none).
std::u16string NoteFromBox(const QString& raw, std::u16string_view previous);

} // namespace vantoly::qt
