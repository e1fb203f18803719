#include "platform/win32/Win32Files.h"

#include <shlobj.h>

#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {

DWORD WriteFileReplacing(const std::wstring& path, const std::vector<std::string_view>& parts) {
    static unsigned serial = 0;
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(++serial) + L".new";
    // CREATE_NEW fails on anything already there, a link included: nothing is written through.
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD error = ERROR_SUCCESS;
    for (const std::string_view part : parts) {
        DWORD written = 0;
        if (!WriteFile(file, part.data(), DWORD(part.size()), &written, nullptr))
            error = GetLastError();
        else if (written != part.size())
            error = ERROR_DISK_FULL;
        if (error != ERROR_SUCCESS)
            break;
    }
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), path.c_str(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS)
        DeleteFileW(temporary.c_str());
    return error;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::wstring LocalDataFolder() {
    wchar_t* base = nullptr;
    std::wstring dir;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &base)))
        dir = std::wstring(base) + L"\\Vantoly";
    CoTaskMemFree(base);
    if (dir.empty()) {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        dir = std::wstring(temp, length) + L"Vantoly";
    }
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::wstring StateFilePath(const std::wstring& name) {
    return LocalDataFolder() + L"\\" + name;
}

std::optional<std::string> Win32StateFile::read() {
    return ReadWholeFile(path_);
}

std::optional<std::string> Win32StateFile::replace(const std::vector<std::string_view>& parts) {
    const size_t folder = path_.find_last_of(L'\\');
    if (folder != std::wstring::npos)
        CreateDirectoryW(path_.substr(0, folder).c_str(), nullptr);
    const DWORD error = WriteFileReplacing(path_, parts);
    if (error == ERROR_SUCCESS)
        return std::nullopt;
    return utf8(path_) + " cannot be written: " + errorText(error);
}

void Win32StateFile::remove() {
    DeleteFileW(path_.c_str());
}

} // namespace vantoly::win32
