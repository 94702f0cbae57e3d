// Small helpers the three report windows share.
#pragma once

#include <QFile>
#include <QLineEdit>
#include <QString>
#include <string>

namespace reportwindows {

// modLog's logbook path in the file system's encoding.
inline std::string logPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A figure box: shows a computed number, never read back. Read-only rather
// than disabled, so the pilot can still select and copy from it.
inline QLineEdit* figureBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(110);
    return box;
}

}  // namespace reportwindows
