#include "planner/frmFlightPlanRecord.h"

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlanPages.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPLog.h"
#include "planner/frmPersonal.h"
#include "planner/frmRecordInput.h"
#include "shell/Forms.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

using planner::captionLabel;
using planner::valueLabel;

namespace {

// One numbered box of the form: a framed cell holding its widgets.
QFrame* box(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    f->setLineWidth(1);
    return f;
}

QVBoxLayout* column(QFrame* f, std::initializer_list<QWidget*> widgets) {
    auto* l = new QVBoxLayout(f);
    l->setContentsMargins(4, 2, 4, 2);
    l->setSpacing(2);
    for (QWidget* w : widgets) {
        w->setParent(f);
        l->addWidget(w);
    }
    l->addStretch(1);
    return l;
}

// A box with a caption over two captioned halves (departure time, time en
// route, fuel): caption, the halves' captions, then their values.
QFrame* halves(QWidget* parent, std::array<QLabel*, 5> labels) {
    QFrame* f = box(parent);
    auto* l = new QGridLayout(f);
    l->setContentsMargins(4, 2, 4, 2);
    for (QLabel* w : labels) w->setParent(f);
    l->addWidget(labels[0], 0, 0, 1, 2);
    for (int i = 0; i < 4; ++i)
        l->addWidget(labels[static_cast<std::size_t>(1 + i)], 1 + i / 2, i % 2);
    return f;
}

// A box of a caption over its value.
QFrame* boxOf(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    QFrame* f = box(parent);
    column(f, widgets);
    return f;
}

QFont smallFont(QFont f) {
    f.setPointSizeF(f.pointSizeF() * 0.85);
    return f;
}

}  // namespace

