#pragma once
// Qt adapter: the notification area.
//
// Implements: NIM_ADD, NIM_MODIFY, NIM_DELETE and NIM_SETVERSION on one QSystemTrayIcon per
// (hWnd, uID), reading only the first cbSize bytes of the record (88: the six numbers and a
// 64-byte tooltip, no balloon; 488 and 504: everything), the icon taken as a copy of Picture1's
// picture at each call, the tooltip and the balloon (NIF_INFO) with its icon kind. Activations
// of the icon are handed on as the message numbers the program expects.
// Leaves out: hover notifications (Qt reports none), NIF_STATE.
#include <QElapsedTimer>
#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/CodePage.h"
#include "platform/ShellTray.h"
#include "platform/qt/QtNotifications.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayClicks.h"

class QTimer;

namespace vantoly::qt {

class QtPictures;

// The tray host there to show an icon, if any: a StatusNotifierItem host on the session bus (Qt
// picks that kind when one is registered with the watcher), or an XEmbed tray manager on the X
// display. Asked without Qt, which decides how to show icons once and for good the first time
// it is asked.
std::optional<TrayKind> FindTrayHost();

class QtShellTray : public ShellTray {
  public:
    QtShellTray(const QtPictures& pictures, const CodePage& codePage);
    ~QtShellTray() override;

    int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) override;

    // Receives the message number of each mouse action on an icon (515 double-click, ...).
    void onMessage(std::function<void(uint32_t hWnd, int32_t message)> handler) {
        onMessage_ = std::move(handler);
    }
    QSystemTrayIcon* icon(uint32_t hWnd, uint32_t uID) const;
    // How the presence of a tray host is found, and how often it is asked while there is none.
    void setHostProbe(std::function<std::optional<TrayKind>()> probe, int pollMs) {
        hostProbe_ = std::move(probe);
        hostPollMs_ = pollMs;
    }

  private:
    struct Entry {
        Entry();
        ~Entry();
        // Made once a tray host is there; until then the tooltip and picture wait in tip and
        // picture, so a program started before the panel shows its icon when the panel comes.
        std::unique_ptr<QSystemTrayIcon> icon;
        QString tip;
        QIcon picture;
        std::unique_ptr<QTimer> waitForHost;
        std::unique_ptr<QTimer> pointerPulse;
        std::unique_ptr<TrayClicks> clicks;
        uint32_t callbackMessage = 0;
        uint32_t version = 0;
    };
    void apply(Entry& entry, const DecodedNotifyRecord& record);
    void showIcon(std::pair<uint32_t, uint32_t> key, Entry& entry, TrayKind kind);
    void deliver(std::pair<uint32_t, uint32_t> key, int32_t message);
    void showBalloon(const DecodedNotifyRecord& record);

    const QtPictures& pictures_;
    const CodePage& codePage_;
    std::map<std::pair<uint32_t, uint32_t>, Entry> icons_;
    std::function<void(uint32_t, int32_t)> onMessage_;
    QtNotifications notifications_;
    QElapsedTimer clock_;
    bool toldNoHost_ = false;
    // How long a desktop may go without a notification area before the user is told.
    static constexpr int kNoHostNoticeMs = 10000;
    void noticeNoHost(const std::pair<uint32_t, uint32_t>& key);
    std::function<std::optional<TrayKind>()> hostProbe_ = FindTrayHost;
    int hostPollMs_ = 2000;
};

} // namespace vantoly::qt
