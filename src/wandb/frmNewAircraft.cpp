#include "wandb/frmNewAircraft.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <variant>

#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"
#include "wandb/AircraftFiles.h"
#include "wandb/frmWandB.h"

namespace {

// A station frame: two headings over rows of name and arm boxes.
QGroupBox* stationFrame(QWidget* parent, const char* name, const QString& caption,
                        const QString& nameHeading, std::initializer_list<QLineEdit**> boxes,
                        std::initializer_list<const char*> names) {
    auto* fra = Controls::named<QGroupBox>(parent, name, caption);
    auto* grid = new QGridLayout(fra);
    grid->addWidget(new QLabel(nameHeading, fra), 0, 0);
    grid->addWidget(new QLabel("Arm", fra), 0, 1);
    auto b = boxes.begin();
    auto n = names.begin();
    for (int row = 1; b != boxes.end(); ++row) {
        **b = Controls::lineBox(fra, *n, 20);
        grid->addWidget(**b, row, 0);
        ++b, ++n;
        **b = Controls::lineBox(fra, *n);
        grid->addWidget(**b, row, 1);
        ++b, ++n;
    }
    grid->setRowStretch(static_cast<int>(boxes.size() / 2) + 1, 1);  // rows stay at the top
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    return fra;
}

}  // namespace

frmNewAircraft::frmNewAircraft() {
    setObjectName("frmNewAircraft");
    setWindowTitle("Input New Aircraft");

    auto* outer = new QVBoxLayout(this);
    auto* figures = new QGridLayout;
    outer->addLayout(figures);
    const struct {
        QLineEdit** box;
        const char* name;
        const char* caption;
        int maxLength;
    } rows[] = {
        {&txtIdent, "txtIdent", "Aircraft Ident:", 15},
        {&txtMake, "txtMake", "Aircraft Make/Model:", 15},
        {&txtEmptyWeight, "txtEmptyWeight", "Aircraft Empty Weight:", 0},
        {&txtEmptyMoment, "txtEmptyMoment", "Aircraft Empty Moment:", 0},
        {&txtMaxTOweight, "txtMaxTOweight", "Maximum Takeoff Weight:", 0},
        {&txtFwdCGLimit, "txtFwdCGLimit", "Forward CG Limit:", 0},
        {&txtAftCGLimit, "txtAftCGLimit", "Aft CG Limit:", 0},
    };
    int r = 0;
    for (const auto& row : rows) {
        *row.box = Controls::lineBox(this, row.name, row.maxLength);
        figures->addWidget(new QLabel(row.caption, this), r, 0);
        figures->addWidget(*row.box, r, 1);
        ++r;
    }

    auto* stations = new QGridLayout;
    outer->addLayout(stations);
    fraSeats = stationFrame(
        this, "fraSeats", "Seats", "Seat Name",
        {&txtSeat1Name, &txtSeat1Arm, &txtSeat2Name, &txtSeat2Arm, &txtSeat3Name, &txtSeat3Arm},
        {"txtSeat1Name", "txtSeat1Arm", "txtSeat2Name", "txtSeat2Arm", "txtSeat3Name",
         "txtSeat3Arm"});
    fraBags = stationFrame(
        this, "fraBags", "Baggage", "Name",
        {&txtBag1Name, &txtBag1Arm, &txtBag2Name, &txtBag2Arm, &txtBag3Name, &txtBag3Arm},
        {"txtBag1Name", "txtBag1Arm", "txtBag2Name", "txtBag2Arm", "txtBag3Name", "txtBag3Arm"});
    fraFuel = stationFrame(
        this, "fraFuel", "Fuel", "Tank Name",
        {&txtTank1Name, &txtTank1Arm, &txtTank2Name, &txtTank2Arm, &txtTank3Name, &txtTank3Arm},
        {"txtTank1Name", "txtTank1Arm", "txtTank2Name", "txtTank2Arm", "txtTank3Name",
         "txtTank3Arm"});
    fraOil = stationFrame(this, "fraOil", "Oil (If not included in Empty Weight)", "Name",
                          {&txtOilName, &txtOilArm}, {"txtOilName", "txtOilArm"});
    stations->addWidget(fraSeats, 0, 0);
    stations->addWidget(fraBags, 0, 1);
    stations->addWidget(fraFuel, 1, 0);
    stations->addWidget(fraOil, 1, 1);

    auto* buttons = new QHBoxLayout;
    outer->addLayout(buttons);
    cmdSave = Controls::named<QPushButton>(this, "cmdSave", "Save Aircraft");
    cmdCancel = Controls::named<QPushButton>(this, "cmdCancel", "Cancel");
    cmdSave->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    QWidget* order[] = {
        txtIdent,      txtMake,      txtEmptyWeight, txtEmptyMoment, txtMaxTOweight, txtFwdCGLimit,
        txtAftCGLimit, txtSeat1Name, txtSeat1Arm,    txtSeat2Name,   txtSeat2Arm,    txtSeat3Name,
        txtSeat3Arm,   txtBag1Name,  txtBag1Arm,     txtBag2Name,    txtBag2Arm,     txtBag3Name,
        txtBag3Arm,    txtTank1Name, txtTank1Arm,    txtTank2Name,   txtTank2Arm,    txtTank3Name,
        txtTank3Arm,   txtOilName,   txtOilArm,      cmdSave,        cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave, &QPushButton::clicked, this, &frmNewAircraft::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewAircraft::cmdCancel_Click);
}

