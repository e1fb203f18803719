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
    // Copied a paragraph at a time: a big note is read back at every autosave.
    const std::u16string_view box(reinterpret_cast<const char16_t*>(raw.utf16()),
                                  size_t(raw.size()));
    std::u16string note;
    note.reserve(box.size() + box.size() / 32);
    size_t start = 0;
    for (size_t end = box.find(u'\u2029'); end != std::u16string_view::npos;
         start = end + 1, end = box.find(u'\u2029', start)) {
        note.append(box.substr(start, end - start));
        note.append(lineBreak);
    }
    note.append(box.substr(start));
    return note;
}

} // namespace vantoly::qt
