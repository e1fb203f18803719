#pragma once
// Qt adapter: the program's state files (the recovery journal, the alarms' last rings).
#include <QString>

#include "platform/StateFile.h"

namespace vantoly::qt {

// A file of the program's state: $XDG_STATE_HOME/Vantoly/NAME.HOST-SESSION (by default under
// ~/.local/state), the user's alone (0600, its folder 0700). Each machine, and each session
// with a runtime folder of its own, keeps its own, so two sharing one home never drop each
// other's typing.
QString StateFilePath(const QString& name);

class QtStateFile : public StateFile {
  public:
    explicit QtStateFile(QString path) : path_(std::move(path)) {}
    std::optional<std::string> read() override;
    std::optional<std::string> replace(const std::vector<std::string_view>& parts) override;
    void remove() override;

  private:
    QString path_;
};

} // namespace vantoly::qt
