#include "platform/qt/QtForm.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/Failure.h"
#include "platform/RunHandler.h"
#include "platform/qt/QtNoteText.h"
#include "platform/qt/QtPaths.h"
#include "platform/qt/QtWindowPlatform.h"

namespace vantoly::qt {
namespace {

std::string local8(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Qt's word wrapping takes time that grows with the square of a word's length: a pasted or
// stored run of thousands of characters without a space (minified data, a long link) would
// freeze the window for minutes. Such a run is wrapped anywhere all the same, so wrapping the
// whole note anywhere then looks alike and takes no time.
constexpr qsizetype kLongestWord = 1000;

bool hasLongWord(const QString& text) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWord)
            return true;
    }
    return false;
}

QScreen* screenOf(const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

FormWidget::FormWidget(QtForm& owner) : owner_(owner) {}

void FormWidget::closeEvent(QCloseEvent* event) {
    owner_.closeRequested(event);
}

bool FormWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        owner_.outerSizeMayHaveChanged();
        break;
    default:
        break;
    }
    return handled;
}

// Only the window's background counts, not a control that passed the event on.
void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()) &&
        owner_.events_)
        owner_.dispatch([this] { owner_.events_->Form_DblClick(); });
    QWidget::mouseDoubleClickEvent(event);
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!childAt(event->position().toPoint()) && owner_.events_) {
        const auto m = owner_.mouseArgs(*event);
        owner_.dispatch([&] { owner_.events_->Form_MouseUp(m.button, m.shift, m.x, m.y); });
    }
    QWidget::mouseReleaseEvent(event);
}

// Presses on the note selectors. Posted, so a box the handler opens does not run inside the
// press while the button holds the mouse.
bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    for (int16_t index = 0; index < 3; ++index) {
        if (watched != owner_.option1_[size_t(index)])
            continue;
        const auto m = owner_.mouseArgs(*static_cast<QMouseEvent*>(event));
        QMetaObject::invokeMethod(
            this,
            [this, index, m] {
                if (owner_.events_)
                    owner_.dispatch([&] {
                        owner_.events_->Option1_MouseDown(index, m.button, m.shift, m.x, m.y);
                    });
            },
            Qt::QueuedConnection);
        // A right-button press does nothing else on a note selector.
        return m.button == 2;
    }
    return false;
}

QtForm::QtForm() : form_(new FormWidget(*this)) {
    form_->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint);
    form_->setWindowTitle(QString::fromUtf16(kFormTitle));
    // Every size the desktop may ask for, so the icon stays sharp on scaled screens.
    QIcon windowIcon;
    for (int size : {16, 24, 32, 48, 64, 128})
        windowIcon.addFile(QStringLiteral(":/icons/vantoly-%1.png").arg(size), QSize(size, size));
    form_->setWindowIcon(windowIcon);

    const float tpp = twipsPerPixelX();
    auto pixels = [tpp](float twips) { return qRound(twips / tpp); };
    for (const ControlDefinition& definition : kFormControls) {
        QWidget* widget = makeControl(definition);
        widget->setGeometry(pixels(definition.left), pixels(definition.top),
                            pixels(definition.width), pixels(definition.height));
        if (*definition.tooltip)
            widget->setToolTip(QString::fromUtf16(definition.tooltip));
        if (*definition.accessibleName)
            widget->setAccessibleName(QString::fromUtf16(definition.accessibleName));
        // The window's own font is the desktop's here; only the ones that differ are set.
        if (definition.font != &kWindowFont) {
            QFont font(QString::fromUtf16(definition.font->face));
            font.setPointSizeF(definition.font->hundredthsOfPoint / 100.0);
            font.setWeight(definition.font->bold ? QFont::Bold : QFont::Normal);
            widget->setFont(font);
        }
    }
    option1_[0]->setChecked(true);
    selectorFocus();

    timer1_ = new QTimer(form_);
    timer1_->setInterval(kTimer1IntervalMs);
    timer1_->setTimerType(Qt::VeryCoarseTimer);
    QObject::connect(timer1_, &QTimer::timeout, form_,
                     [this] { dispatch([this] { events_->Timer1_Timer(); }); });
    timer1_->start();
    timerAlarm_ = new QTimer(form_);
    timerAlarm_->setInterval(kTimerAlarmIntervalMs);
    QObject::connect(timerAlarm_, &QTimer::timeout, form_,
                     [this] { dispatch([this] { events_->timerAlarm_Timer(); }); });

    for (size_t i = 0; i + 1 < kTabOrder.size(); ++i)
        QWidget::setTabOrder(control(kTabOrder[i]), control(kTabOrder[i + 1]));

    form_->resize(pixels(kClientWidthTwips), pixels(kClientHeightTwips));
    form_->setMinimumSize(pixels(kMinimumWidthTwips), pixels(kMinimumHeightTwips));
}

