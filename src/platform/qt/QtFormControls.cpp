// Qt adapter: the note window and its controls made as defined, and the events they raise.
#include "platform/qt/QtForm.h"
#include "platform/qt/QtPaths.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace vantoly::qt {
namespace {

// Qt's word wrapping takes time that grows with the square of a word's length: a pasted or
// stored run of thousands of characters without a space (minified data, a long link) would
// freeze the window for minutes. Such a run is wrapped anywhere all the same, so wrapping the
// whole note anywhere then looks alike and takes no time.
constexpr qsizetype kLongestWord = 1000;

// Read as PNG and nothing else: asked to guess, Qt loads every image format plugin it has to ask
// each whether it reads PNG better than Qt itself.
QPixmap Png(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

bool HasLongWord(QStringView text) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWord)
            return true;
    }
    return false;
}

FormWidget::FormWidget(QtForm& owner) : owner_(owner) {}

void FormWidget::closeEvent(QCloseEvent* event) {
    owner_.closeRequested(event);
}

bool FormWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
        owner_.moved();
        [[fallthrough]];
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
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        owner_.deliver([](FormEvents& e) { e.Form_DblClick(); });
    QWidget::mouseDoubleClickEvent(event);
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!childAt(event->position().toPoint())) {
        const auto m = owner_.mouseArgs(*event);
        owner_.deliver([&](FormEvents& e) { e.Form_MouseUp(m.button, m.shift, m.x, m.y); });
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
                owner_.deliver([&](FormEvents& e) {
                    e.Option1_MouseDown(index, m.button, m.shift, m.x, m.y);
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
    form_->setWindowTitle(toQ(kFormTitle));
    // The controls are made at their first use, the window's first show as a rule: until then
    // their places and the titles are kept here.
    for (const ControlDefinition& definition : kFormControls) {
        places_[definition.control] = designedGeometry(definition);
        if (definition.kind == ControlKind::NoteSelector)
            titles_[size_t(Option1Index(definition.control))] = toQ(definition.caption);
    }

    for (const Timer which : {Timer::Timer1, Timer::timerAlarm, Timer::timerAutosave}) {
        auto* t = new QTimer(form_);
        t->setInterval(TimerIntervalMs(which));
        QObject::connect(t, &QTimer::timeout, form_, [this, which] { tick(which); });
        timers_[size_t(which)] = t;
    }
    timers_[size_t(Timer::Timer1)]->setTimerType(Qt::VeryCoarseTimer);
    timers_[size_t(Timer::Timer1)]->start();

    form_->resize(pixels(Edge::Width, kClientWidthTwips), pixels(Edge::Height, kClientHeightTwips));
    form_->setMinimumSize(pixels(Edge::Width, kMinimumWidthTwips),
                          pixels(Edge::Height, kMinimumHeightTwips));
}

// The controls and the window's icon wait for the window's first show: a tray program spends
// most of its life with the window hidden, and may never show it. Made at start, they cost
// more than 2 MB of memory (the style, fonts, the note box).
void QtForm::prepareFirstShow() {
    makeControls();
    if (form_->testAttribute(Qt::WA_SetWindowIcon))
        return;
    // Every size the desktop may ask for, so the icon stays sharp on scaled screens.
    QIcon windowIcon;
    for (int size : {16, 24, 32, 48, 64, 128})
        windowIcon.addPixmap(Png(QStringLiteral(":/icons/vantoly-%1.png").arg(size)));
    form_->setWindowIcon(windowIcon);
}

QRect QtForm::designedGeometry(const ControlDefinition& definition) const {
    return QRect(pixels(Edge::Left, definition.left), pixels(Edge::Top, definition.top),
                 pixels(Edge::Width, definition.width), pixels(Edge::Height, definition.height));
}

// A control's tooltip, name for assistive tools and font.
void QtForm::dress(QWidget* widget, const ControlDefinition& definition) {
    if (*definition.tooltip)
        widget->setToolTip(toQ(definition.tooltip));
    if (*definition.accessibleName)
        widget->setAccessibleName(toQ(definition.accessibleName));
    // The window's own font is the desktop's here; only the ones that differ are set.
    if (definition.font != &kWindowFont) {
        QFont font(toQ(definition.font->face));
        font.setPointSizeF(definition.font->hundredthsOfPoint / 100.0);
        font.setWeight(definition.font->bold ? QFont::Bold : QFont::Normal);
        widget->setFont(font);
    }
}

void QtForm::makeControls() const {
    if (controlsMade())
        return;
    auto& self = const_cast<QtForm&>(*this);
    for (const ControlDefinition& definition : kFormControls) {
        QWidget* widget = self.makeControl(definition);
        self.controls_[size_t(definition.control)] = widget;
        self.dress(widget, definition);
        widget->setGeometry(places_.at(definition.control));
    }
    // What was set meanwhile.
    {
        const QSignalBlocker noClick(option1_[size_t(selected_)]);
        option1_[size_t(selected_)]->setChecked(true);
    }
    for (size_t index = 0; index < option1_.size(); ++index)
        self.showTitle(index);
    for (const Control box : {Control::chkBlack, Control::chkNote})
        static_cast<QPushButton*>(control(box))->setChecked(value(box) != 0);
    if (const auto picture = pictures_.icon(pictures_.handle()))
        picture1_->setPixmap(picture->pixmap(picture1_->size()));
    self.selectorFocus();
    for (size_t i = 0; i + 1 < kTabOrder.size(); ++i)
        QWidget::setTabOrder(control(kTabOrder[i]), control(kTabOrder[i + 1]));
    // Made under a window already up, they would stay hidden.
    if (form_->isVisible())
        for (const ControlDefinition& definition : kFormControls)
            control(definition.control)->setVisible(definition.control != Control::Picture1);
}

// One control of the definition, made and wired to its handlers.
QWidget* QtForm::makeControl(const ControlDefinition& definition) {
    const QString caption = toQ(definition.caption);
    const Control which = definition.control;
    switch (definition.kind) {
    case ControlKind::NoteSelector: {
        const int16_t index = Option1Index(which);
        auto* selector = new QRadioButton(caption, form_);
        option1_[size_t(index)] = selector;
        selector->installEventFilter(form_);
        // A click selects (and the note takes the focus); a right-click renames and leaves the
        // focus where the user was typing. Tab still reaches the selectors.
        QObject::connect(selector, &QRadioButton::toggled, form_,
                         [this, index, which](bool selected) {
                             selectorFocus();
                             if (!selected)
                                 return;
                             selected_ = index;
                             click(which);
                         });
        return selector;
    }
    case ControlKind::Toggle: {
        auto* box = new QPushButton(caption, form_);
        box->setCheckable(true);
        QObject::connect(box, &QPushButton::clicked, form_, [this, which](bool checked) {
            checkValues_[which] = checked ? 1 : 0;
            click(which);
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
        QObject::connect(button, &QPushButton::clicked, form_, [this, which] { click(which); });
        return button;
    }
    case ControlKind::NoteBox:
        break;
    }
    txtNote_ = new QPlainTextEdit(form_);
    txtNote_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNote_->setTabChangesFocus(true);
    // Redo by either key a user knows: the desktop's own (Ctrl+Shift+Z here) and Ctrl+Y.
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), txtNote_, nullptr, nullptr,
                               Qt::WidgetShortcut);
    QObject::connect(redo, &QShortcut::activated, txtNote_, &QPlainTextEdit::redo);
    // Checked as text comes in (set or pasted), before the box lays it out; only the new text
    // and the run it may continue are read.
    QObject::connect(txtNote_->document(), &QTextDocument::contentsChange, txtNote_,
                     [this](int position, int, int added) {
                         if (!fillingBox_) {
                             noteEdited_ = true;
                             ++noteRevision_;
                             deliver([](FormEvents& e) { e.NoteTyped(); });
                         }
                         if (added <= kLongestWord ||
                             txtNote_->wordWrapMode() == QTextOption::WrapAnywhere)
                             return;
                         QTextCursor range(txtNote_->document());
                         range.setPosition(std::max(position - int(kLongestWord), 0));
                         range.setPosition(
                             std::min(position + added, txtNote_->document()->characterCount() - 1),
                             QTextCursor::KeepAnchor);
                         if (HasLongWord(range.selectedText()))
                             txtNote_->setWordWrapMode(QTextOption::WrapAnywhere);
                     });
    return txtNote_;
}

} // namespace vantoly::qt
