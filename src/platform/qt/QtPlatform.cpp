#include "platform/qt/QtPlatform.h"

#include <QLocale>

namespace vantoly::qt {

QtPlatform::QtPlatform()
    : codePage(SystemCodePage()), shell(form.pictures(), codePage),
      host([this] { form.stopEvents(); }),
      zorder(form), platform_{form,     shell, version, settings, clock,
                              codePage, host,  sound,   zorder} {}

} // namespace vantoly::qt
