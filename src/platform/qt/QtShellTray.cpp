#include "platform/qt/QtShellTray.h"

#include <QSystemTrayIcon>
#include <algorithm>

#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"
#include "tray/NotifyIconData.h"

namespace vantoly::qt {
namespace {

// A text field up to its first NUL.
QString text(const NotifyRecordBytes& b, size_t at, size_t length, const CodePage& cp) {
    const auto* first = reinterpret_cast<const char*>(b.data() + at);
    const size_t n = size_t(std::find(first, first + length, '\0') - first);
    return toQ(cp.toUnicode(std::string_view(first, n)));
}

} // namespace

std::optional<DecodedNotifyRecord> DecodeNotifyRecord(const NotifyRecordBytes& b,
                                                      const CodePage& cp) {
    DecodedNotifyRecord r;
    r.cbSize = Field32(b, 0);
    if (r.cbSize != 88 && r.cbSize != 488 && r.cbSize != 504)
        return std::nullopt;
    r.hWnd = Field32(b, 4);
    r.uID = Field32(b, 8);
    r.uFlags = Field32(b, 12);
    r.uCallbackMessage = Field32(b, 16);
    r.hIcon = Field32(b, 20);
    r.tip = text(b, 24, r.cbSize == 88 ? 64 : 128, cp);
    if (r.cbSize >= 488) {
        r.hasBalloonFields = true;
        r.info = text(b, 160, 256, cp);
        r.timeoutOrVersion = Field32(b, 416);
        r.infoTitle = text(b, 420, 64, cp);
        r.infoFlags = Field32(b, 484);
    }
    return r;
}

QtShellTray::QtShellTray(const QtForm& pictures, const CodePage& codePage)
    : pictures_(pictures), codePage_(codePage) {}

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
        entry.icon = std::make_unique<QSystemTrayIcon>();
        const uint32_t hWnd = record->hWnd;
        QObject::connect(entry.icon.get(), &QSystemTrayIcon::activated,
                         [this, hWnd](QSystemTrayIcon::ActivationReason reason) {
                             if (!onMessage_)
                                 return;
                             switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 onMessage_(hWnd, 513); // WM_LBUTTONDOWN
                                 onMessage_(hWnd, 514); // WM_LBUTTONUP
                                 break;
                             case QSystemTrayIcon::DoubleClick:
                                 onMessage_(hWnd, 515); // WM_LBUTTONDBLCLK
                                 break;
                             case QSystemTrayIcon::Context:
                                 onMessage_(hWnd, 516); // WM_RBUTTONDOWN
                                 onMessage_(hWnd, 517); // WM_RBUTTONUP
                                 break;
                             case QSystemTrayIcon::MiddleClick:
                                 onMessage_(hWnd, 519); // WM_MBUTTONDOWN
                                 onMessage_(hWnd, 520); // WM_MBUTTONUP
                                 break;
                             default:
                                 break;
                             }
                         });
        apply(entry, *record);
        entry.icon->show();
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

void QtShellTray::apply(Entry& entry, const DecodedNotifyRecord& record) {
    if (record.uFlags & NIF_MESSAGE)
        entry.callbackMessage = record.uCallbackMessage;
    if (record.uFlags & NIF_ICON) {
        // A copy: the picture behind the handle is released at the next load.
        if (auto picture = pictures_.icon(int32_t(record.hIcon)))
            entry.icon->setIcon(*picture);
    }
    if (record.uFlags & NIF_TIP)
        entry.icon->setToolTip(record.tip);
    if ((record.uFlags & NIF_INFO) && record.hasBalloonFields) {
        QSystemTrayIcon::MessageIcon kind = QSystemTrayIcon::NoIcon;
        switch (record.infoFlags & 3) {
        case 1:
            kind = QSystemTrayIcon::Information;
            break;
        case 2:
            kind = QSystemTrayIcon::Warning;
            break;
        case 3:
            kind = QSystemTrayIcon::Critical;
            break;
        }
        // The shell keeps a balloon between 10 and 30 seconds, whatever the record asks.
        const int timeout = int(std::clamp<uint32_t>(record.timeoutOrVersion, 10000, 30000));
        entry.icon->showMessage(record.infoTitle, record.info, kind, timeout);
    }
}

} // namespace vantoly::qt
