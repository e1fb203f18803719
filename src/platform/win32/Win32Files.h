#pragma once
// Win32 adapter: whole files written safely, read back, and their times.
#include "platform/win32/WindowsHeaders.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantoly::win32 {

// Writes the bytes to a new file beside the target, flushes it and renames it over the target:
// a reader never sees half a file, and a link planted at the target is replaced, never
// followed. ERROR_SUCCESS, or the reason it could not be done.
DWORD WriteFileReplacing(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// A FILETIME as one number of 100-nanosecond steps since 1601.
inline uint64_t FileTimeSteps(const FILETIME& time) {
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
// The time of the last write, in FILETIME steps; nothing when the file is not there.
std::optional<uint64_t> FileWriteTime(const std::wstring& path);
// The program's own folder for the user's files on this machine, made if need be:
// %LOCALAPPDATA%\Vantoly, or under the temporary folder where that is not known.
std::wstring LocalDataFolder();

} // namespace vantoly::win32
