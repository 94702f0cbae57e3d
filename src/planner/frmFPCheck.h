// Entry of one checkpoint, appended after the last one of the log.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "planner/PlanRecord.h"

class frmFPCheck : public QDialog {
    Q_OBJECT
  public:
    frmFPCheck();

    planner::PlanRecord typedRecord() const;

    QLineEdit* txtName;
    QLineEdit* txtIdent;
    QLineEdit* txtFreq;
    QLineEdit* txtTo;
    QLineEdit* txtFrom;
    QLineEdit* txtTC;
    QLineEdit* txtWCA;
    QLineEdit* txtTH;
    QLineEdit* txtVAR;
    QLineEdit* txtMH;
    QLineEdit* txtDEV;
    QLineEdit* txtCH;
    QLineEdit* txtLegDist;
    QLineEdit* txtLegRem;
    QLineEdit* txtEGS;
    QLineEdit* txtAGS;
    QLineEdit* txtETE;
    QLineEdit* txtATE;
    QLineEdit* txtETA;
    QLineEdit* txtATA;
    QLineEdit* txtFUsed;
    QLineEdit* txtFRem;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
};
