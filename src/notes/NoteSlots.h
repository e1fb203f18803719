#pragma once
// The three note slots: index 0, 1 and 2 of the note selectors, each with its title and text keys
// and the defaults that apply while the store holds nothing under them.
#include <array>
#include <string_view>

#include "base/Settings.h"

namespace vantoly {

// The help note names the default titles, whatever the titles are now.
inline constexpr std::u16string_view HelpNoteText =
    u"Right-Click 'Note 1', 'Note 2' or 'Help' to change the note's title.\r\n"
    u"Double-Click the tray icon to Show or Hide the Main Window.\r\n"
    u"Right-Click the tray icon to show the note in a balloon help dialog.\r\n"
    u"Enter: '@' + time to set an alarm (e.g. @H:MM)";

struct NoteSlot {
    std::u16string_view defaultTitle;
    std::u16string_view titleKey;
    std::u16string_view textKey;
    std::u16string_view defaultText;
};

inline constexpr std::array<NoteSlot, 3> NoteSlots{{
    {u"Note 1", Key::Title1, Key::Note, u""},
    {u"Note 2", Key::Title2, Key::Note2, u""},
    {u"Help", Key::Title3, Key::Note3, HelpNoteText},
}};

constexpr bool IsNoteSlot(int index) {
    return index >= 0 && index < int(NoteSlots.size());
}

} // namespace vantoly
