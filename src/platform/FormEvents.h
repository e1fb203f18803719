#pragma once
// The events an adapter delivers to frmMain. Mouse buttons: 1 left, 2 right, 4 middle; shift
// state: 1 Shift, 2 Ctrl, 4 Alt; positions in twips.
#include <cstdint>

namespace vantoly {

class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void Form_Unload(int16_t& Cancel) = 0;
    virtual void Form_Resize() = 0;
    virtual void Form_DblClick() = 0;
    virtual void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) = 0;
    virtual void Option1_Click(int16_t Index) = 0;
    virtual void Option1_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X,
                                   float Y) = 0;
    virtual void chkBlack_Click() = 0;
    virtual void chkNote_Click() = 0;
    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
    virtual void Command3_Click() = 0;
    // The tray icon's mouse actions arrive here, the action's message number times the twips
    // per pixel in X.
    virtual void Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y) = 0;
    virtual void Timer1_Timer() = 0;
    virtual void timerAlarm_Timer() = 0;
    virtual void timerAutosave_Timer() = 0;
    // The user changed the note's text (typing, pasting, Undo); not a text the program set.
    virtual void NoteTyped() = 0;
};

} // namespace vantoly
