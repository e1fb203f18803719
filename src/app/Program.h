#pragma once
// What each program does once its adapter is built: frmMain wired to the form's events and the
// session's, started, and the event loop run until the program ends.
#include <functional>
#include <optional>

#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "platform/SessionEvents.h"

namespace vantoly {

struct ProgramLoop {
    // Hands the session's events (save, end, a second start) to the adapter.
    std::function<void(SessionHandlers)> catchSessionEvents;
    // The exit code once the program asked to end.
    std::function<std::optional<int>()> endedWith;
    // Runs until the program ends; its exit code.
    std::function<int()> run;
};

// The exit code.
int RunProgram(Platform& platform, FormEventSink& formEvents, const ProgramLoop& loop);

} // namespace vantoly
