#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/WindowsHeaders.h"
#include <set>
#include <vector>

#include "platform/Failure.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Text.h"

namespace vantoly::win32 {
namespace {

std::wstring keyPath(const std::u16string& app, const std::u16string& section) {
    return L"Software\\VB and VBA Program Settings\\" + std::wstring(wide(app)) + L"\\" +
           std::wstring(wide(section));
}

std::string journalKey(const std::u16string& section, const std::u16string& key) {
    return utf8(section) + "/" + utf8(key);
}

std::optional<std::u16string> readValue(const std::u16string& app, const std::u16string& section,
                                        const std::u16string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &handle) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::u16string> result;
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExW(handle, wide(key), nullptr, &type, nullptr, &size);
    // A value written by something else as another type is not the program's text.
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        status = RegQueryValueExW(handle, wide(key), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS) {
            size_t length = size / sizeof(wchar_t);
            // Stored with or without its terminator; the text ends at the first one.
            for (size_t i = 0; i < length; ++i)
                if (data[i] == L'\0') {
                    length = i;
                    break;
                }
            result = fromWide(data.data(), length);
        }
    }
    RegCloseKey(handle);
    return result;
}

void writeValue(const std::u16string& app, const std::u16string& section, const std::u16string& key,
                const std::u16string& value) {
    const std::wstring path = keyPath(app, section);
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        const DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(handle, wide(key), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(wide(value)), bytes);
        RegCloseKey(handle);
    }
    if (status != ERROR_SUCCESS)
        throw PlatformFailure("HKEY_CURRENT_USER\\" + utf8(path) +
                              " cannot be written: " + errorText(DWORD(status)));
}

// When the section's key was last written, as FILETIME steps; nothing when it is not there.
std::optional<uint64_t> keyWriteTime(const std::u16string& app, const std::u16string& section) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &handle) != ERROR_SUCCESS)
        return std::nullopt;
    FILETIME written{};
    const LSTATUS status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, &written);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return FileTimeSteps(written);
}

} // namespace

std::wstring DefaultJournalPath() {
    return LocalDataFolder() + L"\\journal";
}

// Before anything reads the registry: a journal left by a run that ended suddenly goes into it.
void Win32SettingsStore::replayJournal(const std::u16string& app) {
    replayed_ = true;
    const auto bytes = ReadWholeFile(journalPath_);
    const auto journalTime = FileWriteTime(journalPath_);
    if (!bytes || !journalTime)
        return;
    const JournalEntries entries = DecodeJournal(*bytes);
    // Every section's time is taken before the first entry changes it. A file's time and a
    // key's are kept by different clocks (a file's may lag by a tick): only a registry saved
    // clearly after the journal makes it stale, since a stale journal costs a moment of typing
    // and a wrongly dropped one all of it.
    constexpr uint64_t kClockSlack = 10'000'000; // one second, in FILETIME steps
    std::set<std::string> stale;
    for (const auto& [name, text] : entries) {
        const std::string section = name.substr(0, name.find('/'));
        const auto written = keyWriteTime(app, fromUtf8(section));
        if (written && *written > *journalTime + kClockSlack)
            stale.insert(section);
    }
    for (const auto& [name, text] : entries) {
        const size_t slash = name.find('/');
        if (slash == std::string::npos || stale.count(name.substr(0, slash)))
            continue;
        try {
            writeValue(app, fromUtf8(name.substr(0, slash)), fromUtf8(name.substr(slash + 1)),
                       fromUtf8(text));
        } catch (const PlatformFailure&) {
            pending_[name] = text;
        }
    }
    saveJournal();
}

void Win32SettingsStore::saveJournal() const {
    if (pending_.empty()) {
        DeleteFileW(journalPath_.c_str());
        return;
    }
    const size_t folder = journalPath_.find_last_of(L'\\');
    if (folder != std::wstring::npos)
        CreateDirectoryW(journalPath_.substr(0, folder).c_str(), nullptr);
    WriteFileReplacing(journalPath_, EncodeJournal(pending_));
}

void Win32SettingsStore::journal(const std::u16string& section, const std::u16string& key,
                                 const std::u16string& text) {
    pending_[journalKey(section, key)] = utf8(text);
    saveJournal();
}

std::optional<std::u16string> Win32SettingsStore::read(const std::u16string& app,
                                                       const std::u16string& section,
                                                       const std::u16string& key) {
    if (!replayed_)
        replayJournal(app);
    if (const auto kept = pending_.find(journalKey(section, key)); kept != pending_.end())
        return fromUtf8(kept->second);
    return readValue(app, section, key);
}

void Win32SettingsStore::write(const std::u16string& app, const std::u16string& section,
                               const std::u16string& key, const std::u16string& value) {
    writeAll(app, section, {{key, value}});
}

// What the registry takes leaves the journal; what it refuses goes there, so it is not lost.
// The journal is saved after the last value, so it is newer than anything the registry took.
void Win32SettingsStore::writeAll(const std::u16string& app, const std::u16string& section,
                                  const Values& values) {
    if (!replayed_)
        replayJournal(app);
    std::optional<PlatformFailure> failed;
    bool changed = false;
    for (const auto& [key, value] : values) {
        const std::string name = journalKey(section, key);
        try {
            writeValue(app, section, key, value);
            changed = pending_.erase(name) > 0 || changed;
        } catch (const PlatformFailure& failure) {
            if (!failed)
                failed = failure;
            pending_[name] = utf8(value);
            changed = true;
        }
    }
    if (changed)
        saveJournal();
    if (failed)
        throw *failed;
}

} // namespace vantoly::win32
