// The program's logo, drawn rather than shipped as an image file.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace AppIcon {
QPixmap logo(int size);
QIcon icon();
}  // namespace AppIcon
