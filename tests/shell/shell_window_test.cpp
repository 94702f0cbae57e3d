// The window model, the splash, main menu, exit confirmation and About
// windows, and the commands the tool windows share.
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <csignal>
#include <memory>

#include "WindowTest.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmLogInput.h"
#include "logbook/frmMain.h"
#include "logbook/frmNewLog.h"
#include "logbook/frmTotalTime.h"
#include "planner/frmFPCheck.h"
#include "planner/frmFPLog.h"
#include "planner/frmFlightLogInput.h"
#include "planner/frmFlightPlanRecord.h"
#include "planner/frmPersonal.h"
#include "planner/frmPlanner.h"
#include "planner/frmRecordInput.h"
#include "shell/FileDialog.h"
#include "shell/HelpViewer.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/SharedCommands.h"
#include "shell/TerminationSignals.h"
#include "shell/ToolLaunch.h"
#include "shell/WindowText.h"
#include "shell/frmAbout.h"
#include "shell/frmMenu.h"
#include "shell/frmSplash.h"
#include "shell/frmquit.h"
#include "shell/modLog.h"
#include "wandb/frmNewAircraft.h"
#include "wandb/frmWandB.h"

using testsupport::child;
using testsupport::whenShown;

// A window of the program's kind, to watch the registry at work.
class frmProbe : public QMainWindow {
  public:
    frmProbe() {
        setObjectName("frmProbe");
        txtA = new QLineEdit(this);
        txtA->setObjectName("txtA");
        txtB = new QLineEdit(this);
        txtB->setObjectName("txtB");
        txtB->move(0, 40);
        txtC = new QPlainTextEdit(this);
        txtC->setObjectName("txtC");
        txtC->setGeometry(0, 80, 200, 60);
        ++constructed;
    }
    void Form_Load() { ++loads; }
    QLineEdit* txtA;
    QLineEdit* txtB;
    QPlainTextEdit* txtC;
    int loads = 0;
    static inline int constructed = 0;
};