// One control of the definition, made and wired to its handlers.
QWidget* QtForm::makeControl(const ControlDefinition& definition) {
    const QString caption = QString::fromUtf16(definition.caption);
    const Control which = definition.control;
    switch (definition.kind) {
    case ControlKind::NoteSelector: {
        const auto index = int16_t(which == Control::Option1_0   ? 0
                                   : which == Control::Option1_1 ? 1
                                                                 : 2);
        auto* selector = new QRadioButton(caption, form_);
        option1_[size_t(index)] = selector;
        titles_[size_t(index)] = caption;
        selector->installEventFilter(form_);
        // A click selects (and the note takes the focus); a right-click renames and leaves the
        // focus where the user was typing. Tab still reaches the selectors.
        QObject::connect(selector, &QRadioButton::toggled, form_, [this, index](bool selected) {
            selectorFocus();
            if (selected)
                dispatch([this, index] { events_->Option1_Click(index); });
        });
        return selector;
    }
    case ControlKind::Toggle: {
        auto* box = new QPushButton(caption, form_);
        box->setCheckable(true);
        (which == Control::chkBlack ? chkBlack_ : chkNote_) = box;
        QObject::connect(box, &QPushButton::clicked, form_, [this, which](bool checked) {
            checkValues_[which] = checked ? 1 : 0;
            dispatch([this, which] {
                if (which == Control::chkBlack)
                    events_->chkBlack_Click();
                else
                    events_->chkNote_Click();
            });
        });
        return box;
    }
    case ControlKind::PictureBox:
        picture1_ = new QLabel(form_);
        picture1_->setVisible(false);
        return picture1_;
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(caption, form_);
        button->setDefault(definition.kind == ControlKind::DefaultButton);
        (which == Control::Command1   ? command1_
         : which == Control::Command2 ? command2_
                                      : command3_) = button;
        QObject::connect(button, &QPushButton::clicked, form_, [this, which] {
            dispatch([this, which] {
                if (which == Control::Command1)
                    events_->Command1_Click();
                else if (which == Control::Command2)
                    events_->Command2_Click();
                else
                    events_->Command3_Click();
            });
        });
        return button;
    }
    case ControlKind::NoteBox:
        break;
    }
    txtNote_ = new QPlainTextEdit(form_);
    txtNote_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNote_->setTabChangesFocus(true);
    // Checked as text comes in (set or pasted), before the box lays it out; only the new text
    // and the run it may continue are read.
    QObject::connect(txtNote_->document(), &QTextDocument::contentsChange, txtNote_,
                     [this](int position, int, int added) {
                         if (!fillingBox_) {
                             noteEdited_ = true;
                             ++noteRevision_;
                             if (noteEditedByUser_)
                                 noteEditedByUser_();
                         }
                         if (added <= kLongestWord ||
                             txtNote_->wordWrapMode() == QTextOption::WrapAnywhere)
                             return;
                         QTextCursor range(txtNote_->document());
                         range.setPosition(std::max(position - int(kLongestWord), 0));
                         range.setPosition(
                             std::min(position + added, txtNote_->document()->characterCount() - 1),
                             QTextCursor::KeepAnchor);
                         if (hasLongWord(range.selectedText()))
                             txtNote_->setWordWrapMode(QTextOption::WrapAnywhere);
                     });
    return txtNote_;
}

QtForm::~QtForm() {
    delete form_;
}

void QtForm::connectEvents(FormEvents* events, std::function<void(const char*)> reportFailure) {
    events_ = events;
    reportFailure_ = std::move(reportFailure);
}

