#pragma once
// How an adapter runs one of the form's handlers from its event loop: a failure that escapes the
// handler is reported, never thrown into the toolkit (or through a window procedure).
#include <exception>
#include <functional>

namespace vantoly {

inline void RunHandler(const std::function<void()>& handler,
                       const std::function<void(const char*)>& reportFailure) {
    try {
        handler();
    } catch (const std::exception& failure) {
        if (reportFailure)
            reportFailure(failure.what());
    } catch (...) {
        if (reportFailure)
            reportFailure("unexpected failure");
    }
}

} // namespace vantoly
