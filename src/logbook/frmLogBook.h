// The logbook viewer: the flights listed by date, one shown in full, flight
// removal, and the way to every other logbook window.
#pragma once

#include <QGroupBox>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

#include "logbook/FlightControls.h"
#include "shell/PrintPage.h"

class frmLogBook : public QMainWindow, public FlightControls {
    Q_OBJECT
  public:
    frmLogBook();
    void Form_Load();
    // The page "Print Entry" prints: the flight shown, with its labels.
    PrintPage::Page printPage() const;

    QGroupBox* fradateofflight = nullptr;
    QListWidget* lstDate = nullptr;
    QPushButton* cmdAddFlight = nullptr;
    QPushButton* cmddelete = nullptr;
    QPushButton* cmdOtherInfo = nullptr;
    QPushButton* cmdTotalTimes = nullptr;
    QPushButton* cmdCurrent = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdMainMenu = nullptr;
    QPushButton* cmdExit = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuMain = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuAddFlight = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuTotalTimes = nullptr;
    QAction* mnuRating = nullptr;

  public slots:
    void lstDate_Click();
    void cmdAddFlight_Click();
    void cmddelete_Click();
    void cmdOtherInfo_Click();
    void cmdTotalTimes_Click();
    void cmdCurrent_Click();
    void cmdBrowse_Click();
    void cmdMainMenu_Click();
    void cmdExit_Click();
    void mnuPrint_Click();

  private:
    void reportSelectDate();
};
