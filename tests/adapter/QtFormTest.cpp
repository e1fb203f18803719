#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"
#include "window/Layout.h"

using namespace vantoly;
using qt::fromQ;
using qt::toQ;

namespace {

// The data files as the build lays them beside the program.
QString assets() {
    return QStringLiteral(VANTOLY_SOURCE_DIR "/assets");
}

struct Form : testing::Test {
    qt::QtForm form;
};

struct Placed {
    Control control;
    const char* caption;
    int left, top, width, height;
};

TEST_F(Form, ControlsStandAtTheirTwipPositions) {
    ASSERT_FLOAT_EQ(form.twipsPerPixelX(), 15.0f); // 96 dpi
    const Placed table[] = {
        {Control::Option1_2, "Note 3", 2520, 120, 1215, 255},
        {Control::Option1_1, "Note 2", 1320, 120, 1215, 255},
        {Control::Option1_0, "Note 1", 120, 120, 1215, 255},
        {Control::chkBlack, "&B", 1440, 4560, 345, 375},
        {Control::chkNote, "&N", 1080, 4560, 315, 375},
        {Control::Picture1, "", 5280, 0, 270, 270},
        {Control::Command3, "&Clear", 3720, 4560, 855, 375},
        {Control::Command2, "&OK", 4680, 4560, 855, 375},
        {Control::Command1, "&Quit", 120, 4560, 855, 375},
        {Control::txtNote, "", 120, 360, 5415, 4095},
    };
    for (const auto& c : table) {
        const QRect g = form.control(c.control)->geometry();
        EXPECT_EQ(g, QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15)) << c.caption;
        if (*c.caption) {
            EXPECT_EQ(form.text(c.control), fromQ(QString::fromLatin1(c.caption)));
        }
    }
    EXPECT_FALSE(form.control(Control::Picture1)->isVisibleTo(form.widget()));
    EXPECT_TRUE(qobject_cast<QRadioButton*>(form.control(Control::Option1_0))->isChecked());
    EXPECT_EQ(form.widget()->size(), QSize(377, 334)); // 5655 x 5010
}

TEST_F(Form, IsAToolWindowTitledVantoly) {
    EXPECT_EQ(form.widget()->windowTitle(), "Vantoly");
    EXPECT_EQ(form.widget()->windowType(), Qt::Tool);
    EXPECT_FALSE(form.widget()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
    form.showForm();
    EXPECT_FALSE(form.widget()->windowIcon().isNull()) << "set at the first show";
}

TEST_F(Form, FontsTooltipsAndToggleLook) {
    const QFont ok = form.control(Control::Command2)->font();
    EXPECT_EQ(ok.family(), "MS Sans Serif");
    EXPECT_EQ(ok.weight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(ok.pointSizeF(), 8.25);
    EXPECT_NE(form.control(Control::Command1)->font().weight(), QFont::Bold);
    const QFont note = form.control(Control::txtNote)->font();
    EXPECT_EQ(note.family(), "Arial");
    EXPECT_DOUBLE_EQ(note.pointSizeF(), 9.75);
    EXPECT_EQ(form.control(Control::chkBlack)->toolTip(),
              "Choose between Black and White system tray icons");
    EXPECT_EQ(form.control(Control::chkNote)->toolTip(), "Check to indicate note in tray");
    for (Control box : {Control::chkBlack, Control::chkNote}) {
        auto* button = qobject_cast<QPushButton*>(form.control(box));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isCheckable());
    }
}

TEST_F(Form, TabGoesFromTheNoteThroughTheButtonsToTheSelectedNote) {
    form.widget()->show();
    const Control order[] = {Control::txtNote,  Control::Command2, Control::Command3,
                             Control::chkNote,  Control::chkBlack, Control::Command1,
                             Control::Option1_0};
    auto step = [](QWidget* at, bool back) {
        do
            at = back ? at->previousInFocusChain() : at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible());
        return at;
    };
    QWidget* at = form.control(order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        at = step(at, false);
        EXPECT_EQ(at, form.control(order[i])) << i;
    }
    // With note 2 chosen, Tab from Quit and Shift+Tab from the note reach its selector.
    form.setValue(Control::Option1_1, -1);
    EXPECT_EQ(step(form.control(Control::Command1), false), form.control(Control::Option1_1));
    EXPECT_EQ(step(form.control(Control::txtNote), true), form.control(Control::Option1_1));
    qobject_cast<QAbstractButton*>(form.control(Control::Option1_2))->click();
    EXPECT_EQ(step(form.control(Control::Command1), false), form.control(Control::Option1_2));
    form.widget()->hide();
}

