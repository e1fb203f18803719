#pragma once
// Win32 adapter: Picture1's picture. An icon file loaded becomes the current picture (the
// previous one is destroyed); its handle is what the tray shows, and it is saved as the very
// bytes it was loaded from.
#include "platform/win32/WindowsHeaders.h"
#include <cstdint>
#include <string>

namespace vantoly::win32 {

class Win32Pictures {
  public:
    Win32Pictures() = default;
    ~Win32Pictures();
    Win32Pictures(const Win32Pictures&) = delete;
    Win32Pictures& operator=(const Win32Pictures&) = delete;

    // Fails (PlatformFailure) when the file is missing, unreadable or not a picture.
    void load(const std::u16string& path);
    int32_t handle() const;
    void save(const std::u16string& path) const;

  private:
    HICON picture_ = nullptr;
    std::string bytes_;
};

} // namespace vantoly::win32
