#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "app/JournalingStore.h"
#include "app/frmMain.h"
#include "base/IniText.h"
#include "fake/FakePlatform.h"
#include "notes/NoteSlots.h"
#include "platform/Failure.h"
#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtStateFile.h"

using namespace vantoly;
using fake::u16;

namespace {

QString iniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Vantoly/Vantoly.ini";
}

struct Store : testing::Test {
    QTemporaryDir state;
    QString journalPath = state.filePath("Vantoly/journal");
    qt::QtSettingsStore store;
    void SetUp() override { QFile::remove(iniPath()); }
    void TearDown() override { QFile::remove(iniPath()); }
};

TEST_F(Store, MissingKeyIsNothingAndCreatesNoFile) {
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Note"), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

const std::u16string kTexts[] = {u"line 1\r\nline 2\r\n",
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
                                 u"1440",
                                 u"\uFEFFpasted from a file",
                                 u"\u2060joined",
                                 std::u16string(u"nul") + u'\0' + u"0 inside",
                                 u"\x01"
                                 u"abc\x1b[0m",
                                 u"ends in \\",
                                 u"\x7F and \r alone"};

TEST_F(Store, EveryTextComesBackUnchanged) {
    const auto& texts = kTexts;
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

    // The organisation's file beside it is not read: only the user's own file counts.
    const QString shared = QFileInfo(iniPath()).absolutePath() + "/../Vantoly.ini";
    QSettings(shared, QSettings::IniFormat).setValue("Settings/Indicator", "1");
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Indicator"), std::nullopt);
    EXPECT_EQ(store.read(u"Vantoly", u"Settings", u"Black"), u"0");
    QFile::remove(shared);
}

// Proven by reading the file back, not by what QSettings says: what it does not hold stays in
// the journal.
TEST_F(Store, WriteThatCannotReachTheDiskFails) {
    QDir().mkpath(iniPath()); // a folder where the file should be
    qt::QtStateFile journal(journalPath);
    JournalingStore saved(store, journal);
    EXPECT_THROW(saved.write(u"Vantoly", u"Settings", u"Note", u"typed"), PlatformFailure);
    EXPECT_NE(journal.read().value_or("").find("\ntyped\n"), std::string::npos);
    QDir(iniPath()).removeRecursively();
}

// Text that starts with what could pass for a byte-order mark is still text: a note, a title and
// the journal's typing come back exactly after a save and a restart.
TEST_F(Store, EveryCharacterSurvivesASaveAndARestart) {
    const std::u16string marks[] = {u"\uFEFFpasted from a file", u"\uFFFEswapped?", u"\uFEFF",
                                    u"\u2060joined"};
    {
        qt::QtStateFile journal(journalPath);
        JournalingStore saved(store, journal);
        saved.write(u"Vantoly", u"Settings", u"Note", marks[0]);
        saved.write(u"Vantoly", u"Settings", u"Title1", marks[1]);
        saved.write(u"Vantoly", u"Settings", u"Title2", marks[3]);
        EXPECT_EQ(saved.read(u"Vantoly", u"Settings", u"Note2"), std::nullopt);
        saved.journal(u"Settings", u"Note2", marks[2] + marks[1]);
    }
    qt::QtSettingsStore file;
    qt::QtStateFile journal(journalPath);
    JournalingStore restarted(file, journal);
    EXPECT_EQ(restarted.read(u"Vantoly", u"Settings", u"Note"), marks[0]);
    EXPECT_EQ(restarted.read(u"Vantoly", u"Settings", u"Title1"), marks[1]);
    EXPECT_EQ(restarted.read(u"Vantoly", u"Settings", u"Title2"), marks[3]);
    EXPECT_EQ(restarted.read(u"Vantoly", u"Settings", u"Note2"), marks[2] + marks[1]);
    EXPECT_FALSE(QFileInfo::exists(journalPath)) << "applied, so gone";
}

// The same big note in QSettings' memory and in the note window is one string: read at start,
// and saved after the user changed it.
TEST_F(Store, ABigNoteIsHeldOnceByTheStoreAndTheNoteWindow) {
    qt::QtForm form;
    form.shareNotesWith([this](std::u16string_view text) { return store.heldValue(text); });
    store.shareNotesWith([&form](std::u16string_view text) { return form.heldNote(text); });
    const std::u16string stored = u"stored\r\n" + std::u16string(200'000, u's');
    {
        qt::QtSettingsStore other;
        other.write(u"Vantoly", u"Settings", u"Note", stored);
    }
    form.setText(Control::txtNote, *store.read(u"Vantoly", u"Settings", u"Note"));
    EXPECT_EQ(form.textView(Control::txtNote), stored);
    EXPECT_EQ(form.textView(Control::txtNote).data(),
              reinterpret_cast<const char16_t*>(store.heldValue(stored)->utf16()))
        << "read at start";

    const std::u16string changed = u"changed\r\n" + std::u16string(200'000, u'c');
    form.setText(Control::txtNote, changed);
    store.write(u"Vantoly", u"Settings", u"Note", std::u16string(form.textView(Control::txtNote)));
    EXPECT_EQ(form.textView(Control::txtNote).data(),
              reinterpret_cast<const char16_t*>(store.heldValue(changed)->utf16()))
        << "saved";
    EXPECT_EQ(store.heldValue(stored), std::nullopt) << "the old note is let go";
    EXPECT_EQ(qt::QtSettingsStore().read(u"Vantoly", u"Settings", u"Note"), changed);
}

TEST_F(Store, TheJournalIsTheUsersAloneAndReplacesALinkPlantedAtItsPlace) {
    QDir().mkpath(QFileInfo(journalPath).path());
    QFile victim(state.filePath("victim"));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly) && victim.write("mine") == 4);
    victim.close();
    ASSERT_TRUE(QFile::link(victim.fileName(), journalPath));
    qt::QtStateFile journal(journalPath);
    ASSERT_EQ(journal.replace({"typing", " and more"}), std::nullopt);
    EXPECT_FALSE(QFileInfo(journalPath).isSymLink());
    EXPECT_EQ(journal.read(), "typing and more");
    EXPECT_EQ(QFile(journalPath).permissions() & 0x0077, 0);
    ASSERT_TRUE(victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(victim.readAll(), "mine");
    journal.remove();
    EXPECT_EQ(journal.read(), std::nullopt);
}

// Two sessions sharing one home (a network home, two machines) keep a journal each; the one
// journal of earlier versions becomes this session's.
TEST_F(Store, EachSessionKeepsItsOwnJournalAndTakesOverTheOldOne) {
    const QByteArray home = qgetenv("XDG_STATE_HOME"), runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    QDir().mkpath(QFileInfo(journalPath).path());
    qt::QtStateFile(journalPath).replace({"typed before the upgrade"});
    qputenv("XDG_RUNTIME_DIR", "/run/user/1000");
    const QString own = qt::StateFilePath(QStringLiteral("journal"));
    EXPECT_EQ(qt::QtStateFile(own).read(), "typed before the upgrade");
    EXPECT_FALSE(QFileInfo::exists(journalPath));
    qputenv("XDG_RUNTIME_DIR", "/run/user/1000/another");
    EXPECT_NE(qt::StateFilePath(QStringLiteral("journal")), own);
    for (const auto& [name, value] :
         {std::pair{"XDG_STATE_HOME", home}, {"XDG_RUNTIME_DIR", runtime}})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
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

// The Windows program keeps the same file through IniText: what either program writes, the
// other reads exactly, and for the same values IniText writes the very bytes QSettings does.
TEST_F(Store, OneFileServesTheLinuxAndTheWindowsProgram) {
    std::map<std::u16string, std::u16string> values; // in order, as QSettings writes new keys
    int n = 0;
    for (const auto& text : kTexts)
        values[u"Note" + u16(std::to_string(++n))] = text;
    store.writeAll(u"Vantoly", u"Settings", {values.begin(), values.end()});
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string written = file.readAll().toStdString();
    file.close();
    const IniText linuxFile(written);
    IniText windowsFile;
    for (const auto& [key, text] : values) {
        EXPECT_EQ(GivenForm(linuxFile.value(u"Settings", key).value_or(u"(none)")), text)
            << fake::u8(text);
        windowsFile.set(u"Settings", key, KeptForm(text));
    }
    EXPECT_EQ(windowsFile.bytes("\n"), written);

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::fromStdString(windowsFile.bytes("\r\n")));
    file.close();
    qt::QtSettingsStore next;
    for (const auto& [key, text] : values)
        EXPECT_EQ(next.read(u"Vantoly", u"Settings", key), text) << fake::u8(text);

    // Every file on record that once broke the program reads the same through both.
    const QDir data(VANTOLY_SOURCE_DIR "/tests/data/settings");
    for (const QString& name : data.entryList({"*.ini"}, QDir::Files)) {
        QFile recorded(data.filePath(name));
        ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
        const IniText parsed(recorded.readAll().toStdString());
        QSettings ini(data.filePath(name), QSettings::IniFormat);
        for (const QString& path : ini.allKeys()) {
            const QString group = path.contains('/') ? path.section('/', 0, 0) : QString();
            const QString key = path.section('/', -1);
            const QVariant held = ini.value(path);
            const auto expected =
                held.isValid() ? std::optional(qt::fromQ(held.typeId() == QMetaType::QStringList
                                                             ? held.toStringList().join(", ")
                                                             : held.toString()))
                               : std::nullopt;
            EXPECT_EQ(parsed.value(qt::fromQ(group), qt::fromQ(key)), expected)
                << name.toStdString() << ": " << path.toStdString();
        }
    }
}

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
            qt::QtSettingsStore real;
            const Platform& f = fp.platform();
            Platform platform{f.ui,   f.shell, f.version, real,      f.clock, f.codePage,
                              f.host, f.sound, f.zorder,  f.journal, f.rings};
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