void frmNewAircraft::Form_Load() {
    // Installed after the registry's own watcher, so it sees a close through
    // the frame first: this window is only ever hidden, keeping its boxes.
    installEventFilter(this);
}

bool frmNewAircraft::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::Close && !Forms::ending()) {
        event->ignore();
        hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmNewAircraft::cmdSave_Click() {
    auto text = [](const QLineEdit* e) { return WindowText::toBytes(e->text()); };
    wandb::AircraftDefinition def;
    def.Ident = text(txtIdent);
    def.Make = text(txtMake);
    def.EmptyWeight = text(txtEmptyWeight);
    def.EmptyMoment = text(txtEmptyMoment);
    def.MaxTOweight = text(txtMaxTOweight);
    def.FwdCGLimit = text(txtFwdCGLimit);
    def.AftCGLimit = text(txtAftCGLimit);
    def.Seat1Name = text(txtSeat1Name);
    def.Seat1Arm = text(txtSeat1Arm);
    def.Seat2Name = text(txtSeat2Name);
    def.Seat2Arm = text(txtSeat2Arm);
    def.Seat3Name = text(txtSeat3Name);
    def.Seat3Arm = text(txtSeat3Arm);
    def.Bag1Name = text(txtBag1Name);
    def.Bag1Arm = text(txtBag1Arm);
    def.Bag2Name = text(txtBag2Name);
    def.Bag2Arm = text(txtBag2Arm);
    def.Bag3Name = text(txtBag3Name);
    def.Bag3Arm = text(txtBag3Arm);
    def.Tank1Name = text(txtTank1Name);
    def.Tank1Arm = text(txtTank1Arm);
    def.Tank2Name = text(txtTank2Name);
    def.Tank2Arm = text(txtTank2Arm);
    def.Tank3Name = text(txtTank3Name);
    def.Tank3Arm = text(txtTank3Arm);
    def.OilName = text(txtOilName);
    def.OilArm = text(txtOilArm);

    const auto built = wandb::buildAircraft(def, WindowText::numberLocale());
    if (const auto* p = std::get_if<wandb::DefinitionError>(&built)) {
        MessageBox::show(QString::fromStdString(p->text), QString::fromStdString(p->title),
                         MessageBox::Buttons::Ok,
                         p->warning ? MessageBox::Icon::Exclamation : MessageBox::Icon::None, this);
        return;
    }
    const auto& rec = std::get<wandb::AircraftRecord>(built);
    modLog::AircraftRecLen = static_cast<std::int16_t>(wandb::AircraftRecord::Size);
    const std::string path = wandb::aircraftFileName(rec.Ident.raw());
    if (const auto saved = wandb::saveAircraft(path, rec); !saved) {
        MessageBox::show(MessageBox::failureText(records::Action::SaveAircraft,
                                                 QString::fromStdString(path), saved.failure()),
                         "Aircraft Not Saved", MessageBox::Buttons::Ok, MessageBox::Icon::Stop,
                         this);
        return;
    }
    hide();
    Forms::show<frmWandB>();
}

void frmNewAircraft::cmdCancel_Click() { hide(); }
