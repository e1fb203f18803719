#include "app/CommandLine.h"

namespace vantoly {
namespace {

constexpr std::string_view kUsage =
    "Usage: vantoly [--help | --version]\n"
    "Shows today's day of the month in the notification area, with three notes and an alarm\n"
    "written as \"@\" and a time (@9:05 PM). Double-click the icon for the note window.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Started again, it brings the running one's window up. See vantoly(1).\n";

} // namespace

std::optional<CommandLineAnswer>
AnswerCommandLine(const std::vector<std::string>& args,
                  const std::vector<std::pair<std::string_view, int>>& toolkitOptions) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h")
            return CommandLineAnswer{0, std::string(kUsage), {}};
        if (arg == "--version")
            return CommandLineAnswer{0, "Vantoly " + std::string(kVersion) + "\n", {}};
        // The toolkit's options are written with one dash or two.
        const std::string_view name = std::string_view(arg).substr(arg.starts_with("--")  ? 2
                                                                   : arg.starts_with("-") ? 1
                                                                                          : 0);
        bool toolkit = false;
        if (name.size() < arg.size())
            for (const auto& [option, values] : toolkitOptions)
                if (name == option) {
                    toolkit = true;
                    i += size_t(values);
                    break;
                }
        if (!toolkit)
            return CommandLineAnswer{
                2,
                {},
                "vantoly: " +
                    std::string(arg.starts_with("-") ? "unknown option " : "unexpected word ") +
                    "'" + arg + "'\n" + std::string(kUsage)};
    }
    return std::nullopt;
}

} // namespace vantoly
