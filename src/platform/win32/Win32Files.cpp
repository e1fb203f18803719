#include "platform/win32/Win32Files.h"

#include <cwctype>
#include <iterator>
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
    // Shared for renaming: a sync tool replacing the file is not held up by this read.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes.append(buffer, got);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read) {
        SetLastError(error);
        return std::nullopt; // part of a file is not the file
    }
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

std::wstring ExecutableFolder() {
    std::wstring exe(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()))) == exe.size())
        exe.resize(exe.size() * 2);
    exe.resize(length);
    const size_t slash = exe.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : exe.substr(0, slash);
}

std::wstring PortableSettingsFile() {
    const std::wstring file = ExecutableFolder() + L"\\Vantoly.ini";
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES ? file : L"";
}

std::wstring StateFilePath(const std::wstring& name, const std::wstring& portableFile) {
    if (portableFile.empty())
        return LocalDataFolder() + L"\\" + name;
    // Beside a file that may travel: one per computer and user, as each keeps its own typing.
    wchar_t host[MAX_COMPUTERNAME_LENGTH + 1] = {}, user[257] = {};
    DWORD hostLength = DWORD(std::size(host)), userLength = DWORD(std::size(user));
    GetComputerNameW(host, &hostLength);
    GetUserNameW(user, &userLength);
    std::wstring own = std::wstring(host) + L"-" + user;
    for (wchar_t& ch : own)
        if (!iswalnum(ch) && ch != L'-' && ch != L'.')
            ch = L'_';
    return portableFile.substr(0, portableFile.find_last_of(L'\\') + 1) + name + L"." + own;
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
