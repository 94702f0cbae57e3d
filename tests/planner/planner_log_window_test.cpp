// The navigation log, its header window and the checkpoint window, and
// every planner window on corrupt plan files.
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "PlannerWindowSupport.h"
#include "Seams.h"
#include "WindowTest.h"
#include "planner/PlanFile.h"
#include "planner/frmFPCheck.h"
#include "planner/frmFPLog.h"
#include "planner/frmFlightLogInput.h"
#include "planner/frmFlightPlanRecord.h"
#include "planner/frmPersonal.h"
#include "planner/frmRecordInput.h"
#include "records/RecordFile.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"

using namespace plannertest;
using planner::PlanRecord;
using testsupport::child;
using testsupport::readFileBytes;
using testsupport::writeFileBytes;

namespace {

const QString kMaxText =
    "You have reached the maximum of 10 checkpoints, please start a new Flight Log";
const QString kMaxTitle = "Maximum Checkpoints reached";

PlanRecord planWith(std::int16_t last) {
    PlanRecord r = planner::freshPlan();
    r.IsIFR = -1;
    r.AircraftIdent.assign("N12345");
    r.AircraftType.assign("C182");
    r.Route.assign("V16");
    r.Departure.assign("KBED");
    r.Destination.assign("KALB");
    r.Alternates.assign("KPSF");
    r.TrueAirspeed.assign("135");
    r.CruiseAltitude.assign("7500");
    r.Color.assign("WHITE");
    r.TimeOff.assign("0900");
    r.FuelRate.assign("12 GPH");
    r.RunwayInfo.assign("RWY 29\r\nRWY 19");
    r.LastCheckpoint = last;
    return r;
}

// A plan with n checkpoints named CP1.. in records 2..n+1.
QString planWithCheckpoints(int n, const QString& name = "p.flt") {
    std::vector<PlanRecord> recs = {planWith(static_cast<std::int16_t>(n - 1))};
    for (int k = 0; k < n; ++k) recs.push_back(checkpointNamed("CP" + std::to_string(k + 1)));
    return makePlan(name, recs);
}

QStringList rowTexts(frmFPLog* log, int k) {
    QStringList out;
    for (const char* a : {"lblCheck", "lblIdent",   "lblFreq",  "lblRadTo", "lblRadFrom", "lblTC",
                          "lblWCA",   "lblTH",      "lblVAR",   "lblMH",    "lblDEV",     "lblCH",
                          "lblDist",  "lblDistRem", "lblEGS",   "lblAGS",   "lblETE",     "lblATE",
                          "lblETA",   "lblATA",     "lblFUsed", "lblFRem"})
        out << child<QLabel>(log, QString("%1_%2").arg(a).arg(k))->text();
    return out;
}

bool rowEmpty(frmFPLog* log, int k) {
    for (const QString& t : rowTexts(log, k))
        if (!t.isEmpty()) return false;
    return true;
}

// Fills every box of the checkpoint window with a text naming it.
void typeCheckpoint(frmFPCheck* w, const QString& name) {
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) e->setText(e->objectName().mid(3));
    child<QLineEdit>(w, "txtName")->setText(name);
}

}  // namespace

class PlanLogWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { testsupport::resetShell(); }

    void newPlanShowsAnEmptyLog() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* log = Forms::show<frmFPLog>();
        QCOMPARE(log->windowTitle(), QString("Aerokit: Flight Log"));
        for (int k = 0; k < 10; ++k) {
            QVERIFY(rowEmpty(log, k));
            QCOMPARE(child<QLabel>(log, QString("lblRow_%1").arg(k))->text(),
                     QString::number(k + 1) + ".");
        }
        QVERIFY(child<QLabel>(log, "lblAIdent")->text().isEmpty());
        QVERIFY(child<QPlainTextEdit>(log, "txtRunway")->toPlainText().isEmpty());
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
        QVERIFY(child<QAction>(log, "mnuCheckpoint")->isEnabled());
        QStringList tops;
        for (QAction* a : log->menuBar()->actions()) tops << a->text();
        QCOMPARE(tops, QStringList({"&File", "&Print", "Flight &Plan", "&Help"}));
        const std::pair<const char*, const char*> items[] = {
            {"mnuMain", "Main Menu"},
            {"mnuExit", "&E&xit"},
            {"mnuPrintLog", "&Print Flight Log"},
            {"mnuEditLog", "&Edit Flight Log"},
            {"mnuCheckpoint", "Add &Checkpoint"},
            {"mnuRemove", "Remove &Last Checkpoint"},
            {"mnuShowRec", "Show Flight Plan &Record"},
            {"mnuHelp", "&Help"},
            {"mnuAbout", "&About"}};
        for (auto [name, text] : items) QCOMPARE(child<QAction>(log, name)->text(), QString(text));
    }

    void logShowsHeaderAndRows() {
        planWithCheckpoints(3);
        auto* log = Forms::show<frmFPLog>();
        QCOMPARE(child<QLabel>(log, "lblAIdent")->text(), pad("N12345", 10));
        QCOMPARE(child<QLabel>(log, "lblFrom")->text(), pad("KBED", 10));
        QCOMPARE(child<QLabel>(log, "lblAlt")->text(), pad("KPSF", 15));
        QCOMPARE(child<QLabel>(log, "lblRate")->text(), pad("12 GPH", 15));
        QCOMPARE(child<QPlainTextEdit>(log, "txtRunway")->toPlainText(),
                 pad("RWY 29\nRWY 19", 199));
        QCOMPARE(child<QLabel>(log, "lblCheck_0")->text(), pad("CP1", 25));
        QCOMPARE(child<QLabel>(log, "lblIdent_2")->text(), pad("BOS", 10));
        QCOMPARE(child<QLabel>(log, "lblFRem_1")->text(), pad("CP2", 10));
        QVERIFY(child<QLabel>(log, "lblFreq_0")->text().isEmpty());  // never stored
        QVERIFY(rowEmpty(log, 3));
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());
        // Names as the grid arrays: lblX_0 .. lblX_9.
        QVERIFY(child<QLabel>(log, "lblDistRem_9"));
        QVERIFY(child<QLabel>(log, "lblRadFrom_4"));
    }

    void runwayWithLoneLineBreaksShowsWhole() {
        // Written by another program: bare LF and CR instead of CR LF.
        PlanRecord r = planWith(-1);
        r.RunwayInfo.assign(std::string(120, 'a') + std::string(40, '\n') + std::string(40, '\r'));
        makePlan("p.flt", {r});
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        const QString shown = child<QPlainTextEdit>(log, "txtRunway")->toPlainText();
        QCOMPARE(shown.size(), 200);
        QVERIFY(shown.startsWith(QString(120, 'a')));
        QCOMPARE(shown.count(QChar('a')), 120);
        QCOMPARE(readFileBytes("p.flt"), before);
    }

    void logHeaderInputStoresLogFieldsOnly() {
        const PlanRecord old = planWith(-1);
        makePlan("p.flt", {old, checkpointNamed("KEEP")});
        auto* log = Forms::show<frmFPLog>();
        auto shown = whenShown<frmFlightLogInput>([](frmFlightLogInput* w) {
            QCOMPARE(w->windowTitle(), QString("Flight Log Input"));
            QCOMPARE(child<QLabel>(w, "lblHeading")->text(),
                     QString("Aerokit: Flight Log Information"));
            QCOMPARE(child<QLabel>(w, "lblident")->text(), QString("Aircraft Number: "));
            QCOMPARE(child<QLabel>(w, "lblAlt")->text(), QString("Alternate Destination: "));
            QCOMPARE(child<QLabel>(w, "lblRunway")->text(), QString("Runway Information"));
            QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), pad("N12345", 10));
            QCOMPARE(child<QLineEdit>(w, "txtAlt")->text(), pad("KPSF", 15));
            QCOMPARE(child<QLineEdit>(w, "txtAltitude")->text(), pad("7500", 10));
            QVERIFY(child<QLineEdit>(w, "txtTimeOff")->text().isEmpty());
            QVERIFY(child<QPlainTextEdit>(w, "txtRunway")->toPlainText().isEmpty());
            child<QLineEdit>(w, "txtAltitude")->setText("9500");
            QTest::keyClicks(child<QLineEdit>(w, "txtTimeOn"), "1030");
            QTest::keyClicks(child<QLineEdit>(w, "txtFRem"), "8 GAL");
            child<QPlainTextEdit>(w, "txtRunway")->setPlainText("ILS 23\nVASI");
            child<QPushButton>(w, "cmdOK")->click();
        });
        child<QAction>(log, "mnuEditLog")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(Forms::isLoaded<frmFlightLogInput>());
        QVERIFY(!Forms::get<frmFlightLogInput>()->isVisible());
        const PlanRecord r = fileRecord("p.flt", 1);
        QCOMPARE(r.CruiseAltitude.raw(), std::string("9500      "));
        QCOMPARE(r.TimeOn.raw(), std::string("1030      "));
        QCOMPARE(r.TimeOff.raw(), std::string(10, ' '));  // typed empty
        QCOMPARE(r.FuelRemaining.raw(), std::string("8 GAL") + std::string(10, ' '));
        QCOMPARE(r.RunwayInfo.raw(), std::string("ILS 23\r\nVASI") + std::string(188, ' '));
        QCOMPARE(r.IsIFR, old.IsIFR);
        QCOMPARE(r.AircraftType, old.AircraftType);
        QCOMPARE(r.Route, old.Route);
        QCOMPARE(r.Color, old.Color);
        QCOMPARE(r.LastCheckpoint, old.LastCheckpoint);
        QCOMPARE(fileRecord("p.flt", 2), checkpointNamed("KEEP"));
        QCOMPARE(child<QLabel>(log, "lblAltitude")->text(), pad("9500", 10));
        QCOMPARE(child<QLabel>(log, "lblTimeOn")->text(), pad("1030", 10));
        QCOMPARE(child<QLabel>(log, "lblTimeoff")->text(), QString(10, ' '));
        QCOMPARE(child<QPlainTextEdit>(log, "txtRunway")->toPlainText(), pad("ILS 23\nVASI", 199));
        // The cruising altitude is shared with box 7 of the form.
        Forms::show<frmFlightPlanRecord>();
        QCOMPARE(child<QLabel>(Forms::get<frmFlightPlanRecord>(), "lblCruise")->text(),
                 pad("9500", 10));
    }

    void escInLogHeaderCancels() {
        planWithCheckpoints(1);
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        auto shown = whenShown<frmFlightLogInput>([](frmFlightLogInput* w) {
            child<QLineEdit>(w, "txtTimeOff")->setText("1111");
            child<QLineEdit>(w, "txtTimeOff")->setFocus();
            QTest::keyClick(child<QLineEdit>(w, "txtTimeOff"), Qt::Key_Escape);
        });
        child<QAction>(log, "mnuEditLog")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(!Forms::isLoaded<frmFlightLogInput>());
        QCOMPARE(readFileBytes("p.flt"), before);
        QVERIFY(log->isVisible());
        QCOMPARE(child<QLabel>(log, "lblTimeoff")->text(), pad("0900", 10));
        // Loaded afresh: the typed time is gone.
        QVERIFY(child<QLineEdit>(Forms::get<frmFlightLogInput>(), "txtTimeOff")->text().isEmpty());
    }

    void logHeaderOkHidesAndKeepsWhatWasTyped() {
        planWithCheckpoints(0);
        auto* w = Forms::get<frmFlightLogInput>();
        child<QLineEdit>(w, "txtElapsed")->setText("1:30");
        child<QPushButton>(w, "cmdOK")->click();
        makePlan("q.flt", {planner::freshPlan()});
        QCOMPARE(Forms::get<frmFlightLogInput>(), w);
        QCOMPARE(child<QLineEdit>(w, "txtElapsed")->text(), QString("1:30"));
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), pad("N12345", 10));
        const std::pair<const char*, int> maxima[] = {
            {"txtIdent", 10},   {"txtFrom", 10},     {"txtTo", 10},       {"txtAlt", 15},
            {"txtTAS", 10},     {"txtAltitude", 10}, {"txtTimeOff", 10},  {"txtTimeOn", 10},
            {"txtElapsed", 10}, {"txtFuelOn", 15},   {"txtFuelRate", 15}, {"txtFuelReq", 15},
            {"txtFRem", 15}};
        for (auto [name, max] : maxima) QCOMPARE(child<QLineEdit>(w, name)->maxLength(), max);
    }

    void entryWindowsTabOrderAndCaptions() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* c = Forms::get<frmFPCheck>();
        const char* order[] = {"txtName",  "txtIdent", "txtFreq",    "txtTo",     "txtFrom",
                               "txtTC",    "txtWCA",   "txtTH",      "txtVAR",    "txtMH",
                               "txtDEV",   "txtCH",    "txtLegDist", "txtLegRem", "txtEGS",
                               "txtAGS",   "txtETE",   "txtATE",     "txtETA",    "txtATA",
                               "txtFUsed", "txtFRem",  "cmdOK",      "cmdCancel"};
        for (std::size_t i = 1; i < std::size(order); ++i)
            QCOMPARE(nextTabStop(child<QWidget>(c, order[i - 1])), QString(order[i]));
        const std::pair<const char*, const char*> captions[] = {
            {"lblName", "Name of Checkpoint: "}, {"lblIdent", "Ident: "},
            {"lblNavAid", "Navigation Aid"},     {"lblWCA", "Wind Correction Angle: "},
            {"lblLegRem", "Dist. Remaining:"},   {"lblEGS", "Est. Ground Spd."},
            {"lblAGS", "Actual Grnd Spd. "},     {"lblFRem", "Fuel Remaining: "}};
        for (auto [name, text] : captions) QCOMPARE(child<QLabel>(c, name)->text(), QString(text));
        for (QLineEdit* e : c->findChildren<QLineEdit*>())
            QCOMPARE(e->maxLength(), e == child<QLineEdit>(c, "txtName") ? 25 : 10);

        auto* h = Forms::get<frmFlightLogInput>();
        const char* horder[] = {"txtIdent",   "txtFrom",     "txtTo",       "txtAlt",
                                "txtTAS",     "txtAltitude", "txtTimeOff",  "txtTimeOn",
                                "txtElapsed", "txtFuelOn",   "txtFuelRate", "txtFuelReq",
                                "txtFRem",    "txtRunway",   "cmdOK",       "cmdCancel"};
        for (std::size_t i = 1; i < std::size(horder); ++i)
            QCOMPARE(nextTabStop(child<QWidget>(h, horder[i - 1])), QString(horder[i]));

        auto* log = Forms::show<frmFPLog>();
        const std::pair<const char*, const char*> header[] = {{"lblAIdent1", "Aircraft Ident:"},
                                                              {"lblTimeoff1", "Time Off:"},
                                                              {"lblOnboard1", "Fuel Onboard:"},
                                                              {"lblRemaining1", "Fuel Remaining:"},
                                                              {"lblRunway1", "RUNWAY INFORMATION"}};
        for (auto [name, text] : header) QCOMPARE(child<QLabel>(log, name)->text(), QString(text));
    }

    void firstCheckpointGoesToRecordTwoAndRowOne() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* log = Forms::show<frmFPLog>();
        auto shown = whenShown<frmFPCheck>([](frmFPCheck* w) {
            QCOMPARE(w->windowTitle(), QString("Input Checkpoint"));
            QCOMPARE(child<QLabel>(w, "lblInstruction")->text(),
                     QString("Enter the following information about the Checkpoint"));
            QCOMPARE(child<QLineEdit>(w, "txtName")->maxLength(), 25);
            QTest::keyClicks(child<QLineEdit>(w, "txtName"),
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ");  // 26: one too many
            QTest::keyClicks(child<QLineEdit>(w, "txtETA"), "1415");
            child<QPushButton>(w, "cmdOK")->click();
        });
        child<QAction>(log, "mnuCheckpoint")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        QCOMPARE(fileRecord("p.flt", 1).LastCheckpoint, std::int16_t(0));
        const PlanRecord cp = fileRecord("p.flt", 2);
        QCOMPARE(cp.CheckName.raw(), std::string("ABCDEFGHIJKLMNOPQRSTUVWXY"));
        QCOMPARE(cp.LegETA.raw(), std::string("1415      "));
        QCOMPARE(cp.NavIdent.raw(), std::string(10, ' '));
        QCOMPARE(cp.LastCheckpoint, std::int16_t(0));
        QVERIFY(cp.AircraftIdent.neverStored());
        QCOMPARE(child<QLabel>(log, "lblCheck_0")->text(), QString("ABCDEFGHIJKLMNOPQRSTUVWXY"));
        QCOMPARE(child<QLabel>(log, "lblETA_0")->text(), pad("1415", 10));
        QVERIFY(rowEmpty(log, 1));
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());
    }

    void checkpointBoxesFillTheirOwnColumns() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* log = Forms::show<frmFPLog>();
        auto* w = Forms::get<frmFPCheck>();
        typeCheckpoint(w, "NAME");
        child<QPushButton>(w, "cmdOK")->click();
        const QStringList expected = {
            pad("NAME", 25),    pad("Ident", 10),  pad("Freq", 10), pad("To", 10),
            pad("From", 10),    pad("TC", 10),     pad("WCA", 10),  pad("TH", 10),
            pad("VAR", 10),     pad("MH", 10),     pad("DEV", 10),  pad("CH", 10),
            pad("LegDist", 10), pad("LegRem", 10), pad("EGS", 10),  pad("AGS", 10),
            pad("ETE", 10),     pad("ATE", 10),    pad("ETA", 10),  pad("ATA", 10),
            pad("FUsed", 10),   pad("FRem", 10)};
        QCOMPARE(rowTexts(log, 0), expected);
        // The log reads the same row back from the file.
        Forms::unload<frmFPLog>();
        QCOMPARE(rowTexts(Forms::show<frmFPLog>(), 0), expected);
        const PlanRecord cp = fileRecord("p.flt", 2);
        QCOMPARE(cp.WindCorrection.raw(), std::string("WCA       "));
        QCOMPARE(cp.CheckFuelRem.raw(), std::string("FRem      "));
    }

    void tenCheckpointsThenTheMaximumMessage() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* log = Forms::show<frmFPLog>();
        for (int i = 0; i < 10; ++i) {
            auto shown = whenShown<frmFPCheck>([i](frmFPCheck* w) {
                child<QLineEdit>(w, "txtName")->setText(QString("CHECK %1").arg(i + 1));
                child<QPushButton>(w, "cmdOK")->click();
            });
            child<QAction>(log, "mnuCheckpoint")->trigger();
            QVERIFY(shown.ran());
            QVERIFY(!Forms::isLoaded<frmFPCheck>());
        }
        QVERIFY(MessageBox::history().empty());
        QCOMPARE(fileRecord("p.flt", 1).LastCheckpoint, std::int16_t(9));
        QCOMPARE(readFileBytes("p.flt").size(), std::size_t(11 * 1006));
        QCOMPARE(child<QLabel>(log, "lblCheck_9")->text(), pad("CHECK 10", 25));
        QCOMPARE(child<QLabel>(log, "lblRow_9")->text(), QString("10."));
        const auto before = readFileBytes("p.flt");
        const Shown shown = whenShown<frmFPCheck>(
            [](frmFPCheck* w) { child<QPushButton>(w, "cmdCancel")->click(); });
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QAction>(log, "mnuCheckpoint")->trigger();
        QTest::qWait(20);
        QVERIFY(!shown.ran());
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        const auto& box = MessageBox::history().back();
        QCOMPARE(box.text, kMaxText);
        QCOMPARE(box.title, kMaxTitle);
        QCOMPARE(box.icon, MessageBox::Icon::Stop);
        QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
        QCOMPARE(readFileBytes("p.flt"), before);
    }

    void nineCheckpointsStillOpenTheWindowAndCancelWritesNothing() {
        planWithCheckpoints(9);
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        const Shown shown = whenShown<frmFPCheck>([](frmFPCheck* w) {
            child<QLineEdit>(w, "txtName")->setText("NOT KEPT");
            child<QPushButton>(w, "cmdCancel")->click();
        });
        child<QAction>(log, "mnuCheckpoint")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        QCOMPARE(readFileBytes("p.flt"), before);
        QVERIFY(rowEmpty(log, 9));
        QVERIFY(MessageBox::history().empty());
    }

    void removingCheckpointThreeOfThree() {
        planWithCheckpoints(3);
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        child<QAction>(log, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        const auto& box = MessageBox::history().back();
        QCOMPARE(box.text, QString("Are you sure you want to remove checkpoint # 3"));
        QCOMPARE(box.title, QString("Are you sure?"));
        QCOMPARE(box.buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(box.icon, MessageBox::Icon::None);
        QVERIFY(rowEmpty(log, 2));
        QCOMPARE(child<QLabel>(log, "lblCheck_1")->text(), pad("CP2", 25));
        const auto after = readFileBytes("p.flt");
        QCOMPARE(after.size(), before.size());
        QCOMPARE(fileRecord("p.flt", 1).LastCheckpoint, std::int16_t(1));
        for (std::size_t i = 0; i < after.size(); ++i)
            if (i != 769 && i != 770) QCOMPARE(after[i], before[i]);
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());

        // The next checkpoint overwrites record 4.
        auto* w = Forms::get<frmFPCheck>();
        child<QLineEdit>(w, "txtName")->setText("NEW THIRD");
        child<QPushButton>(w, "cmdOK")->click();
        QCOMPARE(readFileBytes("p.flt").size(), before.size());
        QCOMPARE(fileRecord("p.flt", 4).CheckName.raw(), pad("NEW THIRD", 25).toStdString());
        QCOMPARE(child<QLabel>(log, "lblCheck_2")->text(), pad("NEW THIRD", 25));
    }

    void answeringNoChangesNothing() {
        planWithCheckpoints(2);
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        const QStringList row = rowTexts(log, 1);
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        child<QAction>(log, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().back().text,
                 QString("Are you sure you want to remove checkpoint # 2"));
        QCOMPARE(readFileBytes("p.flt"), before);
        QCOMPARE(rowTexts(log, 1), row);
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());
    }

    void removingTheOnlyCheckpointDisablesRemoval() {
        planWithCheckpoints(1);
        auto* log = Forms::show<frmFPLog>();
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        child<QAction>(log, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().back().text,
                 QString("Are you sure you want to remove checkpoint # 1"));
        QCOMPARE(fileRecord("p.flt", 1).LastCheckpoint, std::int16_t(-1));
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
        QVERIFY(rowEmpty(log, 0));
        // Reopened, the log is empty although record 2 still holds the checkpoint.
        child<QAction>(log, "mnuShowRec")->trigger();
        child<QAction>(Forms::get<frmFlightPlanRecord>(), "mnuLog")->trigger();
        log = Forms::get<frmFPLog>();
        QVERIFY(rowEmpty(log, 0));
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
        QCOMPARE(fileRecord("p.flt", 2).CheckName.raw(), pad("CP1", 25).toStdString());
        // Adding enables removal again.
        auto* w = Forms::get<frmFPCheck>();
        child<QLineEdit>(w, "txtName")->setText("AGAIN");
        child<QPushButton>(w, "cmdOK")->click();
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());
    }

    void aRemovalKeepsAnotherProgramsSaveOrChangesNothing() {
        planWithCheckpoints(2);
        auto* log = Forms::show<frmFPLog>();
        auto bytesOf = [](const std::vector<PlanRecord>& recs) {
            std::vector<std::uint8_t> out;
            for (const PlanRecord& r : recs) {
                const auto b = r.encode();
                out.insert(out.end(), b.begin(), b.end());
            }
            return out;
        };
        // While the question is open another program saves the log header:
        // the removal keeps it.
        PlanRecord header = planWith(1);
        header.CruiseAltitude.assign("6500");
        header.TimeOff.assign("1410");
        {
            testsupport::WrittenMeanwhile other(
                bytesOf({header, checkpointNamed("CP1"), checkpointNamed("CP2")}));
            MessageBox::setNextAnswer(MessageBox::Answer::Yes);
            child<QAction>(log, "mnuRemove")->trigger();
        }
        PlanRecord kept = header;
        kept.LastCheckpoint = 0;
        QCOMPARE(fileRecord("p.flt", 1), kept);
        QVERIFY(rowEmpty(log, 1));
        QCOMPARE(MessageBox::history().size(), std::size_t(1));

        // Another program adds a checkpoint: the one asked about is no
        // longer the last, so nothing is removed and the pilot is told.
        PlanRecord two = kept;
        two.LastCheckpoint = 1;
        const auto added = bytesOf({two, checkpointNamed("CP1"), checkpointNamed("Second")});
        {
            testsupport::WrittenMeanwhile other(added);
            MessageBox::setNextAnswer(MessageBox::Answer::Yes);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QAction>(log, "mnuRemove")->trigger();
        }
        QCOMPARE(MessageBox::history().at(1).text,
                 QString("Are you sure you want to remove checkpoint # 1"));
        QCOMPARE(MessageBox::history().back().text,
                 QString("The navigation log was changed by another program. Nothing was "
                         "removed."));
        QCOMPARE(MessageBox::history().back().title, QString("Checkpoint Not Removed"));
        QCOMPARE(readFileBytes("p.flt"), added);
        QCOMPARE(child<QLabel>(log, "lblCheck_0")->text(), pad("CP1", 25));
    }

    void failedWritesAreReportedAndTheWindowStays() {
        planWithCheckpoints(2);
        const auto before = readFileBytes("p.flt");
        auto* log = Forms::show<frmFPLog>();
        const QStringList header = {child<QLabel>(log, "lblTimeoff")->text(),
                                    child<QLabel>(log, "lblRate")->text()};
        frmFPCheck* c = nullptr;
        {
            const testsupport::WriteFailureAfter failing(0);
            auto* h = Forms::get<frmFlightLogInput>();
            h->show();
            child<QLineEdit>(h, "txtTimeOff")->setText("1200");
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QPushButton>(h, "cmdOK")->click();
            QCOMPARE(MessageBox::history().back().title, QString("Flight Log Not Saved"));
            QCOMPARE(MessageBox::history().back().icon, MessageBox::Icon::Stop);
            QVERIFY(h->isVisible());
            QCOMPARE(child<QLineEdit>(h, "txtTimeOff")->text(), QString("1200"));
            QCOMPARE(QStringList({child<QLabel>(log, "lblTimeoff")->text(),
                                  child<QLabel>(log, "lblRate")->text()}),
                     header);
            child<QPushButton>(h, "cmdCancel")->click();

            c = Forms::get<frmFPCheck>();
            c->show();
            child<QLineEdit>(c, "txtName")->setText("LOST?");
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QPushButton>(c, "cmdOK")->click();
            QCOMPARE(MessageBox::history().back().title, QString("Checkpoint Not Saved"));
            QVERIFY(c->isVisible());
            QCOMPARE(child<QLineEdit>(c, "txtName")->text(), QString("LOST?"));
            QVERIFY(rowEmpty(log, 2));

            MessageBox::setNextAnswer(MessageBox::Answer::Yes);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QAction>(log, "mnuRemove")->trigger();
            QCOMPARE(MessageBox::history().back().title, QString("Checkpoint Not Removed"));
            QCOMPARE(child<QLabel>(log, "lblCheck_1")->text(), pad("CP2", 25));
            QCOMPARE(readFileBytes("p.flt"), before);
        }
        // Once the disk works again the same window saves what it kept.
        child<QPushButton>(c, "cmdOK")->click();
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        QCOMPARE(child<QLabel>(log, "lblCheck_2")->text(), pad("LOST?", 25));
        QCOMPARE(fileRecord("p.flt", 1).LastCheckpoint, std::int16_t(2));
    }

    void mainMenuUnloadsLogAndHiddenForm() {
        planWithCheckpoints(1);
        auto* d = Forms::show<frmFlightPlanRecord>();
        child<QAction>(d, "mnuLog")->trigger();
        child<QAction>(Forms::get<frmFPLog>(), "mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmFPLog>());
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
    }

    void printedLogIsALandscapeGridWithEveryValueWhole() {
        // Ten checkpoints, every field at its full width with wide letters;
        // the first with the values a pilot reads in flight.
        std::vector<PlanRecord> recs = {planWith(9)};
        recs[0].AircraftIdent.assign("N123456789");
        QStringList values;
        for (int k = 0; k < 10; ++k) {
            PlanRecord c;
            int a = 0;
            auto v = [&](auto& field) {
                const QString s = QString("%1W%2").arg(k).arg(a++, 2, 10, QChar('0')) + "MMMMMM";
                values << s;
                field.assign(s.toStdString());
            };
            const QString name = QString("CHECKPOINT %1 ").arg(k).leftJustified(25, 'W');
            values << name;
            c.CheckName.assign(name.toStdString());
            v(c.NavIdent), v(c.NavFreq), v(c.ToRadial), v(c.FromRadial), v(c.TrueCourse);
            v(c.WindCorrection), v(c.TrueHeading), v(c.Variation), v(c.MagHeading);
            v(c.Deviation), v(c.CorrectedHeading), v(c.LegDist), v(c.LegDistRem);
            v(c.EstGroundSpeed), v(c.ActGroundSpeed), v(c.LegETE), v(c.LegATE), v(c.LegETA);
            v(c.LegATA), v(c.FuelUsed), v(c.CheckFuelRem);
            if (k == 0) {
                values.removeAt(values.size() - 4);   // LegETA
                values.removeAt(values.size() - 4);   // LegATE
                values.removeAt(values.size() - 12);  // Variation
                c.LegETA.assign("1421");
                c.LegATE.assign("0:17");
                c.Variation.assign("14W");
                values << "1421"
                       << "0:17"
                       << "14W";
            }
            recs.push_back(c);
        }
        makePlan("p.flt", recs);
        auto* log = Forms::show<frmFPLog>();
        const PrintPage::Page page = log->printPage();
        QVERIFY(page.landscape);
        QVERIFY(PrintPage::printToPdf(page, "log.pdf"));
        QVERIFY(testsupport::pdfLandscape("log.pdf"));
        const QStringList pages = testsupport::pdfPageTexts("log.pdf");
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0];
        int whole = 0;
        for (const QString& s : values) whole += text.contains(s) ? 1 : 0;
        QCOMPARE(whole, int(values.size()));
        QCOMPARE(values.size(), 220);
        for (const char* s : {"N123456789", "RWY 29", "RWY 19", "12 GPH", "TO / CHECKPOINTS",
                              "NAV AID", "Fuel Used", "10.", "page 1 of 1", "p.flt"})
            QVERIFY2(text.contains(s), s);
        PrintPage::setNextPdfPath(QDir::current().filePath("menu.pdf"));
        child<QAction>(log, "mnuPrintLog")->trigger();
        QCOMPARE(testsupport::pdfPageTexts("menu.pdf"), pages);
    }

    void counterBeyondTenShowsTenRowsAndRefusesAdding() {
        // LastCheckpoint 500 with twelve records after record 1.
        std::vector<PlanRecord> recs = {planWith(500)};
        for (int k = 0; k < 12; ++k) recs.push_back(checkpointNamed("R" + std::to_string(k + 2)));
        makePlan("big.flt", recs);
        auto* log = Forms::show<frmFPLog>();
        QCOMPARE(child<QLabel>(log, "lblCheck_0")->text(), pad("R2", 25));
        QCOMPARE(child<QLabel>(log, "lblCheck_9")->text(), pad("R11", 25));
        QVERIFY(child<QAction>(log, "mnuRemove")->isEnabled());
        const auto before = readFileBytes("big.flt");
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QAction>(log, "mnuCheckpoint")->trigger();
        QCOMPARE(MessageBox::history().back().text, kMaxText);
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        // The checkpoint window itself refuses too.
        auto* w = Forms::get<frmFPCheck>();
        child<QLineEdit>(w, "txtName")->setText("X");
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QPushButton>(w, "cmdOK")->click();
        QCOMPARE(MessageBox::history().back().title, kMaxTitle);
        QCOMPARE(readFileBytes("big.flt"), before);
        child<QPushButton>(w, "cmdCancel")->click();
        // Removal counts down from the stored value; no row beyond ten exists.
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        child<QAction>(log, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().back().text,
                 QString("Are you sure you want to remove checkpoint # 501"));
        QCOMPARE(fileRecord("big.flt", 1).LastCheckpoint, std::int16_t(499));
        QCOMPARE(child<QLabel>(log, "lblCheck_9")->text(), pad("R11", 25));
    }

    void counterBelowMinusOneShowsNoRowAndRefusesAdding() {
        std::vector<PlanRecord> recs = {planWith(-300)};
        for (int k = 0; k < 3; ++k) recs.push_back(checkpointNamed("OLD"));
        makePlan("neg.flt", recs);
        const auto before = readFileBytes("neg.flt");
        auto* log = Forms::show<frmFPLog>();
        for (int k = 0; k < 10; ++k) QVERIFY(rowEmpty(log, k));
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QAction>(log, "mnuCheckpoint")->trigger();
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QCOMPARE(MessageBox::history().back().text, kMaxText);
        QVERIFY(!Forms::isLoaded<frmFPCheck>());
        // Even when asked directly, removal has nothing to remove and asks nothing.
        child<QAction>(log, "mnuRemove")->setEnabled(true);
        child<QAction>(log, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
        QCOMPARE(readFileBytes("neg.flt"), before);
    }

    void corruptPlanFilesNeverCrashAWindow() {
        std::vector<std::vector<std::uint8_t>> files;
        files.push_back({});                                              // empty
        files.push_back(std::vector<std::uint8_t>(7, 0xFF));              // short
        files.push_back(std::vector<std::uint8_t>(1006 * 3 + 17, 0x00));  // odd length
        for (std::int16_t last : {std::int16_t(500), std::int16_t(-300), std::int16_t(32767),
                                  std::int16_t(-32768), std::int16_t(10)}) {
            PlanRecord r = planWith(last);
            auto b = bytesOf(r);
            b.resize(1006 * 2 + 500, 0x41);
            files.push_back(b);
        }
        {
            // High bytes and NUL inside text fields.
            std::vector<std::uint8_t> b(1006 * 2, 0);
            for (std::size_t i = 0; i < b.size(); ++i)
                b[i] = static_cast<std::uint8_t>(0x80 + i % 128);
            b[469] = 'N';
            b[470] = 0xE9;  // é in Windows-1252
            b[471] = 0;
            b[769] = 0;
            b[770] = 0;
            files.push_back(b);
        }
        int n = 0;
        for (const auto& bytes : files) {
            testsupport::resetShell();
            const QString name = QString("corrupt%1.flt").arg(n++);
            writeFileBytes(name.toStdString(), bytes);
            modLog::PlanPath = QDir::current().filePath(name);
            writeFileBytes("Personal.nfo", std::vector<std::uint8_t>(333, 0xC4));
            auto* d = Forms::show<frmFlightPlanRecord>();
            QVERIFY(Forms::isLoaded<frmFlightPlanRecord>());
            (void)d->printPage();
            auto* in = Forms::get<frmRecordInput>();
            QVERIFY(child<QLineEdit>(in, "txtIdent")->text().size() <= 10);
            child<QPushButton>(in, "cmdCancel")->click();
            child<QAction>(d, "mnuLog")->trigger();
            auto* log = Forms::get<frmFPLog>();
            (void)PrintPage::printToPdf(log->printPage(), "log.pdf");
            auto* h = Forms::get<frmFlightLogInput>();
            child<QPushButton>(h, "cmdCancel")->click();
            for (int i = 0; i < 3; ++i) {
                (void)whenShown<frmFPCheck>([](frmFPCheck* w) {
                    child<QLineEdit>(w, "txtName")->setText("C");
                    child<QPushButton>(w, "cmdOK")->click();
                });
                MessageBox::setNextAnswer(MessageBox::Answer::Ok);  // a refusal, if any
                child<QAction>(log, "mnuCheckpoint")->trigger();
                while (MessageBox::pendingAnswers() > 0) MessageBox::show("", "");
                if (Forms::isLoaded<frmFPCheck>())
                    child<QPushButton>(Forms::get<frmFPCheck>(), "cmdCancel")->click();
                MessageBox::setNextAnswer(MessageBox::Answer::Yes);
                child<QAction>(log, "mnuRemove")->trigger();
                while (MessageBox::pendingAnswers() > 0) MessageBox::show("", "");
            }
            const PlanRecord r = fileRecord(name, 1);
            QVERIFY2(readFileBytes(name.toStdString()).size() <=
                         std::max<std::size_t>(bytes.size(), 11 * 1006),
                     qPrintable(name));
            QVERIFY(r.LastCheckpoint <=
                    std::max<std::int16_t>(9, planner::PlanRecord::decode(bytes).LastCheckpoint));
        }
        // The high bytes and the NUL: Windows-1252 shown, ending at the NUL.
        QCOMPARE(child<QLabel>(Forms::get<frmFPLog>(), "lblAIdent")->text(),
                 QString::fromUtf8("N\xC3\xA9"));
    }
};

AEROKIT_WINDOW_TEST_MAIN(PlanLogWindowTest)
#include "planner_log_window_test.moc"
