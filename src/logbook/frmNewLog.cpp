#include "logbook/frmNewLog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "logbook/frmLogBook.h"
#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/modLog.h"

frmNewLog::frmNewLog() {
    setObjectName("frmNewLog");
    setWindowTitle("Create New Logbook");

    lblOtherInfo = new QLabel("Check all of the following that apply:", this);
    lblOtherInfo->setObjectName("lblOtherInfo");

    fraCerts = new QGroupBox("Certificates Held", this);
    fraCerts->setObjectName("fraCerts");
    chkStudent = Controls::named<QCheckBox>(fraCerts, "chkStudent", "Student Pilot");
    chkRec = Controls::named<QCheckBox>(fraCerts, "chkRec", "Recreational Pilot");
    chkPrivate = Controls::named<QCheckBox>(fraCerts, "chkPrivate", "Private Pilot");
    chkCommercial = Controls::named<QCheckBox>(fraCerts, "chkCommercial", "Commercial Pilot");
    Instructor = Controls::named<QCheckBox>(fraCerts, "Instructor", "Flight Instructor");
    chkatp = Controls::named<QCheckBox>(fraCerts, "chkatp", "Airline Transport Pilot");
    chkTech = Controls::named<QCheckBox>(fraCerts, "chkTech", "Aviation Technician");
    chkGround = Controls::named<QCheckBox>(fraCerts, "chkGround", "Ground Instructor");
    auto* certs = new QVBoxLayout(fraCerts);
    for (QCheckBox* c :
         {chkStudent, chkRec, chkPrivate, chkCommercial, Instructor, chkatp, chkTech, chkGround})
        certs->addWidget(c);
    certs->addStretch();

    fraRatings = new QGroupBox("Rating Record", this);
    fraRatings->setObjectName("fraRatings");
    chkSE = Controls::named<QCheckBox>(fraRatings, "chkSE", "Single Engine:");
    chkSEL = Controls::named<QCheckBox>(fraRatings, "chkSEL", "Land");
    chkSES = Controls::named<QCheckBox>(fraRatings, "chkSES", "Sea");
    chkMulti = Controls::named<QCheckBox>(fraRatings, "chkMulti", "Multi-Engine:");
    chkMEL = Controls::named<QCheckBox>(fraRatings, "chkMEL", "Land");
    chkMES = Controls::named<QCheckBox>(fraRatings, "chkMES", "Sea");
    chkMultiLim = Controls::named<QCheckBox>(fraRatings, "chkMultiLim", "Multi-Engine:");
    lblMultiLim = new QLabel("Limited to Center Line Thrust", fraRatings);
    lblMultiLim->setObjectName("lblMultiLim");
    chkInstr = Controls::named<QCheckBox>(fraRatings, "chkInstr", "Instrument");
    chkRotor = Controls::named<QCheckBox>(fraRatings, "chkRotor", "Rotorcraft");
    chkHeli = Controls::named<QCheckBox>(fraRatings, "chkHeli", "Helicoptor");
    chkGyro = Controls::named<QCheckBox>(fraRatings, "chkGyro", "Gyroplane");
    chkLighter = Controls::named<QCheckBox>(fraRatings, "chkLighter", "Lighter-Than-Air");
    chkAirship = Controls::named<QCheckBox>(fraRatings, "chkAirship", "Airship");
    chkBalloon = Controls::named<QCheckBox>(fraRatings, "chkBalloon", "Free Balloon");
    chkGlider = Controls::named<QCheckBox>(fraRatings, "chkGlider", "Glider");
    chkGeneral = Controls::named<QCheckBox>(fraRatings, "chkGeneral", "General");
    chkPower = Controls::named<QCheckBox>(fraRatings, "chkPower", "Powerplant");
    chkAirframe = Controls::named<QCheckBox>(fraRatings, "chkAirframe", "Airframe");
    chkGIBasic = Controls::named<QCheckBox>(fraRatings, "chkGIBasic", "GI Basic");
    chkGIAdvanced = Controls::named<QCheckBox>(fraRatings, "chkGIAdvanced", "GI Advanced");
    chkGIinstrument = Controls::named<QCheckBox>(fraRatings, "chkGIinstrument", "GI Instrument");
    chkOther = Controls::named<QCheckBox>(fraRatings, "chkOther", "Other Ratings");
    txtOther = Controls::lineBox(fraRatings, "txtOther");
    auto* rat = new QGridLayout(fraRatings);
    int r = 0;
    rat->addWidget(chkSE, r, 0);
    rat->addWidget(chkSEL, r, 1);
    rat->addWidget(chkSES, r++, 2);
    rat->addWidget(chkMulti, r, 0);
    rat->addWidget(chkMEL, r, 1);
    rat->addWidget(chkMES, r++, 2);
    rat->addWidget(chkMultiLim, r, 0);
    rat->addWidget(lblMultiLim, r++, 1, 1, 2);
    rat->addWidget(chkInstr, r++, 0);
    rat->addWidget(chkRotor, r, 0);
    rat->addWidget(chkHeli, r, 1);
    rat->addWidget(chkGyro, r++, 2);
    rat->addWidget(chkLighter, r, 0);
    rat->addWidget(chkAirship, r, 1);
    rat->addWidget(chkBalloon, r++, 2);
    rat->addWidget(chkGlider, r++, 0);
    rat->addWidget(chkGeneral, r, 0);
    rat->addWidget(chkPower, r, 1);
    rat->addWidget(chkAirframe, r++, 2);
    rat->addWidget(chkGIBasic, r, 0);
    rat->addWidget(chkGIAdvanced, r, 1);
    rat->addWidget(chkGIinstrument, r++, 2);
    rat->addWidget(chkOther, r, 0);
    rat->addWidget(txtOther, r++, 1, 1, 2);

    fraTypes = new QGroupBox("Aircraft Type Ratings", this);
    fraTypes->setObjectName("fraTypes");
    txtTyperate1 = Controls::lineBox(fraTypes, "txtTyperate1");
    txtTyperate2 = Controls::lineBox(fraTypes, "txtTyperate2");
    txtTyperate3 = Controls::lineBox(fraTypes, "txtTyperate3");
    txtTyperate4 = Controls::lineBox(fraTypes, "txtTyperate4");
    txtTyperate5 = Controls::lineBox(fraTypes, "txtTyperate5");
    txtTyperate6 = Controls::lineBox(fraTypes, "txtTyperate6");
    auto* types = new QGridLayout(fraTypes);
    for (int i = 0; i < 6; ++i)
        types->addWidget(typeBoxes()[static_cast<std::size_t>(i)], i / 3, i % 3);

    cmdSave = new QPushButton("Save", this);
    cmdSave->setObjectName("cmdSave");
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* middle = new QHBoxLayout;
    middle->addWidget(fraCerts);
    middle->addWidget(fraRatings, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblOtherInfo);
    layout->addLayout(middle);
    layout->addWidget(fraTypes);
    layout->addLayout(buttons);

    connect(cmdSave, &QPushButton::clicked, this, &frmNewLog::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewLog::cmdCancel_Click);
}

