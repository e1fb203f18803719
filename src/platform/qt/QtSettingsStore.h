#pragma once
// Qt adapter: the settings store.
//
// Implements: one INI file per user, QSettings(IniFormat, UserScope, "Vantoly", application), one
// group per section: $XDG_CONFIG_HOME/Vantoly/Vantoly.ini, and no other file. QSettings alone
// reads and writes it; it replaces the file with a new one, never rewriting the only copy, so a
// crash never leaves it half written. A write fails unless the file and its folder reached the
// disk; readBack parses the file afresh (a copy of it, which QSettings has not seen), and a write
// it does not prove is undone from a link to the file as it was. A lock left
// by this process or a dead one is removed rather than waited out. The file is the user's alone
// (0600, its folder 0700).
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/SettingsStore.h"
#include "platform/qt/QtNoteText.h"

class QFileSystemWatcher;
class QSettings;
class QTimer;

namespace vantoly::qt {

class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
    std::optional<Held> readBack(const std::u16string& app, const std::u16string& section,
                                 const std::vector<std::u16string>& keys) override;
    std::string whyNotKept() const override;
    bool endWrite(bool undo) override;
    // A watch on the folder, as sync tools and editors replace the file rather than write into
    // it; a second without change after the last event, and only when the file is not the one
    // this store last wrote or saw.
    void watch(std::function<void()> changed) override;

    // Where a value written here may already be held (the note window).
    void shareNotesWith(SameText held) { heldElsewhere_ = std::move(held); }
    // The value as held here (in QSettings' memory), when one is `text`.
    std::optional<QString> heldValue(std::u16string_view text) const;

  private:
    QSettings& settings(const std::u16string& app);
    SameText heldElsewhere_;
    std::u16string app_;
    std::unique_ptr<QSettings> settings_;
    // A second name for the file as it stood before the last write, while that write is proven.
    QString previous_;
    // The file as this store last wrote or saw it: its inode, size and time of change.
    std::array<long long, 4> seen_{};
    std::array<long long, 4> fileNow() const;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    std::unique_ptr<QTimer> settle_;
};

} // namespace vantoly::qt
