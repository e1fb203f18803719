#include "platform/qt/QtShellTray.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <xcb/xcb.h>

#include "platform/qt/QtPaths.h"
#include "platform/qt/QtPictures.h"
#include "platform/qt/QtSharpIcon.h"

namespace vantoly::qt {
namespace {

// The shell keeps a balloon between 10 and 30 seconds, whatever the record asks.
int balloonTimeout(const DecodedNotifyRecord& record) {
    return int(std::clamp<uint32_t>(record.timeoutOrVersion, 10000, 30000));
}

} // namespace

namespace {

// The same question Qt asks before it chooses how to show the icon.
bool StatusNotifierHost() {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

TrayActivation Activation(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return TrayActivation::Click;
    case QSystemTrayIcon::DoubleClick:
        return TrayActivation::DoubleClick;
    case QSystemTrayIcon::Context:
        return TrayActivation::Context;
    case QSystemTrayIcon::MiddleClick:
        return TrayActivation::Middle;
    default:
        return TrayActivation::Other;
    }
}

} // namespace

std::optional<TrayKind> FindTrayHost() {
    if (StatusNotifierHost())
        return TrayKind::StatusNotifierItem;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Platforms other than xcb (offscreen, vnc) may answer with no connection at all.
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    // The screen of DISPLAY (":0.1" is screen 1); the tray manager owns a selection per screen.
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const int screen = dot > display.lastIndexOf(':') ? display.mid(dot + 1).toInt() : 0;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
        nullptr);
    if (!atom)
        return std::nullopt;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool present = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return present ? std::optional(TrayKind::XEmbed) : std::nullopt;
}

QtShellTray::Entry::Entry() = default;
QtShellTray::Entry::~Entry() = default;

QtShellTray::QtShellTray(const QtPictures& pictures, const CodePage& codePage)
    : pictures_(pictures), codePage_(codePage) {
    clock_.start();
}

// As the shell does, only an icon registered with a callback message reports its mouse actions.
void QtShellTray::deliver(std::pair<uint32_t, uint32_t> key, int32_t message) {
    auto it = icons_.find(key);
    if (it == icons_.end() || it->second.callbackMessage == 0 || !onMessage_)
        return;
    onMessage_(key.first, message);
}

QtShellTray::~QtShellTray() = default;

QSystemTrayIcon* QtShellTray::icon(uint32_t hWnd, uint32_t uID) const {
    auto it = icons_.find({hWnd, uID});
    return it == icons_.end() ? nullptr : it->second.icon.get();
}

int32_t QtShellTray::Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& bytes) {
    const auto record = DecodeNotifyRecord(bytes, codePage_);
    if (!record)
        return 0;
    const auto key = std::make_pair(record->hWnd, record->uID);
    auto it = icons_.find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != icons_.end())
            return 0;
        Entry& entry = icons_[key];
        entry.pointerPulse = std::make_unique<QTimer>();
        entry.pointerPulse->setInterval(60000);
        entry.pointerPulse->setTimerType(Qt::VeryCoarseTimer);
        QObject::connect(entry.pointerPulse.get(), &QTimer::timeout, entry.pointerPulse.get(),
                         [this, key] { deliver(key, 512); });
        entry.pointerPulse->start();
        apply(entry, *record);
        if (const auto kind = hostProbe_()) {
            showIcon(key, entry, *kind);
        } else {
            entry.waitForHost = std::make_unique<QTimer>();
            entry.waitForHost->setInterval(hostPollMs_);
            QObject::connect(entry.waitForHost.get(), &QTimer::timeout, entry.waitForHost.get(),
                             [this, key] {
                                 auto found = icons_.find(key);
                                 if (found == icons_.end())
                                     return;
                                 const auto kind = hostProbe_();
                                 if (!kind)
                                     return;
                                 found->second.waitForHost->stop();
                                 showIcon(key, found->second, *kind);
                             });
            entry.waitForHost->start();
            if (!toldNoHost_) {
                toldNoHost_ = true;
                std::fprintf(stderr, "Vantoly: no notification area was found; the icon will "
                                     "appear as soon as one starts. On GNOME, the AppIndicator "
                                     "extension provides one.\n");
                // A login races the panel; a desktop that still has none after a while is told,
                // where the user sees it, how to reach the window.
                QTimer::singleShot(kNoHostNoticeMs, entry.waitForHost.get(),
                                   [this, key] { noticeNoHost(key); });
            }
        }
        return 1;
    }
    case NIM_MODIFY:
        if (it == icons_.end())
            return 0;
        apply(it->second, *record);
        return 1;
    case NIM_DELETE:
        if (it == icons_.end())
            return 0;
        if (it->second.icon)
            it->second.icon->hide();
        icons_.erase(it);
        return 1;
    case NIM_SETVERSION:
        if (it == icons_.end())
            return 0;
        it->second.version = record->timeoutOrVersion;
        return 1;
    default:
        return 0;
    }
}