std::array<QLineEdit*, 6> frmNewLog::typeBoxes() const {
    return {txtTyperate1, txtTyperate2, txtTyperate3, txtTyperate4, txtTyperate5, txtTyperate6};
}

std::vector<std::pair<QCheckBox*, bool logbook::Ratings::*>> frmNewLog::boxes() const {
    using R = logbook::Ratings;
    return {{chkStudent, &R::student},
            {chkRec, &R::recreational},
            {chkPrivate, &R::privatePilot},
            {chkCommercial, &R::commercial},
            {Instructor, &R::instructor},
            {chkatp, &R::atp},
            {chkTech, &R::technician},
            {chkGround, &R::groundInstructor},
            {chkSE, &R::single},
            {chkSEL, &R::seLand},
            {chkSES, &R::seSea},
            {chkMulti, &R::multi},
            {chkMEL, &R::meLand},
            {chkMES, &R::meSea},
            {chkMultiLim, &R::multiLimited},
            {chkInstr, &R::instrument},
            {chkRotor, &R::rotorcraft},
            {chkHeli, &R::helicopter},
            {chkGyro, &R::gyroplane},
            {chkLighter, &R::lighter},
            {chkAirship, &R::airship},
            {chkBalloon, &R::balloon},
            {chkGlider, &R::glider},
            {chkGeneral, &R::general},
            {chkPower, &R::powerplant},
            {chkAirframe, &R::airframe},
            {chkGIBasic, &R::giBasic},
            {chkGIAdvanced, &R::giAdvanced},
            {chkGIinstrument, &R::giInstrument},
            {chkOther, &R::other}};
}

void frmNewLog::Form_Load() {
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    // A file that is no logbook shows empty boxes; saving then refuses it.
    const auto rec = logbook::readRatingRecord(WindowText::toPath(modLog::LogPath));
    const logbook::Ratings g = rec ? logbook::ratingsFrom(*rec) : logbook::Ratings{};
    for (const auto& [c, field] : boxes()) c->setChecked(g.*field);
    txtOther->setText(WindowText::fromBytes(g.otherRatings));
    for (std::size_t i = 0; i < 6; ++i)
        typeBoxes()[i]->setText(WindowText::fromBytes(g.typeRatings[i]));
}

void frmNewLog::cmdSave_Click() {
    logbook::Ratings g;
    for (const auto& [c, field] : boxes()) g.*field = c->isChecked();
    g.otherRatings = WindowText::toBytes(txtOther->text());
    for (std::size_t i = 0; i < 6; ++i)
        g.typeRatings[i] = WindowText::toBytes(typeBoxes()[i]->text());
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    if (const auto saved = logbook::saveRatings(WindowText::toPath(modLog::LogPath), g); !saved) {
        MessageBox::show(
            MessageBox::failureText(records::Action::SaveRatings, "the logbook", saved.failure()),
            "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
        return;
    }
    backToViewer();
}

void frmNewLog::cmdCancel_Click() { backToViewer(); }

void frmNewLog::backToViewer() {
    leaving_ = true;
    hide();
    Forms::show<frmLogBook>();
    Forms::unload<frmNewLog>();
}

void frmNewLog::closeEvent(QCloseEvent* event) {
    if (!leaving_ && !Forms::ending()) Forms::show<frmLogBook>();
    event->accept();
}
