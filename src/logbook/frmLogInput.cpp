#include "logbook/frmLogInput.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "logbook/frmLogBook.h"
#include "logbook/frmMain.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

frmLogInput::frmLogInput() {
    setObjectName("frmLogInput");
    setWindowTitle("Enter Flight Information");

    auto* central = new QWidget(this);
    central->setObjectName("central");
    auto* page = buildFlightControls(central);
    cmdSaveInfo = new QPushButton("Save Info", central);
    cmdSaveInfo->setObjectName("cmdSaveInfo");
    cmdCancel = new QPushButton("Cancel", central);
    cmdCancel->setObjectName("cmdCancel");
    QWidget::setTabOrder(txtTotal, cmdSaveInfo);
    QWidget::setTabOrder(cmdSaveInfo, cmdCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSaveInfo);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(page);
    layout->addLayout(buttons);
    setCentralWidget(central);

    mnuFile = SharedCommands::menu(this, "&File", "mnuFile");
    mnuMain = SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { mnuMain_Click(); });
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    mnuFile->addAction(mnuMain);
    mnuFile->addAction(mnuExit);
    SharedCommands::addEditMenu(this);
    SharedCommands::addHelpMenu(this);

    connect(optSingle, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optSingle_Click();
    });
    connect(optMEL, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optMEL_Click();
    });
    connect(optRotor, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optRotor_Click();
    });
    connect(optAirship, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optAirship_Click();
    });
    connect(optGlider, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optGlider_Click();
    });
    connect(cmdSaveInfo, &QPushButton::clicked, this, &frmLogInput::cmdSaveInfo_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogInput::cmdCancel_Click);
}

void frmLogInput::Form_Load() {
    for (QCheckBox* c : {chkSEL, chkSES, chkMEL, chkMES}) c->setEnabled(false);
}

// Only the pair of the chosen engine class can be ticked; the other pair is
// cleared first so that no hidden tick is saved.
void frmLogInput::setLandSea(bool single, bool multi) {
    if (!single) {
        chkSEL->setChecked(false);
        chkSES->setChecked(false);
    }
    chkSEL->setEnabled(single);
    chkSES->setEnabled(single);
    if (!multi) {
        chkMEL->setChecked(false);
        chkMES->setChecked(false);
    }
    chkMEL->setEnabled(multi);
    chkMES->setEnabled(multi);
}

void frmLogInput::optSingle_Click() { setLandSea(true, false); }
void frmLogInput::optMEL_Click() { setLandSea(false, true); }
void frmLogInput::optRotor_Click() { setLandSea(false, false); }
void frmLogInput::optAirship_Click() { setLandSea(false, false); }
void frmLogInput::optGlider_Click() { setLandSea(false, false); }

void frmLogInput::reportInvalid() {
    MessageBox::show("You have entered an invalid value; Please check your input", "INVALID INPUT",
                     MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
}

void frmLogInput::cmdSaveInfo_Click() {
    const logbook::Conversion c = logbook::convertFlight(flightInput(), WindowText::numberLocale());
    if (c.dayShowsZero) txtDay->setText("0");
    if (!c.flight) {
        reportInvalid();
        return;
    }
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    // The typed values were fine: a file that cannot take the flight is
    // reported as what it is, not as invalid input.
    if (const auto added = logbook::appendFlight(WindowText::toPath(modLog::LogPath), *c.flight);
        !added) {
        MessageBox::show(
            MessageBox::failureText(records::Action::SaveFlight, "the logbook", added.failure()),
            "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
        return;
    }
    leaving_ = true;
    hide();
    Forms::show<frmLogBook>();
    Forms::unload<frmLogInput>();
}

void frmLogInput::cmdCancel_Click() {
    leaving_ = true;
    hide();
    Forms::show<frmLogBook>();
    Forms::unload<frmLogInput>();
}

void frmLogInput::mnuMain_Click() {
    leaving_ = true;
    Forms::show<frmMain>();
    hide();
    Forms::unload<frmLogInput>();
}

void frmLogInput::mnuExit_Click() { SharedCommands::exitProgram(); }

void frmLogInput::closeEvent(QCloseEvent* event) {
    if (!leaving_ && !Forms::ending()) Forms::show<frmLogBook>();
    event->accept();
}
