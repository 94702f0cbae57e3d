// The current flight plan as a filled-in copy of the FAA flight plan form:
// sixteen numbered boxes, the suffix legend and the closing line.
#pragma once

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QString>

#include "planner/PlanRecord.h"
#include "shell/PrintPage.h"

class frmFlightPlanRecord : public QMainWindow {
    Q_OBJECT
  public:
    frmFlightPlanRecord();
    void Form_Load();

    // Fill the value labels; the entry windows call these after they store.
    void showPlanFields(const planner::PlanRecord& rec);
    void showPersonalFields(const planner::PlanRecord& rec);

    // The printed page: the boxed form drawn on one landscape sheet.
    PrintPage::Page printPage() const;

    QLabel* lblAerokit;
    QLabel* lblRecord;
    // Box captions.
    QLabel* lblType1;
    QLabel* lblVFR1;
    QLabel* lblIFR1;
    QLabel* lblDVFR1;
    QLabel* lblIdent1;
    QLabel* lblSpecial1;
    QLabel* lblTrueSpeed1;
    QLabel* lblKTS;
    QLabel* lblDepart1;
    QLabel* lblDepartTime;
    QLabel* lblproposed1;
    QLabel* lblActual1;
    QLabel* lblCurise1;
    QLabel* lblRoute1;
    QLabel* lblDestination1;
    QLabel* lblEnRoute;
    QLabel* lblHours1;
    QLabel* lblMinutes1;
    QLabel* lblSpeciallblSpecial;
    QLabel* lblFuel;
    QLabel* lblHours2;
    QLabel* lblMinutes2;
    QLabel* lblAlternates;
    QLabel* lblPersonal;
    QLabel* lblAboard1;
    QLabel* lblColor1;
    QLabel* lblClose2;
    // Values.
    QLabel* lblVFR;
    QLabel* lblIFR;
    QLabel* lblDVFR;
    QLabel* lblIdent;
    QLabel* lblType;
    QLabel* lblTruespeed;
    QLabel* lblDepart;
    QLabel* lblProposed;
    QLabel* lblActual;
    QLabel* lblCruise;
    QLabel* lblRoute;
    QLabel* lblDestination;
    QLabel* lblHours;
    QLabel* lblMinutes;
    QLabel* lblRemarks;
    QLabel* lblFHours;
    QLabel* lblFMinutes;
    QLabel* lblAlts;
    QLabel* lblName;
    QLabel* lblStreet;
    QLabel* lblCity;
    QLabel* lblState;
    QLabel* lblZip;
    QLabel* lblPhone;
    QLabel* lblHomeBase;
    QLabel* lblAboard;
    QLabel* lblColor;
    QLabel* lblClose;
    // Legend.
    QFrame* picSuffixes;
    QLabel* lblSuffixes;

    QAction* mnuMain;
    QAction* mnuExit;
    QAction* mnuPrintRec;
    QAction* mnuEditPlan;
    QAction* mnuEditPersonal;
    QAction* mnuLog;

  public slots:
    void mnuMain_Click();
    void mnuExit_Click();
    void mnuPrintRec_Click();
    void mnuEditPlan_Click();
    void mnuEditPersonal_Click();
    void mnuLog_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();

  private:
    // What the labels show, for the printed sheet.
    planner::PlanRecord plan_;
    planner::PlanRecord personal_;
};
