#pragma once
// The note window as it was designed, once for every toolkit: each control's kind, caption (with
// its access key), place in twips, tooltip, font and the name a screen reader says, in the order
// the window creates them; then the tab order, the client and minimum sizes, the title and the
// timers' intervals. Both forms build themselves from it; their tests keep literal tables of
// their own as the independent check.
#include <array>

#include "platform/Toolkit.h"

namespace vantoly {

enum class ControlKind {
    NoteSelector,  // one of a group of radio buttons
    Toggle,        // a check box drawn as a push button
    PictureBox,    // never shown: it carries the tray icon's picture and mouse messages
    Button,        //
    DefaultButton, // pressed by Enter outside the note box
    NoteBox,       // multi-line, scrolls vertically, takes Enter, leaves Tab to move the focus
};

struct FontDefinition {
    const char16_t* face;
    int hundredthsOfPoint;
    bool bold;
    int charset; // the Windows character set the design asked for
};

inline constexpr FontDefinition kWindowFont{u"MS Sans Serif", 825, false, 0};
inline constexpr FontDefinition kBoldFont{u"MS Sans Serif", 825, true, 0};
inline constexpr FontDefinition kNoteFont{u"Arial", 975, false, 177};

struct ControlDefinition {
    Control control;
    ControlKind kind;
    const char16_t* caption;
    float left, top, width, height; // twips in the client area
    const char16_t* tooltip;        // none when empty
    const char16_t* accessibleName; // the caption's own words when empty
    const FontDefinition* font;
};

inline constexpr std::array<ControlDefinition, 10> kFormControls{{
    {Control::Option1_2, ControlKind::NoteSelector, u"Note 3", 2520, 120, 1215, 255, u"", u"",
     &kWindowFont},
    {Control::Option1_1, ControlKind::NoteSelector, u"Note 2", 1320, 120, 1215, 255, u"", u"",
     &kWindowFont},
    {Control::Option1_0, ControlKind::NoteSelector, u"Note 1", 120, 120, 1215, 255, u"", u"",
     &kWindowFont},
    {Control::chkBlack, ControlKind::Toggle, u"&B", 1440, 4560, 345, 375,
     u"Choose between Black and White system tray icons", u"Black icons", &kWindowFont},
    {Control::chkNote, ControlKind::Toggle, u"&N", 1080, 4560, 315, 375,
     u"Check to indicate note in tray", u"Note indicator", &kWindowFont},
    {Control::Picture1, ControlKind::PictureBox, u"", 5280, 0, 270, 270, u"", u"", &kWindowFont},
    {Control::Command3, ControlKind::Button, u"&Clear", 3720, 4560, 855, 375, u"", u"",
     &kWindowFont},
    {Control::Command2, ControlKind::DefaultButton, u"&OK", 4680, 4560, 855, 375, u"", u"",
     &kBoldFont},
    {Control::Command1, ControlKind::Button, u"&Quit", 120, 4560, 855, 375, u"", u"", &kWindowFont},
    {Control::txtNote, ControlKind::NoteBox, u"", 120, 360, 5415, 4095, u"", u"Note", &kNoteFont},
}};

// From the note box round to the selected note selector and back to the note box.
inline constexpr std::array<Control, 9> kTabOrder{
    Control::txtNote,  Control::Command2,  Control::Command3,  Control::chkNote,  Control::chkBlack,
    Control::Command1, Control::Option1_0, Control::Option1_1, Control::Option1_2};

inline constexpr char16_t kFormTitle[] = u"Vantoly";
inline constexpr float kClientWidthTwips = 5655, kClientHeightTwips = 5010;
// The least client size that keeps every control whole and apart: the narrow layout's OK and the
// third selector end at 3735, the bottom row stands 840 above the outer bottom, and the note box
// keeps room for a line or two. A stored size below it is raised to it.
inline constexpr float kMinimumWidthTwips = 3855, kMinimumHeightTwips = 1515;
// Timer1 runs from the start; timerAlarm only while an alarm is set; timerAutosave from a typed
// key until what was typed is in the recovery journal, so typing reaches it within a second
// however long it goes on.
inline constexpr int kTimer1IntervalMs = 60000, kTimerAlarmIntervalMs = 10000,
                     kTimerAutosaveIntervalMs = 1000;
inline constexpr int TimerIntervalMs(Timer timer) {
    return timer == Timer::Timer1       ? kTimer1IntervalMs
           : timer == Timer::timerAlarm ? kTimerAlarmIntervalMs
                                        : kTimerAutosaveIntervalMs;
}

} // namespace vantoly