void QtForm::dispatch(const std::function<void()>& handler) {
    if (events_)
        RunHandler(handler, reportFailure_);
}

QWidget* QtForm::widget() const {
    return form_;
}

QWidget* QtForm::control(Control control) const {
    switch (control) {
    case Control::Option1_0:
        return option1_[0];
    case Control::Option1_1:
        return option1_[1];
    case Control::Option1_2:
        return option1_[2];
    case Control::chkBlack:
        return chkBlack_;
    case Control::chkNote:
        return chkNote_;
    case Control::Picture1:
        return picture1_;
    case Control::Command3:
        return command3_;
    case Control::Command2:
        return command2_;
    case Control::Command1:
        return command1_;
    case Control::txtNote:
        return txtNote_;
    }
    return nullptr;
}

float QtForm::twipsPerPixelX() const {
    return float(1440.0 / screenOf(form_)->logicalDotsPerInchX());
}

float QtForm::twipsPerPixelY() const {
    return float(1440.0 / screenOf(form_)->logicalDotsPerInchY());
}

float QtForm::formGeometry(Edge edge) const {
    const QRect frame = form_->frameGeometry();
    switch (edge) {
    case Edge::Left:
        // Where the window cannot be placed its position is not known either: the one given
        // stays, so the user's stored position is never overwritten.
        if (unplacedPosition_)
            return unplacedPosition_->x();
        return float(frame.x()) * twipsPerPixelX();
    case Edge::Top:
        if (unplacedPosition_)
            return unplacedPosition_->y();
        return float(frame.y()) * twipsPerPixelY();
    case Edge::Width:
        return float(form_->width()) * twipsPerPixelX() + kDesignedFrameWidthTwips;
    case Edge::Height:
        return float(form_->height()) * twipsPerPixelY() + kDesignedFrameHeightTwips;
    }
    return 0;
}

void QtForm::setFormGeometry(Edge edge, float twips) {
    const QRect frame = form_->frameGeometry();
    if ((edge == Edge::Left || edge == Edge::Top) && !WindowsCanBePlaced()) {
        if (!unplacedPosition_) {
            unplacedPosition_ = QPointF(formGeometry(Edge::Left), formGeometry(Edge::Top));
            std::fprintf(stderr, "Vantoly: this Wayland session places the note window itself and "
                                 "cannot keep it on top; run Vantoly through XWayland "
                                 "(QT_QPA_PLATFORM=xcb) for that\n");
        }
        (edge == Edge::Left ? unplacedPosition_->rx() : unplacedPosition_->ry()) = twips;
        return;
    }
    switch (edge) {
    case Edge::Left: {
        // Unchanged values are not applied, so the window manager keeps placing a new window.
        const int px = pixels(edge, twips);
        if (px != frame.x())
            form_->move(px, frame.y());
        return;
    }
    case Edge::Top: {
        const int px = pixels(edge, twips);
        if (px != frame.y())
            form_->move(frame.x(), px);
        return;
    }
    case Edge::Width:
        form_->resize(std::max(pixels(edge, twips - kDesignedFrameWidthTwips), 1), form_->height());
        return;
    case Edge::Height:
        form_->resize(form_->width(), std::max(pixels(edge, twips - kDesignedFrameHeightTwips), 1));
        return;
    }
}

void QtForm::outerSizeMayHaveChanged() {
    if (!events_)
        return;
    // The outer size also changes when the window manager frames the window.
    const QSizeF outer(formGeometry(Edge::Width), formGeometry(Edge::Height));
    if (laidOutFor_ && *laidOutFor_ == outer)
        return;
    laidOutFor_ = outer;
    dispatch([this] { events_->Form_Resize(); });
}

void QtForm::setControlGeometry(Control control, Edge edge, float twips) {
    QWidget* widget = this->control(control);
    if (!widget)
        return;
    const int px = pixels(edge, twips);
    QRect r = widget->geometry();
    switch (edge) {
    case Edge::Left:
        r.moveLeft(px);
        break;
    case Edge::Top:
        r.moveTop(px);
        break;
    case Edge::Width:
        r.setWidth(std::max(px, 0));
        break;
    case Edge::Height:
        r.setHeight(std::max(px, 0));
        break;
    }
    widget->setGeometry(r);
    for (size_t index = 0; index < option1_.size(); ++index)
        if (widget == option1_[index])
            showTitle(index);
}

