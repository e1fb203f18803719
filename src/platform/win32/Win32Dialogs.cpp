#include "platform/win32/Win32Dialogs.h"

#include <shellapi.h>
#include <vector>

#include "app/CommandLine.h"
#include "platform/Failure.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/resource.h"

namespace vantoly::win32 {
namespace {

struct InputBoxState {
    const std::u16string* prompt;
    const std::u16string* caption;
    const std::u16string* text;
    std::u16string answer;
};

INT_PTR CALLBACK inputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<InputBoxState*>(lParam);
        SetWindowLongPtrW(box, DWLP_USER, LONG_PTR(state));
        SetWindowTextW(box, wide(*state->caption));
        SetDlgItemTextW(box, IDC_PROMPT, wide(*state->prompt));
        const HWND answer = GetDlgItem(box, IDC_ANSWER);
        SendMessageW(answer, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(answer, wide(*state->text));
        SendMessageW(answer, EM_SETSEL, 0, -1);
        SetFocus(answer);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            state->answer = windowText(GetDlgItem(box, IDC_ANSWER));
            EndDialog(box, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int ShowMessageBox(HWND owner, const std::u16string& prompt, int style,
                   const std::u16string& caption) {
    const UINT flags = UINT(style) | (owner ? 0u : MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
    return MessageBoxW(owner, wide(prompt), wide(caption), flags);
}

std::u16string ShowInputBox(HINSTANCE instance, HWND owner, const std::u16string& prompt,
                            const std::u16string& caption, const std::u16string& defaultText) {
    InputBoxState state{&prompt, &caption, &defaultText, {}};
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INPUTBOX), owner,
                                           inputBoxProc, LPARAM(&state));
    if (result == -1)
        throw PlatformFailure("the input box cannot be shown: " + errorText(GetLastError()));
    return result == IDOK ? state.answer : std::u16string();
}

std::optional<int> AnswerCommandLineInABox() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i)
        args.push_back(utf8(words[i], wcslen(words[i])));
    LocalFree(words);
    const auto answer = AnswerCommandLine(args);
    if (!answer)
        return std::nullopt;
    MessageBoxW(nullptr, wide(FromUtf8(answer->out + answer->err)), L"Vantoly",
                MB_OK | (answer->exitCode == 0 ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    return answer->exitCode;
}

} // namespace vantoly::win32
