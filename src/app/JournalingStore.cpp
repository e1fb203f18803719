#include "app/JournalingStore.h"

#include <algorithm>

#include "base/Settings.h"
#include "base/Utf8.h"
#include "notes/NoteSlots.h"
#include "platform/Failure.h"

namespace vantoly {
namespace {

std::string Name(const std::u16string& section, const std::u16string& key) {
    return ToUtf8(section) + '/' + ToUtf8(key);
}

bool Journaled(const std::u16string& app) {
    return app == kAppTitle;
}

std::string Digest(const std::optional<std::u16string>& value) {
    return StoredDigest(value ? &*value : nullptr);
}

// A note's text is kept whole from both sides; a title, an option or a place is short, and the
// later one stands.
bool KeepsBoth(std::u16string_view key) {
    return std::any_of(NoteSlots.begin(), NoteSlots.end(),
                       [&](const NoteSlot& slot) { return slot.textKey == key; });
}

} // namespace

void JournalingStore::replayOnce() {
    if (replayed_)
        return;
    replayed_ = true;
    const auto bytes = file_.read();
    if (!bytes)
        return;
    const JournalEntries found = DecodeJournal(*bytes);
    const std::u16string app(kAppTitle);
    for (const auto& [name, entry] : found) {
        const size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        const std::u16string section = FromUtf8(name.substr(0, slash));
        const std::u16string key = FromUtf8(name.substr(slash + 1));
        std::u16string typed = FromUtf8(entry.text);
        if (base(section, key) != entry.base) {
            // Written since the typing began: by this program's last save, which ended before
            // the journal did (the file then holds the typing, or more of it), or elsewhere. A
            // note typed here then keeps both texts; any other value is the file's, the later.
            const auto held = store_.read(app, section, key);
            if (held && (!KeepsBoth(key) || ToUtf8(*held).starts_with(entry.text)))
                continue;
            if (held)
                typed += std::u16string(kBothKeptSeparator) + *held;
        }
        try {
            write(app, section, key, typed);
        } catch (const PlatformFailure&) {
            // Kept by write, and read from the journal until the store takes it.
        }
    }
    save();
}

bool JournalingStore::save() {
    if (entries_.empty()) {
        file_.remove();
        journalFailure_.reset();
        return true;
    }
    std::vector<std::string> heads;
    journalFailure_ = file_.replace(JournalParts(entries_, heads));
    return !journalFailure_;
}

bool JournalingStore::flush() {
    return !journalFailure_ || save();
}

const std::string& JournalingStore::base(const std::u16string& section, const std::u16string& key) {
    const std::string name = Name(section, key);
    auto known = stored_.find(name);
    if (known == stored_.end())
        known = stored_.emplace(name, Digest(store_.read(std::u16string(kAppTitle), section, key)))
                    .first;
    return known->second;
}

bool JournalingStore::journal(const std::u16string& section, const std::u16string& key,
                              std::u16string_view text) {
    replayOnce();
    std::string base = this->base(section, key);
    JournalEntry& entry = entries_[Name(section, key)];
    entry.base = std::move(base);
    entry.text.clear();
    // Room for the typing to come: a journal entry grown by doubling would touch twice the
    // note's size in fresh memory at the next autosave.
    if (entry.text.capacity() < text.size())
        entry.text.reserve(text.size() + text.size() / 64);
    AppendUtf8(text, entry.text);
    return save();
}

std::optional<std::u16string> JournalingStore::read(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) {
    if (!Journaled(app))
        return store_.read(app, section, key);
    replayOnce();
    const std::string name = Name(section, key);
    if (const auto kept = entries_.find(name); kept != entries_.end())
        return FromUtf8(kept->second.text);
    auto value = store_.read(app, section, key);
    // Once known, the base changes only by what a read-back shows: after a failed save the
    // store's memory holds values its file does not.
    stored_.try_emplace(name, Digest(value));
    return value;
}

void JournalingStore::write(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

void JournalingStore::writeAll(const std::u16string& app, const std::u16string& section,
                               const Values& asked) {
    elsewhere_ = {};
    if (!Journaled(app)) {
        store_.writeAll(app, section, asked);
        return;
    }
    replayOnce();
    const Values values = reconcile(section, asked);
    std::optional<std::string> failure;
    try {
        store_.writeAll(app, section, values);
    } catch (const PlatformFailure& refused) {
        failure = refused.what();
    }
    // The written keys, then every other key known in the section: a save that emptied the file
    // lost those too.
    std::vector<std::u16string> keys;
    for (const auto& [key, value] : values)
        keys.push_back(key);
    const std::string prefix = ToUtf8(section) + '/';
    for (const auto& [name, digest] : stored_) {
        if (!name.starts_with(prefix))
            continue;
        std::u16string key = FromUtf8(name.substr(prefix.size()));
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(std::move(key));
    }
    bool changed = false;
    const auto lost = prove(section, keys, values, failure.has_value(), changed);
    if (store_.endWrite(lost.has_value()))
        settle(section, keys);
    if (!failure)
        failure = lost;
    if (changed || journalFailure_)
        save();
    if (failure)
        throw PlatformFailure(*failure);
}

SettingsStore::Values JournalingStore::reconcile(const std::u16string& section,
                                                 const Values& values) {
    std::vector<std::u16string> keys;
    for (const auto& [key, value] : values)
        keys.push_back(key);
    const auto now = store_.readBack(std::u16string(kAppTitle), section, keys);
    if (!now)
        return values; // the save's own proof says what is wrong
    Values kept;
    for (size_t i = 0; i < values.size(); ++i) {
        const auto& [key, ours] = values[i];
        const auto& there = (*now)[i];
        const std::string& was = base(section, key);
        if (there == ours || Digest(there) == was) {
            kept.push_back(values[i]);
        } else if (unchangedHere(Name(section, key), was, ours)) {
            stored_[Name(section, key)] = Digest(there);
            if (entries_.erase(Name(section, key)) > 0)
                save();
            elsewhere_.taken.emplace_back(key, there);
        } else if (there && KeepsBoth(key)) {
            std::u16string both = ours + std::u16string(kBothKeptSeparator) + *there;
            elsewhere_.keptBoth.emplace_back(key, both);
            kept.emplace_back(key, std::move(both));
        } else {
            kept.push_back(values[i]);
        }
    }
    return kept;
}

void JournalingStore::showsForNothing(const std::u16string& section, const std::u16string& key,
                                      std::u16string_view text) {
    const std::u16string shown(text);
    defaults_[Name(section, key)] = StoredDigest(&shown);
}

bool JournalingStore::unchangedHere(const std::string& name, const std::string& was,
                                    const std::u16string& value) const {
    const std::string digest = StoredDigest(&value);
    if (digest == was)
        return true;
    const auto shown = defaults_.find(name);
    return was == StoredDigest(nullptr) && shown != defaults_.end() && shown->second == digest;
}

void JournalingStore::takeChanges(const std::u16string& section,
                                  const std::vector<std::u16string>& keys,
                                  const std::pair<std::u16string, std::u16string_view>& shown) {
    elsewhere_ = {};
    const auto now = store_.readBack(std::u16string(kAppTitle), section, keys);
    if (!now)
        return;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string name = Name(section, keys[i]);
        const std::string& was = base(section, keys[i]);
        const auto& there = (*now)[i];
        if (Digest(there) == was || entries_.count(name))
            continue;
        if (keys[i] == shown.first && !unchangedHere(name, was, std::u16string(shown.second)))
            continue;
        stored_[name] = Digest(there);
        elsewhere_.taken.emplace_back(keys[i], there);
    }
}

std::optional<std::string> JournalingStore::prove(const std::u16string& section,
                                                  const std::vector<std::u16string>& keys,
                                                  const Values& values, bool refused,
                                                  bool& changed) {
    const std::u16string app(kAppTitle);
    const auto held = store_.readBack(app, section, keys);
    // What the store means to hold: the values written, and for every other key what it wrote
    // with them. A write cut short loses lines that were not asked for.
    std::vector<std::optional<std::u16string>> meant(keys.size());
    for (size_t i = values.size(); i < keys.size(); ++i)
        meant[i] = store_.read(app, section, keys[i]);
    bool proven = !refused && held;
    for (size_t i = 0; proven && i < keys.size(); ++i)
        proven = i < values.size() ? (*held)[i] == values[i].second : (*held)[i] == meant[i];
    if (proven) {
        for (size_t i = 0; i < keys.size(); ++i) {
            const std::string name = Name(section, keys[i]);
            stored_[name] = Digest((*held)[i]);
            if (i < values.size())
                changed = entries_.erase(name) > 0 || changed;
        }
        return std::nullopt;
    }
    // Not proven: every value written is owed, and so is any other value the file lost on the
    // way. A written value's base stays what the file was last proven to hold (a value found
    // changed there may be someone else's), but for a key gone from it; another key's is what
    // the broken file holds, so the value goes back in at the next start.
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string name = Name(section, keys[i]);
        std::string& base = stored_.try_emplace(name, "-").first->second;
        const bool gone = held && !(*held)[i];
        if (i < values.size()) {
            const std::string digest = StoredDigest(&values[i].second);
            // A value the file held already, and holds still, is not owed to it.
            if (base == digest && held && Digest((*held)[i]) == digest && !entries_.count(name))
                continue;
            if (gone)
                base = StoredDigest(nullptr);
            entries_[name] = {base, ToUtf8(values[i].second)};
            changed = true;
        } else if (held && meant[i] && (*held)[i] != meant[i] && !entries_.count(name)) {
            base = Digest((*held)[i]);
            entries_[name] = {base, ToUtf8(*meant[i])};
            changed = true;
        }
    }
    return store_.whyNotKept();
}

void JournalingStore::settle(const std::u16string& section,
                             const std::vector<std::u16string>& keys) {
    const auto held = store_.readBack(std::u16string(kAppTitle), section, keys);
    if (!held)
        return;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string name = Name(section, keys[i]);
        const auto& now = (*held)[i];
        stored_[name] = Digest(now);
        const auto entry = entries_.find(name);
        if (entry == entries_.end())
            continue;
        if (now && entry->second.text == ToUtf8(*now))
            entries_.erase(entry);
        else
            entry->second.base = stored_[name];
    }
}

} // namespace vantoly
