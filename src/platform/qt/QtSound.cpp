#include "platform/qt/QtSound.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

QtSound::QtSound(QString modulePath) : modulePath_(std::move(modulePath)) {}

int32_t QtSound::sndPlaySoundA(const std::u16string& path, uint32_t) {
    // Without SND_NODEFAULT Windows would ring its default sound instead; there is none here.
    const QString local = LocalPath(path);
    if (!QFileInfo(local).isFile())
        return 0;
    if (!play_) {
        module_.setFileName(modulePath_.isEmpty()
                                ? QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/plugins/libvantoly_sound.so")
                                : modulePath_);
        play_ =
            reinterpret_cast<int (*)(const char16_t*, int)>(module_.resolve("vantoly_play_sound"));
        if (!play_)
            return 0;
    }
    return play_(reinterpret_cast<const char16_t*>(local.utf16()), int(local.size()));
}

} // namespace vantoly::qt
