#pragma once
// What the program answers on its command line, before it touches a display, the lock or the
// settings: --help and --version, and a plain word for anything else it does not know. The
// window toolkit's own options (Qt's -session, -platform, ...) pass through to it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantoly {

inline constexpr std::string_view kVersion = "1.00";

struct CommandLineAnswer {
    int exitCode = 0;
    std::string out; // for standard output
    std::string err; // for standard error
};

// Nothing when the program is to start. `toolkitOptions` are the options the toolkit takes
// itself, each with the number of values that follow it.
std::optional<CommandLineAnswer>
AnswerCommandLine(const std::vector<std::string>& args,
                  const std::vector<std::pair<std::string_view, int>>& toolkitOptions = {});

} // namespace vantoly
