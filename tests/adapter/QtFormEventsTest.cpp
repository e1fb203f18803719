#include <QAbstractScrollArea>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/qt/QtForm.h"
#include "platform/qt/QtNotifications.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtShellTray.h"

using namespace vantoly;
using qt::fromQ;

namespace {

// Writes down every event the form delivers, as "name args".
struct Recorder : FormEvents {
    std::vector<std::string> log;
    qt::QtForm* form = nullptr;
    int16_t blackValueAtClick = -1;
    void Form_Unload(int16_t& Cancel) override {
        Cancel = -1;
        log.push_back("Form_Unload");
    }
    void Form_Resize() override { log.push_back("Form_Resize"); }
    void Form_DblClick() override { log.push_back("Form_DblClick"); }
    void Form_MouseUp(int16_t Button, int16_t Shift, float, float) override {
        log.push_back("Form_MouseUp " + std::to_string(Button) + " " + std::to_string(Shift));
    }
    void Option1_Click(int16_t Index) override {
        log.push_back("Option1_Click " + std::to_string(Index));
    }
    void Option1_MouseDown(int16_t Index, int16_t Button, int16_t, float, float) override {
        log.push_back("Option1_MouseDown " + std::to_string(Index) + " " + std::to_string(Button));
    }
    void chkBlack_Click() override {
        blackValueAtClick = form->value(Control::chkBlack);
        log.push_back("chkBlack_Click");
    }
    void chkNote_Click() override { log.push_back("chkNote_Click"); }
    void Command1_Click() override { log.push_back("Command1_Click"); }
    void Command2_Click() override { log.push_back("Command2_Click"); }
    void Command3_Click() override { log.push_back("Command3_Click"); }
    void Picture1_MouseMove(int16_t, int16_t, float, float) override {}
    void Timer1_Timer() override {}
    void timerAlarm_Timer() override {}
    void timerAutosave_Timer() override {}
    void NoteTyped() override { log.push_back("NoteTyped"); }

