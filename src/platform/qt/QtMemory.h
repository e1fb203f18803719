#pragma once
// Qt adapter: memory a big note used for a moment (its file parsed, its text converted, laid
// out again) is given back to the system once the program is idle. The C library keeps freed
// blocks for reuse, so without this a 10 MB note would leave the idle program holding several
// times its size.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantoly::qt {

// Worth it only after this much was used and freed.
constexpr std::size_t kBigText = 1 << 20;

// Makes the pages of a big buffer just allocated at once: touched one by one, each costs a trap
// into the kernel, and a 20 MB note has five thousand of them.
void MapPagesNow(void* buffer, std::size_t bytes);

// Once the events now waiting have run; several calls before then give back once.
void ReleaseFreedMemorySoon();

// A 10 MB paragraph is laid out in one block of several hundred megabytes that Qt clears at
// once: in 4 KB pages that is a hundred thousand traps into the kernel, over a second on a
// virtual machine; in the system's 2 MB pages a few hundred. The C library asks for those only
// when told so as the program starts, so with big notes stored (a new start costs tens of
// milliseconds; they save more at the first read alone) a program not yet told starts itself
// again, told. Returns when it did not (not needed, not possible).
void StartWithLargePages(char** argv, long long storedBytes);

// GLIBC_TUNABLES to start again with, from the present one (null when unset), the system's mode
// of large pages ("always [madvise] never"), the C library's version and whether the program runs
// with privileges the C library guards against the environment; nothing when no new start is due.
std::optional<std::string> LargePagesTunables(const char* tunables, std::string_view mode,
                                              std::string_view libraryVersion, bool guarded);

} // namespace vantoly::qt
