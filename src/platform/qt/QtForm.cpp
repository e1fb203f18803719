// Qt adapter: what frmMain does to its window and controls (they are made in QtFormControls.cpp,
// placed in QtFormGeometry.cpp).
#include "platform/qt/QtForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "platform/Failure.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtNoteText.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtWindowPlatform.h"

namespace vantoly::qt {
QtForm::~QtForm() {
    delete form_;
}

void QtForm::trayMessage(int32_t message) {
    const float x = float(message) * twipsPerPixelX();
    deliver([x](FormEvents& e) { e.Picture1_MouseMove(0, 0, x, 0); });
}

QWidget* QtForm::widget() const {
    return form_;
}

QWidget* QtForm::control(Control control) const {
    makeControls();
    return controls_[size_t(control)];
}

// A minimised window counts as hidden, so the tray and the alarm bring it back rather than
// leave it stranded where it has no taskbar entry.
bool QtForm::formVisible() const {
    return form_->isVisible() && !form_->isMinimized();
}

void QtForm::showForm() {
    show(true);
}

void QtForm::showFormQuietly() {
    // Asks the window manager not to give it the keyboard (_NET_WM_USER_TIME 0 on X11). The
    // widget's attribute is read when its native window is made; once that exists, Qt reads the
    // window's property.
    form_->setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (QWindow* window = form_->windowHandle())
        window->setProperty("_q_showWithoutActivating", true);
    show(false);
    form_->setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (QWindow* window = form_->windowHandle())
        window->setProperty("_q_showWithoutActivating", QVariant());
}

bool QtForm::keyboardElsewhere() const {
    return !form_->isActiveWindow() && KeyboardElsewhere(form_->winId());
}

void QtForm::show(bool activate) {
    if (form_->isMinimized())
        form_->setWindowState(form_->windowState() & ~Qt::WindowMinimized);
    keepOnAScreen();
    prepareFirstShow();
    form_->show();
    form_->raise();
    if (activate)
        form_->activateWindow();
    // Filled once the box has its real width: a long paragraph is laid out once, not first for
    // a hidden box's default width and again at show. The window is on its way up meanwhile.
    fillNoteBox();
}

void QtForm::hideForm() {
    form_->hide();
}

std::u16string QtForm::text(Control control) const {
    if (control == Control::txtNote) {
        reconcileNote();
        return fromQ(note_);
    }
    for (size_t index = 0; index < option1_.size(); ++index)
        if (control == Option1(int(index)))
            return fromQ(titles_[index]);
    if (auto* button = qobject_cast<QAbstractButton*>(this->control(control)))
        return fromQ(button->text());
    return {};
}

// A title longer than its selector ends in "…" there and shows whole in its tooltip; the title
// itself is kept whole.
void QtForm::showTitle(size_t index) {
    QRadioButton* selector = option1_[index];
    if (!selector)
        return;
    QStyle* style = selector->style();
    const int room = selector->width() -
                     style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, selector) -
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, selector) - 2;
    const QString shown =
        selector->fontMetrics().elidedText(titles_[index], Qt::ElideRight, std::max(room, 0));
    selector->setText(shown);
    selector->setToolTip(shown == titles_[index] ? QString() : titles_[index]);
    selector->setAccessibleName(titles_[index]);
}

void QtForm::reconcileNote() const {
    if (noteEdited_) {
        NoteFromBox(*txtNote_->document(), note_);
        noteEdited_ = false;
    }
}

std::u16string_view QtForm::textView(Control control) const {
    if (control != Control::txtNote)
        return Toolkit::textView(control);
    reconcileNote();
    return {reinterpret_cast<const char16_t*>(note_.utf16()), size_t(note_.size())};
}

std::optional<QString> QtForm::heldNote(std::u16string_view text) const {
    reconcileNote();
    if (SameTextAs(note_, text))
        return note_;
    return std::nullopt;
}

void QtForm::setText(Control control, std::u16string text) {
    if (control == Control::txtNote) {
        note_ = SharedOrNew(heldElsewhere_, text);
        noteEdited_ = false;
        noteInBox_ = false;
        ++noteRevision_;
        if (form_->isVisible()) {
            fillNoteBox();
        } else if (txtNote_ && !txtNote_->document()->isEmpty()) {
            // The note it showed is not kept twice while the window is hidden.
            fillingBox_ = true;
            txtNote_->clear();
            fillingBox_ = false;
        }
        return;
    }
    for (size_t index = 0; index < option1_.size(); ++index)
        if (control == Option1(int(index))) {
            titles_[index] = toQ(text);
            showTitle(index);
            return;
        }
    if (auto* button = qobject_cast<QAbstractButton*>(this->control(control)))
        button->setText(toQ(text));
}

