#include "planner/frmFlightPlanRecord.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QMenuBar>
#include <QPainter>
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

// Page text: inner spaces kept, stored line breaks as breaks.
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

PrintPage::Page frmFlightPlanRecord::printPage() const {
    // Everything the sheet shows, copied from the window's labels.
    struct Box {
        QString caption;
        QString value;
    };
    auto b = [](const QLabel* caption, const QLabel* value) {
        return Box{caption->text(), pageText(value->text())};
    };
    const Box ident = b(lblIdent1, lblIdent), type = b(lblSpecial1, lblType),
              tas = b(lblTrueSpeed1, lblTruespeed), depart = b(lblDepart1, lblDepart),
              cruise = b(lblCurise1, lblCruise), route = b(lblRoute1, lblRoute),
              dest = b(lblDestination1, lblDestination),
              remarks = b(lblSpeciallblSpecial, lblRemarks), alts = b(lblAlternates, lblAlts),
              aboard = b(lblAboard1, lblAboard), color = b(lblColor1, lblColor);
    const QStringList types = {lblType1->text(), lblVFR1->text(), lblIFR1->text(),
                               lblDVFR1->text()};
    const std::array<bool, 3> marked = {!lblVFR->text().isEmpty(), !lblIFR->text().isEmpty(),
                                        !lblDVFR->text().isEmpty()};
    const QStringList time = {lblDepartTime->text(), lblproposed1->text(), lblActual1->text(),
                              pageText(lblProposed->text()), pageText(lblActual->text())};
    const QStringList enroute = {lblEnRoute->text(), lblHours1->text(), lblMinutes1->text(),
                                 pageText(lblHours->text()), pageText(lblMinutes->text())};
    const QStringList fuel = {lblFuel->text(), lblHours2->text(), lblMinutes2->text(),
                              pageText(lblFHours->text()), pageText(lblFMinutes->text())};
    QString cityLine = pageText(lblCity->text());
    for (const QLabel* l : {lblState, lblZip}) {
        const QString v = pageText(l->text()).trimmed();
        if (!v.isEmpty()) cityLine += (cityLine.trimmed().isEmpty() ? "" : " ") + v;
    }
    const QStringList pilot = {lblPersonal->text(),         pageText(lblName->text()),
                               pageText(lblStreet->text()), cityLine,
                               pageText(lblPhone->text()),  pageText(lblHomeBase->text())};
    const QString title1 = lblAerokit->text(), title2 = lblRecord->text();
    const QString kts = lblKTS->text();
    const QString closeWith = pageText(lblClose->text()).trimmed();
    const QString closeLine = lblClose2->text();
    QStringList legend = {lblSuffixes->text()};
    for (int n = 1; n <= 9; ++n)
        if (auto* l = picSuffixes->findChild<QLabel*>("lblSuffix" + QString::number(n)))
            legend << l->text();

    PrintPage::Page page;
    page.title = "Flight Plan Record";
    page.sourceFile = modLog::PlanPath;
    page.landscape = true;
    page.draw = [=](QPainter& p, const QRectF& body) {
        auto font = [](double pt, bool bold = false) {
            QFont f(QStringLiteral("Sans Serif"));
            f.setPointSizeF(pt);
            f.setBold(bold);
            return f;
        };
        const QFont capFont = font(8), valFont = font(12);
        const QFontMetricsF capFm(capFont, p.device()), valFm(valFont, p.device());
        const double pad = capFm.averageCharWidth();
        p.setPen(QPen(Qt::black, 0));
        auto caption = [&](const QRectF& r, const QString& text) {
            p.setFont(capFont);
            QRectF used;
            p.drawText(r.adjusted(pad, pad / 2, -pad, 0),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
            return used.bottom();
        };
        auto value = [&](const QRectF& r, const QString& text) {
            p.setFont(valFont);
            PrintPage::fitText(p, r.adjusted(pad * 1.5, 0, -pad, 0),
                               Qt::AlignLeft | Qt::AlignVCenter, text);
        };
        // A box: its caption at the top, its one-line value under it.
        auto box = [&](const QRectF& r, const Box& bx) {
            p.drawRect(r);
            const double below = caption(r, bx.caption);
            value(QRectF(r.left(), below, r.width(), r.bottom() - below), bx.value);
        };
        // A box of several lines (route, remarks, box 14).
        auto textBox = [&](const QRectF& r, const QString& cap, const QString& text) {
            p.drawRect(r);
            const double below = caption(r, cap) + pad / 2;
            p.setFont(valFont);
            p.drawText(
                QRectF(r.left() + pad * 1.5, below, r.width() - pad * 2.5, r.bottom() - below),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        };
        // A box with two captioned halves (departure time, time en route, fuel).
        auto splitBox = [&](const QRectF& r, const QStringList& t) {
            p.drawRect(r);
            const double below = caption(r, t[0]) + pad / 2;
            const double half = r.width() / 2;
            for (int i = 0; i < 2; ++i) {
                const QRectF part(r.left() + half * i, below, half, r.bottom() - below);
                if (i == 1) p.drawLine(part.topLeft(), part.bottomLeft());
                const double vb = caption(part, t[1 + i]);
                value(QRectF(part.left(), vb, part.width(), part.bottom() - vb), t[3 + i]);
            }
        };

        // The heading and the suffix legend.
        const double x0 = body.left(), W = body.width();
        const double legendLine = capFm.height();
        const double headH = legendLine * 8.3;
        p.setFont(font(16, true));
        p.drawText(QRectF(x0, body.top(), W * 0.3, headH / 2), Qt::AlignLeft | Qt::AlignBottom,
                   title1);
        p.drawText(QRectF(x0, body.top() + headH / 2, W * 0.3, headH / 2),
                   Qt::AlignLeft | Qt::AlignTop, title2);
        const QRectF lg(x0 + W * 0.36, body.top(), W * 0.64, headH - legendLine * 0.4);
        p.drawRect(lg);
        p.setFont(font(8, true));
        p.drawText(QRectF(lg.left() + pad, lg.top() + legendLine * 0.3, lg.width(), legendLine),
                   Qt::AlignLeft | Qt::AlignVCenter, legend.value(0));
        p.setFont(capFont);
        for (int i = 1; i < legend.size(); ++i) {
            const int col = i <= 6 ? 0 : 1;
            const int row = i <= 6 ? i : i - 5;
            p.drawText(
                QRectF(lg.left() + pad + lg.width() / 2 * col, lg.top() + legendLine * (0.3 + row),
                       lg.width() / 2 - pad, legendLine),
                Qt::AlignLeft | Qt::AlignVCenter, legend[i]);
        }

        // The boxes, in the paper form's rows and proportions.
        const double closeH = valFm.height() * 2;
        const double top = body.top() + headH + legendLine * 0.5;
        const double unitH = (body.bottom() - closeH - top) / 8.5;  // rows of 2, 1.5, 2, 3
        double y = top;
        const double row1[] = {0.08, 0.14, 0.18, 0.11, 0.14, 0.20, 0.15};
        double x = x0;
        auto cell = [&](double frac, double h) {
            const QRectF r(x, y, W * frac, h);
            x += W * frac;
            return r;
        };
        {
            const QRectF r = cell(row1[0], unitH * 2);
            p.drawRect(r);
            const double below = caption(r, types[0]);
            const double lineH = (r.bottom() - below) / 3;
            for (int i = 0; i < 3; ++i) {
                const QRectF mark(r.left() + pad * 1.5,
                                  below + lineH * i + (lineH - capFm.height()) / 2, capFm.height(),
                                  capFm.height());
                p.drawRect(mark);
                if (marked[static_cast<std::size_t>(i)]) {
                    p.setFont(font(9, true));
                    p.drawText(mark, Qt::AlignCenter, QStringLiteral("X"));
                }
                p.setFont(capFont);
                p.drawText(QRectF(mark.right() + pad, below + lineH * i, r.width(), lineH),
                           Qt::AlignLeft | Qt::AlignVCenter, types[1 + i]);
            }
        }
        box(cell(row1[1], unitH * 2), ident);
        box(cell(row1[2], unitH * 2), type);
        {
            const QRectF r = cell(row1[3], unitH * 2);
            box(r, tas);
            p.setFont(capFont);
            p.drawText(r.adjusted(pad, 0, -pad, -pad / 2), Qt::AlignRight | Qt::AlignBottom, kts);
        }
        box(cell(row1[4], unitH * 2), depart);
        splitBox(cell(row1[5], unitH * 2), time);
        box(cell(row1[6], unitH * 2), cruise);
        y += unitH * 2;
        x = x0;
        textBox(cell(1.0, unitH * 1.5), route.caption, route.value);
        y += unitH * 1.5;
        x = x0;
        box(cell(0.25, unitH * 2), dest);
        splitBox(cell(0.17, unitH * 2), enroute);
        textBox(cell(0.58, unitH * 2), remarks.caption, remarks.value);
        y += unitH * 2;
        x = x0;
        splitBox(cell(0.13, unitH * 3), fuel);
        box(cell(0.14, unitH * 3), alts);
        textBox(cell(0.41, unitH * 3), pilot[0], pilot.mid(1).join(QChar('\n')));
        box(cell(0.14, unitH * 3), aboard);
        box(cell(0.18, unitH * 3), color);
        y += unitH * 3;

        // The closing line, the station written over its blank.
        const QString blank = QStringLiteral("_____________");
        const int at = closeLine.indexOf(blank);
        const QString before = at < 0 ? closeLine : closeLine.left(at);
        const QString after = at < 0 ? QString() : closeLine.mid(at + blank.size());
        p.setFont(valFont);
        const QRectF line(x0, y, W, closeH);
        p.drawRect(line);
        const double bw = valFm.horizontalAdvance(before),
                     gap = valFm.horizontalAdvance(blank) * 1.4;
        const double lx = x0 + pad * 1.5;
        p.drawText(QRectF(lx, y, bw, closeH), Qt::AlignLeft | Qt::AlignVCenter, before);
        p.drawLine(QPointF(lx + bw, y + closeH * 0.72), QPointF(lx + bw + gap, y + closeH * 0.72));
        PrintPage::fitText(p, QRectF(lx + bw, y, gap, closeH * 0.7),
                           Qt::AlignHCenter | Qt::AlignBottom, closeWith);
        p.drawText(QRectF(lx + bw + gap, y, W, closeH), Qt::AlignLeft | Qt::AlignVCenter, after);
    };
    return page;
}

void frmFlightPlanRecord::mnuMain_Click() {
    Forms::unload<frmFlightPlanRecord>();
    Forms::show<frmMenu>();
}

void frmFlightPlanRecord::mnuExit_Click() { Common::exitProgram(); }

void frmFlightPlanRecord::mnuPrintRec_Click() { PrintPage::print(this, printPage()); }

void frmFlightPlanRecord::mnuEditPlan_Click() { Forms::showModal<frmRecordInput>(); }

void frmFlightPlanRecord::mnuEditPersonal_Click() { Forms::showModal<frmPersonal>(); }

void frmFlightPlanRecord::mnuLog_Click() {
    Forms::show<frmFPLog>();
    Forms::hide<frmFlightPlanRecord>();
}

void frmFlightPlanRecord::mnuHelp_Click() { Common::help(); }

void frmFlightPlanRecord::mnuAbout_Click() { Common::about(); }
