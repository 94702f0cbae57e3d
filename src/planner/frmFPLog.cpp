#include "planner/frmFPLog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlanPages.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPCheck.h"
#include "planner/frmFlightLogInput.h"
#include "planner/frmFlightPlanRecord.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

using planner::captionLabel;
using planner::valueLabel;

namespace {

const char* const kColumnNames[22] = {
    "lblCheck", "lblIdent", "lblFreq", "lblRadTo", "lblRadFrom", "lblTC",      "lblWCA", "lblTH",
    "lblVAR",   "lblMH",    "lblDEV",  "lblCH",    "lblDist",    "lblDistRem", "lblEGS", "lblAGS",
    "lblETE",   "lblATE",   "lblETA",  "lblATA",   "lblFUsed",   "lblFRem"};

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
    // The captions and values of record 1, in the order of planner::logHeader.
    const std::pair<const char*, const char*> names[] = {{"lblAIdent1", "lblAIdent"},
                                                         {"lblFrom1", "lblFrom"},
                                                         {"lblTo1", "lblTo"},
                                                         {"lblAlt1", "lblAlt"},
                                                         {"lblTAS1", "lblTAS"},
                                                         {"lblAltitude1", "lblAltitude"},
                                                         {"lblTimeoff1", "lblTimeoff"},
                                                         {"lblTimeOn1", "lblTimeOn"},
                                                         {"lblElapsed1", "lblElapsed"},
                                                         {"lblOnboard1", "lblOnboard"},
                                                         {"lblRate1", "lblRate"},
                                                         {"lblRequired1", "lblRequired"},
                                                         {"lblRemaining1", "lblRemaining"}};
    QLabel** values[] = {&lblAIdent,   &lblFrom,     &lblTo,       &lblAlt,     &lblTAS,
                         &lblAltitude, &lblTimeoff,  &lblTimeOn,   &lblElapsed, &lblOnboard,
                         &lblRate,     &lblRequired, &lblRemaining};
    const auto captions = planner::logHeader(planner::PlanRecord{});
    for (int i = 0; i < 13; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const int row = i % 5, col = (i / 5) * 2;
        header->addWidget(captionLabel(central, names[n].first, captions[n].first), row, col);
        *values[n] = valueLabel(central, names[n].second);
        planner::reserveChars(*values[n], 15);
        header->addWidget(*values[n], row, col + 1);
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
    for (int c = 0; c < 16; ++c) {
        const QByteArray name = "lblHeading" + QByteArray::number(c);
        auto* h = captionLabel(central, name.constData(), planner::kLogHeadings[c]);
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

    planner::setScrolledForm(this, central);

    // Menus.
    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuMain = SharedCommands::action(this, "mnuMain", "Main Menu", [this] { mnuMain_Click(); });
    mnuExit = SharedCommands::action(this, "mnuExit", "&E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* print = SharedCommands::menu(this, "&Print", "mnuPrint");
    mnuPrintLog = SharedCommands::action(this, "mnuPrintLog", "&Print Flight Log",
                                         [this] { mnuPrintLog_Click(); });
    print->addAction(mnuPrintLog);
    QMenu* plan = SharedCommands::menu(this, "Flight &Plan", "mnuFlightPlan");
    mnuEditLog = SharedCommands::action(this, "mnuEditLog", "&Edit Flight Log",
                                        [this] { mnuEditLog_Click(); });
    mnuCheckpoint = SharedCommands::action(this, "mnuCheckpoint", "Add &Checkpoint",
                                           [this] { mnuCheckpoint_Click(); });
    mnuRemove = SharedCommands::action(this, "mnuRemove", "Remove &Last Checkpoint",
                                       [this] { mnuRemove_Click(); });
    mnuShowRec = SharedCommands::action(this, "mnuShowRec", "Show Flight Plan &Record",
                                        [this] { mnuShowRec_Click(); });
    plan->addAction(mnuEditLog);
    plan->addAction(mnuCheckpoint);
    plan->addAction(mnuRemove);
    plan->addAction(mnuShowRec);
    SharedCommands::addHelpMenu(this);

    resize(planner::formSize(this));
}

void frmFPLog::Form_Load() {
    const std::string path = WindowText::toPath(modLog::PlanPath);
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

std::array<QLabel*, 13> frmFPLog::headerValues() const {
    return {lblAIdent, lblFrom,    lblTo,      lblAlt,  lblTAS,      lblAltitude, lblTimeoff,
            lblTimeOn, lblElapsed, lblOnboard, lblRate, lblRequired, lblRemaining};
}

void frmFPLog::showHeader(const planner::PlanRecord& r) {
    header_ = r;
    const auto shown = planner::logHeader(r);
    const auto labels = headerValues();
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i]->setText(shown[i].second);
    txtRunway->setPlainText(WindowText::fromStored(WindowText::fromField(r.RunwayInfo)));
}

void frmFPLog::showCheckpoint(int k, const planner::PlanRecord& cp) {
    if (k < 0 || k >= planner::kMaxCheckpoints) return;
    checkpoints_[static_cast<std::size_t>(k)] = cp;
    const auto texts = planner::checkpointTexts(cp);
    const auto cols = columns();
    for (int a = 0; a < 22; ++a) (*cols[a])[k]->setText(texts[a]);
}

void frmFPLog::clearCheckpoint(int k) {
    if (k < 0 || k >= planner::kMaxCheckpoints) return;
    checkpoints_[static_cast<std::size_t>(k)] = planner::PlanRecord{};
    for (Row* col : columns()) (*col)[k]->clear();
}

PrintPage::Page frmFPLog::printPage() const {
    return planner::logPage(header_, txtRunway->toPlainText(), checkpoints_, modLog::PlanPath);
}

void frmFPLog::mnuMain_Click() {
    Forms::show<frmMenu>();
    Forms::unload<frmFPLog>();
    Forms::unload<frmFlightPlanRecord>();
}

void frmFPLog::mnuExit_Click() { SharedCommands::exitProgram(); }

void frmFPLog::mnuPrintLog_Click() { PrintPage::print(this, printPage()); }

void frmFPLog::mnuEditLog_Click() { Forms::showModal<frmFlightLogInput>(); }

void frmFPLog::mnuCheckpoint_Click() {
    const auto rec = planner::readRecord(WindowText::toPath(modLog::PlanPath), 1);
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
    const std::string path = WindowText::toPath(modLog::PlanPath);
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

void frmFPLog::mnuHelp_Click() { SharedCommands::help(); }

void frmFPLog::mnuAbout_Click() { SharedCommands::about(); }
