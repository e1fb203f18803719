#pragma once
// Qt adapter: file version information. Linux has no shell library with a version; the tray
// facilities Qt drives support the full record, so "shell32.dll" reports version 6.0.
#include "platform/FileVersion.h"

namespace vantoly::qt {

class QtFileVersion : public FileVersion {
  public:
    int32_t GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) override;
    int32_t GetFileVersionInfoA(const std::string& file, uint32_t handle, uint32_t size,
                                uint8_t* buffer) override;
    int32_t VerQueryValueA(const uint8_t* block, const std::string& subBlock, const uint8_t** value,
                           uint32_t* length) override;
};

} // namespace vantoly::qt
