#include "platform/win32/Win32Host.h"

#include <cstdio>
#include <cwchar>

#include "platform/win32/ControlIds.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {

Win32Host::~Win32Host() {
    if (mutex_)
        CloseHandle(mutex_);
}

bool Win32Host::anotherInstanceRunning() {
    if (!mutex_)
        mutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Vantoly");
    // Without a mutex there is no way to tell: running beats refusing to run.
    return mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

UINT Win32Host::activateMessage() {
    static const UINT message = RegisterWindowMessageW(L"Vantoly.ShowWindow");
    return message;
}

namespace {

// The note window of the other process (this one has its own, hidden, by now).
BOOL CALLBACK askToShow(HWND window, LPARAM) {
    wchar_t name[32] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() || !GetClassNameW(window, name, 32) ||
        std::wcscmp(name, kFormClass) != 0)
        return TRUE;
    PostMessageW(window, Win32Host::activateMessage(), 0, 0);
    return FALSE;
}

} // namespace

// The running program's window, which may then come to the foreground.
void Win32Host::activateRunningInstance() {
    AllowSetForegroundWindow(ASFW_ANY);
    EnumWindows(askToShow, 0);
}

void Win32Host::endProcess(int exitCode) {
    exitCode_ = exitCode;
    if (stopEvents_)
        stopEvents_();
    PostQuitMessage(exitCode);
}

std::u16string Win32Host::applicationDirectory() const {
    return fromWide(ExecutableFolder());
}

// Access rights alone do not tell (a read-only medium, a virtualised folder): try a file.
bool Win32Host::directoryWritable(const std::u16string& directory) const {
    const std::wstring probe = std::wstring(wide(directory)) + L"\\vantoly-" +
                               std::to_wstring(GetCurrentProcessId()) + L".probe";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::u16string Win32Host::cacheDirectory() const {
    return fromWide(LocalDataFolder());
}

void Win32Host::reportProblem(const std::string& utf8Message) {
    std::fprintf(stderr, "%s\n", utf8Message.c_str());
    std::fflush(stderr);
    const std::string line = utf8Message + "\n";
    OutputDebugStringA(line.c_str());
}

} // namespace vantoly::win32
