// The About window: title, version, what the program is for, and the
// pilot-in-command's responsibility.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    frmAbout();
    void Form_Load();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QFrame* Line1;
    QPushButton* cmdOK;

  public slots:
    void cmdOK_Click();

  protected:
    void reject() override;
};
