#pragma once
// Win32 adapter: the calls the program makes by their Windows names, passed to Windows as they
// are (file version information, window z-order, sound), the system's 8-bit code page, and the
// local clock and locale.
#include "platform/ClockLocale.h"
#include "platform/CodePage.h"
#include "platform/FileVersion.h"
#include "platform/Sound.h"
#include "platform/ZOrder.h"

namespace vantoly::win32 {

class Win32FileVersion : public FileVersion {
  public:
    int32_t GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) override;
    int32_t GetFileVersionInfoA(const std::string& file, uint32_t handle, uint32_t size,
                                uint8_t* buffer) override;
    int32_t VerQueryValueA(const uint8_t* block, const std::string& subBlock, const uint8_t** value,
                           uint32_t* length) override;
};

class Win32ZOrder : public ZOrder {
  public:
    int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y, int32_t cx,
                         int32_t cy, uint32_t flags) override;
};

// The path goes to the wide call, so a program unzipped into a folder whose name the 8-bit code
// page cannot spell still rings; the flags are the Windows ones.
class Win32Sound : public Sound {
  public:
    int32_t sndPlaySoundA(const std::u16string& path, uint32_t flags) override;
};

// CP_ACP; a character it cannot represent becomes "?".
class Win32CodePage : public CodePage {
  public:
    std::string fromUnicode(std::u16string_view text) const override;
    std::u16string toUnicode(std::string_view bytes) const override;
};

class Win32ClockLocale : public ClockLocale {
  public:
    LocalDateTime now() const override;
    std::u16string monthName(int month) const override;
    std::u16string decimalSeparator() const override;
};

} // namespace vantoly::win32