TEST_F(Form, AccessKeysAreAltAndTheMarkedLetter) {
    const std::pair<Control, Qt::Key> keys[] = {{Control::Command1, Qt::Key_Q},
                                                {Control::Command2, Qt::Key_O},
                                                {Control::Command3, Qt::Key_C},
                                                {Control::chkBlack, Qt::Key_B},
                                                {Control::chkNote, Qt::Key_N}};
    for (const auto& [control, key] : keys)
        EXPECT_EQ(qobject_cast<QAbstractButton*>(form.control(control))->shortcut(),
                  QKeySequence(Qt::ALT | key));
}

// The controls wait for the window's first show; what the program set meanwhile is theirs then.
TEST_F(Form, ControlsMadeAtFirstShowTakeWhatWasSetMeanwhile) {
    form.setControlGeometry(Control::txtNote, Edge::Width, 3000);
    form.setControlGeometry(Control::txtNote, Edge::Top, 600);
    form.setControlGeometry(Control::Command1, Edge::Left, 300);
    form.setText(Control::txtNote, u"first\r\nnote");
    form.setText(Control::Option1_1, u"Shopping");
    form.setValue(Control::Option1_2, -1);
    form.setValue(Control::chkBlack, 1);
    EXPECT_EQ(form.widget()->findChild<QWidget*>(), nullptr) << "none made while hidden";
    EXPECT_EQ(form.text(Control::txtNote), u"first\r\nnote");
    EXPECT_EQ(form.value(Control::Option1_2), -1);
    EXPECT_EQ(form.value(Control::Option1_0), 0);
    EXPECT_THROW(form.setFocus(Control::txtNote), PlatformFailure);
    form.showForm();
    auto* box = form.widget()->findChild<QPlainTextEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(8, 40, 200, 273));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("first\nnote"));
    EXPECT_FALSE(box->accessibleName().isEmpty());
    EXPECT_EQ(form.control(Control::Command1)->x(), 20);
    EXPECT_TRUE(form.control(Control::Command1)->isVisible());
    EXPECT_FALSE(form.control(Control::Picture1)->isVisible());
    EXPECT_EQ(qobject_cast<QRadioButton*>(form.control(Control::Option1_1))->text(), "Shopping");
    EXPECT_TRUE(qobject_cast<QRadioButton*>(form.control(Control::Option1_2))->isChecked());
    EXPECT_TRUE(qobject_cast<QPushButton*>(form.control(Control::chkBlack))->isChecked());
    EXPECT_FALSE(qobject_cast<QPushButton*>(form.control(Control::chkNote))->isChecked());
    form.hideForm();
}

TEST_F(Form, NoteTextComesBackExactlyAsSet) {
    auto* box = qobject_cast<QPlainTextEdit*>(form.control(Control::txtNote));
    const std::u16string notes[] = {u"one\r\ntwo\r\n\r\nthree",
                                    u"lf\nonly\n",
                                    u"cr\ronly",
                                    u"no\u00A0break",
                                    u"line\u2028and\u2029paragraph",
                                    u"e\u0301 \U0001F469\u200D\U0001F4BB \u05E9\u05DC\u05D5\u05DD"};
    for (const auto& note : notes) {
        form.setText(Control::txtNote, note);
        EXPECT_EQ(form.text(Control::txtNote), note);
        form.showForm();
        EXPECT_NE(box->document()->characterCount(), 1) << "the box holds it once shown";
        EXPECT_EQ(form.text(Control::txtNote), note);
        form.hideForm();
    }
    form.setText(Control::txtNote, u"one\r\ntwo");
    EXPECT_EQ(box->document()->characterCount(), 1) << "a hidden window's box waits for it";
}

