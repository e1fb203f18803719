#include "app/Settings.h"
#include "app/frmMain.h"

namespace vantoly {

void frmMain::Form_MouseUp(int16_t Button, int16_t /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button != 2)
        return;
    // Out of top-most while the box is open, so the window does not cover it.
    SetOnTop(*this, 0, 0);
    InModalBox(
        [&] { return ui_.messageBox(u"Vantoly v1.00", vbOKOnly, std::u16string(kAppTitle)); });
    SetOnTop(*this, -1, 0);
    CheckAlarmAfterBox();
}

} // namespace vantoly
