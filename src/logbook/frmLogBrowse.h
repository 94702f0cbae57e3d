// The abbreviated logbook: one fixed-column line per flight, sorted.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QString>

#include "shell/PrintPage.h"

class frmLogBrowse : public QMainWindow {
    Q_OBJECT
  public:
    frmLogBrowse();
    void Form_Load();
    // The page the Print item prints: the flights as a table under the
    // headings, in the list's order (the table runs over as many pages as
    // it needs).
    PrintPage::Page printPage() const;

    QLabel* lblDate = nullptr;
    QLabel* lblIdent = nullptr;
    QLabel* lblDepart = nullptr;
    QLabel* lblTo = nullptr;
    QLabel* lblIntstrApp = nullptr;
    QLabel* lblLandings = nullptr;
    QLabel* lblDay = nullptr;
    QLabel* lblNight = nullptr;
    QLabel* lblDual = nullptr;
    QLabel* lblPIC = nullptr;
    QLabel* lblTotal = nullptr;
    QListWidget* lstLogBook = nullptr;
    QPushButton* Command1 = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnusep1 = nullptr;
    QAction* mnuExit = nullptr;

  public slots:
    void Command1_Click();
    void mnuPrint_Click();
    void mnuExit_Click();

  protected:
    // Closing through the frame is a Return To Logbook: the viewer is hidden
    // behind this window and must not be left hidden.
    void closeEvent(QCloseEvent* event) override;
};
