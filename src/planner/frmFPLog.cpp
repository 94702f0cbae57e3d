#include "planner/frmFPLog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPCheck.h"
#include "planner/frmFlightLogInput.h"
#include "planner/frmFlightPlanRecord.h"
#include "shell/CommonCommands.h"
#include "shell/Convert.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

using planner::captionLabel;
using planner::valueLabel;

namespace {

const char* const kColumnNames[22] = {
    "lblCheck", "lblIdent", "lblFreq", "lblRadTo", "lblRadFrom", "lblTC",      "lblWCA", "lblTH",
    "lblVAR",   "lblMH",    "lblDEV",  "lblCH",    "lblDist",    "lblDistRem", "lblEGS", "lblAGS",
    "lblETE",   "lblATE",   "lblETA",  "lblATA",   "lblFUsed",   "lblFRem"};

// The checkpoint fields in the order of the arrays above.
std::array<QString, 22> checkpointTexts(const planner::PlanRecord& c) {
    return {Convert::fromField(c.CheckName),      Convert::fromField(c.NavIdent),
            Convert::fromField(c.NavFreq),        Convert::fromField(c.ToRadial),
            Convert::fromField(c.FromRadial),     Convert::fromField(c.TrueCourse),
            Convert::fromField(c.WindCorrection), Convert::fromField(c.TrueHeading),
            Convert::fromField(c.Variation),      Convert::fromField(c.MagHeading),
            Convert::fromField(c.Deviation),      Convert::fromField(c.CorrectedHeading),
            Convert::fromField(c.LegDist),        Convert::fromField(c.LegDistRem),
            Convert::fromField(c.EstGroundSpeed), Convert::fromField(c.ActGroundSpeed),
            Convert::fromField(c.LegETE),         Convert::fromField(c.LegATE),
            Convert::fromField(c.LegETA),         Convert::fromField(c.LegATA),
            Convert::fromField(c.FuelUsed),       Convert::fromField(c.CheckFuelRem)};
}

QString pageText(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    s.remove(QChar('\0'));
    // The fields' padding is invisible on paper and only makes cells wide.
    QStringList lines = s.split(QChar('\n'));
    for (QString& line : lines)
        while (line.endsWith(QChar(' '))) line.chop(1);
    return PrintPage::esc(lines.join(QChar('\n')));
}

}  // namespace

std::array<frmFPLog::Row*, 22> frmFPLog::columns() {
    return {&lblCheck, &lblIdent, &lblFreq, &lblRadTo, &lblRadFrom, &lblTC,      &lblWCA, &lblTH,
            &lblVAR,   &lblMH,    &lblDEV,  &lblCH,    &lblDist,    &lblDistRem, &lblEGS, &lblAGS,
            &lblETE,   &lblATE,   &lblETA,  &lblATA,   &lblFUsed,   &lblFRem};
}