TEST_F(Form, TypedTextKeepsEveryCharacterAndTheNotesKindOfLineBreak) {
    auto* box = qobject_cast<QPlainTextEdit*>(form.control(Control::txtNote));
    // A first paragraph this long goes into the box another way, its layout kept.
    const std::u16string longParagraph = std::u16string(150'000, u'w') + u"\u00A0x\u2028y";
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"a\r\nb", u"a\r\nb\u00A0c\u2028d\r\ne"},
        {u"a\nb", u"a\nb\u00A0c\u2028d\ne"},
        {u"", u"\u00A0c\u2028d\r\ne"},
        {u"\uFEFFpasted", u"\uFEFFpasted\u00A0c\u2028d\r\ne"},
        {longParagraph + u"\r\nb", longParagraph + u"\r\nb\u00A0c\u2028d\r\ne"}};
    for (const auto& [set, typed] : cases) {
        form.setText(Control::txtNote, set);
        form.showForm();
        EXPECT_EQ(box->textCursor().position(), 0) << "shown from its start";
        EXPECT_FALSE(box->document()->isUndoAvailable()) << "undo cannot take the note away";
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QString::fromUtf16(u"\u00A0c\u2028d\ne"));
        EXPECT_EQ(form.text(Control::txtNote), typed) << typed.size();
        // Read back at every autosave: into the room of the last read, not a new copy.
        const char16_t* room = form.textView(Control::txtNote).data();
        box->insertPlainText(QStringLiteral("f"));
        EXPECT_EQ(form.textView(Control::txtNote), typed + u"f");
        EXPECT_EQ(form.textView(Control::txtNote).data(), room) << typed.size();
        form.hideForm();
    }
}

// Clear is the box's own edit: Ctrl+Z and the box's Undo bring the note back.
TEST_F(Form, ClearIsUndoneByCtrlZAndByTheBoxsUndo) {
    auto* box = qobject_cast<QPlainTextEdit*>(form.control(Control::txtNote));
    form.setText(Control::txtNote, u"pay rent @10:00\r\nand more");
    form.showForm();
    form.clearText(Control::txtNote);
    EXPECT_EQ(form.text(Control::txtNote), u"");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.text(Control::txtNote), u"pay rent @10:00\r\nand more");
    // And redone, by either key a user knows.
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.text(Control::txtNote), u"");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form.text(Control::txtNote), u"");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.text(Control::txtNote), u"pay rent @10:00\r\nand more");
    form.clearText(Control::txtNote);
    box->undo(); // as the box's context menu does
    EXPECT_EQ(form.text(Control::txtNote), u"pay rent @10:00\r\nand more");
}

TEST_F(Form, ALongTitleEndsInAnEllipsisAndShowsWholeInItsTooltip) {
    auto* selector = qobject_cast<QRadioButton*>(form.control(Control::Option1_1));
    form.setText(Control::Option1_1, u"Shopping list for the weekend");
    EXPECT_EQ(form.text(Control::Option1_1), u"Shopping list for the weekend") << "kept whole";
    EXPECT_TRUE(selector->text().endsWith(QChar(0x2026))) << selector->text().toStdString();
    EXPECT_LT(selector->fontMetrics().horizontalAdvance(selector->text()), selector->width());
    EXPECT_EQ(selector->toolTip(), "Shopping list for the weekend");
    form.setText(Control::Option1_1, u"Work");
    EXPECT_EQ(selector->text(), "Work");
    EXPECT_EQ(selector->toolTip(), "");
}

