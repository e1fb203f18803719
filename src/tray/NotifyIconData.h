#pragma once
// The tray record in its wide form, its fixed-length text fields, and its 504-byte 8-bit
// platform form.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/ShellTray.h"

namespace vantoly {

// A text field that always holds exactly N characters: starts as NULs; an assigned text is cut
// or filled up with spaces.
template <size_t N> class FixedText {
  public:
    static constexpr size_t size = N;
    FixedText() : text_(N, u'\0') {}
    FixedText& operator=(std::u16string_view text) {
        text_.assign(text.substr(0, std::min(text.size(), N)));
        text_.resize(N, u' ');
        return *this;
    }
    const std::u16string& str() const { return text_; }

  private:
    std::u16string text_;
};

struct NOTIFYICONDATA {
    uint32_t cbSize = 0;
    uint32_t hWnd = 0;
    uint32_t uID = 0;
    uint32_t uFlags = 0;
    uint32_t uCallbackMessage = 0;
    uint32_t hIcon = 0;
    FixedText<128> szTip;
    uint32_t dwState = 0;
    uint32_t dwStateMask = 0;
    FixedText<256> szInfo;
    uint32_t uVersion = 0; // shared with uTimeout
    FixedText<64> szInfoTitle;
    uint32_t dwInfoFlags = 0;
    std::array<uint8_t, 16> guidItem{};
};

NotifyRecordBytes ToPlatformForm(const NOTIFYICONDATA& record, const CodePage& codePage);
void FromPlatformForm(const NotifyRecordBytes& bytes, NOTIFYICONDATA& record,
                      const CodePage& codePage);

// The record as a shell reads it, its texts up to their NULs; nothing when cbSize is not one of
// the three sizes a shell knows (88: a 64-byte tip and no balloon; 488 and 504: every field).
struct DecodedNotifyRecord {
    uint32_t cbSize = 0, hWnd = 0, uID = 0, uFlags = 0, uCallbackMessage = 0, hIcon = 0;
    std::u16string tip;
    bool hasBalloonFields = false;
    std::u16string info, infoTitle;
    uint32_t timeoutOrVersion = 0, infoFlags = 0;
};
std::optional<DecodedNotifyRecord> DecodeNotifyRecord(const NotifyRecordBytes& bytes,
                                                      const CodePage& codePage);

// One shell call: the record goes out in its platform form and comes back from it, so its text
// fields then hold what the platform received.
int32_t SendNotifyRecord(ShellTray& shell, const CodePage& codePage, uint32_t message,
                         NOTIFYICONDATA& record);

} // namespace vantoly
