#include <array>
#include <string>
#include <utility>

#include "app/frmMain.h"
#include "base/NumberText.h"
#include "base/ResumeNext.h"
#include "base/Settings.h"
#include "base/Utf8.h"
#include "notes/Alarm.h"
#include "notes/NoteSlots.h"
#include "platform/Failure.h"
#include "tray/TrayTexts.h"

namespace vantoly {
namespace {

// The window's place and size, each edge under its key, in the order they are saved.
constexpr std::array<std::pair<Edge, std::u16string_view>, 4> kPlaceKeys{
    {{Edge::Left, Key::xPos},
     {Edge::Top, Key::yPos},
     {Edge::Width, Key::wPos},
     {Edge::Height, Key::hPos}}};

} // namespace

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, std::u16string_view defaultText) {
    auto stored = settings_.read(std::u16string(app), std::u16string(section), std::u16string(key));
    if (stored)
        return std::move(*stored);
    settings_.showsForNothing(std::u16string(section), std::u16string(key), defaultText);
    return std::u16string(defaultText);
}

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, float defaultNumber) {
    return ReadSetting(app, section, key, NumberText(defaultNumber, p_.clock.decimalSeparator()));
}

// A store that cannot be written must not stop Quit or OK, nor lose a note: the note stays in
// memory for its slot until a write succeeds, and the user is told once, on screen, until the
// store takes writes again.
bool frmMain::WriteSetting(std::u16string_view app, std::u16string_view section,
                           std::u16string_view key, std::u16string_view text) {
    ++storeWrites_;
    try {
        settings_.write(std::u16string(app), std::u16string(section), std::u16string(key),
                        std::u16string(text));
        return true;
    } catch (const PlatformFailure& failure) {
        if (!saveFailure_)
            saveFailure_ = failure.what();
        return false;
    }
}

// Every value in one change: with a big note the settings file is rewritten once, not once per
// key.
bool frmMain::SaveSettings() {
    const std::u16string separator = p_.clock.decimalSeparator();
    SettingsStore::Values values;
    for (const auto& [edge, key] : kPlaceKeys)
        values.emplace_back(key, NumberText(ui_.formGeometry(edge), separator));
    // The shown note under its slot's key, then any the store could not take before.
    const size_t shownNote = values.size();
    values.emplace_back(NoteKey(CurrentNote), ui_.text(Control::txtNote));
    for (int16_t slot = 0; slot < int16_t(UnsavedNotes.size()); ++slot)
        if (slot != CurrentNote && UnsavedNotes[size_t(slot)])
            values.emplace_back(NoteKey(slot), *UnsavedNotes[size_t(slot)]);
    values.emplace_back(Key::Black, IntegerText(ui_.value(Control::chkBlack)));
    values.emplace_back(Key::Indicator, IntegerText(ui_.value(Control::chkNote)));

    ++storeWrites_;
    bool saved = true;
    try {
        settings_.writeAll(std::u16string(kAppTitle), std::u16string(kSection), values);
    } catch (const PlatformFailure& failure) {
        saved = false;
        if (!saveFailure_)
            saveFailure_ = failure.what();
    }
    for (int16_t slot = 0; slot < int16_t(UnsavedNotes.size()); ++slot) {
        if (saved)
            UnsavedNotes[size_t(slot)].reset();
        else if (slot == CurrentNote)
            UnsavedNotes[size_t(slot)] = std::move(values[shownNote].second);
    }
    ShowChangesFromElsewhere();
    if (saved)
        saveFailureShown_ = false;
    else
        ReportSaveFailure();
    // A journal that could not take what the store refused is tried again every second.
    if (settings_.journalFailure())
        ui_.setTimerEnabled(Timer::timerAutosave, true);
    return saved;
}

void frmMain::ShowChangesFromElsewhere() {
    const auto& found = settings_.changedElsewhere();
    for (const auto& [key, value] : found.taken) {
        for (int16_t slot = 0; slot < int16_t(NoteSlots.size()); ++slot) {
            const NoteSlot& note = NoteSlots[size_t(slot)];
            if (key == note.titleKey)
                ResumeNext([&] {
                    ui_.setText(Option1(slot), value.value_or(std::u16string(note.defaultTitle)));
                });
            if (key != note.textKey)
                continue;
            // A note written elsewhere rings here too, once, as one written here.
            ResumeNext([&] {
                if (slot == CurrentNote) {
                    // The caret stays where it was, as far as the new text reaches.
                    const int32_t caret = ui_.caret();
                    ui_.setText(Control::txtNote, value.value_or(std::u16string(note.defaultText)));
                    if (ui_.formVisible())
                        ui_.setSelection(Control::txtNote, caret, 0);
                    SetNoteAlarm(slot, FindAlarm(ui_.textView(Control::txtNote)).has_value());
                } else {
                    SetNoteAlarm(slot, FindAlarm(StoredNote(slot)).has_value());
                }
            });
        }
        // The boxes' handlers as a click would run them: the icon follows.
        if (key == Key::Black)
            ResumeNext([&] {
                RestoreOption(Control::chkBlack, Key::Black);
                chkBlack_Click();
            });
        if (key == Key::Indicator)
            ResumeNext([&] {
                RestoreOption(Control::chkNote, Key::Indicator);
                chkNote_Click();
            });
        for (const auto& [edge, edgeKey] : kPlaceKeys)
            if (key == edgeKey)
                ResumeNext([&] { RestoreEdge(edge, edgeKey); });
    }
    for (const auto& [key, both] : found.keptBoth) {
        if (key == NoteKey(CurrentNote))
            ResumeNext([&] { ui_.setText(Control::txtNote, both); });
        ShowBalloon(std::u16string(kAppTitle) + u'\0',
                    BalloonText(u"changed elsewhere too: both kept"));
    }
}

