#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

#include "platform/qt/QtHost.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtWindowPlatform.h"

using namespace vantoly;

namespace {

QString lockPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/vantoly.lock";
}

TEST(QtHost, OneInstanceAtATime) {
    qt::QtHost first({});
    EXPECT_FALSE(first.anotherInstanceRunning());
    qt::QtHost second({});
    EXPECT_TRUE(second.anotherInstanceRunning());
    first.endProcess(0); // releases the lock
    qt::QtHost third({});
    EXPECT_FALSE(third.anotherInstanceRunning());
    third.endProcess(0);
}

TEST(QtHost, LockOfADeadProcessIsTakenOver) {
    QFile lock(lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    // pid, application name, host name: a process that cannot exist.
    lock.write("4194304\nvantoly\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    qt::QtHost host({});
    EXPECT_FALSE(host.anotherInstanceRunning());
    host.endProcess(0);
}

TEST(QtHost, EndingStopsEventsAndRecordsTheCode) {
    bool stopped = false;
    qt::QtHost host([&] { stopped = true; });
    EXPECT_FALSE(host.exitCode());
    host.endProcess(1);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(host.exitCode(), 1);
}

TEST(QtHost, WhereTheProgramLives) {
    qt::QtHost host({});
    EXPECT_EQ(qt::toQ(host.applicationDirectory()), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(host.directoryWritable(host.applicationDirectory()));
    EXPECT_FALSE(host.directoryWritable(u"/no/such/folder"));
    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::WriteOther |
                                             QFileDevice::ExeOther);
    EXPECT_FALSE(host.directoryWritable(qt::fromQ(shared.path()))) << "others can write there";
    EXPECT_FALSE(host.directoryWritable(u"/tmp")) << "shared, if writable";
    const QString cache = qt::toQ(host.cacheDirectory());
    EXPECT_TRUE(cache.endsWith("/Vantoly"));
    EXPECT_TRUE(QDir(cache).exists());
}

} // namespace

namespace {

TEST(WindowPlatform, AWaylandSessionWithXWaylandGoesThroughIt) {
    struct Case {
        const char *wayland, *display, *chosen, *session, *result;
    } const cases[] = {{"wayland-0", ":1", "", "wayland", "xcb"},
                       {"", ":1", "", "wayland", "xcb"},
                       {"wayland-0", "", "", "wayland", ""},          // no XWayland
                       {"wayland-0", ":1", "wayland", "", "wayland"}, // the user's choice
                       {"", ":1", "", "x11", ""}};
    const char* names[] = {"WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"};
    std::vector<QByteArray> saved;
    for (const char* name : names)
        saved.push_back(qgetenv(name));
    for (const Case& c : cases) {
        qputenv("WAYLAND_DISPLAY", c.wayland);
        qputenv("DISPLAY", c.display);
        qputenv("QT_QPA_PLATFORM", c.chosen);
        qputenv("XDG_SESSION_TYPE", c.session);
        qt::PreferXWayland();
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), c.result) << c.wayland << c.display << c.chosen;
    }
    for (size_t i = 0; i < std::size(names); ++i)
        qputenv(names[i], saved[i]);
    EXPECT_TRUE(qt::WindowsCanBePlaced()) << "offscreen places its windows";
}

} // namespace
