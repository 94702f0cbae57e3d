// The door to the planner: create or open a flight plan file, then hand
// over to the flight plan record display.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class frmPlanner : public QWidget {
    Q_OBJECT
  public:
    frmPlanner();

    QLabel* lblPreflight;
    QPushButton* cmdNewPlan;
    QPushButton* cmdOpenplan;
    QPushButton* cmdExitPlanner;

  public slots:
    void cmdNewPlan_Click();
    void cmdOpenplan_Click();
    void cmdExitPlanner_Click();

  private:
    void showPlan();
};
