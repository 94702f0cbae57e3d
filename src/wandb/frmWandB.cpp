#include "wandb/frmWandB.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <vector>

#include "records/Fields.h"
#include "shell/CommonCommands.h"
#include "shell/Convert.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"
#include "wandb/AircraftFiles.h"
#include "wandb/LoadSheet.h"
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

// The frames' grids share one set of columns: arm and moment wide enough for
// any figure, the entries as wide as the widest, and the names taking what is
// left, so every figure stands under its heading at any window size.
void alignColumns(const std::vector<QGridLayout*>& grids, QGroupBox* framed) {
    const int figureWidth =
        std::max(80, QFontMetrics(framed->font()).horizontalAdvance("-8.888888E+38") + 8);
    int entryWidth = 240;
    for (QGridLayout* g : grids)
        for (int r = 0; r < g->rowCount(); ++r)
            if (QLayoutItem* it = g->itemAtPosition(r, 1))
                entryWidth = std::max(entryWidth, it->sizeHint().width());
    for (QGridLayout* g : grids) {
        g->setHorizontalSpacing(6);
        g->setColumnMinimumWidth(0, 120);
        g->setColumnStretch(0, 1);
        g->setColumnMinimumWidth(1, entryWidth);
        for (int c : {2, 3}) {
            g->setColumnMinimumWidth(c, figureWidth);
            for (int r = 0; r < g->rowCount(); ++r)  // a long figure never widens its column
                if (QLayoutItem* it = g->itemAtPosition(r, c); it && !it->alignment())
                    it->widget()->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
    }
    // The headings stand outside the frames: inset as the frames' contents are.
    const QMargins in = framed->contentsMargins() + framed->layout()->contentsMargins();
    grids.front()->setContentsMargins(in.left(), 0, in.right(), 0);
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
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
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

    // Station rows, each a name, its entry boxes, arm and moment.
    std::vector<QGridLayout*> grids = {top};
    auto frameGrid = [&](QGroupBox*& fra, const char* name, const QString& caption) {
        fra = frame(central, name, caption);
        grids.push_back(new QGridLayout(fra));
        left->addWidget(fra);
        return grids.back();
    };
    auto station = [&](QGroupBox* fra, int row, const QByteArray& n, QLabel*& name, QWidget* entry,
                       QLabel*& arm, QLabel*& moment) {
        auto* g = static_cast<QGridLayout*>(fra->layout());
        g->addWidget(name = label(fra, "lbl" + n), row, 0);
        g->addWidget(entry, row, 1, Qt::AlignCenter);
        g->addWidget(arm = figure(fra, "lbl" + n + "Arm"), row, 2);
        g->addWidget(moment = figure(fra, "lbl" + n + "Moment"), row, 3);
    };
    // Seats and baggage take pounds.
    auto poundsFrame = [&](QGroupBox*& fra, const char* fraName, const char* caption,
                           const char* kind, std::array<QLabel**, 3> names,
                           std::array<QLineEdit**, 3> boxes, std::array<QLabel**, 3> arms,
                           std::array<QLabel**, 3> moments) {
        frameGrid(fra, fraName, caption);
        for (int i = 0; i < 3; ++i) {
            const QByteArray n = kind + QByteArray::number(i + 1);
            *boxes[i] = box(fra, "txt" + n);
            station(fra, i, n, *names[i], *boxes[i], *arms[i], *moments[i]);
        }
    };
    poundsFrame(fraSeats, "fraSeats", "Seats", "Seat", {&lblSeat1, &lblSeat2, &lblSeat3},
                {&txtSeat1, &txtSeat2, &txtSeat3}, {&lblSeat1Arm, &lblSeat2Arm, &lblSeat3Arm},
                {&lblSeat1Moment, &lblSeat2Moment, &lblSeat3Moment});
    poundsFrame(fraBags, "fraBags", "Baggage", "Bags", {&lblBags1, &lblBags2, &lblBags3},
                {&txtBags1, &txtBags2, &txtBags3}, {&lblBags1Arm, &lblBags2Arm, &lblBags3Arm},
                {&lblBags1Moment, &lblBags2Moment, &lblBags3Moment});
    // Fuel in gallons or pounds, oil in quarts or pounds.
    auto twoUnits = [&](QGroupBox* fra, const QByteArray& n, const char* unit, QLineEdit*& amount,
                        QLabel*& amountUnit, QLineEdit*& pounds, QLabel*& poundsUnit) {
        amount = box(fra, "txt" + n + unit);
        amountUnit = label(fra, "lbl" + n + unit, QByteArray(unit) == "Gal" ? "Gal." : "Qts.");
        pounds = box(fra, "txt" + n + "lbs");
        poundsUnit = label(fra, "lbl" + n + "lbs", "lbs");
        return pair(fra, amount, amountUnit, pounds, poundsUnit);
    };
    frameGrid(fraFuel, "fraFuel", "Fuel");
    for (auto [i, name, gal, galUnit, lbs, lbsUnit, arm, moment] :
         {std::tuple{0, &lblTank1, &txtTank1Gal, &lblTank1Gal, &txtTank1lbs, &lblTank1lbs,
                     &lblTank1Arm, &lblTank1Moment},
          std::tuple{1, &lblTank2, &txtTank2Gal, &lblTank2Gal, &txtTank2lbs, &lblTank2lbs,
                     &lblTank2Arm, &lblTank2Moment},
          std::tuple{2, &lblTank3, &txtTank3Gal, &lblTank3Gal, &txtTank3lbs, &lblTank3lbs,
                     &lblTank3Arm, &lblTank3Moment}}) {
        const QByteArray n = "Tank" + QByteArray::number(i + 1);
        station(fraFuel, i, n, *name, twoUnits(fraFuel, n, "Gal", *gal, *galUnit, *lbs, *lbsUnit),
                *arm, *moment);
    }
    frameGrid(fraOil, "fraOil", "Oil");
    station(fraOil, 0, "Oil", lblOil,
            twoUnits(fraOil, "Oil", "Qts", txtOilQts, lblOilQts, txtOillbs, lblOillbs), lblOilArm,
            lblOilMoment);

    QGridLayout* total = frameGrid(fraTotal, "fraTotal", "Total");
    lblTotalWeight = figure(fraTotal, "lblTotalWeight");
    lblTotalWeight->setAlignment(Qt::AlignCenter);
    lblTotalArm = figure(fraTotal, "lblTotalArm");
    lblTotalMoment = figure(fraTotal, "lblTotalMoment");
    total->addWidget(new QLabel("Takeoff", fraTotal), 0, 0);
    total->addWidget(lblTotalWeight, 0, 1);
    total->addWidget(lblTotalArm, 0, 2);
    total->addWidget(lblTotalMoment, 0, 3);
    alignColumns(grids, fraSeats);
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
         lblTank1Moment,
         txtTank1Gal,
         lblTank1Gal},
        {lblTank2,
         {txtTank2Gal, lblTank2Gal, txtTank2lbs, lblTank2lbs, lblTank2Arm, lblTank2Moment},
         txtTank2lbs,
         lblTank2Arm,
         lblTank2Moment,
         txtTank2Gal,
         lblTank2Gal},
        {lblTank3,
         {txtTank3Gal, lblTank3Gal, txtTank3lbs, lblTank3lbs, lblTank3Arm, lblTank3Moment},
         txtTank3lbs,
         lblTank3Arm,
         lblTank3Moment,
         txtTank3Gal,
         lblTank3Gal},
        {lblOil,
         {txtOilQts, lblOilQts, txtOillbs, lblOillbs, lblOilArm, lblOilMoment},
         txtOillbs,
         lblOilArm,
         lblOilMoment,
         txtOilQts,
         lblOilQts},
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

void frmWandB::tankBoxLeft(QLineEdit* typed, QLineEdit* other, TankConversion convert) {
    if (typed->text().isEmpty()) return;
    const auto text = convert(Convert::toBytes(typed->text()), Convert::numberLocale());
    if (!text) {
        MessageBox::show("Recheck Input", "Invalid Input", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Stop, this);
        return;
    }
    other->setText(Convert::fromBytes(*text));
}

void frmWandB::txtTank1Gal_LostFocus() {
    tankBoxLeft(txtTank1Gal, txtTank1lbs, wandb::gallonsToPoundsText);
}
void frmWandB::txtTank2Gal_LostFocus() {
    tankBoxLeft(txtTank2Gal, txtTank2lbs, wandb::gallonsToPoundsText);
}
void frmWandB::txtTank3Gal_LostFocus() {
    tankBoxLeft(txtTank3Gal, txtTank3lbs, wandb::gallonsToPoundsText);
}
void frmWandB::txtTank1lbs_LostFocus() {
    tankBoxLeft(txtTank1lbs, txtTank1Gal, wandb::poundsToGallonsText);
}
void frmWandB::txtTank2lbs_LostFocus() {
    tankBoxLeft(txtTank2lbs, txtTank2Gal, wandb::poundsToGallonsText);
}
void frmWandB::txtTank3lbs_LostFocus() {
    tankBoxLeft(txtTank3lbs, txtTank3Gal, wandb::poundsToGallonsText);
}

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
        auto* item = new QListWidgetItem(QString::fromUtf8(records::trimSpaces(name)));
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        lstLoad->addItem(item);
    }
    lstLoad->show();
    // Ready for the keyboard: arrows move, Enter picks (itemActivated).
    lstLoad->setCurrentRow(0);
    lstLoad->setFocus(Qt::OtherFocusReason);
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
    chartFigures = {rec->FwdCGLimit, rec->AftCGLimit, rec->MaxTOweight};
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
    chartFigures.zeroFuelWeight = out.result->zeroFuelWeight;
    chartFigures.zeroFuelCG = out.result->zeroFuelCG;
    chartFigures.takeoffWeight = out.result->totalWeight;
    chartFigures.takeoffCG = out.result->takeoffCG;
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
    using State = wandb::LoadSheet::State;
    wandb::LoadSheet sheet;
    // Results print only beside the loading that produced them.
    sheet.state = !calculatedKey.isEmpty() && calculatedKey == loadingKey()  ? State::Calculated
                  : calculatedKey.isEmpty() && lblTOweight->text().isEmpty() ? State::NotCalculated
                                                                             : State::ChangedSince;
    sheet.ident = txtIdent->text().trimmed();
    sheet.make = txtMake->text().trimmed();
    sheet.rows.push_back({"Empty Aircraft",
                          {},
                          lblEmptyWeight->text(),
                          lblEmptyArm->text(),
                          lblEmptyMoment->text()});
    const auto all = rows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].pounds->isHidden()) continue;  // the aircraft has no such station
        const QLineEdit* amount = all[i].amount;
        const QString load = amount && !amount->text().isEmpty()
                                 ? amount->text() + " " + all[i].unit->text()
                                 : QString();
        sheet.rows.push_back({all[i].name->text().trimmed(), load, all[i].pounds->text(),
                              all[i].arm->text(), calculatedMoments[i]});
    }
    sheet.takeoff = {{}, {}, lblTotalWeight->text(), lblTotalArm->text(), lblTotalMoment->text()};
    sheet.zeroFuelWeight = lblZeroweight->text();
    sheet.zeroFuelCG = lblZeroCG->text();
    sheet.takeoffWeight = lblTOweight->text();
    sheet.takeoffCG = lblTakeoffCG->text();
    sheet.maxWeight = lblMaxWeight->text();
    sheet.fwdLimit = lblFwdLimit->text();
    sheet.aftLimit = lblAftLimit->text();
    sheet.chart = chartFigures;
    return wandb::loadSheetPage(sheet);
}
