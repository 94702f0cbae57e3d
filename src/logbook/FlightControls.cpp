#include "logbook/FlightControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTextCursor>
#include <QVBoxLayout>

#include "shell/Controls.h"
#include "shell/WindowText.h"

namespace {

QComboBox* approachCombo(QWidget* parent, const char* name) {
    auto* c = Controls::named<QComboBox>(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(FlightControls::approachTypes());
    // Before any pick the combo shows its initial text with no entry chosen.
    c->setCurrentIndex(-1);
    c->setEditText(FlightControls::kSelectType);
    return c;
}

QString fieldText(const std::string& bytes) { return WindowText::fromBytes(bytes); }

}  // namespace

QStringList FlightControls::approachTypes() {
    return {"ILS", "SDF", "MLS", "NDB", "VOR", "VOR/DME", "LORAN", "RNAV", "GPS", "Other"};
}

QWidget* FlightControls::buildFlightControls(QWidget* host) {
    auto* page = new QWidget(host);
    page->setObjectName("flightPage");

    lblDate = Controls::named<QLabel>(page, "lblDate", "Date of Flight:");
    txtDate = Controls::lineBox(page, "txtDate", 15);
    lblMake = Controls::named<QLabel>(page, "lblMake", "Aircraft Make and Model:");
    txtMake = Controls::lineBox(page, "txtMake", 15);
    lblIdent = Controls::named<QLabel>(page, "lblIdent", "Aircraft Ident:");
    txtIdent = Controls::lineBox(page, "txtIdent", 10);

    fraArrive = Controls::named<QGroupBox>(page, "fraArrive", "Points of Arrival and Departure");
    lblFrom = Controls::named<QLabel>(fraArrive, "lblFrom", "From:");
    txtFrom = Controls::lineBox(fraArrive, "txtFrom", 3);
    lblTo = Controls::named<QLabel>(fraArrive, "lblTo", "To:");
    txtTo = Controls::lineBox(fraArrive, "txtTo", 3);
    for (QLineEdit* e : {txtFrom, txtTo}) e->setMaximumWidth(60);
    auto* arrive = new QHBoxLayout(fraArrive);
    arrive->addWidget(lblFrom);
    arrive->addWidget(txtFrom);
    arrive->addSpacing(12);
    arrive->addWidget(lblTo);
    arrive->addWidget(txtTo);
    arrive->addStretch();

    lblRemarks = Controls::named<QLabel>(page, "lblRemarks", "Remarks, Procedures, Manuvers:");
    txtRemarks = Controls::named<QPlainTextEdit>(page, "txtRemarks");
    txtRemarks->setFixedHeight(56);
    // Tab goes on to the next box, as in every other box of the form; the
    // remarks hold no tab characters.
    txtRemarks->setTabChangesFocus(true);
    QObject::connect(txtRemarks, &QPlainTextEdit::textChanged, txtRemarks, [e = txtRemarks] {
        const QString text = e->toPlainText();
        if (e->isReadOnly() || WindowText::storedLength(text) <= kRemarksLimit) return;
        QString cut;
        for (QChar ch : text) {
            if (WindowText::storedLength(cut + ch) > kRemarksLimit) break;
            cut += ch;
        }
        const QSignalBlocker block(e);
        e->setPlainText(cut);
        e->moveCursor(QTextCursor::End);
    });

    lblInstrApp = Controls::named<QLabel>(page, "lblInstrApp", "Num Instrument App:");
    txtInstrApp = Controls::lineBox(page, "txtInstrApp");
    cmbIntrApp1 = approachCombo(page, "cmbIntrApp1");
    txtIntrApp1 = Controls::lineBox(page, "txtIntrApp1");
    cmbIntrApp2 = approachCombo(page, "cmbIntrApp2");
    txtIntrApp2 = Controls::lineBox(page, "txtIntrApp2");
    cmbInstrApp3 = approachCombo(page, "cmbInstrApp3");
    txtIntrApp3 = Controls::lineBox(page, "txtIntrApp3");
    cmbInstrApp4 = approachCombo(page, "cmbInstrApp4");
    txtInstrApp4 = Controls::lineBox(page, "txtInstrApp4");
    lblLandings = Controls::named<QLabel>(page, "lblLandings", "Day Landings:");
    txtLandings = Controls::lineBox(page, "txtLandings");
    lblNightLand = Controls::named<QLabel>(page, "lblNightLand", "Night Landings:");
    txtNightLand = Controls::lineBox(page, "txtNightLand");
    lblXCountry = Controls::named<QLabel>(page, "lblXCountry", "Cross Country:");
    txtXCountry = Controls::lineBox(page, "txtXCountry");

    fraaircrafttype = Controls::named<QGroupBox>(page, "fraaircrafttype", "Type of Aircraft");
    optSingle = Controls::named<QRadioButton>(fraaircrafttype, "optSingle", "Single Engine:");
    chkSEL = Controls::named<QCheckBox>(fraaircrafttype, "chkSEL", "Land");
    chkSES = Controls::named<QCheckBox>(fraaircrafttype, "chkSES", "Sea");
    optMEL = Controls::named<QRadioButton>(fraaircrafttype, "optMEL", "Multi-Engine:");
    chkMEL = Controls::named<QCheckBox>(fraaircrafttype, "chkMEL", "Land");
    chkMES = Controls::named<QCheckBox>(fraaircrafttype, "chkMES", "Sea");
    optRotor = Controls::named<QRadioButton>(fraaircrafttype, "optRotor", "Rotorcraft");
    optAirship = Controls::named<QRadioButton>(fraaircrafttype, "optAirship", "Airship");
    optGlider = Controls::named<QRadioButton>(fraaircrafttype, "optGlider", "Glider");
    categoryGroup = Controls::named<QButtonGroup>(fraaircrafttype, "categoryGroup");
    for (QRadioButton* o : {optSingle, optMEL, optRotor, optAirship, optGlider})
        categoryGroup->addButton(o);
    auto* cat = new QGridLayout(fraaircrafttype);
    cat->addWidget(optSingle, 0, 0);
    cat->addWidget(chkSEL, 0, 1);
    cat->addWidget(chkSES, 0, 2);
    cat->addWidget(optMEL, 1, 0);
    cat->addWidget(chkMEL, 1, 1);
    cat->addWidget(chkMES, 1, 2);
    cat->addWidget(optRotor, 2, 0);
    cat->addWidget(optAirship, 2, 1);
    cat->addWidget(optGlider, 2, 2);

    fraConditions = Controls::named<QGroupBox>(page, "fraConditions", "Conditions of Flight");
    lblDay = Controls::named<QLabel>(fraConditions, "lblDay", "Day:");
    txtDay = Controls::lineBox(fraConditions, "txtDay");
    lblNight = Controls::named<QLabel>(fraConditions, "lblNight", "Night:");
    txtNight = Controls::lineBox(fraConditions, "txtNight");
    lblInstrument = Controls::named<QLabel>(fraConditions, "lblInstrument", "Actual Instrument:");
    txtInstrument = Controls::lineBox(fraConditions, "txtInstrument");
    lblSimInstrument =
        Controls::named<QLabel>(fraConditions, "lblSimInstrument", "Simulated Instrument:");
    txtSimInstrument = Controls::lineBox(fraConditions, "txtSimInstrument");
    lblGround = Controls::named<QLabel>(fraConditions, "lblGround", "Ground Instruction:");
    txtGround = Controls::lineBox(fraConditions, "txtGround");
    auto* cond = new QGridLayout(fraConditions);
    int row = 0;
    for (auto [l, e] : {std::pair{lblDay, txtDay},
                        {lblNight, txtNight},
                        {lblInstrument, txtInstrument},
                        {lblSimInstrument, txtSimInstrument},
                        {lblGround, txtGround}}) {
        cond->addWidget(l, row, 0);
        cond->addWidget(e, row++, 1);
    }

    fraType = Controls::named<QGroupBox>(page, "fraType", "Type of Piloting Time");
    lblDual = Controls::named<QLabel>(fraType, "lblDual", "Dual Recieved:");
    txtDual = Controls::lineBox(fraType, "txtDual");
    lblInCommand = Controls::named<QLabel>(fraType, "lblInCommand", "Pilot-In-Command:");
    txtInCommand = Controls::lineBox(fraType, "txtInCommand");
    lblSIC = Controls::named<QLabel>(fraType, "lblSIC", "Second-In-Command:");
    txtSIC = Controls::lineBox(fraType, "txtSIC");
    lblSimulator = Controls::named<QLabel>(fraType, "lblSimulator", "Simulator:");
    txtSimulator = Controls::lineBox(fraType, "txtSimulator");
    lblCFI = Controls::named<QLabel>(fraType, "lblCFI", "CFI:");
    txtCFI = Controls::lineBox(fraType, "txtCFI");
    lblCFII = Controls::named<QLabel>(fraType, "lblCFII", "CFII:");
    txtCFII = Controls::lineBox(fraType, "txtCFII");
    auto* type = new QGridLayout(fraType);
    row = 0;
    for (auto [l, e] : {std::pair{lblDual, txtDual},
                        {lblInCommand, txtInCommand},
                        {lblSIC, txtSIC},
                        {lblSimulator, txtSimulator},
                        {lblCFI, txtCFI},
                        {lblCFII, txtCFII}}) {
        type->addWidget(l, row, 0);
        type->addWidget(e, row++, 1);
    }

    lblTotal = Controls::named<QLabel>(page, "lblTotal", "Total Duration of Flight:");
    txtTotal = Controls::lineBox(page, "txtTotal");

    // Left column: the flight itself; right column: category and times.
    auto* left = new QGridLayout;
    row = 0;
    for (auto [l, e] : {std::pair{lblDate, txtDate}, {lblMake, txtMake}, {lblIdent, txtIdent}}) {
        left->addWidget(l, row, 0);
        left->addWidget(e, row++, 1);
    }
    left->addWidget(fraArrive, row++, 0, 1, 2);
    left->addWidget(lblRemarks, row++, 0, 1, 2);
    left->addWidget(txtRemarks, row++, 0, 1, 2);
    left->addWidget(lblInstrApp, row, 0);
    left->addWidget(txtInstrApp, row++, 1);
    for (auto [c, e] : {std::pair{cmbIntrApp1, txtIntrApp1},
                        {cmbIntrApp2, txtIntrApp2},
                        {cmbInstrApp3, txtIntrApp3},
                        {cmbInstrApp4, txtInstrApp4}}) {
        left->addWidget(c, row, 0);
        left->addWidget(e, row++, 1);
    }
    for (auto [l, e] : {std::pair{lblLandings, txtLandings},
                        {lblNightLand, txtNightLand},
                        {lblXCountry, txtXCountry}}) {
        left->addWidget(l, row, 0);
        left->addWidget(e, row++, 1);
    }
    left->setColumnStretch(1, 1);
    left->setRowStretch(row, 1);  // spare height below, not between the rows
    for (QLineEdit* e : {txtDate, txtMake, txtIdent}) e->setMinimumWidth(150);
    for (QComboBox* c : {cmbIntrApp1, cmbIntrApp2, cmbInstrApp3, cmbInstrApp4})
        c->setMinimumWidth(130);
    auto* right = new QVBoxLayout;
    right->addWidget(fraaircrafttype);
    right->addWidget(fraConditions);
    right->addWidget(fraType);
    auto* total = new QHBoxLayout;
    total->addWidget(lblTotal);
    total->addWidget(txtTotal);
    right->addLayout(total);
    right->addStretch();

    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 1);

