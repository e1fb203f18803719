#pragma once
// Qt adapter: sound. Plays a WAV file with QSoundEffect, which loads and plays it off the
// user-interface thread; a missing or unplayable file, or no audio device, is silent. The
// sound module (Qt Multimedia) is loaded at the first sound, so a program that never rings
// loads no audio libraries at all.
#include <QLibrary>
#include <QString>

#include "platform/Sound.h"

namespace vantoly::qt {

class QtSound : public Sound {
  public:
    // The module beside the program, or the one given.
    explicit QtSound(QString modulePath = {});
    int32_t sndPlaySoundA(const std::u16string& path, uint32_t flags) override;
    // Whether the audio libraries are loaded yet.
    bool moduleLoaded() const { return play_ != nullptr; }

  private:
    QString modulePath_;
    QLibrary module_;
    int (*play_)(const char16_t*, int) = nullptr;
};

} // namespace vantoly::qt
