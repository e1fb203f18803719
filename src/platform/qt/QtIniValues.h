#pragma once
// Qt adapter: the INI file's format. Its values, read by the rules QSettings reads them with, in
// one pass over the bytes and without QSettings' copies, so a 10 MB note costs one read. Lines run
// on past a backslash or an open quote; ';' starts a comment; a section or key that repeats
// counts with its last value; quotes, escapes ("\n", "\x41", "\101") and lists of unquoted
// commas read as QSettings reads them (a list is given back joined by ", "), and "@@" stands for
// "@". What only QSettings knows (escaped or non-ASCII section and key names, typed values such
// as "@ByteArray(...)") is answered with "ask QSettings".
#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantoly::qt {

class IniValues {
  public:
    explicit IniValues(QByteArray bytes);

    struct Found {
        bool askQSettings = false;
        std::optional<std::u16string> text; // nothing: the file has no such key
    };
    // Each section's keys are sorted out once, at its first lookup.
    Found find(const QString& section, const QString& key);

  private:
    struct Key {
        QByteArrayView name;
        qsizetype valueStart, valueEnd;
    };
    struct Part {
        qsizetype start, length;
        std::vector<Key> keys;
    };
    struct Section {
        std::vector<Part> parts; // where its lines are, in order
        QByteArray joined;       // several parts, joined with a line break as QSettings joins them
        QByteArrayView data;     // what the keys' places count in: the file, or joined
        // Key -> where its raw text is in data; the last of a repeated key.
        std::optional<std::map<QByteArray, std::pair<qsizetype, qsizetype>>> values;
        bool plainKeys = true;
    };
    void sortOut(Section& section);

    QByteArray bytes_;
    bool plainNames_ = true;
    std::map<QString, Section> sections_; // "" for the keys before any section, and [General]
};

// The INI file's bytes with the key's line in the section replaced by the given one (the first
// occurrence's place; the others removed), or added at the end of the section, or in a new
// section at the end of the file. Lines are the lines QSettings reads: one that runs on past a
// backslash or an open quote is replaced whole. Everything else keeps its bytes, line breaks of
// every kind (LF, CR LF, CR) included.
QByteArray SpliceIniLine(const QByteArray& file, const QByteArray& section, const QByteArray& key,
                         const QByteArray& line);

// The value's raw text as a list of texts or one text, unescaped; nothing when only QSettings
// can say what it is.
std::optional<std::u16string> UnescapeIniValue(QByteArrayView raw);

} // namespace vantoly::qt
