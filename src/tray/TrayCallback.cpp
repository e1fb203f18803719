#include "app/ResumeNext.h"
#include "app/frmMain.h"
#include "tray/TrayTexts.h"

namespace vantoly {

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
        ResumeNext([&] { title = BalloonTitle(note); });
        ResumeNext([&] { TrayData.szInfoTitle = title; });
        ResumeNext([&] {
            TrayData.uFlags = NIF_INFO;
            TrayData.dwInfoFlags = NIIF_INFO;
        });
        ResumeNext([&] { TrayData.szInfo = BalloonText(ui_.text(Control::txtNote)); });
        ResumeNext([&] { SendTrayData(NIM_MODIFY); });
    }
}

} // namespace vantoly
