#pragma once
// Qt adapter: balloons as freedesktop desktop notifications (org.freedesktop.Notifications on
// the session bus), the way every Linux desktop shows them. Each new balloon of an icon replaces
// the one before, as the shell does.
#include <QString>
#include <cstdint>
#include <memory>

class QObject;

namespace vantoly::qt {

// The body as the server takes it: line breaks as LF, and the markup characters escaped when
// the server reads markup, so a note's "<" or "&" shows as typed.
QString NotificationBody(const QString& text, bool serverReadsMarkup);

class QtNotifications {
  public:
    QtNotifications();
    ~QtNotifications();
    // A notification server runs on the session bus, or can be started by it.
    static bool available();
    // Sent without waiting for the server. infoFlags: 1 information, 2 warning, 3 error.
    void show(const QString& title, const QString& text, uint32_t infoFlags, int timeoutMs);

  private:
    bool serverReadsMarkup();
    std::unique_ptr<QObject> replies_; // owns the calls in flight
    uint32_t lastId_ = 0;
    int markup_ = -1; // unknown until asked
};

} // namespace vantoly::qt
