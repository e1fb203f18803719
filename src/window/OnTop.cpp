#include <algorithm>
#include <exception>

#include "app/NumberText.h"
#include "app/frmMain.h"

namespace vantoly {
namespace {

// Runs one statement of SetOnTop; a failing statement is abandoned and the next one runs.
template <typename Statement> void resumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const std::exception&) {
    }
}

std::u16string onTopKey(const FormWindow& window) {
    return u"#" + DecimalText(window.hWnd());
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
            resumeNext([&] {
                const std::u16string key = onTopKey(frmMe);
                if (std::any_of(OnTopForms->begin(), OnTopForms->end(),
                                [&](const auto& entry) { return entry.first == key; }))
                    throw AlreadyRegistered();
                OnTopForms->emplace_back(key, &frmMe);
            });
        }
        resumeNext(
            [&] { p_.zorder.SetWindowPos(frmMe.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, keepPlace); });
        return;
    }
    resumeNext([&] {
        if (!OnTopForms)
            return;
        const std::u16string key = onTopKey(frmMe);
        auto it = std::find_if(OnTopForms->begin(), OnTopForms->end(),
                               [&](const auto& entry) { return entry.first == key; });
        if (it == OnTopForms->end())
            throw NotRegistered();
        OnTopForms->erase(it);
    });
    resumeNext(
        [&] { p_.zorder.SetWindowPos(frmMe.hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, keepPlace); });
    if (bCleanup == 0 && OnTopForms) {
        for (const auto& entry : *OnTopForms)
            resumeNext([&] { SetOnTop(*entry.second, -1, -1); });
    }
}

} // namespace vantoly
