// The main menu: the three tools and the way out.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class frmMenu : public QWidget {
    Q_OBJECT
  public:
    frmMenu();

    QLabel* Label1;
    QLabel* Label3;
    QPushButton* cmdLogbook;
    QPushButton* cmdPreFlight;
    QPushButton* cmdWandB;
    QPushButton* cmdExit;

  public slots:
    void cmdLogbook_Click();
    void cmdPreFlight_Click();
    void cmdWandB_Click();
    void cmdExit_Click();
};
