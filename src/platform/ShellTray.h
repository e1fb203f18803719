#pragma once
// The notification area, called with the tray record in its 504-byte 8-bit form.
#include <array>
#include <cstdint>

namespace vantoly {

constexpr uint32_t NIM_ADD = 0;
constexpr uint32_t NIM_MODIFY = 1;
constexpr uint32_t NIM_DELETE = 2;
constexpr uint32_t NIM_SETVERSION = 4;

constexpr uint32_t NIF_MESSAGE = 1;
constexpr uint32_t NIF_ICON = 2;
constexpr uint32_t NIF_TIP = 4;
constexpr uint32_t NIF_INFO = 16;

constexpr uint32_t NIIF_INFO = 1; // the balloon's information icon

using NotifyRecordBytes = std::array<uint8_t, 504>;

class ShellTray {
  public:
    virtual ~ShellTray() = default;
    // The platform may read the first cbSize bytes and may write into the record. It must take
    // its own copy of the icon: the picture behind hIcon is released at the next load.
    virtual int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) = 0;
};

} // namespace vantoly
