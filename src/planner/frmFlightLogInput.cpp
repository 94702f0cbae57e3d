#include "planner/frmFlightLogInput.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPLog.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

frmFlightLogInput::frmFlightLogInput() {
    setObjectName("frmFlightLogInput");
    setWindowTitle("Flight Log Input");

    lblHeading = planner::captionLabel(this, "lblHeading", "Aerokit: Flight Log Information");
    QFont f = lblHeading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    lblHeading->setFont(f);

    auto* grid = new QGridLayout;
    int i = 0;
    auto add = [&](QLabel*& label, const char* labelName, const QString& caption, QLineEdit*& box,
                   const char* boxName, int max) {
        label = planner::captionLabel(this, labelName, caption);
        box = Controls::lineBox(this, boxName, max);
        Controls::labelledRow(grid, i % 7, label, box, (i / 7) * 2);
        ++i;
    };
    add(lblident, "lblident", "Aircraft Number: ", txtIdent, "txtIdent", 10);
    add(lblFrom, "lblFrom", "Starting Point: ", txtFrom, "txtFrom", 10);
    add(lblTo, "lblTo", "Destination: ", txtTo, "txtTo", 10);
    add(lblAlt, "lblAlt", "Alternate Destination: ", txtAlt, "txtAlt", 15);
    add(lblTAS, "lblTAS", "True Airspeed: ", txtTAS, "txtTAS", 10);
    add(lblAltitude, "lblAltitude", "Altitude: ", txtAltitude, "txtAltitude", 10);
    add(lblTimeOff, "lblTimeOff", "Time Off: ", txtTimeOff, "txtTimeOff", 10);
    add(lblTimeOn, "lblTimeOn", "Time On: ", txtTimeOn, "txtTimeOn", 10);
    add(lblElapsed, "lblElapsed", "Elapsed Time: ", txtElapsed, "txtElapsed", 10);
    add(lblFuelOn, "lblFuelOn", "Fuel Onboard: ", txtFuelOn, "txtFuelOn", 15);
    add(lblFuelRate, "lblFuelRate", "Fuel Rate: ", txtFuelRate, "txtFuelRate", 15);
    add(lblFuelReq, "lblFuelReq", "Fuel Required: ", txtFuelReq, "txtFuelReq", 15);
    add(lblFRem, "lblFRem", "Fuel Remaining: ", txtFRem, "txtFRem", 15);
    lblRunway = planner::captionLabel(this, "lblRunway", "Runway Information");
    txtRunway = planner::multiLineBox(this, "txtRunway", 200, false);
    txtRunway->setFixedHeight(80);
    lblRunway->setBuddy(txtRunway);

    const auto entry = planner::entryButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = entry.ok;
    cmdCancel = entry.cancel;

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(lblHeading);
    outer->addLayout(grid);
    outer->addWidget(lblRunway);
    outer->addWidget(txtRunway);
    outer->addLayout(entry.row);

    QWidget* order[] = {txtIdent,   txtFrom,   txtTo,      txtAlt,    txtTAS,      txtAltitude,
                        txtTimeOff, txtTimeOn, txtElapsed, txtFuelOn, txtFuelRate, txtFuelReq,
                        txtFRem,    txtRunway, cmdOK,      cmdCancel};
    for (std::size_t k = 1; k < std::size(order); ++k) setTabOrder(order[k - 1], order[k]);
}

void frmFlightLogInput::Form_Load() {
    const auto plan = planner::readRecord(WindowText::toPath(modLog::PlanPath), 1);
    const planner::PlanRecord r = plan ? *plan : planner::PlanRecord{};
    txtIdent->setText(WindowText::fromField(r.AircraftIdent));
    txtFrom->setText(WindowText::fromField(r.Departure));
    txtTo->setText(WindowText::fromField(r.Destination));
    txtAlt->setText(WindowText::fromField(r.Alternates));
    txtTAS->setText(WindowText::fromField(r.TrueAirspeed));
    txtAltitude->setText(WindowText::fromField(r.CruiseAltitude));
}

planner::PlanRecord frmFlightLogInput::typedRecord() const {
    planner::PlanRecord r;
    r.AircraftIdent = WindowText::toField<10>(txtIdent->text());
    r.Departure = WindowText::toField<10>(txtFrom->text());
    r.Destination = WindowText::toField<10>(txtTo->text());
    r.Alternates = WindowText::toField<15>(txtAlt->text());
    r.TrueAirspeed = WindowText::toField<10>(txtTAS->text());
    r.CruiseAltitude = WindowText::toField<10>(txtAltitude->text());
    r.TimeOff = WindowText::toField<10>(txtTimeOff->text());
    r.TimeOn = WindowText::toField<10>(txtTimeOn->text());
    r.Elapsed = WindowText::toField<10>(txtElapsed->text());
    r.FuelOnBoard = WindowText::toField<15>(txtFuelOn->text());
    r.FuelRate = WindowText::toField<15>(txtFuelRate->text());
    r.FuelRequired = WindowText::toField<15>(txtFuelReq->text());
    r.FuelRemaining = WindowText::toField<15>(txtFRem->text());
    r.RunwayInfo = WindowText::toField<200>(WindowText::toStored(txtRunway->toPlainText()));
    return r;
}

void frmFlightLogInput::cmdOK_Click() {
    const auto written =
        planner::saveLogHeader(WindowText::toPath(modLog::PlanPath), typedRecord());
    if (!written) {
        MessageBox::show(MessageBox::failureText(records::Action::SaveLogHeader, modLog::PlanPath,
                                                 written.failure()),
                         "Flight Log Not Saved", MessageBox::Buttons::Ok, MessageBox::Icon::Stop,
                         this);
        return;
    }
    if (Forms::isLoaded<frmFPLog>()) Forms::get<frmFPLog>()->showHeader(*written);
    Forms::hide<frmFlightLogInput>();
}

void frmFlightLogInput::cmdCancel_Click() {
    Forms::unload<frmFlightLogInput>();
    Forms::show<frmFPLog>();
}
