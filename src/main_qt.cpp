// Composition root of the Linux program: the Qt adapter and frmMain, wired together.
#include <QApplication>
#include <cstdio>
#include <exception>

#include "app/Program.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSessionEvents.h"
#include "platform/qt/QtWindowPlatform.h"

int main(int argc, char** argv) {
    if (const auto code = vantoly::qt::BeforeApplication(argc, argv))
        return *code;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoly"));
    QApplication::setOrganizationName(QStringLiteral("Vantoly"));
    QApplication::setQuitOnLastWindowClosed(false);

    try {
        vantoly::qt::QtPlatform platform;
        return vantoly::RunProgram(platform.platform(), platform.form,
                                   {[&platform](vantoly::SessionHandlers handlers) {
                                        vantoly::qt::CatchSessionEvents(
                                            platform.form, platform.host, std::move(handlers));
                                    },
                                    [&platform] { return platform.host.exitCode(); },
                                    [] { return QApplication::exec(); }});
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
}