frmFlightPlanRecord::frmFlightPlanRecord() {
    setObjectName("frmFlightPlanRecord");
    setWindowTitle("Aerokit: Flight Plan Record");

    auto* central = new QWidget;
    central->setObjectName("picForm");

    using namespace planner::form;
    lblAerokit = captionLabel(central, "lblAerokit", kAerokit);
    lblRecord = captionLabel(central, "lblRecord", kRecord);
    QFont heading = lblAerokit->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    lblAerokit->setFont(heading);
    lblRecord->setFont(heading);

    // Box captions.
    lblType1 = captionLabel(central, "lblType1", kType);
    lblVFR1 = captionLabel(central, "lblVFR1", kVFR);
    lblIFR1 = captionLabel(central, "lblIFR1", kIFR);
    lblDVFR1 = captionLabel(central, "lblDVFR1", kDVFR);
    lblIdent1 = captionLabel(central, "lblIdent1", kIdent);
    lblSpecial1 = captionLabel(central, "lblSpecial1", kSpecial);
    lblTrueSpeed1 = captionLabel(central, "lblTrueSpeed1", kTrueSpeed);
    lblKTS = captionLabel(central, "lblKTS", kKTS);
    lblDepart1 = captionLabel(central, "lblDepart1", kDepart);
    lblDepartTime = captionLabel(central, "lblDepartTime", kDepartTime);
    lblproposed1 = captionLabel(central, "lblproposed1", kProposed);
    lblActual1 = captionLabel(central, "lblActual1", kActual);
    lblCurise1 = captionLabel(central, "lblCurise1", kCruise);
    lblRoute1 = captionLabel(central, "lblRoute1", kRoute);
    lblDestination1 = captionLabel(central, "lblDestination1", kDestination);
    lblEnRoute = captionLabel(central, "lblEnRoute", kEnRoute);
    lblHours1 = captionLabel(central, "lblHours1", kHours);
    lblMinutes1 = captionLabel(central, "lblMinutes1", kMinutes);
    lblSpeciallblSpecial = captionLabel(central, "lblSpeciallblSpecial", kRemarks);
    lblFuel = captionLabel(central, "lblFuel", kFuel);
    lblHours2 = captionLabel(central, "lblHours2", kHours);
    lblMinutes2 = captionLabel(central, "lblMinutes2", kMinutes);
    lblAlternates = captionLabel(central, "lblAlternates", kAlternates);
    lblPersonal = captionLabel(central, "lblPersonal", kPersonal);
    lblAboard1 = captionLabel(central, "lblAboard1", kAboard);
    lblColor1 = captionLabel(central, "lblColor1", kColor);
    lblClose2 = captionLabel(central, "lblClose2", kClose);
    for (QLabel* c : {lblType1, lblIdent1, lblSpecial1, lblTrueSpeed1, lblDepart1, lblDepartTime,
                      lblCurise1, lblRoute1, lblDestination1, lblEnRoute, lblSpeciallblSpecial,
                      lblFuel, lblAlternates, lblPersonal, lblAboard1, lblColor1}) {
        c->setFont(smallFont(c->font()));
        c->setWordWrap(true);
    }

    // Values.
    lblVFR = valueLabel(central, "lblVFR");
    lblIFR = valueLabel(central, "lblIFR");
    lblDVFR = valueLabel(central, "lblDVFR");
    lblIdent = valueLabel(central, "lblIdent");
    lblType = valueLabel(central, "lblType");
    lblTruespeed = valueLabel(central, "lblTruespeed");
    lblDepart = valueLabel(central, "lblDepart");
    lblProposed = valueLabel(central, "lblProposed");
    lblActual = valueLabel(central, "lblActual");
    lblCruise = valueLabel(central, "lblCruise");
    lblRoute = valueLabel(central, "lblRoute");
    lblDestination = valueLabel(central, "lblDestination");
    lblHours = valueLabel(central, "lblHours");
    lblMinutes = valueLabel(central, "lblMinutes");
    lblRemarks = valueLabel(central, "lblRemarks");
    lblFHours = valueLabel(central, "lblFHours");
    lblFMinutes = valueLabel(central, "lblFMinutes");
    lblAlts = valueLabel(central, "lblAlts");
    lblName = valueLabel(central, "lblName");
    lblStreet = valueLabel(central, "lblStreet");
    lblCity = valueLabel(central, "lblCity");
    lblState = valueLabel(central, "lblState");
    lblZip = valueLabel(central, "lblZip");
    lblPhone = valueLabel(central, "lblPhone");
    lblHomeBase = valueLabel(central, "lblHomeBase");
    lblAboard = valueLabel(central, "lblAboard");
    lblColor = valueLabel(central, "lblColor");
    lblClose = valueLabel(central, "lblClose");
    // Each value label is laid out for its whole field from the start.
    for (auto [label, chars] :
         {std::pair{lblIdent, 10}, {lblType, 20},     {lblTruespeed, 10}, {lblDepart, 10},
          {lblProposed, 10},       {lblActual, 10},   {lblCruise, 10},    {lblRoute, 100},
          {lblDestination, 10},    {lblHours, 5},     {lblMinutes, 5},    {lblRemarks, 100},
          {lblFHours, 5},          {lblFMinutes, 5},  {lblAlts, 15},      {lblName, 20},
          {lblStreet, 30},         {lblCity, 20},     {lblState, 2},      {lblZip, 11},
          {lblPhone, 12},          {lblHomeBase, 15}, {lblAboard, 10},    {lblColor, 20}})
        planner::reserveChars(label, chars);
    lblRoute->setMinimumHeight(QFontMetrics(lblRoute->font()).lineSpacing() * 3);
    lblRemarks->setMinimumHeight(QFontMetrics(lblRemarks->font()).lineSpacing() * 3);
    lblRoute->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblRemarks->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The suffix legend.
    picSuffixes = new QFrame(central);
    picSuffixes->setObjectName("picSuffixes");
    picSuffixes->setFrameShape(QFrame::Box);
    auto* legend = new QGridLayout(picSuffixes);
    legend->setContentsMargins(6, 4, 6, 4);
    legend->setVerticalSpacing(0);
    lblSuffixes = captionLabel(picSuffixes, "lblSuffixes", kSuffixes);
    QFont bold = lblSuffixes->font();
    bold.setBold(true);
    lblSuffixes->setFont(bold);
    legend->addWidget(lblSuffixes, 0, 0, 1, 2);
    for (int i = 0; i < static_cast<int>(kSuffixLines.size()); ++i) {
        const QByteArray name = "lblSuffix" + QByteArray::number(i + 1);
        auto* l =
            captionLabel(picSuffixes, name.constData(), kSuffixLines[static_cast<std::size_t>(i)]);
        l->setFont(smallFont(l->font()));
        // Six down the left column, the rest down the right from its second line.
        if (i < kLeftSuffixes)
            legend->addWidget(l, 1 + i, 0);
        else
            legend->addWidget(l, 2 + i - kLeftSuffixes, 1);
    }

    // The boxes, in the order of the paper form.
    auto* grid = new QGridLayout(central);
    grid->setSpacing(0);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lblAerokit);
    titles->addWidget(lblRecord);
    titles->addStretch(1);
    grid->addLayout(titles, 0, 0, 1, 3);
    grid->addWidget(picSuffixes, 0, 3, 1, 4);

    QFrame* b1 = box(central);
    {
        auto* l = new QGridLayout(b1);
        l->setContentsMargins(4, 2, 4, 2);
        l->addWidget(lblType1, 0, 0, 1, 2);
        int row = 1;
        for (auto [mark, cap] : {std::pair{lblVFR, lblVFR1}, std::pair{lblIFR, lblIFR1},
                                 std::pair{lblDVFR, lblDVFR1}}) {
            mark->setParent(b1);
            cap->setParent(b1);
            mark->setFrameShape(QFrame::Box);
            mark->setFixedWidth(QFontMetrics(mark->font()).horizontalAdvance("XX") + 4);
            mark->setAlignment(Qt::AlignCenter);
            l->addWidget(mark, row, 0);
            l->addWidget(cap, row, 1);
            ++row;
        }
    }
    grid->addWidget(b1, 1, 0);
    grid->addWidget(boxOf(central, {lblIdent1, lblIdent}), 1, 1);
    grid->addWidget(boxOf(central, {lblSpecial1, lblType}), 1, 2);
    QFrame* b4 = box(central);
    {
        auto* l = column(b4, {lblTrueSpeed1, lblTruespeed});
        lblKTS->setParent(b4);
        l->insertWidget(2, lblKTS, 0, Qt::AlignRight);
    }
    grid->addWidget(b4, 1, 3);
    grid->addWidget(boxOf(central, {lblDepart1, lblDepart}), 1, 4);
    grid->addWidget(
        halves(central, {lblDepartTime, lblproposed1, lblActual1, lblProposed, lblActual}), 1, 5);
    grid->addWidget(boxOf(central, {lblCurise1, lblCruise}), 1, 6);

    grid->addWidget(boxOf(central, {lblRoute1, lblRoute}), 2, 0, 1, 7);

    grid->addWidget(boxOf(central, {lblDestination1, lblDestination}), 3, 0, 1, 2);
    grid->addWidget(halves(central, {lblEnRoute, lblHours1, lblMinutes1, lblHours, lblMinutes}), 3,
                    2);
    grid->addWidget(boxOf(central, {lblSpeciallblSpecial, lblRemarks}), 3, 3, 1, 4);

    grid->addWidget(halves(central, {lblFuel, lblHours2, lblMinutes2, lblFHours, lblFMinutes}), 4,
                    0);
    grid->addWidget(boxOf(central, {lblAlternates, lblAlts}), 4, 1);
    QFrame* b14 = box(central);
    {
        auto* l = new QGridLayout(b14);
        l->setContentsMargins(4, 2, 4, 2);
        l->setVerticalSpacing(0);
        for (QWidget* w : {static_cast<QWidget*>(lblPersonal), static_cast<QWidget*>(lblName),
                           static_cast<QWidget*>(lblStreet), static_cast<QWidget*>(lblCity),
                           static_cast<QWidget*>(lblState), static_cast<QWidget*>(lblZip),
                           static_cast<QWidget*>(lblPhone), static_cast<QWidget*>(lblHomeBase)})
            w->setParent(b14);
        l->addWidget(lblPersonal, 0, 0, 1, 3);
        l->addWidget(lblName, 1, 0, 1, 3);
        l->addWidget(lblStreet, 2, 0, 1, 3);
        l->addWidget(lblCity, 3, 0);
        l->addWidget(lblState, 3, 1);
        l->addWidget(lblZip, 3, 2);
        l->addWidget(lblPhone, 4, 0, 1, 3);
        l->addWidget(lblHomeBase, 5, 0, 1, 3);
    }
    grid->addWidget(b14, 4, 2, 1, 3);
    grid->addWidget(boxOf(central, {lblAboard1, lblAboard}), 4, 5);
    grid->addWidget(boxOf(central, {lblColor1, lblColor}), 4, 6);

    // The station's name is written over the blank of the closing line.
    QFrame* closing = box(central);
    {
        auto* l = new QVBoxLayout(closing);
        l->setContentsMargins(4, 4, 4, 4);
        lblClose2->setParent(closing);
        l->addWidget(lblClose2);
        lblClose->setParent(lblClose2);
        lblClose->move(
            QFontMetrics(lblClose2->font()).horizontalAdvance("CLOSE VFR FLIGHT PLAN WITH "), 0);
        lblClose->resize(QFontMetrics(lblClose->font()).horizontalAdvance("WWWWWWWWW"),
                         QFontMetrics(lblClose2->font()).height());
    }
    grid->addWidget(closing, 5, 0, 1, 7);
    grid->setRowStretch(6, 1);
    for (int c = 0; c < 7; ++c) grid->setColumnStretch(c, 1);

    planner::setScrolledForm(this, central);

    // Menus.
    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuMain = SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { mnuMain_Click(); });
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* print = SharedCommands::menu(this, "&Print", "mnuPrint");
    mnuPrintRec = SharedCommands::action(this, "mnuPrintRec", "&Print Flight Plan Record",
                                         [this] { mnuPrintRec_Click(); });
    print->addAction(mnuPrintRec);
    QMenu* plan = SharedCommands::menu(this, "&Flight Plan", "mnuFlightPlan");
    mnuEditPlan = SharedCommands::action(this, "mnuEditPlan", "Edit &Flight Plan Record",
                                         [this] { mnuEditPlan_Click(); });
    mnuEditPersonal = SharedCommands::action(this, "mnuEditPersonal", "Edit &Personal Info",
                                             [this] { mnuEditPersonal_Click(); });
    mnuLog = SharedCommands::action(this, "mnuLog", "Show Flight &Log", [this] { mnuLog_Click(); });
    plan->addAction(mnuEditPlan);
    plan->addAction(mnuEditPersonal);
    plan->addAction(mnuLog);
    SharedCommands::addHelpMenu(this);

    resize(planner::formSize(this));
}