    // Entry (tab) order as the pilot fills in a logbook line.
    QList<QWidget*> order = {
        txtDate,          txtMake,      txtIdent,     txtFrom,      txtTo,        txtRemarks,
        txtInstrApp,      cmbIntrApp1,  txtIntrApp1,  cmbIntrApp2,  txtIntrApp2,  cmbInstrApp3,
        txtIntrApp3,      cmbInstrApp4, txtInstrApp4, txtLandings,  txtNightLand, txtXCountry,
        optSingle,        chkSEL,       chkSES,       optMEL,       chkMEL,       chkMES,
        optRotor,         optAirship,   optGlider,    txtDay,       txtNight,     txtInstrument,
        txtSimInstrument, txtGround,    txtDual,      txtInCommand, txtSIC,       txtSimulator,
        txtCFI,           txtCFII,      txtTotal};
    for (int i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
    return page;
}

logbook::FlightInput FlightControls::flightInput() const {
    auto bytes = [](const QString& s) { return WindowText::toBytes(s); };
    logbook::FlightInput in;
    in.date = bytes(txtDate->text());
    in.make = bytes(txtMake->text());
    in.ident = bytes(txtIdent->text());
    in.from = bytes(txtFrom->text());
    in.to = bytes(txtTo->text());
    in.remarks = bytes(WindowText::toStored(txtRemarks->toPlainText()));
    in.instrApp = bytes(txtInstrApp->text());
    in.landings = bytes(txtLandings->text());
    in.xCountry = bytes(txtXCountry->text());
    in.simulator = bytes(txtSimulator->text());
    in.day = bytes(txtDay->text());
    in.night = bytes(txtNight->text());
    in.instrument = bytes(txtInstrument->text());
    in.simInstrument = bytes(txtSimInstrument->text());
    in.dual = bytes(txtDual->text());
    in.inCommand = bytes(txtInCommand->text());
    in.total = bytes(txtTotal->text());
    in.cfi = bytes(txtCFI->text());
    in.cfii = bytes(txtCFII->text());
    in.ground = bytes(txtGround->text());
    in.sic = bytes(txtSIC->text());
    in.nightLand = bytes(txtNightLand->text());
    in.appCount = {bytes(txtIntrApp1->text()), bytes(txtIntrApp2->text()),
                   bytes(txtIntrApp3->text()), bytes(txtInstrApp4->text())};
    in.appType = {bytes(cmbIntrApp1->currentText()), bytes(cmbIntrApp2->currentText()),
                  bytes(cmbInstrApp3->currentText()), bytes(cmbInstrApp4->currentText())};
    in.catSingle = optSingle->isChecked();
    in.catMulti = optMEL->isChecked();
    in.catRotor = optRotor->isChecked();
    in.catAirship = optAirship->isChecked();
    in.catGlider = optGlider->isChecked();
    in.seLand = chkSEL->isChecked();
    in.seSea = chkSES->isChecked();
    in.meLand = chkMEL->isChecked();
    in.meSea = chkMES->isChecked();
    return in;
}

void FlightControls::showFlight(const LogRecord& r) {
    flightShown = true;
    txtDate->setText(WindowText::fromField(r.Date));
    txtMake->setText(WindowText::fromField(r.Make));
    txtIdent->setText(WindowText::fromField(r.Ident));
    txtFrom->setText(WindowText::fromField(r.From));
    txtTo->setText(WindowText::fromField(r.To));
    // The record keeps line breaks as CR LF; the box wants bare line feeds.
    txtRemarks->setPlainText(WindowText::fromStored(WindowText::fromField(r.Remarks)));

    const std::pair<QLineEdit*, float> singles[] = {{txtInstrApp, r.InstrApp},
                                                    {txtLandings, r.Landings},
                                                    {txtNightLand, r.NightLand},
                                                    {txtXCountry, r.XCountry},
                                                    {txtDay, r.Day},
                                                    {txtNight, r.Night},
                                                    {txtInstrument, r.Instrument},
                                                    {txtSimInstrument, r.SimInstrument},
                                                    {txtGround, r.Ground},
                                                    {txtDual, r.Dual},
                                                    {txtInCommand, r.InCommand},
                                                    {txtSIC, r.SIC},
                                                    {txtSimulator, r.Simulator},
                                                    {txtCFI, r.CFI},
                                                    {txtCFII, r.CFII},
                                                    {txtTotal, r.Total}};
    for (const auto& [e, v] : singles) e->setText(WindowText::single(v));
    // Show each field from its start, not scrolled to its trailing spaces.
    for (QLineEdit* e : {txtDate, txtMake, txtIdent, txtFrom, txtTo}) e->setCursorPosition(0);
    txtIntrApp1->setText(QString::number(r.AppCount1));
    txtIntrApp2->setText(QString::number(r.AppCount2));
    txtIntrApp3->setText(QString::number(r.AppCount3));
    txtInstrApp4->setText(QString::number(r.AppCount4));
    cmbIntrApp1->setEditText(fieldText(r.AppType1.shown()));
    cmbIntrApp2->setEditText(fieldText(r.AppType2.shown()));
    cmbInstrApp3->setEditText(fieldText(r.AppType3.shown()));
    cmbInstrApp4->setEditText(fieldText(r.AppType4.shown()));

    chkSEL->setChecked(r.SELand != 0);
    chkSES->setChecked(r.SESea != 0);
    chkMEL->setChecked(r.MELand != 0);
    chkMES->setChecked(r.MESea != 0);
    // Options are set in the order Multi, Single, Airship, Glider, Rotor:
    // each set one deselects the others, a cleared one only itself, so the
    // last set one wins and a record with no category leaves none selected.
    categoryGroup->setExclusive(false);
    for (QRadioButton* o : {optSingle, optMEL, optRotor, optAirship, optGlider})
        o->setChecked(false);
    QRadioButton* chosen = nullptr;
    for (auto [o, v] : {std::pair{optMEL, r.CatMulti},
                        {optSingle, r.CatSingle},
                        {optAirship, r.CatAirship},
                        {optGlider, r.CatGlider},
                        {optRotor, r.CatRotor}})
        if (v != 0) chosen = o;
    if (chosen) chosen->setChecked(true);
    categoryGroup->setExclusive(true);
}

QList<QPair<QString, FlightControls::Rows>> FlightControls::shownValues() const {
    auto row = [](QLabel* l, QLineEdit* e) {
        return QPair<QString, QString>(l->text(), e->text());
    };
    Rows flight = {row(lblDate, txtDate),   row(lblMake, txtMake),
                   row(lblIdent, txtIdent), row(lblFrom, txtFrom),
                   row(lblTo, txtTo),       {lblRemarks->text(), txtRemarks->toPlainText()}};
    Rows approaches = {row(lblInstrApp, txtInstrApp)};
    const std::pair<QComboBox*, QLineEdit*> apps[] = {{cmbIntrApp1, txtIntrApp1},
                                                      {cmbIntrApp2, txtIntrApp2},
                                                      {cmbInstrApp3, txtIntrApp3},
                                                      {cmbInstrApp4, txtInstrApp4}};
    int line = 1;
    for (const auto& [c, e] : apps) {
        const QString type = c->currentText().trimmed();
        // A line left alone (no count, the type at the combo's first text,
        // stored cut to the field) is no approach: it prints blank.
        const bool unused =
            (e->text().isEmpty() || e->text() == "0") &&
            (type.isEmpty() || type == QString(kSelectType).left(10) || type == kSelectType);
        approaches.append(
            {unused || type.isEmpty() ? QString("Approach %1:").arg(line) : type + ":",
             unused ? QString() : e->text()});
        ++line;
    }
    approaches << row(lblLandings, txtLandings) << row(lblNightLand, txtNightLand)
               << row(lblXCountry, txtXCountry);
    QString category;
    for (QRadioButton* o : {optSingle, optMEL, optRotor, optAirship, optGlider})
        if (o->isChecked()) category = o->text();
    QStringList landSea;
    if (chkSEL->isChecked() || chkMEL->isChecked()) landSea << chkSEL->text();
    if (chkSES->isChecked() || chkMES->isChecked()) landSea << chkSES->text();
    if (!landSea.isEmpty()) category += " " + landSea.join(", ");
    Rows aircraft = {{"Category:", category}};
    Rows conditions = {row(lblDay, txtDay), row(lblNight, txtNight),
                       row(lblInstrument, txtInstrument), row(lblSimInstrument, txtSimInstrument),
                       row(lblGround, txtGround)};
    Rows piloting = {row(lblDual, txtDual),  row(lblInCommand, txtInCommand),
                     row(lblSIC, txtSIC),    row(lblSimulator, txtSimulator),
                     row(lblCFI, txtCFI),    row(lblCFII, txtCFII),
                     row(lblTotal, txtTotal)};
    return {{"Flight", flight},
            {"Approaches and Landings", approaches},
            {fraaircrafttype->title(), aircraft},
            {fraConditions->title(), conditions},
            {fraType->title(), piloting}};
}

void FlightControls::makeDisplayOnly() {
    for (QLineEdit* e : {txtDate,       txtMake,          txtIdent,    txtFrom,     txtTo,
                         txtInstrApp,   txtIntrApp1,      txtIntrApp2, txtIntrApp3, txtInstrApp4,
                         txtLandings,   txtNightLand,     txtXCountry, txtDay,      txtNight,
                         txtInstrument, txtSimInstrument, txtGround,   txtDual,     txtInCommand,
                         txtSIC,        txtSimulator,     txtCFI,      txtCFII,     txtTotal}) {
        e->setReadOnly(true);
        // A shown field keeps its full width, whatever it holds.
        e->setMaxLength(32767);
    }
    txtRemarks->setReadOnly(true);
    for (QComboBox* c : {cmbIntrApp1, cmbIntrApp2, cmbInstrApp3, cmbInstrApp4}) {
        c->lineEdit()->setReadOnly(true);
        // No list to pick from: a click or a wheel turn must not change it.
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
        c->setFocusPolicy(Qt::NoFocus);
    }
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             optSingle, optMEL, optRotor, optAirship, optGlider, chkSEL, chkSES, chkMEL, chkMES}) {
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        b->setFocusPolicy(Qt::NoFocus);
    }
}
