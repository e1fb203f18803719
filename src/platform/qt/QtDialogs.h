#pragma once
// Qt adapter: the program's modal boxes, framed as its own (a title shown whole, a close button
// and nothing to minimise or maximise): the message box with its styles and answers, and the
// input box.
#include <QWidget>
#include <string>

namespace vantoly::qt {

// style and the answer as in Toolkit (vbYesNo, vbExclamation, ...; vbOK, vbYes, vbNo).
int ShowMessageBox(const std::u16string& prompt, int style, const std::u16string& caption);
// The text entered; empty when the box was cancelled. parent: null for a box of its own.
std::u16string ShowInputBox(QWidget* parent, const std::u16string& prompt,
                            const std::u16string& caption, const std::u16string& defaultText);

} // namespace vantoly::qt
