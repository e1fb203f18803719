#include <vector>

#include "app/frmMain.h"

namespace vantoly {

void frmMain::ChooseNotifyRecordSize() {
    if (IsShellVersionAtLeast(6))
        NotifyRecordSize = 504;
    else if (IsShellVersionAtLeast(5))
        NotifyRecordSize = 488;
    else
        NotifyRecordSize = 88;
}

bool frmMain::IsShellVersionAtLeast(int32_t major) {
    const std::string file = "shell32.dll";
    uint32_t unused = 0;
    const int32_t size = p_.version.GetFileVersionInfoSizeA(file, &unused);
    if (size <= 0)
        return false;
    std::vector<uint8_t> buffer(size_t(size), 0);
    p_.version.GetFileVersionInfoA(file, 0, uint32_t(size), buffer.data());
    const uint8_t* fixed = nullptr;
    uint32_t length = 0;
    if (p_.version.VerQueryValueA(buffer.data(), "\\", &fixed, &length) != 1 || !fixed)
        return false;
    // High word of dwFileVersionMS, little-endian, read as a signed 16-bit number.
    const auto shellMajor = int16_t(uint16_t(fixed[10] | fixed[11] << 8));
    return int32_t(shellMajor) >= major;
}

} // namespace vantoly
