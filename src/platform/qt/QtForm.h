#pragma once
// Qt adapter: the window toolkit.
//
// Implements: frmMain as a Qt::Tool top-level widget titled "Vantoly", not in the taskbar, with
// its twelve controls at their twip positions, access keys, fonts, tooltips and tab order (made,
// with the window's icon, at its first show); the outer (frame) geometry in twips from
// the screen's DPI, read back the way the window was placed; the three timers; Picture1 with its
// picture table (QtPictures); the message box and the input box (QtDialogs). Events: close requests
// go to Form_Unload, size changes to Form_Resize, double-clicks and button releases on the window's
// background (not on a control) to Form_DblClick and Form_MouseUp, button presses on the note
// selectors to Option1_MouseDown, the clicks of the selectors, check boxes and buttons to their
// handlers, and the user's changes of the note to NoteTyped. Leaves out: fonts' character sets (Qt
// has none; fontconfig picks the glyphs), the grayed look of a check box value 2 (shown as
// checked).
#include <QIcon>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "platform/FormDefinition.h"
#include "platform/FormEvents.h"
#include "platform/Toolkit.h"
#include "platform/qt/QtNoteText.h"
#include "platform/qt/QtPictures.h"

class QAbstractButton;
class QLabel;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace vantoly::qt {

// Whether the text holds a run of over a thousand characters without a blank: Qt's word wrapping
// takes time that grows with the square of a word's length, so such a note wraps anywhere.
bool HasLongWord(QStringView text);

class QtForm;

// The window widget itself; it hands close requests and frame changes back to QtForm.
class FormWidget : public QWidget {
    Q_OBJECT
  public:
    explicit FormWidget(QtForm& owner);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QtForm& owner_;
};

class QtForm : public Toolkit, public FormEventSink {
  public:
    QtForm();
    ~QtForm() override;

    // A tray icon's mouse action, delivered as Picture1's mouse move with the action's message
    // number in X (twips), as Windows delivers it to the picture box's window.
    void trayMessage(int32_t message);
    // Where a note set here may already be held (the settings store).
    void shareNotesWith(SameText held) { heldElsewhere_ = std::move(held); }
    // The note as held here, when it is `text`.
    std::optional<QString> heldNote(std::u16string_view text) const;

    QWidget* widget() const;
    QWidget* control(Control control) const;
    // Picture1's pictures, which the tray shows by their handles.
    const QtPictures& pictures() const { return pictures_; }

    void InitCommonControls() override {}
    float formGeometry(Edge edge) const override;
    void setFormGeometry(Edge edge, float twips) override;
    void setControlGeometry(Control control, Edge edge, float twips) override;
    bool formVisible() const override;
    void showForm() override;
    bool keyboardElsewhere() const override;
    void showFormQuietly() override;
    void hideForm() override;
    std::u16string text(Control control) const override;
    std::u16string_view textView(Control control) const override;
    void setText(Control control, std::u16string text) override;
    void clearText(Control control) override;
    uint64_t textRevision(Control control) const override;
    int16_t value(Control control) const override;
    void setValue(Control control, int16_t value) override;
    void setFocus(Control control) override;
    int32_t windowHandle(Control control) const override;
    int32_t formHandle() const override;
    void setSelection(Control control, int32_t start, int32_t length) override;
    int32_t caret() const override;
    bool timerEnabled(Timer timer) const override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    void loadPicture(const std::u16string& path) override;
    int32_t pictureHandle() const override { return pictures_.handle(); }
    void savePicture(const std::u16string& path) override;
    int messageBox(const std::u16string& prompt, int style, const std::u16string& caption) override;
    std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                            const std::u16string& defaultText) override;
    float twipsPerPixelX() const override;

  private:
    friend class FormWidget;
    void closeRequested(QCloseEvent* event);
    void outerSizeMayHaveChanged();
    MouseArgs mouseArgs(const QMouseEvent& event) const;
    // Twips as whole pixels along the edge's axis.
    int pixels(Edge edge, float twips) const;
    float twipsPerPixelY() const;
    QWidget* makeControl(const ControlDefinition& definition);
    QRect designedGeometry(const ControlDefinition& definition) const;
    void dress(QWidget* widget, const ControlDefinition& definition);
    // The controls, made at the first use of any; all together, so the note box stands for all.
    void makeControls() const;
    bool controlsMade() const { return txtNote_ != nullptr; }
    void prepareFirstShow();
    void fillNoteBox();
    void selectorFocus();
    void showTitle(size_t index);
    void keepOnAScreen();
    void show(bool activate);
    void moveFrame(QPoint topLeft);
    void moved();
    bool framed() const;
    // The frame's top-left corner, as the window was placed.
    QPoint framePosition() const;

    FormWidget* form_;
    std::array<QRadioButton*, 3> option1_{};
    std::array<QString, 3> titles_;
    // Every control, by its Control's number.
    std::array<QWidget*, 10> controls_{};
    QLabel* picture1_ = nullptr;
    QPlainTextEdit* txtNote_ = nullptr;
    // Each control's place, its widget's once made.
    std::map<Control, QRect> places_;
    // The selected note selector's index.
    int16_t selected_ = 0;
    // The note as the program set it, exactly. The box gets it when the window first shows, so a
    // big note costs nothing while the window is hidden, and it is read back from the box only
    // after the user changed it there. The same string as the settings store's when they agree.
    mutable QString note_;
    mutable bool noteEdited_ = false;
    // Takes what the user typed into note_.
    void reconcileNote() const;
    uint64_t noteRevision_ = 0;
    bool noteInBox_ = true;
    bool fillingBox_ = false;
    SameText heldElsewhere_;
    std::array<QTimer*, 3> timers_{};
    std::map<Control, int16_t> checkValues_;

    QtPictures pictures_;

    // The position given where the window system places windows itself (native Wayland).
    std::optional<QPointF> unplacedPosition_;
    // A window manager can report a frame other than the one it draws (KWin under XWayland
    // scaling reports half the title bar), and a position taken back through that report moves
    // the window a little at each start. So the place asked for is kept until the window is
    // framed there, and the client area's offset from it is what turns the window's position
    // back into a frame position.
    std::optional<QPoint> placedAt_;
    std::optional<QPoint> clientOffset_;
    // The outer size, in twips, the controls were last laid out for.
    std::optional<QSizeF> laidOutFor_;
};

} // namespace vantoly::qt
