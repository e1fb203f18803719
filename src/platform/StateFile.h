#pragma once
// A small file of the program's state beside the settings (the recovery journal, the alarms that
// rang): the user's alone, replaced whole at every write so a reader never sees half of it and a
// link planted at its place is never written through.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantoly {

class StateFile {
  public:
    virtual ~StateFile() = default;
    // Nothing when there is no such file or it cannot be read.
    virtual std::optional<std::string> read() = 0;
    // The file becomes the parts, one after another, and is on the disk when this returns.
    // Nothing when it was written, otherwise why not, in a user's words.
    virtual std::optional<std::string> replace(const std::vector<std::string_view>& parts) = 0;
    virtual void remove() = 0;
};

} // namespace vantoly
