#pragma once
// Win32 adapter: the settings store, in the registry where Windows programs of this kind have
// always kept theirs: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one string value per key. Each value is written in one call, so a failing write leaves every
// other value as it was.
//
// Beside it, the recovery journal (%LOCALAPPDATA%\Vantoly\journal) holds what the registry has
// not taken yet: the note being typed, and every value a write failed to store. The first read
// applies a journal newer than the registry key to it; what still cannot be written reads from
// the journal, so nothing typed is lost to a crash, a kill or a power cut.
#include "platform/JournalFormat.h"
#include "platform/SettingsStore.h"

namespace vantoly::win32 {

std::wstring DefaultJournalPath();

class Win32SettingsStore : public SettingsStore {
  public:
    explicit Win32SettingsStore(std::wstring journalPath = DefaultJournalPath())
        : journalPath_(std::move(journalPath)) {}

    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
    // A note being typed, kept in the journal until the registry takes it.
    void journal(const std::u16string& section, const std::u16string& key,
                 const std::u16string& text);

  private:
    void replayJournal(const std::u16string& app);
    void saveJournal() const;

    std::wstring journalPath_;
    JournalEntries pending_; // "section/key" -> text not yet in the registry
    bool replayed_ = false;
};

} // namespace vantoly::win32
