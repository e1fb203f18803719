#pragma once
// Win32 adapter: the notification area.
//
// Implements: Shell_NotifyIconA with the program's record. A 32-bit build hands the record to
// the shell as it is; a 64-bit build copies it field by field into the 64-bit structure of the
// same version (88, 488 and 504 bytes become the V1, V2 and V3 sizes). After Explorer restarts
// (the "TaskbarCreated" message) every icon the program still shows is added again, with the
// tooltip and picture it last had, so the icon does not vanish until the next start.
#include <map>
#include <utility>

#include "platform/ShellTray.h"

#include "platform/win32/WindowsHeaders.h"

#include <shellapi.h>

namespace vantoly::win32 {

#ifdef _WIN64
// The program's record as the 64-bit structure of the same version.
NOTIFYICONDATAA ToNotifyIconDataA(const NotifyRecordBytes& record);
#endif

class Win32ShellTray : public ShellTray {
  public:
    Win32ShellTray();
    ~Win32ShellTray() override;

    int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) override;

    // Called with every message the form receives; true when it was the shell's restart.
    bool taskbarMessage(UINT message);

  private:
    struct Shown {
        NotifyRecordBytes record{}; // as last added or modified, without the balloon
        HICON picture = nullptr;    // our own copy: the program releases its pictures
        uint32_t version = 0;       // as last set, 0 for none
    };
    void remember(uint32_t message, const NotifyRecordBytes& record);
    static BOOL send(uint32_t message, NotifyRecordBytes& record);

    UINT taskbarCreated_;
    std::map<std::pair<uint32_t, uint32_t>, Shown> shown_;
};

} // namespace vantoly::win32
