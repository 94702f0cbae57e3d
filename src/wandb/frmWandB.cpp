#include "wandb/frmWandB.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "records/Fields.h"
#include "shell/CommonCommands.h"
#include "shell/Convert.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"
#include "wandb/AircraftFiles.h"
#include "wandb/Loading.h"
#include "wandb/frmNewAircraft.h"

namespace {

// Station names and figures come from aircraft files: shown as plain text,
// so markup in a file (an <img> naming a device, say) is never interpreted.
QLabel* label(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* figure(QWidget* parent, const char* name) {
    QLabel* l = label(parent, name);
    l->setMinimumWidth(70);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLineEdit* box(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(80);
    return e;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    return f;
}

// Every frame of the grid shares these columns, so the figures line up:
// name, entry boxes, arm, moment.
void columns(QGridLayout* g) {
    g->setColumnMinimumWidth(0, 120);
    g->setColumnMinimumWidth(1, 240);
    g->setColumnMinimumWidth(2, 80);
    g->setColumnMinimumWidth(3, 80);
}

QWidget* pair(QWidget* parent, QWidget* a, QWidget* b, QWidget* c = nullptr, QWidget* d = nullptr) {
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* x : {a, b, c, d})
        if (x) {
            x->setParent(w);
            h->addWidget(x);
        }
    h->addStretch();
    return w;
}

// Leaving a box: focus moving away inside the window, not the window losing
// the focus or a menu opening.
bool leftBox(QEvent* e) {
    if (e->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

}  // namespace

frmWandB::frmWandB() {
    setObjectName("frmWandB");
    setWindowTitle("Calculate Weight and  Balance");

    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);
    auto* outer = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    outer->addLayout(left, 3);
    outer->addLayout(right, 1);

    // Aircraft.
    auto* head = new QGridLayout;
    left->addLayout(head);
    txtIdent = new QLineEdit(central);
    txtIdent->setObjectName("txtIdent");
    txtMake = new QLineEdit(central);
    txtMake->setObjectName("txtMake");
    head->addWidget(new QLabel("Aircraft Ident:", central), 0, 0);
    head->addWidget(txtIdent, 0, 1);
    head->addWidget(new QLabel("Aircraft Make and Model:", central), 1, 0);
    head->addWidget(txtMake, 1, 1);

    // Column headings and the empty aircraft.
    auto* top = new QGridLayout;
    left->addLayout(top);
    columns(top);
    top->setContentsMargins(10, 0, 10, 0);
    top->addWidget(new QLabel("Weight", central), 0, 1, Qt::AlignCenter);
    top->addWidget(new QLabel("Arm", central), 0, 2, Qt::AlignRight);
    top->addWidget(new QLabel("Moment", central), 0, 3, Qt::AlignRight);
    top->addWidget(new QLabel("Empty Aircraft", central), 1, 0);
    lblEmptyWeight = figure(central, "lblEmptyWeight");
    lblEmptyWeight->setAlignment(Qt::AlignCenter);
    lblEmptyArm = figure(central, "lblEmptyArm");
    lblEmptyArm->setText("----------");
    lblEmptyMoment = figure(central, "lblEmptyMoment");
    top->addWidget(lblEmptyWeight, 1, 1);
    top->addWidget(lblEmptyArm, 1, 2);
    top->addWidget(lblEmptyMoment, 1, 3);

    // Seats and baggage: a name, a weight box, arm and moment.
    auto simpleFrame = [&](QGroupBox*& fra, const char* fraName, const char* caption,
                           std::array<QLabel**, 3> names, std::array<QLineEdit**, 3> boxes,
                           std::array<QLabel**, 3> arms, std::array<QLabel**, 3> moments,
                           std::array<const char*, 12> objectNames) {
        fra = frame(central, fraName, caption);
        auto* g = new QGridLayout(fra);
        columns(g);
        for (int i = 0; i < 3; ++i) {
            *names[i] = label(fra, objectNames[i * 4]);
            *boxes[i] = box(fra, objectNames[i * 4 + 1]);
            *arms[i] = figure(fra, objectNames[i * 4 + 2]);
            *moments[i] = figure(fra, objectNames[i * 4 + 3]);
            g->addWidget(*names[i], i, 0);
            g->addWidget(*boxes[i], i, 1, Qt::AlignCenter);
            g->addWidget(*arms[i], i, 2);
            g->addWidget(*moments[i], i, 3);
        }
        left->addWidget(fra);
    };
    simpleFrame(
        fraSeats, "fraSeats", "Seats", {&lblSeat1, &lblSeat2, &lblSeat3},
        {&txtSeat1, &txtSeat2, &txtSeat3}, {&lblSeat1Arm, &lblSeat2Arm, &lblSeat3Arm},
        {&lblSeat1Moment, &lblSeat2Moment, &lblSeat3Moment},
        {"lblSeat1", "txtSeat1", "lblSeat1Arm", "lblSeat1Moment", "lblSeat2", "txtSeat2",
         "lblSeat2Arm", "lblSeat2Moment", "lblSeat3", "txtSeat3", "lblSeat3Arm", "lblSeat3Moment"});
    simpleFrame(
        fraBags, "fraBags", "Baggage", {&lblBags1, &lblBags2, &lblBags3},
        {&txtBags1, &txtBags2, &txtBags3}, {&lblBags1Arm, &lblBags2Arm, &lblBags3Arm},
        {&lblBags1Moment, &lblBags2Moment, &lblBags3Moment},
        {"lblBags1", "txtBags1", "lblBags1Arm", "lblBags1Moment", "lblBags2", "txtBags2",
         "lblBags2Arm", "lblBags2Moment", "lblBags3", "txtBags3", "lblBags3Arm", "lblBags3Moment"});

    // Fuel: gallons and pounds.
    fraFuel = frame(central, "fraFuel", "Fuel");
    {
        auto* g = new QGridLayout(fraFuel);
        columns(g);
        QLabel** names[] = {&lblTank1, &lblTank2, &lblTank3};
        QLineEdit** gal[] = {&txtTank1Gal, &txtTank2Gal, &txtTank3Gal};
        QLabel** galUnit[] = {&lblTank1Gal, &lblTank2Gal, &lblTank3Gal};
        QLineEdit** lbs[] = {&txtTank1lbs, &txtTank2lbs, &txtTank3lbs};
        QLabel** lbsUnit[] = {&lblTank1lbs, &lblTank2lbs, &lblTank3lbs};
        QLabel** arms[] = {&lblTank1Arm, &lblTank2Arm, &lblTank3Arm};
        QLabel** moments[] = {&lblTank1Moment, &lblTank2Moment, &lblTank3Moment};
        for (int i = 0; i < 3; ++i) {
            const QByteArray n = QByteArray::number(i + 1);
            *names[i] = label(fraFuel, "lblTank" + n);
            *gal[i] = box(fraFuel, "txtTank" + n + "Gal");
            *galUnit[i] = label(fraFuel, "lblTank" + n + "Gal", "Gal.");
            *lbs[i] = box(fraFuel, "txtTank" + n + "lbs");
            *lbsUnit[i] = label(fraFuel, "lblTank" + n + "lbs", "lbs");
            *arms[i] = figure(fraFuel, "lblTank" + n + "Arm");
            *moments[i] = figure(fraFuel, "lblTank" + n + "Moment");
            g->addWidget(*names[i], i, 0);
            g->addWidget(pair(fraFuel, *gal[i], *galUnit[i], *lbs[i], *lbsUnit[i]), i, 1);
            g->addWidget(*arms[i], i, 2);
            g->addWidget(*moments[i], i, 3);
        }
    }
    left->addWidget(fraFuel);

    fraOil = frame(central, "fraOil", "Oil");
    {
        auto* g = new QGridLayout(fraOil);
        columns(g);
        lblOil = label(fraOil, "lblOil");
        txtOilQts = box(fraOil, "txtOilQts");
        lblOilQts = label(fraOil, "lblOilQts", "Qts.");
        txtOillbs = box(fraOil, "txtOillbs");
        lblOillbs = label(fraOil, "lblOillbs", "lbs");
        lblOilArm = figure(fraOil, "lblOilArm");
        lblOilMoment = figure(fraOil, "lblOilMoment");
        g->addWidget(lblOil, 0, 0);
        g->addWidget(pair(fraOil, txtOilQts, lblOilQts, txtOillbs, lblOillbs), 0, 1);
        g->addWidget(lblOilArm, 0, 2);
        g->addWidget(lblOilMoment, 0, 3);
    }
    left->addWidget(fraOil);

    fraTotal = frame(central, "fraTotal", "Total");
    {
        auto* g = new QGridLayout(fraTotal);
        columns(g);
        lblTotalWeight = figure(fraTotal, "lblTotalWeight");
        lblTotalWeight->setAlignment(Qt::AlignCenter);
        lblTotalArm = figure(fraTotal, "lblTotalArm");
        lblTotalMoment = figure(fraTotal, "lblTotalMoment");
        g->addWidget(new QLabel("Takeoff", fraTotal), 0, 0);
        g->addWidget(lblTotalWeight, 0, 1);
        g->addWidget(lblTotalArm, 0, 2);
        g->addWidget(lblTotalMoment, 0, 3);
    }
    left->addWidget(fraTotal);
    left->addStretch();

    // Results beside the aircraft's limits.
    fraWeights = frame(central, "fraWeights", "Aircraft Weights");
    {
        auto* g = new QGridLayout(fraWeights);
        lblZeroweight = figure(fraWeights, "lblZeroweight");
        lblTOweight = figure(fraWeights, "lblTOweight");
        lblMaxWeight = figure(fraWeights, "lblMaxWeight");
        g->addWidget(new QLabel("Zero Fuel Weight:", fraWeights), 0, 0);
        g->addWidget(lblZeroweight, 0, 1);
        g->addWidget(new QLabel("Takeoff Weight:", fraWeights), 1, 0);
        g->addWidget(lblTOweight, 1, 1);
        g->addWidget(new QLabel("Max Weight:", fraWeights), 2, 0);
        g->addWidget(lblMaxWeight, 2, 1);
    }
    right->addWidget(fraWeights);
    fraCG = frame(central, "fraCG", "Center of Gravity (CG)");
    {
        auto* g = new QGridLayout(fraCG);
        lblZeroCG = figure(fraCG, "lblZeroCG");
        lblTakeoffCG = figure(fraCG, "lblTakeoffCG");
        lblFwdLimit = figure(fraCG, "lblFwdLimit");
        lblAftLimit = figure(fraCG, "lblAftLimit");
        g->addWidget(new QLabel("Zero Fuel CG:", fraCG), 0, 0);
        g->addWidget(lblZeroCG, 0, 1);
        g->addWidget(new QLabel("Takeoff CG:", fraCG), 1, 0);
        g->addWidget(lblTakeoffCG, 1, 1);
        g->addWidget(new QLabel("CG Limit", fraCG), 2, 0, 1, 2, Qt::AlignCenter);
        g->addWidget(new QLabel("Forward:", fraCG), 3, 0);
        g->addWidget(lblFwdLimit, 3, 1);
        g->addWidget(new QLabel("Aft:", fraCG), 4, 0);
        g->addWidget(lblAftLimit, 4, 1);
    }
    right->addWidget(fraCG);
    lstLoad = new QListWidget(central);
    lstLoad->setObjectName("lstLoad");
    right->addWidget(lstLoad);
    auto button = [&](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, central);
        b->setObjectName(name);
        right->addWidget(b);
    };
    button(cmdCalculateCG, "cmdCalculateCG", "Calculate CG");
    button(cmdNew, "cmdNew", "New Aircraft");
    button(cmdLoad, "cmdLoad", "Load Aircraft");
    button(cmdClear, "cmdClear", "Clear");
    button(cmdMain, "cmdMain", "Main Menu");
    right->addStretch();

    QWidget* order[] = {
        txtIdent,  txtMake,     txtSeat1,       txtSeat2,    txtSeat3,    txtBags1,    txtBags2,
        txtBags3,  txtTank1Gal, txtTank1lbs,    txtTank2Gal, txtTank2lbs, txtTank3Gal, txtTank3lbs,
        txtOilQts, txtOillbs,   cmdCalculateCG, cmdNew,      cmdLoad,     cmdClear,    cmdMain};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    // Menus: File, Edit, Print, Help.
    QMenu* file = Common::menu(this, "&File", "mnuFile");
    mnuNew = Common::action(this, "mnuNew", "&New Aircraft", [this] { cmdNew_Click(); });
    mnuLoad = Common::action(this, "mnuLoad", "&Load Aircraft", [this] { cmdLoad_Click(); });
    mnuCG = Common::action(this, "mnuCG", "&Calculate CG", [this] { cmdCalculateCG_Click(); });
    mnuMain = Common::action(this, "mnuMain", "&Main Menu", [this] { cmdMain_Click(); });
    mnuExit = Common::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuNew);
    file->addAction(mnuLoad);
    file->addAction(mnuCG);
    file->addSeparator();
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* edit = Common::addEditMenu(this, Common::EditShortcuts::None);
    edit->addSeparator();
    mnuClear = Common::action(this, "mnuClear", "C&lear", [this] { cmdClear_Click(); });
    edit->addAction(mnuClear);
    QMenu* print = Common::menu(this, "&Print", "mnuPrint");
    mnuPrint1 = Common::action(this, "mnuPrint1", "&Print", [this] { mnuPrint1_Click(); });
    print->addAction(mnuPrint1);
    Common::addHelpMenu(this);

