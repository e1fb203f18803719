#pragma once
// Qt adapter: an icon that stays sharp at fractional scale factors.
#include <QIcon>

namespace vantoly::qt {

// Paints, for the size at hand in device pixels, the largest of the icon's own images that fits,
// pixel for pixel and centred, rather than one image scaled into a fractional size: at scale
// factor 1.5 the XEmbed tray asks for a 22-pixel icon as 14.67 logical pixels, and Qt would blur
// the 22-pixel image to fit. Everything else (pixmaps for a StatusNotifierItem host, sizes) is
// the icon's own.
QIcon SharpIcon(const QIcon& icon);

} // namespace vantoly::qt
