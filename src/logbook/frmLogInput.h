// Flight entry: one flight typed in and appended to the current logbook.
#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

#include "logbook/FlightControls.h"

class frmLogInput : public QMainWindow, public FlightControls {
    Q_OBJECT
  public:
    frmLogInput();
    void Form_Load();

    QPushButton* cmdSaveInfo = nullptr;
    QPushButton* cmdCancel = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuMain = nullptr;
    QAction* mnuExit = nullptr;

  public slots:
    void optSingle_Click();
    void optMEL_Click();
    void optRotor_Click();
    void optAirship_Click();
    void optGlider_Click();
    void cmdSaveInfo_Click();
    void cmdCancel_Click();
    void mnuMain_Click();
    void mnuExit_Click();

  protected:
    // Closing through the frame is a Cancel: the viewer comes back, so the
    // pilot is never left without a window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void setLandSea(bool single, bool multi);
    void reportInvalid();
    bool leaving_ = false;
};
