#pragma once
// Win32 adapter: the program's modal boxes: MessageBoxW, and the input box (a dialog resource).
#include "platform/win32/WindowsHeaders.h"
#include <optional>
#include <string>

namespace vantoly::win32 {

// owner: null for a box of its own, which then comes up on top, since nothing else shows it.
int ShowMessageBox(HWND owner, const std::u16string& prompt, int style,
                   const std::u16string& caption);
// The command line's options answered in a box, as a program without a console does; the exit
// code when the program is not to start.
std::optional<int> AnswerCommandLineInABox();
// The text entered; empty when the box was cancelled.
std::u16string ShowInputBox(HINSTANCE instance, HWND owner, const std::u16string& prompt,
                            const std::u16string& caption, const std::u16string& defaultText);

} // namespace vantoly::win32
