#include "platform/qt/QtMemory.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>
#if defined(__GLIBC__)
#include <gnu/libc-version.h>
#include <malloc.h>
#endif
#if defined(__linux__)
#include <cstdint>
#include <sys/auxv.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vantoly::qt {

void MapPagesNow(void* buffer, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (bytes < kBigText)
        return;
    const auto page = std::uintptr_t(4096);
    const auto start = (std::uintptr_t(buffer) + page - 1) & ~(page - 1);
    const auto end = (std::uintptr_t(buffer) + bytes) & ~(page - 1);
    if (end > start) // a kernel before 5.14 refuses, and the pages come one by one as before
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)buffer;
    (void)bytes;
#endif
}

void ReleaseFreedMemorySoon() {
#if defined(__GLIBC__)
    static bool due = false;
    if (due)
        return;
    due = true;
    QTimer::singleShot(0, [] {
        due = false;
        malloc_trim(0);
    });
#endif
}

std::optional<std::string> LargePagesTunables(const char* tunables, std::string_view mode,
                                              std::string_view libraryVersion, bool guarded) {
    constexpr std::string_view kLargePages = "glibc.malloc.hugetlb=1";
    // Told already, by an earlier start or by the user: a new start would never end.
    if (guarded || (tunables && std::string_view(tunables).find("glibc.malloc.hugetlb") !=
                                    std::string_view::npos))
        return std::nullopt;
    // Only where they come on request: "always" gives them anyway, "never" not at all.
    if (mode.find("[madvise]") == std::string_view::npos)
        return std::nullopt;
    // The C library knows the request from 2.35 on.
    unsigned major = 0, minor = 0;
    if (std::sscanf(std::string(libraryVersion).c_str(), "%u.%u", &major, &minor) != 2 ||
        major < 2 || (major == 2 && minor < 35))
        return std::nullopt;
    std::string value = tunables && *tunables ? std::string(tunables) + ":" : std::string();
    return value += kLargePages;
}

void StartWithLargePages(char** argv, long long storedBytes) {
#if defined(__GLIBC__) && defined(__linux__)
    if (storedBytes < (long long)(kBigText))
        return;
    std::string mode;
    if (std::FILE* file = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r")) {
        char line[128] = {};
        if (std::fgets(line, sizeof line, file))
            mode = line;
        std::fclose(file);
    }
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const auto told =
        LargePagesTunables(tunables, mode, gnu_get_libc_version(), getauxval(AT_SECURE) != 0);
    if (!told)
        return;
    // Started by its own name, so the process keeps it ("vantoly" in ps and pgrep); a program
    // file replaced or gone since runs on as it is.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0 || length >= ssize_t(sizeof self - 1))
        return;
    self[length] = '\0';
    if (std::string_view(self).ends_with(" (deleted)"))
        return;
    const std::string before = tunables ? tunables : "";
    setenv("GLIBC_TUNABLES", told->c_str(), 1);
    execv(self, argv);
    if (tunables)
        setenv("GLIBC_TUNABLES", before.c_str(), 1);
    else
        unsetenv("GLIBC_TUNABLES");
#else
    (void)argv;
    (void)storedBytes;
#endif
}

} // namespace vantoly::qt
