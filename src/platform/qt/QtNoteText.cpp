#include "platform/qt/QtNoteText.h"

#include <QTextBlock>
#include <QTextDocument>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

void NoteFromBox(const QTextDocument& box, QString& note) {
    QStringView lineBreak = u"\r\n";
    if (!note.contains(QStringView(u"\r\n"))) {
        if (note.contains(u'\n'))
            lineBreak = u"\n";
        else if (note.contains(u'\r'))
            lineBreak = u"\r";
    }
    // A paragraph at a time, not the whole text at once: no big buffer is made each time.
    const qsizetype size =
        box.characterCount() - 1 + (box.blockCount() - 1) * (lineBreak.size() - 1);
    // Room for some typing ahead, so the next autosaves find it. Growing is a fresh string, not
    // a realloc, which would copy the whole old room first.
    if (note.isDetached() && note.capacity() >= size) {
        note.resize(0);
    } else {
        note = QString();
        note.reserve(size + size / 64 + 64);
    }
    for (QTextBlock block = box.begin(); block.isValid(); block = block.next()) {
        if (block != box.begin())
            note.append(lineBreak);
        note.append(block.text());
    }
}

QString SharedOrNew(const SameText& heldElsewhere, std::u16string_view text) {
    if (qsizetype(text.size()) >= kSharedTextSize && heldElsewhere)
        if (std::optional<QString> held = heldElsewhere(text))
            return *held;
    return toQ(text);
}

} // namespace vantoly::qt
