// The Win32 window as created, read back through Windows itself: every control's place,
// caption, font and tooltip; the access keys; where mouse presses go.
#include "platform/win32/Win32Form.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/win32/ControlIds.h"
#include "window/Layout.h"
#include <commctrl.h>

namespace vantoly::win32 {
namespace {

struct Recorder : FormEvents {
    std::vector<std::string> events;
    void Form_Unload(int16_t&) override { events.push_back("Form_Unload"); }
    void Form_Resize() override {}
    void Form_DblClick() override { events.push_back("Form_DblClick"); }
    void Form_MouseUp(int16_t button, int16_t, float, float) override {
        events.push_back("Form_MouseUp " + std::to_string(button));
    }
    void Option1_Click(int16_t index) override {
        events.push_back("Option1_Click " + std::to_string(index));
    }
    void Option1_MouseDown(int16_t index, int16_t button, int16_t, float, float) override {
        events.push_back("Option1_MouseDown " + std::to_string(index) + " " +
                         std::to_string(button));
    }
    void chkBlack_Click() override { events.push_back("chkBlack_Click"); }
    void chkNote_Click() override { events.push_back("chkNote_Click"); }
    void Command1_Click() override { events.push_back("Command1_Click"); }
    void Command2_Click() override { events.push_back("Command2_Click"); }
    void Command3_Click() override { events.push_back("Command3_Click"); }
    void Picture1_MouseMove(int16_t, int16_t, float, float) override {}
    void Timer1_Timer() override {}
    void timerAlarm_Timer() override {}
    void timerAutosave_Timer() override {}
    void NoteTyped() override { events.push_back("NoteTyped"); }
};

struct Form : testing::Test {
    Win32Form form{GetModuleHandleW(nullptr)};
    Recorder recorder;
    void SetUp() override {
        form.connectEvents(&recorder, [](const char* what) { ADD_FAILURE() << what; });
    }
    // Runs what was posted, as the message loop would.
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    std::vector<std::string> take() {
        pump();
        return std::exchange(recorder.events, {});
    }
    void press(Control at, UINT down, UINT up) {
        SendMessageW(form.control(at), down, 0, MAKELPARAM(3, 3));
        pump(); // the loop takes what was posted before the next input
        SendMessageW(form.control(at), up, 0, MAKELPARAM(3, 3));
    }
};

BOOL CALLBACK findTooltips(HWND window, LPARAM result) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != TOOLTIPS_CLASSW)
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND tooltipOf(HWND form) {
    HWND found = nullptr;
    EnumThreadWindows(GetWindowThreadProcessId(form, nullptr), findTooltips, LPARAM(&found));
    return found;
}

std::wstring tooltip(HWND tooltips, HWND form, HWND control) {
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form;
    tool.uId = UINT_PTR(control);
    tool.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 256, LPARAM(&tool));
    return text;
}