void QtForm::clearText(Control control) {
    if (control != Control::txtNote || !noteInBox_ || !txtNote_)
        return setText(control, {});
    // An edit of the box's own, which its Undo and Ctrl+Z take back.
    QTextCursor all(txtNote_->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
}

uint64_t QtForm::textRevision(Control control) const {
    return control == Control::txtNote ? noteRevision_ : 0;
}

int16_t QtForm::value(Control control) const {
    if (control == Control::chkBlack || control == Control::chkNote) {
        auto it = checkValues_.find(control);
        return it == checkValues_.end() ? int16_t(0) : it->second;
    }
    if (IsSelector(control))
        return Option1Index(control) == selected_ ? int16_t(-1) : int16_t(0);
    return 0;
}

void QtForm::setValue(Control control, int16_t value) {
    if (control == Control::chkBlack || control == Control::chkNote)
        checkValues_[control] = value;
    else if (!IsSelector(control))
        return;
    else if (value != 0)
        selected_ = Option1Index(control); // one of them is always selected
    auto* button =
        controlsMade() ? qobject_cast<QAbstractButton*>(this->control(control)) : nullptr;
    if (!button)
        return;
    // Setting a value is not a click: no handler runs.
    const QSignalBlocker blocker(button);
    button->setChecked(value != 0);
    selectorFocus();
}

// Tab reaches the selected note selector only, as it reaches one button of a group.
void QtForm::selectorFocus() {
    for (QRadioButton* selector : option1_)
        if (selector)
            selector->setFocusPolicy(selector->isChecked() ? Qt::TabFocus : Qt::NoFocus);
}

namespace {
// Longer than this, a paragraph's layout is kept.
constexpr size_t kLongParagraph = 100'000;
} // namespace

void QtForm::fillNoteBox() {
    makeControls();
    if (noteInBox_)
        return;
    // A new note wraps at words again, unless it too holds a long word: known before it goes in,
    // so it is laid out once, the way it stays.
    txtNote_->setWordWrapMode(HasLongWord(note_) ? QTextOption::WrapAnywhere
                                                 : QTextOption::WrapAtWordBoundaryOrAnywhere);
    fillingBox_ = true;
    const QStringView head =
        QStringView(note_).first(std::min(note_.size(), qsizetype(kLongParagraph) + 1));
    if (note_.size() <= qsizetype(kLongParagraph) || head.contains(u'\n') || head.contains(u'\r')) {
        txtNote_->setPlainText(note_);
    } else {
        // The first paragraph keeps its layout from the start: set as a whole, it would be laid
        // out, dropped and laid out again to place the cursor, a long wait for a big paragraph.
        txtNote_->setPlainText(QString());
        QTextDocument* document = txtNote_->document();
        document->begin().layout()->setCacheEnabled(true);
        document->setUndoRedoEnabled(false);
        QTextCursor(document).insertText(note_);
        document->setUndoRedoEnabled(true);
        txtNote_->moveCursor(QTextCursor::Start);
    }
    fillingBox_ = false;
    noteInBox_ = true;
    // A very long paragraph keeps its layout: laid out again for every repaint (each blink of
    // the cursor) it would take most of a second each time.
    for (QTextBlock block = txtNote_->document()->begin(); block.isValid(); block = block.next())
        if (block.length() > int(kLongParagraph))
            block.layout()->setCacheEnabled(true);
}

void QtForm::setFocus(Control control) {
    QWidget* widget = controlsMade() ? this->control(control) : nullptr;
    if (!widget || !widget->isVisible() || !widget->isEnabled())
        throw PlatformFailure("the control cannot take the focus");
    widget->setFocus(Qt::OtherFocusReason);
}

int32_t QtForm::windowHandle(Control control) const {
    return 0x1000 + int32_t(control);
}

// The native window's id: the one xprop and the window manager know.
int32_t QtForm::formHandle() const {
    return int32_t(form_->winId());
}

void QtForm::setSelection(Control control, int32_t start, int32_t length) {
    if (control != Control::txtNote)
        return;
    // The program counts a line break as two characters (CR LF); the box holds one (LF).
    fillNoteBox();
    const std::u16string text = this->text(Control::txtNote);
    auto boxOffset = [&](int64_t offset) {
        const size_t end = size_t(std::clamp<int64_t>(offset, 0, int64_t(text.size())));
        int32_t pairs = 0;
        for (size_t i = 0; i < end && i + 1 < text.size(); ++i)
            if (text[i] == u'\r' && text[i + 1] == u'\n')
                ++pairs;
        return int32_t(end) - pairs;
    };
    const int32_t from = boxOffset(start);
    const int32_t to = boxOffset(int64_t(start) + length);
    QTextCursor cursor = txtNote_->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    txtNote_->setTextCursor(cursor);
}

int32_t QtForm::caret() const {
    if (!noteInBox_ || !txtNote_)
        return 0;
    const QTextCursor cursor = txtNote_->textCursor();
    const int32_t start = int32_t(cursor.selectionStart());
    // Each line break before it is two characters to the program when the note has CR LF.
    const bool pairs = note_.contains(QStringView(u"\r\n"));
    return start + (pairs ? txtNote_->document()->findBlock(start).blockNumber() : 0);
}

bool QtForm::timerEnabled(Timer timer) const {
    return timers_[size_t(timer)]->isActive();
}

void QtForm::setTimerEnabled(Timer timer, bool enabled) {
    QTimer* t = timers_[size_t(timer)];
    if (enabled && !t->isActive())
        t->start();
    else if (!enabled)
        t->stop();
}

void QtForm::loadPicture(const std::u16string& path) {
    pictures_.load(path);
    if (picture1_)
        picture1_->setPixmap(pictures_.icon(pictures_.handle())->pixmap(picture1_->size()));
}

void QtForm::savePicture(const std::u16string& path) {
    pictures_.save(path);
}

int QtForm::messageBox(const std::u16string& prompt, int style, const std::u16string& caption) {
    return ShowMessageBox(prompt, style, caption);
}

std::u16string QtForm::inputBox(const std::u16string& prompt, const std::u16string& caption,
                                const std::u16string& defaultText) {
    return ShowInputBox(form_->isVisible() ? form_ : nullptr, prompt, caption, defaultText);
}

void QtForm::closeRequested(QCloseEvent* event) {
    int16_t cancel = 0;
    deliver([&](FormEvents& e) { e.Form_Unload(cancel); });
    if (cancel)
        event->ignore();
    else
        event->accept();
}

} // namespace vantoly::qt