    connect(cmdCalculateCG, &QPushButton::clicked, this, &frmWandB::cmdCalculateCG_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmWandB::cmdNew_Click);
    connect(cmdLoad, &QPushButton::clicked, this, &frmWandB::cmdLoad_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmWandB::cmdClear_Click);
    connect(cmdMain, &QPushButton::clicked, this, &frmWandB::cmdMain_Click);
    // A click, or Enter on an entry, picks it; moving through the list does not.
    connect(lstLoad, &QListWidget::itemClicked, this, &frmWandB::lstLoad_Click);
    connect(lstLoad, &QListWidget::itemActivated, this, &frmWandB::lstLoad_Click);
    for (QLineEdit* e :
         {txtTank1Gal, txtTank2Gal, txtTank3Gal, txtTank1lbs, txtTank2lbs, txtTank3lbs})
        e->installEventFilter(this);
}

frmWandB::~frmWandB() {
    // No conversion may run while the boxes are torn down.
    for (QLineEdit* e :
         {txtTank1Gal, txtTank2Gal, txtTank3Gal, txtTank1lbs, txtTank2lbs, txtTank3lbs})
        e->removeEventFilter(this);
}

void frmWandB::Form_Load() { lstLoad->hide(); }

std::array<frmWandB::Row, 10> frmWandB::rows() const {
    return {{
        {lblSeat1, {txtSeat1, lblSeat1Arm, lblSeat1Moment}, txtSeat1, lblSeat1Arm, lblSeat1Moment},
        {lblSeat2, {txtSeat2, lblSeat2Arm, lblSeat2Moment}, txtSeat2, lblSeat2Arm, lblSeat2Moment},
        {lblSeat3, {txtSeat3, lblSeat3Arm, lblSeat3Moment}, txtSeat3, lblSeat3Arm, lblSeat3Moment},
        {lblBags1, {txtBags1, lblBags1Arm, lblBags1Moment}, txtBags1, lblBags1Arm, lblBags1Moment},
        {lblBags2, {txtBags2, lblBags2Arm, lblBags2Moment}, txtBags2, lblBags2Arm, lblBags2Moment},
        {lblBags3, {txtBags3, lblBags3Arm, lblBags3Moment}, txtBags3, lblBags3Arm, lblBags3Moment},
        {lblTank1,
         {txtTank1Gal, lblTank1Gal, txtTank1lbs, lblTank1lbs, lblTank1Arm, lblTank1Moment},
         txtTank1lbs,
         lblTank1Arm,
         lblTank1Moment},
        {lblTank2,
         {txtTank2Gal, lblTank2Gal, txtTank2lbs, lblTank2lbs, lblTank2Arm, lblTank2Moment},
         txtTank2lbs,
         lblTank2Arm,
         lblTank2Moment},
        {lblTank3,
         {txtTank3Gal, lblTank3Gal, txtTank3lbs, lblTank3lbs, lblTank3Arm, lblTank3Moment},
         txtTank3lbs,
         lblTank3Arm,
         lblTank3Moment},
        {lblOil,
         {txtOilQts, lblOilQts, txtOillbs, lblOillbs, lblOilArm, lblOilMoment},
         txtOillbs,
         lblOilArm,
         lblOilMoment},
    }};
}

