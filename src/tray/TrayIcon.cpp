#include "app/frmMain.h"
#include "tray/DayIcon.h"

namespace vantoly {

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
    if (!ui_.text(Control::txtNote).empty()) {
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

} // namespace vantoly
