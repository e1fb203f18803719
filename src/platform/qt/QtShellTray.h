#pragma once
// Qt adapter: the notification area.
//
// Implements: NIM_ADD, NIM_MODIFY, NIM_DELETE and NIM_SETVERSION on one QSystemTrayIcon per
// (hWnd, uID), reading only the first cbSize bytes of the record (88: the six numbers and a
// 64-byte tooltip, no balloon; 488 and 504: everything), the icon taken as a copy of Picture1's
// picture at each call, the tooltip and the balloon (NIF_INFO) with its icon kind. Activations
// of the icon are handed on as the message numbers the program expects.
// Leaves out: hover notifications (Qt reports none), NIF_STATE.
#include <QIcon>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/CodePage.h"
#include "platform/ShellTray.h"

class QSystemTrayIcon;

namespace vantoly::qt {

class QtForm;

// The record as the platform may read it.
struct DecodedNotifyRecord {
    uint32_t cbSize = 0, hWnd = 0, uID = 0, uFlags = 0, uCallbackMessage = 0, hIcon = 0;
    QString tip;
    bool hasBalloonFields = false;
    QString info, infoTitle;
    uint32_t timeoutOrVersion = 0, infoFlags = 0;
};

// Nothing when cbSize is not one of the three sizes the platform knows.
std::optional<DecodedNotifyRecord> DecodeNotifyRecord(const NotifyRecordBytes& bytes,
                                                      const CodePage& codePage);

class QtShellTray : public ShellTray {
  public:
    QtShellTray(const QtForm& pictures, const CodePage& codePage);
    ~QtShellTray() override;

    int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) override;

    // Receives the message number of each mouse action on an icon (515 double-click, ...).
    void onMessage(std::function<void(uint32_t hWnd, int32_t message)> handler) {
        onMessage_ = std::move(handler);
    }
    QSystemTrayIcon* icon(uint32_t hWnd, uint32_t uID) const;

  private:
    struct Entry {
        std::unique_ptr<QSystemTrayIcon> icon;
        uint32_t callbackMessage = 0;
        uint32_t version = 0;
    };
    void apply(Entry& entry, const DecodedNotifyRecord& record);

    const QtForm& pictures_;
    const CodePage& codePage_;
    std::map<std::pair<uint32_t, uint32_t>, Entry> icons_;
    std::function<void(uint32_t, int32_t)> onMessage_;
};

} // namespace vantoly::qt