void QtShellTray::showIcon(std::pair<uint32_t, uint32_t> key, Entry& entry, TrayKind kind) {
    entry.clicks = std::make_unique<TrayClicks>(kind, QApplication::doubleClickInterval());
    entry.icon = std::make_unique<QSystemTrayIcon>();
    TrayClicks* clicks = entry.clicks.get();
    QObject::connect(entry.icon.get(), &QSystemTrayIcon::activated, entry.icon.get(),
                     [this, key, clicks](QSystemTrayIcon::ActivationReason reason) {
                         for (int32_t message :
                              clicks->messages(Activation(reason), clock_.elapsed()))
                             deliver(key, message);
                     });
    entry.icon->setIcon(SharpIcon(entry.picture));
    entry.icon->setToolTip(entry.tip);
    entry.icon->show();
    // After the call that adds the icon has returned, never inside it.
    QTimer::singleShot(0, entry.icon.get(), [this, key] { deliver(key, 512); });
}

void QtShellTray::apply(Entry& entry, const DecodedNotifyRecord& record) {
    if (record.uFlags & NIF_MESSAGE)
        entry.callbackMessage = record.uCallbackMessage;
    if (record.uFlags & NIF_ICON) {
        // A copy: the picture behind the handle is released at the next load. The program sends
        // its icon with every tooltip change; the same picture again would only repaint.
        if (auto picture = pictures_.icon(int32_t(record.hIcon));
            picture && picture->cacheKey() != entry.picture.cacheKey()) {
            entry.picture = *picture;
            if (entry.icon)
                entry.icon->setIcon(SharpIcon(*picture));
        }
    }
    if (QString tip = toQ(record.tip); (record.uFlags & NIF_TIP) && tip != entry.tip) {
        entry.tip = std::move(tip);
        if (entry.icon)
            entry.icon->setToolTip(entry.tip);
    }
    if ((record.uFlags & NIF_INFO) && record.hasBalloonFields) {
        if (QtNotifications::available()) {
            notifications_.show(toQ(record.infoTitle), toQ(record.info), record.infoFlags,
                                balloonTimeout(record));
            return;
        }
        // Qt numbers the kinds as the record does.
        const auto kind = QSystemTrayIcon::MessageIcon(record.infoFlags & 3);
        if (entry.icon)
            entry.icon->showMessage(toQ(record.infoTitle), toQ(record.info), kind,
                                    balloonTimeout(record));
    }
}

void QtShellTray::noticeNoHost(const std::pair<uint32_t, uint32_t>& key) {
    const auto found = icons_.find(key);
    if (found == icons_.end() || !found->second.waitForHost ||
        !found->second.waitForHost->isActive())
        return;
    const QString text = QStringLiteral(
        "Vantoly is running, but this desktop shows no notification area for its icon. "
        "Start Vantoly again to open its window. On GNOME, the AppIndicator extension adds "
        "a notification area.");
    if (QtNotifications::available()) {
        notifications_.show(QStringLiteral("Vantoly"), text, 1, 0);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Vantoly"), text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

} // namespace vantoly::qt
