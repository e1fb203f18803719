#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtSettingsStore.h"

using namespace vantoly;
using fake::u16;

namespace {

QString iniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Vantoly/Vantoly.ini";
}

struct Store : testing::Test {
    qt::QtSettingsStore store;
    void SetUp() override { QFile::remove(iniPath()); }
    void TearDown() override { QFile::remove(iniPath()); }
};

TEST_F(Store, MissingKeyIsNothingAndCreatesNoFile) {
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note"), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

TEST_F(Store, EveryTextComesBackUnchanged) {
    const std::u16string texts[] = {u"line 1\r\nline 2\r\n",
                                    u"@9:05 PM",
                                    u"a, b; c = d",
                                    u"  lead and trail  ",
                                    u16("Café ש € 😀"),
                                    u"",
                                    u"@ByteArray(x)",
                                    u"#not a comment",
                                    u"[Section]",
                                    u"\"quoted\"",
                                    u"C:\\path\\x",
                                    u"tab\there",
                                    u"=",
                                    u"1440"};
    int n = 0;
    for (const auto& text : texts) {
        const std::u16string key = u"Note" + u16(std::to_string(++n));
        store.write(u"Vantoly", u"Settings", key, text);
        EXPECT_EQ(store.read(u"Vantoly", u"Settings", key), text) << fake::u8(text);
    }
    // Read again through a new store object, as the next run would.
    qt::QtSettingsStore next;
    EXPECT_EQ(next.read(u"Vantoly", u"Settings", u"Note1"), texts[0]);
}

TEST_F(Store, LivesInTheUsersIniFileUnderItsSection) {
    store.write(u"Vantoly", u"Settings", u"Black", u"0");
    ASSERT_TRUE(QFileInfo::exists(iniPath()));
    QSettings ini(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Settings/Black").toString(), "0");
}

TEST_F(Store, WriteThatCannotReachTheDiskFails) {
    QDir().mkpath(iniPath()); // a folder where the file should be
    EXPECT_THROW(store.write(u"Vantoly", u"Settings", u"Note", u"x"), PlatformFailure);
    QDir(iniPath()).removeRecursively();
}

TEST_F(Store, HandEditedListReadsAsOneText) {
    QDir().mkpath(QFileInfo(iniPath()).path());
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nTitle1=Home, work\n");
    file.close();
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Title1"), u"Home, work");
}

} // namespace
