#include "logbook/frmCurrent.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "logbook/Currency.h"
#include "logbook/LogRecord.h"
#include "logbook/ReportWindows.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmMain.h"
#include "records/Clock.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

frmCurrent::frmCurrent() {
    setObjectName("frmCurrent");
    setWindowTitle("Currency Information");
    auto* central = new QWidget(this);
    central->setObjectName("frmCurrentClient");
    setCentralWidget(central);

    using reportwindows::figureBox;
    lblLandDay = Controls::named<QLabel>(central, "lblLandDay", "Landings in Last 90 Days:");
    txtDayLandings = figureBox(central, "txtDayLandings");
    lblDayLandings = Controls::named<QLabel>(central, "lblDayLandings",
                                             "FAR 61.57 requires 3 Landings in Last 90 Days.");
    lblInstrApp =
        Controls::named<QLabel>(central, "lblInstrApp", "Instrument Approaches in Last 6 Months:");
    txtInstrApp = figureBox(central, "txtInstrApp");
    lblInstrApp2 = Controls::named<QLabel>(
        central, "lblInstrApp2", "FAR 61.57 requires 6 approaches in the  Last 6 months.");
    lblTotalInstr = Controls::named<QLabel>(central, "lblTotalInstr",
                                            "Total Instrument Time in Last 6 Months:");
    txtTotalInstr = figureBox(central, "txtTotalInstr");
    Label2 = Controls::named<QLabel>(
        central, "Label2",
        "FAR 61.57 requires 6 hours of instrument flight time in the last 6 months.");
    lblNight = Controls::named<QLabel>(central, "lblNight", "Night Landings in Last 90 Days:");
    txtNightLand = figureBox(central, "txtNightLand");
    lblNightLand = Controls::named<QLabel>(
        central, "lblNightLand", "FAR 61.57 requires 3 Night Landings in the last 90 Days");

    // Each row: the label, the figure to its right, the requirement indented
    // under the label.
    auto* grid = new QGridLayout;
    int r = 0;
    for (const Row& row : rows()) {
        grid->addWidget(row.caption, r, 0);
        grid->addWidget(row.figure, r, 1);
        row.requirement->setIndent(24);
        grid->addWidget(row.requirement, r + 1, 0, 1, 2);
        grid->setRowMinimumHeight(r + 1, 28);
        r += 2;
    }

    cmdBacktoLog = new QPushButton("Back To Logbook", central);
    cmdBacktoLog->setObjectName("cmdBacktoLog");
    cmdMain = new QPushButton("Main Menu", central);
    cmdMain->setObjectName("cmdMain");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdBacktoLog);
    buttons->addWidget(cmdMain);
    auto* top = new QVBoxLayout(central);
    top->addLayout(grid);
    top->addLayout(buttons);

    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuPrint = SharedCommands::action(this, "mnuPrint", "&Print", [this] { mnuPrint_Click(); });
    file->addAction(mnuPrint);
    mnuSep1 = file->addSeparator();
    mnuSep1->setObjectName("mnuSep1");
    mnuMain = SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { cmdMain_Click(); });
    file->addAction(mnuMain);
    mnuExit = SharedCommands::action(this, "mnuExit", "&Exit", [this] { mnuExit_Click(); });
    file->addAction(mnuExit);
    SharedCommands::addEditMenu(this, SharedCommands::EditShortcuts::Standard);
    SharedCommands::addHelpMenu(this);

    connect(cmdBacktoLog, &QPushButton::clicked, this, &frmCurrent::cmdBacktoLog_Click);
    connect(cmdMain, &QPushButton::clicked, this, &frmCurrent::cmdMain_Click);
}

void frmCurrent::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    // Today is read once for the whole check, so every flight is measured
    // against the same day even when the check runs across midnight.
    computedFor = records::today();
    const logbook::CurrencyFigures f = logbook::computeCurrency(
        WindowText::toPath(modLog::LogPath), WindowText::dateLocale(), computedFor);
    txtDayLandings->setText(WindowText::single(f.Landings));
    txtInstrApp->setText(WindowText::single(f.Approaches));
    txtTotalInstr->setText(WindowText::single(f.Instrument));
    txtNightLand->setText(WindowText::single(f.NightLandings));
}

void frmCurrent::cmdBacktoLog_Click() {
    Forms::hide<frmCurrent>();
    Forms::show<frmLogBook>();
    Forms::unload<frmCurrent>();
}

void frmCurrent::cmdMain_Click() {
    Forms::hide<frmCurrent>();
    Forms::show<frmMain>();
    Forms::unload<frmCurrent>();
    Forms::unload<frmLogBook>();
}

void frmCurrent::mnuExit_Click() { SharedCommands::exitProgram(); }

void frmCurrent::mnuPrint_Click() { PrintPage::print(this, printPage()); }

std::array<frmCurrent::Row, 4> frmCurrent::rows() const {
    return {{{lblLandDay, txtDayLandings, lblDayLandings},
             {lblInstrApp, txtInstrApp, lblInstrApp2},
             {lblTotalInstr, txtTotalInstr, Label2},
             {lblNight, txtNightLand, lblNightLand}}};
}

PrintPage::Page frmCurrent::printPage() const {
    using PrintPage::esc;
    QString html = "<h2>Currency Information</h2>";
    html += "<p>Logbook: " + esc(modLog::LogPath) + "<br>Computed for " +
            esc(PrintPage::dateText(computedFor)) + "</p>";
    html += "<table cellspacing=0 cellpadding=5 border=1>";
    for (const Row& row : rows()) {
        html += "<tr><td><b>" + esc(row.caption->text()) + "</b><br><i>" +
                esc(row.requirement->text()) + "</i></td><td align=right>" +
                esc(row.figure->text()) + "</td></tr>";
    }
    PrintPage::Page page;
    page.title = "Currency Information";
    page.sourceFile = modLog::LogPath;
    page.html = html + "</table>";
    return page;
}
