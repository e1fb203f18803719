#include "tray/TrayClicks.h"

namespace vantoly {

std::vector<int32_t> TrayClicks::messages(TrayActivation activation, int64_t nowMs) {
    switch (activation) {
    case TrayActivation::Click:
        if (kind_ == TrayKind::XEmbed)
            return {513, 514}; // WM_LBUTTONDOWN, WM_LBUTTONUP
        if (lastToggleMs_ && nowMs - *lastToggleMs_ < doubleClickMs_) {
            lastToggleMs_.reset();
            return {513, 514};
        }
        lastToggleMs_ = nowMs;
        return {515}; // WM_LBUTTONDBLCLK
    case TrayActivation::DoubleClick:
        return {515};
    case TrayActivation::Context:
        return {516, 517}; // WM_RBUTTONDOWN, WM_RBUTTONUP
    case TrayActivation::Middle:
        return {519, 520}; // WM_MBUTTONDOWN, WM_MBUTTONUP
    case TrayActivation::Other:
        break;
    }
    return {};
}

} // namespace vantoly
