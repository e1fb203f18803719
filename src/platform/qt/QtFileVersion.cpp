#include "platform/qt/QtFileVersion.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/VersionInfoBlock.h"

namespace vantoly::qt {
namespace {

bool isShell(const std::string& file) {
    return strcasecmp(file.c_str(), "shell32.dll") == 0;
}

} // namespace

int32_t QtFileVersion::GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) {
    if (handle)
        *handle = 0;
    return isShell(file) ? int32_t(BuildVersionInfoBlock(6, 0).size()) : 0;
}

int32_t QtFileVersion::GetFileVersionInfoA(const std::string& file, uint32_t, uint32_t size,
                                           uint8_t* buffer) {
    if (!isShell(file) || !buffer)
        return 0;
    const auto block = BuildVersionInfoBlock(6, 0);
    std::memcpy(buffer, block.data(), std::min<size_t>(size, block.size()));
    return 1;
}

int32_t QtFileVersion::VerQueryValueA(const uint8_t* block, const std::string& subBlock,
                                      const uint8_t** value, uint32_t* length) {
    const uint8_t* fixed = subBlock == "\\" ? FindFixedFileInfo(block) : nullptr;
    if (!fixed || !value)
        return 0;
    *value = fixed;
    if (length)
        *length = 52;
    return 1;
}

} // namespace vantoly::qt
