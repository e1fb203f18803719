// Drives the real vantoly.exe from outside, as a user and as Windows would: finds its windows,
// reads their texts and styles, presses its buttons and sends the shell's and the session's
// messages. Prints results as UTF-8; exits 0 when the command did what it says, 1 when not,
// 2 on a usage error.
#include "platform/win32/ControlIds.h"

#include "platform/win32/Win32Text.h"
#include "platform/win32/WindowsHeaders.h"
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <io.h>
#include <iterator>
#include <map>
#include <string>

#include <commctrl.h>
#include <shellapi.h>

using vantoly::Control;
using vantoly::win32::utf8;

namespace {

const std::map<std::string, Control> kControls = {
    {"Option1(0)", Control::Option1_0}, {"Option1(1)", Control::Option1_1},
    {"Option1(2)", Control::Option1_2}, {"chkBlack", Control::chkBlack},
    {"chkNote", Control::chkNote},      {"Picture1", Control::Picture1},
    {"Command3", Control::Command3},    {"Command2", Control::Command2},
    {"Command1", Control::Command1},    {"txtNote", Control::txtNote},
};

std::wstring fromUtf8(const char* text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    out.resize(size_t(n > 0 ? n - 1 : 0));
    return out;
}

std::wstring textOf(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(length) + 1, L'\0');
    const auto got = SendMessageW(window, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()));
    text.resize(size_t(got));
    return text;
}

HWND form() {
    return FindWindowW(L"VantolyForm", L"Vantoly");
}

HWND control(const std::string& name) {
    const auto it = kControls.find(name);
    if (it == kControls.end()) {
        std::fprintf(stderr, "driver: no control %s\n", name.c_str());
        std::exit(2);
    }
    return GetDlgItem(form(), vantoly::win32::ControlId(it->second));
}

// A dialog box of the program: the message box or the input box.
struct BoxSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND box() {
    BoxSearch search{0, nullptr};
    GetWindowThreadProcessId(form(), &search.process);
    EnumWindows(findBox, LPARAM(&search));
    return search.found;
}

// The icons in Wine's own notification area (the one it shows when the desktop has none).
struct TrayIcons {
    int count = 0;
    RECT first{};
};

BOOL CALLBACK countIcon(HWND window, LPARAM data) {
    auto* icons = reinterpret_cast<TrayIcons*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"__winex11_tray_icon") == 0 && IsWindowVisible(window)) {
        if (icons->count++ == 0)
            GetWindowRect(window, &icons->first);
    }
    return TRUE;
}

BOOL CALLBACK findTrays(HWND window, LPARAM data) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"__winex11_standalone_tray") == 0 && IsWindowVisible(window))
        EnumChildWindows(window, countIcon, data);
    return TRUE;
}

// The tooltips and balloons the shell shows, not the program's own.
BOOL CALLBACK printShellTip(HWND window, LPARAM balloonsOnly) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    DWORD process = 0, program = 0;
    GetWindowThreadProcessId(window, &process);
    GetWindowThreadProcessId(form(), &program);
    const bool balloon = GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON;
    if (std::wcscmp(cls, TOOLTIPS_CLASSW) == 0 && IsWindowVisible(window) && process != program &&
        (!balloonsOnly || balloon))
        std::printf("%s\n", utf8(textOf(window)).c_str());
    return TRUE;
}

