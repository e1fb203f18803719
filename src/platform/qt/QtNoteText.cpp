#include "platform/qt/QtNoteText.h"

#include <QTextBlock>
#include <QTextDocument>

namespace vantoly::qt {

void NoteFromBox(const QTextDocument& box, std::u16string& note) {
    std::u16string_view lineBreak = u"\r\n";
    if (note.find(u"\r\n") == std::u16string::npos) {
        if (note.find(u'\n') != std::u16string::npos)
            lineBreak = u"\n";
        else if (note.find(u'\r') != std::u16string::npos)
            lineBreak = u"\r";
    }
    // A paragraph at a time, not the whole text at once: no big buffer is made each time.
    note.clear();
    for (QTextBlock block = box.begin(); block.isValid(); block = block.next()) {
        if (block != box.begin())
            note.append(lineBreak);
        const QString text = block.text();
        note.append(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
    }
}

} // namespace vantoly::qt
