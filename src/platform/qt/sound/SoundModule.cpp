// Qt adapter: the sound module. Qt Multimedia and the audio libraries under it (PulseAudio,
// codecs, networking) are loaded with this module at the first sound, not at start-up: a program
// that lives all day in the tray and rings rarely should not carry them.
#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>

extern "C" __attribute__((visibility("default"))) int vantoly_play_sound(const char16_t* path,
                                                                         int length) {
    // A new effect for each ring: Qt 6.4's effect, played again over PulseAudio while it still
    // counts itself as playing, only stops, and a ring goes silent. Each one goes once it ends.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(
        QUrl::fromLocalFile(QString(reinterpret_cast<const QChar*>(path), qsizetype(length))));
    effect->play();
    return effect->status() == QSoundEffect::Error ? 0 : 1;
}
