#pragma once

#include <QPixmap>
#include <QSize>

namespace vnt {

// The program's logo, drawn rather than loaded: a diamond on a green field and "VNT".
QPixmap drawLogo(QSize size, qreal devicePixelRatio = 1.0);

}  // namespace vnt
