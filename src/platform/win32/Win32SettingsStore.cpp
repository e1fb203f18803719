#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/WindowsHeaders.h"
#include <vector>

#include "platform/Failure.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

std::wstring keyPath(const std::u16string& app, const std::u16string& section) {
    return L"Software\\VB and VBA Program Settings\\" + std::wstring(wide(app)) + L"\\" +
           std::wstring(wide(section));
}

std::optional<std::u16string> readValue(const std::u16string& app, const std::u16string& section,
                                        const std::u16string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &handle) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::u16string> result;
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExW(handle, wide(key), nullptr, &type, nullptr, &size);
    // A value written by something else as another type is not the program's text.
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        status = RegQueryValueExW(handle, wide(key), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS) {
            size_t length = size / sizeof(wchar_t);
            // Stored with or without its terminator; the text ends at the first one.
            for (size_t i = 0; i < length; ++i)
                if (data[i] == L'\0') {
                    length = i;
                    break;
                }
            result = fromWide(data.data(), length);
        }
    }
    RegCloseKey(handle);
    return result;
}

void writeValue(const std::u16string& app, const std::u16string& section, const std::u16string& key,
                const std::u16string& value) {
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

} // namespace

std::optional<std::u16string> Win32SettingsStore::read(const std::u16string& app,
                                                       const std::u16string& section,
                                                       const std::u16string& key) {
    return readValue(app, section, key);
}

void Win32SettingsStore::write(const std::u16string& app, const std::u16string& section,
                               const std::u16string& key, const std::u16string& value) {
    writeValue(app, section, key, value);
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
