#include "wandb/frmWandB.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <vector>

#include "records/Fields.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"
#include "wandb/AircraftFiles.h"
#include "wandb/LoadSheet.h"
#include "wandb/Loading.h"
#include "wandb/frmNewAircraft.h"

namespace {

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

    auto* central = Controls::named<QWidget>(this, "centralWidget");
    setCentralWidget(central);
    auto* outer = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    outer->addLayout(left, 3);
    outer->addLayout(right, 1);

    arrangeLoading(central, left);
    arrangeResults(central, right);
    lstLoad = Controls::named<QListWidget>(central, "lstLoad");
    right->addWidget(lstLoad);
    auto button = [&](QPushButton*& b, const char* name, const QString& caption) {
        b = Controls::named<QPushButton>(central, name, caption);
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
    QMenu* file = SharedCommands::menu(this, "&File", "mnuFile");
    mnuNew = SharedCommands::action(this, "mnuNew", "&New Aircraft", [this] { cmdNew_Click(); });
    mnuLoad =
        SharedCommands::action(this, "mnuLoad", "&Load Aircraft", [this] { cmdLoad_Click(); });
    mnuCG =
        SharedCommands::action(this, "mnuCG", "&Calculate CG", [this] { cmdCalculateCG_Click(); });
    mnuMain = SharedCommands::action(this, "mnuMain", "&Main Menu", [this] { cmdMain_Click(); });
    mnuExit = SharedCommands::action(this, "mnuExit", "E&xit", [this] { mnuExit_Click(); });
    file->addAction(mnuNew);
    file->addAction(mnuLoad);
    file->addAction(mnuCG);
    file->addSeparator();
    file->addAction(mnuMain);
    file->addAction(mnuExit);
    QMenu* edit = SharedCommands::addEditMenu(this, SharedCommands::EditShortcuts::None);
    edit->addSeparator();
    mnuClear = SharedCommands::action(this, "mnuClear", "C&lear", [this] { cmdClear_Click(); });
    edit->addAction(mnuClear);
    QMenu* print = SharedCommands::menu(this, "&Print", "mnuPrint");
    mnuPrint1 = SharedCommands::action(this, "mnuPrint1", "&Print", [this] { mnuPrint1_Click(); });
    print->addAction(mnuPrint1);
    SharedCommands::addHelpMenu(this);

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
    const auto text = convert(WindowText::toBytes(typed->text()), WindowText::numberLocale());
    if (!text) {
        MessageBox::show("Recheck Input", "Invalid Input", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Stop, this);
        return;
    }
    other->setText(WindowText::fromBytes(*text));
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
    txtIdent->setText(WindowText::fromField(rec->Ident));
    txtMake->setText(WindowText::fromField(rec->Make));
    lblEmptyWeight->setText(WindowText::single(rec->EmptyWeight));
    lblEmptyMoment->setText(WindowText::single(rec->EmptyMoment));
    lblMaxWeight->setText(WindowText::single(rec->MaxTOweight));
    lblFwdLimit->setText(WindowText::single(rec->FwdCGLimit));
    lblAftLimit->setText(WindowText::single(rec->AftCGLimit));
    chartFigures = {rec->FwdCGLimit, rec->AftCGLimit, rec->MaxTOweight};
    const auto all = stationRows;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const wandb::Station s = wandb::kStations[i];
        const bool present = rec->hasStation(s);
        if (present) {
            all[i].name->setText(WindowText::fromField(rec->name(s)));
            all[i].arm->setText(WindowText::single(rec->arm(s)));
        }
        for (QWidget* w : all[i].shownWithStation) w->setVisible(present);
    }
}

void frmWandB::cmdCalculateCG_Click() {
    auto bytes = [](const QString& s) { return WindowText::toBytes(s); };
    wandb::LoadingInput in;
    in.emptyWeight = bytes(lblEmptyWeight->text());
    in.emptyMoment = bytes(lblEmptyMoment->text());
    in.ident = bytes(txtIdent->text());
    const auto all = stationRows;
    for (std::size_t i = 0; i < all.size(); ++i) {
        in.pounds[i] = bytes(all[i].pounds->text());
        in.shown[i] = !all[i].pounds->isHidden();
    }
    in.tankGallons = {bytes(txtTank1Gal->text()), bytes(txtTank2Gal->text()),
                      bytes(txtTank3Gal->text())};
    in.oilQuarts = bytes(txtOilQts->text());

    const wandb::LoadingOutcome out = wandb::calculateLoading(in, WindowText::numberLocale());
    QLineEdit* tankPounds[] = {txtTank1lbs, txtTank2lbs, txtTank3lbs};
    for (std::size_t t = 0; t < 3; ++t)
        if (out.tankPounds[t]) tankPounds[t]->setText(WindowText::fromBytes(*out.tankPounds[t]));
    if (out.oilPounds) txtOillbs->setText(WindowText::fromBytes(*out.oilPounds));
    for (std::size_t i = 0; i < all.size(); ++i)
        if (out.moments[i]) all[i].moment->setText(WindowText::single(*out.moments[i]));
    calculatedKey.clear();
    if (!out.result) {
        MessageBox::show(
            "You must select an Aircraft and fill in all appropriate fields before you can "
            "calculate the CG",
            "ERROR", MessageBox::Buttons::Ok, MessageBox::Icon::None, this);
        return;
    }
    lblTotalWeight->setText(WindowText::single(out.result->totalWeight));
    lblTOweight->setText(WindowText::single(out.result->totalWeight));
    lblTotalMoment->setText(WindowText::single(out.result->totalMoment));
    lblZeroweight->setText(WindowText::single(out.result->zeroFuelWeight));
    lblTakeoffCG->setText(WindowText::single(out.result->takeoffCG));
    lblZeroCG->setText(WindowText::single(out.result->zeroFuelCG));
    chartFigures.zeroFuelWeight = out.result->zeroFuelWeight;
    chartFigures.zeroFuelCG = out.result->zeroFuelCG;
    chartFigures.takeoffWeight = out.result->totalWeight;
    chartFigures.takeoffCG = out.result->takeoffCG;
    calculatedKey = loadingKey();
    for (std::size_t i = 0; i < all.size(); ++i)
        calculatedMoments[i] = out.moments[i] ? WindowText::single(*out.moments[i]) : QString();
}

QString frmWandB::loadingKey() const {
    QStringList parts = {txtIdent->text(),    lblEmptyWeight->text(), lblEmptyMoment->text(),
                         txtTank1Gal->text(), txtTank2Gal->text(),    txtTank3Gal->text(),
                         txtOilQts->text()};
    for (const Row& r : stationRows)
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

void frmWandB::mnuExit_Click() { SharedCommands::exitProgram(); }

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
    const auto all = stationRows;
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
