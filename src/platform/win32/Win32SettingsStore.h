#pragma once
// Win32 adapter: the settings store, in the registry where Windows programs of this kind have
// always kept theirs: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one string value per key. Each value is written in one call, so a failing write leaves every
// other value as it was; the key is flushed to the disk before a save counts.
#include "platform/SettingsStore.h"

namespace vantoly::win32 {

class Win32SettingsStore : public SettingsStore {
  public:
    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    // Every value, then the key flushed to the disk: only then is the journal let go of them.
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
};

} // namespace vantoly::win32
