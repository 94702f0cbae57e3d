// The rating window: certificates, ratings and type ratings of record 1.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "logbook/Logbook.h"

class frmNewLog : public QWidget {
    Q_OBJECT
  public:
    frmNewLog();
    void Form_Load();

    QLabel* lblOtherInfo = nullptr;
    QGroupBox* fraCerts = nullptr;
    QCheckBox* chkStudent = nullptr;
    QCheckBox* chkRec = nullptr;
    QCheckBox* chkPrivate = nullptr;
    QCheckBox* chkCommercial = nullptr;
    QCheckBox* Instructor = nullptr;
    QCheckBox* chkatp = nullptr;
    QCheckBox* chkTech = nullptr;
    QCheckBox* chkGround = nullptr;

    QGroupBox* fraRatings = nullptr;
    QCheckBox* chkSE = nullptr;
    QCheckBox* chkSEL = nullptr;
    QCheckBox* chkSES = nullptr;
    QCheckBox* chkMulti = nullptr;
    QCheckBox* chkMEL = nullptr;
    QCheckBox* chkMES = nullptr;
    QCheckBox* chkMultiLim = nullptr;
    QLabel* lblMultiLim = nullptr;
    QCheckBox* chkInstr = nullptr;
    QCheckBox* chkRotor = nullptr;
    QCheckBox* chkHeli = nullptr;
    QCheckBox* chkGyro = nullptr;
    QCheckBox* chkLighter = nullptr;
    QCheckBox* chkAirship = nullptr;
    QCheckBox* chkBalloon = nullptr;
    QCheckBox* chkGlider = nullptr;
    QCheckBox* chkGeneral = nullptr;
    QCheckBox* chkPower = nullptr;
    QCheckBox* chkAirframe = nullptr;
    QCheckBox* chkGIBasic = nullptr;
    QCheckBox* chkGIAdvanced = nullptr;
    QCheckBox* chkGIinstrument = nullptr;
    QCheckBox* chkOther = nullptr;
    QLineEdit* txtOther = nullptr;

    QGroupBox* fraTypes = nullptr;
    QLineEdit* txtTyperate1 = nullptr;
    QLineEdit* txtTyperate2 = nullptr;
    QLineEdit* txtTyperate3 = nullptr;
    QLineEdit* txtTyperate4 = nullptr;
    QLineEdit* txtTyperate5 = nullptr;
    QLineEdit* txtTyperate6 = nullptr;

    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;

  public slots:
    void cmdSave_Click();
    void cmdCancel_Click();

  protected:
    // Closing through the frame is a Cancel: the hidden viewer comes back.
    void closeEvent(QCloseEvent* event) override;

  private:
    std::array<QLineEdit*, 6> typeBoxes() const;
    // Each box paired with its place in the ratings.
    std::vector<std::pair<QCheckBox*, bool logbook::Ratings::*>> boxes() const;
    void backToViewer();
    bool leaving_ = false;
};
