// Currency: the four recency figures beside the requirements they serve.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QString>
#include <array>
#include <cstdint>

#include "shell/PrintPage.h"

class frmCurrent : public QMainWindow {
    Q_OBJECT
  public:
    frmCurrent();
    void Form_Load();
    // The page the Print item prints: each requirement with its figure.
    PrintPage::Page printPage() const;

    QLabel* lblLandDay = nullptr;
    QLineEdit* txtDayLandings = nullptr;
    QLabel* lblDayLandings = nullptr;
    QLabel* lblInstrApp = nullptr;
    QLineEdit* txtInstrApp = nullptr;
    QLabel* lblInstrApp2 = nullptr;
    QLabel* lblTotalInstr = nullptr;
    QLineEdit* txtTotalInstr = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblNight = nullptr;
    QLineEdit* txtNightLand = nullptr;
    QLabel* lblNightLand = nullptr;
    QPushButton* cmdBacktoLog = nullptr;
    QPushButton* cmdMain = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuSep1 = nullptr;
    QAction* mnuMain = nullptr;
    QAction* mnuExit = nullptr;

  public slots:
    void cmdBacktoLog_Click();
    void cmdMain_Click();
    void mnuPrint_Click();
    void mnuExit_Click();

  private:
    // The window's rows, top to bottom: what is counted, its figure, and the
    // requirement it serves.
    struct Row {
        QLabel* caption;
        QLineEdit* figure;
        QLabel* requirement;
    };
    std::array<Row, 4> rows() const;

    std::int64_t computedFor = 0;  // the day the figures were computed for
};
