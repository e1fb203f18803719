#include "platform/qt/QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

#include "platform/Toolkit.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

namespace {

// A box of the program's own: a title, a close button and nothing to minimise or maximise, and
// wide enough that its title bar shows the caption whole.
void frameBox(QDialog& box) {
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.setMinimumWidth(box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160);
}

} // namespace

int ShowMessageBox(const std::u16string& prompt, int style, const std::u16string& caption) {
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

std::u16string ShowInputBox(QWidget* parent, const std::u16string& prompt,
                            const std::u16string& caption, const std::u16string& defaultText) {
    QInputDialog box(parent);
    box.setWindowTitle(toQ(caption));
    box.setLabelText(toQ(prompt));
    box.setTextValue(toQ(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    frameBox(box);
    if (box.exec() != QDialog::Accepted)
        return {};
    return fromQ(box.textValue());
}

} // namespace vantoly::qt
