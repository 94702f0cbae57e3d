// Total times: sixteen sums over the logbook's flights, optionally for one
// aircraft ident or one make and model.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QString>

#include "logbook/TotalTime.h"
#include "shell/PrintPage.h"

class frmTotalTime : public QMainWindow {
    Q_OBJECT
  public:
    frmTotalTime();
    void Form_Load();
    // The page the Print item prints: the filter in use and the sixteen sums.
    PrintPage::Page printPage() const;

    QCheckBox* chkIdent = nullptr;
    QComboBox* cmbIdent = nullptr;
    QCheckBox* chkType = nullptr;
    QComboBox* cmbType = nullptr;
    QGroupBox* fraConditions = nullptr;
    QGroupBox* fraType = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* txtNight = nullptr;
    QLineEdit* txtInstrument = nullptr;
    QLineEdit* txtSimInstrument = nullptr;
    QLineEdit* txtGround = nullptr;
    QLineEdit* txtDual = nullptr;
    QLineEdit* txtInCommand = nullptr;
    QLineEdit* txtSimulator = nullptr;
    QLineEdit* txtSIC = nullptr;
    QLineEdit* txtCFI = nullptr;
    QLineEdit* txtCFII = nullptr;
    QLineEdit* txtLandings = nullptr;
    QLineEdit* txtNightLand = nullptr;
    QLineEdit* txtXCountry = nullptr;
    QLineEdit* txtInstrApp = nullptr;
    QLineEdit* txtTotal = nullptr;
    QPushButton* cmdLogBook = nullptr;
    QPushButton* cmdBackMenu = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuMain = nullptr;
    QAction* mnuExit = nullptr;

  public slots:
    void chkIdent_Click();
    void chkType_Click();
    void cmbIdent_Click();
    void cmbIdent_Change();
    void cmbType_Click();
    void cmbType_Change();
    void cmdLogBook_Click();
    void cmdBackMenu_Click();
    void mnuPrint_Click();
    void mnuMain_Click();
    void mnuExit_Click();

  protected:
    // Closing through the frame is a Back To Logbook: the viewer is hidden
    // behind this window and must not be left hidden.
    void closeEvent(QCloseEvent* event) override;

  private:
    void showTotals(const logbook::TimeTotals& t);
    void sumsFor(logbook::FlightTextField field, const QComboBox* combo);
};
