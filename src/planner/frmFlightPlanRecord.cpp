#include "planner/frmFlightPlanRecord.h"

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

#include "planner/PlanFile.h"
#include "planner/PlannerControls.h"
#include "planner/frmFPLog.h"
#include "planner/frmPersonal.h"
#include "planner/frmRecordInput.h"
#include "shell/CommonCommands.h"
#include "shell/Convert.h"
#include "shell/Forms.h"
#include "shell/PrintPage.h"
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

QFont smallFont(QFont f) {
    f.setPointSizeF(f.pointSizeF() * 0.85);
    return f;
}

// Page text: escaped, inner spaces kept, stored line breaks as breaks.
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

frmFlightPlanRecord::frmFlightPlanRecord() {
    setObjectName("frmFlightPlanRecord");
    setWindowTitle("Aerokit: Flight Plan Record");

    auto* central = new QWidget;
    central->setObjectName("picForm");

    lblAerokit = captionLabel(central, "lblAerokit", "Aerokit");
    lblRecord = captionLabel(central, "lblRecord", "FLIGHT PLAN RECORD");
    QFont heading = lblAerokit->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    lblAerokit->setFont(heading);
    lblRecord->setFont(heading);

    // Box captions.
    lblType1 = captionLabel(central, "lblType1", "1.Type");
    lblVFR1 = captionLabel(central, "lblVFR1", "VFR");
    lblIFR1 = captionLabel(central, "lblIFR1", "IFR");
    lblDVFR1 = captionLabel(central, "lblDVFR1", "DVFR");
    lblIdent1 = captionLabel(central, "lblIdent1", "2. Aircraft Identification");
    lblSpecial1 = captionLabel(central, "lblSpecial1", "3.  Aircraft Type  Special Equipment");
    lblTrueSpeed1 = captionLabel(central, "lblTrueSpeed1", " 4.   True              Airspeed");
    lblKTS = captionLabel(central, "lblKTS", "KTS");
    lblDepart1 = captionLabel(central, "lblDepart1", "5. Departure Point");
    lblDepartTime = captionLabel(central, "lblDepartTime", "6. Departure Time (z)");
    lblproposed1 = captionLabel(central, "lblproposed1", "Proposed");
    lblActual1 = captionLabel(central, "lblActual1", "Actual");
    lblCurise1 = captionLabel(central, "lblCurise1", "7. Cruising              Altitude");
    lblRoute1 = captionLabel(central, "lblRoute1", "8. Route of Flight");
    lblDestination1 =
        captionLabel(central, "lblDestination1", "9. Destination (Name of airport and city)");
    lblEnRoute = captionLabel(central, "lblEnRoute", "10. Est. Time En Route");
    lblHours1 = captionLabel(central, "lblHours1", "Hours");
    lblMinutes1 = captionLabel(central, "lblMinutes1", "Minutes");
    lblSpeciallblSpecial = captionLabel(central, "lblSpeciallblSpecial", "11. Remarks");
    lblFuel = captionLabel(central, "lblFuel", "12. Fuel On Board");
    lblHours2 = captionLabel(central, "lblHours2", "Hours");
    lblMinutes2 = captionLabel(central, "lblMinutes2", "Minutes");
    lblAlternates = captionLabel(central, "lblAlternates", "13. Alternate Airport(s)");
    lblPersonal =
        captionLabel(central, "lblPersonal",
                     "14. Pilot's Name, Address, Telephone Number, and Aircraft Home Base");
    lblAboard1 = captionLabel(central, "lblAboard1", "15. Number    Aboard");
    lblColor1 = captionLabel(central, "lblColor1", "16. Color of Aircraft");
    lblClose2 = captionLabel(central, "lblClose2",
                             "CLOSE VFR FLIGHT PLAN WITH _____________ FSS ON ARRIVAL");
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
    lblSuffixes = captionLabel(picSuffixes, "lblSuffixes", "Special Equipment Suffix:");
    QFont bold = lblSuffixes->font();
    bold.setBold(true);
    lblSuffixes->setFont(bold);
    legend->addWidget(lblSuffixes, 0, 0, 1, 2);
    const char* left[] = {"X-No Transponder",
                          "T-Transponder w/o Altitude Encoding ",
                          "U-Transponder w/ Altitude Encoding",
                          "D-DME, No Transponder",
                          "B-DME, Transponder w/o Altitude Encoding",
                          "A-DME, Transponder w/ Altitude Encoding"};
    const char* right[] = {"C-RNAV, Transponder w/o Altitude Encoding",
                           "R-RNAV, Transponder W/ Altitude Encoding", "W-RNAV, No Transponder"};
    int n = 1;
    for (int i = 0; i < 6; ++i, ++n) {
        const QByteArray name = "lblSuffix" + QByteArray::number(n);
        auto* l = captionLabel(picSuffixes, name.constData(), left[i]);
        l->setFont(smallFont(l->font()));
        legend->addWidget(l, 1 + i, 0);
    }
    for (int i = 0; i < 3; ++i, ++n) {
        const QByteArray name = "lblSuffix" + QByteArray::number(n);
        auto* l = captionLabel(picSuffixes, name.constData(), right[i]);
        l->setFont(smallFont(l->font()));
        legend->addWidget(l, 2 + i, 1);
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
    QFrame* b2 = box(central);
    column(b2, {lblIdent1, lblIdent});
    grid->addWidget(b2, 1, 1);
    QFrame* b3 = box(central);
    column(b3, {lblSpecial1, lblType});
    grid->addWidget(b3, 1, 2);
    QFrame* b4 = box(central);
    {
        auto* l = column(b4, {lblTrueSpeed1, lblTruespeed});
        lblKTS->setParent(b4);
        l->insertWidget(2, lblKTS, 0, Qt::AlignRight);
    }
    grid->addWidget(b4, 1, 3);
    QFrame* b5 = box(central);
    column(b5, {lblDepart1, lblDepart});
    grid->addWidget(b5, 1, 4);
    QFrame* b6 = box(central);
    {
        auto* l = new QGridLayout(b6);
        l->setContentsMargins(4, 2, 4, 2);
        for (QWidget* w : {static_cast<QWidget*>(lblDepartTime),
                           static_cast<QWidget*>(lblproposed1), static_cast<QWidget*>(lblActual1),
                           static_cast<QWidget*>(lblProposed), static_cast<QWidget*>(lblActual)})
            w->setParent(b6);
        l->addWidget(lblDepartTime, 0, 0, 1, 2);
        l->addWidget(lblproposed1, 1, 0);
        l->addWidget(lblActual1, 1, 1);
        l->addWidget(lblProposed, 2, 0);
        l->addWidget(lblActual, 2, 1);
    }
    grid->addWidget(b6, 1, 5);
    QFrame* b7 = box(central);
    column(b7, {lblCurise1, lblCruise});
    grid->addWidget(b7, 1, 6);

    QFrame* b8 = box(central);
    column(b8, {lblRoute1, lblRoute});
    grid->addWidget(b8, 2, 0, 1, 7);

    QFrame* b9 = box(central);
    column(b9, {lblDestination1, lblDestination});
    grid->addWidget(b9, 3, 0, 1, 2);
    QFrame* b10 = box(central);
    {
        auto* l = new QGridLayout(b10);
        l->setContentsMargins(4, 2, 4, 2);
        for (QWidget* w : {static_cast<QWidget*>(lblEnRoute), static_cast<QWidget*>(lblHours1),
                           static_cast<QWidget*>(lblMinutes1), static_cast<QWidget*>(lblHours),
                           static_cast<QWidget*>(lblMinutes)})
            w->setParent(b10);
        l->addWidget(lblEnRoute, 0, 0, 1, 2);
        l->addWidget(lblHours1, 1, 0);
        l->addWidget(lblMinutes1, 1, 1);
        l->addWidget(lblHours, 2, 0);
        l->addWidget(lblMinutes, 2, 1);
    }
    grid->addWidget(b10, 3, 2);
    QFrame* b11 = box(central);
    column(b11, {lblSpeciallblSpecial, lblRemarks});
    grid->addWidget(b11, 3, 3, 1, 4);

    QFrame* b12 = box(central);
    {
        auto* l = new QGridLayout(b12);
        l->setContentsMargins(4, 2, 4, 2);
        for (QWidget* w : {static_cast<QWidget*>(lblFuel), static_cast<QWidget*>(lblHours2),
                           static_cast<QWidget*>(lblMinutes2), static_cast<QWidget*>(lblFHours),
                           static_cast<QWidget*>(lblFMinutes)})
            w->setParent(b12);
        l->addWidget(lblFuel, 0, 0, 1, 2);
        l->addWidget(lblHours2, 1, 0);
        l->addWidget(lblMinutes2, 1, 1);
        l->addWidget(lblFHours, 2, 0);
        l->addWidget(lblFMinutes, 2, 1);
    }
    grid->addWidget(b12, 4, 0);
    QFrame* b13 = box(central);
    column(b13, {lblAlternates, lblAlts});
    grid->addWidget(b13, 4, 1);
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
    QFrame* b15 = box(central);
    column(b15, {lblAboard1, lblAboard});
    grid->addWidget(b15, 4, 5);
    QFrame* b16 = box(central);
    column(b16, {lblColor1, lblColor});
    grid->addWidget(b16, 4, 6);

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

    auto* scroll = new QScrollArea;
    scroll->setWidget(central);
    scroll->setWidgetResizable(true);
    setCentralWidget(scroll);

    // Menus.
    QMenu* file = Common::menu(this, "&File", "mnuFile");
    mnuMain = Common::action(this, "mnuMain", "&Main Menu", [this] { mnuMain_Click(); });
    mnuExit = Common::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* print = Common::menu(this, "&Print", "mnuPrint");
    mnuPrintRec = Common::action(this, "mnuPrintRec", "&Print Flight Plan Record",
                                 [this] { mnuPrintRec_Click(); });
    print->addAction(mnuPrintRec);
    QMenu* plan = Common::menu(this, "&Flight Plan", "mnuFlightPlan");
    mnuEditPlan = Common::action(this, "mnuEditPlan", "Edit &Flight Plan Record",
                                 [this] { mnuEditPlan_Click(); });
    mnuEditPersonal = Common::action(this, "mnuEditPersonal", "Edit &Personal Info",
                                     [this] { mnuEditPersonal_Click(); });
    mnuLog = Common::action(this, "mnuLog", "Show Flight &Log", [this] { mnuLog_Click(); });
    plan->addAction(mnuEditPlan);
    plan->addAction(mnuEditPersonal);
    plan->addAction(mnuLog);
    Common::addHelpMenu(this);

    resize(1000, 640);
}

void frmFlightPlanRecord::Form_Load() {
    modLog::PlanRecLen = static_cast<std::int16_t>(planner::PlanRecord::Size);
    const auto plan = planner::readRecord(modLog::PlanPath.toStdString(), 1);
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
    lblVFR->clear();
    lblIFR->clear();
    lblDVFR->clear();
    if (planner::isSet(r.IsVFR))
        lblVFR->setText("X");
    else if (planner::isSet(r.IsIFR))
        lblIFR->setText("X");
    else if (planner::isSet(r.IsDVFR))
        lblDVFR->setText("X");
    lblIdent->setText(Convert::fromField(r.AircraftIdent));
    lblType->setText(Convert::fromField(r.AircraftType) + Convert::fromField(r.Special));
    lblTruespeed->setText(Convert::fromField(r.TrueAirspeed));
    lblDepart->setText(Convert::fromField(r.Departure));
    lblProposed->setText(Convert::fromField(r.ProposedTime));
    lblActual->setText(Convert::fromField(r.ActualTime));
    lblCruise->setText(Convert::fromField(r.CruiseAltitude));
    lblRoute->setText(Convert::fromField(r.Route));
    lblDestination->setText(Convert::fromField(r.Destination));
    lblHours->setText(Convert::fromField(r.EnRouteHours));
    lblMinutes->setText(Convert::fromField(r.EnRouteMinutes));
    lblRemarks->setText(Convert::fromField(r.Remarks));
    lblFHours->setText(Convert::fromField(r.FuelHours));
    lblFMinutes->setText(Convert::fromField(r.FuelMinutes));
    lblAlts->setText(Convert::fromField(r.Alternates));
    lblAboard->setText(Convert::fromField(r.Aboard));
    lblColor->setText(Convert::fromField(r.Color));
    lblClose->setText(Convert::fromField(r.CloseWith));
}

void frmFlightPlanRecord::showPersonalFields(const planner::PlanRecord& r) {
    lblName->setText(Convert::fromField(r.PilotName));
    lblStreet->setText(Convert::fromField(r.Street));
    lblCity->setText(Convert::fromField(r.City));
    lblState->setText(Convert::fromField(r.State));
    lblZip->setText(Convert::fromField(r.Zip));
    lblPhone->setText(Convert::fromField(r.Phone));
    lblHomeBase->setText(Convert::fromField(r.HomeBase));
}

QString frmFlightPlanRecord::printPage() const {
    auto cell = [](const QString& caption, const QString& value, int span = 1) {
        return QStringLiteral(
                   "<td valign=\"top\" colspan=\"%1\"><small>%2</small><br><tt>%3</tt></td>")
            .arg(span)
            .arg(pageText(caption), pageText(value));
    };
    auto mark = [](const QLabel* l) {
        return l->text().isEmpty() ? QStringLiteral("[ ]") : QStringLiteral("[X]");
    };
    QString h;
    h += "<h2>Aerokit &mdash; FLIGHT PLAN RECORD</h2>";
    h += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">";
    h += "<tr>";
    h +=
        QStringLiteral(
            "<td valign=\"top\"><small>1.Type</small><br><tt>%1 VFR<br>%2 IFR<br>%3 DVFR</tt></td>")
            .arg(mark(lblVFR), mark(lblIFR), mark(lblDVFR));
    h += cell(lblIdent1->text(), lblIdent->text());
    h += cell(lblSpecial1->text(), lblType->text());
    h += cell(lblTrueSpeed1->text(), lblTruespeed->text() + " KTS");
    h += cell(lblDepart1->text(), lblDepart->text());
    h += QStringLiteral(
             "<td valign=\"top\"><small>6. Departure Time (z)</small><br>"
             "<small>Proposed</small> <tt>%1</tt><br><small>Actual</small> <tt>%2</tt></td>")
             .arg(pageText(lblProposed->text()), pageText(lblActual->text()));
    h += cell(lblCurise1->text(), lblCruise->text());
    h += "</tr><tr>";
    h += cell(lblRoute1->text(), lblRoute->text(), 7);
    h += "</tr><tr>";
    h += cell(lblDestination1->text(), lblDestination->text(), 2);
    h += QStringLiteral(
             "<td valign=\"top\"><small>10. Est. Time En Route</small><br>"
             "<small>Hours</small> <tt>%1</tt><br><small>Minutes</small> <tt>%2</tt></td>")
             .arg(pageText(lblHours->text()), pageText(lblMinutes->text()));
    h += cell(lblSpeciallblSpecial->text(), lblRemarks->text(), 4);
    h += "</tr><tr>";
    h += QStringLiteral(
             "<td valign=\"top\"><small>12. Fuel On Board</small><br>"
             "<small>Hours</small> <tt>%1</tt><br><small>Minutes</small> <tt>%2</tt></td>")
             .arg(pageText(lblFHours->text()), pageText(lblFMinutes->text()));
    h += cell(lblAlternates->text(), lblAlts->text());
    h += QStringLiteral(
             "<td valign=\"top\" colspan=\"3\"><small>%1</small><br><tt>%2<br>%3<br>%4 %5 "
             "%6<br>%7<br>%8</tt></td>")
             .arg(pageText(lblPersonal->text()), pageText(lblName->text()),
                  pageText(lblStreet->text()), pageText(lblCity->text()),
                  pageText(lblState->text()), pageText(lblZip->text()), pageText(lblPhone->text()),
                  pageText(lblHomeBase->text()));
    h += cell(lblAboard1->text(), lblAboard->text());
    h += cell(lblColor1->text(), lblColor->text());
    h += "</tr><tr>";
    h += QStringLiteral(
             "<td colspan=\"7\">CLOSE VFR FLIGHT PLAN WITH <u><tt>%1</tt></u> FSS ON ARRIVAL</td>")
             .arg(pageText(lblClose->text()));
    h += "</tr></table>";
    h += "<p><small><b>Special Equipment Suffix:</b> X-No Transponder; T-Transponder w/o Altitude "
         "Encoding; U-Transponder w/ Altitude Encoding; D-DME, No Transponder; B-DME, Transponder "
         "w/o Altitude Encoding; A-DME, Transponder w/ Altitude Encoding; C-RNAV, Transponder w/o "
         "Altitude Encoding; R-RNAV, Transponder W/ Altitude Encoding; W-RNAV, No "
         "Transponder</small></p>";
    return h;
}

void frmFlightPlanRecord::mnuMain_Click() {
    Forms::unload<frmFlightPlanRecord>();
    Forms::show<frmMenu>();
}

void frmFlightPlanRecord::mnuExit_Click() { Common::exitProgram(); }

void frmFlightPlanRecord::mnuPrintRec_Click() {
    PrintPage::print(this, "Flight Plan Record", printPage());
}

void frmFlightPlanRecord::mnuEditPlan_Click() { Forms::showModal<frmRecordInput>(); }

void frmFlightPlanRecord::mnuEditPersonal_Click() { Forms::showModal<frmPersonal>(); }

void frmFlightPlanRecord::mnuLog_Click() {
    Forms::show<frmFPLog>();
    Forms::hide<frmFlightPlanRecord>();
}

void frmFlightPlanRecord::mnuHelp_Click() { Common::help(); }

void frmFlightPlanRecord::mnuAbout_Click() { Common::about(); }