TEST_F(Form, EveryControlAsDefined) {
    ASSERT_FLOAT_EQ(form.twipsPerPixelX(), 15.0f); // 96 dpi
    const struct {
        Control control;
        const wchar_t* caption;
        int left, top, width, height; // twips
        const wchar_t* face;
        int points100;
        bool bold;
        int charset;
        const wchar_t* tip;
    } table[] = {
        {Control::Option1_0, L"Note 1", 120, 120, 1215, 255, L"MS Sans Serif", 825, false, 0, L""},
        {Control::Option1_1, L"Note 2", 1320, 120, 1215, 255, L"MS Sans Serif", 825, false, 0, L""},
        {Control::Option1_2, L"Note 3", 2520, 120, 1215, 255, L"MS Sans Serif", 825, false, 0, L""},
        {Control::chkBlack, L"&B", 1440, 4560, 345, 375, L"MS Sans Serif", 825, false, 0,
         L"Choose between Black and White system tray icons"},
        {Control::chkNote, L"&N", 1080, 4560, 315, 375, L"MS Sans Serif", 825, false, 0,
         L"Check to indicate note in tray"},
        {Control::Command3, L"&Clear", 3720, 4560, 855, 375, L"MS Sans Serif", 825, false, 0, L""},
        {Control::Command2, L"&OK", 4680, 4560, 855, 375, L"MS Sans Serif", 825, true, 0, L""},
        {Control::Command1, L"&Quit", 120, 4560, 855, 375, L"MS Sans Serif", 825, false, 0, L""},
        {Control::txtNote, L"", 120, 360, 5415, 4095, L"Arial", 975, false, HEBREW_CHARSET, L""},
    };
    const HWND tooltips = tooltipOf(form.window());
    ASSERT_NE(tooltips, nullptr);
    for (const auto& row : table) {
        const HWND control = form.control(row.control);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, row.left / 15) << row.caption;
        EXPECT_EQ(place.top, row.top / 15) << row.caption;
        EXPECT_EQ(place.right - place.left, row.width / 15) << row.caption;
        EXPECT_EQ(place.bottom - place.top, row.height / 15) << row.caption;
        wchar_t caption[64] = {};
        GetWindowTextW(control, caption, 64);
        EXPECT_STREQ(caption, row.caption);

        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(HFONT(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font))
            << row.caption;
        EXPECT_STREQ(font.lfFaceName, row.face) << row.caption;
        EXPECT_EQ(font.lfHeight, -MulDiv(row.points100, 96, 7200)) << row.caption;
        EXPECT_EQ(font.lfWeight >= FW_BOLD, row.bold) << row.caption;
        EXPECT_EQ(font.lfCharSet, row.charset) << row.caption;
        EXPECT_EQ(tooltip(tooltips, form.window(), control), row.tip) << row.caption;
    }
    EXPECT_FALSE(IsWindowVisible(form.control(Control::Picture1)));
    EXPECT_EQ(SendMessageW(form.control(Control::Option1_0), BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT client;
    GetClientRect(form.window(), &client);
    EXPECT_EQ(client.right, 377); // 5655 x 5010 twips
    EXPECT_EQ(client.bottom, 334);
    wchar_t title[16] = {};
    GetWindowTextW(form.window(), title, 16);
    EXPECT_STREQ(title, L"Vantoly");
}

TEST_F(Form, EachAccessKeyPressesItsControl) {
    ShowWindow(form.window(), SW_SHOWNOACTIVATE);
    const struct {
        wchar_t key;
        const char* event;
    } keys[] = {
        {L'q', "Command1_Click"}, {L'o', "Command2_Click"}, {L'c', "Command3_Click"},
        {L'n', "chkNote_Click"},  {L'b', "chkBlack_Click"},
    };
    for (const auto& [key, event] : keys) {
        // Alt+key as the message loop hands it to the dialog manager.
        MSG message{
            form.control(Control::txtNote), WM_SYSCHAR, WPARAM(key), LPARAM(1) << 29, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(form.window(), &message)) << char(key);
        EXPECT_EQ(take(), std::vector<std::string>{event}) << char(key);
    }
}

TEST_F(Form, MousePressesGoWhereTheDesignSends) {
    ShowWindow(form.window(), SW_SHOWNOACTIVATE);
    // The background: a right click for the about box, a double-click for the default size.
    SendMessageW(form.window(), WM_RBUTTONUP, 0, MAKELPARAM(200, 2));
    EXPECT_EQ(take(), std::vector<std::string>{"Form_MouseUp 2"});
    SendMessageW(form.window(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(200, 2));
    EXPECT_EQ(take(), std::vector<std::string>{"Form_DblClick"});

    // On a control neither reaches the window's handlers (the note box's right click is its
    // own menu of Cut, Copy and Paste, a modal loop left out here).
    for (Control control : {Control::txtNote, Control::Command2, Control::chkNote}) {
        if (control != Control::txtNote)
            press(control, WM_RBUTTONDOWN, WM_RBUTTONUP);
        press(control, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
        for (const std::string& event : take()) {
            EXPECT_NE(event, "Form_MouseUp 2") << ControlId(control);
            EXPECT_NE(event, "Form_DblClick") << ControlId(control);
        }
    }

    // A right press on a note selector asks to rename it and does not choose it.
    press(Control::Option1_1, WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(take(), std::vector<std::string>{"Option1_MouseDown 1 2"});
    EXPECT_EQ(SendMessageW(form.control(Control::Option1_1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(form.control(Control::Option1_0), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A left click chooses it.
    press(Control::Option1_1, WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(take(), (std::vector<std::string>{"Option1_MouseDown 1 1", "Option1_Click 1"}));
}

TEST_F(Form, TabReachesTheSelectedNoteSelectorFromEitherSide) {
    ShowWindow(form.window(), SW_SHOWNOACTIVATE);
    // Where the dialog manager takes Tab and Shift+Tab.
    auto tabFrom = [&](Control from, bool back) {
        return GetNextDlgTabItem(form.window(), form.control(from), back);
    };
    for (int16_t chosen : {1, 2, 0}) {
        form.setValue(Option1(chosen), -1);
        EXPECT_EQ(tabFrom(Control::Command1, false), form.control(Option1(chosen))) << chosen;
        EXPECT_EQ(tabFrom(Control::txtNote, true), form.control(Option1(chosen))) << chosen;
    }
    EXPECT_EQ(tabFrom(Control::txtNote, false), form.control(Control::Command2));
}

TEST_F(Form, ALongTitleIsCutOnItsSelectorAndWholeInItsTooltip) {
    const std::u16string title = u"Shopping list for the weekend and the week after";
    form.setText(Control::Option1_1, title);
    EXPECT_EQ(form.text(Control::Option1_1), title);
    wchar_t shown[128] = {};
    GetWindowTextW(form.control(Control::Option1_1), shown, 128);
    const std::wstring cut = shown;
    ASSERT_FALSE(cut.empty());
    EXPECT_EQ(cut.back(), L'\u2026');
    EXPECT_EQ(std::wstring(title.begin(), title.begin() + long(cut.size()) - 1),
              cut.substr(0, cut.size() - 1));
    const HWND tooltips = tooltipOf(form.window());
    EXPECT_EQ(tooltip(tooltips, form.window(), form.control(Control::Option1_1)),
              std::wstring(title.begin(), title.end()));
    // A short one stands whole, with no tooltip.
    form.setText(Control::Option1_1, u"Work");
    GetWindowTextW(form.control(Control::Option1_1), shown, 128);
    EXPECT_STREQ(shown, L"Work");
    EXPECT_EQ(tooltip(tooltips, form.window(), form.control(Control::Option1_1)), L"");
}

TEST_F(Form, OuterSizeIsTheClientAreaAndTheDesignedFrame) {
    form.setFormGeometry(Edge::Width, 7500);
    form.setFormGeometry(Edge::Height, 6300);
    RECT client;
    GetClientRect(form.window(), &client);
    EXPECT_EQ(client.right, (7500 - 135) / 15);
    EXPECT_EQ(client.bottom, (6300 - 390) / 15);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Width), 7500);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Height), 6300);
}

// Shrunk as far as it goes (a stored size of 120 x 40 px): every control whole and apart.
TEST_F(Form, AtItsSmallestSizeEveryControlIsWholeAndApart) {
    form.setFormGeometry(Edge::Width, 1800);
    form.setFormGeometry(Edge::Height, 600);
    for (const ControlMove& move :
         Layout(form.formGeometry(Edge::Width), form.formGeometry(Edge::Height)))
        form.setControlGeometry(move.control, move.edge, move.twips);
    RECT client;
    GetClientRect(form.window(), &client);
    EXPECT_LT(client.right, 300) << "it did shrink";
    auto place = [&](Control c) {
        RECT r;
        GetWindowRect(form.control(c), &r);
        MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const Control row[] = {Control::Command1, Control::chkNote, Control::chkBlack,
                           Control::Command3, Control::Command2};
    for (const Control c : {Control::Option1_0, Control::Option1_1, Control::Option1_2,
                            Control::txtNote, Control::Command1, Control::chkNote,
                            Control::chkBlack, Control::Command3, Control::Command2}) {
        const RECT r = place(c);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom && r.bottom > r.top)
            << int(c) << " cut by the window's edge";
    }
    for (const Control a : row)
        for (const Control b :
             {Control::Option1_0, Control::Option1_1, Control::Option1_2, Control::Command1,
              Control::chkNote, Control::chkBlack, Control::Command3, Control::Command2}) {
            RECT overlap;
            const RECT ra = place(a), rb = place(b);
            EXPECT_TRUE(a == b || !IntersectRect(&overlap, &ra, &rb)) << int(a) << " " << int(b);
        }
}

TEST_F(Form, APositionOffEveryScreenComesBackOnOneAtShow) {
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &screen);
    const RECT area = screen.rcWork;
    form.setFormGeometry(Edge::Left, 30000 * 15);
    form.setFormGeometry(Edge::Top, 15000 * 15);
    form.showForm();
    RECT frame;
    GetWindowRect(form.window(), &frame);
    EXPECT_EQ(frame.right, area.right);
    EXPECT_EQ(frame.bottom, area.bottom);
    // On a screen, a position stays exactly.
    form.hideForm();
    form.setFormGeometry(Edge::Left, 1500);
    form.setFormGeometry(Edge::Top, 1200);
    form.showForm();
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Left), 1500);
    EXPECT_FLOAT_EQ(form.formGeometry(Edge::Top), 1200);
}

// The alarm check reads a long note again only when this changes: typing and setting must.
TEST_F(Form, TypingOrSettingTheNoteChangesItsRevision) {
    const uint64_t before = form.textRevision(Control::txtNote);
    SendMessageW(form.control(Control::txtNote), WM_CHAR, L'@', 1);
    const uint64_t typed = form.textRevision(Control::txtNote);
    EXPECT_NE(typed, before);
    EXPECT_EQ(recorder.events, std::vector<std::string>{"NoteTyped"}) << "for the journal";
    form.setText(Control::txtNote, u"Call @9:05");
    EXPECT_NE(form.textRevision(Control::txtNote), typed);
    EXPECT_EQ(recorder.events.size(), 1u) << "a text the program sets is not typed";
}

// Clear is the box's own edit: Ctrl+Z and the box's Undo bring the note back.
TEST_F(Form, ClearIsUndoneByCtrlZAndByTheBoxsUndo) {
    const HWND box = form.control(Control::txtNote);
    form.setText(Control::txtNote, u"pay rent @10:00\r\nand more");
    const uint64_t before = form.textRevision(Control::txtNote);
    form.clearText(Control::txtNote);
    EXPECT_EQ(form.text(Control::txtNote), u"");
    EXPECT_NE(form.textRevision(Control::txtNote), before);
    SendMessageW(box, WM_CHAR, 0x1A, 1); // Ctrl+Z, as the keyboard sends it
    EXPECT_EQ(form.text(Control::txtNote), u"pay rent @10:00\r\nand more");
    form.clearText(Control::txtNote);
    SendMessageW(box, WM_UNDO, 0, 0); // the box's context menu
    EXPECT_EQ(form.text(Control::txtNote), u"pay rent @10:00\r\nand more");
}

} // namespace
} // namespace vantoly::win32
