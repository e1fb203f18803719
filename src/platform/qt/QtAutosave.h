#pragma once
// Qt adapter: what the user types in the note reaches the recovery journal at most
// kAutosaveDelayMs after it was typed, however long the typing goes on.
#include <functional>
#include <string>

#include "app/JournalingStore.h"

namespace vantoly::qt {

class QtForm;

// Once, for as long as the form lives. noteKey: the settings key, in `section`, of the note the
// box shows now.
void StartAutosave(QtForm& form, JournalingStore& store, std::u16string section,
                   std::function<std::u16string()> noteKey);

} // namespace vantoly::qt