QtForm::MouseArgs QtForm::mouseArgs(const QMouseEvent& event) const {
    MouseArgs m;
    switch (event.button()) {
    case Qt::LeftButton:
        m.button = 1;
        break;
    case Qt::RightButton:
        m.button = 2;
        break;
    case Qt::MiddleButton:
        m.button = 4;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers keys = event.modifiers();
    m.shift = int16_t((keys & Qt::ShiftModifier ? 1 : 0) | (keys & Qt::ControlModifier ? 2 : 0) |
                      (keys & Qt::AltModifier ? 4 : 0));
    m.x = float(event.position().x()) * twipsPerPixelX();
    m.y = float(event.position().y()) * twipsPerPixelY();
    return m;
}

int QtForm::pixels(Edge edge, float twips) const {
    const bool horizontal = edge == Edge::Left || edge == Edge::Width;
    return int(std::lround(twips / (horizontal ? twipsPerPixelX() : twipsPerPixelY())));
}

// A position stored on a monitor that is gone (a laptop undocked, a lower resolution) would
// bring the window up where the user cannot reach it. Unless most of its title bar lies on a
// screen, it moves to the nearest place where it lies whole on one (its top-left part, title
// bar included, when it is larger); a position on a screen is left exactly as it is.
void QtForm::keepOnAScreen() {
    if (!WindowsCanBePlaced())
        return;
    QRect frame = form_->frameGeometry();
    // Before the window manager framed it the frame is not known yet: allow for a common one.
    if (frame.size() == form_->size())
        frame.adjust(0, 0, 8, 32);
    const int titleHeight = std::max(frame.height() - form_->height(), 24);
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), titleHeight));
    QScreen* nearest = nullptr;
    qint64 nearestDistance = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect shared = area.intersected(titleBar);
        if (qint64(shared.width()) * shared.height() * 2 >= qint64(titleBar.width()) * titleHeight)
            return;
        const QPoint offset = area.center() - frame.center();
        const qint64 distance = qint64(offset.x()) * offset.x() + qint64(offset.y()) * offset.y();
        if (!nearest || distance < nearestDistance) {
            nearest = screen;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return;
    const QRect area = nearest->availableGeometry();
    const int x = std::max(area.left(), std::min(frame.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.y(), area.bottom() + 1 - frame.height()));
    form_->move(x, y);
}

// A minimised window counts as hidden, so the tray and the alarm bring it back rather than
// leave it stranded where it has no taskbar entry.
bool QtForm::formVisible() const {
    return form_->isVisible() && !form_->isMinimized();
}

