// Win32 adapter: what frmMain does to its window and controls (made in Win32FormControls.cpp;
// their messages in Win32FormMessages.cpp).
#include "platform/win32/Win32Form.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>

#include "platform/Failure.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Screens.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

// The text as it fits in width pixels drawn in the control's font, cut with "…" when it does
// not; the text itself when it fits.
std::wstring ElidedToWidth(HWND control, const std::wstring& text, int width) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(control, WM_GETFONT, 0, 0)));
    auto fits = [&](const std::wstring& shown) {
        SIZE size{};
        GetTextExtentPoint32W(dc, shown.c_str(), int(shown.size()), &size);
        return size.cx <= width;
    };
    std::wstring shown = text;
    if (!fits(text)) {
        // The longest start that fits with the ellipsis, never half a surrogate pair.
        size_t low = 0, high = text.size();
        while (low < high) {
            const size_t middle = (low + high + 1) / 2;
            if (fits(text.substr(0, middle) + L"\u2026"))
                low = middle;
            else
                high = middle - 1;
        }
        if (low > 0 && IS_HIGH_SURROGATE(text[low - 1]))
            --low;
        shown = text.substr(0, low) + L"\u2026";
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return shown;
}

} // namespace

int Win32Form::run() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        if (IsDialogMessageW(form_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

int Win32Form::pixels(float twips) const {
    return int(std::lround(twips / twipsPerPixelX()));
}

void Win32Form::place(Control c) {
    const auto& t = twips_[size_t(c)];
    MoveWindow(control(c), pixels(t[0]), pixels(t[1]), std::max(pixels(t[2]), 0),
               std::max(pixels(t[3]), 0), TRUE);
    for (int index = 0; index < 3; ++index)
        if (c == Option1(index) && tooltip_)
            showTitle(index);
}

SIZE Win32Form::outerSize(int clientWidth, int clientHeight) const {
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongW(form_, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongW(form_, GWL_EXSTYLE)));
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// A selector shows as much of its title as fits, the whole title in its tooltip when cut.
void Win32Form::showTitle(int index) {
    const HWND selector = control(Option1(index));
    RECT box{};
    GetClientRect(selector, &box);
    const int room = box.right - GetSystemMetrics(SM_CXMENUCHECK) - GetSystemMetrics(SM_CXEDGE) * 3;
    const std::wstring shown = ElidedToWidth(selector, titles_[size_t(index)], room);
    SetWindowTextW(selector, shown.c_str());
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form_;
    tool.uId = UINT_PTR(selector);
    tool.lpszText = const_cast<wchar_t*>(
        shown == titles_[size_t(index)] ? L"" : titles_[size_t(index)].c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
}

// Tab reaches the note selectors at the selected one, from either side.
void Win32Form::selectorTabStop() {
    for (int16_t index = 0; index < 3; ++index) {
        const HWND selector = control(Option1(index));
        const LONG style = GetWindowLongW(selector, GWL_STYLE);
        SetWindowLongW(selector, GWL_STYLE,
                       index == selectedNote_ ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void Win32Form::InitCommonControls() {
    ::InitCommonControls();
}

float Win32Form::formGeometry(Edge edge) const {
    RECT r{};
    GetWindowRect(form_, &r);
    switch (edge) {
    case Edge::Left:
        return twips(r.left);
    case Edge::Top:
        return twips(r.top);
    case Edge::Width:
    case Edge::Height: {
        RECT client{};
        GetClientRect(form_, &client);
        return edge == Edge::Width ? twips(client.right) + kDesignedFrameWidthTwips
                                   : twips(client.bottom) + kDesignedFrameHeightTwips;
    }
    }
    return 0;
}

void Win32Form::setFormGeometry(Edge edge, float value) {
    RECT r{};
    GetWindowRect(form_, &r);
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    switch (edge) {
    case Edge::Left:
        x = pixels(value);
        break;
    case Edge::Top:
        y = pixels(value);
        break;
    case Edge::Width:
    case Edge::Height: {
        RECT client{};
        GetClientRect(form_, &client);
        if (edge == Edge::Width)
            client.right =
                std::max(pixels(value - kDesignedFrameWidthTwips), pixels(kMinimumWidthTwips));
        else
            client.bottom =
                std::max(pixels(value - kDesignedFrameHeightTwips), pixels(kMinimumHeightTwips));
        const SIZE outer = outerSize(client.right, client.bottom);
        w = outer.cx;
        h = outer.cy;
        break;
    }
    }
    if (x == r.left && y == r.top && w == r.right - r.left && h == r.bottom - r.top)
        return;
    SetWindowPos(form_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    // A size no screen holds is neither shown nor stored again.
    if (edge == Edge::Width || edge == Edge::Height)
        KeepOnAScreen(form_, outerSize(pixels(kMinimumWidthTwips), pixels(kMinimumHeightTwips)));
}

void Win32Form::setControlGeometry(Control c, Edge edge, float value) {
    twips_[size_t(c)][size_t(edge)] = value;
    place(c);
}

// A minimised window counts as hidden, so the tray and the alarm bring it back.
bool Win32Form::formVisible() const {
    return IsWindowVisible(form_) && !IsIconic(form_);
}

void Win32Form::showForm() {
    if (IsIconic(form_))
        ShowWindow(form_, SW_RESTORE);
    KeepOnAScreen(form_, outerSize(pixels(kMinimumWidthTwips), pixels(kMinimumHeightTwips)));
    ShowWindow(form_, SW_SHOW);
    SetForegroundWindow(form_);
}

void Win32Form::showFormQuietly() {
    KeepOnAScreen(form_, outerSize(pixels(kMinimumWidthTwips), pixels(kMinimumHeightTwips)));
    ShowWindow(form_, SW_SHOWNOACTIVATE); // restores a minimised window too
    SetWindowPos(form_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The desktop and the taskbar are not a program the user types into.
bool Win32Form::keyboardElsewhere() const {
    const HWND foreground = GetForegroundWindow();
    if (!foreground || foreground == form_ || foreground == GetShellWindow())
        return false;
    wchar_t name[32] = {};
    GetClassNameW(foreground, name, 32);
    return wcscmp(name, L"Shell_TrayWnd") != 0 && wcscmp(name, L"WorkerW") != 0 &&
           wcscmp(name, L"Progman") != 0;
}

void Win32Form::hideForm() {
    ShowWindow(form_, SW_HIDE);
}

std::u16string Win32Form::text(Control c) const {
    if (c == Control::Picture1)
        return {};
    for (int index = 0; index < 3; ++index)
        if (c == Option1(index))
            return fromWide(titles_[size_t(index)]);
    return windowText(control(c));
}

void Win32Form::setText(Control c, std::u16string value) {
    if (c == Control::Picture1)
        return;
    for (int index = 0; index < 3; ++index)
        if (c == Option1(index)) {
            titles_[size_t(index)] = wide(value);
            showTitle(index);
            return;
        }
    // A multi-line edit box sends no EN_CHANGE for a text set this way.
    if (c == Control::txtNote)
        ++noteRevision_;
    SetWindowTextW(control(c), wide(value));
}

void Win32Form::clearText(Control c) {
    if (c != Control::txtNote)
        return setText(c, {});
    // Replaced as typing replaces a selection, so the box's Undo and Ctrl+Z take it back.
    SendMessageW(control(c), EM_SETSEL, 0, -1);
    SendMessageW(control(c), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

uint64_t Win32Form::textRevision(Control c) const {
    return c == Control::txtNote ? noteRevision_ : 0;
}

int16_t Win32Form::value(Control c) const {
    if (c == Control::chkBlack || c == Control::chkNote) {
        const auto it = checkValues_.find(c);
        return it == checkValues_.end() ? int16_t(0) : it->second;
    }
    if (c == Control::Option1_0 || c == Control::Option1_1 || c == Control::Option1_2)
        return SendMessageW(control(c), BM_GETCHECK, 0, 0) == BST_CHECKED ? int16_t(-1)
                                                                          : int16_t(0);
    return 0;
}

// Setting a value is not a click: no handler runs.
void Win32Form::setValue(Control c, int16_t value) {
    if (c == Control::chkBlack || c == Control::chkNote) {
        checkValues_[c] = value;
        SendMessageW(control(c), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    for (int16_t index = 0; index < 3; ++index) {
        if (Option1(index) != c)
            continue;
        if (value) {
            for (int16_t other = 0; other < 3; ++other)
                SendMessageW(control(Option1(other)), BM_SETCHECK,
                             other == index ? BST_CHECKED : BST_UNCHECKED, 0);
            selectedNote_ = index;
            selectorTabStop();
        } else {
            SendMessageW(control(c), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

void Win32Form::setFocus(Control c) {
    const HWND child = control(c);
    if (!IsWindowVisible(child) || !IsWindowEnabled(child))
        throw PlatformFailure("the control cannot take the focus");
    // A window without the keyboard would be activated by SetFocus: the control takes it when
    // the user gives the window the keyboard.
    if (GetActiveWindow() != form_) {
        lastFocus_ = child;
        return;
    }
    SetFocus(child);
}

int32_t Win32Form::windowHandle(Control c) const {
    return handleValue(control(c));
}

int32_t Win32Form::formHandle() const {
    return handleValue(form_);
}

void Win32Form::setSelection(Control c, int32_t start, int32_t length) {
    if (c != Control::txtNote)
        return;
    const int32_t from = std::max(start, 0);
    const int64_t to = std::clamp<int64_t>(int64_t(from) + length, from, INT32_MAX);
    SendMessageW(control(c), EM_SETSEL, WPARAM(from), LPARAM(to));
    SendMessageW(control(c), EM_SCROLLCARET, 0, 0);
}

int32_t Win32Form::caret() const {
    DWORD start = 0;
    SendMessageW(control(Control::txtNote), EM_GETSEL, WPARAM(&start), 0);
    return int32_t(start);
}

bool Win32Form::timerEnabled(Timer timer) const {
    return timers_[size_t(timer)];
}

void Win32Form::setTimerEnabled(Timer timer, bool enabled) {
    if (enabled == timers_[size_t(timer)])
        return;
    timers_[size_t(timer)] = enabled;
    const UINT_PTR id = UINT_PTR(timer) + 1;
    if (enabled)
        SetTimer(form_, id, UINT(TimerIntervalMs(timer)), nullptr);
    else
        KillTimer(form_, id);
}

void Win32Form::loadPicture(const std::u16string& path) {
    pictures_.load(path);
}

int32_t Win32Form::pictureHandle() const {
    return pictures_.handle();
}

void Win32Form::savePicture(const std::u16string& path) {
    pictures_.save(path);
}

int Win32Form::messageBox(const std::u16string& prompt, int style, const std::u16string& caption) {
    // With the window hidden (an installation error at start-up) the box must still be seen.
    return ShowMessageBox(formVisible() ? form_ : nullptr, prompt, style, caption);
}

std::u16string Win32Form::inputBox(const std::u16string& prompt, const std::u16string& caption,
                                   const std::u16string& defaultText) {
    return ShowInputBox(instance_, formVisible() ? form_ : nullptr, prompt, caption, defaultText);
}

} // namespace vantoly::win32
