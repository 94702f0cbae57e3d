// Standard open and save dialogs, with the filter written as the program's
// "Desc|*.log|Desc|*.*|" strings. A test seam returns a queued file name
// (an empty name is a cancelled dialog).
#pragma once

#include <QString>
#include <QWidget>

namespace FileDialog {

struct Options {
    QString defaultSuffix;  // added to a name typed without extension ("log")
    bool confirmOverwrite = true;
};

// Full path chosen, or an empty string when cancelled. Only existing files
// are accepted.
QString getOpenFileName(QWidget* parent, const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& filter, const Options& options = {});

// "Logbook Files (*.log)|*.log|All Files (*.*)|*.*|" to Qt's
// "Logbook Files (*.log);;All Files (*.*)".
QString toQtFilter(const QString& filter);

void setNextFileName(const QString& path);
// Filter of the last dialog asked for (shown or answered from the queue).
QString lastFilter();
void clearForTesting();

}  // namespace FileDialog
