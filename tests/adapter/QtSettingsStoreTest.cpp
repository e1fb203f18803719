#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "app/frmMain.h"
#include "notes/NoteSlots.h"
#include "platform/Failure.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtJournal.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtSettingsStore.h"

using namespace vantoly;
using fake::u16;

namespace {

QString iniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Vantoly/Vantoly.ini";
}

// Sets a file's time a minute back.
void age(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
}

struct Store : testing::Test {
    QTemporaryDir state;
    QString journalPath = state.filePath("Vantoly/journal");
    qt::QtSettingsStore store{journalPath};
    void SetUp() override { QFile::remove(iniPath()); }
    void TearDown() override { QFile::remove(iniPath()); }
};

TEST_F(Store, MissingKeyIsNothingAndCreatesNoFile) {
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note"), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

// Each save writes every key; with a big note a rewrite costs, so a value the file holds is
// left, as long as the file is as the store last saw it.
TEST_F(Store, AValueTheFileHoldsIsNotWrittenAgainUnlessTheFileChanged) {
    // A second name for the file: a rewrite (a new file renamed over it) leaves it behind.
    auto links = [] {
        struct stat file {};
        return ::stat(QFile::encodeName(iniPath()).constData(), &file) == 0 ? file.st_nlink : 0;
    };
    store.write(u"Vantoly", u"Settings", u"Note", u"kept");
    store.write(u"Vantoly", u"Settings", u"xPos", u"120");
    ASSERT_EQ(::link(QFile::encodeName(iniPath()).constData(),
                     QFile::encodeName(iniPath() + ".witness").constData()),
              0);
    store.write(u"Vantoly", u"Settings", u"Note", u"kept");
    store.write(u"Vantoly", u"Settings", u"xPos", u"120");
    EXPECT_EQ(links(), 2u);
    store.writeAll(u"Vantoly", u"Settings",
                   {{u"Note", u"kept"}, {u"xPos", u"135"}, {u"yPos", u"90"}});
    EXPECT_EQ(links(), 1u) << "new values are written";
    QSettings written(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Settings/xPos"), "135");
    EXPECT_EQ(written.value("Settings/yPos"), "90");
    EXPECT_EQ(written.value("Settings/Note"), "kept");
    QFile::remove(iniPath() + ".witness");

    QFile::remove(iniPath());
    store.write(u"Vantoly", u"Settings", u"Note", u"kept");
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).value("Settings/Note"), "kept");

    // Changed by someone else: written again.
    {
        QSettings other(iniPath(), QSettings::IniFormat);
        other.setValue("Settings/Note", "theirs, and longer");
    }
    store.write(u"Vantoly", u"Settings", u"Note", u"kept");
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).value("Settings/Note"), "kept");
    // An empty value is not a missing one.
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Title2"), std::nullopt);
    store.write(u"Vantoly", u"Settings", u"Title2", u"");
    EXPECT_TRUE(QSettings(iniPath(), QSettings::IniFormat).contains("Settings/Title2"));
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
    EXPECT_EQ(
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Vantoly", "Vantoly").fileName(),
        iniPath());

    // What the user's file lacks, QSettings finds in the organisation's file: so does the store.
    const QString shared = QFileInfo(iniPath()).absolutePath() + "/../Vantoly.ini";
    QSettings(shared, QSettings::IniFormat).setValue("Settings/Indicator", "1");
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Indicator"), u"1");
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Black"), u"0");
    QFile::remove(shared);
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Indicator"), std::nullopt);
}

TEST_F(Store, WriteThatCannotReachTheDiskFails) {
    QDir().mkpath(iniPath()); // a folder where the file should be
    EXPECT_THROW(store.write(u"Vantoly", u"Settings", u"Note", u"x"), PlatformFailure);
    QDir(iniPath()).removeRecursively();
}

// A run that ended suddenly left its typing in the journal.
TEST_F(Store, AJournalNewerThanTheFileGoesIntoItBeforeAnythingIsRead) {
    store.write(u"Vantoly", u"Settings", u"Note", u"saved");
    age(iniPath());
    ASSERT_TRUE(qt::QtJournal(journalPath).save({{"Settings/Note", "saved and typed ✓\n"}}));
    qt::QtSettingsStore next(journalPath);
    EXPECT_EQ(next.read(u"Vantoly", u"Settings", u"Note"), u16("saved and typed ✓\n"));
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).value("Settings/Note").toString(),
              "saved and typed ✓\n");
    EXPECT_FALSE(QFileInfo::exists(journalPath)) << "applied, so gone";

    // One older than the file is stale: the file was saved after it.
    ASSERT_TRUE(qt::QtJournal(journalPath).save({{"Settings/Note", "old typing"}}));
    age(journalPath);
    qt::QtSettingsStore third(journalPath);
    EXPECT_EQ(third.read(u"Vantoly", u"Settings", u"Note"), u16("saved and typed ✓\n"));
    EXPECT_FALSE(QFileInfo::exists(journalPath));
}

