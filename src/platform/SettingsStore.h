#pragma once
// The per-user settings store: text values by application, section and key.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Failure.h"

namespace vantoly {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Nothing when the key does not exist; reading creates nothing.
    virtual std::optional<std::u16string>
    read(const std::u16string& app, const std::u16string& section, const std::u16string& key) = 0;
    // Replaces the key's value; fails (PlatformFailure) when the store cannot be written.
    virtual void write(const std::u16string& app, const std::u16string& section,
                       const std::u16string& key, const std::u16string& value) = 0;
    // Replaces several keys' values as one change where the store can (a file rewritten once,
    // not once per key); fails as write does. Here: every key in turn, then the first failure.
    using Values = std::vector<std::pair<std::u16string, std::u16string>>;
    virtual void writeAll(const std::u16string& app, const std::u16string& section,
                          const Values& values) {
        std::optional<PlatformFailure> failed;
        for (const auto& [key, value] : values) {
            try {
                write(app, section, key, value);
            } catch (const PlatformFailure& failure) {
                if (!failed)
                    failed = failure;
            }
        }
        if (failed)
            throw *failed;
    }
    // What the store holds for the keys, read afresh from where it keeps them (the file itself,
    // not a copy in memory): a write is believed only once this shows it. Nothing when it cannot
    // be read at all. Here: read() for each key, right for a store that keeps no copy.
    using Held = std::vector<std::optional<std::u16string>>;
    virtual std::optional<Held> readBack(const std::u16string& app, const std::u16string& section,
                                         const std::vector<std::u16string>& keys) {
        Held held;
        for (const auto& key : keys)
            held.push_back(read(app, section, key));
        return held;
    }
    // Why a write that readBack does not show was lost, as far as the system can tell.
    virtual std::string whyNotKept() const { return "the settings did not keep what was written"; }
    // Calls `changed` (from the event loop, about a second later) whenever someone else changes
    // the store: never for the store's own writes. Here: a store nobody else changes.
    virtual void watch(std::function<void()> changed) { (void)changed; }
    // Called once a writeAll has been read back: a write that left less than it found is undone
    // (the store put back as it was before it, where the store kept a way to; true when it was).
    virtual bool endWrite(bool undo) {
        (void)undo;
        return false;
    }
};

} // namespace vantoly
