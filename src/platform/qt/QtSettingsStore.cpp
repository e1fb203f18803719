#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <optional>
#include <vector>

#include "platform/Failure.h"
#include "platform/qt/QtMemory.h"
#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

namespace {

QString journalKey(const std::u16string& section, const std::u16string& key) {
    return toQ(section) + QLatin1Char('/') + toQ(key);
}

// What a value is, without keeping it: a big note would otherwise be held once more. Its length
// and two 64-bit hashes: a fast hash, as a big note is hashed at every read and save, and never
// one an attacker could choose text for, as the digest stays in this process.
QByteArray digest(const std::u16string& value) {
    const size_t bytes = value.size() * sizeof(char16_t);
    const size_t parts[] = {value.size(), qHashBits(value.data(), bytes, 0x9e3779b97f4a7c15u),
                            qHashBits(value.data(), bytes, 0x243f6a8885a308d3u)};
    return QByteArray(reinterpret_cast<const char*>(parts), sizeof parts);
}

// Where QSettings keeps the user's file; asking QSettings itself would parse the file.
QString settingsPath(const std::u16string& app) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vantoly/") + toQ(app) + QStringLiteral(".ini");
}

// The files QSettings looks in after the user's own: the organisation's, then the system's.
bool sharedFilesExist(const std::u16string& app) {
    const QStringList dirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (qsizetype i = 0; i < dirs.size(); ++i)
        if ((i > 0 && QFileInfo::exists(dirs[i] + QStringLiteral("/Vantoly/") + toQ(app) +
                                        QStringLiteral(".ini"))) ||
            QFileInfo::exists(dirs[i] + QStringLiteral("/Vantoly.ini")))
            return true;
    return false;
}

// What QSettings reads, for what only it knows.
std::optional<std::u16string> readWithQSettings(const std::u16string& app,
                                                const std::u16string& section,
                                                const std::u16string& key) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantoly"),
                       toQ(app));
    settings.beginGroup(toQ(section));
    if (!settings.contains(toQ(key)))
        return std::nullopt;
    const QVariant value = settings.value(toQ(key));
    // A hand-edited value with unquoted commas reads as a list; give it back as written.
    if (value.typeId() == QMetaType::QStringList)
        return fromQ(value.toStringList().join(QStringLiteral(", ")));
    return fromQ(value.toString());
}

} // namespace

// Before anything reads the file: a journal left by a run that ended suddenly goes into it.
void QtSettingsStore::replayJournal() {
    replayed_ = true;
    pending_ = journal_.load();
    const auto journalTime = journal_.modified();
    const QFileInfo file(settingsPath(u"Vantoly"));
    if (!journalTime || (file.exists() && file.lastModified() > *journalTime))
        pending_.clear(); // nothing there, or the file was written after it
    for (auto entry = pending_.begin(); entry != pending_.end();) {
        const qsizetype slash = entry->first.indexOf(QLatin1Char('/'));
        try {
            writeFile(u"Vantoly", fromQ(entry->first.left(slash)),
                      {{fromQ(entry->first.mid(slash + 1)), fromQ(entry->second)}});
            entry = pending_.erase(entry);
        } catch (const PlatformFailure&) {
            ++entry;
        }
    }
    journal_.save(pending_);
}

void QtSettingsStore::journal(const std::u16string& section, const std::u16string& key,
                              const std::u16string& text) {
    if (!replayed_)
        replayJournal();
    pending_[journalKey(section, key)] = toQ(text);
    journal_.save(pending_);
}

std::optional<std::u16string> QtSettingsStore::read(const std::u16string& app,
                                                    const std::u16string& section,
                                                    const std::u16string& key) {
    if (!replayed_)
        replayJournal();
    const QString k = journalKey(section, key);
    if (const auto kept = pending_.find(k); kept != pending_.end())
        return fromQ(kept->second);
    const FileState file = fileNow(app);
    auto value = readFile(app, section, key, file);
    known_[k] = {value ? std::optional(digest(*value)) : std::nullopt, file};
    if (file && file->first > qint64(kBigText))
        ReleaseFreedMemorySoon();
    return value;
}

QtSettingsStore::FileState QtSettingsStore::fileNow(const std::u16string& app) const {
    const QFileInfo file(settingsPath(app));
    if (!file.exists())
        return std::nullopt;
    return std::pair(file.size(), file.lastModified());
}

std::optional<std::u16string> QtSettingsStore::readFile(const std::u16string& app,
                                                        const std::u16string& section,
                                                        const std::u16string& key,
                                                        const FileState& file) {
    if (file) {
        if (!cache_ || cache_->file != file) {
            QFile in(settingsPath(app));
            if (!in.open(QIODevice::ReadOnly))
                return readWithQSettings(app, section, key);
            QByteArray bytes(qsizetype(file->first), Qt::Uninitialized);
            MapPagesNow(bytes.data(), size_t(bytes.size()));
            bytes.resize(std::max<qsizetype>(in.read(bytes.data(), bytes.size()), 0));
            bytes += in.readAll(); // grown since
            cache_.emplace(file, IniValues(std::move(bytes)));
            // Start-up reads every key at once; then the bytes are not worth keeping.
            QTimer::singleShot(0, &cacheOwner_, [this] { cache_.reset(); });
        }
        IniValues::Found found = cache_->values.find(toQ(section), toQ(key));
        if (found.askQSettings)
            return readWithQSettings(app, section, key);
        if (found.text)
            return std::move(found.text);
    }
    if (sharedFilesExist(app))
        return readWithQSettings(app, section, key);
    return std::nullopt;
}

