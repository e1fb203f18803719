#pragma once
// Qt adapter: every port, built together and handed to frmMain as one Platform.
#include "platform/Platform.h"
#include "platform/qt/QtClockLocale.h"
#include "platform/qt/QtCodePage.h"
#include "platform/qt/QtFileVersion.h"
#include "platform/qt/QtForm.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShellTray.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtStateFile.h"
#include "platform/qt/QtZOrder.h"

namespace vantoly::qt {

class QtPlatform {
  public:
    QtPlatform();
    Platform& platform() { return platform_; }

    QtForm form;
    QtCodePage codePage;
    QtShellTray shell;
    QtFileVersion version;
    QtSettingsStore file;
    QtStateFile journal{StateFilePath(QStringLiteral("journal"))};
    QtStateFile rings{StateFilePath(QStringLiteral("alarms"))};
    QtClockLocale clock;
    QtHost host;
    QtSound sound;
    QtZOrder zorder;

  private:
    Platform platform_;
};

} // namespace vantoly::qt
