#pragma once
// A platform operation that could not be carried out (a picture that does not load, a file that
// cannot be written, a control that cannot take the focus). Handlers decide whether it stops them.
#include <stdexcept>

namespace vantoly {

class PlatformFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace vantoly
