#pragma once
// The per-user settings store: text values by application, section and key.
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
};

} // namespace vantoly
