#include "app/JournalingStore.h"

#include "base/Settings.h"
#include "base/Utf8.h"
#include "platform/Failure.h"

namespace vantoly {
namespace {

std::string Name(const std::u16string& section, const std::u16string& key) {
    return ToUtf8(section) + '/' + ToUtf8(key);
}

bool Journaled(const std::u16string& app) {
    return app == kAppTitle;
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
        if (!entry.base.empty() && base(section, key) != entry.base)
            continue; // the store took a later value of this key
        try {
            write(app, section, key, FromUtf8(entry.text));
        } catch (const PlatformFailure&) {
            // Kept by write, and read from the journal until the store takes it.
        }
    }
    save();
}

void JournalingStore::save() {
    if (entries_.empty()) {
        file_.remove();
        return;
    }
    std::vector<std::string> heads;
    file_.replace(JournalParts(entries_, heads));
}

const std::string& JournalingStore::base(const std::u16string& section, const std::u16string& key) {
    const std::string name = Name(section, key);
    auto known = stored_.find(name);
    if (known == stored_.end()) {
        const auto value = store_.read(std::u16string(kAppTitle), section, key);
        known = stored_.emplace(name, StoredDigest(value ? &*value : nullptr)).first;
    }
    return known->second;
}

void JournalingStore::journal(const std::u16string& section, const std::u16string& key,
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
    save();
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
    stored_[name] = StoredDigest(value ? &*value : nullptr);
    return value;
}

void JournalingStore::write(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

// What the store takes leaves the journal; what it refuses goes there, so it is not lost.
void JournalingStore::writeAll(const std::u16string& app, const std::u16string& section,
                               const Values& values) {
    if (!Journaled(app)) {
        store_.writeAll(app, section, values);
        return;
    }
    replayOnce();
    try {
        store_.writeAll(app, section, values);
    } catch (const PlatformFailure&) {
        // A value the store held already is not owed to it.
        for (const auto& [key, value] : values) {
            const std::string& held = base(section, key);
            const std::string name = Name(section, key);
            if (held == StoredDigest(&value) && !entries_.count(name))
                continue;
            JournalEntry& entry = entries_[name];
            entry.base = held;
            entry.text = ToUtf8(value);
        }
        save();
        throw;
    }
    bool taken = false;
    for (const auto& [key, value] : values) {
        const std::string name = Name(section, key);
        stored_[name] = StoredDigest(&value);
        taken = entries_.erase(name) > 0 || taken;
    }
    if (taken)
        save();
}

} // namespace vantoly
