#include <algorithm>
#include <exception>

#include "app/NumberText.h"
#include "app/ResumeNext.h"
#include "app/frmMain.h"

namespace vantoly {
namespace {

std::u16string onTopKey(const FormWindow& window) {
    // Appended rather than u"#" + text: GCC 12 warns falsely (-Wrestrict) on the prepend.
    std::u16string key = u"#";
    key += DecimalText(window.hWnd());
    return key;
}

struct AlreadyRegistered : std::exception {};
struct NotRegistered : std::exception {};

} // namespace

void frmMain::SetOnTop(FormWindow& frmMe, int16_t bAlwaysOnTop, int16_t bCleanup) {
    constexpr uint32_t keepPlace = SWP_NOMOVE | SWP_NOSIZE;
    if (bAlwaysOnTop != 0) {
        if (bCleanup == 0) {
            if (!OnTopForms)
                OnTopForms.emplace();
            ResumeNext([&] {
                const std::u16string key = onTopKey(frmMe);
                if (std::any_of(OnTopForms->begin(), OnTopForms->end(),
                                [&](const auto& entry) { return entry.first == key; }))
                    throw AlreadyRegistered();
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
        if (it == OnTopForms->end())
            throw NotRegistered();
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
