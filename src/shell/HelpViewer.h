// The program's help viewer: a window showing the HTML help file. F1 in any
// window of the program opens it on the help file path set at start, at the
// topic of the window that asked. It stays usable while a modal window is
// up, so help can be read beside the window it explains.
#pragma once

#include <QPushButton>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    // Opens (or raises) the viewer on the file at path, at topic (an anchor
    // of the file; empty: its beginning).
    static HelpViewer* open(const QString& path, const QString& topic = {});
    // The viewer when it is open, else null.
    static HelpViewer* current();
    // The help topic of a window of the program, by its name.
    static QString topicFor(const QWidget* window);
    QTextBrowser* browser() const { return browser_; }
    // Installs the application-wide handling of F1 (idempotent).
    static void installF1Handler();
    // Lets the viewer take input beside the modal window now shown.
    static void followModal();

    QPushButton* cmdBack;
    QPushButton* cmdForward;
    QPushButton* cmdContents;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    HelpViewer();
    void load(const QString& path, const QString& topic);
    QTextBrowser* browser_;
    QString path_;
};
