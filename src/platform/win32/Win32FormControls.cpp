// Win32 adapter: the note window and its controls made as defined, with their fonts.
#include "platform/win32/Win32Form.h"

#include <commctrl.h>

#include "platform/Failure.h"
#include "platform/win32/ControlIds.h"
#include "platform/win32/Win32Screens.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/resource.h"

namespace vantoly::win32 {

Win32Form::Win32Form(HINSTANCE instance) : instance_(instance) {
    // The controls below need the common controls (tooltips, the v6 look) before they exist.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.style = CS_DBLCLKS;
    formClass.lpfnWndProc = formProc;
    formClass.hInstance = instance;
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    formClass.lpszClassName = kFormClass;
    formClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VANTOLY));
    formClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VANTOLY),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&formClass);
    WNDCLASSEXW pictureClass{};
    pictureClass.cbSize = sizeof pictureClass;
    pictureClass.lpfnWndProc = pictureProc;
    pictureClass.hInstance = instance;
    pictureClass.lpszClassName = kPictureClass;
    RegisterClassExW(&pictureClass);

    dpi_ = WindowDpi(nullptr);
    constexpr DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    constexpr DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    form_ = CreateWindowExW(exStyle, kFormClass, reinterpret_cast<const wchar_t*>(kFormTitle),
                            style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            nullptr, nullptr, instance, this);
    if (!form_)
        throw PlatformFailure("the window cannot be created: " + errorText(GetLastError()));
    dpi_ = WindowDpi(form_);
    makeFonts();

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_,
                               nullptr, instance, nullptr);
    for (const ControlDefinition& definition : kFormControls)
        makeControl(definition, instance);
    SendMessageW(control(Control::Option1_0), BM_SETCHECK, BST_CHECKED, 0);

    // The tab order is the z-order of the children.
    HWND after = HWND_TOP;
    for (Control c : kTabOrder) {
        SetWindowPos(control(c), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control(c);
    }

    SetTimer(form_, UINT_PTR(Timer::Timer1) + 1, kTimer1IntervalMs, nullptr);
    timers_[size_t(Timer::Timer1)] = true;

    // The client area as designed; the frame comes on top of it.
    RECT outer{0, 0, pixels(kClientWidthTwips), pixels(kClientHeightTwips)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    SetWindowPos(form_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Where Windows placed it, unless that is the corner; a stored place, read next, wins.
    AwayFromTheCorner(form_);
}

Win32Form::~Win32Form() {
    stopEvents();
    if (form_)
        DestroyWindow(form_);
    for (HFONT font : {windowFont_, boldFont_, noteFont_})
        if (font)
            DeleteObject(font);
}

void Win32Form::makeFonts() {
    auto font = [&](const FontDefinition& definition) {
        return CreateFontW(-MulDiv(definition.hundredthsOfPoint, int(dpi_), 7200), 0, 0, 0,
                           definition.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           BYTE(definition.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           reinterpret_cast<const wchar_t*>(definition.face));
    };
    windowFont_ = font(kWindowFont);
    boldFont_ = font(kBoldFont);
    noteFont_ = font(kNoteFont);
}

// One control of the definition, as a child window in its place with its font and tooltip.
void Win32Form::makeControl(const ControlDefinition& definition, HINSTANCE instance) {
    const Control which = definition.control;
    const wchar_t* windowClass = WC_BUTTONW;
    DWORD style = WS_VISIBLE | WS_TABSTOP | WS_GROUP, extra = 0;
    switch (definition.kind) {
    case ControlKind::NoteSelector:
        // One group: the first selector starts it and alone is a tab stop.
        style = WS_VISIBLE | BS_AUTORADIOBUTTON |
                (which == Control::Option1_0 ? WS_GROUP | WS_TABSTOP : 0);
        break;
    case ControlKind::Toggle:
        style |= BS_AUTOCHECKBOX | BS_PUSHLIKE;
        break;
    case ControlKind::PictureBox:
        windowClass = kPictureClass;
        style = 0;
        break;
    case ControlKind::Button:
        style |= BS_PUSHBUTTON;
        break;
    case ControlKind::DefaultButton:
        style |= BS_DEFPUSHBUTTON;
        break;
    case ControlKind::NoteBox:
        windowClass = WC_EDITW;
        style |= WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        extra = WS_EX_CLIENTEDGE;
        break;
    }
    const HWND child =
        CreateWindowExW(extra, windowClass, reinterpret_cast<const wchar_t*>(definition.caption),
                        WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, form_,
                        reinterpret_cast<HMENU>(UINT_PTR(ControlId(which))), instance, nullptr);
    controls_[size_t(which)] = child;
    twips_[size_t(which)] = {definition.left, definition.top, definition.width, definition.height};
    SendMessageW(child, WM_SETFONT, WPARAM(fontOf(which)), FALSE);
    place(which);
    if (definition.kind == ControlKind::NoteBox)
        SendMessageW(child, EM_SETLIMITTEXT, 0, 0); // as much as memory holds
    if (definition.kind == ControlKind::NoteBox || definition.kind == ControlKind::NoteSelector)
        SetWindowSubclass(child, controlProc, kSubclass, DWORD_PTR(this));

    // A selector's tooltip shows its title when the title does not fit.
    if (*definition.tooltip || definition.kind == ControlKind::NoteSelector) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = form_;
        tool.uId = UINT_PTR(child);
        tool.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(definition.tooltip));
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    }
    if (definition.kind == ControlKind::NoteSelector) {
        const int16_t index = Option1Index(which);
        titles_[size_t(index)] = reinterpret_cast<const wchar_t*>(definition.caption);
        showTitle(index);
    }
}

HFONT Win32Form::fontOf(Control control) const {
    for (const ControlDefinition& definition : kFormControls)
        if (definition.control == control)
            return definition.font == &kBoldFont   ? boldFont_
                   : definition.font == &kNoteFont ? noteFont_
                                                   : windowFont_;
    return windowFont_;
}

} // namespace vantoly::win32