void frmFlightPlanRecord::Form_Load() {
    modLog::PlanRecLen = static_cast<std::int16_t>(planner::PlanRecord::Size);
    const auto plan = planner::readRecord(WindowText::toPath(modLog::PlanPath), 1);
    if (!plan) {
        // The plan cannot be read: the window is not shown and the command
        // that asked for it ends.
        Forms::unload<frmFlightPlanRecord>();
        return;
    }
    showPlanFields(*plan);
    showPersonalFields(planner::readPersonal());
}

void frmFlightPlanRecord::showPlanFields(const planner::PlanRecord& r) {
    plan_ = r;
    const int marked = planner::flightType(r);
    for (QLabel* mark : {lblVFR, lblIFR, lblDVFR}) mark->clear();
    if (marked >= 0)
        std::array{lblVFR, lblIFR, lblDVFR}[static_cast<std::size_t>(marked)]->setText("X");
    lblIdent->setText(WindowText::fromField(r.AircraftIdent));
    lblType->setText(planner::aircraftType(r));
    lblTruespeed->setText(WindowText::fromField(r.TrueAirspeed));
    lblDepart->setText(WindowText::fromField(r.Departure));
    lblProposed->setText(WindowText::fromField(r.ProposedTime));
    lblActual->setText(WindowText::fromField(r.ActualTime));
    lblCruise->setText(WindowText::fromField(r.CruiseAltitude));
    lblRoute->setText(WindowText::fromField(r.Route));
    lblDestination->setText(WindowText::fromField(r.Destination));
    lblHours->setText(WindowText::fromField(r.EnRouteHours));
    lblMinutes->setText(WindowText::fromField(r.EnRouteMinutes));
    lblRemarks->setText(WindowText::fromField(r.Remarks));
    lblFHours->setText(WindowText::fromField(r.FuelHours));
    lblFMinutes->setText(WindowText::fromField(r.FuelMinutes));
    lblAlts->setText(WindowText::fromField(r.Alternates));
    lblAboard->setText(WindowText::fromField(r.Aboard));
    lblColor->setText(WindowText::fromField(r.Color));
    lblClose->setText(WindowText::fromField(r.CloseWith));
}

