#pragma once
// The per-user settings store: text values by application, section and key.
#include <optional>
#include <string>

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
};

} // namespace vantoly
