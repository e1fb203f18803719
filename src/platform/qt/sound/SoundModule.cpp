// Qt adapter: the sound module. Qt Multimedia and the audio libraries under it (PulseAudio,
// codecs, networking) are loaded with this module at the first sound, not at start-up: a program
// that lives all day in the tray and rings rarely should not carry them.
#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>

extern "C" __attribute__((visibility("default"))) int vantoly_play_sound(const char16_t* path,
                                                                         int length) {
    static QSoundEffect* effect = nullptr; // lives as long as the application
    if (!effect)
        effect = new QSoundEffect(QCoreApplication::instance());
    const QUrl source =
        QUrl::fromLocalFile(QString(reinterpret_cast<const QChar*>(path), qsizetype(length)));
    if (effect->source() != source)
        effect->setSource(source);
    effect->play();
    return effect->status() == QSoundEffect::Error ? 0 : 1;
}
