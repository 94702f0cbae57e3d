#include "logbook/frmLogBook.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "logbook/Logbook.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmLogInput.h"
#include "logbook/frmNewLog.h"
#include "logbook/frmTotalTime.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/LineList.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

frmLogBook::frmLogBook() {
    setObjectName("frmLogBook");
    setWindowTitle("Logbook");

    auto* central = new QWidget(this);
    central->setObjectName("central");
    fradateofflight = new QGroupBox("Choose Date of Flight", central);
    fradateofflight->setObjectName("fradateofflight");
    // Up to 32766 lines: a view over the texts, not an item per line.
    lstDate = LineList::view(fradateofflight, "lstDate");
    auto* dates = new QVBoxLayout(fradateofflight);
    dates->addWidget(lstDate);

    auto* page = buildFlightControls(central);
    makeDisplayOnly();

    cmdAddFlight = Controls::named<QPushButton>(central, "cmdAddFlight", "Add Flight");
    cmddelete = Controls::named<QPushButton>(central, "cmddelete", "Remove Flight");
    cmdOtherInfo = Controls::named<QPushButton>(central, "cmdOtherInfo", "View Rating Information");
    cmdTotalTimes = Controls::named<QPushButton>(central, "cmdTotalTimes", "View Total Times");
    cmdCurrent = Controls::named<QPushButton>(central, "cmdCurrent", "View Currency");
    cmdBrowse = Controls::named<QPushButton>(central, "cmdBrowse", "Browse Abbreviated Logbook");
    cmdMainMenu = Controls::named<QPushButton>(central, "cmdMainMenu", "Back to Main Menu");
    cmdExit = Controls::named<QPushButton>(central, "cmdExit", "Exit Aerokit");

    auto* side = new QVBoxLayout;
    side->addWidget(fradateofflight, 1);
    for (QPushButton* b : {cmdAddFlight, cmddelete, cmdOtherInfo, cmdTotalTimes, cmdCurrent,
                           cmdBrowse, cmdMainMenu, cmdExit})
        side->addWidget(b);
    auto* layout = new QHBoxLayout(central);
    layout->addLayout(side);
    layout->addWidget(page, 1);
    setCentralWidget(central);

    mnuFile = SharedCommands::menu(this, "&File", "mnuFile");
    mnuPrint =
        SharedCommands::action(this, "mnuPrint", "&Print Entry", [this] { mnuPrint_Click(); });
    mnuMain =
        SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { cmdMainMenu_Click(); });
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit", [this] { cmdExit_Click(); });
    mnuFile->addAction(mnuPrint);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuMain);
    mnuFile->addAction(mnuExit);
    SharedCommands::addEditMenu(this);
    mnuOptions = SharedCommands::menu(this, "&Options", "mnuOptions");
    mnuAddFlight = SharedCommands::action(this, "mnuAddFlight", "&Add Flight",
                                          [this] { cmdAddFlight_Click(); });
    mnuRemove =
        SharedCommands::action(this, "mnuRemove", "&Remove Flight", [this] { cmddelete_Click(); });
    mnuTotalTimes = SharedCommands::action(this, "mnuTotalTimes", "&Total Times",
                                           [this] { cmdTotalTimes_Click(); });
    mnuRating = SharedCommands::action(this, "mnuRating", "Rating &Information",
                                       [this] { cmdOtherInfo_Click(); });
    mnuOptions->addAction(mnuAddFlight);
    mnuOptions->addAction(mnuRemove);
    mnuOptions->addSeparator();
    mnuOptions->addAction(mnuTotalTimes);
    mnuOptions->addAction(mnuRating);
    SharedCommands::addHelpMenu(this);

    // The selection lives in the view's selection model; blocking the list's
    // own signals (as a removal does) keeps the click step quiet too.
    connect(lstDate->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!lstDate->signalsBlocked()) lstDate_Click();
    });
    connect(cmdAddFlight, &QPushButton::clicked, this, &frmLogBook::cmdAddFlight_Click);
    connect(cmddelete, &QPushButton::clicked, this, &frmLogBook::cmddelete_Click);
    connect(cmdOtherInfo, &QPushButton::clicked, this, &frmLogBook::cmdOtherInfo_Click);
    connect(cmdTotalTimes, &QPushButton::clicked, this, &frmLogBook::cmdTotalTimes_Click);
    connect(cmdCurrent, &QPushButton::clicked, this, &frmLogBook::cmdCurrent_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmLogBook::cmdBrowse_Click);
    connect(cmdMainMenu, &QPushButton::clicked, this, &frmLogBook::cmdMainMenu_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmLogBook::cmdExit_Click);
}