TEST_F(Store, WhatTheFileRefusesIsKeptInTheJournalAndReadFromIt) {
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note"), std::nullopt);
    QDir().mkpath(iniPath()); // a folder where the file should be
    EXPECT_THROW(store.write(u"Vantoly", u"Settings", u"Note", u""), PlatformFailure);
    EXPECT_FALSE(QFileInfo::exists(journalPath)) << "unchanged: nothing to keep";
    EXPECT_THROW(store.write(u"Vantoly", u"Settings", u"Note2", u"not lost"), PlatformFailure);
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note2"), u"not lost");
    EXPECT_EQ(QFile(journalPath).permissions() & 0x0077, 0) << "the user's alone";
    qt::QtSettingsStore restarted(journalPath);
    EXPECT_EQ(restarted.read(u"Vantoly", u"Settings", u"Note2"), u"not lost") << "offered back";
    QDir(iniPath()).removeRecursively();
    restarted.write(u"Vantoly", u"Settings", u"Note2", u"not lost");
    EXPECT_FALSE(QFileInfo::exists(journalPath)) << "taken by the file at last";
}

TEST_F(Store, TheJournalReplacesALinkPlantedAtItsPlaceAndIgnoresDamage) {
    QDir().mkpath(QFileInfo(journalPath).path());
    QFile victim(state.filePath("victim"));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly) && victim.write("mine") == 4);
    victim.close();
    ASSERT_TRUE(QFile::link(victim.fileName(), journalPath));
    store.journal(u"Settings", u"Note", u"typing");
    EXPECT_FALSE(QFileInfo(journalPath).isSymLink());
    ASSERT_TRUE(victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(victim.readAll(), "mine");

    for (const QByteArray& damaged :
         {QByteArray("Vantoly journal 1\nSettings/Note\t999\nshort\n"), QByteArray("garbage"),
          QByteArray("Vantoly journal 1\nSettings/Note\tx\n")}) {
        QFile file(journalPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();
        EXPECT_TRUE(qt::QtJournal(journalPath).load().empty()) << damaged.constData();
    }
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

namespace {

// Whatever the umask, and whatever mode an earlier file had, the notes are the user's alone.
TEST_F(Store, FileAndFolderAreTheOwnersAlone) {
    const QFileDevice::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
    for (mode_t mask : {mode_t(022), mode_t(000)}) {
        const mode_t before = ::umask(mask);
        QFile::remove(iniPath());
        store.write(u"Vantoly", u"Settings", u"Note", u"private");
        // Owner, group and others; the "user" flags repeat the owner.
        const QFileDevice::Permissions all = QFileDevice::Permissions(0x7077);
        EXPECT_EQ(QFile::permissions(iniPath()) & all, owner) << "umask " << mask;
        EXPECT_EQ(QFile::permissions(QFileInfo(iniPath()).absolutePath()) & all,
                  owner | QFile::ExeOwner);
        QFile::setPermissions(iniPath(), owner | QFile::ReadGroup | QFile::ReadOther);
        store.write(u"Vantoly", u"Settings", u"Note", u"rewritten");
        EXPECT_EQ(QFile::permissions(iniPath()) & all, owner) << "after a rewrite";
        ::umask(before);
    }
}

} // namespace

namespace {

// What QSettings itself reads from a file, a list joined as the store joins it.
std::optional<std::u16string> qsettingsRead(const QString& path, const char* key,
                                            const char* group = "Settings") {
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(group);
    if (!ini.contains(key))
        return std::nullopt;
    const QVariant value = ini.value(key);
    return qt::fromQ(value.typeId() == QMetaType::QStringList ? value.toStringList().join(", ")
                                                              : value.toString());
}

// A thousand damaged files: random bytes, cut lines, invalid UTF-8, repeated keys and sections,
// escaped names, typed values, numbers that are not numbers, line breaks of one kind only.
// Nothing crashes, a good line before the damage still reads, and every key reads exactly as
// QSettings reads it.
TEST_F(Store, DamagedFilesReadWithoutHarmAndAsQSettingsReadsThem) {
    std::mt19937 rng(7);
    const char* keys[] = {"xPos",  "yPos",   "wPos",   "hPos",   "Note",  "Note2",
                          "Note3", "Title1", "Title2", "Title3", "Black", "Indicator"};
    const char* oddKeys[] = {" Note ", "N%6Fte", "Title1 ", "Black\\x"};
    const char* sections[] = {"[Settings]",          "[General]",    "[Other]",
                              " [Settings] ; again", "[Sett%69ngs]", "[Settings"};
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    const char* values[] = {"abc",
                            "1e40",
                            "-0",
                            "NaN",
                            "99999999999999999999",
                            "-1",
                            "3",
                            "65536",
                            "\"open",
                            "@",
                            "@@",
                            "a,b",
                            "\\x41\\",
                            "\xff\xfe",
                            "\"a, b\" , c ",
                            "x\\\ny",
                            "\\101\\x41\\q\\0",
                            "  \"  q  \"  ",
                            "@@x, @@y",
                            "@Rect(1 2 3 4)",
                            "a;comment",
                            "t\\t  ",
                            "\\x",
                            "\"\\u00e9\"",
                            "Caf\xc3\xa9, \xe2\x82",
                            "@9:05 PM",
                            "@ByteArray(x)",
                            "a \\, b",
                            "=\"=\"=",
                            "\\\r\n"};
    const char* breaks[] = {"\n", "\r", "\r\n"};
    for (int run = 0; run < 1000; ++run) {
        const char* lineBreak = breaks[run % 3];
        QByteArray bytes = QByteArray(run % 7 ? "" : "\xef\xbb\xbf") + "[Settings]" + lineBreak +
                           "Probe=kept" + lineBreak;
        const int good = bytes.size();
        for (int line = 0; line < 12; ++line) {
            if (rng() % 10 == 0)
                bytes += QByteArray(sections[rng() % std::size(sections)]) + lineBreak;
            bytes +=
                rng() % 12 ? keys[rng() % std::size(keys)] : oddKeys[rng() % std::size(oddKeys)];
            bytes += '=';
            if (rng() % 2)
                bytes += values[rng() % std::size(values)];
            else
                for (int n = int(rng() % 30); n > 0; --n)
                    bytes += char(rng() % 256);
            if (rng() % 4)
                bytes += lineBreak;
        }
        if (run % 3 == 0)
            bytes.truncate(good + int(rng() % (bytes.size() - good + 1)));
        // QSettings reads its own copy: it knows a file by its size and time, as the store does.
        const QString copy = state.filePath(QStringLiteral("run%1.ini").arg(run));
        for (const QString& path : {iniPath(), copy}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        for (const char* key : keys)
            EXPECT_EQ(store.read(u"Vantoly", u"Settings", fake::u16(key)), qsettingsRead(copy, key))
                << "run " << run << ", " << key << " in\n"
                << bytes.toStdString();
        EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Probe"), u"kept") << "run " << run;
        QCoreApplication::processEvents(); // the program idle again between files
    }
}

} // namespace

TEST(SpliceIniLine, ChangesOnlyTheKeysLine) {
    const struct {
        const char* file;
        const char* expected;
    } cases[] = {
        {"", "[Settings]\nNote=x\n"},
        {"[Settings]\nNote=old\nBlack=1\n", "[Settings]\nNote=x\nBlack=1\n"},
        {"[Settings]\r\nNote=old\r\n", "[Settings]\r\nNote=x\r\n"},
        {"[Settings]\rBlack=1\r", "[Settings]\rBlack=1\rNote=x\r"},
        {"[Settings]\nBlack=1\n\n[Other]\nNote=theirs\n",
         "[Settings]\nBlack=1\nNote=x\n\n[Other]\nNote=theirs\n"},
        {"[Settings]\nNote=a\nNote=b\n[Settings]\nNote=c\n", "[Settings]\nNote=x\n[Settings]\n"},
        {"garbage \xff\xfe without end", "garbage \xff\xfe without end\n[Settings]\nNote=x\n"},
        {" Note = spaced\n", " Note = spaced\n[Settings]\nNote=x\n"},
        {"[Settings]\nNotes=other key\n", "[Settings]\nNotes=other key\nNote=x\n"},
        // A line that runs on is one line to QSettings, and replaced whole.
        {"[Settings]\nNote=\"open\nBlack=1\n[Other]\n", "[Settings]\nNote=x"},
        {"[Settings]\nNote=a \\\n b\nBlack=1", "[Settings]\nNote=x\nBlack=1"},
        {"\xef\xbb\xbf[Settings]\r\nBlack=1", "\xef\xbb\xbf[Settings]\r\nBlack=1\r\nNote=x\r\n"},
        // Nothing can follow a line that runs to the end of the file.
        {"[Settings]\nBlack=\"open\n", "[Settings]\nNote=x\nBlack=\"open\n"},
        {"[Other]\nk=v\\", "[Settings]\nNote=x\n[Other]\nk=v\\"},
        {"k=\"open", "[Settings]\nNote=x\n[General]\nk=\"open"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qt::SpliceIniLine(c.file, "Settings", "Note", "Note=x"), QByteArray(c.expected))
            << c.file;
}

TEST_F(Store, ValuesItDoesNotWriteKeepTheirBytes) {
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    const QByteArray kept = "Title2=Caf\xe9 in Latin-1\nTitle3=@99:99\n\n[Other]\ncolour=teal\n";
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nNote=old\n" + kept);
    file.close();
    store.write(u"Vantoly", u"Settings", u"Note", u"@new, with \"quotes\"");
    store.write(u"Vantoly", u"Settings", u"Black", u"0");
    store.write(u"Vantoly", u"Settings", u"Black", u"1"); // the same size, at once
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const QByteArray& line : kept.split('\n'))
        EXPECT_TRUE(bytes.contains(line + '\n')) << line.toStdString();
    EXPECT_TRUE(bytes.endsWith("\n[Other]\ncolour=teal\n"));
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note"), u"@new, with \"quotes\"");
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Black"), u"1");
    EXPECT_EQ(QDir(QFileInfo(iniPath()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Vantoly.ini"});
}

namespace {

// Every settings file on record that once broke the program, replayed with the real store:
// start-up adds the icon and shows each stored text as QSettings reads it; Quit saves and leaves
// every value it does not write as it was; the next start shows the same texts.
TEST_F(Store, SettingsFilesThatOnceBrokeTheProgramNoLonger) {
    const QDir data(VANTOLY_SOURCE_DIR "/tests/data/settings");
    const QStringList files = data.entryList({"*.ini"}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    // Titles are written only when the user renames a note; other sections never.
    const std::pair<const char*, const char*> notWritten[] = {{"Settings", "Title1"},
                                                              {"Settings", "Title2"},
                                                              {"Settings", "Title3"},
                                                              {"Other", "colour"}};
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(iniPath());
        ASSERT_TRUE(QFile::copy(data.filePath(name), iniPath()));
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
        const QString before = state.filePath(name);
        ASSERT_TRUE(QFile::copy(iniPath(), before));
        std::u16string shown[4];
        for (int run = 0; run < 2; ++run) {
            fake::FakePlatform fp;
            fp.addDayIcons();
            qt::QtSettingsStore real(journalPath);
            const Platform& f = fp.platform();
            Platform platform{f.ui,       f.shell, f.version, real,    f.clock,
                              f.codePage, f.host,  f.sound,   f.zorder};
            frmMain form(platform);
            form.Form_Load();
            ASSERT_FALSE(fp.endedWith) << "run " << run;
            ASSERT_FALSE(fp.shellCalls.empty());
            EXPECT_EQ(fp.shellCalls.front().message, NIM_ADD);
            const std::u16string texts[] = {fp.text(Control::txtNote), fp.text(Control::Option1_0),
                                            fp.text(Control::Option1_1),
                                            fp.text(Control::Option1_2)};
            if (run == 0) {
                const auto note = qsettingsRead(data.filePath(name), "Note");
                EXPECT_EQ(texts[0], note ? *note : std::u16string(NoteSlots[0].defaultText));
                if (const auto title = qsettingsRead(data.filePath(name), "Title1")) {
                    EXPECT_EQ(texts[1], *title);
                }
                std::copy(std::begin(texts), std::end(texts), shown);
            } else {
                for (size_t i = 0; i < std::size(texts); ++i)
                    EXPECT_EQ(texts[i], shown[i]) << "read back as shown";
            }
            form.Command1_Click();
            ASSERT_EQ(fp.endedWith, std::optional(0)) << "run " << run;
        }
        for (const auto& [group, key] : notWritten)
            EXPECT_EQ(qsettingsRead(iniPath(), key, group), qsettingsRead(before, key, group))
                << group << "/" << key;
    }
}

} // namespace
