#include "platform/qt/QtMemory.h"

#include <QTimer>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vantoly::qt {

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
