#include "platform/qt/QtNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

namespace vantoly::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

} // namespace

QString NotificationBody(const QString& text, bool serverReadsMarkup) {
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (serverReadsMarkup)
        body = body.toHtmlEscaped();
    return body;
}

QtNotifications::QtNotifications() : replies_(std::make_unique<QObject>()) {}

QtNotifications::~QtNotifications() = default;

bool QtNotifications::available() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (bus.interface()->isServiceRegistered(kService))
        return true;
    const QDBusReply<QStringList> activatable =
        bus.interface()->call(QStringLiteral("ListActivatableNames"));
    return activatable.isValid() && activatable.value().contains(kService);
}

bool QtNotifications::serverReadsMarkup() {
    if (markup_ < 0) {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            call(QStringLiteral("GetCapabilities")), QDBus::Block, 1000);
        markup_ = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                  reply.arguments().first().toStringList().contains(QStringLiteral("body-markup"));
    }
    return markup_ == 1;
}

void QtNotifications::show(const QString& title, const QString& text, uint32_t infoFlags,
                           int timeoutMs) {
    static const char* icons[] = {"", "dialog-information", "dialog-warning", "dialog-error"};
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vantoly"));
    QDBusMessage notify = call(QStringLiteral("Notify"));
    notify << QStringLiteral("Vantoly") << lastId_ << QString::fromLatin1(icons[infoFlags & 3])
           << NotificationBody(title, false) << NotificationBody(text, serverReadsMarkup())
           << QStringList() << hints << timeoutMs;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify),
                                                replies_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, replies_.get(),
                     [this](QDBusPendingCallWatcher* done) {
                         const QDBusPendingReply<uint32_t> reply = *done;
                         if (reply.isValid())
                             lastId_ = reply.value();
                         done->deleteLater();
                     });
}

} // namespace vantoly::qt
