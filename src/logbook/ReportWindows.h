// Small helpers the three report windows share.
#pragma once

#include <QLineEdit>
#include <QString>
#include <string>

#include "shell/Controls.h"

namespace reportwindows {

// A figure box: shows a computed number, never read back. Read-only rather
// than disabled, so the pilot can still select and copy from it.
inline QLineEdit* figureBox(QWidget* parent, const char* name) {
    auto* box = Controls::named<QLineEdit>(parent, name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(110);
    return box;
}

}  // namespace reportwindows
