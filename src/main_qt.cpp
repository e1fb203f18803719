// Composition root of the Linux program: the Qt adapter, frmMain, and the ways a desktop session
// ends (the session manager, SIGTERM, SIGINT, SIGHUP), each of which quits as the Quit button
// does, so a note is never lost because the session ended; a session manager that only asks to
// save gets a save, and Vantoly stays.
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

#include "app/Settings.h"
#include "app/frmMain.h"
#include "platform/qt/QtAutosave.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindowPlatform.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}

void catchSessionEnd(vantoly::qt::QtPlatform& platform, vantoly::frmMain& form) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [&platform, &form, notifier] {
        char byte;
        [[maybe_unused]] auto got = ::read(signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        platform.form.dispatch([&form] { form.SessionEnd(); });
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);

    // A checkpoint, or a logout that may yet be cancelled: save and stay.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [&platform, &form] {
        platform.form.dispatch([&form] { form.SessionSave(); });
    });
    // The session manager's last word: the application is told to quit.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [&platform, &form] {
        if (!platform.host.exitCode())
            platform.form.dispatch([&form] { form.SessionEnd(); });
    });
}

} // namespace

int main(int argc, char** argv) {
    vantoly::qt::PreferXWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoly"));
    QApplication::setOrganizationName(QStringLiteral("Vantoly"));
    QApplication::setQuitOnLastWindowClosed(false);

    vantoly::qt::QtPlatform platform;
    vantoly::frmMain form(platform.platform());
    platform.form.connectEvents(&form, [&platform](const char* what) {
        platform.host.reportProblem(std::string("Vantoly: ") + what);
    });
    catchSessionEnd(platform, form);
    const vantoly::qt::QtAutosave autosave(
        platform.form, platform.settings, std::u16string(vantoly::kSection),
        [&form] { return std::u16string(vantoly::NoteKey(form.CurrentNote)); });
    // The tray icon's mouse actions reach the program as Picture1's mouse moves, the action's
    // message number in X.
    platform.shell.onMessage([&platform, &form](uint32_t, int32_t message) {
        platform.form.dispatch([&] {
            form.Picture1_MouseMove(0, 0, float(message) * platform.form.twipsPerPixelX(), 0);
        });
    });

    try {
        form.Form_Initialize();
        form.Form_Load();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
    if (auto code = platform.host.exitCode())
        return *code;
    return app.exec();
}
