#pragma once
// The handlers that must reach their end whatever fails (the tray callback, the on-top registry,
// the two check boxes) run each statement through this: a failing statement is abandoned and the
// next one runs, without a report.
#include <exception>

namespace vantoly {

template <typename Statement> void ResumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const std::exception&) {
    }
}

} // namespace vantoly
