#include "logbook/frmTotalTime.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "logbook/LogRecord.h"
#include "logbook/ReportWindows.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmMain.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

namespace {

const QString kIdentPrompt = "Select Aircraft Ident";
const QString kTypePrompt = "Select Aircraft Type";

QComboBox* filterCombo(QWidget* parent, const char* name, const QString& prompt) {
    auto* c = Controls::named<QComboBox>(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);  // the typed text alone decides, keystroke by keystroke
    c->setCurrentIndex(-1);
    c->setEditText(prompt);
    c->setEnabled(false);
    c->setMinimumWidth(170);
    return c;
}

// Fills a combo's list without touching its text: adding the first entry
// would otherwise pick it and run the combo's Change step.
void fillList(QComboBox* combo, const std::vector<std::string>& entries) {
    const QSignalBlocker block(combo);
    const QString text = combo->currentText();
    combo->clear();
    for (const std::string& e : entries) combo->addItem(WindowText::fromBytes(e));
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

}  // namespace

frmTotalTime::frmTotalTime() {
    setObjectName("frmTotalTime");
    Forms::setClosesBack(this);
    setWindowTitle("Total Time");
    auto* central = new QWidget(this);
    central->setObjectName("frmTotalTimeClient");
    setCentralWidget(central);

    chkIdent = new QCheckBox("Time in Specific Aircraft", central);
    chkIdent->setObjectName("chkIdent");
    cmbIdent = filterCombo(central, "cmbIdent", kIdentPrompt);
    chkType = new QCheckBox("Time in Specific Aircraft Type", central);
    chkType->setObjectName("chkType");
    cmbType = filterCombo(central, "cmbType", kTypePrompt);

    fraConditions = new QGroupBox("Conditions of Flight", central);
    fraConditions->setObjectName("fraConditions");
    fraType = new QGroupBox("Type of Piloting Time", central);
    fraType->setObjectName("fraType");

    using reportwindows::figureBox;
    auto row = [](QGridLayout* grid, int r, QLabel* l, QLineEdit* box) {
        grid->addWidget(l, r, 0);
        grid->addWidget(box, r, 1);
    };
    auto* gc = new QGridLayout(fraConditions);
    txtDay = figureBox(fraConditions, "txtDay");
    txtNight = figureBox(fraConditions, "txtNight");
    txtInstrument = figureBox(fraConditions, "txtInstrument");
    txtSimInstrument = figureBox(fraConditions, "txtSimInstrument");
    txtGround = figureBox(fraConditions, "txtGround");
    row(gc, 0, Controls::named<QLabel>(fraConditions, "lblDay", "Day:"), txtDay);
    row(gc, 1, Controls::named<QLabel>(fraConditions, "lblNight", "Night:"), txtNight);
    row(gc, 2, Controls::named<QLabel>(fraConditions, "lblInstrument", "Actual Instrument:"),
        txtInstrument);
    row(gc, 3, Controls::named<QLabel>(fraConditions, "lblSimInstrument", "Simulated Instrument:"),
        txtSimInstrument);
    row(gc, 4, Controls::named<QLabel>(fraConditions, "lblGround", "Ground Instruction:"),
        txtGround);

    auto* gt = new QGridLayout(fraType);
    txtDual = figureBox(fraType, "txtDual");
    txtInCommand = figureBox(fraType, "txtInCommand");
    txtSimulator = figureBox(fraType, "txtSimulator");
    txtSIC = figureBox(fraType, "txtSIC");
    txtCFI = figureBox(fraType, "txtCFI");
    txtCFII = figureBox(fraType, "txtCFII");
    row(gt, 0, Controls::named<QLabel>(fraType, "lblDual", "Dual Recieved:"), txtDual);
    row(gt, 1, Controls::named<QLabel>(fraType, "lblInCommand", "Pilot-In-Command:"), txtInCommand);
    row(gt, 2, Controls::named<QLabel>(fraType, "lblSimulator", "Simulator:"), txtSimulator);
    row(gt, 3, Controls::named<QLabel>(fraType, "lblSIC", "Second-In-Command:"), txtSIC);
    row(gt, 4, Controls::named<QLabel>(fraType, "lblCFI", "CFI:"), txtCFI);
    row(gt, 5, Controls::named<QLabel>(fraType, "lblCFII", "CFII:"), txtCFII);

    auto* rest = new QGridLayout;
    txtLandings = figureBox(central, "txtLandings");
    txtNightLand = figureBox(central, "txtNightLand");
    txtXCountry = figureBox(central, "txtXCountry");
    txtInstrApp = figureBox(central, "txtInstrApp");
    txtTotal = figureBox(central, "txtTotal");
    rest->addWidget(Controls::named<QLabel>(central, "lblLandings", "Day Landings:"), 0, 0);
    rest->addWidget(txtLandings, 0, 1);
    rest->addWidget(Controls::named<QLabel>(central, "lblNightLand", "Night Landings:"), 0, 2);
    rest->addWidget(txtNightLand, 0, 3);
    rest->addWidget(Controls::named<QLabel>(central, "lblXCountry", "Cross Country:"), 1, 0);
    rest->addWidget(txtXCountry, 1, 1);
    rest->addWidget(Controls::named<QLabel>(central, "lblInstrApp", "Instrument App:"), 1, 2);
    rest->addWidget(txtInstrApp, 1, 3);
    rest->addWidget(Controls::named<QLabel>(central, "lblTotal", "Total Duration of Flight:"), 2,
                    0);
    rest->addWidget(txtTotal, 2, 1);

    cmdLogBook = new QPushButton("Back To Logbook", central);
    cmdLogBook->setObjectName("cmdLogBook");
    cmdBackMenu = new QPushButton("Main Menu", central);
    cmdBackMenu->setObjectName("cmdBackMenu");

    auto* filters = new QGridLayout;
    filters->addWidget(chkIdent, 0, 0);
    filters->addWidget(cmbIdent, 0, 1);
    filters->addWidget(chkType, 1, 0);
    filters->addWidget(cmbType, 1, 1);
    auto* frames = new QHBoxLayout;
    frames->addWidget(fraConditions);
    frames->addWidget(fraType);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdLogBook);
    buttons->addWidget(cmdBackMenu);
    auto* top = new QVBoxLayout(central);
    top->addLayout(filters);
    top->addLayout(frames);
    top->addLayout(rest);
    top->addLayout(buttons);

