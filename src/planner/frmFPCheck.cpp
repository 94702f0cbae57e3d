#include "planner/frmFPCheck.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPLog.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

frmFPCheck::frmFPCheck() {
    setObjectName("frmFPCheck");
    setWindowTitle("Input Checkpoint");

    auto* instruction = planner::captionLabel(
        this, "lblInstruction", "Enter the following information about the Checkpoint");
    // Left: the checkpoint, its navigation aid and the headings; right: the
    // distances, speeds, times and fuel.
    auto* grid = new QGridLayout;
    int i = 0;
    auto add = [&](QLineEdit*& box, const char* name, const QString& caption, int max) {
        box = Controls::lineBox(this, name, max);
        const QByteArray labelName = "lbl" + QByteArray(name + 3);
        auto* l = planner::captionLabel(this, labelName.constData(), caption);
        int row, col;
        if (i < 3) {
            row = i == 0 ? 0 : i + 1;  // the heading takes row 1
            col = 0;
        } else if (i < 12) {
            row = i + 1;
            col = 0;
        } else {
            row = i - 12;
            col = 2;
        }
        Controls::labelledRow(grid, row, l, box, col);
        ++i;
    };
    auto* navAid = planner::captionLabel(this, "lblNavAid", "Navigation Aid");
    QFont bold = navAid->font();
    bold.setBold(true);
    navAid->setFont(bold);
    grid->addWidget(navAid, 1, 0, 1, 2);
    add(txtName, "txtName", "Name of Checkpoint: ", 25);
    add(txtIdent, "txtIdent", "Ident: ", 10);
    add(txtFreq, "txtFreq", "Frequency: ", 10);
    add(txtTo, "txtTo", "To Radial: ", 10);
    add(txtFrom, "txtFrom", "From Radial: ", 10);
    add(txtTC, "txtTC", "True Course: ", 10);
    add(txtWCA, "txtWCA", "Wind Correction Angle: ", 10);
    add(txtTH, "txtTH", "True Heading: ", 10);
    add(txtVAR, "txtVAR", "Variation: ", 10);
    add(txtMH, "txtMH", "Magnetic Heading: ", 10);
    add(txtDEV, "txtDEV", "Deviation: ", 10);
    add(txtCH, "txtCH", "Corrected Heading: ", 10);
    add(txtLegDist, "txtLegDist", "Leg Distance: ", 10);
    add(txtLegRem, "txtLegRem", "Dist. Remaining:", 10);
    add(txtEGS, "txtEGS", "Est. Ground Spd.", 10);
    add(txtAGS, "txtAGS", "Actual Grnd Spd. ", 10);
    add(txtETE, "txtETE", "ETE: ", 10);
    add(txtATE, "txtATE", "ATE: ", 10);
    add(txtETA, "txtETA", "ETA: ", 10);
    add(txtATA, "txtATA", "ATA: ", 10);
    add(txtFUsed, "txtFUsed", "Fuel Used: ", 10);
    add(txtFRem, "txtFRem", "Fuel Remaining: ", 10);
    grid->setColumnMinimumWidth(2, 140);

    const auto entry = planner::entryButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = entry.ok;
    cmdCancel = entry.cancel;
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(instruction);
    outer->addLayout(grid);
    outer->addLayout(entry.row);

    QWidget* order[] = {txtName,    txtIdent,  txtFreq,  txtTo,   txtFrom, txtTC,
                        txtWCA,     txtTH,     txtVAR,   txtMH,   txtDEV,  txtCH,
                        txtLegDist, txtLegRem, txtEGS,   txtAGS,  txtETE,  txtATE,
                        txtETA,     txtATA,    txtFUsed, txtFRem, cmdOK,   cmdCancel};
    for (std::size_t k = 1; k < std::size(order); ++k) setTabOrder(order[k - 1], order[k]);
}

planner::PlanRecord frmFPCheck::typedRecord() const {
    planner::PlanRecord r;
    r.CheckName = WindowText::toField<25>(txtName->text());
    r.NavIdent = WindowText::toField<10>(txtIdent->text());
    r.NavFreq = WindowText::toField<10>(txtFreq->text());
    r.ToRadial = WindowText::toField<10>(txtTo->text());
    r.FromRadial = WindowText::toField<10>(txtFrom->text());
    r.TrueCourse = WindowText::toField<10>(txtTC->text());
    r.WindCorrection = WindowText::toField<10>(txtWCA->text());
    r.TrueHeading = WindowText::toField<10>(txtTH->text());
    r.Variation = WindowText::toField<10>(txtVAR->text());
    r.MagHeading = WindowText::toField<10>(txtMH->text());
    r.Deviation = WindowText::toField<10>(txtDEV->text());
    r.CorrectedHeading = WindowText::toField<10>(txtCH->text());
    r.LegDist = WindowText::toField<10>(txtLegDist->text());
    r.LegDistRem = WindowText::toField<10>(txtLegRem->text());
    r.EstGroundSpeed = WindowText::toField<10>(txtEGS->text());
    r.ActGroundSpeed = WindowText::toField<10>(txtAGS->text());
    r.LegETE = WindowText::toField<10>(txtETE->text());
    r.LegATE = WindowText::toField<10>(txtATE->text());
    r.LegETA = WindowText::toField<10>(txtETA->text());
    r.LegATA = WindowText::toField<10>(txtATA->text());
    r.FuelUsed = WindowText::toField<10>(txtFUsed->text());
    r.CheckFuelRem = WindowText::toField<10>(txtFRem->text());
    return r;
}

void frmFPCheck::cmdOK_Click() {
    const auto added =
        planner::appendCheckpoint(WindowText::toPath(modLog::PlanPath), typedRecord());
    if (!added) {
        // A log that filled up since this window opened (or a file holding a
        // counter this program never writes) takes nothing either.
        const bool full = added.reason() == records::FileError::Full;
        MessageBox::show(MessageBox::failureText(records::Action::SaveCheckpoint, modLog::PlanPath,
                                                 added.failure()),
                         full ? "Maximum Checkpoints reached" : "Checkpoint Not Saved",
                         MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
        return;
    }
    if (Forms::isLoaded<frmFPLog>()) {
        frmFPLog* log = Forms::get<frmFPLog>();
        log->showCheckpoint(added->index, added->checkpoint);
        log->mnuRemove->setEnabled(true);
    }
    Forms::hide<frmFPCheck>();
    Forms::unload<frmFPCheck>();
}

void frmFPCheck::cmdCancel_Click() {
    Forms::hide<frmFPCheck>();
    Forms::unload<frmFPCheck>();
}