TEST_F(Form, SettingACheckBoxValueIsNotAClick) {
    int clicks = 0;
    QObject::connect(qobject_cast<QPushButton*>(form.control(Control::chkBlack)),
                     &QPushButton::clicked, [&] { ++clicks; });
    for (int16_t v : {0, 1, 2, 0}) {
        form.setValue(Control::chkBlack, v);
        EXPECT_EQ(form.value(Control::chkBlack), v);
    }
    EXPECT_EQ(clicks, 0);
    qobject_cast<QPushButton*>(form.control(Control::chkBlack))->click();
    EXPECT_EQ(form.value(Control::chkBlack), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Form, GeometryIsTheOuterSizeInTwips) {
    form.setFormGeometry(Edge::Left, 1440);
    form.setFormGeometry(Edge::Top, 300);
    form.setFormGeometry(Edge::Height, 5400);
    form.setFormGeometry(Edge::Width, 5790);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Left), 1440);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Top), 300);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Width), 5790);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Height), 5400);
    EXPECT_EQ(form.widget()->frameGeometry().topLeft(), QPoint(96, 20));
}

// Shrunk as far as it goes (a stored size of 120 x 40 px): every control whole and apart.
TEST_F(Form, AtItsSmallestSizeEveryControlIsWholeAndApart) {
    form.setFormGeometry(Edge::Width, 1800);
    form.setFormGeometry(Edge::Height, 600);
    form.showForm();
    for (const ControlMove& move :
         Layout(form.formGeometry(Edge::Width), form.formGeometry(Edge::Height)))
        form.setControlGeometry(move.control, move.edge, move.twips);
    const Control shown[] = {Control::Option1_0, Control::Option1_1, Control::Option1_2,
                             Control::txtNote,   Control::Command1,  Control::chkNote,
                             Control::chkBlack,  Control::Command3,  Control::Command2};
    const QRect client = form.widget()->rect();
    EXPECT_LT(client.width(), 300) << "it did shrink";
    for (const Control a : shown) {
        const QRect at = form.control(a)->geometry();
        EXPECT_TRUE(client.contains(at)) << int(a) << " cut by the window's edge";
        EXPECT_GT(at.height(), 0) << int(a);
        // The bottom row's controls apart from each other and from the selectors (the selectors'
        // designed places touch, and the note box stands between the rows).
        const bool row = a == Control::Command1 || a == Control::chkNote ||
                         a == Control::chkBlack || a == Control::Command3 || a == Control::Command2;
        for (const Control b : shown) {
            if (row && b != a && b != Control::txtNote) {
                EXPECT_FALSE(at.intersects(form.control(b)->geometry())) << int(a) << " " << int(b);
            }
        }
    }
}

TEST_F(Form, ComesUpOnAScreenWhereverItWasStored) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    form.setFormGeometry(Edge::Left, 30000);
    form.setFormGeometry(Edge::Top, 15000);
    form.showForm();
    EXPECT_TRUE(screen.contains(form.widget()->frameGeometry()))
        << "moved whole onto the screen: " << form.widget()->frameGeometry().x() << ","
        << form.widget()->frameGeometry().y() << " " << form.widget()->frameGeometry().width()
        << "x" << form.widget()->frameGeometry().height() << " screen " << screen.width() << "x"
        << screen.height();
    form.hideForm();
    form.setFormGeometry(Edge::Left, -20000);
    form.showForm();
    EXPECT_EQ(form.widget()->frameGeometry().x(), screen.left());
    form.hideForm();
    // On a screen, even in part, it stays exactly where it was.
    form.setFormGeometry(Edge::Left, 1440);
    form.setFormGeometry(Edge::Top, 150);
    form.showForm();
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Left), 1440);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Top), 150);
    form.hideForm();
}

TEST_F(Form, FocusFailsWhileTheWindowIsHidden) {
    EXPECT_THROW(form.setFocus(Control::txtNote), PlatformFailure);
    form.showForm();
    EXPECT_NO_THROW(form.setFocus(Control::txtNote));
    form.hideForm();
}

