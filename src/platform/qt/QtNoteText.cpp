#include "platform/qt/QtNoteText.h"

namespace vantoly::qt {

std::u16string NoteFromBox(const QString& raw, std::u16string_view previous) {
    std::u16string_view lineBreak = u"\r\n";
    if (previous.find(u"\r\n") == std::u16string_view::npos) {
        if (previous.find(u'\n') != std::u16string_view::npos)
            lineBreak = u"\n";
        else if (previous.find(u'\r') != std::u16string_view::npos)
            lineBreak = u"\r";
    }
    std::u16string note;
    note.reserve(size_t(raw.size()));
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator)
            note += lineBreak;
        else
            note += char16_t(c.unicode());
    }
    return note;
}

} // namespace vantoly::qt