namespace {

// The key's line exactly as QSettings writes it (its escapes, quotes and "@" rules), so QSettings
// reads back the value given. Made in a scratch file beside the settings, as private as they
// are; nothing when that cannot be done, with the reason.
std::optional<QByteArray> iniLine(const QString& dir, const QString& key, const QString& value,
                                  QString& why) {
    QTemporaryFile scratch(dir + QStringLiteral("/.Vantoly-XXXXXX.ini"));
    if (!scratch.open()) {
        why = scratch.errorString();
        return std::nullopt;
    }
    scratch.close();
    {
        QSettings ini(scratch.fileName(), QSettings::IniFormat);
        ini.setValue(key, value);
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            why = QStringLiteral("no room for the new value");
            return std::nullopt;
        }
    }
    QFile written(scratch.fileName());
    if (written.open(QIODevice::ReadOnly))
        for (const QByteArray& line : written.readAll().split('\n'))
            if (line.startsWith(key.toUtf8() + '='))
                return line;
    why = QStringLiteral("the new value cannot be encoded");
    return std::nullopt;
}

} // namespace

void QtSettingsStore::write(const std::u16string& app, const std::u16string& section,
                            const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

// What the file takes leaves the journal; what it refuses goes there, so it is not lost.
void QtSettingsStore::writeAll(const std::u16string& app, const std::u16string& section,
                               const Values& values) {
    if (!replayed_)
        replayJournal();
    // A big note makes every rewrite of the file cost: a value the file holds is left.
    const FileState before = fileNow(app);
    // Each value hashed once: a big note's digest takes a good part of a tenth of a second.
    Values changed;
    std::vector<QByteArray> digests;
    for (const auto& [key, value] : values) {
        const auto known = known_.find(journalKey(section, key));
        QByteArray valueDigest = digest(value);
        if (!before || known == known_.end() || known->second.file != before ||
            known->second.value != valueDigest || pending_.count(journalKey(section, key))) {
            changed.emplace_back(key, value);
            digests.push_back(std::move(valueDigest));
        }
    }
    if (changed.empty())
        return;
    try {
        writeFile(app, section, changed);
    } catch (const PlatformFailure&) {
        // Only a change is kept: a value as it was read would only undo what someone else
        // wrote to the file since (an empty text is no change from none).
        bool kept = false;
        for (size_t i = 0; i < changed.size(); ++i) {
            const QString k = journalKey(section, changed[i].first);
            const auto known = known_.find(k);
            if (pending_.count(k) || known == known_.end() ||
                known->second.value.value_or(digest(u"")) != digests[i]) {
                pending_[k] = toQ(changed[i].second);
                kept = true;
            }
        }
        if (kept)
            journal_.save(pending_);
        throw;
    }
    // The other values known in the file as it was are in it still.
    const FileState after = fileNow(app);
    for (auto& [other, known] : known_)
        if (known.file == before)
            known.file = after;
    bool taken = false;
    for (size_t i = 0; i < changed.size(); ++i) {
        const QString k = journalKey(section, changed[i].first);
        known_[k] = {std::move(digests[i]), after};
        taken = pending_.erase(k) > 0 || taken;
    }
    if (taken)
        journal_.save(pending_);
}

void QtSettingsStore::writeFile(const std::u16string& app, const std::u16string& section,
                                const Values& values) {
    cache_.reset();
    const QString path = settingsPath(app);
    const QFileInfo info(path);
    const QString dir = info.absolutePath();
    // Notes are personal: the folder (where the file is replaced through a temporary one) and
    // the file are the user's alone, whatever the umask or an earlier mode said.
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto failure = [&](const QString& why) {
        return PlatformFailure(path.toStdString() + " cannot be written: " + why.toStdString());
    };

    QByteArray bytes;
    if (info.exists()) {
        QFile current(path);
        // A file that cannot be read must not be replaced by one holding only this key.
        if (!current.open(QIODevice::ReadOnly))
            throw failure(current.errorString());
        bytes = current.readAll();
    }
    for (const auto& [key, value] : values) {
        QString why;
        const auto line = iniLine(dir, toQ(key), toQ(value), why);
        if (!line)
            throw failure(why);
        bytes = SpliceIniLine(bytes, toQ(section).toUtf8(), toQ(key).toUtf8(), *line);
    }
    if (bytes.size() > qsizetype(kBigText))
        ReleaseFreedMemorySoon();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw failure(file.errorString());
}

} // namespace vantoly::qt
