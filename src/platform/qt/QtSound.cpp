#include "platform/qt/QtSound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

int32_t QtSound::sndPlaySoundA(const std::u16string& path, uint32_t) {
    // Without SND_NODEFAULT Windows would ring its default sound instead; there is none here.
    const QString local = LocalPath(path);
    if (!QFileInfo(local).isFile())
        return 0;
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    const QUrl source = QUrl::fromLocalFile(local);
    if (effect_->source() != source)
        effect_->setSource(source);
    effect_->play();
    return effect_->status() == QSoundEffect::Error ? 0 : 1;
}

} // namespace vantoly::qt
