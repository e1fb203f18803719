#include <QApplication>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

#include "platform/qt/QtCodePage.h"
#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtShellTray.h"
#include "tray/NotifyIconData.h"

using namespace vantoly;

namespace {

NOTIFYICONDATA record(uint32_t size) {
    NOTIFYICONDATA r;
    r.cbSize = size;
    r.hWnd = 0x1005;
    r.uID = 999;
    r.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    r.uCallbackMessage = 512;
    r.szTip = std::u16string(100, u'x') + u"END" + std::u16string(1, u'\0');
    r.szInfo = std::u16string(u"Buy milk\0", 9);
    r.szInfoTitle = std::u16string(u"Reminder\0", 9);
    r.uVersion = 3;
    r.dwInfoFlags = 1;
    return r;
}

TEST(QtShellTray, AddModifyAndDeleteOneIcon) {
    qt::QtForm form;
    qt::QtCodePage cp;
    qt::QtShellTray shell(form.pictures(), cp);
    shell.setHostProbe([] { return std::optional(TrayKind::XEmbed); }, 10);
    form.loadPicture(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "/assets/Black/7.ico")));
    NOTIFYICONDATA r = record(504);
    r.hIcon = uint32_t(form.pictureHandle());
    r.szTip = std::u16string(u"\0", 1);

    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_MODIFY, r), 0); // nothing to modify yet
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_ADD, r), 1);
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_ADD, r), 0); // added once
    QSystemTrayIcon* icon = shell.icon(0x1005, 999);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->toolTip().isEmpty());
    EXPECT_FALSE(icon->icon().isNull());
    EXPECT_TRUE(icon->isVisible());

    r.szTip = std::u16string(u"Monday, December 7, 2026\0\0", 26);
    form.loadPicture(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "/assets/White/8.ico")));
    r.hIcon = uint32_t(form.pictureHandle());
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_MODIFY, r), 1);
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_SETVERSION, r), 1);
    EXPECT_EQ(icon->toolTip(), "Monday, December 7, 2026");

    // The tray holds its own copy: loading the next picture does not take the icon away.
    form.loadPicture(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "/assets/White/9.ico")));
    EXPECT_FALSE(icon->icon().isNull());

    NOTIFYICONDATA del;
    del.cbSize = 504;
    del.hWnd = 0x1005;
    del.uID = 999;
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_DELETE, del), 1);
    EXPECT_EQ(shell.icon(0x1005, 999), nullptr);
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_DELETE, del), 0);
}

TEST(QtShellTray, ActivationsArriveAsMessageNumbers) {
    qt::QtForm form;
    qt::QtCodePage cp;
    qt::QtShellTray shell(form.pictures(), cp);
    shell.setHostProbe([] { return std::optional(TrayKind::XEmbed); }, 10);
    NOTIFYICONDATA r = record(504);
    SendNotifyRecord(shell, cp, NIM_ADD, r);
    std::vector<int32_t> got;
    shell.onMessage([&](uint32_t hWnd, int32_t message) {
        EXPECT_EQ(hWnd, 0x1005u);
        got.push_back(message);
    });
    QSystemTrayIcon* icon = shell.icon(0x1005, 999);
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(got, (std::vector<int32_t>{513, 514, 515, 516, 517}));
}

TEST(QtShellTray, APointerMoveFollowsTheAdditionOnceItHasReturned) {
    qt::QtForm form;
    qt::QtCodePage cp;
    qt::QtShellTray shell(form.pictures(), cp);
    shell.setHostProbe([] { return std::optional(TrayKind::XEmbed); }, 10);
    std::vector<int32_t> got;
    shell.onMessage([&](uint32_t, int32_t message) { got.push_back(message); });
    NOTIFYICONDATA r = record(504);
    SendNotifyRecord(shell, cp, NIM_ADD, r);
    EXPECT_TRUE(got.empty()); // never inside the call that adds the icon
    QApplication::processEvents();
    EXPECT_EQ(got, std::vector<int32_t>{512});

    // An icon removed before the move was due sends nothing.
    got.clear();
    NOTIFYICONDATA other = record(504);
    other.uID = 1000;
    SendNotifyRecord(shell, cp, NIM_ADD, other);
    SendNotifyRecord(shell, cp, NIM_DELETE, other);
    QApplication::processEvents();
    EXPECT_TRUE(got.empty());

    // Nor does an icon without a callback message.
    other.uFlags = NIF_ICON | NIF_TIP;
    SendNotifyRecord(shell, cp, NIM_ADD, other);
    QApplication::processEvents();
    emit shell.icon(0x1005, 1000)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(got.empty());
}

TEST(QtShellTray, AnIconAddedBeforeAnyTrayHostAppearsWithTheHost) {
    qt::QtForm form;
    qt::QtCodePage cp;
    qt::QtShellTray shell(form.pictures(), cp);
    bool host = false;
    shell.setHostProbe([&] { return host ? std::optional(TrayKind::XEmbed) : std::nullopt; }, 10);
    form.loadPicture(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "/assets/Black/7.ico")));
    NOTIFYICONDATA r = record(504);
    r.hIcon = uint32_t(form.pictureHandle());
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_ADD, r), 1); // added, waiting for a host
    EXPECT_EQ(shell.icon(0x1005, 999), nullptr);
    r.szTip = std::u16string(u"Monday, December 7, 2026\0\0", 26);
    EXPECT_EQ(SendNotifyRecord(shell, cp, NIM_MODIFY, r), 1);

    host = true;
    QElapsedTimer waited;
    waited.start();
    while (!shell.icon(0x1005, 999) && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QSystemTrayIcon* icon = shell.icon(0x1005, 999);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Monday, December 7, 2026");
    EXPECT_FALSE(icon->icon().isNull());
    EXPECT_TRUE(icon->isVisible());
}

// Offscreen, vnc and the like have no X connection to ask; that must not crash the start.
TEST(QtShellTray, APlatformWithoutAnXConnectionFindsNoXEmbedTray) {
    EXPECT_NE(qt::FindTrayHost(), std::optional(TrayKind::XEmbed));
}

} // namespace