TEST_F(Form, TimersAsCreated) {
    EXPECT_TRUE(form.timerEnabled(Timer::Timer1));
    EXPECT_FALSE(form.timerEnabled(Timer::timerAlarm));
    form.setTimerEnabled(Timer::timerAlarm, true);
    EXPECT_TRUE(form.timerEnabled(Timer::timerAlarm));
    form.setTimerEnabled(Timer::timerAlarm, false);
    EXPECT_FALSE(form.timerEnabled(Timer::timerAlarm));
}

// Every size a tray or a window draws; the 256-pixel image is left in the file.
TEST_F(Form, DayIconLoadsWithEverySizeUpTo128) {
    form.loadPicture(fromQ(assets() + "\\Black\\31.ico"));
    const auto icon = form.pictures().icon(form.pictureHandle());
    ASSERT_TRUE(icon);
    const auto sizes = icon->availableSizes();
    for (int s : {16, 22, 24, 32, 48, 64, 128})
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
    EXPECT_FALSE(sizes.contains(QSize(256, 256)));
}

TEST_F(Form, LoadingReplacesAndReleasesThePreviousPicture) {
    form.loadPicture(fromQ(assets() + "/Black/1.ico"));
    const int32_t first = form.pictureHandle();
    form.loadPicture(fromQ(assets() + "/White/2.ico"));
    EXPECT_NE(form.pictureHandle(), first);
    EXPECT_FALSE(form.pictures().icon(first));
    EXPECT_TRUE(form.pictures().icon(form.pictureHandle()));
}

TEST_F(Form, MissingOrBrokenPictureFails) {
    QTemporaryDir dir;
    QFile broken(dir.filePath("7.ico"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not an icon at all");
    broken.close();
    EXPECT_THROW(form.loadPicture(fromQ(dir.filePath("8.ico"))), PlatformFailure);
    EXPECT_THROW(form.loadPicture(fromQ(dir.filePath("7.ico"))), PlatformFailure);
}

TEST_F(Form, SavedPictureIsTheIconFileItWasLoadedFrom) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("White");
    QFile::copy(assets() + "/White/9.ico", dir.filePath("White/9.ico"));
    // "white" finds the folder "White" on a file system that distinguishes case.
    form.loadPicture(fromQ(dir.path() + "\\white\\9.ico"));
    form.savePicture(fromQ(dir.path() + "\\tmp.ico"));
    form.savePicture(fromQ(dir.path() + "\\tmp.ico")); // overwrites
    QFile original(assets() + "/White/9.ico"), copy(dir.filePath("tmp.ico"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), copy.readAll());
    EXPECT_THROW(form.savePicture(fromQ(dir.path() + "\\no such folder\\tmp.ico")),
                 PlatformFailure);

    // A link planted at the scratch icon is replaced; the file it points to stays as it was.
    QFile::remove(dir.filePath("tmp.ico"));
    QFile victim(dir.filePath("victim"));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly) && victim.write("mine") == 4);
    victim.close();
    ASSERT_TRUE(QFile::link(dir.filePath("victim"), dir.filePath("tmp.ico")));
    form.savePicture(fromQ(dir.path() + "\\tmp.ico"));
    EXPECT_FALSE(QFileInfo(dir.filePath("tmp.ico")).isSymLink());
    ASSERT_TRUE(victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(victim.readAll(), "mine");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary left";
}

TEST(LocalPath, MapsSeparatorsAndFindsFoldersRegardlessOfCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("White");
    EXPECT_EQ(qt::LocalPath(fromQ(dir.path() + "\\white\\3.ico")), dir.path() + "/White/3.ico");
    EXPECT_EQ(qt::LocalPath(fromQ(dir.path() + "\\tmp.ico")), dir.path() + "/tmp.ico");
}

} // namespace
