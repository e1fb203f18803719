#pragma once
// The settings store's address and the keys the program keeps.
#include <string_view>

namespace vantoly {

inline constexpr std::u16string_view kAppTitle = u"Vantoly";
inline constexpr std::u16string_view kSection = u"Settings";

namespace Key {
inline constexpr std::u16string_view xPos = u"xPos", yPos = u"yPos", wPos = u"wPos", hPos = u"hPos";
inline constexpr std::u16string_view Note = u"Note", Note2 = u"Note2", Note3 = u"Note3";
inline constexpr std::u16string_view Title1 = u"Title1", Title2 = u"Title2", Title3 = u"Title3";
inline constexpr std::u16string_view Black = u"Black", Indicator = u"Indicator";
} // namespace Key

// The text key of a note slot: "Note" for 0, "Note2" for 1, "Note3" for any other value.
constexpr std::u16string_view NoteKey(int slot) {
    return slot == 0 ? Key::Note : slot == 1 ? Key::Note2 : Key::Note3;
}

} // namespace vantoly
