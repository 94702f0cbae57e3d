// The program's help viewer: a window showing the HTML help file. F1 in any
// window of the program opens it on the help file path set at start.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    // Opens (or raises) the viewer on the file at path.
    static HelpViewer* open(const QString& path);
    // The viewer when it is open, else null.
    static HelpViewer* current();
    QTextBrowser* browser() const { return browser_; }
    // Installs the application-wide handling of F1 (idempotent).
    static void installF1Handler();

  private:
    HelpViewer();
    void load(const QString& path);
    QTextBrowser* browser_;
};
