#include "shell/frmAbout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/AppIcon.h"
#include "shell/Forms.h"
#include "shell/Version.h"

frmAbout::frmAbout() {
    setObjectName("frmAbout");

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(AppIcon::logo(48));
    picIcon->setFixedSize(48, 48);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName("lblTitle");
    QFont bold = lblTitle->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    lblTitle->setFont(bold);

    lblVersion = new QLabel("Version", this);
    lblVersion->setObjectName("lblVersion");

    lblDescription = new QLabel(
        " This program serves as an aid to pilots.  It allows pilots to quickly and easily "
        "calculate weight and balance, fill out a flight plan, and create and maintain a Logbook.",
        this);
    lblDescription->setObjectName("lblDescription");
    lblDescription->setWordWrap(true);

    // Grey over white: one etched rule.
    Line1 = new QFrame(this);
    Line1->setObjectName("Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    lblDisclaimer = new QLabel(
        "It is the sole responsiblity of the pilot in command to verify that all calculations are "
        "acurate and the author or distributors of this program are in no way liable for any "
        "miscalculations made by this program.",
        this);
    lblDisclaimer->setObjectName("lblDisclaimer");
    lblDisclaimer->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Line1);
    layout->addWidget(lblDisclaimer);
    layout->addLayout(buttons);
    setFixedWidth(440);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Form_Load() {
    setWindowTitle("About " + Version::title());
    lblVersion->setText(Version::text());
    lblTitle->setText(Version::title());
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click() { Forms::unload<frmAbout>(); }

// Esc and the frame's close control close the window, as OK does.
void frmAbout::reject() { cmdOK_Click(); }
