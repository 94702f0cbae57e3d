// The logbook file window: create a new logbook or open one, then hand over
// to the viewer.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class frmMain : public QWidget {
    Q_OBJECT
  public:
    frmMain();

    QLabel* lblTitle = nullptr;
    QPushButton* cmdNewLog = nullptr;
    QPushButton* cmdOpenLog = nullptr;
    QPushButton* cmdExitLog = nullptr;

  public slots:
    void cmdNewLog_Click();
    void cmdOpenLog_Click();
    void cmdExitLog_Click();

  private:
    void handOver();
    void refuse(const QString& path, const QString& reason);
};
