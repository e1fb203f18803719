#pragma once
// Win32 adapter: whole files written safely and read back, and the program's state files.
#include "platform/win32/WindowsHeaders.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/StateFile.h"

namespace vantoly::win32 {

// Writes the parts, one after another, to a new file beside the target, flushes it and renames it
// over the target: a reader never sees half a file, and a link planted at the target is
// replaced, never followed. ERROR_SUCCESS, or the reason it could not be done.
DWORD WriteFileReplacing(const std::wstring& path, const std::vector<std::string_view>& parts);
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// The program's own folder for the user's files on this machine, made if need be:
// %LOCALAPPDATA%\Vantoly, or under the temporary folder where that is not known.
std::wstring LocalDataFolder();

// The running program's folder, without a trailing separator.
std::wstring ExecutableFolder();
// Vantoly.ini beside vantoly.exe when it is there (the program is portable); else nothing.
std::wstring PortableSettingsFile();
// %LOCALAPPDATA%\Vantoly\NAME; beside the portable file, NAME.COMPUTER-USER.
std::wstring StateFilePath(const std::wstring& name, const std::wstring& portableFile);

class Win32StateFile : public StateFile {
  public:
    explicit Win32StateFile(std::wstring path) : path_(std::move(path)) {}
    std::optional<std::string> read() override;
    std::optional<std::string> replace(const std::vector<std::string_view>& parts) override;
    void remove() override;

  private:
    std::wstring path_;
};

} // namespace vantoly::win32
