#pragma once
// Win32 adapter: the settings store of a portable program, a file Vantoly.ini beside vantoly.exe
// in the Linux program's format (IniText), so that one synced folder serves both. The file is
// replaced whole, never rewritten in place, and read again whenever it changed; a change made by
// anyone else is reported a second after the folder last changed.
#include "platform/win32/WindowsHeaders.h"
#include <array>
#include <string>

#include "base/IniText.h"
#include "platform/SettingsStore.h"

namespace vantoly::win32 {

class Win32IniStore : public SettingsStore {
  public:
    explicit Win32IniStore(std::wstring path) : path_(std::move(path)) {}
    ~Win32IniStore() override;

    // The file is the program's own: the application name is not part of it.
    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
    std::optional<Held> readBack(const std::u16string& app, const std::u16string& section,
                                 const std::vector<std::u16string>& keys) override;
    void watch(std::function<void()> changed) override;

  private:
    // The file's size, times of creation and change; all zero when it is not there.
    using Identity = std::array<unsigned long long, 3>;
    Identity fileNow() const;
    // The file as it stands, read whole; nothing when it exists and cannot be read.
    std::optional<IniText> load() const;
    static LRESULT CALLBACK settle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK folderChanged(void* self, BOOLEAN);

    std::wstring path_;
    IniText text_;
    Identity loaded_{}; // the file text_ was read from or written as
    Identity seen_{};   // the file as this store last wrote or reported it
    std::function<void()> changed_;
    HANDLE change_ = INVALID_HANDLE_VALUE;
    HANDLE wait_ = nullptr;
    HWND window_ = nullptr;
};

} // namespace vantoly::win32
