// The splash window: the product, its version and platform. Any character
// key, or a click on the frame itself, leads on to the main menu.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QWidget>

class frmSplash : public QWidget {
    Q_OBJECT
  public:
    frmSplash();
    void Form_Load();

    QFrame* Frame1;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* lblVersion;
    QLabel* lblPlatform;

  public slots:
    void Form_KeyPress();
    void Frame1_Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* obj, QEvent* event) override;
};
