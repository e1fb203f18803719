#pragma once
// Playing a sound file.
#include <cstdint>
#include <string>

namespace vantoly {

constexpr uint32_t SND_ASYNC = 1;     // return at once while the sound plays
constexpr uint32_t SND_NODEFAULT = 2; // silent when the file is missing or cannot be played

class Sound {
  public:
    virtual ~Sound() = default;
    virtual int32_t sndPlaySoundA(const std::u16string& path, uint32_t flags) = 0;
};

} // namespace vantoly
