#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/WindowsHeaders.h"

#include "platform/Failure.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

std::wstring keyPath(const std::u16string& app, const std::u16string& section) {
    return L"Software\\VB and VBA Program Settings\\" + std::wstring(wide(app)) + L"\\" +
           std::wstring(wide(section));
}

} // namespace

std::optional<std::u16string> Win32SettingsStore::read(const std::u16string& app,
                                                       const std::u16string& section,
                                                       const std::u16string& key) {
    // Only the program's text: a value written by something else as another type is not.
    const std::wstring path = keyPath(app, section);
    constexpr DWORD kText = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), wide(key), kText, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), wide(key), kText, nullptr, data.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    // Stored with or without its terminator; the text ends at the first one.
    data.resize(data.find(L'\0'));
    return fromWide(data);
}

void Win32SettingsStore::write(const std::u16string& app, const std::u16string& section,
                               const std::u16string& key, const std::u16string& value) {
    const std::wstring path = keyPath(app, section);
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        const DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(handle, wide(key), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(wide(value)), bytes);
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS)
        throw PlatformFailure("HKEY_CURRENT_USER\\" + utf8(path) +
                              " cannot be written: " + errorText(DWORD(status)));
}

void Win32SettingsStore::writeAll(const std::u16string& app, const std::u16string& section,
                                  const Values& values) {
    SettingsStore::writeAll(app, section, values);
    const std::wstring path = keyPath(app, section);
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &handle);
    if (status == ERROR_SUCCESS) {
        status = RegFlushKey(handle);
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS)
        throw PlatformFailure("HKEY_CURRENT_USER\\" + utf8(path) +
                              " cannot be written to the disk: " + errorText(DWORD(status)));
}

} // namespace vantoly::win32
