#include "planner/frmPlanner.h"

#include <QFont>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFlightPlanRecord.h"
#include "records/RecordFile.h"
#include "shell/Controls.h"
#include "shell/FileDialog.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

namespace {
const QString kTitle = QStringLiteral("Aerokit Preflight Planner");
const QString kFilter = QStringLiteral("Flight Plans (*.flt)|*.flt");
}  // namespace

frmPlanner::frmPlanner() {
    setObjectName("frmPlanner");
    setWindowTitle(kTitle);

    lblPreflight = Controls::named<QLabel>(this, "lblPreflight", kTitle);
    QFont big = lblPreflight->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblPreflight->setFont(big);
    lblPreflight->setAlignment(Qt::AlignCenter);

    cmdNewPlan = Controls::named<QPushButton>(this, "cmdNewPlan", "Create New Flight Plan");
    cmdOpenplan = Controls::named<QPushButton>(this, "cmdOpenplan", "Open Current Flight Plan");
    cmdExitPlanner = Controls::named<QPushButton>(this, "cmdExitPlanner", "Return to Main Menu");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPreflight);
    layout->addSpacing(12);
    for (QPushButton* b : {cmdNewPlan, cmdOpenplan, cmdExitPlanner}) {
        b->setMinimumHeight(36);
        layout->addWidget(b);
    }
    setTabOrder(cmdNewPlan, cmdOpenplan);
    setTabOrder(cmdOpenplan, cmdExitPlanner);
    resize(420, 240);

    connect(cmdNewPlan, &QPushButton::clicked, this, &frmPlanner::cmdNewPlan_Click);
    connect(cmdOpenplan, &QPushButton::clicked, this, &frmPlanner::cmdOpenplan_Click);
    connect(cmdExitPlanner, &QPushButton::clicked, this, &frmPlanner::cmdExitPlanner_Click);
}

void frmPlanner::cmdNewPlan_Click() {
    FileDialog::Options options;
    options.defaultSuffix = "flt";
    options.confirmOverwrite = true;
    const QString path = FileDialog::getSaveFileName(this, kFilter, options);
    if (path.isEmpty()) return;
    // A file that cannot be written ends the command quietly; the current
    // plan stays the one it was. A file another program holds is said, as
    // trying again in a moment will do.
    if (const auto made = planner::createPlan(WindowText::toPath(path)); !made) {
        if (made.reason() == records::FileError::Busy)
            MessageBox::show(
                MessageBox::failureText(records::Action::CreatePlan, path, made.failure()),
                "Flight Plan Not Created", MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
        return;
    }
    modLog::PlanPath = path;
    showPlan();
}

void frmPlanner::cmdOpenplan_Click() {
    const QString path = FileDialog::getOpenFileName(this, kFilter);
    // Only an existing file is a plan to open; anything else ends quietly.
    if (path.isEmpty() || !records::fileExists(WindowText::toPath(path))) return;
    modLog::PlanPath = path;
    showPlan();
}

void frmPlanner::showPlan() {
    // The display unloads itself when it cannot read the plan; then this
    // window stays.
    Forms::show<frmFlightPlanRecord>();
    if (!Forms::isLoaded<frmFlightPlanRecord>()) return;
    Forms::hide<frmPlanner>();
    Forms::unload<frmPlanner>();
}

void frmPlanner::cmdExitPlanner_Click() {
    Forms::show<frmMenu>();
    Forms::hide<frmPlanner>();
    Forms::unload<frmPlanner>();
}