frmFPLog::frmFPLog() {
    setObjectName("frmFPLog");
    setWindowTitle("Aerokit: Flight Log");

    auto* central = new QWidget;
    central->setObjectName("picLog");
    auto* outer = new QVBoxLayout(central);

    // Header.
    auto* header = new QGridLayout;
    struct HeaderItem {
        const char* caption;
        const char* captionName;
        QLabel** value;
        const char* valueName;
    };
    const HeaderItem items[] = {
        {"Aircraft Ident:", "lblAIdent1", &lblAIdent, "lblAIdent"},
        {"From:", "lblFrom1", &lblFrom, "lblFrom"},
        {"To:", "lblTo1", &lblTo, "lblTo"},
        {"Alternate:", "lblAlt1", &lblAlt, "lblAlt"},
        {"TAS:", "lblTAS1", &lblTAS, "lblTAS"},
        {"Altitude:", "lblAltitude1", &lblAltitude, "lblAltitude"},
        {"Time Off:", "lblTimeoff1", &lblTimeoff, "lblTimeoff"},
        {"Time On:", "lblTimeOn1", &lblTimeOn, "lblTimeOn"},
        {"Elapsed:", "lblElapsed1", &lblElapsed, "lblElapsed"},
        {"Fuel Onboard:", "lblOnboard1", &lblOnboard, "lblOnboard"},
        {"Fuel Rate:", "lblRate1", &lblRate, "lblRate"},
        {"Fuel Required:", "lblRequired1", &lblRequired, "lblRequired"},
        {"Fuel Remaining:", "lblRemaining1", &lblRemaining, "lblRemaining"},
    };
    int i = 0;
    for (const HeaderItem& it : items) {
        const int row = i % 5, col = (i / 5) * 2;
        header->addWidget(captionLabel(central, it.captionName, it.caption), row, col);
        *it.value = valueLabel(central, it.valueName);
        planner::reserveChars(*it.value, 15);
        header->addWidget(*it.value, row, col + 1);
        ++i;
    }
    auto* runway = new QVBoxLayout;
    runway->addWidget(captionLabel(central, "lblRunway1", "RUNWAY INFORMATION"));
    // Nothing typed here is stored, so the limit only has to let the field
    // show whole: a file from elsewhere may hold lone line breaks, which
    // count two each, so 200 bytes can need up to 400.
    txtRunway = planner::multiLineBox(central, "txtRunway", 2 * 200, true);
    txtRunway->setFixedHeight(90);
    runway->addWidget(txtRunway);
    header->addLayout(runway, 0, 6, 5, 1);
    header->setColumnStretch(6, 1);
    outer->addLayout(header);

    // Checkpoint grid: one heading row, then two label rows per checkpoint.
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    const char* headings[] = {"",
                              "TO / CHECKPOINTS",
                              "NAV AID\nIDENT\nFREQ",
                              "RADIAL\nTO\nFROM",
                              "TC",
                              "WCA",
                              "TH",
                              "VAR",
                              "MH",
                              "DEV",
                              "CH",
                              "Leg Dist.\nREM.",
                              "EGS\nAGS",
                              "ETE\nATE",
                              "ETA\nATA",
                              "Fuel Used\nREM."};
    for (int c = 0; c < 16; ++c) {
        const QByteArray name = "lblHeading" + QByteArray::number(c);
        auto* h = captionLabel(central, name.constData(), headings[c]);
        h->setAlignment(Qt::AlignCenter);
        h->setFrameShape(QFrame::Box);
        grid->addWidget(h, 0, c);
    }
    const auto cols = columns();
    for (int a = 0; a < 22; ++a)
        for (int k = 0; k < 10; ++k) {
            const QByteArray name = QByteArray(kColumnNames[a]) + "_" + QByteArray::number(k);
            QLabel* l = valueLabel(central, name.constData());
            l->setFrameShape(QFrame::Box);
            // A thin inner margin: ten rows of 22 full fields must fit a
            // screen's width.
            l->setIndent(2);
            planner::reserveChars(l, a == 0 ? 25 : 10);
            (*cols[a])[k] = l;
        }
    // Where each array sits: grid column and whether it is the lower value.
    struct Place {
        int col;
        int lower;  // 0 top (or both rows), 1 bottom
        bool both;
    };
    const Place places[22] = {{1, 0, true},   {2, 0, false},  {2, 1, false},  {3, 0, false},
                              {3, 1, false},  {4, 0, true},   {5, 0, true},   {6, 0, true},
                              {7, 0, true},   {8, 0, true},   {9, 0, true},   {10, 0, true},
                              {11, 0, false}, {11, 1, false}, {12, 0, false}, {12, 1, false},
                              {13, 0, false}, {13, 1, false}, {14, 0, false}, {14, 1, false},
                              {15, 0, false}, {15, 1, false}};
    for (int k = 0; k < 10; ++k) {
        const int top = 1 + 2 * k;
        const QByteArray name = "lblRow_" + QByteArray::number(k);
        lblRow[k] = captionLabel(central, name.constData(), QString::number(k + 1) + ".");
        lblRow[k]->setFrameShape(QFrame::Box);
        lblRow[k]->setAlignment(Qt::AlignCenter);
        grid->addWidget(lblRow[k], top, 0, 2, 1);
        for (int a = 0; a < 22; ++a) {
            QLabel* l = (*cols[a])[k];
            if (places[a].both)
                grid->addWidget(l, top, places[a].col, 2, 1);
            else
                grid->addWidget(l, top + places[a].lower, places[a].col);
        }
    }
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(central);
    scroll->setWidgetResizable(true);
    setCentralWidget(scroll);

    // Menus.
    QMenu* file = Common::menu(this, "&File", "mnuFile");
    mnuMain = Common::action(this, "mnuMain", "Main Menu", [this] { mnuMain_Click(); });
    mnuExit = Common::action(this, "mnuExit", "&E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* print = Common::menu(this, "&Print", "mnuPrint");
    mnuPrintLog =
        Common::action(this, "mnuPrintLog", "&Print Flight Log", [this] { mnuPrintLog_Click(); });
    print->addAction(mnuPrintLog);
    QMenu* plan = Common::menu(this, "Flight &Plan", "mnuFlightPlan");
    mnuEditLog =
        Common::action(this, "mnuEditLog", "&Edit Flight Log", [this] { mnuEditLog_Click(); });
    mnuCheckpoint =
        Common::action(this, "mnuCheckpoint", "Add &Checkpoint", [this] { mnuCheckpoint_Click(); });
    mnuRemove =
        Common::action(this, "mnuRemove", "Remove &Last Checkpoint", [this] { mnuRemove_Click(); });
    mnuShowRec = Common::action(this, "mnuShowRec", "Show Flight Plan &Record",
                                [this] { mnuShowRec_Click(); });
    plan->addAction(mnuEditLog);
    plan->addAction(mnuCheckpoint);
    plan->addAction(mnuRemove);
    plan->addAction(mnuShowRec);
    Common::addHelpMenu(this);

    resize(planner::formSize(this));
}

void frmFPLog::Form_Load() {
    const std::string path = modLog::PlanPath.toStdString();
    const auto rec = planner::readRecord(path, 1);
    const planner::PlanRecord header = rec ? *rec : planner::PlanRecord{};
    showHeader(header);
    // Only rows 0..9 exist, whatever the counter holds.
    if (const auto cps = planner::readCheckpoints(path, header.LastCheckpoint)) {
        for (int k = static_cast<int>(cps->size()) - 1; k >= 0; --k)
            showCheckpoint(k, (*cps)[static_cast<std::size_t>(k)]);
    }
    if (header.LastCheckpoint < 0) mnuRemove->setEnabled(false);
}

void frmFPLog::showHeader(const planner::PlanRecord& r) {
    lblAIdent->setText(Convert::fromField(r.AircraftIdent));
    lblFrom->setText(Convert::fromField(r.Departure));
    lblTo->setText(Convert::fromField(r.Destination));
    lblAlt->setText(Convert::fromField(r.Alternates));
    lblTAS->setText(Convert::fromField(r.TrueAirspeed));
    lblAltitude->setText(Convert::fromField(r.CruiseAltitude));
    lblTimeoff->setText(Convert::fromField(r.TimeOff));
    lblTimeOn->setText(Convert::fromField(r.TimeOn));
    lblElapsed->setText(Convert::fromField(r.Elapsed));
    lblOnboard->setText(Convert::fromField(r.FuelOnBoard));
    lblRate->setText(Convert::fromField(r.FuelRate));
    lblRequired->setText(Convert::fromField(r.FuelRequired));
    lblRemaining->setText(Convert::fromField(r.FuelRemaining));
    txtRunway->setPlainText(planner::editText(Convert::fromField(r.RunwayInfo)));
}

void frmFPLog::showCheckpoint(int k, const planner::PlanRecord& cp) {
    if (k < 0 || k >= planner::kMaxCheckpoints) return;
    const auto texts = checkpointTexts(cp);
    const auto cols = columns();
    for (int a = 0; a < 22; ++a) (*cols[a])[k]->setText(texts[a]);
}

void frmFPLog::clearCheckpoint(int k) {
    if (k < 0 || k >= planner::kMaxCheckpoints) return;
    for (Row* col : columns()) (*col)[k]->clear();
}

QString frmFPLog::printPage() const {
    auto t = [](const QLabel* l) { return pageText(l->text()); };
    QString h;
    h += "<h2>Aerokit &mdash; Flight Log</h2>";
    h += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>";
    h += QStringLiteral(
             "<td>Aircraft Ident: <tt>%1</tt></td><td>From: <tt>%2</tt></td>"
             "<td>To: <tt>%3</tt></td><td>Alternate: <tt>%4</tt></td></tr>")
             .arg(t(lblAIdent), t(lblFrom), t(lblTo), t(lblAlt));
    h += QStringLiteral(
             "<tr><td>TAS: <tt>%1</tt></td><td>Altitude: <tt>%2</tt></td>"
             "<td>Time Off: <tt>%3</tt></td><td>Time On: <tt>%4</tt></td></tr>")
             .arg(t(lblTAS), t(lblAltitude), t(lblTimeoff), t(lblTimeOn));
    h += QStringLiteral(
             "<tr><td>Elapsed: <tt>%1</tt></td><td>Fuel Onboard: <tt>%2</tt></td>"
             "<td>Fuel Rate: <tt>%3</tt></td><td>Fuel Required: <tt>%4</tt></td></tr>")
             .arg(t(lblElapsed), t(lblOnboard), t(lblRate), t(lblRequired));
    h += QStringLiteral(
             "<tr><td>Fuel Remaining: <tt>%1</tt></td>"
             "<td colspan=\"3\">RUNWAY INFORMATION<br><tt>%2</tt></td></tr></table>")
             .arg(t(lblRemaining), pageText(txtRunway->toPlainText()));
    h += "<p></p><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><tr>";
    // Widths in percent of the page: the checkpoint's name gets the room.
    const std::pair<const char*, int> headings[] = {{"", 3},
                                                    {"TO / CHECKPOINTS", 20},
                                                    {"NAV AID<br>IDENT<br>FREQ", 8},
                                                    {"RADIAL<br>TO<br>FROM", 7},
                                                    {"TC", 5},
                                                    {"WCA", 5},
                                                    {"TH", 5},
                                                    {"VAR", 5},
                                                    {"MH", 5},
                                                    {"DEV", 5},
                                                    {"CH", 5},
                                                    {"Leg Dist.<br>REM.", 6},
                                                    {"EGS<br>AGS", 5},
                                                    {"ETE<br>ATE", 5},
                                                    {"ETA<br>ATA", 5},
                                                    {"Fuel Used<br>REM.", 6}};
    for (auto [heading, width] : headings)
        h += QStringLiteral("<th width=\"%1%\"><small>%2</small></th>")
                 .arg(width)
                 .arg(QString::fromLatin1(heading));
    h += "</tr>";
    auto one = [&](const Row& r, int k) {
        return QStringLiteral("<td><small>%1</small></td>").arg(t(r[k]));
    };
    auto two = [&](const Row& a, const Row& b, int k) {
        return QStringLiteral("<td><small>%1<br>%2</small></td>").arg(t(a[k]), t(b[k]));
    };
    for (int k = 0; k < 10; ++k) {
        h += QStringLiteral("<tr><td><small>%1.</small></td>").arg(k + 1);
        h += one(lblCheck, k) + two(lblIdent, lblFreq, k) + two(lblRadTo, lblRadFrom, k);
        h += one(lblTC, k) + one(lblWCA, k) + one(lblTH, k) + one(lblVAR, k) + one(lblMH, k) +
             one(lblDEV, k) + one(lblCH, k);
        h += two(lblDist, lblDistRem, k) + two(lblEGS, lblAGS, k) + two(lblETE, lblATE, k) +
             two(lblETA, lblATA, k) + two(lblFUsed, lblFRem, k);
        h += "</tr>";
    }
    h += "</table>";
    return h;
}

void frmFPLog::mnuMain_Click() {
    Forms::show<frmMenu>();
    Forms::unload<frmFPLog>();
    Forms::unload<frmFlightPlanRecord>();
}

void frmFPLog::mnuExit_Click() { Common::exitProgram(); }

void frmFPLog::mnuPrintLog_Click() { PrintPage::print(this, "Flight Log", printPage()); }

void frmFPLog::mnuEditLog_Click() { Forms::showModal<frmFlightLogInput>(); }

void frmFPLog::mnuCheckpoint_Click() {
    const auto rec = planner::readRecord(modLog::PlanPath.toStdString(), 1);
    const std::int16_t last = rec ? rec->LastCheckpoint : 0;
    if (planner::canAddCheckpoint(last)) {
        Forms::showModal<frmFPCheck>();
        return;
    }
    MessageBox::show(
        "You have reached the maximum of 10 checkpoints, please start a new Flight Log",
        "Maximum Checkpoints reached", MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
}

void frmFPLog::mnuRemove_Click() {
    const std::string path = modLog::PlanPath.toStdString();
    const auto rec = planner::readRecord(path, 1);
    if (!rec) return;
    int last = rec->LastCheckpoint;
    if (last >= 0) {
        const auto answer = MessageBox::show(
            "Are you sure you want to remove checkpoint # " + QString::number(last + 1),
            "Are you sure?", MessageBox::Buttons::YesNo, MessageBox::Icon::None, this);
        if (answer == MessageBox::Answer::Yes) {
            if (planner::removeLastCheckpoint(path, *rec) == planner::WriteResult::Ok) {
                clearCheckpoint(last);
                --last;
            } else {
                MessageBox::show("The checkpoint could not be removed: " + modLog::PlanPath +
                                     " could not be written.",
                                 "Checkpoint Not Removed", MessageBox::Buttons::Ok,
                                 MessageBox::Icon::Stop, this);
            }
        }
    }
    if (last < 0) mnuRemove->setEnabled(false);
}

void frmFPLog::mnuShowRec_Click() {
    Forms::show<frmFlightPlanRecord>();
    Forms::hide<frmFPLog>();
    Forms::unload<frmFPLog>();
}

void frmFPLog::mnuHelp_Click() { Common::help(); }

void frmFPLog::mnuAbout_Click() { Common::about(); }
