#include "platform/win32/Win32Calls.h"

#include "platform/win32/WindowsHeaders.h"

#include <mmsystem.h>
#include <winver.h>

#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {

std::string errorText(DWORD code) {
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::string text = "error " + std::to_string(code);
    if (length && message) {
        std::wstring words(message, length);
        while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r'))
            words.pop_back();
        text += " (" + utf8(words) + ")";
    }
    LocalFree(message);
    return text;
}

int32_t Win32FileVersion::GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) {
    DWORD zero = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &zero);
    if (handle)
        *handle = zero;
    return int32_t(size);
}

int32_t Win32FileVersion::GetFileVersionInfoA(const std::string& file, uint32_t handle,
                                              uint32_t size, uint8_t* buffer) {
    return ::GetFileVersionInfoA(file.c_str(), handle, size, buffer) ? 1 : 0;
}

int32_t Win32FileVersion::VerQueryValueA(const uint8_t* block, const std::string& subBlock,
                                         const uint8_t** value, uint32_t* length) {
    void* found = nullptr;
    UINT foundLength = 0;
    if (!::VerQueryValueA(block, subBlock.c_str(), &found, &foundLength))
        return 0;
    if (value)
        *value = static_cast<const uint8_t*>(found);
    if (length)
        *length = foundLength;
    return 1;
}

int32_t Win32ZOrder::SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y,
                                  int32_t cx, int32_t cy, uint32_t flags) {
    return ::SetWindowPos(fromHandleValue<HWND>(hWnd), fromHandleValue<HWND>(hWndInsertAfter), x, y,
                          cx, cy, flags)
               ? 1
               : 0;
}

int32_t Win32Sound::sndPlaySoundA(const std::u16string& path, uint32_t flags) {
    return ::sndPlaySoundW(wide(path), flags) ? 1 : 0;
}

std::string Win32CodePage::fromUnicode(std::u16string_view text) const {
    if (text.empty())
        return {};
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, source, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(length), '\0');
    // UTF-8 (the manifest's active code page from Windows 10 1903 on) takes no replacement.
    WideCharToMultiByte(CP_ACP, 0, source, int(text.size()), bytes.data(), length,
                        GetACP() == CP_UTF8 ? nullptr : "?", nullptr);
    return bytes;
}

std::u16string Win32CodePage::toUnicode(std::string_view bytes) const {
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring text(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return fromWide(text);
}

LocalDateTime Win32ClockLocale::now() const {
    SYSTEMTIME local;
    GetLocalTime(&local);
    LocalDateTime t;
    t.year = local.wYear;
    t.month = local.wMonth;
    t.day = local.wDay;
    t.weekday = local.wDayOfWeek + 1; // Windows counts from Sunday = 0
    t.hour = local.wHour;
    t.minute = local.wMinute;
    t.second = local.wSecond;
    return t;
}

namespace {

std::u16string localeText(LCTYPE item) {
    wchar_t text[128] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, int(std::size(text)));
    return length > 1 ? fromWide(text, size_t(length - 1)) : std::u16string();
}

} // namespace

std::u16string Win32ClockLocale::monthName(int month) const {
    if (month < 1 || month > 12)
        return {};
    return localeText(LOCALE_SMONTHNAME1 + LCTYPE(month - 1));
}

std::u16string Win32ClockLocale::decimalSeparator() const {
    const std::u16string separator = localeText(LOCALE_SDECIMAL);
    return separator.empty() ? u"." : separator;
}

} // namespace vantoly::win32
