// Entry of the navigation log header (record 1 of the current plan).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "planner/PlanRecord.h"

class frmFlightLogInput : public QDialog {
    Q_OBJECT
  public:
    frmFlightLogInput();
    void Form_Load();

    planner::PlanRecord typedRecord() const;

    QLabel* lblHeading;
    QLabel* lblident;
    QLabel* lblFrom;
    QLabel* lblTo;
    QLabel* lblAlt;
    QLabel* lblTAS;
    QLabel* lblAltitude;
    QLabel* lblTimeOff;
    QLabel* lblTimeOn;
    QLabel* lblElapsed;
    QLabel* lblFuelOn;
    QLabel* lblFuelRate;
    QLabel* lblFuelReq;
    QLabel* lblFRem;
    QLabel* lblRunway;
    QLineEdit* txtIdent;
    QLineEdit* txtFrom;
    QLineEdit* txtTo;
    QLineEdit* txtAlt;
    QLineEdit* txtTAS;
    QLineEdit* txtAltitude;
    QLineEdit* txtTimeOff;
    QLineEdit* txtTimeOn;
    QLineEdit* txtElapsed;
    QLineEdit* txtFuelOn;
    QLineEdit* txtFuelRate;
    QLineEdit* txtFuelReq;
    QLineEdit* txtFRem;
    QPlainTextEdit* txtRunway;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
};
