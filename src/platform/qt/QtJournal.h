#pragma once
// Qt adapter: the recovery journal. Notes typed and not yet in the settings file (or that the file
// would not take) are kept here, so a crash, a kill, a power cut or a display that dies loses at
// most the last moments of typing. It lives in $XDG_STATE_HOME/Vantoly/journal (by default
// ~/.local/state), is the user's alone (0600, its folder 0700) and is replaced whole at every
// write, never written through a link planted at its place.
#include <QDateTime>
#include <QString>
#include <map>
#include <optional>

namespace vantoly::qt {

QString DefaultJournalPath();

class QtJournal {
  public:
    explicit QtJournal(QString path) : path_(std::move(path)) {}

    // The entries on disk, key to text; none when there is no journal or it is damaged.
    std::map<QString, QString> load() const;
    std::optional<QDateTime> modified() const;
    // Writes the entries, or removes the journal when there are none; false when it cannot.
    bool save(const std::map<QString, QString>& entries) const;
    const QString& path() const { return path_; }

  private:
    QString path_;
};

} // namespace vantoly::qt
