#pragma once
// The version information block of a file (VS_VERSIONINFO with its fixed part), for platforms
// that have no such blocks of their own and for the fake.
#include <cstdint>
#include <vector>

namespace vantoly {

// A block whose fixed part carries the file version major.minor.
std::vector<uint8_t> BuildVersionInfoBlock(uint16_t major, uint16_t minor);

// The fixed part (VS_FIXEDFILEINFO) inside a block, or nullptr when the block has none.
const uint8_t* FindFixedFileInfo(const uint8_t* block);

} // namespace vantoly
