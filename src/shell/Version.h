// Application identity.
#pragma once

#include <QString>

namespace Version {
constexpr int Major = 1;
constexpr int Minor = 0;
constexpr int Revision = 0;
inline QString title() { return QStringLiteral("Aerokit"); }
inline QString text() { return QString("Version %1.%2.%3").arg(Major).arg(Minor).arg(Revision); }
}  // namespace Version