void frmMain::SettingsChangedElsewhere() {
    std::vector<std::u16string> keys;
    for (const auto& [edge, key] : kPlaceKeys)
        keys.emplace_back(key);
    keys.emplace_back(Key::Black);
    keys.emplace_back(Key::Indicator);
    for (const NoteSlot& slot : NoteSlots) {
        keys.emplace_back(slot.textKey);
        keys.emplace_back(slot.titleKey);
    }
    ResumeNext([&] {
        settings_.takeChanges(
            std::u16string(kSection), keys,
            {std::u16string(NoteKey(CurrentNote)), ui_.textView(Control::txtNote)});
    });
    if (settings_.changedElsewhere().taken.empty())
        return;
    ShowChangesFromElsewhere();
    ResumeNext([&] { RefreshTrayIcon(); });
}

std::u16string frmMain::UnsavedNotesFate(bool quitting) const {
    if (settings_.journalFailure())
        return u"The recovery journal cannot hold them either (" +
               FromUtf8(*settings_.journalFailure()) +
               (quitting ? u"), so they would be lost." : u"): they stay in the window.");
    return u"They are kept in the recovery journal and come back at the next start.";
}

void frmMain::NoteTyped() {
    noteTyped_ = true;
    // Started by the first change and not pushed back by the next ones.
    if (!ui_.timerEnabled(Timer::timerAutosave))
        ui_.setTimerEnabled(Timer::timerAutosave, true);
}

void frmMain::timerAutosave_Timer() {
    bool kept = true;
    if (noteTyped_) {
        noteTyped_ = false;
        kept = settings_.journal(std::u16string(kSection), std::u16string(NoteKey(CurrentNote)),
                                 ui_.textView(Control::txtNote));
    } else {
        kept = settings_.flush();
    }
    if (ringsFailure_)
        SaveRings();
    if (kept && !ringsFailure_) {
        ui_.setTimerEnabled(Timer::timerAutosave, false);
        failedAutosaves_ = 0;
        journalFailureShown_ = false;
        return;
    }
    // A moment's trouble (a disk filled and emptied again) is not worth a box.
    constexpr int kPatience = 5;
    if (++failedAutosaves_ >= kPatience && !journalFailureShown_)
        ReportJournalFailure();
}

void frmMain::ReportJournalFailure() {
    journalFailureShown_ = true;
    std::u16string prompt;
    if (const auto& why = settings_.journalFailure()) {
        p_.host.reportProblem("Vantoly: the recovery journal could not be written: " + *why);
        prompt = u"Vantoly cannot keep a recovery copy of what you type.\r\n\r\n" + FromUtf8(*why) +
                 u"\r\n\r\nYour note stays in the window; press OK to save it. Until the "
                 u"disk takes writes again, a crash would lose what you typed.";
    }
    if (ringsFailure_) {
        p_.host.reportProblem("Vantoly: the alarms file could not be written: " + *ringsFailure_);
        prompt += std::u16string(prompt.empty() ? u"" : u"\r\n\r\n") +
                  u"Vantoly cannot note which alarms have rung (" + FromUtf8(*ringsFailure_) +
                  u"): after a restart an alarm may ring again.";
    }
    InModalBox([&] { return ui_.messageBox(prompt, vbExclamation, std::u16string(kAppTitle)); });
    CheckAlarmAfterBox();
}

void frmMain::ReportSaveFailure() {
    if (!saveFailure_)
        return;
    const std::string what = *saveFailure_;
    lastSaveFailure_ = what;
    saveFailure_.reset();
    if (saveFailureShown_)
        return;
    saveFailureShown_ = true;
    // The box says what became of the journal too: not said again when it keeps failing.
    if (settings_.journalFailure())
        journalFailureShown_ = true;
    p_.host.reportProblem("Vantoly: the settings could not be saved: " + what);
    if (quietSaves_)
        return;
    InModalBox([&] {
        return ui_.messageBox(u"Vantoly could not save your notes.\r\n\r\n" + FromUtf8(what) +
                                  u"\r\n\r\n" + UnsavedNotesFate(false) +
                                  u" They are saved as soon as the settings can be written.",
                              vbExclamation, std::u16string(kAppTitle));
    });
    CheckAlarmAfterBox();
}

} // namespace vantoly
