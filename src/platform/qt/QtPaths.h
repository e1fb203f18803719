#pragma once
// Text and path conversions between the core and Qt.
#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace vantoly::qt {

// Every code unit as it is: QString::fromUtf16 would take a leading U+FEFF or U+FFFE for a
// byte-order mark.
inline QString toQ(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

inline std::u16string fromQ(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

// The core writes paths with "\" between their parts, and its file names do not distinguish
// case ("white" is the folder "White"). This gives the local path of the file that is meant:
// the exact one when it exists, otherwise the one that matches each part regardless of case.
QString LocalPath(const std::u16string& corePath);

// Writes a new file beside `path`, the parts one after another, and renames it over whatever
// stands there, so a link planted at `path` is replaced, never written through, and the file is
// never seen half written; both the file and the rename are on the disk when it returns. Empty on
// success, otherwise why not.
QString WriteFileReplacing(const QString& path, const std::vector<std::string_view>& parts,
                           QFileDevice::Permissions permissions);

} // namespace vantoly::qt