void QtForm::showForm() {
    if (form_->isMinimized())
        form_->setWindowState(form_->windowState() & ~Qt::WindowMinimized);
    keepOnAScreen();
    form_->show();
    form_->raise();
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
        if (noteEdited_) {
            note_ = NoteFromBox(txtNote_->document()->toRawText(), note_);
            noteEdited_ = false;
        }
        return note_;
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

void QtForm::setText(Control control, const std::u16string& text) {
    if (control == Control::txtNote) {
        note_ = text;
        noteEdited_ = false;
        noteInBox_ = false;
        ++noteRevision_;
        if (form_->isVisible()) {
            fillNoteBox();
        } else if (!txtNote_->document()->isEmpty()) {
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

uint64_t QtForm::textRevision(Control control) const {
    return control == Control::txtNote ? noteRevision_ : 0;
}

int16_t QtForm::value(Control control) const {
    if (control == Control::chkBlack || control == Control::chkNote) {
        auto it = checkValues_.find(control);
        return it == checkValues_.end() ? int16_t(0) : it->second;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(this->control(control)))
        return button->isChecked() ? int16_t(-1) : int16_t(0);
    return 0;
}

void QtForm::setValue(Control control, int16_t value) {
    auto* button = qobject_cast<QAbstractButton*>(this->control(control));
    if (!button)
        return;
    if (control == Control::chkBlack || control == Control::chkNote)
        checkValues_[control] = value;
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

void QtForm::fillNoteBox() {
    if (noteInBox_)
        return;
    // A new note wraps at words again, unless it too holds a long one.
    txtNote_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fillingBox_ = true;
    txtNote_->setPlainText(toQ(note_));
    fillingBox_ = false;
    noteInBox_ = true;
    // A very long paragraph keeps its layout: laid out again for every repaint (each blink of
    // the cursor) it would take most of a second each time.
    for (QTextBlock block = txtNote_->document()->begin(); block.isValid(); block = block.next())
        if (block.length() > 100'000)
            block.layout()->setCacheEnabled(true);
}

void QtForm::setFocus(Control control) {
    QWidget* widget = this->control(control);
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

bool QtForm::timerEnabled(Timer timer) const {
    return (timer == Timer::Timer1 ? timer1_ : timerAlarm_)->isActive();
}

void QtForm::setTimerEnabled(Timer timer, bool enabled) {
    QTimer* t = timer == Timer::Timer1 ? timer1_ : timerAlarm_;
    if (enabled && !t->isActive())
        t->start();
    else if (!enabled)
        t->stop();
}

void QtForm::loadPicture(const std::u16string& path) {
    const QString local = LocalPath(path);
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformFailure("cannot read " + local8(local) + ": " + local8(file.errorString()));
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QIcon icon;
    for (int i = 0, count = std::max(reader.imageCount(), 1); i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull())
        throw PlatformFailure("not a picture: " + local8(local));
    picture_ = icon;
    pictureBytes_ = bytes;
    picture1_->setPixmap(icon.pixmap(picture1_->size()));
    ++pictureHandle_;
}

void QtForm::savePicture(const std::u16string& path) {
    const QString local = LocalPath(path);
    const QString why =
        pictureBytes_.isEmpty()
            ? QStringLiteral("no picture")
            : WriteFileReplacing(local, pictureBytes_,
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!why.isEmpty())
        throw PlatformFailure("cannot write " + local8(local) + ": " + local8(why));
}

std::optional<QIcon> QtForm::icon(int32_t handle) const {
    if (handle != pictureHandle_ || picture_.isNull())
        return std::nullopt;
    return picture_;
}

namespace {

// A box of the program's own: a title, a close button and nothing to minimise or maximise, and
// wide enough that its title bar shows the caption whole.
void frameBox(QDialog& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.setMinimumWidth(box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160);
}

} // namespace

int QtForm::messageBox(const std::u16string& prompt, int style, const std::u16string& caption) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16:
        icon = QMessageBox::Critical;
        break;
    case 32:
        icon = QMessageBox::Question;
        break;
    case 48:
        icon = QMessageBox::Warning;
        break;
    case 64:
        icon = QMessageBox::Information;
        break;
    }
    QString text = toQ(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const bool yesNo = (style & 7) == vbYesNo;
    QMessageBox box(icon, toQ(caption), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (yesNo)
        box.setDefaultButton((style & vbDefaultButton2) ? QMessageBox::No : QMessageBox::Yes);
    frameBox(box);
    // A QMessageBox sizes itself to its text: a wider text keeps the caption whole.
    box.setStyleSheet(QStringLiteral("QLabel { min-width: %1px; }").arg(box.minimumWidth() - 80));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    if (!yesNo)
        return vbOK;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? vbYes : vbNo;
}

std::u16string QtForm::inputBox(const std::u16string& prompt, const std::u16string& caption,
                                const std::u16string& defaultText) {
    QInputDialog box(form_->isVisible() ? form_ : nullptr);
    box.setWindowTitle(toQ(caption));
    box.setLabelText(toQ(prompt));
    box.setTextValue(toQ(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    frameBox(box);
    if (box.exec() != QDialog::Accepted)
        return {};
    return fromQ(box.textValue());
}

void QtForm::closeRequested(QCloseEvent* event) {
    int16_t cancel = 0;
    if (events_)
        dispatch([&] { events_->Form_Unload(cancel); });
    if (cancel)
        event->ignore();
    else
        event->accept();
}

} // namespace vantoly::qt
