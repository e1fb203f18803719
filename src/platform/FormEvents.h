#pragma once
// The events an adapter delivers to frmMain.
#include <cstdint>

namespace vantoly {

class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void Form_Unload(int16_t& Cancel) = 0;
    virtual void Command1_Click() = 0;
    virtual void Timer1_Timer() = 0;
    virtual void timerAlarm_Timer() = 0;
};

} // namespace vantoly
