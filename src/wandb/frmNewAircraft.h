// The aircraft definition window: types in a new aircraft and saves it as
// its own *.pln file. Shown modally over the weight-and-balance window.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class frmNewAircraft : public QDialog {
    Q_OBJECT
  public:
    frmNewAircraft();
    void Form_Load();

    QLineEdit* txtIdent;
    QLineEdit* txtMake;
    QLineEdit* txtEmptyWeight;
    QLineEdit* txtEmptyMoment;
    QLineEdit* txtMaxTOweight;
    QLineEdit* txtFwdCGLimit;
    QLineEdit* txtAftCGLimit;
    QGroupBox* fraSeats;
    QLineEdit* txtSeat1Name;
    QLineEdit* txtSeat1Arm;
    QLineEdit* txtSeat2Name;
    QLineEdit* txtSeat2Arm;
    QLineEdit* txtSeat3Name;
    QLineEdit* txtSeat3Arm;
    QGroupBox* fraBags;
    QLineEdit* txtBag1Name;
    QLineEdit* txtBag1Arm;
    QLineEdit* txtBag2Name;
    QLineEdit* txtBag2Arm;
    QLineEdit* txtBag3Name;
    QLineEdit* txtBag3Arm;
    QGroupBox* fraFuel;
    QLineEdit* txtTank1Name;
    QLineEdit* txtTank1Arm;
    QLineEdit* txtTank2Name;
    QLineEdit* txtTank2Arm;
    QLineEdit* txtTank3Name;
    QLineEdit* txtTank3Arm;
    QGroupBox* fraOil;
    QLineEdit* txtOilName;
    QLineEdit* txtOilArm;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

  public slots:
    void cmdSave_Click();
    void cmdCancel_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
