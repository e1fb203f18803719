// frmMain's tray icon: the record's size for the shell at hand, adding, refreshing and removing
// the icon, and the icon's mouse actions.
#include <vector>

#include "app/frmMain.h"
#include "base/ResumeNext.h"
#include "tray/DayIcon.h"
#include "tray/TrayTexts.h"

namespace vantoly {

void frmMain::ChooseNotifyRecordSize() {
    if (IsShellVersionAtLeast(6))
        NotifyRecordSize = 504;
    else if (IsShellVersionAtLeast(5))
        NotifyRecordSize = 488;
    else
        NotifyRecordSize = 88;
}

bool frmMain::IsShellVersionAtLeast(int32_t major) {
    const std::string file = "shell32.dll";
    uint32_t unused = 0;
    const int32_t size = p_.version.GetFileVersionInfoSizeA(file, &unused);
    if (size <= 0)
        return false;
    std::vector<uint8_t> buffer(size_t(size), 0);
    p_.version.GetFileVersionInfoA(file, 0, uint32_t(size), buffer.data());
    const uint8_t* fixed = nullptr;
    uint32_t length = 0;
    if (p_.version.VerQueryValueA(buffer.data(), "\\", &fixed, &length) != 1 || !fixed)
        return false;
    // High word of dwFileVersionMS, little-endian, read as a signed 16-bit number.
    const auto shellMajor = int16_t(uint16_t(fixed[10] | fixed[11] << 8));
    return int32_t(shellMajor) >= major;
}

void frmMain::PrepareTrayData() {
    IconDay = int16_t(Today());
    IconFolder = ui_.value(Control::chkBlack) != 0 ? kBlackFolder : kWhiteFolder;
    if (NotifyRecordSize == 0)
        ChooseNotifyRecordSize();
    TrayData.cbSize = uint32_t(NotifyRecordSize);
    TrayData.hWnd = uint32_t(ui_.windowHandle(Control::Picture1));
    TrayData.uID = 999;
    TrayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayData.dwState = 2; // NIS_SHAREDICON
    TrayData.uCallbackMessage = 512;
    TrayData.uVersion = 3;
}

void frmMain::AddTrayIcon() {
    IconPath = DayIconPath(p_.host.applicationDirectory(), IconFolder, Today());
    ui_.loadPicture(IconPath);
    TrayData.hIcon = uint32_t(ui_.pictureHandle());
    SendTrayData(NIM_ADD);
}

void frmMain::RefreshTrayIcon() {
    if (!ui_.textView(Control::txtNote).empty()) {
        ApplyNoteIndicatorIcon();
        return;
    }
    TrayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    IconPath = DayIconPath(p_.host.applicationDirectory(), IconFolder, Today());
    ui_.loadPicture(IconPath);
    TrayData.hIcon = uint32_t(ui_.pictureHandle());
    SendTrayData(NIM_MODIFY);
    SendTrayData(NIM_SETVERSION);
}

void frmMain::ApplyNoteIndicatorIcon() {
    const std::u16string appDir = p_.host.applicationDirectory();
    if (ui_.value(Control::chkNote) == 1) {
        IconPath = NoteIndicatorPath(appDir, Today());
        ui_.loadPicture(IconPath);
        const std::u16string scratch = ScratchIcon();
        ui_.savePicture(scratch);
        IconPath = scratch;
    } else {
        IconPath = DayIconPath(appDir, IconFolder, Today());
    }
    ui_.loadPicture(IconPath);
    TrayData.hIcon = uint32_t(ui_.pictureHandle());
    SendTrayData(NIM_MODIFY);
    SendTrayData(NIM_SETVERSION);
}

// An installation the user cannot write to keeps its scratch icon in the user's cache instead.
std::u16string frmMain::ScratchIcon() const {
    const std::u16string appDir = p_.host.applicationDirectory();
    return ScratchIconPath(p_.host.directoryWritable(appDir) ? appDir : p_.host.cacheDirectory());
}

void frmMain::RemoveTrayIcon() {
    NOTIFYICONDATA record;
    if (NotifyRecordSize == 0)
        ChooseNotifyRecordSize();
    record.cbSize = uint32_t(NotifyRecordSize);
    record.hWnd = uint32_t(ui_.windowHandle(Control::Picture1));
    record.uID = 999;
    SendNotifyRecord(p_.shell, p_.codePage, NIM_DELETE, record);
}

void frmMain::Timer1_Timer() {
    if (Today() != IconDay) {
        RefreshTrayIcon();
        IconDay = int16_t(Today());
    }
}

// Every mouse action on the tray icon: the tooltip is rewritten with today's date each time, a
// double-click toggles the window and a right-click shows the note in a balloon. Past the
// recovery of the message number nothing may stop it: each step goes on past a failing one.
void frmMain::Picture1_MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float X, float /*Y*/) {
    const int32_t message = TrayMessageNumber(X, ui_.twipsPerPixelX());

    LocalDateTime today{};
    ResumeNext([&] { today = p_.clock.now(); });
    const std::u16string_view weekday = WeekdayName(today.weekday);
    ResumeNext([&] { TrayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP; });
    ResumeNext([&] {
        TrayData.szTip =
            TooltipText(weekday, p_.clock.monthName(today.month), today.day, today.year);
    });
    ResumeNext([&] { SendTrayData(NIM_MODIFY); });
    ResumeNext([&] { SendTrayData(NIM_SETVERSION); });

    if (message == WM_LBUTTONDBLCLK) {
        if (ui_.formVisible()) {
            // Whatever OK did before a failing step stays done.
            ResumeNext([&] { Command2_Click(); });
        } else {
            ResumeNext([&] { ui_.showForm(); });
            ResumeNext([&] { ui_.setFocus(Control::txtNote); });
        }
    } else if (message == WM_RBUTTONUP) {
        std::u16string note;
        ResumeNext([&] { note = ui_.text(Control::txtNote); });
        std::u16string title;
        ResumeNext([&] {
            const auto next = NextAlarm(CurrentNote);
            title = BalloonTitle(note, next ? std::optional(next->first) : std::nullopt);
        });
        ShowBalloon(title, BalloonText(note));
    }
}

void frmMain::ShowBalloon(std::u16string_view title, std::u16string_view text) {
    ResumeNext([&] { TrayData.szInfoTitle = title; });
    ResumeNext([&] {
        TrayData.uFlags = NIF_INFO;
        TrayData.dwInfoFlags = NIIF_INFO;
    });
    ResumeNext([&] { TrayData.szInfo = text; });
    ResumeNext([&] { SendTrayData(NIM_MODIFY); });
}

} // namespace vantoly
