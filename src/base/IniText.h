#pragma once
// Settings as the text of an INI file, written and read exactly as QSettings (IniFormat) writes
// and reads them, so that one file serves the Linux program and the Windows one: UTF-8, one
// [section] per group, and each string value with QSettings' escapes, quotes and leading "@@".
// Keys and sections this program does not know, and values of other types, are written back as
// they were read; comments are not (QSettings drops them too).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantoly {

class IniText {
  public:
    // Never fails: what cannot be parsed is passed over, as QSettings does.
    explicit IniText(std::string_view bytes = {});
    // Nothing when the key is not there (or holds QSettings' "no value").
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;
    void set(std::u16string_view section, std::u16string_view key, std::u16string_view text);
    // The file's text, each line ended by `eol`.
    std::string bytes(std::string_view eol) const;

  private:
    struct Entry {
        std::u16string key;
        std::string raw; // the value as it stands in the file
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> sections_;
};

// QSettings drops a value's leading U+FEFF as it reads it, taking it for a byte-order mark: such
// a value is stored behind a WORD JOINER, as is one that starts with a WORD JOINER, and given back
// without it.
std::u16string KeptForm(std::u16string_view text);
std::u16string_view GivenForm(std::u16string_view stored);

} // namespace vantoly
