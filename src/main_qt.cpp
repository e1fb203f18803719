// Composition root of the Linux program: the Qt adapter and frmMain, wired together.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "base/Settings.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSessionEvents.h"
#include "platform/qt/QtWindowPlatform.h"

namespace {

// Qt's own options, which it takes from the command line itself, and how many values each takes.
const std::vector<std::pair<std::string_view, int>> kQtOptions = {{"platform", 1},
                                                                  {"platformpluginpath", 1},
                                                                  {"platformtheme", 1},
                                                                  {"plugin", 1},
                                                                  {"qwindowgeometry", 1},
                                                                  {"geometry", 1},
                                                                  {"qwindowtitle", 1},
                                                                  {"title", 1},
                                                                  {"qwindowicon", 1},
                                                                  {"icon", 1},
                                                                  {"session", 1},
                                                                  {"display", 1},
                                                                  {"name", 1},
                                                                  {"style", 1},
                                                                  {"stylesheet", 1},
                                                                  {"reverse", 0},
                                                                  {"nograb", 0},
                                                                  {"dograb", 0},
                                                                  {"sync", 0}};

} // namespace

int main(int argc, char** argv) {
    if (const auto answer = vantoly::AnswerCommandLine({argv + 1, argv + argc}, kQtOptions)) {
        std::fputs(answer->out.c_str(), stdout);
        std::fputs(answer->err.c_str(), stderr);
        return answer->exitCode;
    }
    vantoly::qt::PreferXWayland();
    // A platform or display named on the command line is Qt's to try.
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool named = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "-platform" || arg == "--platform" || arg == "-display" || arg == "--display";
    });
    if (const auto missing = named ? std::nullopt : vantoly::qt::MissingDisplay()) {
        std::fprintf(stderr, "Vantoly: %s\n", missing->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoly"));
    QApplication::setOrganizationName(QStringLiteral("Vantoly"));
    QApplication::setQuitOnLastWindowClosed(false);

    try {
        vantoly::qt::QtPlatform platform;
        vantoly::frmMain form(platform.platform());
        platform.form.connectEvents(&form, [&platform](const char* what) {
            platform.host.reportProblem(std::string("Vantoly: ") + what);
        });
        vantoly::qt::CatchSessionEvents(platform.form, platform.host,
                                        {[&form] { form.SessionSave(); },
                                         [&form] { form.SessionEnd(); },
                                         [&form] { form.BringToFront(); }});

        form.Form_Initialize();
        form.Form_Load();
        if (auto code = platform.host.exitCode())
            return *code;
        return app.exec();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
}
