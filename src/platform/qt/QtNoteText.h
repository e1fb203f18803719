#pragma once
// The note box's text in the program's form. The box keeps every character as typed except line
// breaks, which it holds as paragraph separators; they go back as the note last set wrote them.
#include <string>

class QTextDocument;

namespace vantoly::qt {

// Reads the box's document into `note`, which holds the note as last set (for its kind of line
// break, CR LF where it has none). Its room is reused: a big note is read back at every autosave.
void NoteFromBox(const QTextDocument& box, std::u16string& note);

} // namespace vantoly::qt
