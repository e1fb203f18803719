// Win32 adapter: the window's and its controls' messages, turned into the form's events.
#include "platform/win32/Win32Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/ControlIds.h"
#include "platform/win32/Win32Screens.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

constexpr UINT kOptionMouseDown = WM_APP + 1;

int16_t shiftState(WPARAM keys) {
    return int16_t((keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0) |
                   (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

} // namespace

MouseArgs Win32Form::mouseArgs(int16_t button, WPARAM keys, LPARAM position) const {
    MouseArgs m;
    m.button = button;
    m.shift = shiftState(keys);
    m.x = twips(GET_X_LPARAM(position));
    m.y = twips(GET_Y_LPARAM(position));
    return m;
}

void Win32Form::outerSizeMayHaveChanged() {
    if (!eventsConnected() || IsIconic(form_))
        return;
    const std::pair outer{formGeometry(Edge::Width), formGeometry(Edge::Height)};
    if (laidOutFor_ == outer)
        return;
    laidOutFor_ = outer;
    deliver([](FormEvents& e) { e.Form_Resize(); });
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
    deliver([&](FormEvents& e) { e.Form_Unload(cancel); });
    if (!cancel)
        DestroyWindow(form_);
}

void Win32Form::command(WORD id, WORD code) {
    if (id == ControlId(Control::txtNote) && code == EN_CHANGE) {
        ++noteRevision_;
        deliver([](FormEvents& e) { e.NoteTyped(); });
    }
    if (code != BN_CLICKED)
        return;
    for (int16_t index = 0; index < 3; ++index)
        if (id == ControlId(Option1(index))) {
            // A click on the selected note changes nothing.
            if (SendMessageW(control(Option1(index)), BM_GETCHECK, 0, 0) != BST_CHECKED ||
                index == selectedNote_)
                return;
            selectedNote_ = index;
            selectorTabStop();
            return click(Option1(index));
        }
    for (Control button : {Control::chkBlack, Control::chkNote, Control::Command1,
                           Control::Command2, Control::Command3}) {
        if (id != ControlId(button))
            continue;
        if (button == Control::chkBlack || button == Control::chkNote)
            checkValues_[button] =
                SendMessageW(control(button), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        return click(button);
    }
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
        deliver([](FormEvents& e) { e.Form_DblClick(); });
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int16_t button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
        const MouseArgs m = mouseArgs(button, wParam, lParam);
        deliver([&](FormEvents& e) { e.Form_MouseUp(m.button, m.shift, m.x, m.y); });
        return 0;
    }
    case WM_TIMER:
        if (wParam >= 1 && wParam <= timers_.size())
            tick(Timer(wParam - 1));
        return 0;
    case kOptionMouseDown: {
        const auto index = int16_t(wParam & 0xFF);
        const auto button = int16_t((wParam >> 8) & 0xFF);
        const MouseArgs m = mouseArgs(button, wParam >> 16, lParam);
        deliver([&](FormEvents& e) { e.Option1_MouseDown(index, m.button, m.shift, m.x, m.y); });
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
        if (self) {
            const int16_t button =
                int16_t((wParam & MK_LBUTTON ? 1 : 0) | (wParam & MK_RBUTTON ? 2 : 0) |
                        (wParam & MK_MBUTTON ? 4 : 0));
            const MouseArgs m = self->mouseArgs(button, wParam, lParam);
            self->deliver(
                [&](FormEvents& e) { e.Picture1_MouseMove(m.button, m.shift, m.x, m.y); });
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
