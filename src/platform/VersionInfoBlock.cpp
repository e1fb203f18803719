#include "platform/VersionInfoBlock.h"

#include <string_view>

namespace vantoly {
namespace {

constexpr uint32_t kSignature = 0xFEEF04BD;
constexpr uint16_t kFixedSize = 52;
constexpr std::u16string_view kKey = u"VS_VERSION_INFO";
// Header (three words), the key with its NUL, padded to a 32-bit boundary.
constexpr size_t kFixedOffset = (6 + (kKey.size() + 1) * 2 + 3) / 4 * 4;

void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    put16(b, at, uint16_t(v));
    put16(b, at + 2, uint16_t(v >> 16));
}

uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

std::vector<uint8_t> BuildVersionInfoBlock(uint16_t major, uint16_t minor) {
    std::vector<uint8_t> b(kFixedOffset + kFixedSize, 0);
    put16(b, 0, uint16_t(b.size()));
    put16(b, 2, kFixedSize);
    put16(b, 4, 0); // binary value
    for (size_t i = 0; i < kKey.size(); ++i)
        put16(b, 6 + 2 * i, kKey[i]);
    const size_t f = kFixedOffset;
    put32(b, f + 0, kSignature);
    put32(b, f + 4, 0x00010000);
    put32(b, f + 8, uint32_t(major) << 16 | minor);  // dwFileVersionMS
    put32(b, f + 16, uint32_t(major) << 16 | minor); // dwProductVersionMS
    put32(b, f + 32, 0x00040004);                    // VOS_NT_WINDOWS32
    put32(b, f + 36, 2);                             // VFT_DLL
    return b;
}

const uint8_t* FindFixedFileInfo(const uint8_t* block) {
    if (!block)
        return nullptr;
    const uint16_t length = uint16_t(block[0] | block[1] << 8);
    const uint16_t valueLength = uint16_t(block[2] | block[3] << 8);
    if (length < kFixedOffset + kFixedSize || valueLength < kFixedSize)
        return nullptr;
    const uint8_t* fixed = block + kFixedOffset;
    return get32(fixed) == kSignature ? fixed : nullptr;
}

} // namespace vantoly