// An entry window: a box, OK and Cancel.
class frmModalProbe : public QDialog {
  public:
    frmModalProbe() {
        setObjectName("frmModalProbe");
        txtBox = new QLineEdit(this);
        cmdOther = new QPushButton("Other", this);
        cmdOK = new QPushButton("OK", this);
        cmdOK->setObjectName("cmdOK");
        cmdCancel = new QPushButton("Cancel", this);
        cmdCancel->setObjectName("cmdCancel");
        for (auto* b : {cmdOther, cmdOK, cmdCancel}) b->setAutoDefault(false);
        auto* l = new QVBoxLayout(this);
        for (QWidget* c : {static_cast<QWidget*>(txtBox), static_cast<QWidget*>(cmdOther),
                           static_cast<QWidget*>(cmdOK), static_cast<QWidget*>(cmdCancel)})
            l->addWidget(c);
    }
    QLineEdit* txtBox;
    QPushButton* cmdOther;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

template <class T>
QWidget* newWindow() {
    return new T;
}

class ShellTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        testsupport::resetShell();
        ToolLaunch::openLogbook = nullptr;
        ToolLaunch::openPlanner = nullptr;
        ToolLaunch::openWandB = nullptr;
    }

    void registryLoadsOnceAndKeepsHiddenWindows() {
        const int before = frmProbe::constructed;
        frmProbe* w = Forms::show<frmProbe>();
        QVERIFY(w->isVisible());
        QCOMPARE(w->loads, 1);
        w->txtA->setText("kept");
        Forms::hide<frmProbe>();
        QVERIFY(!w->isVisible());
        QVERIFY(Forms::isLoaded<frmProbe>());
        QCOMPARE(Forms::show<frmProbe>(), w);
        QCOMPARE(w->loads, 1);
        QCOMPARE(w->txtA->text(), QString("kept"));
        QCOMPARE(frmProbe::constructed, before + 1);

        Forms::unload<frmProbe>();
        QVERIFY(!Forms::isLoaded<frmProbe>());
        frmProbe* again = Forms::show<frmProbe>();
        QCOMPARE(again->loads, 1);
        QVERIFY(again->txtA->text().isEmpty());
        QCOMPARE(frmProbe::constructed, before + 2);
    }

    void closingThroughTheFrame() {
        // The last visible window asks first; No keeps it as it was.
        frmProbe* w = Forms::show<frmProbe>();
        w->txtA->setText("kept");
        bool asked = false;
        const auto quit = whenShown<frmquit>([&](frmquit* q) {
            asked = q->isVisible();
            child<QPushButton>(q, "cmdNo")->click();
        });
        QVERIFY(!w->close());
        QVERIFY(quit.ran());
        QVERIFY(asked);
        QVERIFY(Forms::isLoaded<frmProbe>() && w->isVisible());
        QCOMPARE(w->txtA->text(), QString("kept"));
        // Beside another window it is simply unloaded.
        Forms::show<frmMenu>();
        w->close();
        QVERIFY(!Forms::isLoaded<frmProbe>());
        QVERIFY(Forms::show<frmProbe>()->txtA->text().isEmpty());
        // An entry window runs its Cancel step.
        auto* d = Forms::show<frmModalProbe>();
        int cancels = 0;
        QObject::connect(child<QPushButton>(d, "cmdCancel"), &QPushButton::clicked,
                         [&] { ++cancels; });
        QVERIFY(!d->close());
        QCOMPARE(cancels, 1);
    }

    void showModalReturnsWhenHiddenOrUnloaded() {
        bool sawVisible = false;
        const auto hidden = whenShown<frmModalProbe>([&](frmModalProbe* d) {
            sawVisible = d->isVisible();
            Forms::hide<frmModalProbe>();
        });
        Forms::showModal<frmModalProbe>();
        QVERIFY(hidden.ran());
        QVERIFY(sawVisible);
        QVERIFY(Forms::isLoaded<frmModalProbe>());
        const auto unloaded =
            whenShown<frmModalProbe>([](frmModalProbe*) { Forms::unload<frmModalProbe>(); });
        Forms::showModal<frmModalProbe>();
        QVERIFY(unloaded.ran());
        QVERIFY(!Forms::isLoaded<frmModalProbe>());
    }

    void everyWindowHoldsEachOfItsNamedControlsOnce() {
        const std::pair<QWidget* (*)(), const char*> windows[] = {
            {&newWindow<frmAbout>,
             "cmdOK lblDescription lblDisclaimer lblTitle lblVersion picIcon"},
            {&newWindow<frmCurrent>,
             "Label2 cmdBacktoLog cmdMain lblDayLandings lblInstrApp lblInstrApp2 lblLandDay "
             "lblNight lblNightLand lblTotalInstr mnuExit mnuMain mnuPrint mnuSep1 txtDayLandings "
             "txtInstrApp txtNightLand txtTotalInstr"},
            {&newWindow<frmFPCheck>,
             "txtAGS txtATA txtATE txtCH txtDEV txtEGS txtETA txtETE txtFRem txtFUsed txtFreq "
             "txtFrom txtIdent txtLegDist txtLegRem txtMH txtName txtTC txtTH txtTo txtVAR txtWCA"},
            {&newWindow<frmFPLog>,
             "lblAGS lblAIdent lblATA lblATE lblAlt lblAltitude lblCH lblCheck lblDEV lblDist "
             "lblDistRem lblEGS lblETA lblETE lblElapsed lblFRem lblFUsed lblFreq lblFrom "
             "lblIdent lblMH lblOnboard lblRadFrom lblRadTo lblRate lblRemaining "
             "lblRequired lblTAS lblTC lblTH lblTimeOn lblTimeoff lblTo lblVAR lblWCA "
             "mnuCheckpoint mnuEditLog mnuExit mnuMain mnuPrint mnuPrintLog mnuRemove mnuShowRec "
             "txtRunway"},
            {&newWindow<frmFlightLogInput>,
             "lblAlt lblAltitude lblElapsed lblFRem lblFrom lblFuelOn lblFuelRate lblFuelReq "
             "lblHeading lblRunway lblTAS lblTimeOff lblTimeOn lblTo lblident txtAlt txtAltitude "
             "txtElapsed txtFRem txtFrom txtFuelOn txtFuelRate txtFuelReq txtIdent txtRunway "
             "txtTAS txtTimeOff txtTimeOn txtTo"},
            {&newWindow<frmFlightPlanRecord>,
             "lblAboard lblAboard1 lblActual lblActual1 lblAerokit lblAlternates lblAlts lblCity "
             "lblClose lblClose2 lblColor lblColor1 lblCruise lblCurise1 lblDVFR lblDVFR1 "
             "lblDepart lblDepart1 lblDepartTime lblDestination lblDestination1 lblEnRoute "
             "lblFHours lblFMinutes lblFuel lblHomeBase lblHours lblHours1 lblHours2 lblIFR "
             "lblIFR1 lblIdent lblIdent1 lblKTS lblMinutes lblMinutes1 lblMinutes2 lblName "
             "lblPersonal lblPhone lblProposed lblRecord lblRemarks lblRoute lblRoute1 lblSpecial1 "
             "lblSpeciallblSpecial lblState lblStreet lblSuffixes lblTrueSpeed1 lblTruespeed "
             "lblType lblType1 lblVFR lblVFR1 lblZip lblproposed1 mnuEditPersonal mnuEditPlan "
             "mnuExit mnuLog mnuMain mnuPrint mnuPrintRec picSuffixes"},
            {&newWindow<frmLogBook>,
             "cmbInstrApp4 cmbIntrApp1 txtDate txtFrom txtIdent txtInstrApp txtInstrApp4 "
             "txtIntrApp1 txtLandings txtMake txtNightLand txtRemarks txtTo txtTotal txtXCountry "
             "cmdAddFlight cmdBrowse cmdCurrent cmdExit cmdMainMenu cmdOtherInfo cmdTotalTimes "
             "cmddelete fradateofflight lstDate mnuExit mnuMain mnuPrint mnuRemove"},
            {&newWindow<frmLogBrowse>,
             "lblDate lblDay lblDepart lblDual lblIdent lblIntstrApp lblLandings lblNight lblPIC "
             "lblTo lblTotal lstLogBook mnuExit mnuPrint mnusep1"},
            {&newWindow<frmLogInput>,
             "chkMEL chkMES chkSEL chkSES cmbInstrApp3 cmbInstrApp4 cmbIntrApp1 cmbIntrApp2 "
             "fraArrive fraConditions fraType fraaircrafttype optAirship optGlider optMEL optRotor "
             "optSingle txtCFI txtCFII txtDate txtDay txtDual txtFrom txtGround txtIdent "
             "txtInCommand txtInstrApp txtInstrApp4 txtInstrument txtIntrApp1 txtIntrApp2 "
             "txtIntrApp3 txtLandings txtMake txtNight txtNightLand txtRemarks txtSIC "
             "txtSimInstrument txtSimulator txtTo txtTotal txtXCountry cmdCancel cmdSaveInfo "
             "mnuExit mnuMain"},
            {&newWindow<frmMain>, "cmdExitLog cmdNewLog cmdOpenLog lblTitle"},
            {&newWindow<frmMenu>, "Label1 Label3 cmdExit cmdLogbook cmdPreFlight cmdWandB"},
            {&newWindow<frmNewAircraft>,
             "cmdCancel cmdSave fraBags fraFuel fraOil fraSeats txtAftCGLimit txtBag1Arm "
             "txtBag1Name txtBag2Arm txtBag2Name txtBag3Arm txtBag3Name txtEmptyMoment "
             "txtEmptyWeight txtFwdCGLimit txtIdent txtMake txtMaxTOweight txtOilArm txtOilName "
             "txtSeat1Arm txtSeat1Name txtSeat2Arm txtSeat2Name txtSeat3Arm txtSeat3Name "
             "txtTank1Arm txtTank1Name txtTank2Arm txtTank2Name txtTank3Arm txtTank3Name"},
            {&newWindow<frmNewLog>,
             "chkAirframe chkAirship chkBalloon chkCommercial chkGIAdvanced chkGIBasic "
             "chkGIinstrument chkGeneral chkGlider chkGround chkGyro chkHeli chkInstr chkLighter "
             "chkMEL chkMES chkMulti chkMultiLim chkOther chkPower chkPrivate chkRec chkRotor "
             "chkSE chkSEL chkSES chkStudent chkTech chkatp cmdCancel cmdSave fraCerts fraRatings "
             "fraTypes lblMultiLim lblOtherInfo txtOther txtTyperate1 txtTyperate2 txtTyperate3 "
             "txtTyperate4 txtTyperate5 txtTyperate6"},
            {&newWindow<frmPersonal>,
             "lblCity lblName lblPhone lblState lblZip txtAddress txtCity txtHome txtName txtPhone "
             "txtState txtZip"},
            {&newWindow<frmPlanner>, "cmdExitPlanner cmdNewPlan cmdOpenplan lblPreflight"},
            {&newWindow<frmRecordInput>,
             "cmdPersonal fraType lblAboard lblClose lblColor lblCruise lblDepart lblFHours "
             "lblFMinutes lblHours lblIdent lblMinutes lblRemarks lblRoute lblType optDVFR optIFR "
             "optVFR txtAboard txtAct txtAltPorts txtClose txtColor txtCruise txtDepart txtDest "
             "txtFHours txtFMinutes txtHours txtIdent txtMinutes txtProp txtRemarks txtRoute "
             "txtSpecial txtSpeed txtType"},
            {&newWindow<frmSplash>, "Frame1 imgLogo lblPlatform lblProductName lblVersion"},
            {&newWindow<frmTotalTime>,
             "chkIdent chkType cmbIdent cmbType cmdBackMenu cmdLogBook fraConditions fraType "
             "lblDay lblDual lblInstrApp lblLandings lblNight lblNightLand lblTotal mnuExit "
             "mnuMain mnuPrint txtCFI txtCFII txtDay txtDual txtGround txtInCommand txtInstrApp "
             "txtInstrument txtLandings txtNight txtNightLand txtSIC txtSimInstrument txtSimulator "
             "txtTotal txtXCountry"},
            {&newWindow<frmWandB>,
             "lblTank1 lblTank1Arm lblTank1Gal lblTank1Moment lblTank1lbs lblTank3 lblTank3Arm "
             "lblTank3Gal lblTank3Moment lblTank3lbs txtTank1Gal txtTank1lbs txtTank2Gal "
             "txtTank2lbs txtTank3Gal txtTank3lbs mnuAbout mnuCopy mnuCut mnuHelp mnuHelp1 "
             "mnuPaste cmdCalculateCG cmdClear cmdLoad cmdMain cmdNew fraBags fraCG fraFuel fraOil "
             "fraSeats "
             "fraTotal fraWeights lblAftLimit lblBags1 lblBags1Arm lblBags1Moment lblBags3 "
             "lblBags3Arm lblBags3Moment lblEmptyArm lblEmptyMoment lblEmptyWeight lblFwdLimit "
             "lblMaxWeight lblOil lblOilArm lblOilMoment lblOilQts lblOillbs lblSeat1 lblSeat1Arm "
             "lblSeat1Moment lblSeat3 lblSeat3Arm lblSeat3Moment lblTOweight lblTakeoffCG "
             "lblTotalArm lblTotalMoment lblTotalWeight lblZeroCG lblZeroweight lstLoad mnuCG "
             "mnuClear mnuExit mnuLoad mnuMain mnuNew mnuPrint mnuPrint1 txtBags1 txtBags3 "
             "txtIdent txtMake txtOilQts txtOillbs txtSeat1 txtSeat3"},
            {&newWindow<frmquit>, "cmdNo cmdYes"},
        };
        QStringList wrong;  // each control missing or named more than once
        for (const auto& [make, names] : windows) {
            const std::unique_ptr<QWidget> w(make());
            auto once = [&](const QString& name) {
                return w->findChildren<QObject*>(name).size() == 1;
            };
            // A control array's members carry their index: name_0, name_1...
            for (const QString& name : QString(names).split(' '))
                if (!once(name) && !once(name + "_0")) wrong << w->objectName() + " " + name;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
    }

    void splashShowsTitleVersionAndPlatform() {
        frmSplash* s = Forms::show<frmSplash>();
        QCOMPARE(child<QLabel>(s, "lblVersion")->text(), QString("Version 1.0.0"));
        QCOMPARE(child<QLabel>(s, "lblProductName")->text(), QString("Aerokit"));
        QVERIFY(!child<QLabel>(s, "lblPlatform")->text().isEmpty());
        QVERIFY(child<QLabel>(s, "lblPlatform")->text() != "Windows 95");
    }

    void splashCharacterKeysDismissIt_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter") << int(Qt::Key_A) << "a";
        QTest::newRow("digit") << int(Qt::Key_7) << "7";
        QTest::newRow("space") << int(Qt::Key_Space) << " ";
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r";
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b";
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b";
    }
    void splashCharacterKeysDismissIt() {
        QFETCH(int, key);
        QFETCH(QString, text);
        frmSplash* s = Forms::show<frmSplash>();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(s, &press);
        QVERIFY(!Forms::isLoaded<frmSplash>());
        QVERIFY(Forms::isLoaded<frmMenu>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
    }

    void splashIgnoresKeysWithoutCharacters() {
        frmSplash* s = Forms::show<frmSplash>();
        for (int key : {int(Qt::Key_Left), int(Qt::Key_Down), int(Qt::Key_Shift), int(Qt::Key_F5),
                        int(Qt::Key_Control)}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString());
            QApplication::sendEvent(s, &press);
        }
        QVERIFY(Forms::isLoaded<frmSplash>());
        QVERIFY(!Forms::isLoaded<frmMenu>());
    }

    void splashClicksCountOnlyOnTheFrameItself() {
        frmSplash* s = Forms::show<frmSplash>();
        s->resize(520, 260);
        QVERIFY(QTest::qWaitForWindowExposed(s));
        QTest::mouseClick(child<QLabel>(s, "lblVersion"), Qt::LeftButton);
        QTest::mouseClick(s->imgLogo, Qt::LeftButton);
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(2, 2));  // the margin
        QVERIFY(Forms::isLoaded<frmSplash>());
        QTest::mouseClick(s->Frame1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!Forms::isLoaded<frmSplash>());
        QVERIFY(Forms::isLoaded<frmMenu>());
    }

    void mainMenuCaptionsAndToolHandOver() {
        frmMenu* m = Forms::show<frmMenu>();
        QCOMPARE(m->windowTitle(), QString("Aerokit"));
        QCOMPARE(child<QLabel>(m, "Label1")->text(), QString("Aerokit"));
        QCOMPARE(child<QLabel>(m, "Label3")->text(), QString("Choose a Program:"));
        QCOMPARE(child<QPushButton>(m, "cmdLogbook")->text(), QString("Pilot Logbook"));
        QCOMPARE(child<QPushButton>(m, "cmdPreFlight")->text(), QString("Preflight Planner"));
        QCOMPARE(child<QPushButton>(m, "cmdWandB")->text(),
                 QString("Weight and Balance Calculator"));
        QCOMPARE(child<QPushButton>(m, "cmdExit")->text(), QString("Exit Aerokit"));

        // A tool that is not built in: its button does nothing.
        child<QPushButton>(m, "cmdWandB")->click();
        QVERIFY(Forms::isLoaded<frmMenu>());

        int opened = 0;
        ToolLaunch::openPlanner = [&] {
            ++opened;
            Forms::show<frmProbe>();
        };
        child<QPushButton>(m, "cmdPreFlight")->click();
        QCOMPARE(opened, 1);
        QVERIFY(Forms::get<frmProbe>()->isVisible());
        QVERIFY(!Forms::isLoaded<frmMenu>());  // closed, not only hidden
        frmMenu* fresh = Forms::show<frmMenu>();
        QCOMPARE(child<QPushButton>(fresh, "cmdPreFlight")->text(), QString("Preflight Planner"));
    }

    void exitNoLeavesTheCallerAndAsksAgainWithoutReloading() {
        frmProbe* w = Forms::show<frmProbe>();
        w->txtA->setText("flight 1");
        for (int round = 0; round < 2; ++round) {
            bool checked = false;
            const auto quit = whenShown<frmquit>([&](frmquit* q) {
                checked = q->isVisible() && q->windowTitle() == "EXIT?" &&
                          q->drawnText() == "Are you sure you want to Quit?" &&
                          child<QPushButton>(q, "cmdYes")->text() == "Yes" &&
                          child<QPushButton>(q, "cmdNo")->text() == "No" && q->loadCount() == 1;
                QTest::mouseClick(child<QPushButton>(q, "cmdNo"), Qt::LeftButton);
            });
            SharedCommands::exitProgram();
            QVERIFY(quit.ran());
            QVERIFY(checked);
            QVERIFY(Forms::isLoaded<frmquit>());
            QVERIFY(!Forms::get<frmquit>()->isVisible());
        }
        QCOMPARE(Forms::get<frmProbe>(), w);
        QCOMPARE(w->txtA->text(), QString("flight 1"));
        QCOMPARE(w->loads, 1);
        // Yes comes first in the tab order.
        QCOMPARE(child<QPushButton>(Forms::get<frmquit>(), "cmdYes")->nextInFocusChain(),
                 child<QPushButton>(Forms::get<frmquit>(), "cmdNo"));
    }

    void exitYesEndsTheProgramAtOnce() {
        int ended = 0;
        Forms::setEndHandler([&] { ++ended; });
        Forms::show<frmProbe>();
        const auto quit =
            whenShown<frmquit>([](frmquit* q) { child<QPushButton>(q, "cmdYes")->click(); });
        Forms::get<frmMenu>();
        child<QPushButton>(Forms::get<frmMenu>(), "cmdExit")->click();
        QVERIFY(quit.ran());
        QCOMPARE(ended, 1);
        QVERIFY(Forms::ending());
        QVERIFY(!Forms::isLoaded<frmProbe>());
        QVERIFY(!Forms::isLoaded<frmMenu>());
        // Nothing shows any more once the program is ending.
        Forms::show<frmProbe>();
        QVERIFY(!Forms::get<frmProbe>()->isVisible());
    }

    void terminationSignalsEndTheProgramFromTheEventLoop() {
        TerminationSignals::endProgramOnSignal();
        for (int sig : {SIGTERM, SIGINT}) {
            Forms::resetForTesting();
            int ended = 0;
            Forms::setEndHandler([&] { ++ended; });
            Forms::show<frmProbe>();
            ::raise(sig);
            QCOMPARE(ended, 0);  // not inside the handler
            QTRY_COMPARE(ended, 1);
            QVERIFY(Forms::ending());
            QVERIFY(!Forms::isLoaded<frmProbe>());
        }
    }

    void aboutShowsIdentityAndClosesOnOk() {
        bool checked = false;
        const auto about = whenShown<frmAbout>([&](frmAbout* a) {
            checked = a->windowTitle() == "About Aerokit" &&
                      child<QLabel>(a, "lblVersion")->text() == "Version 1.0.0" &&
                      child<QLabel>(a, "lblTitle")->text() == "Aerokit" &&
                      child<QLabel>(a, "lblTitle")->font().bold() &&
                      child<QLabel>(a, "lblDescription")
                          ->text()
                          .startsWith(" This program serves as an aid to pilots.  It") &&
                      child<QLabel>(a, "lblDisclaimer")->text().contains("responsiblity") &&
                      child<QLabel>(a, "lblDisclaimer")->text().contains("acurate") &&
                      a->isModal() && child<QFrame>(a, "Line1") && child<QLabel>(a, "picIcon");
            child<QPushButton>(a, "cmdOK")->click();
        });
        SharedCommands::about();
        QVERIFY(about.ran());
        QVERIFY(checked);
        QVERIFY(!Forms::isLoaded<frmAbout>());
    }

    void copyWithNothingSelectedEmptiesTheClipboard() {
        frmProbe* w = Forms::show<frmProbe>();
        QApplication::clipboard()->setText("old");
        w->txtA->setText("abc");
        w->txtA->setFocus();
        w->txtA->setCursorPosition(1);
        SharedCommands::copy(w);
        QCOMPARE(QApplication::clipboard()->text(), QString());
        QCOMPARE(w->txtA->text(), QString("abc"));
    }

    void cutThenPasteMovesText() {
        frmProbe* w = Forms::show<frmProbe>();
        w->txtA->setText("N12345");
        w->txtA->setFocus();
        w->txtA->setSelection(1, 3);
        SharedCommands::cut(w);
        QCOMPARE(w->txtA->text(), QString("N45"));
        QCOMPARE(QApplication::clipboard()->text(), QString("123"));
        w->txtB->setText("AB");
        w->txtB->setFocus();
        w->txtB->setCursorPosition(1);
        SharedCommands::paste(w);
        QCOMPARE(w->txtB->text(), QString("A123B"));
        QCOMPARE(QApplication::clipboard()->text(), QString("123"));  // paste keeps it

        // Cut of an empty selection changes nothing but empties the clipboard.
        w->txtB->setCursorPosition(2);
        SharedCommands::cut(w);
        QCOMPARE(w->txtB->text(), QString("A123B"));
        QCOMPARE(QApplication::clipboard()->text(), QString());
        // Paste of nothing deletes the selection.
        w->txtB->setSelection(0, 2);
        SharedCommands::paste(w);
        QCOMPARE(w->txtB->text(), QString("23B"));
    }

    void editCommandsWorkInMultiLineBoxes() {
        frmProbe* w = Forms::show<frmProbe>();
        w->txtC->setPlainText("line1\nline2");
        w->txtC->setFocus();
        w->txtC->selectAll();
        SharedCommands::copy(w);
        QCOMPARE(QApplication::clipboard()->text(), QString("line1\nline2"));
    }

    void menuShortcutsWinOverTheTextBox() {
        frmProbe* w = Forms::show<frmProbe>();
        SharedCommands::addEditMenu(w, SharedCommands::EditShortcuts::PasteCtrlP);
        SharedCommands::addHelpMenu(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto* paste = child<QAction>(w, "mnuPaste");
        auto* cut = child<QAction>(w, "mnuCut");
        QCOMPARE(paste->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(cut->text(), QString("Cu&t"));
        QCOMPARE(child<QMenu>(w, "mnuHelp1")->title(), QString("&Help"));
        QCOMPARE(child<QAction>(w, "mnuAbout")->text(), QString("&About"));
        QSignalSpy cutSpy(cut, &QAction::triggered);
        w->txtA->setText("abcdef");
        w->txtA->setFocus();
        w->txtA->setSelection(0, 2);
        QTest::keyClick(w->txtA, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(cutSpy.count(), 1);
        QCOMPARE(w->txtA->text(), QString("cdef"));
        w->txtA->setCursorPosition(4);
        QTest::keyClick(w->txtA, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(w->txtA->text(), QString("cdefab"));
    }

    void editMenuWithoutShortcutKeys() {
        frmProbe* w = Forms::show<frmProbe>();
        SharedCommands::addEditMenu(w, SharedCommands::EditShortcuts::None);
        for (const char* name : {"mnuCut", "mnuCopy", "mnuPaste"})
            QVERIFY(child<QAction>(w, name)->shortcut().isEmpty());
    }

    void helpOpensTheViewerOnTheHelpFile() {
        QFile f("Aerokit.hlp");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<h1>Aerokit Help</h1><p>Logbook topics</p>");
        f.close();
        modLog::HelpFilePath = QDir::current().filePath("Aerokit.hlp");
        frmProbe* w = Forms::show<frmProbe>();
        SharedCommands::addHelpMenu(w);
        child<QAction>(w, "mnuHelp")->trigger();
        HelpViewer* v = HelpViewer::current();
        QVERIFY(v && v->isVisible());
        QVERIFY(v->browser()->toPlainText().contains("Logbook topics"));
        v->close();

        // A real F1 key in a box answers the same way.
        QTRY_VERIFY(!HelpViewer::current());
        QTest::keyClick(w->txtA, Qt::Key_F1);
        QVERIFY(HelpViewer::current() && HelpViewer::current()->isVisible());
        HelpViewer::current()->close();
    }

    void helpFromTheFirstWindowAndBesideModalWindows() {
        QFile f("Aerokit.hlp");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<h2><a name=\"contents\"></a>Contents</h2><p><a href=\"#start\">Start</a></p>" +
                QByteArray(3000, '\n').replace("\n", "<br>") +
                "<h2><a name=\"start\"></a>Starting</h2>");
        f.close();
        modLog::HelpFilePath = QDir::current().filePath("Aerokit.hlp");
        // F1 in the main menu, before any tool window was ever opened,
        // opens the help at the menu's topic.
        frmMenu* m = Forms::show<frmMenu>();
        QVERIFY(QTest::qWaitForWindowActive(m));
        QTest::keyClick(child<QPushButton>(m, "cmdLogbook"), Qt::Key_F1);
        HelpViewer* v = HelpViewer::current();
        QVERIFY(v && v->isVisible());
        QCOMPARE(v->browser()->source().fragment(), QString("start"));
        QCOMPARE(HelpViewer::topicFor(m), QString("start"));
        child<QPushButton>(v, "cmdContents")->click();
        QCOMPARE(v->browser()->source().fragment(), QString("contents"));
        QVERIFY(child<QPushButton>(v, "cmdBack")->isEnabled());
        child<QPushButton>(v, "cmdBack")->click();
        QCOMPARE(v->browser()->source().fragment(), QString("start"));
        QVERIFY(child<QPushButton>(v, "cmdForward")->isEnabled());
        // Contents, a link followed, Back: Forward shows the topic again,
        // scrolled to it, and then has nowhere further to go. (Alt+F is the
        // same button: its mnemonic.)
        QCOMPARE(child<QPushButton>(v, "cmdForward")->shortcut(), QKeySequence("Alt+F"));
        QScrollBar* scroll = v->browser()->verticalScrollBar();
        v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v));
        v->browser()->setFocus();
        for (int round = 0; round < 2; ++round) {
            child<QPushButton>(v, "cmdContents")->click();
            const int contents = scroll->value();
            // A real click on the link, which leaves the text cursor on it.
            QTextCursor link = v->browser()->document()->find("Start");
            link.setPosition(link.selectionStart() + 1);
            QTest::mouseClick(v->browser()->viewport(), Qt::LeftButton, {},
                              v->browser()->cursorRect(link).center());
            QCOMPARE(v->browser()->source().fragment(), QString("start"));
            const int topic = scroll->value();
            QVERIFY(topic > contents);
            child<QPushButton>(v, "cmdBack")->click();
            QCOMPARE(v->browser()->source().fragment(), QString("contents"));
            QCOMPARE(scroll->value(), contents);
            QTest::mouseClick(child<QPushButton>(v, "cmdForward"), Qt::LeftButton);
            QCOMPARE(v->browser()->source().fragment(), QString("start"));
            QCOMPARE(scroll->value(), topic);
            QVERIFY(!child<QPushButton>(v, "cmdForward")->isEnabled());
        }
        // While a modal window is up the viewer still takes real input:
        // keys through the window system reach it, Esc closes it.
        bool closedWhileModal = false;
        const auto modal = whenShown<frmModalProbe>([&](frmModalProbe* d) {
            QTest::keyClick(d->txtBox, Qt::Key_F1);
            QPointer<HelpViewer> viewer = HelpViewer::current();
            QVERIFY(viewer && viewer->isVisible());
            QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
            closedWhileModal = !viewer || !viewer->isVisible();
            Forms::hide<frmModalProbe>();
        });
        Forms::showModal<frmModalProbe>();
        QVERIFY(modal.ran());
        QVERIFY(closedWhileModal);
    }

    void enterEscAndTheEditMenuByKeyboard() {
        auto* d = Forms::show<frmModalProbe>();
        QVERIFY(QTest::qWaitForWindowActive(d));
        int ok = 0, other = 0, cancel = 0;
        QObject::connect(child<QPushButton>(d, "cmdOK"), &QPushButton::clicked, [&] { ++ok; });
        QObject::connect(d->cmdOther, &QPushButton::clicked, [&] { ++other; });
        QObject::connect(child<QPushButton>(d, "cmdCancel"), &QPushButton::clicked,
                         [&] { ++cancel; });
        d->txtBox->setFocus();
        QTest::keyClick(d->txtBox, Qt::Key_Return);  // a box: OK
        d->cmdOther->setFocus();
        QTest::keyClick(d->cmdOther, Qt::Key_Enter, Qt::KeypadModifier);  // the focused button
        QTest::keyClick(d->cmdOther, Qt::Key_Escape);                     // Cancel
        QCOMPARE(std::tuple(ok, other, cancel), std::tuple(1, 1, 1));

        // Alt+E then T, C, P act on the box's selection.
        frmProbe* w = Forms::show<frmProbe>();
        SharedCommands::addEditMenu(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto editByKeys = [&](QLineEdit* box, int start, int length, Qt::Key item) {
            box->setFocus();
            box->setSelection(start, length);
            QTest::keyClick(box, Qt::Key_E, Qt::AltModifier);
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QTest::keyClick(menu, item);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        };
        w->txtA->setText("abcdef");
        editByKeys(w->txtA, 1, 2, Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QString("bc"));
        editByKeys(w->txtA, 3, 3, Qt::Key_T);
        QCOMPARE(QApplication::clipboard()->text(), QString("def"));
        QCOMPARE(w->txtA->text(), QString("abc"));
        editByKeys(w->txtA, 0, 1, Qt::Key_P);
        QCOMPARE(w->txtA->text(), QString("defbc"));
    }

    void missingHelpFileIsReportedByTheViewer() {
        modLog::HelpFilePath = QDir::current().filePath("nowhere/Aerokit.hlp");
        Forms::show<frmProbe>();
        modLog::ShowHelp();
        HelpViewer* v = HelpViewer::current();
        QVERIFY(v);
        QVERIFY(v->browser()->toPlainText().contains("could not be opened"));
        QVERIFY(v->browser()->toPlainText().contains("nowhere"));
        QVERIFY(Forms::get<frmProbe>()->isVisible());
        v->close();
    }

    void messageBoxesAndDialogsAnswerFromTheirQueues() {
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        QCOMPARE(MessageBox::show("Delete Item?", "Delete", MessageBox::Buttons::YesNo,
                                  MessageBox::Icon::Exclamation),
                 MessageBox::Answer::No);
        QCOMPARE(MessageBox::history().size(), size_t(1));
        QCOMPARE(MessageBox::history()[0].text, QString("Delete Item?"));
        QCOMPARE(MessageBox::history()[0].icon, MessageBox::Icon::Exclamation);

        QCOMPARE(FileDialog::toQtFilter("Logbook Files (*.log)|*.log|All Files (*.*)|*.*|"),
                 QString("Logbook Files (*.log);;All Files (*.*)"));
        QCOMPARE(FileDialog::toQtFilter("Logbook Files(*.log)|*.log"),
                 QString("Logbook Files(*.log)"));
        QCOMPARE(FileDialog::toQtFilter("Flight Plans|*.flt"), QString("Flight Plans (*.flt)"));
        FileDialog::setNextFileName("/tmp/pilot");
        QCOMPARE(FileDialog::getSaveFileName(nullptr, "Logbook Files(*.log)|*.log", {"log", true}),
                 QString("/tmp/pilot.log"));
        FileDialog::setNextFileName("/tmp/pilot.LOG");
        QCOMPARE(FileDialog::getSaveFileName(nullptr, "x|*.log", {"log", true}),
                 QString("/tmp/pilot.LOG"));
        FileDialog::setNextFileName("");
        QCOMPARE(FileDialog::getOpenFileName(nullptr, "x|*.log"), QString());
        QCOMPARE(FileDialog::lastFilter(), QString("x|*.log"));
    }

    void localeConventionsReachTheConversions() {
        WindowText::setLocaleForTesting("de_DE");
        QCOMPARE(WindowText::numberLocale().decimalPoint, ',');
        QCOMPARE(WindowText::dateLocale().order, records::DateOrder::DMY);
        QCOMPARE(WindowText::single(1.5f), QString("1,5"));
        QCOMPARE(records::parseSingle("1,5", WindowText::numberLocale()),
                 std::optional<float>(1.5f));
        QVERIFY(!records::parseSingle("1.5", WindowText::numberLocale()));
        WindowText::setLocaleForTesting("en_US");
        QCOMPARE(WindowText::numberLocale().decimalPoint, '.');
        QCOMPARE(WindowText::dateLocale().order, records::DateOrder::MDY);
        QVERIFY(!records::parseSingle("1,5", WindowText::numberLocale()));
        WindowText::setLocaleForTesting("sv_SE");
        QCOMPARE(WindowText::dateLocale().order, records::DateOrder::YMD);
    }

    void fieldTextsCrossTheCodePage() {
        const auto f = WindowText::toField<8>(QString::fromUtf8("Café \u65e5"));
        QCOMPARE(QByteArray(f.bytes.data(), 8), QByteArray("Caf\xe9 ?  "));
        QCOMPARE(WindowText::fromField(f), QString::fromUtf8("Café ?  "));
        records::FixedText<4> nul;
        nul.bytes = {'N', '\0', 'X', 'Y'};
        QCOMPARE(WindowText::fromField(nul), QString("N"));
        QCOMPARE(WindowText::fromField(records::FixedText<3>{}), QString());
    }

    void realMessageBoxShowsItsTextAsPlainText() {
        // File contents can reach a message; markup in them must stay text.
        bool plain = false, exclamation = false;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            plain = box->textFormat() == Qt::PlainText;
            exclamation = box->icon() == QMessageBox::Warning;
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(MessageBox::show("\"<img src=/dev/zero>.log\" is not a logbook.", "Aerokit",
                                  MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation),
                 MessageBox::Answer::Ok);
        // A short text under a long title: the box is as wide as its title.
        int width = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        MessageBox::show("Recheck Input", "Failed to Enter Ident");
        QVERIFY(width >= MessageBox::titleWidth("Failed to Enter Ident"));
        QVERIFY(MessageBox::titleWidth("Failed to Enter Ident") >
                QFontMetrics(QApplication::font()).horizontalAdvance("Failed to Enter Ident"));
        QVERIFY(plain);
        QVERIFY(exclamation);
        QCOMPARE(title, QString("Aerokit"));
    }

    void printsAPageToPdf() {
        PrintPage::Page page;
        page.title = "Test";
        page.html =
            "<h1>Load sheet</h1><table border=1><tr><td>Pilot</td><td>170</td></tr></table>";
        QVERIFY(PrintPage::printToPdf(page, "page.pdf"));
        QFile pdf("page.pdf");
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!PrintPage::printToPdf(page, "no/such/dir/page.pdf"));
        PrintPage::setNextPdfPath("seam.pdf");
        QVERIFY(PrintPage::print(nullptr, page));
        QVERIFY(QFile::exists("seam.pdf"));
        QCOMPARE(PrintPage::esc("a  b<c>\nd"), QString("a&nbsp; b&lt;c&gt;<br>d"));
    }
};

AEROKIT_WINDOW_TEST_MAIN(ShellTest)
#include "shell_window_test.moc"