    bool has(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
};

struct FormEvents : testing::Test {
    qt::QtForm form;
    Recorder events;
    FormEvents() {
        events.form = &form;
        form.connectEvents(&events, nullptr);
        form.widget()->show();
        QApplication::processEvents();
        events.log.clear();
    }
    QWidget* at(Control control) { return form.control(control); }
};

TEST_F(FormEvents, BackgroundDoubleClickAndRightReleaseReachTheForm) {
    QWidget* w = form.widget();
    const QPoint background(w->width() / 2, 3); // above the note selectors
    ASSERT_EQ(w->childAt(background), nullptr);
    QTest::mouseDClick(w, Qt::LeftButton, {}, background);
    EXPECT_TRUE(events.has("Form_DblClick"));
    QTest::mouseClick(w, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, background);
    EXPECT_TRUE(events.has("Form_MouseUp 2 3"));
}

TEST_F(FormEvents, ClicksOnControlsAreNotTheBackgrounds) {
    for (Control control : {Control::Command2, Control::chkBlack, Control::Option1_1}) {
        QTest::mouseClick(at(control), Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseDClick(at(control), Qt::LeftButton, {}, QPoint(5, 5));
    }
    QTest::mouseDClick(static_cast<QAbstractScrollArea*>(at(Control::txtNote))->viewport(),
                       Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    for (const std::string& entry : events.log) {
        EXPECT_NE(entry.rfind("Form_MouseUp", 0), 0u) << entry;
        EXPECT_NE(entry, "Form_DblClick");
    }
}

TEST_F(FormEvents, SelectorsReportPressesAndSelection) {
    QTest::mouseClick(at(Control::Option1_2), Qt::RightButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_TRUE(events.has("Option1_MouseDown 2 2"));
    // A right press selects nothing.
    EXPECT_FALSE(qobject_cast<QRadioButton*>(at(Control::Option1_2))->isChecked());
    EXPECT_FALSE(events.has("Option1_Click 2"));

    QTest::mouseClick(at(Control::Option1_1), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_TRUE(events.has("Option1_MouseDown 1 1"));
    EXPECT_TRUE(events.has("Option1_Click 1"));
    // Clicking the selected note again is no switch.
    events.log.clear();
    QTest::mouseClick(at(Control::Option1_1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(events.has("Option1_Click 1"));
}

TEST_F(FormEvents, ButtonsAndCheckBoxesRunTheirHandlersWithTheNewValue) {
    form.setValue(Control::chkBlack, 1);
    QTest::mouseClick(at(Control::chkBlack), Qt::LeftButton);
    EXPECT_TRUE(events.has("chkBlack_Click"));
    EXPECT_EQ(events.blackValueAtClick, 0);
    QTest::mouseClick(at(Control::chkNote), Qt::LeftButton);
    QTest::mouseClick(at(Control::Command2), Qt::LeftButton);
    QTest::mouseClick(at(Control::Command3), Qt::LeftButton);
    EXPECT_TRUE(events.has("chkNote_Click"));
    EXPECT_TRUE(events.has("Command2_Click"));
    EXPECT_TRUE(events.has("Command3_Click"));
    // The note box: what the user types is heard (for the journal), a text the program sets is
    // not.
    events.log.clear();
    form.setText(Control::txtNote, u"set");
    EXPECT_FALSE(events.has("NoteTyped"));
    QTest::keyClicks(at(Control::txtNote), "x");
    EXPECT_TRUE(events.has("NoteTyped"));
}

TEST_F(FormEvents, ResizeLaysOutAgainAndControlsTakeTwips) {
    form.widget()->resize(500, 400);
    QApplication::processEvents();
    EXPECT_TRUE(events.has("Form_Resize"));
    events.log.clear();
    form.widget()->resize(500, 400); // unchanged: nothing to lay out
    QApplication::processEvents();
    EXPECT_FALSE(events.has("Form_Resize"));

    form.setControlGeometry(Control::Command2, Edge::Left, 4710);
    form.setControlGeometry(Control::Command2, Edge::Top, 4560);
    form.setControlGeometry(Control::txtNote, Edge::Width, 5475);
    form.setControlGeometry(Control::txtNote, Edge::Height, 4095);
    EXPECT_EQ(at(Control::Command2)->geometry(), QRect(314, 304, 57, 25));
    EXPECT_EQ(at(Control::txtNote)->geometry(), QRect(8, 24, 365, 273));
    form.setControlGeometry(Control::txtNote, Edge::Width, -15); // a window below its minimum
    EXPECT_EQ(at(Control::txtNote)->width(), 0);
}

// Answers the modal box that opens next.
void answerNextBox(std::function<void(QInputDialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(box);
    });
}

void expectWholeCaptionAndNoMinimiseOrMaximise(QWidget* box) {
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowCloseButtonHint);
    // Room for the caption beside the frame's buttons.
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->windowTitle()) * 2 + 100);
}

TEST_F(FormEvents, InputBoxGivesTheTextOrEmptyOnCancel) {
    answerNextBox([](QInputDialog* box) {
        EXPECT_EQ(box->windowTitle(), "Vantoly");
        EXPECT_EQ(box->labelText(), "Enter Title:");
        EXPECT_EQ(box->textValue(), "Note 2");
        box->setTextValue(QStringLiteral("  Shopping  "));
        box->accept();
    });
    EXPECT_EQ(form.inputBox(u"Enter Title:", u"Vantoly", u"Note 2"), u"  Shopping  ");
    answerNextBox([](QInputDialog* box) { box->reject(); });
    EXPECT_EQ(form.inputBox(u"Enter Title:", u"Vantoly", u"Note 2"), u"");
}

TEST_F(FormEvents, AboutBoxHasNoIconAndTheVersion) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Vantoly v1.00");
        EXPECT_EQ(box->windowTitle(), "Vantoly");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        expectWholeCaptionAndNoMinimiseOrMaximise(box);
        box->accept();
    });
    form.messageBox(u"Vantoly v1.00", vbOKOnly, u"Vantoly");
    answerNextBox([](QInputDialog* box) {
        expectWholeCaptionAndNoMinimiseOrMaximise(box);
        box->reject();
    });
    form.inputBox(u"Enter Title:", u"Vantoly", u"Note 2");
}

// However long the text, and a path with no blank in it, every line of it can be seen.
TEST_F(FormEvents, AMessageBoxShowsItsWholeText) {
    const std::u16string path = u"/tmp/" + std::u16string(120, u'x') + u"/Vantoly/Vantoly.ini";
    const std::u16string texts[] = {
        u"Vantoly could not save your notes, and they would be lost.\r\n\r\n" + path +
            u" cannot be written: the folder is read-only\r\n\r\nQuit anyway?",
        u"Вантоли не смог сохранить заметки. " + std::u16string(40, u'ж') + u" שלום 😀"};
    for (const std::u16string& text : texts) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_LE(label->geometry().right(), box->width());
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
            box->button(QMessageBox::No) ? box->button(QMessageBox::No)->click() : box->accept();
        });
        form.messageBox(text, vbYesNo | vbExclamation | vbDefaultButton2, u"Vantoly");
    }
}

TEST(NotificationBody, LineBreaksAndMarkup) {
    EXPECT_EQ(qt::NotificationBody(QStringLiteral("a\r\nb\rc"), false), "a\nb\nc");
    EXPECT_EQ(qt::NotificationBody(QStringLiteral("<b>R&D</b>"), false), "<b>R&D</b>");
    EXPECT_EQ(qt::NotificationBody(QStringLiteral("<b>R&D</b>"), true),
              "&lt;b&gt;R&amp;D&lt;/b&gt;");
}

} // namespace
