#include "shell/frmSplash.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSysInfo>
#include <QVBoxLayout>

#include "shell/AppIcon.h"
#include "shell/Forms.h"
#include "shell/Version.h"
#include "shell/frmMenu.h"

frmSplash::frmSplash() {
    setObjectName("frmSplash");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowIcon(AppIcon::icon());
    setFocusPolicy(Qt::StrongFocus);

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Raised);
    Frame1->setLineWidth(2);
    Frame1->setAutoFillBackground(true);

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName("imgLogo");
    imgLogo->setPixmap(AppIcon::logo(128));
    imgLogo->setFixedSize(128, 128);

    lblProductName = new QLabel(Frame1);
    lblProductName->setObjectName("lblProductName");
    QFont big = lblProductName->font();
    big.setPointSize(28);
    big.setBold(true);
    lblProductName->setFont(big);

    lblVersion = new QLabel("Version", Frame1);
    lblVersion->setObjectName("lblVersion");
    QFont mid = lblVersion->font();
    mid.setPointSize(12);
    lblVersion->setFont(mid);

    lblPlatform = new QLabel(QSysInfo::prettyProductName(), Frame1);
    lblPlatform->setObjectName("lblPlatform");
    lblPlatform->setFont(mid);

    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(28, 28, 28, 28);
    grid->setHorizontalSpacing(28);
    grid->addWidget(imgLogo, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(lblProductName, 0, 1, Qt::AlignBottom | Qt::AlignRight);
    grid->addWidget(lblVersion, 1, 1, Qt::AlignRight);
    grid->addWidget(lblPlatform, 2, 1, Qt::AlignTop | Qt::AlignRight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);  // the narrow margin around the frame
    outer->addWidget(Frame1);
    resize(520, 260);

    Frame1->installEventFilter(this);
}

void frmSplash::Form_Load() {
    lblVersion->setText(Version::text());
    lblProductName->setText(Version::title());
}

void frmSplash::Form_KeyPress() {
    Forms::unload<frmSplash>();
    Forms::show<frmMenu>();
}

void frmSplash::Frame1_Click() {
    Forms::unload<frmSplash>();
    Forms::show<frmMenu>();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    // Only keys that produce a character count: not arrows, F-keys or Shift.
    if (!event->text().isEmpty())
        Form_KeyPress();
    else
        QWidget::keyPressEvent(event);
}

bool frmSplash::eventFilter(QObject* obj, QEvent* event) {
    if (obj == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        // Labels pass their clicks on to the frame; only the frame's own
        // surface counts.
        if (me->button() == Qt::LeftButton && Frame1->rect().contains(me->position().toPoint()) &&
            Frame1->childAt(me->position().toPoint()) == nullptr) {
            Frame1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(obj, event);
}
