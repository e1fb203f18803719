#pragma once
// Qt adapter: the settings store.
//
// Implements: one INI file per user, QSettings(IniFormat, UserScope, "Vantoly", application),
// one group per section: $XDG_CONFIG_HOME/Vantoly/Vantoly.ini. Every write is synced at once (an
// atomic replace of the file), so a later crash loses nothing written; a write that does not
// reach the disk fails. The file is the user's alone (0600, its folder 0700).
#include "platform/SettingsStore.h"

namespace vantoly::qt {

class QtSettingsStore : public SettingsStore {
  public:
    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
};

} // namespace vantoly::qt
