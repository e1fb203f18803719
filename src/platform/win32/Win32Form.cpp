#include "platform/win32/Win32Form.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <exception>
#include <windowsx.h>

#include "platform/Failure.h"
#include "platform/RunHandler.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Screens.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/resource.h"

namespace vantoly::win32 {
namespace {

constexpr UINT kOptionMouseDown = WM_APP + 1;
constexpr UINT_PTR kNoteEditsTimer = 100; // beside Timer1 and timerAlarm (1 and 2)

int16_t shiftState(WPARAM keys) {
    return int16_t((keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0) |
                   (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

} // namespace

void Win32Form::connectEvents(FormEvents* events, std::function<void(const char*)> reportFailure) {
    events_ = events;
    reportFailure_ = std::move(reportFailure);
}

void Win32Form::dispatch(const std::function<void()>& handler) {
    if (events_)
        RunHandler(handler, reportFailure_);
}

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
            client.right = std::max(pixels(value - kDesignedFrameWidthTwips), 1);
        else
            client.bottom = std::max(pixels(value - kDesignedFrameHeightTwips), 1);
        const SIZE outer = outerSize(client.right, client.bottom);
        w = outer.cx;
        h = outer.cy;
        break;
    }
    }
    if (x == r.left && y == r.top && w == r.right - r.left && h == r.bottom - r.top)
        return;
    SetWindowPos(form_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
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
    KeepOnAScreen(form_);
    ShowWindow(form_, SW_SHOW);
    SetForegroundWindow(form_);
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

void Win32Form::setText(Control c, const std::u16string& value) {
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

void Win32Form::afterNoteEdits(int delayMs, std::function<void()> handler) {
    noteEditsDelayMs_ = delayMs;
    noteEdits_ = std::move(handler);
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
        SetTimer(form_, id, timer == Timer::Timer1 ? kTimer1IntervalMs : kTimerAlarmIntervalMs,
                 nullptr);
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

Win32Form::MouseArgs Win32Form::mouseArgs(int16_t button, WPARAM keys, LPARAM position) const {
    MouseArgs m;
    m.button = button;
    m.shift = shiftState(keys);
    m.x = twips(GET_X_LPARAM(position));
    m.y = twips(GET_Y_LPARAM(position));
    return m;
}

void Win32Form::outerSizeMayHaveChanged() {
    if (!events_ || IsIconic(form_))
        return;
    const std::pair outer{formGeometry(Edge::Width), formGeometry(Edge::Height)};
    if (laidOutFor_ == outer)
        return;
    laidOutFor_ = outer;
    dispatch([this] { events_->Form_Resize(); });
}

void Win32Form::dpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls let go of the old fonts before they are deleted.
    const HFONT old[] = {windowFont_, boldFont_, noteFont_};
    makeFonts();
    for (size_t c = 0; c < controls_.size(); ++c) {
        SendMessageW(controls_[c], WM_SETFONT, WPARAM(fontOf(Control(c))), FALSE);
        place(Control(c));
    }
    for (HFONT font : old)
        DeleteObject(font);
    SetWindowPos(form_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::closeRequested() {
    int16_t cancel = 0;
    if (events_)
        dispatch([&] { events_->Form_Unload(cancel); });
    if (!cancel)
        DestroyWindow(form_);
}

void Win32Form::command(WORD id, WORD code) {
    if (id == ControlId(Control::txtNote) && code == EN_CHANGE) {
        ++noteRevision_;
        if (noteEdits_ && !noteEditsDue_)
            noteEditsDue_ = SetTimer(form_, kNoteEditsTimer, UINT(noteEditsDelayMs_), nullptr) != 0;
    }
    if (code != BN_CLICKED || !events_)
        return;
    for (int16_t index = 0; index < 3; ++index)
        if (id == ControlId(Option1(index))) {
            // A click on the selected note changes nothing.
            if (SendMessageW(control(Option1(index)), BM_GETCHECK, 0, 0) != BST_CHECKED ||
                index == selectedNote_)
                return;
            selectedNote_ = index;
            selectorTabStop();
            dispatch([&] { events_->Option1_Click(index); });
            return;
        }
    for (Control box : {Control::chkBlack, Control::chkNote})
        if (id == ControlId(box)) {
            checkValues_[box] =
                SendMessageW(control(box), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            dispatch([&] {
                if (box == Control::chkBlack)
                    events_->chkBlack_Click();
                else
                    events_->chkNote_Click();
            });
            return;
        }
    if (id == ControlId(Control::Command1))
        dispatch([&] { events_->Command1_Click(); });
    else if (id == ControlId(Control::Command2))
        dispatch([&] { events_->Command2_Click(); });
    else if (id == ControlId(Control::Command3))
        dispatch([&] { events_->Command3_Click(); });
}

LRESULT CALLBACK Win32Form::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->form_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->form_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hook_)
        if (auto result = hook_(message, wParam, lParam))
            return *result;
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        closeRequested();
        return 0;
    case WM_DESTROY:
        form_ = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            outerSizeMayHaveChanged();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam)
            outerSizeMayHaveChanged();
        break;
    case WM_GETMINMAXINFO: {
        // The layout has no lower bound of its own: the window keeps room for the note box.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE least = outerSize(pixels(kMinimumWidthTwips), pixels(kMinimumHeightTwips));
        limits->ptMinTrackSize = {least.cx, least.cy};
        return 0;
    }
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        // The focus comes back to where the user left it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(form_, focus))
                lastFocus_ = focus;
        } else {
            SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : control(Control::txtNote));
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        dispatch([this] { events_->Form_DblClick(); });
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int16_t button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
        const MouseArgs m = mouseArgs(button, wParam, lParam);
        dispatch([&] { events_->Form_MouseUp(m.button, m.shift, m.x, m.y); });
        return 0;
    }
    case WM_TIMER:
        if (wParam == UINT_PTR(Timer::Timer1) + 1)
            dispatch([this] { events_->Timer1_Timer(); });
        else if (wParam == UINT_PTR(Timer::timerAlarm) + 1)
            dispatch([this] { events_->timerAlarm_Timer(); });
        else if (wParam == kNoteEditsTimer) {
            KillTimer(form_, kNoteEditsTimer);
            noteEditsDue_ = false;
            noteEdits_();
        }
        return 0;
    case kOptionMouseDown: {
        const auto index = int16_t(wParam & 0xFF);
        const auto button = int16_t((wParam >> 8) & 0xFF);
        const MouseArgs m = mouseArgs(button, wParam >> 16, lParam);
        dispatch([&] { events_->Option1_MouseDown(index, m.button, m.shift, m.x, m.y); });
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(form_, message, wParam, lParam);
}

// The tray's callbacks arrive as mouse moves with the action's message number in X.
LRESULT CALLBACK Win32Form::pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        auto* self =
            reinterpret_cast<Win32Form*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
        if (self && self->events_) {
            const int16_t button =
                int16_t((wParam & MK_LBUTTON ? 1 : 0) | (wParam & MK_RBUTTON ? 2 : 0) |
                        (wParam & MK_MBUTTON ? 4 : 0));
            const MouseArgs m = self->mouseArgs(button, wParam, lParam);
            self->dispatch([&] { self->events_->Picture1_MouseMove(m.button, m.shift, m.x, m.y); });
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32Form::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR selfValue) {
    auto* self = reinterpret_cast<Win32Form*>(selfValue);
    if (window == self->control(Control::txtNote)) {
        if (message == WM_GETDLGCODE) {
            LRESULT code = DefSubclassProc(window, message, wParam, lParam);
            // Tab moves on to OK; Enter stays in the note. Tabbing in selects nothing, so a key
            // pressed next never replaces the whole note.
            code &= ~LRESULT(DLGC_HASSETSEL);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                key->wParam == VK_TAB)
                code &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
            return code;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }
    // Presses on the note selectors, posted so a box the handler opens does not run inside the
    // press while the button holds the mouse.
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        for (int16_t index = 0; index < 3; ++index)
            if (window == self->control(Option1(index))) {
                const int button = message == WM_LBUTTONDOWN   ? 1
                                   : message == WM_RBUTTONDOWN ? 2
                                                               : 4;
                PostMessageW(self->form_, kOptionMouseDown,
                             WPARAM(index) | WPARAM(button) << 8 | (wParam & 0xFFFF) << 16, lParam);
            }
        // A right-button press does nothing else on a note selector.
        if (message == WM_RBUTTONDOWN)
            return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace vantoly::win32
