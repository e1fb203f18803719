#include "platform/win32/Win32ShellTray.h"

#include <algorithm>
#include <cstring>
#include <shellapi.h>

#include "platform/ShellTray.h"
#include "platform/win32/Win32Text.h"
#include "tray/BalloonLines.h"

namespace vantoly::win32 {
using namespace NotifyOffset;

Win32ShellTray::Win32ShellTray() : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

// An icon still shown when the program ends (after a failed start) would stay behind as a ghost
// until the pointer passes over it.
Win32ShellTray::~Win32ShellTray() {
    for (auto& [key, shown] : shown_) {
        send(NIM_DELETE, shown.record);
        if (shown.picture)
            DestroyIcon(shown.picture);
    }
}

#ifdef _WIN64
NOTIFYICONDATAA ToNotifyIconDataA(const NotifyRecordBytes& record) {
    NOTIFYICONDATAA data{};
    const uint32_t size = Field32(record, cbSize);
    data.cbSize = size == 88    ? NOTIFYICONDATAA_V1_SIZE
                  : size == 488 ? NOTIFYICONDATAA_V2_SIZE
                  : size == 504 ? NOTIFYICONDATAA_V3_SIZE
                                : size;
    data.hWnd = fromHandleValue<HWND>(int32_t(Field32(record, hWnd)));
    data.uID = Field32(record, uID);
    data.uFlags = Field32(record, uFlags);
    data.uCallbackMessage = Field32(record, uCallbackMessage);
    data.hIcon = fromHandleValue<HICON>(int32_t(Field32(record, hIcon)));
    // The first version's tooltip is 64 bytes; the shell reads no further than cbSize says.
    std::memcpy(data.szTip, record.data() + szTip, size == 88 ? 64 : sizeof data.szTip);
    data.szTip[size == 88 ? 63 : sizeof data.szTip - 1] = '\0';
    data.dwState = Field32(record, dwState);
    data.dwStateMask = Field32(record, dwStateMask);
    std::memcpy(data.szInfo, record.data() + szInfo, sizeof data.szInfo);
    data.uTimeout = Field32(record, uVersion);
    std::memcpy(data.szInfoTitle, record.data() + szInfoTitle, sizeof data.szInfoTitle);
    data.dwInfoFlags = Field32(record, dwInfoFlags);
    std::memcpy(&data.guidItem, record.data() + guidItem, sizeof data.guidItem);
    return data;
}
#endif

BOOL Win32ShellTray::send(uint32_t message, NotifyRecordBytes& record) {
#ifdef _WIN64
    NOTIFYICONDATAA data = ToNotifyIconDataA(record);
    return ::Shell_NotifyIconA(message, &data);
#else
    // The record is the 32-bit structure; the shell reads the first cbSize bytes of it.
    static_assert(NOTIFYICONDATAA_V3_SIZE == sizeof(NotifyRecordBytes));
    return ::Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(record.data()));
#endif
}

namespace {

// Wine's tray draws a balloon on one line, off the screen for a long note; Windows' own wraps it.
bool BalloonsUnwrapped() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return wine;
}

// The balloon's text in lines, still within its field with its NUL.
NotifyRecordBytes WithBalloonLines(NotifyRecordBytes record) {
    const std::string lines =
        BalloonLines(FieldText(record, szInfo, NotifyLength::szInfo), 64, NotifyLength::szInfo - 1);
    std::memcpy(record.data() + szInfo, lines.c_str(), lines.size() + 1);
    return record;
}

} // namespace

int32_t Win32ShellTray::Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) {
    NotifyRecordBytes shown = record;
    if ((Field32(record, uFlags) & NIF_INFO) && BalloonsUnwrapped())
        shown = WithBalloonLines(record);
    const BOOL done = send(message, shown);
    if (done)
        remember(message, record);
    return done ? 1 : 0;
}

void Win32ShellTray::remember(uint32_t message, const NotifyRecordBytes& record) {
    const std::pair key{Field32(record, hWnd), Field32(record, uID)};
    if (message == NIM_DELETE) {
        if (auto it = shown_.find(key); it != shown_.end()) {
            if (it->second.picture)
                DestroyIcon(it->second.picture);
            shown_.erase(it);
        }
        return;
    }
    if (message == NIM_SETVERSION) {
        if (auto it = shown_.find(key); it != shown_.end())
            it->second.version = Field32(record, uVersion);
        return;
    }
    if (message != NIM_ADD && message != NIM_MODIFY)
        return;
    if (message == NIM_MODIFY && !shown_.count(key))
        return;
    Shown& shown = shown_[key];
    const uint32_t flags = Field32(record, uFlags);
    NotifyRecordBytes merged = message == NIM_ADD ? record : shown.record;
    if (message == NIM_MODIFY) {
        if (flags & NIF_MESSAGE)
            SetField32(merged, uCallbackMessage, Field32(record, uCallbackMessage));
        if (flags & NIF_TIP)
            std::memcpy(merged.data() + szTip, record.data() + szTip, dwState - szTip);
    }
    if (flags & NIF_ICON) {
        if (shown.picture)
            DestroyIcon(shown.picture);
        shown.picture = CopyIcon(fromHandleValue<HICON>(int32_t(Field32(record, hIcon))));
    }
    SetField32(merged, hIcon, uint32_t(handleValue(shown.picture)));
    // What was ever set stays set; a balloon is shown once, not again when the icon comes back.
    SetField32(merged, uFlags,
               (Field32(merged, uFlags) | (flags & (NIF_MESSAGE | NIF_TIP | NIF_ICON))) &
                   ~NIF_INFO);
    shown.record = merged;
}

bool Win32ShellTray::taskbarMessage(UINT message) {
    if (message != taskbarCreated_ || taskbarCreated_ == 0)
        return false;
    for (auto& [key, shown] : shown_) {
        NotifyRecordBytes again = shown.record;
        send(NIM_ADD, again);
        if (shown.version) {
            SetField32(again, uVersion, shown.version);
            send(NIM_SETVERSION, again);
        }
    }
    return true;
}

} // namespace vantoly::win32
