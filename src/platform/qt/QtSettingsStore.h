#pragma once
// Qt adapter: the settings store.
//
// Implements: one INI file per user, as QSettings(IniFormat, UserScope, "Vantoly", application)
// keeps it, one group per section: $XDG_CONFIG_HOME/Vantoly/Vantoly.ini. It is read by QSettings'
// rules (QtIniValues), QSettings itself only for what only it knows. A write changes the
// one key's line and leaves every other byte of the file as it was, so a value the program does
// not understand (a hand-edited title in another encoding, another section) survives the
// program's saves; the line itself is written as QSettings writes it. Every write replaces the
// file atomically, so a crash never leaves it half written, and a write that does not reach the
// disk fails. The file is the user's alone (0600, its folder 0700).
//
// Beside it, the recovery journal holds what the file has not taken yet: the note being typed,
// and every value a write failed to store. The first read applies a journal newer than the file
// to it; what still cannot be written reads from the journal, so nothing typed is lost.
#include <QByteArray>
#include <QObject>
#include <map>

#include "platform/SettingsStore.h"
#include "platform/qt/QtIniValues.h"
#include "platform/qt/QtJournal.h"

namespace vantoly::qt {

class QtSettingsStore : public SettingsStore {
  public:
    explicit QtSettingsStore(QString journalPath = DefaultJournalPath())
        : journal_(std::move(journalPath)) {}

    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void writeAll(const std::u16string& app, const std::u16string& section,
                  const Values& values) override;
    // A note being typed, kept in the journal until the file takes it.
    void journal(const std::u16string& section, const std::u16string& key,
                 const std::u16string& text);

  private:
    void replayJournal();
    void writeFile(const std::u16string& app, const std::u16string& section, const Values& values);

    QtJournal journal_;
    std::map<QString, QString> pending_; // "section/key" -> text not yet in the file
    // The file's size and time: as long as they stay, what was read or written is what it holds.
    using FileState = std::optional<std::pair<qint64, QDateTime>>;
    FileState fileNow(const std::u16string& app) const;
    // "section/key" -> what the file held (nothing: not there), as last read or written, and
    // the file's state then. The value is kept as its digest.
    struct Known {
        std::optional<QByteArray> value;
        FileState file;
    };
    std::map<QString, Known> known_;
    bool replayed_ = false;

    std::optional<std::u16string> readFile(const std::u16string& app, const std::u16string& section,
                                           const std::u16string& key, const FileState& file);
    // The file as last read, while its state holds and until the program is idle again.
    struct Cache {
        FileState file;
        IniValues values;
    };
    std::optional<Cache> cache_;
    QObject cacheOwner_;
};

} // namespace vantoly::qt
