#include "logbook/frmLogBrowse.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QMenu>
#include <QStringList>

#include "logbook/LogBrowse.h"
#include "logbook/LogRecord.h"
#include "logbook/ReportWindows.h"
#include "logbook/frmLogBook.h"
#include "shell/CommonCommands.h"
#include "shell/Convert.h"
#include "shell/Forms.h"
#include "shell/PrintPage.h"
#include "shell/modLog.h"

namespace {

// Twips (1/1440 inch) to pixels at 96 dots per inch.
constexpr int px(int twips) { return twips / 15; }

struct Heading {
    const char* name;
    const char* text;
    int left;  // twips
};
constexpr Heading kHeadings[] = {{"lblDate", "Date", 120},
                                 {"lblIdent", "Aircraft Ident", 960},
                                 {"lblDepart", "From", 2280},
                                 {"lblTo", "To", 3240},
                                 {"lblIntstrApp", "Instr. App.", 3840},
                                 {"lblLandings", "Landings", 4920},
                                 {"lblDay", "Day", 5880},
                                 {"lblNight", "Night", 6480},
                                 {"lblDual", "Dual", 7320},
                                 {"lblPIC", "PIC", 8040},
                                 {"lblTotal", "Total Time", 8640}};

// Lines are Windows-1252; most are plain ASCII, which converts directly.
QString lineText(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return Convert::fromBytes(std::string(bytes));
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

frmLogBrowse::frmLogBrowse() {
    setObjectName("frmLogBrowse");
    setWindowTitle("Logbook");
    auto* central = new QWidget(this);
    central->setObjectName("frmLogBrowseClient");
    setCentralWidget(central);

    QLabel** labels[] = {&lblDate, &lblIdent, &lblDepart, &lblTo,  &lblIntstrApp, &lblLandings,
                         &lblDay,  &lblNight, &lblDual,   &lblPIC, &lblTotal};
    for (std::size_t i = 0; i < std::size(kHeadings); ++i) {
        auto* l = new QLabel(kHeadings[i].text, central);
        l->setObjectName(kHeadings[i].name);
        l->move(px(kHeadings[i].left), px(600));
        l->adjustSize();
        *labels[i] = l;
    }

    lstLogBook = new QListWidget(central);
    lstLogBook->setObjectName("lstLogBook");
    lstLogBook->setGeometry(0, px(840), px(9465), px(4350));
    // The lines come in already ordered without regard to case (a
    // QListWidget's own sorting would compare case-sensitively).
    lstLogBook->setSortingEnabled(false);
    lstLogBook->setUniformItemSizes(true);
    lstLogBook->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    Command1 = new QPushButton("Return To Logbook", central);
    Command1->setObjectName("Command1");
    Command1->setGeometry(px(3480), px(840 + 4350 + 120), px(2500), px(375));
    central->setMinimumSize(px(9465), px(840 + 4350 + 120 + 375 + 120));
    resize(px(9465), px(840 + 4350 + 120 + 375 + 120) + 24);

    QMenu* file = Common::menu(this, "&File", "mnuFile");
    mnuPrint = Common::action(this, "mnuPrint", "&Print", [this] { mnuPrint_Click(); });
    file->addAction(mnuPrint);
    mnusep1 = file->addSeparator();
    mnusep1->setObjectName("mnusep1");
    mnuExit = Common::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuExit);
    Common::addHelpMenu(this);

    connect(Command1, &QPushButton::clicked, this, &frmLogBrowse::Command1_Click);
}

void frmLogBrowse::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    const logbook::BrowseLines lines =
        logbook::browseLines(reportwindows::logPath(modLog::LogPath));
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) texts.push_back(lineText(lines[i]));
    lstLogBook->setUpdatesEnabled(false);
    lstLogBook->addItems(texts);
    lstLogBook->setUpdatesEnabled(true);
}

void frmLogBrowse::Command1_Click() {
    Forms::hide<frmLogBrowse>();
    Forms::show<frmLogBook>();
    Forms::unload<frmLogBrowse>();
}

void frmLogBrowse::closeEvent(QCloseEvent* event) {
    if (!Forms::ending()) Forms::show<frmLogBook>();
    event->accept();
}

void frmLogBrowse::mnuExit_Click() { Common::exitProgram(); }

void frmLogBrowse::mnuPrint_Click() { PrintPage::print(this, printPage()); }

PrintPage::Page frmLogBrowse::printPage() const {
    const auto rows = logbook::browseRows(reportwindows::logPath(modLog::LogPath));
    PrintPage::Page page;
    page.title = "Logbook";
    page.sourceFile = modLog::LogPath;
    auto& t = page.table;
    t.caption = "Logbook\n" + QDir::toNativeSeparators(modLog::LogPath) + " \u2014 " +
                QString::number(rows.size()) + (rows.size() == 1 ? " flight" : " flights");
    for (const Heading& h : kHeadings) t.headings << h.text;
    t.alignRight.assign(std::size(kHeadings), true);
    for (std::size_t i = 0; i < 4; ++i) t.alignRight[i] = false;
    t.rows.reserve(rows.size());
    for (const auto& row : rows) {
        QStringList cells;
        for (const std::string& c : row.cells) cells << Convert::fromBytes(c);
        t.rows.push_back(std::move(cells));
    }
    return page;
}
