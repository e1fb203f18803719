#pragma once
// The process and its place on the machine: one instance, where the program lives, ending.
#include <string>

namespace vantoly {

class Host {
  public:
    virtual ~Host() = default;
    virtual bool anotherInstanceRunning() = 0;
    // Asks the instance that anotherInstanceRunning found to show its window.
    virtual void activateRunningInstance() = 0;
    // Ends the process at once; no close request is raised. Returns only on a platform that
    // ends after the current handler (the caller then does nothing more).
    virtual void endProcess(int exitCode) = 0;
    // The directory of the executable, without a trailing separator.
    virtual std::u16string applicationDirectory() const = 0;
    // Whether the program may write its own files there: writable, and where the platform can
    // tell, the user's own and not writable by other users.
    virtual bool directoryWritable(const std::u16string& directory) const = 0;
    // The user's cache directory for this program, created when needed.
    virtual std::u16string cacheDirectory() const = 0;
    // A line on the program's diagnostic output (standard error); never shown as a box.
    virtual void reportProblem(const std::string& utf8Message) = 0;
};

} // namespace vantoly
