#pragma once
// The note window: the state every part of the program shares, and its handlers, defined beside
// it in src/app, a file a subject (frmMain.cpp start-up, SaveSettings.cpp the store and autosave,
// NoteHandlers, AlarmHandlers, TrayHandlers, WindowHandlers). The buttons keep the design's
// names: Command1 is Quit, Command2 OK and Command3 Clear.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/JournalingStore.h"
#include "notes/Alarm.h"
#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "tray/NotifyIconData.h"

namespace vantoly {

class frmMain : public FormEvents, public FormWindow {
  public:
    explicit frmMain(Platform& platform)
        : ui_(platform.ui), p_(platform), settings_(platform.settings, platform.journal) {}

    // Start-up and shut-down.
    void Form_Initialize();
    void Form_Load();
    void Form_Unload(int16_t& Cancel) override;
    void Command1_Click() override;
    // The desktop session asks to save (and may go on), or is ending: what OK or Quit would do,
    // with no box to answer.
    void SessionSave();
    void SessionEnd();
    // Vantoly was started again: the window comes up with the caret in the note.
    void BringToFront();

    // Settings store.
    std::u16string ReadSetting(std::u16string_view app, std::u16string_view section,
                               std::u16string_view key, std::u16string_view defaultText);
    std::u16string ReadSetting(std::u16string_view app, std::u16string_view section,
                               std::u16string_view key, float defaultNumber);
    // False, with the store's reason kept for the report, when the store cannot take the value.
    bool WriteSetting(std::u16string_view app, std::u16string_view section, std::u16string_view key,
                      std::u16string_view text);
    bool SaveSettings();
    // What is typed reaches the recovery journal within a second; what cannot be written there
    // (or to the alarms file) is tried again every second, and said once when it keeps failing.
    void NoteTyped() override;
    // Someone else changed the settings: the window, the tray and the alarms follow, but for a
    // note with typing not yet saved (both texts are kept at its save).
    void SettingsChangedElsewhere();
    void timerAutosave_Timer() override;

    // Notes, titles and buttons.
    void Option1_Click(int16_t Index) override;
    void Option1_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y) override;
    void Command2_Click() override;
    void Command3_Click() override;
    void chkBlack_Click() override;
    void chkNote_Click() override;

    // Tray icon.
    void Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void PrepareTrayData();
    void AddTrayIcon();
    void RefreshTrayIcon();
    void ApplyNoteIndicatorIcon();
    void RemoveTrayIcon();
    void Timer1_Timer() override;
    void ChooseNotifyRecordSize();
    bool IsShellVersionAtLeast(int32_t major);

    // Alarm.
    void ArmAlarm();
    void ArmStoredAlarms();
    void timerAlarm_Timer() override;

    // Layout, default size and about box.
    void Form_Resize() override;
    void Form_DblClick() override;
    void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;

    // Always on top.
    void SetOnTop(FormWindow& frmMe, int16_t bAlwaysOnTop, int16_t bCleanup);
    int32_t hWnd() const override { return ui_.formHandle(); }

    // State shared by the whole program; the controls carry the rest.
    std::u16string IconFolder;
    int16_t IconDay = 0;
    std::u16string IconPath;
    int32_t NotifyRecordSize = 0;
    NOTIFYICONDATA TrayData;
    int16_t CurrentNote = 0;
    // Windows SetOnTop holds top-most, in the order registered, each under "#" and its handle.
    // It does not exist until the first registration.
    std::optional<std::vector<std::pair<std::u16string, FormWindow*>>> OnTopForms;
    // Each note's alarms: armed since which minute of the wall clock, the minute they last rang
    // at, and the one they had rung at when armed (not again in that minute). Each time in the
    // note rings once after it was armed, in the order of their minutes. timerAlarm runs while
    // any note's alarm is armed.
    struct NoteAlarm {
        std::optional<int64_t> armedFrom;
        std::optional<int64_t> firedAt;
        std::optional<int64_t> skip;
    };
    std::array<NoteAlarm, 3> NoteAlarms;
    // Note texts the store could not take, kept for their slots until a write succeeds.
    std::array<std::optional<std::u16string>, 3> UnsavedNotes;

  private:
    void ShowNote(int16_t slot);
    void SetNoteAlarm(int16_t slot, bool armed);
    std::u16string StoredNote(int16_t slot);
    const std::vector<AlarmMarker>& NoteAlarmMarkers(int16_t slot);
    // The note's next time to ring and its minute; nothing when it is not armed or all rang.
    std::optional<std::pair<AlarmMarker, int64_t>> NextAlarm(int16_t slot);
    void FireAlarm(int16_t slot, const AlarmMarker& marker, int64_t due);
    // The minutes the notes' alarms last rang at, kept across a restart.
    void LoadRings();
    void SaveRings();
    // The window's own modal boxes; the alarm waits while one is open and is checked as it closes.
    template <typename Box> auto InModalBox(Box&& box) {
        struct Open {
            int& count;
            ~Open() { --count; }
        } open{++modalBoxes_};
        return box();
    }
    void CheckAlarmAfterBox();
    void ReportSaveFailure();
    // What a save found changed in the store since it was read: the window shows what the store
    // holds now, and a note written with both texts is said in a balloon.
    void ShowChangesFromElsewhere();
    void ShowBalloon(std::u16string_view title, std::u16string_view text);
    void ReportJournalFailure();
    // What becomes of notes the store did not take, for the boxes that say so.
    std::u16string UnsavedNotesFate(bool quitting) const;
    void RestoreEdge(Edge edge, std::u16string_view key);
    void RestoreOption(Control box, std::u16string_view key);
    void InstallationError();
    void SendTrayData(uint32_t message) {
        SendNotifyRecord(p_.shell, p_.codePage, message, TrayData);
    }
    std::u16string ScratchIcon() const;
    int Today() const { return p_.clock.now().day; }

    Toolkit& ui_;
    Platform& p_;
    JournalingStore settings_;
    // Typed since the journal last took the note; autosave ticks in a row the journal or the
    // alarms file could not be written, and whether that was said.
    bool noteTyped_ = false;
    int failedAutosaves_ = 0;
    bool journalFailureShown_ = false;
    std::optional<std::string> ringsFailure_;
    // The first failing write's reason since the last report, and the last one reported.
    std::optional<std::string> saveFailure_;
    std::string lastSaveFailure_;
    // Shown until a whole save succeeds again.
    bool saveFailureShown_ = false;
    // No box: Quit asks its own question, and a session that ends has nobody to answer.
    bool quietSaves_ = false;
    int modalBoxes_ = 0;
    // Each note's alarm marker as last found, and in which text: the box's at a revision, or the
    // store's after a number of writes. A long note is not searched again every ten seconds.
    struct FoundAlarm {
        bool inBox = false;
        uint64_t revision = 0;
        std::vector<AlarmMarker> markers;
    };
    std::array<std::optional<FoundAlarm>, 3> foundAlarms_;
    uint64_t storeWrites_ = 0;
};

} // namespace vantoly
