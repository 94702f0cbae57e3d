#include "planner/frmPersonal.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFlightPlanRecord.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"

frmPersonal::frmPersonal() {
    setObjectName("frmPersonal");
    setWindowTitle("Personal Information");

    txtName = Controls::lineBox(this, "txtName", 20);
    txtAddress = Controls::lineBox(this, "txtAddress", 30);
    txtCity = Controls::lineBox(this, "txtCity", 20);
    txtState = Controls::lineBox(this, "txtState", 2);
    txtZip = Controls::lineBox(this, "txtZip", 11);
    txtPhone = Controls::lineBox(this, "txtPhone", 12);
    txtHome = Controls::lineBox(this, "txtHome", 15);
    const auto entry = planner::entryButtons(
        this, [this] { cmdOK_Click(); }, [this] { cmdCancel_Click(); });
    cmdOK = entry.ok;
    cmdCancel = entry.cancel;

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const char* name, const QString& caption, QLineEdit* box) {
        Controls::labelledRow(grid, row++, planner::captionLabel(this, name, caption), box);
    };
    add("lblName", "Full Name:", txtName);
    add("lblAddress", "Street Address:", txtAddress);
    add("lblCity", "City:", txtCity);
    add("lblState", "State:", txtState);
    add("lblZip", "Zip Code:", txtZip);
    add("lblPhone", "Telephone Number:", txtPhone);
    add("lblHome", "Aircraft Home Base:", txtHome);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(entry.row);

    QWidget* order[] = {txtName,  txtAddress, txtCity, txtState, txtZip,
                        txtPhone, txtHome,    cmdOK,   cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

planner::PlanRecord frmPersonal::typedRecord() const {
    planner::PlanRecord r;
    r.PilotName = WindowText::toField<20>(txtName->text());
    r.Street = WindowText::toField<30>(txtAddress->text());
    r.City = WindowText::toField<20>(txtCity->text());
    r.State = WindowText::toField<2>(txtState->text());
    r.Zip = WindowText::toField<11>(txtZip->text());
    r.Phone = WindowText::toField<12>(txtPhone->text());
    r.HomeBase = WindowText::toField<15>(txtHome->text());
    return r;
}

void frmPersonal::cmdOK_Click() {
    const auto written = planner::savePersonal(typedRecord());
    if (!written) {
        MessageBox::show(MessageBox::failureText(records::Action::SavePersonal,
                                                 planner::kPersonalFile, written.failure()),
                         "Personal Information Not Saved", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Stop, this);
        return;
    }
    if (Forms::isLoaded<frmFlightPlanRecord>())
        Forms::get<frmFlightPlanRecord>()->showPersonalFields(*written);
    Forms::hide<frmPersonal>();
}

void frmPersonal::cmdCancel_Click() {
    Forms::hide<frmPersonal>();
    Forms::unload<frmPersonal>();
}
