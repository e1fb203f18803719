#pragma once
// The Linux program's first steps, before any Qt library is loaded: what has to be decided while
// the process is still cheap to start again, then the Qt program itself, loaded from beside the
// executable.
#include <optional>
#include <string>
#include <string_view>

namespace vantoly::qt {

// How many bytes of notes wait on disk for this start: the user's settings file and the journal.
long long StoredNoteBytes();

// A 10 MB paragraph is laid out in one block of several hundred megabytes that Qt clears at
// once: in 4 KB pages that is a hundred thousand traps into the kernel, over a second on a
// virtual machine; in the system's 2 MB pages a few hundred. The C library asks for those only
// when told so as the program starts, so with big notes stored a program not yet told starts
// itself again, told; before the Qt libraries are loaded that costs a millisecond or two.
// Returns when it did not (not needed, not possible).
void StartWithLargePages(char** argv, long long storedBytes);

// GLIBC_TUNABLES to start again with, from the present one (null when unset), the system's mode
// of large pages ("always [madvise] never"), the C library's version and whether the program runs
// with privileges the C library guards against the environment; nothing when no new start is due.
std::optional<std::string> LargePagesTunables(const char* tunables, std::string_view mode,
                                              std::string_view libraryVersion, bool guarded);

// Loads the Qt program from beside the executable and runs it; its exit code.
int RunQtProgram(int argc, char** argv);

} // namespace vantoly::qt
