#pragma once
// What the desktop session and other processes ask of the running program, as an adapter
// delivers it.
#include <functional>

namespace vantoly {

struct SessionHandlers {
    std::function<void()> save;     // save, and stay (a checkpoint, a logout that may be cancelled)
    std::function<void()> end;      // the session is ending: what Quit does
    std::function<void()> activate; // another start asks for the window
};

} // namespace vantoly
