// Composition root of the Linux program: the Qt adapter and frmMain, wired together.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <string>

#include "app/frmMain.h"
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