void frmLogBook::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    // Every flight with a date is listed, even when the first one has none.
    // A file that is no logbook lists nothing.
    auto dates = std::make_shared<const std::vector<std::string>>(
        logbook::dateList(WindowText::toPath(modLog::LogPath)));
    const QSignalBlocker block(lstDate);
    // The whole trimmed text, NUL bytes included, so that a line always
    // finds its own flight again; made only when its row is shown or chosen.
    LineList::model(lstDate)->setLines(static_cast<int>(dates->size()), [dates](int row) {
        const std::string& d = (*dates)[static_cast<std::size_t>(row)];
        const bool ascii = std::all_of(d.begin(), d.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        return ascii ? QString::fromLatin1(d.data(), static_cast<qsizetype>(d.size()))
                     : QString::fromStdString(records::cp1252ToUtf8(d));
    });
}

void frmLogBook::lstDate_Click() {
    const int row = LineList::selectedRow(lstDate);
    if (row < 0) return;
    // Matched again by text, never by position: the first flight of that
    // date is the one shown.
    const auto found =
        logbook::findFlight(WindowText::toPath(modLog::LogPath),
                            WindowText::toBytes(LineList::model(lstDate)->line(row)));
    if (found) showFlight(found->flight);
}

void frmLogBook::reportSelectDate() {
    MessageBox::show("Please select the date of the Flight to Delete", "Select Date",
                     MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
}

void frmLogBook::cmddelete_Click() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    if (!logbook::checkLogbook(WindowText::toPath(modLog::LogPath)).ok()) {
        MessageBox::show(
            MessageBox::failureText(records::Action::RemoveFlight, "the logbook",
                                    records::Failure{records::FileError::NotALogbook, {}}),
            "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
        return;
    }
    if (MessageBox::show("Are you sure you want to delete the current entry?", "Delete Item?",
                         MessageBox::Buttons::YesNo, MessageBox::Icon::None,
                         this) != MessageBox::Answer::Yes)
        return;
    const int row = LineList::selectedRow(lstDate);
    if (row < 0) {
        reportSelectDate();
        return;
    }
    LineListModel* lines = LineList::model(lstDate);
    const auto removed = logbook::removeFlight(WindowText::toPath(modLog::LogPath),
                                               WindowText::toBytes(lines->line(row)));
    if (!removed) {
        // A selection was made: say what went wrong instead of asking for one.
        MessageBox::show(MessageBox::failureText(records::Action::RemoveFlight, "the logbook",
                                                 removed.failure()),
                         "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
        return;
    }
    // The display keeps the removed flight until another line is chosen.
    const QSignalBlocker block(lstDate);
    lines->removeRows(row, 1);
    lstDate->clearSelection();
    lstDate->setCurrentIndex({});
}

void frmLogBook::cmdAddFlight_Click() {
    Forms::show<frmLogInput>();
    Forms::unload<frmLogBook>();
}

void frmLogBook::cmdOtherInfo_Click() {
    Forms::show<frmNewLog>();
    Forms::hide<frmLogBook>();
}

void frmLogBook::cmdTotalTimes_Click() {
    Forms::show<frmTotalTime>();
    Forms::hide<frmLogBook>();
}

void frmLogBook::cmdCurrent_Click() { Forms::show<frmCurrent>(); }

void frmLogBook::cmdBrowse_Click() {
    Forms::show<frmLogBrowse>();
    Forms::hide<frmLogBook>();
}

void frmLogBook::cmdMainMenu_Click() {
    Forms::show<frmMenu>();
    Forms::hide<frmLogBook>();
    Forms::unload<frmLogBook>();
}

void frmLogBook::cmdExit_Click() { SharedCommands::exitProgram(); }

PrintPage::Page frmLogBook::printPage() const {
    QString html = "<h2>Pilot Logbook Entry</h2>";
    html += "<p>Logbook: " + PrintPage::esc(modLog::LogPath) + "</p>";
    html += "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">";
    for (const auto& [section, rows] : shownValues()) {
        html += "<tr><th colspan=\"2\" align=\"left\" bgcolor=\"#e0e0e0\">" +
                PrintPage::esc(section) + "</th></tr>";
        for (const auto& [label, value] : rows)
            html += "<tr><td width=\"40%\"><b>" + PrintPage::esc(label) + "</b></td><td>" +
                    PrintPage::esc(value.trimmed()) + "</td></tr>";
    }
    html += "</table>";
    PrintPage::Page page;
    page.title = "Logbook Entry";
    page.sourceFile = modLog::LogPath;
    page.html = html;
    return page;
}

void frmLogBook::mnuPrint_Click() {
    if (!showsFlight()) {
        MessageBox::show("There is no flight to print: please select the date of a flight first",
                         "Print Entry", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation,
                         this);
        return;
    }
    PrintPage::print(this, printPage());
}
