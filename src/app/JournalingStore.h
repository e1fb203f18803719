#pragma once
// The settings store with its recovery journal in front. The journal holds what the store has not
// taken yet: the note being typed, and every value a write failed to store. Its rules:
//   - what is typed reaches the journal within a second (frmMain's timerAutosave calls journal());
//   - a write is believed only when a fresh read of the store (readBack) holds it; then that key,
//     and only that key, leaves the journal;
//   - each entry's base is what the store was last seen to hold for its key, read at the start or
//     read back after a write: never a value that only the store's memory holds;
//   - a value the store lost on the way (a file emptied by a failed save) goes to the journal too,
//     and the store is asked to undo that write;
//   - at the first use, before anything is read, the journal's entries go into the store; where
//     the store holds another value for that key than the entry's base, something wrote a later
//     value: a note then keeps both texts (unless the store's already holds the typing), and any
//     other value is the store's;
//   - what the store still will not take is read from the journal, so nothing typed is lost;
//   - a journal that cannot be written says why, and is written again at every later call;
//   - a value the store holds that changed there since it was read (another computer's sync,
//     another session) is never written over: changed only there, it stands and is reported as
//     taken; changed here too, a note is written as both texts, ours first, and reported as
//     such; any other value is ours, the later.
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
    // The text being typed for a key, kept until a write of that key is proven. False when the
    // journal could not be written.
    bool journal(const std::u16string& section, const std::u16string& key,
                 std::u16string_view text);
    // Writes the journal again when its last write failed; true when it holds all it should.
    bool flush();
    // Takes what changed in the store since it was read, for the keys given (into
    // changedElsewhere().taken), but for a key with typing not yet saved: the journal's, or the
    // shown value `shown` when it differs from what was read. Those are kept both at the save.
    void takeChanges(const std::u16string& section, const std::vector<std::u16string>& keys,
                     const std::pair<std::u16string, std::u16string_view>& shown);
    void watch(std::function<void()> changed) override { store_.watch(std::move(changed)); }
    // The text the program shows for a key the store does not hold (its default): saved as it
    // is, it is no change made here.
    void showsForNothing(const std::u16string& section, const std::u16string& key,
                         std::u16string_view text);
    // What the last writeAll (or takeChanges) found changed in the store since it was read: the
    // values it took from there rather than write over, and the notes it wrote as both texts.
    struct Elsewhere {
        std::vector<std::pair<std::u16string, std::optional<std::u16string>>> taken;
        std::vector<std::pair<std::u16string, std::u16string>> keptBoth;
    };
    const Elsewhere& changedElsewhere() const { return elsewhere_; }
    // Why the journal's last write failed; nothing when it succeeded.
    const std::optional<std::string>& journalFailure() const { return journalFailure_; }

  private:
    void replayOnce();
    bool save();
    // What the store was last seen to hold for the key, as its digest.
    const std::string& base(const std::u16string& section, const std::u16string& key);
    // Reads the section back after a write: a written value the store holds leaves the journal,
    // one it does not (or any value it lost) goes in. Why the store did not keep a value, if so.
    std::optional<std::string> prove(const std::u16string& section,
                                     const std::vector<std::u16string>& keys, const Values& values,
                                     bool refused, bool& changed);
    // The values to write, against what the store holds now (see Elsewhere).
    Values reconcile(const std::u16string& section, const Values& values);
    // After the store undid a write: what it holds again needs no journal entry.
    void settle(const std::u16string& section, const std::vector<std::u16string>& keys);

    SettingsStore& store_;
    StateFile& file_;
    bool replayed_ = false;
    JournalEntries entries_;
    std::map<std::string, std::string> stored_;   // name -> StoredDigest of what the store holds
    std::map<std::string, std::string> defaults_; // name -> StoredDigest of showsForNothing's text
    // Whether `value` is what the key was last seen to hold (or, held nowhere, its default).
    bool unchangedHere(const std::string& name, const std::string& was,
                       const std::u16string& value) const;
    std::optional<std::string> journalFailure_;
    Elsewhere elsewhere_;
};

// Between a note's text written here and the text found written elsewhere, both kept.
inline constexpr std::u16string_view kBothKeptSeparator =
    u"\r\n-------- changed elsewhere too --------\r\n";

} // namespace vantoly
