#include "platform/qt/QtAutosave.h"

#include "platform/qt/QtForm.h"
#include "platform/qt/QtSettingsStore.h"

namespace vantoly::qt {

QtAutosave::QtAutosave(QtForm& form, QtSettingsStore& store, std::u16string section,
                       std::function<std::u16string()> noteKey) {
    timer_.setSingleShot(true);
    timer_.setInterval(kAutosaveDelayMs);
    QObject::connect(&timer_, &QTimer::timeout,
                     [&form, &store, section = std::move(section), noteKey = std::move(noteKey)] {
                         store.journal(section, noteKey(), form.text(Control::txtNote));
                     });
    // Started by the first change and not pushed back by the next ones.
    form.onNoteEdited([this] {
        if (!timer_.isActive())
            timer_.start();
    });
}

} // namespace vantoly::qt