    // Menus.
    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuPrint = SharedCommands::action(this, "mnuPrint", "&Print", [this] { mnuPrint_Click(); });
    file->addAction(mnuPrint);
    file->addSeparator();
    mnuMain = SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { mnuMain_Click(); });
    file->addAction(mnuMain);
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit Logbook", [this] { mnuExit_Click(); });
    file->addAction(mnuExit);
    SharedCommands::addEditMenu(this, SharedCommands::EditShortcuts::PasteCtrlP);
    SharedCommands::addHelpMenu(this);

    // Event steps, connected after the design-time state above.
    connect(chkIdent, &QCheckBox::toggled, this, &frmTotalTime::chkIdent_Click);
    connect(chkType, &QCheckBox::toggled, this, &frmTotalTime::chkType_Click);
    connect(cmbIdent, &QComboBox::activated, this, &frmTotalTime::cmbIdent_Click);
    connect(cmbIdent, &QComboBox::editTextChanged, this, &frmTotalTime::cmbIdent_Change);
    connect(cmbType, &QComboBox::activated, this, &frmTotalTime::cmbType_Click);
    connect(cmbType, &QComboBox::editTextChanged, this, &frmTotalTime::cmbType_Change);
    connect(cmdLogBook, &QPushButton::clicked, this, &frmTotalTime::cmdLogBook_Click);
    connect(cmdBackMenu, &QPushButton::clicked, this, &frmTotalTime::cmdBackMenu_Click);
}

void frmTotalTime::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    cmbType->setEnabled(false);
    cmbIdent->setEnabled(false);
    const logbook::TotalTimeLoad load = logbook::loadTotalTime(WindowText::toPath(modLog::LogPath));
    showTotals(load.totals);
    fillList(cmbIdent, load.idents);
    fillList(cmbType, load.makes);
}

void frmTotalTime::showTotals(const logbook::TimeTotals& t) {
    const std::pair<QLineEdit*, float> shown[] = {{txtDay, t.Day},
                                                  {txtNight, t.Night},
                                                  {txtInstrument, t.Instrument},
                                                  {txtSimInstrument, t.SimInstrument},
                                                  {txtGround, t.Ground},
                                                  {txtDual, t.Dual},
                                                  {txtInCommand, t.InCommand},
                                                  {txtSimulator, t.Simulator},
                                                  {txtSIC, t.SIC},
                                                  {txtCFI, t.CFI},
                                                  {txtCFII, t.CFII},
                                                  {txtLandings, t.Landings},
                                                  {txtNightLand, t.NightLand},
                                                  {txtXCountry, t.XCountry},
                                                  {txtInstrApp, t.InstrApp},
                                                  {txtTotal, t.Total}};
    for (const auto& [box, value] : shown) box->setText(WindowText::single(value));
}

