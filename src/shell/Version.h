// Application identity. The numbers come from the project's version in the
// top-level CMakeLists.txt.
#pragma once

#include <QString>

#include "shell/VersionNumbers.h"

namespace Version {
inline QString title() { return QStringLiteral("Aerokit"); }
inline QString text() { return QString("Version %1.%2.%3").arg(Major).arg(Minor).arg(Revision); }
}  // namespace Version
