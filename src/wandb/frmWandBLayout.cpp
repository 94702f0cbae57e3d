// Building the weight-and-balance window's controls: the loading on the left
// in frames of station rows, the results and limits on the right.
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <vector>

#include "shell/Controls.h"
#include "wandb/frmWandB.h"

namespace {

// Station names and figures come from aircraft files: shown as plain text,
// so markup in a file (an <img> naming a device, say) is never interpreted.
QLabel* label(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* l = Controls::named<QLabel>(parent, name, caption);
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
    auto* e = Controls::named<QLineEdit>(parent, name);
    e->setMaximumWidth(80);
    return e;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    return Controls::named<QGroupBox>(parent, name, caption);
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

}  // namespace

void frmWandB::arrangeLoading(QWidget* central, QVBoxLayout* left) {
    // Aircraft.
    auto* head = new QGridLayout;
    left->addLayout(head);
    txtIdent = Controls::named<QLineEdit>(central, "txtIdent");
    txtMake = Controls::named<QLineEdit>(central, "txtMake");
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
    std::size_t next = 0;  // stations in station order
    auto station = [&](QGroupBox* fra, int row, const QByteArray& n, QLabel*& name, QWidget* entry,
                       QLabel*& arm, QLabel*& moment, Row r) {
        auto* g = static_cast<QGridLayout*>(fra->layout());
        g->addWidget(name = label(fra, "lbl" + n), row, 0);
        g->addWidget(entry, row, 1, Qt::AlignCenter);
        g->addWidget(arm = figure(fra, "lbl" + n + "Arm"), row, 2);
        g->addWidget(moment = figure(fra, "lbl" + n + "Moment"), row, 3);
        r.name = name;
        r.arm = arm;
        r.moment = moment;
        r.shownWithStation.insert(r.shownWithStation.end(), {arm, moment});
        stationRows[next++] = r;
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
            station(fra, i, n, *names[i], *boxes[i], *arms[i], *moments[i],
                    {.shownWithStation = {*boxes[i]}, .pounds = *boxes[i]});
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
    auto twoUnitsRow = [](QLineEdit* amount, QLabel* amountUnit, QLineEdit* pounds,
                          QLabel* poundsUnit) {
        return Row{.shownWithStation = {amount, amountUnit, pounds, poundsUnit},
                   .pounds = pounds,
                   .amount = amount,
                   .unit = amountUnit};
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
        QWidget* entry = twoUnits(fraFuel, n, "Gal", *gal, *galUnit, *lbs, *lbsUnit);
        station(fraFuel, i, n, *name, entry, *arm, *moment,
                twoUnitsRow(*gal, *galUnit, *lbs, *lbsUnit));
    }
    frameGrid(fraOil, "fraOil", "Oil");
    QWidget* oil = twoUnits(fraOil, "Oil", "Qts", txtOilQts, lblOilQts, txtOillbs, lblOillbs);
    station(fraOil, 0, "Oil", lblOil, oil, lblOilArm, lblOilMoment,
            twoUnitsRow(txtOilQts, lblOilQts, txtOillbs, lblOillbs));

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
}

void frmWandB::arrangeResults(QWidget* central, QVBoxLayout* right) {
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
}
