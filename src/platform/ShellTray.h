#pragma once
// The notification area, called with the tray record in its 504-byte 8-bit form, and that
// form's layout.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantoly {

constexpr uint32_t NIM_ADD = 0;
constexpr uint32_t NIM_MODIFY = 1;
constexpr uint32_t NIM_DELETE = 2;
constexpr uint32_t NIM_SETVERSION = 4;

constexpr uint32_t NIF_MESSAGE = 1;
constexpr uint32_t NIF_ICON = 2;
constexpr uint32_t NIF_TIP = 4;
constexpr uint32_t NIF_INFO = 16;

constexpr uint32_t NIIF_INFO = 1; // the balloon's information icon

using NotifyRecordBytes = std::array<uint8_t, 504>;

// Byte offsets of the fields; 32-bit fields are little-endian, text fields hold 8-bit text in
// the code page the program reports, ended by a NUL.
namespace NotifyOffset {
constexpr size_t cbSize = 0, hWnd = 4, uID = 8, uFlags = 12, uCallbackMessage = 16, hIcon = 20;
constexpr size_t szTip = 24, dwState = 152, dwStateMask = 156, szInfo = 160, uVersion = 416;
constexpr size_t szInfoTitle = 420, dwInfoFlags = 484, guidItem = 488, end = 504;
} // namespace NotifyOffset
// The text fields' lengths in bytes. The first version of the record (cbSize 88) has a shorter
// tip and no balloon; the balloon's fields come with cbSize 488 and 504.
namespace NotifyLength {
constexpr size_t szTip = 128, szTipFirstVersion = 64, szInfo = 256, szInfoTitle = 64;
} // namespace NotifyLength

inline uint32_t Field32(const NotifyRecordBytes& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t(bytes[offset + i]) << (8 * i);
    return value;
}
inline void SetField32(NotifyRecordBytes& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (8 * i));
}
// A text field's bytes up to its first NUL.
inline std::string FieldText(const NotifyRecordBytes& bytes, size_t offset, size_t length) {
    std::string text;
    for (size_t i = offset; i < offset + length && bytes[i] != 0; ++i)
        text += char(bytes[i]);
    return text;
}

// Every field of the record by name, read as the full 504-byte form (a shell reads only the
// first cbSize bytes).
struct NotifyRecordFields {
    uint32_t cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon;
    std::string szTip;
    uint32_t dwState, dwStateMask;
    std::string szInfo;
    uint32_t uVersion; // the balloon's timeout with NIM_ADD and NIM_MODIFY
    std::string szInfoTitle;
    uint32_t dwInfoFlags;
};
inline NotifyRecordFields ReadNotifyFields(const NotifyRecordBytes& b) {
    using namespace NotifyOffset;
    return {Field32(b, cbSize),
            Field32(b, hWnd),
            Field32(b, uID),
            Field32(b, uFlags),
            Field32(b, uCallbackMessage),
            Field32(b, hIcon),
            FieldText(b, szTip, NotifyLength::szTip),
            Field32(b, dwState),
            Field32(b, dwStateMask),
            FieldText(b, szInfo, NotifyLength::szInfo),
            Field32(b, uVersion),
            FieldText(b, szInfoTitle, NotifyLength::szInfoTitle),
            Field32(b, dwInfoFlags)};
}

class ShellTray {
  public:
    virtual ~ShellTray() = default;
    // The platform may read the first cbSize bytes and may write into the record. It must take
    // its own copy of the icon: the picture behind hIcon is released at the next load.
    virtual int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) = 0;
};

} // namespace vantoly
