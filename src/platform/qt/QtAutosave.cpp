#include "platform/qt/QtAutosave.h"

#include <QTimer>

#include "platform/qt/QtForm.h"

namespace vantoly::qt {

void StartAutosave(QtForm& form, JournalingStore& store, std::u16string section,
                   std::function<std::u16string()> noteKey) {
    auto* timer = new QTimer(form.widget());
    timer->setSingleShot(true);
    timer->setInterval(kAutosaveDelayMs);
    QObject::connect(timer, &QTimer::timeout,
                     [&form, &store, section = std::move(section), noteKey = std::move(noteKey)] {
                         store.journal(section, noteKey(), form.textView(Control::txtNote));
                     });
    // Started by the first change and not pushed back by the next ones.
    form.onNoteEdited([timer] {
        if (!timer->isActive())
            timer->start();
    });
}

} // namespace vantoly::qt
