#pragma once
// Qt adapter: the process.
//
// Implements: one instance per user through a QLockFile in the user's runtime directory (the lock
// of a process that died is taken over), a second start asking the first for its window with
// SIGUSR1; the application directory from the executable's real
// path; the user's cache directory; ending the process by leaving Qt's event loop, with no
// further event reaching the handlers; problems on standard error.
#include <QLockFile>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Host.h"

namespace vantoly::qt {

class QtHost : public Host {
  public:
    explicit QtHost(std::function<void()> stopEvents) : stopEvents_(std::move(stopEvents)) {}

    bool anotherInstanceRunning() override;
    void activateRunningInstance() override;
    void endProcess(int exitCode) override;
    std::u16string applicationDirectory() const override;
    bool directoryWritable(const std::u16string& directory) const override;
    std::u16string cacheDirectory() const override;
    void reportProblem(const std::string& message) override;

    std::optional<int> exitCode() const { return exitCode_; }

  private:
    std::unique_ptr<QLockFile> lock_;
    qint64 runningPid_ = 0;
    std::optional<int> exitCode_;
    std::function<void()> stopEvents_;
};

} // namespace vantoly::qt
