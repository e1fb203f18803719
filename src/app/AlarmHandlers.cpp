// frmMain's alarms: arming each note's, the check that rings them, and the file that remembers
// the minute each last rang.
#include <algorithm>
#include <sstream>
#include <string_view>

#include "app/frmMain.h"
#include "notes/Alarm.h"
#include "notes/NoteSlots.h"

namespace vantoly {

void frmMain::ArmAlarm() {
    SetNoteAlarm(CurrentNote, ui_.textView(Control::txtNote).find(u'@') != std::u16string::npos);
}

// After a restart the notes that are not shown keep their alarms too.
void frmMain::ArmStoredAlarms() {
    for (int16_t slot = 0; slot < int16_t(NoteSlots.size()); ++slot)
        if (slot != CurrentNote && FindAlarm(StoredNote(slot)))
            SetNoteAlarm(slot, true);
}

void frmMain::SetNoteAlarm(int16_t slot, bool armed) {
    if (IsNoteSlot(slot)) {
        NoteAlarm& alarm = NoteAlarms[size_t(slot)];
        alarm.armedFrom = armed ? std::optional(WallMinute(p_.clock.now())) : std::nullopt;
        alarm.skip = alarm.firedAt;
    }
    ui_.setTimerEnabled(Timer::timerAlarm,
                        std::any_of(NoteAlarms.begin(), NoteAlarms.end(),
                                    [](const NoteAlarm& alarm) { return alarm.armedFrom; }));
}

std::u16string frmMain::StoredNote(int16_t slot) {
    if (UnsavedNotes[size_t(slot)])
        return *UnsavedNotes[size_t(slot)];
    const NoteSlot& note = NoteSlots[size_t(slot)];
    return ReadSetting(kAppTitle, kSection, note.textKey, note.defaultText);
}

const std::vector<AlarmMarker>& frmMain::NoteAlarmMarkers(int16_t slot) {
    const bool inBox = slot == CurrentNote;
    const uint64_t revision = inBox ? ui_.textRevision(Control::txtNote) : storeWrites_;
    std::optional<FoundAlarm>& found = foundAlarms_[size_t(slot)];
    if (!found || found->inBox != inBox || found->revision != revision)
        found = FoundAlarm{inBox, revision,
                           FindAlarms(inBox ? ui_.textView(Control::txtNote) : StoredNote(slot))};
    return found->markers;
}

std::optional<std::pair<AlarmMarker, int64_t>> frmMain::NextAlarm(int16_t slot) {
    const NoteAlarm& alarm = NoteAlarms[size_t(slot)];
    if (!alarm.armedFrom)
        return std::nullopt;
    std::optional<std::pair<AlarmMarker, int64_t>> next;
    for (const AlarmMarker& marker : NoteAlarmMarkers(slot)) {
        const int64_t due = AlarmDue(marker, *alarm.armedFrom, alarm.skip);
        if ((!alarm.firedAt || due > *alarm.firedAt) && (!next || due < next->second))
            next = std::pair(marker, due);
    }
    return next;
}

// The shown note is read from the box, the others as they were last saved. A time that passed
// while no check ran (the computer slept, the clock was set forward) fires at the next one.
void frmMain::timerAlarm_Timer() {
    if (modalBoxes_ > 0)
        return;
    const int64_t now = WallMinute(p_.clock.now());
    // The shown note first, then the others in their order.
    for (int16_t turn = 0; turn < int16_t(NoteSlots.size()); ++turn) {
        const int16_t slot = turn == 0 ? CurrentNote : turn <= CurrentNote ? turn - 1 : turn;
        if (!IsNoteSlot(slot))
            continue;
        NoteAlarm& alarm = NoteAlarms[size_t(slot)];
        if (!alarm.armedFrom)
            continue;
        // A clock set back takes the start back with it, so the time comes round again; a ring
        // it went back over then only keeps its own minute from ringing twice.
        alarm.armedFrom = std::min(*alarm.armedFrom, now);
        if (alarm.firedAt && now < *alarm.firedAt) {
            alarm.skip = alarm.firedAt;
            alarm.firedAt.reset();
        }
        const auto next = NextAlarm(slot);
        if (next && next->second <= now) {
            FireAlarm(slot, next->first, next->second);
            return;
        }
    }
}

void frmMain::FireAlarm(int16_t slot, const AlarmMarker& marker, int64_t due) {
    if (slot != CurrentNote) {
        ShowNote(slot);
        ui_.setValue(Option1(slot), -1);
    }
    // Keys the user is typing into another program stay there: they would replace the selected
    // time in the note.
    if (ui_.keyboardElsewhere())
        ui_.showFormQuietly();
    else
        ui_.showForm();
    ui_.setFocus(Control::txtNote);
    ui_.setSelection(Control::txtNote, marker.start, marker.length);
    p_.sound.sndPlaySoundA(p_.host.applicationDirectory() + u"\\alarm.wav",
                           SND_ASYNC | SND_NODEFAULT);
    NoteAlarms[size_t(slot)].firedAt = due;
    SaveRings();
    // Armed on while another time of the note is still to ring.
    if (!NextAlarm(slot))
        SetNoteAlarm(slot, false);
}

namespace {
constexpr std::string_view kRingsHeader = "Vantoly alarms 1\n";
}

// A line "slot minute" for each note's last ring; anything else is passed over.
void frmMain::LoadRings() {
    const auto bytes = p_.rings.read();
    if (!bytes || !bytes->starts_with(kRingsHeader))
        return;
    std::istringstream lines(bytes->substr(kRingsHeader.size()));
    int slot = -1;
    long long minute = 0;
    while (lines >> slot >> minute)
        if (IsNoteSlot(int16_t(slot)))
            NoteAlarms[size_t(slot)].firedAt = minute;
}

void frmMain::SaveRings() {
    std::string bytes(kRingsHeader);
    for (size_t slot = 0; slot < NoteAlarms.size(); ++slot)
        if (NoteAlarms[slot].firedAt)
            bytes += std::to_string(slot) + ' ' + std::to_string(*NoteAlarms[slot].firedAt) + '\n';
    // Not written, an alarm may ring twice after a restart, never not at all: tried again by
    // the autosave until it is.
    ringsFailure_ = p_.rings.replace({bytes});
    if (ringsFailure_)
        ui_.setTimerEnabled(Timer::timerAutosave, true);
}

void frmMain::CheckAlarmAfterBox() {
    if (ui_.timerEnabled(Timer::timerAlarm))
        timerAlarm_Timer();
}

} // namespace vantoly
