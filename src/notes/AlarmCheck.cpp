#include "app/frmMain.h"
#include "notes/Alarm.h"

namespace vantoly {

void frmMain::ArmAlarm() {
    ui_.setTimerEnabled(Timer::timerAlarm,
                        ui_.text(Control::txtNote).find(u'@') != std::u16string::npos);
}

void frmMain::timerAlarm_Timer() {
    const LocalDateTime now = p_.clock.now();
    const auto selection = MatchAlarm(ui_.text(Control::txtNote), now.hour, now.minute);
    if (!selection)
        return;
    ui_.showForm();
    ui_.setFocus(Control::txtNote);
    ui_.setSelection(Control::txtNote, selection->start, selection->length);
    p_.sound.sndPlaySoundA(p_.host.applicationDirectory() + u"\\alarm.wav",
                           SND_ASYNC | SND_NODEFAULT);
    ui_.setTimerEnabled(Timer::timerAlarm, false);
}

} // namespace vantoly
