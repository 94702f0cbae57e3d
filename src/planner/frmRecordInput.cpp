#include "planner/frmRecordInput.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFlightPlanRecord.h"
#include "planner/frmPersonal.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

using Controls::lineBox;
using planner::multiLineBox;

frmRecordInput::frmRecordInput() {
    setObjectName("frmRecordInput");
    setWindowTitle("Flight Plan Record Input");

    fraType = Controls::named<QGroupBox>(this, "fraType", "Type of Flight");
    optVFR = Controls::named<QRadioButton>(fraType, "optVFR", "VFR");
    optIFR = Controls::named<QRadioButton>(fraType, "optIFR", "IFR");
    optDVFR = Controls::named<QRadioButton>(fraType, "optDVFR", "DVFR");
    typeGroup = new QButtonGroup(this);
    typeGroup->setObjectName("typeGroup");
    typeGroup->addButton(optVFR);
    typeGroup->addButton(optIFR);
    typeGroup->addButton(optDVFR);
    auto* typeLayout = new QHBoxLayout(fraType);
    typeLayout->addWidget(optVFR);
    typeLayout->addWidget(optIFR);
    typeLayout->addWidget(optDVFR);

    txtIdent = lineBox(this, "txtIdent", 10);
    txtType = lineBox(this, "txtType", 10);
    txtSpecial = lineBox(this, "txtSpecial", 10);
    txtSpeed = lineBox(this, "txtSpeed", 10);
    txtDepart = lineBox(this, "txtDepart", 10);
    txtProp = lineBox(this, "txtProp", 5);
    txtAct = lineBox(this, "txtAct", 5);
    txtCruise = lineBox(this, "txtCruise", 10);
    txtRoute = multiLineBox(this, "txtRoute", 100, true);
    txtDest = lineBox(this, "txtDest", 10);
    txtHours = lineBox(this, "txtHours", 5);
    txtMinutes = lineBox(this, "txtMinutes", 5);
    txtRemarks = multiLineBox(this, "txtRemarks", 100, true);
    txtFHours = lineBox(this, "txtFHours", 5);
    txtFMinutes = lineBox(this, "txtFMinutes", 5);
    txtAltPorts = lineBox(this, "txtAltPorts", 15);
    txtAboard = lineBox(this, "txtAboard", 10);
    txtColor = lineBox(this, "txtColor", 20);
    txtClose = lineBox(this, "txtClose", 8);
    txtRoute->setFixedHeight(70);
    txtRemarks->setFixedHeight(70);

    const auto entry = planner::entryButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = entry.ok;
    cmdCancel = entry.cancel;
    cmdPersonal = Controls::named<QPushButton>(this, "cmdPersonal", "Personal Info");
    planner::noDefaultButton(this);

    auto label = [this](const char* name, const QString& text, QWidget* buddy) {
        auto* l = planner::captionLabel(this, name, text);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(fraType, row++, 0, 1, 4);
    auto pair = [&](const char* name, const QString& text, QWidget* box, int col) {
        Controls::labelledRow(grid, row, planner::captionLabel(this, name, text), box, col);
    };
    pair("lblIdent", "Aircraft Ident: ", txtIdent, 0);
    pair("lblType", "Aircraft Type: ", txtType, 2);
    ++row;
    pair("lblSpecial", "Special Equipment: ", txtSpecial, 0);
    pair("lblSpeed", "True Airspeed (KTS): ", txtSpeed, 2);
    ++row;
    pair("lblDepart", "Departure Point: ", txtDepart, 0);
    pair("lblCruise", "Cruising Altitude: ", txtCruise, 2);
    ++row;
    pair("lblProp", "Deparure Time: Proposed ", txtProp, 0);
    pair("lblAct", "Actual: ", txtAct, 2);
    ++row;
    grid->addWidget(label("lblRoute", "Route of Flight: ", txtRoute), row, 0, Qt::AlignTop);
    grid->addWidget(txtRoute, row++, 1, 1, 3);
    pair("lblDest", "Destination: ", txtDest, 0);
    ++row;
    pair("lblHours", "Est. Time en Rt:    Hours: ", txtHours, 0);
    pair("lblMinutes", "Minutes:", txtMinutes, 2);
    ++row;
    grid->addWidget(label("lblRemarks", "Remarks: ", txtRemarks), row, 0, Qt::AlignTop);
    grid->addWidget(txtRemarks, row++, 1, 1, 3);
    pair("lblFHours", "Fuel on Board: Hours: ", txtFHours, 0);
    pair("lblFMinutes", "Minutes: ", txtFMinutes, 2);
    ++row;
    pair("lblAltPorts", "Alternate Airport(s): ", txtAltPorts, 0);
    pair("lblAboard", "Number Aboard: ", txtAboard, 2);
    ++row;
    pair("lblColor", "Color of Aircraft: ", txtColor, 0);
    pair("lblClose", "Close Plan With: ", txtClose, 2);
    ++row;

    QHBoxLayout* buttons = entry.row;
    buttons->addWidget(cmdPersonal);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);

    QWidget* order[] = {optVFR,     optIFR,    optDVFR,     txtIdent,    txtType,
                        txtSpecial, txtSpeed,  txtDepart,   txtProp,     txtAct,
                        txtCruise,  txtRoute,  txtDest,     txtHours,    txtMinutes,
                        txtRemarks, txtFHours, txtFMinutes, txtAltPorts, txtAboard,
                        txtColor,   txtClose,  cmdOK,       cmdCancel,   cmdPersonal};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdPersonal, &QPushButton::clicked, this, &frmRecordInput::cmdPersonal_Click);
}

