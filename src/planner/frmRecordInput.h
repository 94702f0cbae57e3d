// Entry of the flight plan form's fields (record 1 of the current plan).
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "planner/PlanRecord.h"

class frmRecordInput : public QDialog {
    Q_OBJECT
  public:
    frmRecordInput();
    void Form_Load();

    // The record as typed (only this window's fields are filled).
    planner::PlanRecord typedRecord() const;

    QGroupBox* fraType;
    QRadioButton* optVFR;
    QRadioButton* optIFR;
    QRadioButton* optDVFR;
    QButtonGroup* typeGroup;
    QLineEdit* txtIdent;
    QLineEdit* txtType;
    QLineEdit* txtSpecial;
    QLineEdit* txtSpeed;
    QLineEdit* txtDepart;
    QLineEdit* txtProp;
    QLineEdit* txtAct;
    QLineEdit* txtCruise;
    QPlainTextEdit* txtRoute;
    QLineEdit* txtDest;
    QLineEdit* txtHours;
    QLineEdit* txtMinutes;
    QPlainTextEdit* txtRemarks;
    QLineEdit* txtFHours;
    QLineEdit* txtFMinutes;
    QLineEdit* txtAltPorts;
    QLineEdit* txtAboard;
    QLineEdit* txtColor;
    QLineEdit* txtClose;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdPersonal;

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPersonal_Click();
};
