#include "platform/qt/QtDialogs.h"

#include <QEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

#include "platform/Toolkit.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

namespace {

// A box of the program's own: a title, a close button and nothing to minimise or maximise.
void frameBox(QDialog& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
}

// Wide enough that a box's title bar shows the caption whole.
int captionWidth(const QWidget& box) {
    return box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160;
}

// A QMessageBox sizes itself to its text, but one it has to wrap anywhere (a long path on a
// narrow screen) gets fewer lines than the text needs, and the rest is cut off: grown by what
// its text lacks, each time it is laid out; and never narrower than its caption.
class WholeText : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = static_cast<QWidget*>(watched);
        if (event->type() != QEvent::Resize)
            return false;
        if (box->width() < captionWidth(*box))
            box->setFixedWidth(captionWidth(*box));
        else if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            const int missing = label->heightForWidth(label->width()) - label->height();
            if (missing > 0)
                box->setFixedHeight(box->height() + missing);
        }
        return false;
    }
};

} // namespace

int ShowMessageBox(const std::u16string& prompt, int style, const std::u16string& caption) {
    // vbCritical 16, vbQuestion 32, vbExclamation 48, vbInformation 64.
    static const QMessageBox::Icon icons[8] = {QMessageBox::NoIcon, QMessageBox::Critical,
                                               QMessageBox::Question, QMessageBox::Warning,
                                               QMessageBox::Information};
    const QMessageBox::Icon icon = icons[(style & 0x70) >> 4];
    QString text = toQ(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const bool yesNo = (style & 7) == vbYesNo;
    QMessageBox box(icon, toQ(caption), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (yesNo)
        box.setDefaultButton((style & vbDefaultButton2) ? QMessageBox::No : QMessageBox::Yes);
    frameBox(box);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    WholeText wholeText;
    box.installEventFilter(&wholeText);
    box.exec();
    if (!yesNo)
        return vbOK;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? vbYes : vbNo;
}

std::u16string ShowInputBox(QWidget* parent, const std::u16string& prompt,
                            const std::u16string& caption, const std::u16string& defaultText) {
    QInputDialog box(parent);
    box.setWindowTitle(toQ(caption));
    box.setLabelText(toQ(prompt));
    box.setTextValue(toQ(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    frameBox(box);
    box.setMinimumWidth(captionWidth(box));
    if (box.exec() != QDialog::Accepted)
        return {};
    return fromQ(box.textValue());
}

} // namespace vantoly::qt
