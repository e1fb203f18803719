#pragma once
// Win32 adapter: every port, built together and handed to frmMain as one Platform.
#include "platform/Platform.h"
#include "platform/win32/Win32Calls.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Form.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32IniStore.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32ShellTray.h"

namespace vantoly::win32 {

class Win32Platform {
  public:
    explicit Win32Platform(HINSTANCE instance)
        : form(instance),
          host([this] { form.stopEvents(); }), platform_{form,   shell,    version, settings(),
                                                         clock,  codePage, host,    sound,
                                                         zorder, journal,  rings} {}
    Platform& platform() { return platform_; }

    Win32Form form;
    Win32CodePage codePage;
    Win32ShellTray shell;
    Win32FileVersion version;
    // Without a Vantoly.ini beside the program, its settings are kept in the registry.
    const std::wstring portableFile = PortableSettingsFile();
    Win32SettingsStore registry;
    Win32IniStore portable{portableFile};
    Win32StateFile journal{StateFilePath(L"journal", portableFile)};
    Win32StateFile rings{StateFilePath(L"alarms", portableFile)};
    Win32ClockLocale clock;
    Win32Host host;
    Win32Sound sound;
    Win32ZOrder zorder;

  private:
    SettingsStore& settings() {
        return portableFile.empty() ? static_cast<SettingsStore&>(registry) : portable;
    }
    Platform platform_;
};

} // namespace vantoly::win32
