#include "planner/frmFPLog.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QPainter>
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
    return lines.join(QChar('\n'));
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
    const std::string path = Convert::toPath(modLog::PlanPath);
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

PrintPage::Page frmFPLog::printPage() const {
    auto t = [](const QString& text) { return pageText(text); };
    const std::pair<QString, QString> header[] = {{"Aircraft Ident:", t(lblAIdent->text())},
                                                  {"From:", t(lblFrom->text())},
                                                  {"To:", t(lblTo->text())},
                                                  {"Alternate:", t(lblAlt->text())},
                                                  {"TAS:", t(lblTAS->text())},
                                                  {"Altitude:", t(lblAltitude->text())},
                                                  {"Time Off:", t(lblTimeoff->text())},
                                                  {"Time On:", t(lblTimeOn->text())},
                                                  {"Elapsed:", t(lblElapsed->text())},
                                                  {"Fuel Onboard:", t(lblOnboard->text())},
                                                  {"Fuel Rate:", t(lblRate->text())},
                                                  {"Fuel Required:", t(lblRequired->text())},
                                                  {"Fuel Remaining:", t(lblRemaining->text())}};
    const QString runway = t(txtRunway->toPlainText());
    // The grid's columns in the window's pairing: the second value of a pair
    // stands under the first; widths in characters of the stored fields.
    struct Column {
        QStringList heading;
        const Row* top;
        const Row* bottom;
        int chars;
    };
    const Column columns[] = {{{"TO / CHECKPOINTS"}, &lblCheck, nullptr, 25},
                              {{"NAV AID", "IDENT", "FREQ"}, &lblIdent, &lblFreq, 10},
                              {{"RADIAL", "TO", "FROM"}, &lblRadTo, &lblRadFrom, 10},
                              {{"TC"}, &lblTC, nullptr, 10},
                              {{"WCA"}, &lblWCA, nullptr, 10},
                              {{"TH"}, &lblTH, nullptr, 10},
                              {{"VAR"}, &lblVAR, nullptr, 10},
                              {{"MH"}, &lblMH, nullptr, 10},
                              {{"DEV"}, &lblDEV, nullptr, 10},
                              {{"CH"}, &lblCH, nullptr, 10},
                              {{"Leg Dist.", "REM."}, &lblDist, &lblDistRem, 10},
                              {{"EGS", "AGS"}, &lblEGS, &lblAGS, 10},
                              {{"ETE", "ATE"}, &lblETE, &lblATE, 10},
                              {{"ETA", "ATA"}, &lblETA, &lblATA, 10},
                              {{"Fuel Used", "REM."}, &lblFUsed, &lblFRem, 10}};
    struct Cells {
        QStringList heading;
        int chars;
        std::array<QString, 10> top, bottom;
        bool paired;
    };
    std::vector<Cells> grid;
    for (const Column& c : columns) {
        Cells cells{c.heading, c.chars, {}, {}, c.bottom != nullptr};
        for (int k = 0; k < 10; ++k) {
            cells.top[static_cast<std::size_t>(k)] = t((*c.top)[k]->text());
            if (c.bottom) cells.bottom[static_cast<std::size_t>(k)] = t((*c.bottom)[k]->text());
        }
        grid.push_back(std::move(cells));
    }

    PrintPage::Page page;
    page.title = "Flight Log";
    page.sourceFile = modLog::PlanPath;
    page.landscape = true;
    page.draw = [header = std::vector(std::begin(header), std::end(header)), runway, grid](
                    QPainter& p, const QRectF& body) {
        auto font = [](double pt, bool bold = false) {
            QFont f(QStringLiteral("Sans Serif"));
            f.setPointSizeF(pt);
            f.setBold(bold);
            return f;
        };
        const QPen thin(Qt::black, 0);
        p.setPen(thin);
        double y = body.top();
        p.setFont(font(14, true));
        const double titleH = QFontMetricsF(p.font(), p.device()).height() * 1.3;
        p.drawText(QRectF(body.left(), y, body.width(), titleH), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Aerokit \u2014 Flight Log"));
        y += titleH;

        // Header: four caption/value pairs a row; the runway information
        // beside the last one.
        const QFontMetricsF capFm(font(7.5), p.device());
        const QFontMetricsF valFm(font(10), p.device());
        const double hp = capFm.averageCharWidth();
        const double hRowH = capFm.height() + valFm.height() * 1.2 + hp / 3;
        const double hColW = body.width() / 4;
        for (std::size_t i = 0; i < header.size(); ++i) {
            const QRectF cell(body.left() + hColW * static_cast<double>(i % 4),
                              y + hRowH * static_cast<double>(i / 4), hColW, hRowH);
            p.drawRect(cell);
            p.setFont(font(7.5));
            p.drawText(cell.adjusted(hp, hp / 3, -hp, 0), Qt::AlignLeft | Qt::AlignTop,
                       header[i].first);
            p.setFont(font(10));
            PrintPage::fitText(p, cell.adjusted(hp, capFm.height() + hp / 3, -hp, 0),
                               Qt::AlignLeft | Qt::AlignVCenter, header[i].second);
        }
        const QRectF rwy(body.left() + hColW, y + hRowH * 3, hColW * 3, hRowH);
        const QRectF rwyBox(rwy.left(), rwy.top(), rwy.width(), hRowH * 1.6);
        p.drawRect(rwyBox);
        p.setFont(font(7.5));
        p.drawText(rwyBox.adjusted(hp, hp / 3, -hp, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("RUNWAY INFORMATION"));
        p.setFont(font(9));
        p.drawText(rwyBox.adjusted(hp, capFm.height() + hp / 3, -hp, 0),
                   Qt::AlignLeft | Qt::TextWordWrap, runway);
        y = rwyBox.bottom() + valFm.height() * 0.8;

        // The grid: the row number, then the columns sized by their fields.
        int chars = 3;
        for (const Cells& c : grid) chars += c.chars;
        const double unit = body.width() / chars;
        // Values at the size at which ten digits fill a ten-character column.
        QFont valueFont = font(10);
        const double tenDigits =
            QFontMetricsF(valueFont, p.device()).horizontalAdvance(QStringLiteral("0000000000"));
        valueFont.setPointSizeF(std::min(10.0, 10.0 * (unit * 10 - unit * 0.6) / tenDigits));
        const QFontMetricsF vfm(valueFont, p.device());
        const QFont headFont = font(std::min(8.0, valueFont.pointSizeF()), true);
        const double headH = QFontMetricsF(headFont, p.device()).height() * 3.3;
        // Rows take the rest of the sheet: room to write the actual figures in.
        const double rowH = std::min((body.bottom() - y - headH) / 10, vfm.height() * 4.5);
        auto colX = [&](std::size_t c) {
            double x = body.left() + unit * 3;
            for (std::size_t i = 0; i < c; ++i) x += unit * grid[i].chars;
            return x;
        };
        const double right = body.left() + unit * chars;
        p.setFont(headFont);
        p.fillRect(QRectF(body.left(), y, right - body.left(), headH), QColor(225, 225, 225));
        for (std::size_t c = 0; c < grid.size(); ++c) {
            const QRectF cell(colX(c), y, unit * grid[c].chars, headH);
            const QStringList& h = grid[c].heading;
            const double lineH = headH / static_cast<double>(h.size());
            for (int i = 0; i < h.size(); ++i)
                PrintPage::fitText(
                    p, QRectF(cell.left() + 2, cell.top() + lineH * i, cell.width() - 4, lineH),
                    Qt::AlignCenter, h[i]);
        }
        const double top = y;
        y += headH;
        p.setPen(thin);
        for (int k = 0; k < 10; ++k) {
            const auto ks = static_cast<std::size_t>(k);
            const double ry = y + rowH * k;
            p.setFont(valueFont);
            PrintPage::fitText(p, QRectF(body.left() + 2, ry, unit * 3 - 4, rowH), Qt::AlignCenter,
                               QString::number(k + 1) + ".");
            for (std::size_t c = 0; c < grid.size(); ++c) {
                const QRectF cell(colX(c) + unit * 0.3, ry, unit * grid[c].chars - unit * 0.6,
                                  rowH);
                const int align = c == 0 ? Qt::AlignLeft : Qt::AlignHCenter;
                if (grid[c].paired) {
                    PrintPage::fitText(p, QRectF(cell.left(), ry, cell.width(), rowH / 2),
                                       align | Qt::AlignVCenter, grid[c].top[ks]);
                    PrintPage::fitText(p,
                                       QRectF(cell.left(), ry + rowH / 2, cell.width(), rowH / 2),
                                       align | Qt::AlignVCenter, grid[c].bottom[ks]);
                    p.setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
                    p.drawLine(QPointF(colX(c), ry + rowH / 2),
                               QPointF(colX(c) + unit * grid[c].chars, ry + rowH / 2));
                    p.setPen(thin);
                } else {
                    PrintPage::fitText(p, cell, align | Qt::AlignVCenter, grid[c].top[ks]);
                }
            }
            p.drawLine(QPointF(body.left(), ry + rowH), QPointF(right, ry + rowH));
        }
        const double bottom = y + rowH * 10;
        p.drawRect(QRectF(body.left(), top, right - body.left(), bottom - top));
        p.drawLine(QPointF(body.left(), y), QPointF(right, y));
        for (std::size_t c = 0; c < grid.size(); ++c)
            p.drawLine(QPointF(colX(c), top), QPointF(colX(c), bottom));
    };
    return page;
}

void frmFPLog::mnuMain_Click() {
    Forms::show<frmMenu>();
    Forms::unload<frmFPLog>();
    Forms::unload<frmFlightPlanRecord>();
}

void frmFPLog::mnuExit_Click() { Common::exitProgram(); }

void frmFPLog::mnuPrintLog_Click() { PrintPage::print(this, printPage()); }

void frmFPLog::mnuEditLog_Click() { Forms::showModal<frmFlightLogInput>(); }

void frmFPLog::mnuCheckpoint_Click() {
    const auto rec = planner::readRecord(Convert::toPath(modLog::PlanPath), 1);
    const std::int16_t last = rec ? rec->LastCheckpoint : 0;
    if (planner::canAddCheckpoint(last)) {
        Forms::showModal<frmFPCheck>();
        return;
    }
    MessageBox::show(MessageBox::failureText(records::Action::SaveCheckpoint, modLog::PlanPath,
                                             records::Failure{records::FileError::Full, {}}),
                     "Maximum Checkpoints reached", MessageBox::Buttons::Ok, MessageBox::Icon::Stop,
                     this);
}

void frmFPLog::mnuRemove_Click() {
    const std::string path = Convert::toPath(modLog::PlanPath);
    const auto asked = planner::lastCheckpoint(path);
    if (!asked) return;
    int last = asked->index;
    if (last >= 0) {
        const auto answer = MessageBox::show(
            "Are you sure you want to remove checkpoint # " + QString::number(last + 1),
            "Are you sure?", MessageBox::Buttons::YesNo, MessageBox::Icon::None, this);
        if (answer == MessageBox::Answer::Yes) {
            // The removal takes the checkpoint asked about or nothing.
            const auto removed = planner::removeLastCheckpoint(path, *asked);
            if (removed) {
                clearCheckpoint(last);
                --last;
            } else {
                MessageBox::show(MessageBox::failureText(records::Action::RemoveCheckpoint,
                                                         modLog::PlanPath, removed.failure()),
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
