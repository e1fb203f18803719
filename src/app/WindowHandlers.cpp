// frmMain's window: the layout after each change of size, the default size back on a
// double-click, the about box, and keeping the window top-most.
#include <algorithm>

#include "app/frmMain.h"
#include "base/NumberText.h"
#include "base/ResumeNext.h"
#include "base/Settings.h"
#include "window/Layout.h"

namespace vantoly {
namespace {

std::u16string onTopKey(const FormWindow& window) {
    // Appended rather than u"#" + text: GCC 12 warns falsely (-Wrestrict) on the prepend.
    std::u16string key = u"#";
    key += DecimalText(window.hWnd());
    return key;
}

} // namespace

void frmMain::Form_Resize() {
    for (const ControlMove& move :
         Layout(ui_.formGeometry(Edge::Width), ui_.formGeometry(Edge::Height)))
        ui_.setControlGeometry(move.control, move.edge, move.twips);
}

// The window system lays the window out again after each of the two changes.
void frmMain::Form_DblClick() {
    ui_.setFormGeometry(Edge::Height, kDefaultOuterHeight);
    ui_.setFormGeometry(Edge::Width, kDefaultOuterWidth);
}

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

void frmMain::SetOnTop(FormWindow& frmMe, int16_t bAlwaysOnTop, int16_t bCleanup) {
    constexpr uint32_t keepPlace = SWP_NOMOVE | SWP_NOSIZE;
    if (bAlwaysOnTop != 0) {
        if (bCleanup == 0) {
            if (!OnTopForms)
                OnTopForms.emplace();
            ResumeNext([&] {
                const std::u16string key = onTopKey(frmMe);
                if (std::none_of(OnTopForms->begin(), OnTopForms->end(),
                                 [&](const auto& entry) { return entry.first == key; }))
                    OnTopForms->emplace_back(key, &frmMe);
            });
        }
        ResumeNext(
            [&] { p_.zorder.SetWindowPos(frmMe.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, keepPlace); });
        return;
    }
    ResumeNext([&] {
        if (!OnTopForms)
            return;
        const std::u16string key = onTopKey(frmMe);
        auto it = std::find_if(OnTopForms->begin(), OnTopForms->end(),
                               [&](const auto& entry) { return entry.first == key; });
        if (it != OnTopForms->end())
            OnTopForms->erase(it);
    });
    ResumeNext(
        [&] { p_.zorder.SetWindowPos(frmMe.hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, keepPlace); });
    if (bCleanup == 0 && OnTopForms) {
        for (const auto& entry : *OnTopForms)
            ResumeNext([&] { SetOnTop(*entry.second, -1, -1); });
    }
}

} // namespace vantoly
