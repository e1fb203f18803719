#include "tray/NotifyIconData.h"

#include <algorithm>
#include <cstring>

namespace vantoly {
namespace {

template <size_t N>
void putText(NotifyRecordBytes& b, size_t at, const FixedText<N>& field, const CodePage& cp) {
    std::string bytes = cp.fromUnicode(field.str());
    const auto end = field.str().find(u'\0');
    if (bytes.size() > N && end != std::u16string::npos) {
        // A text that ends in a NUL but takes more than N bytes in a multi-byte code page: cut it
        // at a whole character so the NUL still fits, rather than losing the end marker.
        std::u16string_view text = std::u16string_view(field.str()).substr(0, end);
        bytes = cp.fromUnicode(text);
        while (bytes.size() > N - 1 && !text.empty()) {
            text.remove_suffix(1);
            // Never half of a surrogate pair.
            if (!text.empty() && text.back() >= 0xD800 && text.back() < 0xDC00)
                text.remove_suffix(1);
            bytes = cp.fromUnicode(text);
        }
        bytes.resize(N, '\0');
    }
    std::memcpy(b.data() + at, bytes.data(), std::min(bytes.size(), N));
}

template <size_t N>
void getText(const NotifyRecordBytes& b, size_t at, FixedText<N>& field, const CodePage& cp) {
    field = cp.toUnicode(std::string_view(reinterpret_cast<const char*>(b.data() + at), N));
}

} // namespace

NotifyRecordBytes ToPlatformForm(const NOTIFYICONDATA& r, const CodePage& cp) {
    NotifyRecordBytes b{};
    SetField32(b, NotifyOffset::cbSize, r.cbSize);
    SetField32(b, NotifyOffset::hWnd, r.hWnd);
    SetField32(b, NotifyOffset::uID, r.uID);
    SetField32(b, NotifyOffset::uFlags, r.uFlags);
    SetField32(b, NotifyOffset::uCallbackMessage, r.uCallbackMessage);
    SetField32(b, NotifyOffset::hIcon, r.hIcon);
    putText(b, NotifyOffset::szTip, r.szTip, cp);
    SetField32(b, NotifyOffset::dwState, r.dwState);
    SetField32(b, NotifyOffset::dwStateMask, r.dwStateMask);
    putText(b, NotifyOffset::szInfo, r.szInfo, cp);
    SetField32(b, NotifyOffset::uVersion, r.uVersion);
    putText(b, NotifyOffset::szInfoTitle, r.szInfoTitle, cp);
    SetField32(b, NotifyOffset::dwInfoFlags, r.dwInfoFlags);
    std::copy(r.guidItem.begin(), r.guidItem.end(), b.begin() + NotifyOffset::guidItem);
    return b;
}

void FromPlatformForm(const NotifyRecordBytes& b, NOTIFYICONDATA& r, const CodePage& cp) {
    r.cbSize = Field32(b, NotifyOffset::cbSize);
    r.hWnd = Field32(b, NotifyOffset::hWnd);
    r.uID = Field32(b, NotifyOffset::uID);
    r.uFlags = Field32(b, NotifyOffset::uFlags);
    r.uCallbackMessage = Field32(b, NotifyOffset::uCallbackMessage);
    r.hIcon = Field32(b, NotifyOffset::hIcon);
    getText(b, NotifyOffset::szTip, r.szTip, cp);
    r.dwState = Field32(b, NotifyOffset::dwState);
    r.dwStateMask = Field32(b, NotifyOffset::dwStateMask);
    getText(b, NotifyOffset::szInfo, r.szInfo, cp);
    r.uVersion = Field32(b, NotifyOffset::uVersion);
    getText(b, NotifyOffset::szInfoTitle, r.szInfoTitle, cp);
    r.dwInfoFlags = Field32(b, NotifyOffset::dwInfoFlags);
    std::copy(b.begin() + NotifyOffset::guidItem, b.end(), r.guidItem.begin());
}

std::optional<DecodedNotifyRecord> DecodeNotifyRecord(const NotifyRecordBytes& b,
                                                      const CodePage& cp) {
    const NotifyRecordFields f = ReadNotifyFields(b);
    if (f.cbSize != 88 && f.cbSize != 488 && f.cbSize != 504)
        return std::nullopt;
    DecodedNotifyRecord r;
    r.cbSize = f.cbSize;
    r.hWnd = f.hWnd;
    r.uID = f.uID;
    r.uFlags = f.uFlags;
    r.uCallbackMessage = f.uCallbackMessage;
    r.hIcon = f.hIcon;
    r.tip = cp.toUnicode(f.cbSize == 88
                             ? FieldText(b, NotifyOffset::szTip, NotifyLength::szTipFirstVersion)
                             : f.szTip);
    if (f.cbSize >= 488) {
        r.hasBalloonFields = true;
        r.info = cp.toUnicode(f.szInfo);
        r.timeoutOrVersion = f.uVersion;
        r.infoTitle = cp.toUnicode(f.szInfoTitle);
        r.infoFlags = f.dwInfoFlags;
    }
    return r;
}

int32_t SendNotifyRecord(ShellTray& shell, const CodePage& cp, uint32_t message,
                         NOTIFYICONDATA& record) {
    NotifyRecordBytes bytes = ToPlatformForm(record, cp);
    const int32_t result = shell.Shell_NotifyIconA(message, bytes);
    FromPlatformForm(bytes, record, cp);
    return result;
}

} // namespace vantoly
