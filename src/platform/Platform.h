#pragma once
// Everything frmMain needs of the platform, handed over by the composition root.
#include "platform/ClockLocale.h"
#include "platform/CodePage.h"
#include "platform/FileVersion.h"
#include "platform/Host.h"
#include "platform/SettingsStore.h"
#include "platform/ShellTray.h"
#include "platform/Sound.h"
#include "platform/StateFile.h"
#include "platform/Toolkit.h"
#include "platform/ZOrder.h"

namespace vantoly {

struct Platform {
    Toolkit& ui;
    ShellTray& shell;
    FileVersion& version;
    // The store; frmMain keeps its recovery journal in front of it.
    SettingsStore& settings;
    ClockLocale& clock;
    CodePage& codePage;
    Host& host;
    Sound& sound;
    ZOrder& zorder;
    // What was typed and not yet taken by the store.
    StateFile& journal;
    // The minute each note's alarm last rang, so a restart within it does not ring it again.
    StateFile& rings;
};

} // namespace vantoly
