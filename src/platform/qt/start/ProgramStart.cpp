#include "platform/qt/start/ProgramStart.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <gnu/libc-version.h>
#include <sys/auxv.h>
#endif

#include "platform/qt/QtMemory.h"

namespace vantoly::qt {
namespace {

// The folder an XDG variable names, or its default under the home folder; where Qt and the
// journal look.
std::string xdgFolder(const char* variable, const char* underHome) {
    const char* set = std::getenv(variable);
    if (set && *set == '/')
        return set;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + underHome;
}

long long fileBytes(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? (long long)(status.st_size) : 0;
}

// The program's own file, by the link the kernel keeps: " (deleted)" follows when it was
// replaced or removed since it started.
std::string ownFile() {
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0 || length >= ssize_t(sizeof self - 1))
        return {};
    return std::string(self, size_t(length));
}

} // namespace

long long StoredNoteBytes() {
    return fileBytes(xdgFolder("XDG_CONFIG_HOME", "/.config") + "/Vantoly/Vantoly.ini") +
           fileBytes(xdgFolder("XDG_STATE_HOME", "/.local/state") + "/Vantoly/journal");
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
    const std::string self = ownFile();
    if (self.empty() || self.ends_with(" (deleted)"))
        return;
    const std::string before = tunables ? tunables : "";
    setenv("GLIBC_TUNABLES", told->c_str(), 1);
    execv(self.c_str(), argv);
    if (tunables)
        setenv("GLIBC_TUNABLES", before.c_str(), 1);
    else
        unsetenv("GLIBC_TUNABLES");
#else
    (void)argv;
    (void)storedBytes;
#endif
}

int RunQtProgram(int argc, char** argv) {
    // From the program's own folder, which an update that replaced the program still holds.
    std::string module = ownFile();
    if (module.empty() && argc > 0)
        module = argv[0];
    module = module.substr(0, module.rfind('/') + 1) + "libvantoly_program.so";
    void* program = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Main = int (*)(int, char**);
    Main run = program ? reinterpret_cast<Main>(::dlsym(program, "vantoly_qt_main")) : nullptr;
    if (!run) {
        // Nothing to show a window with: the Qt libraries are what failed to load.
        std::fprintf(stderr, "Vantoly could not start: %s\n", ::dlerror());
        return 1;
    }
    return run(argc, argv);
}

} // namespace vantoly::qt
