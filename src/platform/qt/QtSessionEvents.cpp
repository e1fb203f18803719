#include "platform/qt/QtSessionEvents.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/qt/QtForm.h"
#include "platform/qt/QtHost.h"

namespace vantoly::qt {
namespace {

int signalPipe[2] = {-1, -1};
constexpr char kEnd = 1, kActivate = 2;

void onSignal(int sig) {
    const char byte = sig == SIGUSR1 ? kActivate : kEnd;
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void CatchSessionEvents(QtForm& form, const QtHost& host, SessionHandlers handlers) {
    auto shared = std::make_shared<SessionHandlers>(std::move(handlers));
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, qApp, [&form, shared, notifier] {
            char byte = 0;
            if (::read(signalPipe[0], &byte, 1) != 1)
                return;
            if (byte == kActivate) {
                form.dispatch(shared->activate);
                return;
            }
            notifier->setEnabled(false);
            form.dispatch(shared->end);
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP, SIGUSR1})
            sigaction(sig, &action, nullptr);
    }
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [&form, shared] { form.dispatch(shared->save); });
    // The session manager's last word: the application is told to quit.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [&form, &host, shared] {
        if (!host.exitCode())
            form.dispatch(shared->end);
    });
}

} // namespace vantoly::qt