void frmTotalTime::sumsFor(logbook::FlightTextField field, const QComboBox* combo) {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    showTotals(logbook::totalsFor(WindowText::toPath(modLog::LogPath), field,
                                  WindowText::toBytes(combo->currentText())));
}

void frmTotalTime::chkIdent_Click() {
    if (cmbIdent->isEnabled()) {
        cmbIdent->setEnabled(false);
    } else {
        cmbIdent->setEnabled(true);
        chkType->setChecked(false);  // runs chkType_Click only when it was checked
    }
}

void frmTotalTime::chkType_Click() {
    if (cmbType->isEnabled()) {
        cmbType->setEnabled(false);
    } else {
        cmbType->setEnabled(true);
        chkIdent->setChecked(false);
    }
}

void frmTotalTime::cmbIdent_Click() { sumsFor(logbook::FlightTextField::Ident, cmbIdent); }
void frmTotalTime::cmbIdent_Change() { sumsFor(logbook::FlightTextField::Ident, cmbIdent); }
void frmTotalTime::cmbType_Click() { sumsFor(logbook::FlightTextField::Make, cmbType); }
void frmTotalTime::cmbType_Change() { sumsFor(logbook::FlightTextField::Make, cmbType); }

void frmTotalTime::cmdLogBook_Click() {
    Forms::hide<frmTotalTime>();
    Forms::show<frmLogBook>();
    Forms::unload<frmTotalTime>();
}

void frmTotalTime::cmdBackMenu_Click() {
    Forms::show<frmMain>();
    Forms::hide<frmTotalTime>();
    Forms::unload<frmTotalTime>();
    Forms::unload<frmLogBook>();  // hidden behind this window
}

void frmTotalTime::closeEvent(QCloseEvent* event) {
    if (!Forms::ending()) Forms::show<frmLogBook>();
    event->accept();
}

// The File menu's two items take the ways out that their captions name.
void frmTotalTime::mnuMain_Click() { cmdBackMenu_Click(); }
void frmTotalTime::mnuExit_Click() { cmdLogBook_Click(); }

void frmTotalTime::mnuPrint_Click() { PrintPage::print(this, printPage()); }

PrintPage::Page frmTotalTime::printPage() const {
    using PrintPage::esc;
    auto rows = [](const std::vector<std::pair<QString, const QLineEdit*>>& items) {
        QString h = "<table cellspacing=0 cellpadding=4 border=1>";
        for (const auto& [caption, box] : items)
            h += "<tr><td>" + esc(caption) + "</td><td align=right>" + esc(box->text()) +
                 "</td></tr>";
        return h + "</table>";
    };
    QString scope = "All flights in the logbook";
    if (cmbIdent->isEnabled())
        scope = "Time in Specific Aircraft: " + cmbIdent->currentText().trimmed();
    else if (cmbType->isEnabled())
        scope = "Time in Specific Aircraft Type: " + cmbType->currentText().trimmed();
    QString html = "<h2>Total Time</h2>";
    html += "<p>Logbook: " + esc(modLog::LogPath) + "<br>" + esc(scope) + "</p>";
    html += "<h3>Conditions of Flight</h3>";
    html += rows({{"Day:", txtDay},
                  {"Night:", txtNight},
                  {"Actual Instrument:", txtInstrument},
                  {"Simulated Instrument:", txtSimInstrument},
                  {"Ground Instruction:", txtGround}});
    html += "<h3>Type of Piloting Time</h3>";
    html += rows({{"Dual Recieved:", txtDual},
                  {"Pilot-In-Command:", txtInCommand},
                  {"Simulator:", txtSimulator},
                  {"Second-In-Command:", txtSIC},
                  {"CFI:", txtCFI},
                  {"CFII:", txtCFII}});
    html += "<h3>Landings, Cross Country and Approaches</h3>";
    html += rows({{"Day Landings:", txtLandings},
                  {"Night Landings:", txtNightLand},
                  {"Cross Country:", txtXCountry},
                  {"Instrument App:", txtInstrApp},
                  {"Total Duration of Flight:", txtTotal}});
    PrintPage::Page page;
    page.title = "Total Time";
    page.sourceFile = modLog::LogPath;
    page.html = html;
    return page;
}
