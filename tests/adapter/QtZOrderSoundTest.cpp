#include <QPlainTextEdit>
#include <QTextCursor>
#include <QWindow>
#include <gtest/gtest.h>

#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtZOrder.h"

using namespace vantoly;

namespace {

TEST(QtZOrder, TopMostWithoutHidingOrRecreatingTheWindow) {
    qt::QtForm form;
    qt::QtZOrder zorder(form);
    form.showForm();
    const int32_t handle = form.formHandle();
    const QRect before = form.widget()->geometry();
    EXPECT_EQ(zorder.SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, 3), 1);
    EXPECT_TRUE(form.widget()->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.widget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.formVisible());
    EXPECT_EQ(form.formHandle(), handle);
    EXPECT_EQ(form.widget()->geometry(), before);
    EXPECT_EQ(zorder.SetWindowPos(handle, HWND_NOTOPMOST, 0, 0, 0, 0, 3), 1);
    EXPECT_FALSE(form.widget()->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.formVisible());
    EXPECT_EQ(form.formHandle(), handle);
    EXPECT_EQ(zorder.SetWindowPos(handle + 1, HWND_TOPMOST, 0, 0, 0, 0, 3), 0);
    form.hideForm();
}

TEST(QtZOrder, HiddenWindowKeepsTheHintWhenShown) {
    qt::QtForm form;
    qt::QtZOrder zorder(form);
    zorder.SetWindowPos(form.formHandle(), HWND_TOPMOST, 0, 0, 0, 0, 3);
    form.showForm();
    EXPECT_TRUE(form.widget()->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    form.hideForm();
}

TEST(QtSelection, CountsALineBreakAsTwoCharacters) {
    qt::QtForm form;
    auto* box = static_cast<QPlainTextEdit*>(form.control(Control::txtNote));
    form.setText(Control::txtNote, u"first\r\nCall @9:05 AM dentist");
    form.setSelection(Control::txtNote, 12, 8);
    EXPECT_EQ(box->textCursor().selectedText(), "@9:05 AM");
    form.setSelection(Control::txtNote, 12, 500); // past the end: to the end
    EXPECT_EQ(box->textCursor().selectedText(), "@9:05 AM dentist");
    EXPECT_EQ(form.caret(), 12) << "counted the same way back";
}

TEST(QtSound, MissingFileIsSilentAndARealOneStartsWithoutWaiting) {
    qt::QtSound sound(QStringLiteral(VANTOLY_SOUND_MODULE));
    EXPECT_EQ(sound.sndPlaySoundA(u"/no/such/alarm.wav", 3), 0);
    EXPECT_FALSE(sound.moduleLoaded()); // nothing to play: no audio libraries either
    EXPECT_EQ(
        sound.sndPlaySoundA(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "\\assets\\alarm.wav")), 3),
        1);
    EXPECT_TRUE(sound.moduleLoaded());
}

TEST(QtSound, WithoutItsModuleItIsSilent) {
    qt::QtSound sound(QStringLiteral("/no/such/libvantoly_sound.so"));
    EXPECT_EQ(
        sound.sndPlaySoundA(qt::fromQ(QStringLiteral(VANTOLY_SOURCE_DIR "\\assets\\alarm.wav")), 3),
        0);
}

} // namespace