int usage() {
    std::fputs("usage: driver wait-form SECONDS | visible | topmost | text CONTROL |\n"
               "  set-text CONTROL TEXT | set-text-file CONTROL FILE | click CONTROL | right-click "
               "CONTROL | tray MESSAGE |\n"
               "  close | end-session | taskbar-created | delete-icon | box-text |\n"
               "  box-answer TEXT | box-ok | box-cancel | selection | focus | version FILE |\n"
               "  tray-icons | shell-tip | shell-balloon | resize W H | place | rect CONTROL |\n"
               "  background double-click|right-click\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    _setmode(_fileno(stdout), _O_BINARY); // texts as they are, line breaks included
    const std::string command = argv[1];
    auto arg = [&](int i) -> const char* {
        if (argc <= i)
            std::exit(usage());
        return argv[i];
    };
    if (command == "version") { // a file's version resource, as Explorer's properties show it
        const std::wstring file = fromUtf8(arg(2));
        DWORD zero = 0;
        std::string block(GetFileVersionInfoSizeW(file.c_str(), &zero), '\0');
        if (block.empty() ||
            !GetFileVersionInfoW(file.c_str(), 0, DWORD(block.size()), block.data()))
            return 1;
        for (const wchar_t* item : {L"ProductName", L"FileVersion", L"LegalCopyright"}) {
            wchar_t* value = nullptr;
            UINT length = 0;
            const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + item;
            if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value),
                               &length))
                std::printf("%s %s\n", utf8(std::wstring(item)).c_str(), utf8(value).c_str());
        }
        return 0;
    }
    if (command == "wait-form") {
        const DWORD deadline = GetTickCount() + DWORD(std::atoi(arg(2))) * 1000;
        while (!form()) {
            if (GetTickCount() > deadline)
                return 1;
            Sleep(100);
        }
        return 0;
    }
    if (command == "tray-icons") { // prints how many, and where the first one's middle is
        TrayIcons icons;
        EnumWindows(findTrays, LPARAM(&icons));
        std::printf("%d", icons.count);
        if (icons.count)
            std::printf(" %ld %ld", (icons.first.left + icons.first.right) / 2,
                        (icons.first.top + icons.first.bottom) / 2);
        std::printf("\n");
        return 0;
    }
    if (command == "shell-tip" || command == "shell-balloon") {
        EnumWindows(printShellTip, command == "shell-balloon");
        return 0;
    }
    if (!form()) {
        std::fputs("driver: the Vantoly window is not there\n", stderr);
        return 1;
    }
    if (command == "visible")
        return IsWindowVisible(form()) ? 0 : 1;
    if (command == "topmost")
        return GetWindowLongW(form(), GWL_EXSTYLE) & WS_EX_TOPMOST ? 0 : 1;
    if (command == "focus") { // the control that has the keyboard focus
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(form(), nullptr), &info);
        for (const auto& [name, c] : kControls)
            if (info.hwndFocus && info.hwndFocus == control(name))
                std::printf("%s\n", name.c_str());
        return info.hwndFocus ? 0 : 1;
    }
    if (command == "resize") { // the window's outer size, in pixels, as a user drags it
        return SetWindowPos(form(), nullptr, 0, 0, std::atoi(arg(2)), std::atoi(arg(3)),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 1;
    }
    if (command == "place") { // the window's left, top, width and height on the screen
        RECT r{};
        GetWindowRect(form(), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "client") {
        RECT r{};
        GetClientRect(form(), &r);
        std::printf("%ld %ld\n", r.right, r.bottom);
        return 0;
    }
    if (command == "rect") { // a control's place in the client area, in pixels
        RECT r{};
        GetWindowRect(control(arg(2)), &r);
        MapWindowPoints(nullptr, form(), reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "background") { // a double-click or a right-click on the window's background
        const std::string what = arg(2);
        const LPARAM at = MAKELPARAM(2, 2); // left of and above every control
        if (what == "double-click") {
            PostMessageW(form(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(form(), WM_LBUTTONUP, 0, at);
            PostMessageW(form(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            return PostMessageW(form(), WM_LBUTTONUP, 0, at) ? 0 : 1;
        }
        if (what == "right-click") {
            PostMessageW(form(), WM_RBUTTONDOWN, MK_RBUTTON, at);
            return PostMessageW(form(), WM_RBUTTONUP, 0, at) ? 0 : 1;
        }
        return usage();
    }
    if (command == "text") {
        std::printf("%s\n", utf8(textOf(control(arg(2)))).c_str());
        return 0;
    }
    if (command == "set-text" || command == "set-text-file") {
        // From a file, text reaches us in UTF-8 whatever the code page of the command line.
        std::string utf8Text = arg(3);
        if (command == "set-text-file") {
            std::ifstream in(arg(3), std::ios::binary);
            utf8Text.assign(std::istreambuf_iterator<char>(in), {});
        }
        const std::wstring text = fromUtf8(utf8Text.c_str());
        return SendMessageW(control(arg(2)), WM_SETTEXT, 0, LPARAM(text.c_str())) ? 0 : 1;
    }
    if (command == "click") // posted: the click may open a box that waits for us
        return PostMessageW(control(arg(2)), BM_CLICK, 0, 0) ? 0 : 1;
    if (command == "right-click") {
        const HWND target = control(arg(2));
        PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        return PostMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)) ? 0 : 1;
    }
    if (command == "tray") // as the shell calls back: uID in wParam, the mouse message in lParam
        return PostMessageW(control("Picture1"), WM_MOUSEMOVE, 999, std::atoi(arg(2))) ? 0 : 1;
    if (command == "close")
        return PostMessageW(form(), WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "end-session") {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(form(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                            &answer);
        std::printf("query answered %d\n", int(answer));
        SendMessageTimeoutW(form(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                            nullptr);
        return answer ? 0 : 1;
    }
    if (command == "taskbar-created")
        return PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0
                                                                                             : 1;
    if (command == "delete-icon") { // as a restarting Explorer loses every icon
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = control("Picture1");
        data.uID = 999;
        return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
    }
    if (command == "selection") {
        DWORD from = 0, to = 0;
        const HWND note = control("txtNote");
        SendMessageW(note, EM_GETSEL, WPARAM(&from), LPARAM(&to));
        std::printf("%s\n", utf8(textOf(note).substr(from, to - from)).c_str());
        return 0;
    }
    const HWND dialog = box();
    if (command == "box-text") {
        if (!dialog)
            return 1;
        std::printf("caption: %s\n", utf8(textOf(dialog)).c_str());
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            if (_wcsicmp(cls, L"Static") == 0 && !textOf(child).empty())
                std::printf("text: %s\n", utf8(textOf(child)).c_str());
        }
        return 0;
    }
    if (command == "box-answer") {
        if (!dialog)
            return 1;
        const std::wstring text = fromUtf8(arg(2));
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[64] = {};
            GetClassNameW(child, cls, 64);
            if (_wcsicmp(cls, L"Edit") == 0)
                SendMessageW(child, WM_SETTEXT, 0, LPARAM(text.c_str()));
        }
        return PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
    }
    if (command == "box-ok" || command == "box-cancel")
        return dialog && PostMessageW(dialog, WM_COMMAND, command == "box-ok" ? IDOK : IDCANCEL, 0)
                   ? 0
                   : 1;
    return usage();
}
