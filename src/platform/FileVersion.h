#pragma once
// File version information, in the shape of the Windows version library.
#include <cstdint>
#include <string>

namespace vantoly {

class FileVersion {
  public:
    virtual ~FileVersion() = default;
    // Size of the file's version information block, 0 when it has none.
    virtual int32_t GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) = 0;
    virtual int32_t GetFileVersionInfoA(const std::string& file, uint32_t handle, uint32_t size,
                                        uint8_t* buffer) = 0;
    // With the sub-block "\" points at the fixed part inside the block; 1 on success.
    virtual int32_t VerQueryValueA(const uint8_t* block, const std::string& subBlock,
                                   const uint8_t** value, uint32_t* length) = 0;
};

} // namespace vantoly
