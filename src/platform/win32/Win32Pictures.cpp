#include "platform/win32/Win32Pictures.h"

#include "platform/Failure.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

PlatformFailure fileFailure(const char* what, const std::u16string& path) {
    return PlatformFailure(std::string(what) + " " + ToUtf8(path) + ": " +
                           errorText(GetLastError()));
}

} // namespace

Win32Pictures::~Win32Pictures() {
    if (picture_)
        DestroyIcon(picture_);
}

void Win32Pictures::load(const std::u16string& path) {
    const HANDLE file = CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw fileFailure("cannot read", path);
    std::string bytes;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
    if (read) {
        bytes.resize(size_t(size.QuadPart));
        DWORD got = 0;
        read = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) &&
                                 got == bytes.size());
    }
    CloseHandle(file);
    if (!read)
        throw fileFailure("cannot read", path);
    // The tray shows the small size; LoadImage picks the best of the sizes the file carries.
    const auto icon = static_cast<HICON>(
        LoadImageW(nullptr, wide(path), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE));
    if (!icon)
        throw PlatformFailure("not a picture: " + ToUtf8(path));
    if (picture_)
        DestroyIcon(picture_);
    picture_ = icon;
    bytes_ = std::move(bytes);
}

int32_t Win32Pictures::handle() const {
    return handleValue(picture_);
}

// Replaced whole, so a reader never sees half an icon and a planted link is never followed.
void Win32Pictures::save(const std::u16string& path) const {
    if (!picture_ || bytes_.empty())
        throw PlatformFailure("no picture to save as " + ToUtf8(path));
    if (const DWORD error = WriteFileReplacing(std::wstring(wide(path)), {bytes_}))
        throw PlatformFailure("cannot write " + ToUtf8(path) + ": " + errorText(error));
}

} // namespace vantoly::win32
