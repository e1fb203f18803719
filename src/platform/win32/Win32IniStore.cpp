#include "platform/win32/Win32IniStore.h"

#include "platform/Failure.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

constexpr UINT kFolderChanged = WM_APP + 1;
std::optional<std::u16string> given(const std::optional<std::u16string>& stored) {
    return stored ? std::optional(std::u16string(GivenForm(*stored))) : std::nullopt;
}
unsigned long long wide64(DWORD high, DWORD low) {
    return (static_cast<unsigned long long>(high) << 32) | low;
}

} // namespace

Win32IniStore::~Win32IniStore() {
    if (HANDLE wait = InterlockedExchangePointer(&wait_, nullptr))
        UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); // and waits for a call under way
    if (change_ != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(change_);
    if (window_)
        DestroyWindow(window_);
}

Win32IniStore::Identity Win32IniStore::fileNow() const {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &file))
        return {};
    // Windows keeps a replaced file's time of creation for its successor: the time of change
    // and the size tell them apart.
    return {wide64(file.nFileSizeHigh, file.nFileSizeLow),
            wide64(file.ftCreationTime.dwHighDateTime, file.ftCreationTime.dwLowDateTime),
            wide64(file.ftLastWriteTime.dwHighDateTime, file.ftLastWriteTime.dwLowDateTime)};
}

std::optional<IniText> Win32IniStore::load() const {
    if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND)
        return IniText();
    const auto bytes = ReadWholeFile(path_);
    if (!bytes)
        return std::nullopt;
    return IniText(*bytes);
}

std::optional<std::u16string> Win32IniStore::read(const std::u16string&,
                                                  const std::u16string& section,
                                                  const std::u16string& key) {
    if (const Identity now = fileNow(); now != loaded_) {
        // One that cannot be read now is answered from what was read before.
        if (auto file = load()) {
            text_ = std::move(*file);
            loaded_ = now;
        }
    }
    return given(text_.value(section, key));
}

void Win32IniStore::write(const std::u16string& app, const std::u16string& section,
                          const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

// Read again first: what someone else wrote into other keys stays.
void Win32IniStore::writeAll(const std::u16string&, const std::u16string& section,
                             const Values& values) {
    auto file = load();
    if (!file)
        throw PlatformFailure(utf8(path_) + " cannot be read: " + errorText(GetLastError()));
    for (const auto& [key, value] : values)
        file->set(section, key, KeptForm(value));
    const std::string bytes = file->bytes("\r\n");
    const DWORD error = WriteFileReplacing(path_, {bytes});
    seen_ = fileNow(); // what this store wrote, whatever became of it
    if (error != ERROR_SUCCESS)
        throw PlatformFailure(utf8(path_) + " cannot be written: " + errorText(error));
    text_ = std::move(*file);
    loaded_ = seen_;
}

std::optional<SettingsStore::Held>
Win32IniStore::readBack(const std::u16string&, const std::u16string& section,
                        const std::vector<std::u16string>& keys) {
    const auto file = load();
    if (!file)
        return std::nullopt;
    Held held;
    for (const auto& key : keys)
        held.push_back(given(file->value(section, key)));
    return held;
}

// The folder is watched, as sync tools and editors replace the file rather than write into it.
// The system calls from a thread of its pool; the program hears of it in its own thread, through
// a window of its own, a second after the last change.
void Win32IniStore::watch(std::function<void()> changed) {
    changed_ = std::move(changed);
    seen_ = fileNow();
    const std::wstring folder = path_.substr(0, path_.find_last_of(L'\\'));
    WNDCLASSW type{};
    type.lpfnWndProc = settle;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"VantolySettingsWatch";
    RegisterClassW(&type);
    window_ = CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              type.hInstance, nullptr);
    change_ = FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    // Without either, the file is still read at every save: only the live pickup is missed.
    if (!window_ || change_ == INVALID_HANDLE_VALUE)
        return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
    if (!RegisterWaitForSingleObject(&wait_, change_, folderChanged, this, INFINITE,
                                     WT_EXECUTEDEFAULT))
        wait_ = nullptr;
}

void CALLBACK Win32IniStore::folderChanged(void* self, BOOLEAN) {
    auto* store = static_cast<Win32IniStore*>(self);
    PostMessageW(store->window_, kFolderChanged, 0, 0);
    // A folder that can no longer be watched (removed, its drive gone) would call without end.
    if (!FindNextChangeNotification(store->change_))
        if (HANDLE wait = InterlockedExchangePointer(&store->wait_, nullptr))
            UnregisterWait(wait);
}

LRESULT CALLBACK Win32IniStore::settle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* store = reinterpret_cast<Win32IniStore*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (store && message == kFolderChanged) {
        SetTimer(window, 1, 1000, nullptr); // started again by every change
        return 0;
    }
    if (store && message == WM_TIMER) {
        KillTimer(window, 1);
        const Identity now = store->fileNow();
        if (now != store->seen_) {
            store->seen_ = now;
            store->changed_();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace vantoly::win32
