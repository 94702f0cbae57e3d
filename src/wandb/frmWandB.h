// The weight-and-balance window: loads a stored aircraft, takes the load of
// each station and computes the takeoff and zero-fuel weights and CGs.
#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/NumberText.h"
#include "shell/PrintPage.h"
#include "wandb/LoadChart.h"

class frmWandB : public QMainWindow {
    Q_OBJECT
  public:
    frmWandB();
    ~frmWandB() override;
    void Form_Load();

    // The load sheet: the loading with the results of the last calculation,
    // or, when the loading changed since, the loading alone marked as not
    // calculated.
    PrintPage::Page printPage() const;

    QLineEdit* txtIdent;
    QLineEdit* txtMake;

    QLabel* lblEmptyWeight;
    QLabel* lblEmptyArm;
    QLabel* lblEmptyMoment;

    QGroupBox* fraSeats;
    QLabel* lblSeat1;
    QLabel* lblSeat2;
    QLabel* lblSeat3;
    QLineEdit* txtSeat1;
    QLineEdit* txtSeat2;
    QLineEdit* txtSeat3;
    QLabel* lblSeat1Arm;
    QLabel* lblSeat2Arm;
    QLabel* lblSeat3Arm;
    QLabel* lblSeat1Moment;
    QLabel* lblSeat2Moment;
    QLabel* lblSeat3Moment;

    QGroupBox* fraBags;
    QLabel* lblBags1;
    QLabel* lblBags2;
    QLabel* lblBags3;
    QLineEdit* txtBags1;
    QLineEdit* txtBags2;
    QLineEdit* txtBags3;
    QLabel* lblBags1Arm;
    QLabel* lblBags2Arm;
    QLabel* lblBags3Arm;
    QLabel* lblBags1Moment;
    QLabel* lblBags2Moment;
    QLabel* lblBags3Moment;

    QGroupBox* fraFuel;
    QLabel* lblTank1;
    QLabel* lblTank2;
    QLabel* lblTank3;
    QLineEdit* txtTank1Gal;
    QLineEdit* txtTank2Gal;
    QLineEdit* txtTank3Gal;
    QLabel* lblTank1Gal;
    QLabel* lblTank2Gal;
    QLabel* lblTank3Gal;
    QLineEdit* txtTank1lbs;
    QLineEdit* txtTank2lbs;
    QLineEdit* txtTank3lbs;
    QLabel* lblTank1lbs;
    QLabel* lblTank2lbs;
    QLabel* lblTank3lbs;
    QLabel* lblTank1Arm;
    QLabel* lblTank2Arm;
    QLabel* lblTank3Arm;
    QLabel* lblTank1Moment;
    QLabel* lblTank2Moment;
    QLabel* lblTank3Moment;

    QGroupBox* fraOil;
    QLabel* lblOil;
    QLineEdit* txtOilQts;
    QLabel* lblOilQts;
    QLineEdit* txtOillbs;
    QLabel* lblOillbs;
    QLabel* lblOilArm;
    QLabel* lblOilMoment;

    QGroupBox* fraTotal;
    QLabel* lblTotalWeight;
    QLabel* lblTotalArm;
    QLabel* lblTotalMoment;

    QGroupBox* fraWeights;
    QLabel* lblZeroweight;
    QLabel* lblTOweight;
    QLabel* lblMaxWeight;

    QGroupBox* fraCG;
    QLabel* lblZeroCG;
    QLabel* lblTakeoffCG;
    QLabel* lblFwdLimit;
    QLabel* lblAftLimit;

    QListWidget* lstLoad;

    QPushButton* cmdCalculateCG;
    QPushButton* cmdNew;
    QPushButton* cmdLoad;
    QPushButton* cmdClear;
    QPushButton* cmdMain;

    QAction* mnuNew;
    QAction* mnuLoad;
    QAction* mnuCG;
    QAction* mnuMain;
    QAction* mnuExit;
    QAction* mnuClear;
    QAction* mnuPrint1;

  public slots:
    void cmdCalculateCG_Click();
    void cmdNew_Click();
    void cmdLoad_Click();
    void cmdClear_Click();
    void cmdMain_Click();
    void mnuExit_Click();
    void mnuPrint1_Click();
    void lstLoad_Click();
    void txtTank1Gal_LostFocus();
    void txtTank2Gal_LostFocus();
    void txtTank3Gal_LostFocus();
    void txtTank1lbs_LostFocus();
    void txtTank2lbs_LostFocus();
    void txtTank3lbs_LostFocus();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The controls of one station row.
    struct Row {
        QLabel* name = nullptr;
        std::vector<QWidget*> shownWithStation;  // boxes, unit labels, arm, moment
        QLineEdit* pounds = nullptr;
        QLabel* arm = nullptr;
        QLabel* moment = nullptr;
        QLineEdit* amount = nullptr;  // gallons or quarts, with its unit
        QLabel* unit = nullptr;
    };
    std::array<Row, 10> stationRows;  // in station order
    // The constructor's two halves: the loading, and the results with the limits.
    void arrangeLoading(QWidget* central, QVBoxLayout* left);
    void arrangeResults(QWidget* central, QVBoxLayout* right);

    // Everything the calculation reads; the load sheet gives the results only
    // while this is what the last successful calculation read.
    QString loadingKey() const;
    QString calculatedKey;                      // empty: no valid calculation
    std::array<QString, 10> calculatedMoments;  // empty for a blank station
    // The loaded aircraft's limits and, once calculated, the loading's points.
    wandb::ChartFigures chartFigures;
    // Leaving a tank's gallons or pounds box fills the other one through
    // `convert`; a typed text that is not a number is reported.
    using TankConversion = std::optional<std::string> (*)(std::string_view,
                                                          const records::NumberLocale&);
    void tankBoxLeft(QLineEdit* typed, QLineEdit* other, TankConversion convert);
};
