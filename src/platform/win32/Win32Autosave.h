#pragma once
// Win32 adapter: what the user types in the note reaches the recovery journal at most
// kAutosaveDelayMs after it was typed, however long the typing goes on.
#include <functional>
#include <string>

#include "app/JournalingStore.h"
#include "platform/win32/Win32Form.h"

namespace vantoly::win32 {

// Once, for as long as the form lives. noteKey: the settings key, in `section`, of the note the
// box shows now.
inline void StartAutosave(Win32Form& form, JournalingStore& store, std::u16string section,
                          std::function<std::u16string()> noteKey) {
    form.afterNoteEdits(kAutosaveDelayMs, [&form, &store, section = std::move(section),
                                           noteKey = std::move(noteKey)] {
        store.journal(section, noteKey(), form.textView(Control::txtNote));
    });
}

} // namespace vantoly::win32
