#include "logbook/frmLogBrowse.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "logbook/LogBrowse.h"
#include "logbook/LogRecord.h"
#include "logbook/ReportWindows.h"
#include "logbook/frmLogBook.h"
#include "shell/Forms.h"
#include "shell/LineList.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

namespace {

// The headings' labels, one over each of the list's columns.
constexpr const char* kHeadingNames[] = {"lblDate",      "lblIdent",    "lblDepart", "lblTo",
                                         "lblIntstrApp", "lblLandings", "lblDay",    "lblNight",
                                         "lblDual",      "lblPIC",      "lblTotal"};
static_assert(std::size(kHeadingNames) == logbook::kBrowseColumns.size());
// Characters the default width shows: the last heading's end.
constexpr std::size_t kShownColumns =
    logbook::browseHeadingColumn(logbook::kBrowseColumns.size() - 1) +
    std::char_traits<char>::length(logbook::kBrowseColumns.back().heading) + 1;

// The list's items draw their text this far inside the item.
int textMargin(const QWidget* list) {
    return list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
}

// Lines are Windows-1252; most are plain ASCII, which converts directly.
QString lineText(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return WindowText::fromBytes(std::string(bytes));
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

frmLogBrowse::frmLogBrowse() {
    setObjectName("frmLogBrowse");
    setWindowTitle("Logbook");
    Forms::setClosesBack(this);
    auto* central = new QWidget(this);
    central->setObjectName("frmLogBrowseClient");
    setCentralWidget(central);

    // One monospaced font for the lines and the headings, so that each
    // heading stands exactly over its column.
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    headingStrip_ = new QWidget(central);
    headingStrip_->setObjectName("headingStrip");
    headingRow_ = new QWidget(headingStrip_);
    const QFontMetrics fm(mono);
    QLabel** labels[] = {&lblDate, &lblIdent, &lblDepart, &lblTo,  &lblIntstrApp, &lblLandings,
                         &lblDay,  &lblNight, &lblDual,   &lblPIC, &lblTotal};
    for (std::size_t i = 0; i < logbook::kBrowseColumns.size(); ++i) {
        auto* l = new QLabel(logbook::kBrowseColumns[i].heading, headingRow_);
        l->setObjectName(kHeadingNames[i]);
        l->setFont(mono);
        l->setContentsMargins(0, 0, 0, 0);
        l->setIndent(0);
        l->adjustSize();
        const auto column = static_cast<qsizetype>(logbook::browseHeadingColumn(i));
        l->move(fm.horizontalAdvance(QString(column, QLatin1Char(' '))), 0);
        *labels[i] = l;
    }
    headingRow_->resize(
        fm.horizontalAdvance(QString(static_cast<qsizetype>(kShownColumns) + 20, QLatin1Char(' '))),
        lblDate->height());
    headingStrip_->setFixedHeight(lblDate->height() + 2);

    // The lines come in already ordered without regard to case; the view
    // shows them as they are, drawing only the rows in sight.
    lstLogBook = LineList::view(central, "lstLogBook");
    lstLogBook->setFont(mono);
    lstLogBook->setTextElideMode(Qt::ElideNone);
    LineList::drawSingleLines(lstLogBook);
    lstLogBook->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstLogBook->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(lstLogBook->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &frmLogBrowse::placeHeadings);
    connect(lstLogBook->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            &frmLogBrowse::placeHeadings);

    Command1 = new QPushButton("Return To Logbook", central);
    Command1->setObjectName("Command1");

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 6, 0, 8);
    layout->setSpacing(4);
    layout->addWidget(headingStrip_);
    layout->addWidget(lstLogBook, 1);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);

    // Wide enough for every column and heading of a common line, without
    // scrolling sideways.
    const int frame = 2 * lstLogBook->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lstLogBook);
    resize(fm.horizontalAdvance(QString(static_cast<qsizetype>(kShownColumns), QLatin1Char(' '))) +
               2 * textMargin(lstLogBook) + frame + scrollBar + 4,
           fm.lineSpacing() * 24 + 120);

    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuPrint = SharedCommands::action(this, "mnuPrint", "&Print", [this] { mnuPrint_Click(); });
    file->addAction(mnuPrint);
    mnusep1 = file->addSeparator();
    mnusep1->setObjectName("mnusep1");
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuExit);
    SharedCommands::addHelpMenu(this);

    connect(Command1, &QPushButton::clicked, this, &frmLogBrowse::Command1_Click);
}

void frmLogBrowse::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    auto lines = std::make_shared<const logbook::BrowseLines>(
        logbook::browseLines(WindowText::toPath(modLog::LogPath)));
    // A line's text is made when its row is drawn or chosen; one byte is one
    // character.
    LineList::model(lstLogBook)->setLines(static_cast<int>(lines->size()), [lines](int row) {
        return lineText((*lines)[static_cast<std::size_t>(row)]);
    });
    fitLines(static_cast<qsizetype>(lines->longest()));
}

void frmLogBrowse::fitLines(qsizetype longest) {
    // Items as wide as the longest line, so no line is cut at its end and
    // the list scrolls sideways only for lines wider than the window.
    const QFontMetrics fm(lstLogBook->font());
    lstLogBook->setGridSize(QSize(
        fm.horizontalAdvance(QString(longest, QLatin1Char(' '))) + 2 * textMargin(lstLogBook) + 2,
        std::max(fm.height(), lstLogBook->sizeHintForRow(0))));
    placeHeadings();
}

void frmLogBrowse::placeHeadings() {
    // The headings follow the list's text, also when it scrolls sideways.
    const int text = lstLogBook->viewport()->mapTo(this, QPoint(0, 0)).x() -
                     headingStrip_->mapTo(this, QPoint(0, 0)).x();
    headingRow_->move(text + textMargin(lstLogBook) - lstLogBook->horizontalScrollBar()->value(),
                      0);
}

void frmLogBrowse::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeHeadings();
}

void frmLogBrowse::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placeHeadings();
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

void frmLogBrowse::mnuExit_Click() { SharedCommands::exitProgram(); }

void frmLogBrowse::mnuPrint_Click() { PrintPage::print(this, printPage()); }

PrintPage::Page frmLogBrowse::printPage() const {
    const auto rows = logbook::browseRows(WindowText::toPath(modLog::LogPath));
    PrintPage::Page page;
    page.title = "Logbook";
    page.sourceFile = modLog::LogPath;
    auto& t = page.table;
    t.caption = "Logbook\n" + QDir::toNativeSeparators(modLog::LogPath) + " \u2014 " +
                QString::number(rows.size()) + (rows.size() == 1 ? " flight" : " flights");
    for (const logbook::BrowseColumn& c : logbook::kBrowseColumns) {
        t.headings << c.heading;
        t.alignRight.push_back(c.number());
    }
    t.rows.reserve(rows.size());
    for (const auto& row : rows) {
        QStringList cells;
        for (const std::string& c : row.cells) cells << WindowText::fromBytes(c);
        t.rows.push_back(std::move(cells));
    }
    return page;
}
