#pragma once
// The window classes of the form and of Picture1, and the child-window identifiers of its controls,
// shared with the test driver.
#include "platform/Toolkit.h"

namespace vantoly::win32 {

inline constexpr wchar_t kFormClass[] = L"VantolyForm";
inline constexpr wchar_t kPictureClass[] = L"VantolyPicture";

// OK is the dialog manager's default button (IDOK), so Enter outside the note box presses it.
inline unsigned short ControlId(Control control) {
    return control == Control::Command2 ? 1 : static_cast<unsigned short>(1000 + int(control));
}

} // namespace vantoly::win32
