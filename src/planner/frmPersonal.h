// Entry of the pilot's name, address, telephone number and home base, kept
// in Personal.nfo for every plan's box 14.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "planner/PlanRecord.h"

class frmPersonal : public QDialog {
    Q_OBJECT
  public:
    frmPersonal();

    planner::PlanRecord typedRecord() const;

    QLineEdit* txtName;
    QLineEdit* txtAddress;
    QLineEdit* txtCity;
    QLineEdit* txtState;
    QLineEdit* txtZip;
    QLineEdit* txtPhone;
    QLineEdit* txtHome;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
};
