#pragma once
// Qt adapter: memory a big note used for a moment (its file parsed, its text converted, laid
// out again) is given back to the system once the program is idle. The C library keeps freed
// blocks for reuse, so without this a 10 MB note would leave the idle program holding several
// times its size.
#include <cstddef>

namespace vantoly::qt {

// Worth it only after this much was used and freed.
constexpr std::size_t kBigText = 1 << 20;

// Once the events now waiting have run; several calls before then give back once.
void ReleaseFreedMemorySoon();

} // namespace vantoly::qt
