#pragma once
// The settings store with its recovery journal in front. The journal holds what the store has not
// taken yet: the note being typed, and every value a write failed to store. Its rules:
//   - what is typed reaches the journal within kAutosaveDelayMs (the adapters' timers call
//     journal());
//   - a successful write of a key takes that key, and only that key, out of the journal;
//   - at the first use, before anything is read, the journal's entries go into the store, unless
//     the store holds another value for that key than it did when the entry was made: then
//     something wrote a later value, and the store's stands;
//   - what the store still will not take is read from the journal, so nothing typed is lost.
// The journal is for the program's own application name (kAppTitle); other names pass through.
#include <map>
#include <optional>
#include <string>

#include "app/JournalFormat.h"
#include "platform/SettingsStore.h"
#include "platform/StateFile.h"

namespace vantoly {

class JournalingStore : public SettingsStore {
  public:
    JournalingStore(SettingsStore& store, StateFile& file) : store_(store), file_(file) {}

    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
    // The text being typed for a key, kept until a write of that key succeeds.
    void journal(const std::u16string& section, const std::u16string& key,
                 std::u16string_view text);

  private:
    void replayOnce();
    void save();
    // What the store holds for the key now, as its digest; known from the last read or write.
    const std::string& base(const std::u16string& section, const std::u16string& key);

    SettingsStore& store_;
    StateFile& file_;
    bool replayed_ = false;
    JournalEntries entries_;
    std::map<std::string, std::string> stored_; // name -> StoredDigest of what the store holds
};

} // namespace vantoly