void frmRecordInput::Form_Load() {
    const auto plan = planner::readRecord(WindowText::toPath(modLog::PlanPath), 1);
    const planner::PlanRecord r = plan ? *plan : planner::PlanRecord{};
    // The six fields the log header shares with the form.
    txtIdent->setText(WindowText::fromField(r.AircraftIdent));
    txtDepart->setText(WindowText::fromField(r.Departure));
    txtDest->setText(WindowText::fromField(r.Destination));
    txtAltPorts->setText(WindowText::fromField(r.Alternates));
    txtSpeed->setText(WindowText::fromField(r.TrueAirspeed));
    txtCruise->setText(WindowText::fromField(r.CruiseAltitude));
}

planner::PlanRecord frmRecordInput::typedRecord() const {
    planner::PlanRecord r;
    r.IsVFR = optVFR->isChecked() ? records::kTrue : records::kFalse;
    r.IsIFR = optIFR->isChecked() ? records::kTrue : records::kFalse;
    r.IsDVFR = optDVFR->isChecked() ? records::kTrue : records::kFalse;
    r.AircraftIdent = WindowText::toField<10>(txtIdent->text());
    r.AircraftType = WindowText::toField<10>(txtType->text());
    r.Special = WindowText::toField<10>(txtSpecial->text());
    r.TrueAirspeed = WindowText::toField<10>(txtSpeed->text());
    r.Departure = WindowText::toField<10>(txtDepart->text());
    r.ProposedTime = WindowText::toField<10>(txtProp->text());
    r.ActualTime = WindowText::toField<10>(txtAct->text());
    r.CruiseAltitude = WindowText::toField<10>(txtCruise->text());
    r.Route = WindowText::toField<100>(WindowText::toStored(txtRoute->toPlainText()));
    r.Destination = WindowText::toField<10>(txtDest->text());
    r.EnRouteHours = WindowText::toField<5>(txtHours->text());
    r.EnRouteMinutes = WindowText::toField<5>(txtMinutes->text());
    r.Remarks = WindowText::toField<100>(WindowText::toStored(txtRemarks->toPlainText()));
    r.FuelHours = WindowText::toField<5>(txtFHours->text());
    r.FuelMinutes = WindowText::toField<5>(txtFMinutes->text());
    r.Alternates = WindowText::toField<15>(txtAltPorts->text());
    r.Aboard = WindowText::toField<10>(txtAboard->text());
    r.Color = WindowText::toField<20>(txtColor->text());
    r.CloseWith = WindowText::toField<8>(txtClose->text());
    return r;
}

void frmRecordInput::cmdOK_Click() {
    modLog::PlanRecLen = static_cast<std::int16_t>(planner::PlanRecord::Size);
    const auto written = planner::savePlanForm(WindowText::toPath(modLog::PlanPath), typedRecord());
    if (!written) {
        // Nothing is shown as saved; the window keeps what was typed.
        MessageBox::show(
            MessageBox::failureText(records::Action::SavePlan, modLog::PlanPath, written.failure()),
            "Flight Plan Not Saved", MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
        return;
    }
    if (Forms::isLoaded<frmFlightPlanRecord>())
        Forms::get<frmFlightPlanRecord>()->showPlanFields(*written);
    Forms::hide<frmRecordInput>();
}

void frmRecordInput::cmdCancel_Click() {
    Forms::hide<frmRecordInput>();
    Forms::unload<frmRecordInput>();
}

void frmRecordInput::cmdPersonal_Click() { Forms::showModal<frmPersonal>(); }