void frmFlightPlanRecord::showPersonalFields(const planner::PlanRecord& r) {
    personal_ = r;
    lblName->setText(WindowText::fromField(r.PilotName));
    lblStreet->setText(WindowText::fromField(r.Street));
    lblCity->setText(WindowText::fromField(r.City));
    lblState->setText(WindowText::fromField(r.State));
    lblZip->setText(WindowText::fromField(r.Zip));
    lblPhone->setText(WindowText::fromField(r.Phone));
    lblHomeBase->setText(WindowText::fromField(r.HomeBase));
}

PrintPage::Page frmFlightPlanRecord::printPage() const {
    return planner::formPage(plan_, personal_, modLog::PlanPath);
}

void frmFlightPlanRecord::mnuMain_Click() {
    Forms::unload<frmFlightPlanRecord>();
    Forms::show<frmMenu>();
}

void frmFlightPlanRecord::mnuExit_Click() { SharedCommands::exitProgram(); }

void frmFlightPlanRecord::mnuPrintRec_Click() { PrintPage::print(this, printPage()); }

void frmFlightPlanRecord::mnuEditPlan_Click() { Forms::showModal<frmRecordInput>(); }

void frmFlightPlanRecord::mnuEditPersonal_Click() { Forms::showModal<frmPersonal>(); }

void frmFlightPlanRecord::mnuLog_Click() {
    Forms::show<frmFPLog>();
    Forms::hide<frmFlightPlanRecord>();
}

void frmFlightPlanRecord::mnuHelp_Click() { SharedCommands::help(); }

void frmFlightPlanRecord::mnuAbout_Click() { SharedCommands::about(); }
