#include "platform/qt/QtMemory.h"

#include <QTimer>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <cstdint>
#include <sys/mman.h>
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

} // namespace vantoly::qt
