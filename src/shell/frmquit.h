// The exit confirmation: "Yes" ends the program at once, "No" goes back.
#pragma once

#include <QDialog>
#include <QPushButton>

class frmquit : public QDialog {
    Q_OBJECT
  public:
    frmquit();
    void Form_Load();

    QPushButton* cmdYes;
    QPushButton* cmdNo;

    // The question drawn on the window surface (empty until Form_Load).
    QString drawnText() const { return drawn_; }
    int loadCount() const { return loads_; }

  public slots:
    void cmdYes_Click();
    void cmdNo_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

  private:
    QString drawn_;
    int loads_ = 0;
};
