#pragma once
// Qt adapter: sound. Plays a WAV file with QSoundEffect, which loads and plays it off the
// user-interface thread; a missing or unplayable file, or no audio device, is silent. The
// effect is made at the first sound, so a program that never rings loads no audio output.
#include <QObject>
#include <memory>

#include "platform/Sound.h"

class QSoundEffect;

namespace vantoly::qt {

class QtSound : public Sound {
  public:
    QtSound();
    ~QtSound() override;
    int32_t sndPlaySoundA(const std::u16string& path, uint32_t flags) override;

  private:
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace vantoly::qt