bool frmWandB::eventFilter(QObject* watched, QEvent* event) {
    if (leftBox(event)) {
        if (watched == txtTank1Gal)
            txtTank1Gal_LostFocus();
        else if (watched == txtTank2Gal)
            txtTank2Gal_LostFocus();
        else if (watched == txtTank3Gal)
            txtTank3Gal_LostFocus();
        else if (watched == txtTank1lbs)
            txtTank1lbs_LostFocus();
        else if (watched == txtTank2lbs)
            txtTank2lbs_LostFocus();
        else if (watched == txtTank3lbs)
            txtTank3lbs_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmWandB::gallonsLeft(QLineEdit* gallons, QLineEdit* pounds) {
    if (gallons->text().isEmpty()) return;
    const auto text =
        wandb::gallonsToPoundsText(Convert::toBytes(gallons->text()), Convert::numberLocale());
    if (!text) {
        MessageBox::show("Recheck Input", "Invalid Input", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Stop, this);
        return;
    }
    pounds->setText(Convert::fromBytes(*text));
}

void frmWandB::poundsLeft(QLineEdit* pounds, QLineEdit* gallons) {
    if (pounds->text().isEmpty()) return;
    const auto text =
        wandb::poundsToGallonsText(Convert::toBytes(pounds->text()), Convert::numberLocale());
    if (!text) {
        MessageBox::show("Recheck Input", "Invalid Input", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Stop, this);
        return;
    }
    gallons->setText(Convert::fromBytes(*text));
}

void frmWandB::txtTank1Gal_LostFocus() { gallonsLeft(txtTank1Gal, txtTank1lbs); }
void frmWandB::txtTank2Gal_LostFocus() { gallonsLeft(txtTank2Gal, txtTank2lbs); }
void frmWandB::txtTank3Gal_LostFocus() { gallonsLeft(txtTank3Gal, txtTank3lbs); }
void frmWandB::txtTank1lbs_LostFocus() { poundsLeft(txtTank1lbs, txtTank1Gal); }
void frmWandB::txtTank2lbs_LostFocus() { poundsLeft(txtTank2lbs, txtTank2Gal); }
void frmWandB::txtTank3lbs_LostFocus() { poundsLeft(txtTank3lbs, txtTank3Gal); }

void frmWandB::cmdLoad_Click() {
    lstLoad->clear();
    const auto names = wandb::listAircraftFiles();
    if (names.empty()) {
        lstLoad->hide();  // an empty list left from an earlier Load offers nothing
        MessageBox::show("Aicraft not found: Please Select New Aircraft", "Aircraft Not Found",
                         MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
        return;
    }
    for (const std::string& name : names) {
        // Shown trimmed; the entry keeps the file's own name to open it by.
        auto* item = new QListWidgetItem(QString::fromStdString(records::trimSpaces(name)));
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        lstLoad->addItem(item);
    }
    lstLoad->show();
}

void frmWandB::lstLoad_Click() {
    QListWidgetItem* item = lstLoad->currentItem();
    if (!item || lstLoad->isHidden()) return;
    modLog::AircraftRecLen = static_cast<std::int16_t>(wandb::AircraftRecord::Size);
    const auto rec = wandb::loadAircraft(item->data(Qt::UserRole).toByteArray().toStdString());
    lstLoad->hide();
    if (!rec) {  // gone since the list was filled
        MessageBox::show("Aicraft not found: Please Select New Aircraft", "Aircraft Not Found",
                         MessageBox::Buttons::Ok, MessageBox::Icon::Stop, this);
        return;
    }
    txtIdent->setText(Convert::fromField(rec->Ident));
    txtMake->setText(Convert::fromField(rec->Make));
    lblEmptyWeight->setText(Convert::single(rec->EmptyWeight));
    lblEmptyMoment->setText(Convert::single(rec->EmptyMoment));
    lblMaxWeight->setText(Convert::single(rec->MaxTOweight));
    lblFwdLimit->setText(Convert::single(rec->FwdCGLimit));
    lblAftLimit->setText(Convert::single(rec->AftCGLimit));
    const auto all = rows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const wandb::Station s = wandb::kStations[i];
        const bool present = rec->hasStation(s);
        if (present) {
            all[i].name->setText(Convert::fromField(rec->name(s)));
            all[i].arm->setText(Convert::single(rec->arm(s)));
        }
        for (QWidget* w : all[i].shownWithStation) w->setVisible(present);
    }
}

void frmWandB::cmdCalculateCG_Click() {
    auto bytes = [](const QString& s) { return Convert::toBytes(s); };
    wandb::LoadingInput in;
    in.emptyWeight = bytes(lblEmptyWeight->text());
    in.emptyMoment = bytes(lblEmptyMoment->text());
    in.ident = bytes(txtIdent->text());
    const auto all = rows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        in.pounds[i] = bytes(all[i].pounds->text());
        in.shown[i] = !all[i].pounds->isHidden();
    }
    in.tankGallons = {bytes(txtTank1Gal->text()), bytes(txtTank2Gal->text()),
                      bytes(txtTank3Gal->text())};
    in.oilQuarts = bytes(txtOilQts->text());

    const wandb::LoadingOutcome out = wandb::calculateLoading(in, Convert::numberLocale());
    QLineEdit* tankPounds[] = {txtTank1lbs, txtTank2lbs, txtTank3lbs};
    for (std::size_t t = 0; t < 3; ++t)
        if (out.tankPounds[t]) tankPounds[t]->setText(Convert::fromBytes(*out.tankPounds[t]));
    if (out.oilPounds) txtOillbs->setText(Convert::fromBytes(*out.oilPounds));
    for (std::size_t i = 0; i < all.size(); ++i)
        if (out.moments[i]) all[i].moment->setText(Convert::single(*out.moments[i]));
    calculatedKey.clear();
    if (!out.result) {
        MessageBox::show(
            "You must select an Aircraft and fill in all appropriate fields before you can "
            "calculate the CG",
            "ERROR", MessageBox::Buttons::Ok, MessageBox::Icon::None, this);
        return;
    }
    lblTotalWeight->setText(Convert::single(out.result->totalWeight));
    lblTOweight->setText(Convert::single(out.result->totalWeight));
    lblTotalMoment->setText(Convert::single(out.result->totalMoment));
    lblZeroweight->setText(Convert::single(out.result->zeroFuelWeight));
    lblTakeoffCG->setText(Convert::single(out.result->takeoffCG));
    lblZeroCG->setText(Convert::single(out.result->zeroFuelCG));
    calculatedKey = loadingKey();
    for (std::size_t i = 0; i < all.size(); ++i)
        calculatedMoments[i] = out.moments[i] ? Convert::single(*out.moments[i]) : QString();
}

QString frmWandB::loadingKey() const {
    QStringList parts = {txtIdent->text(),    lblEmptyWeight->text(), lblEmptyMoment->text(),
                         txtTank1Gal->text(), txtTank2Gal->text(),    txtTank3Gal->text(),
                         txtOilQts->text()};
    for (const Row& r : rows())
        parts << r.pounds->text() << r.arm->text() << (r.pounds->isHidden() ? "-" : "+");
    return parts.join(QChar(0x1f));
}

void frmWandB::cmdClear_Click() {
    for (QLineEdit* e :
         {txtSeat1, txtSeat2, txtSeat3, txtBags1, txtBags2, txtBags3, txtTank1Gal, txtTank1lbs,
          txtTank2Gal, txtTank2lbs, txtTank3Gal, txtTank3lbs, txtOilQts, txtOillbs})
        e->clear();
    for (QLabel* l :
         {lblZeroweight, lblTOweight, lblTakeoffCG, lblZeroCG, lblTotalWeight, lblTotalMoment})
        l->clear();
    calculatedKey.clear();
}

void frmWandB::cmdNew_Click() { Forms::showModal<frmNewAircraft>(); }

void frmWandB::cmdMain_Click() {
    Forms::show<frmMenu>();
    Forms::hide<frmWandB>();
    Forms::unload<frmWandB>();
}

void frmWandB::mnuExit_Click() { Common::exitProgram(); }

void frmWandB::mnuPrint1_Click() { PrintPage::print(this, printPage()); }

PrintPage::Page frmWandB::printPage() const {
    using PrintPage::esc;
    auto cell = [](const QString& s, bool right = true) {
        return QString("<td%1>%2</td>").arg(right ? " align=\"right\"" : "", esc(s));
    };
    // Results print only beside the loading that produced them; a sheet with
    // a changed loading gives the loading alone and says it is not calculated.
    const bool calculated = !calculatedKey.isEmpty() && calculatedKey == loadingKey();
    QString html;
    html += "<h2>Weight and Balance</h2>";
    html += "<p>Aircraft: <b>" + esc(txtIdent->text().trimmed()) + "</b> &nbsp; " +
            esc(txtMake->text().trimmed()) + "</p>";
    if (!calculated)
        html += QString(
                    "<table border=\"2\" cellspacing=\"0\" cellpadding=\"6\"><tr><td><b>%1"
                    "</b></td></tr></table><p></p>")
                    .arg(calculatedKey.isEmpty() && lblTOweight->text().isEmpty()
                             ? "Not calculated: no calculation was made for this loading"
                             : "Not calculated: the loading changed after the last calculation");
    html +=
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">"
        "<tr><th align=\"left\">Station</th><th>Load</th><th>Weight</th><th>Arm</th>";
    if (calculated) html += "<th>Moment</th>";
    html += "</tr>";
    html += "<tr>" + cell("Empty Aircraft", false) + cell("") + cell(lblEmptyWeight->text()) +
            cell(lblEmptyArm->text()) + (calculated ? cell(lblEmptyMoment->text()) : "") + "</tr>";
    const auto all = rows();
    QLineEdit* gallons[] = {txtTank1Gal, txtTank2Gal, txtTank3Gal};
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].pounds->isHidden()) continue;  // the aircraft has no such station
        const wandb::Station s = wandb::kStations[i];
        QString load;
        if (wandb::isTank(s)) {
            const QString g = gallons[i - static_cast<std::size_t>(wandb::Station::Tank1)]->text();
            if (!g.isEmpty()) load = g + " Gal.";
        } else if (s == wandb::Station::Oil && !txtOilQts->text().isEmpty()) {
            load = txtOilQts->text() + " Qts.";
        }
        html += "<tr>" + cell(all[i].name->text().trimmed(), false) + cell(load) +
                cell(all[i].pounds->text()) + cell(all[i].arm->text()) +
                (calculated ? cell(calculatedMoments[i]) : "") + "</tr>";
    }
    if (calculated)
        html += "<tr><td><b>Takeoff</b></td><td></td>" + cell(lblTotalWeight->text()) +
                cell(lblTotalArm->text()) + cell(lblTotalMoment->text()) + "</tr>";
    html += "</table>";
    // Results and limits side by side, as the window shows them; the pilot
    // compares them.
    html +=
        "<h3>Aircraft Weights and Center of Gravity (CG)</h3>"
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
    if (calculated)
        html += "<tr><th></th><th>Weight</th><th>CG</th></tr><tr><td>Zero Fuel</td>" +
                cell(lblZeroweight->text()) + cell(lblZeroCG->text()) +
                "</tr><tr><td>Takeoff</td>" + cell(lblTOweight->text()) +
                cell(lblTakeoffCG->text()) + "</tr>";
    html += "<tr><td>Limits</td><td align=\"right\">Max Weight: " + esc(lblMaxWeight->text()) +
            "</td><td align=\"right\">Forward: " + esc(lblFwdLimit->text()) +
            " &nbsp; Aft: " + esc(lblAftLimit->text()) + "</td></tr></table>";
    html += "<p>Weights in pounds; arms, moments and CG limits in the aircraft's own units.</p>";
    PrintPage::Page page;
    page.title = "Weight and Balance";
    const QString ident = txtIdent->text().trimmed();
    if (!ident.isEmpty()) page.sourceFile = ident + ".pln";
    page.html = html;
    return page;
}
