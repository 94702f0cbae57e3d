// The navigation log of the current plan: the header from record 1 and a
// grid of up to ten checkpoints from records 2 to 11.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QString>
#include <array>

#include "planner/PlanRecord.h"
#include "shell/PrintPage.h"

class frmFPLog : public QMainWindow {
    Q_OBJECT
  public:
    using Row = std::array<QLabel*, 10>;

    frmFPLog();
    void Form_Load();

    // The header labels and txtRunway from record 1 (also after the log
    // header window stores).
    void showHeader(const planner::PlanRecord& rec);
    // Row k (0..9) from checkpoint record cp; other k are ignored.
    void showCheckpoint(int k, const planner::PlanRecord& cp);
    void clearCheckpoint(int k);

    // The printed page: the header and the ten-row grid on one landscape
    // sheet, paired values one over the other as in the window.
    PrintPage::Page printPage() const;

    // Header values.
    QLabel* lblAIdent;
    QLabel* lblFrom;
    QLabel* lblTo;
    QLabel* lblAlt;
    QLabel* lblTAS;
    QLabel* lblAltitude;
    QLabel* lblTimeoff;
    QLabel* lblTimeOn;
    QLabel* lblElapsed;
    QLabel* lblOnboard;
    QLabel* lblRate;
    QLabel* lblRequired;
    QLabel* lblRemaining;
    QPlainTextEdit* txtRunway;

    // Row captions "1." to "10.".
    Row lblRow;
    // The checkpoint grid.
    Row lblCheck, lblIdent, lblFreq, lblRadTo, lblRadFrom, lblTC, lblWCA, lblTH, lblVAR, lblMH,
        lblDEV, lblCH, lblDist, lblDistRem, lblEGS, lblAGS, lblETE, lblATE, lblETA, lblATA,
        lblFUsed, lblFRem;

    QAction* mnuMain;
    QAction* mnuExit;
    QAction* mnuPrintLog;
    QAction* mnuEditLog;
    QAction* mnuCheckpoint;
    QAction* mnuRemove;
    QAction* mnuShowRec;

  public slots:
    void mnuMain_Click();
    void mnuExit_Click();
    void mnuPrintLog_Click();
    void mnuEditLog_Click();
    void mnuCheckpoint_Click();
    void mnuRemove_Click();
    void mnuShowRec_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();

  private:
    // The 22 arrays of a row in the order of the checkpoint fields.
    std::array<Row*, 22> columns();
    std::array<QLabel*, 13> headerValues() const;

    // What the labels show, for the printed sheet.
    planner::PlanRecord header_;
    std::array<planner::PlanRecord, 10> checkpoints_;
};
