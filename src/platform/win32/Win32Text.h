#pragma once
// Text conversions between the core and the wide Windows calls. wchar_t is UTF-16 on Windows,
// so the program's text passes through unchanged.
#include "platform/win32/WindowsHeaders.h"
#include <string>
#include <string_view>

#include "base/Utf8.h"

namespace vantoly::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string fromWide(const std::wstring& text) {
    return fromWide(text.data(), text.size());
}

// UTF-8, for the diagnostic output and the command line: the core's one conversion.
inline std::string utf8(const wchar_t* text, size_t length) {
    return ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}
inline std::string utf8(const std::wstring& text) {
    return utf8(text.data(), text.size());
}

// The text of a window (caption, or the contents of an edit box).
inline std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    return fromWide(text.data(), size_t(got > 0 ? got : 0));
}

// A Windows error code as the system words it, in UTF-8 for the diagnostic output.
std::string errorText(DWORD code);

// A handle as the program stores it: 32 bits. Window, icon and other user handles are 32-bit
// values on 64-bit Windows as well, so the conversion loses nothing.
template <typename Handle> int32_t handleValue(Handle handle) {
    return int32_t(reinterpret_cast<intptr_t>(handle));
}
template <typename Handle> Handle fromHandleValue(int32_t value) {
    return reinterpret_cast<Handle>(intptr_t(value));
}

} // namespace vantoly::win32
