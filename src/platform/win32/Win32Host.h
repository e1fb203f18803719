#pragma once
// Win32 adapter: the process.
//
// Implements: one instance per user session through a named mutex ("Local\Vantoly"), held until
// the process ends, a second start asking the first for its window with a registered message; the
// application directory from the executable's own path; the user's local application data folder
// for the cache; ending the process by leaving the message loop, with no further event reaching the
// handlers; problems on standard error when there is one, and to the debugger otherwise.
#include <functional>
#include <optional>

#include "platform/Host.h"

#include "platform/win32/WindowsHeaders.h"

namespace vantoly::win32 {

class Win32Host : public Host {
  public:
    explicit Win32Host(std::function<void()> stopEvents) : stopEvents_(std::move(stopEvents)) {}
    ~Win32Host() override;

    bool anotherInstanceRunning() override;
    void activateRunningInstance() override;
    // What a second start posts to the running program's note window.
    static UINT activateMessage();
    void endProcess(int exitCode) override;
    std::u16string applicationDirectory() const override;
    bool directoryWritable(const std::u16string& directory) const override;
    std::u16string cacheDirectory() const override;
    void reportProblem(const std::string& utf8Message) override;

    std::optional<int> exitCode() const { return exitCode_; }

  private:
    HANDLE mutex_ = nullptr;
    std::optional<int> exitCode_;
    std::function<void()> stopEvents_;
};

} // namespace vantoly::win32
