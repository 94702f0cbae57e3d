// Planner entry, the flight plan form and its two entry windows, driven
// through their controls.

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <chrono>

#include "PlannerWindowSupport.h"
#include "Seams.h"
#include "WindowTest.h"
#include "planner/PlanFile.h"
#include "planner/frmFPCheck.h"
#include "planner/frmFPLog.h"
#include "planner/frmFlightPlanRecord.h"
#include "planner/frmPersonal.h"
#include "planner/frmPlanner.h"
#include "planner/frmRecordInput.h"
#include "records/RecordFile.h"
#include "shell/FileDialog.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"

using namespace plannertest;
using planner::PlanRecord;
using testsupport::child;
using testsupport::readFileBytes;

namespace {

const char* const kValueLabels[] = {
    "lblVFR",      "lblIFR",      "lblDVFR",    "lblIdent",  "lblType",     "lblTruespeed",
    "lblDepart",   "lblProposed", "lblActual",  "lblCruise", "lblRoute",    "lblDestination",
    "lblHours",    "lblMinutes",  "lblRemarks", "lblFHours", "lblFMinutes", "lblAlts",
    "lblName",     "lblStreet",   "lblCity",    "lblState",  "lblZip",      "lblPhone",
    "lblHomeBase", "lblAboard",   "lblColor",   "lblClose"};

QStringList valueTexts(QWidget* w) {
    QStringList out;
    for (const char* n : kValueLabels) out << child<QLabel>(w, n)->text();
    return out;
}

PlanRecord filledPlan() {
    PlanRecord r = planner::freshPlan();
    r.IsVFR = -1;
    r.AircraftIdent.assign("N12345");
    r.AircraftType.assign("C172");
    r.Special.assign("A");
    r.TrueAirspeed.assign("110");
    r.Departure.assign("KBED");
    r.Destination.assign("KMVY");
    r.Alternates.assign("KACK");
    r.CruiseAltitude.assign("5500");
    r.Route.assign("DIRECT\r\nV141");
    r.Remarks.assign("NONE");
    r.TimeOff.assign("1400");
    r.FuelRemaining.assign("20 GAL");
    r.RunwayInfo.assign("RWY 23");
    r.LastCheckpoint = 1;
    return r;
}

// Every text field at its full width (letters, no blanks), the IFR mark and
// ten checkpoints: the widest plan a window has to show.
PlanRecord fullWidthPlan() {
    std::vector<std::uint8_t> letters(planner::PlanRecord::Size);
    for (std::size_t i = 0; i < letters.size(); ++i) letters[i] = 'A' + i % 26;
    PlanRecord r = PlanRecord::decode(letters);
    r.IsVFR = 0;
    r.IsIFR = -1;
    r.IsDVFR = 0;
    r.LastCheckpoint = 9;
    return r;
}

// The window fits a 1366 x 768 screen (frame and panel aside) and its
// scroll area needs no scrolling.
void verifyWhole(QMainWindow* w) {
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY2(w->width() <= 1360 && w->height() <= 700,
             qPrintable(QString("%1 x %2").arg(w->width()).arg(w->height())));
    auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    QVERIFY(scroll);
    QTRY_COMPARE(scroll->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    for (QLabel* l : w->findChildren<QLabel*>())  // nothing cut
        if (l->isVisible() && !l->wordWrap())
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
}

// A box fits its maximum length of capitals without scrolling inside.
void verifyBoxFits(QLineEdit* box) {
    const QString text(box->maxLength(), QLatin1Char('N'));
    const int inner = box->contentsRect().width() - 2 * 2 -
                      2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    QVERIFY2(box->fontMetrics().horizontalAdvance(text) < inner, qPrintable(box->objectName()));
}

}  // namespace

class PlanFormWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { testsupport::resetShell(); }

    void createNewPlanAddsExtensionAndShowsEmptyForm() {
        frmPlanner* p = Forms::show<frmPlanner>();
        QCOMPARE(p->windowTitle(), QString("Aerokit Preflight Planner"));
        QCOMPARE(child<QPushButton>(p, "cmdNewPlan")->text(), QString("Create New Flight Plan"));
        QCOMPARE(child<QPushButton>(p, "cmdOpenplan")->text(), QString("Open Current Flight Plan"));
        QCOMPARE(child<QPushButton>(p, "cmdExitPlanner")->text(), QString("Return to Main Menu"));
        FileDialog::setNextFileName(QDir::current().filePath("trip"));
        QTest::mouseClick(child<QPushButton>(p, "cmdNewPlan"), Qt::LeftButton);
        QCOMPARE(FileDialog::lastFilter(), QString("Flight Plans (*.flt)|*.flt"));
        QVERIFY(modLog::PlanPath.endsWith("trip.flt"));
        const auto b = readFileBytes("trip.flt");
        QCOMPARE(b.size(), std::size_t(1006));
        for (std::size_t i = 0; i < b.size(); ++i)
            QCOMPARE(int(b[i]), (i == 769 || i == 770) ? 0xFF : 0);
        QVERIFY(!Forms::isLoaded<frmPlanner>());
        QVERIFY(Forms::isLoaded<frmFlightPlanRecord>());
        auto* d = Forms::get<frmFlightPlanRecord>();
        QVERIFY(d->isVisible());
        for (const QString& t : valueTexts(d)) QVERIFY2(t.isEmpty(), qPrintable(t));
        // No personal information yet: box 14 blank and the file made empty.
        QVERIFY(QFileInfo::exists("Personal.nfo"));
        QCOMPARE(QFileInfo("Personal.nfo").size(), 0);
        QCOMPARE(modLog::PlanRecLen, std::int16_t(1006));
    }

    void createOverPlanWithCheckpointsKeepsLength() {
        makePlan("old.flt", {filledPlan(), checkpointNamed("A"), checkpointNamed("B")});
        FileDialog::setNextFileName(QDir::current().filePath("old.flt"));
        child<QPushButton>(Forms::show<frmPlanner>(), "cmdNewPlan")->click();
        QCOMPARE(readFileBytes("old.flt").size(), std::size_t(3 * 1006));
        QCOMPARE(fileRecord("old.flt", 1), planner::freshPlan());
        child<QAction>(Forms::get<frmFlightPlanRecord>(), "mnuLog")->trigger();
        auto* log = Forms::get<frmFPLog>();
        QVERIFY(child<QLabel>(log, "lblCheck_0")->text().isEmpty());
        QVERIFY(!child<QAction>(log, "mnuRemove")->isEnabled());
    }

    void cancelledDialogsChangeNothing() {
        modLog::PlanPath = "before.flt";
        frmPlanner* p = Forms::show<frmPlanner>();
        FileDialog::setNextFileName("");
        child<QPushButton>(p, "cmdNewPlan")->click();
        FileDialog::setNextFileName("");
        child<QPushButton>(p, "cmdOpenplan")->click();
        // A name that is not an existing file is no plan either.
        FileDialog::setNextFileName(QDir::current().filePath("missing.flt"));
        child<QPushButton>(p, "cmdOpenplan")->click();
        QCOMPARE(modLog::PlanPath, QString("before.flt"));
        QVERIFY(Forms::isLoaded<frmPlanner>());
        QVERIFY(p->isVisible());
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
        QVERIFY(!QFileInfo::exists("missing.flt"));
    }

    void createThatCannotWriteStaysInPlanner() {
        modLog::PlanPath = "before.flt";
        const testsupport::WriteFailureAfter failing(0);
        FileDialog::setNextFileName(QDir::current().filePath("new.flt"));
        child<QPushButton>(Forms::show<frmPlanner>(), "cmdNewPlan")->click();
        QCOMPARE(modLog::PlanPath, QString("before.flt"));
        QVERIFY(Forms::isLoaded<frmPlanner>());
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
        QVERIFY(MessageBox::history().empty());
    }

    void openShowsStoredPlanAndPersonalInfo() {
        makePlan("ifr.flt", {[] {
                     PlanRecord r = filledPlan();
                     r.IsVFR = 0;
                     r.IsIFR = -1;
                     return r;
                 }()});
        PlanRecord me;
        me.PilotName.assign("Amelia Earhart");
        me.City.assign("Atchison");
        me.State.assign("KS");
        QVERIFY(planner::savePersonal(me));
        modLog::PlanPath.clear();
        FileDialog::setNextFileName(QDir::current().filePath("ifr.flt"));
        child<QPushButton>(Forms::show<frmPlanner>(), "cmdOpenplan")->click();
        QCOMPARE(modLog::PlanPath, QDir::current().filePath("ifr.flt"));
        auto* d = Forms::get<frmFlightPlanRecord>();
        QCOMPARE(d->windowTitle(), QString("Aerokit: Flight Plan Record"));
        QCOMPARE(child<QLabel>(d, "lblVFR")->text(), QString());
        QCOMPARE(child<QLabel>(d, "lblIFR")->text(), QString("X"));
        QCOMPARE(child<QLabel>(d, "lblDVFR")->text(), QString());
        QCOMPARE(child<QLabel>(d, "lblIdent")->text(), QString("N12345    "));
        QCOMPARE(child<QLabel>(d, "lblType")->text(), QString("C172      A         "));
        QCOMPARE(child<QLabel>(d, "lblRoute")->text(), pad("DIRECT\r\nV141", 100));
        QVERIFY(child<QLabel>(d, "lblRoute")->text().contains('\n'));
        QCOMPARE(child<QLabel>(d, "lblName")->text(), QString("Amelia Earhart      "));
        QCOMPARE(child<QLabel>(d, "lblCity")->text(), pad("Atchison", 20));
        QCOMPARE(child<QLabel>(d, "lblState")->text(), QString("KS"));
        QCOMPARE(child<QLabel>(d, "lblStreet")->text(), QString());  // never stored
        // Fields never stored show empty.
        QCOMPARE(child<QLabel>(d, "lblProposed")->text(), QString());
        QVERIFY(!Forms::isLoaded<frmPlanner>());
    }

    void windowsAreWholeAtTheirDefaultSize() {
        makePlan("full.flt", std::vector<PlanRecord>(11, fullWidthPlan()));
        QVERIFY(planner::savePersonal(fullWidthPlan()));
        auto* form = Forms::show<frmFlightPlanRecord>();
        QCOMPARE(child<QLabel>(form, "lblStreet")->text().size(), 30);
        verifyWhole(form);
        child<QAction>(form, "mnuLog")->trigger();
        auto* log = Forms::get<frmFPLog>();
        QCOMPARE(child<QLabel>(log, "lblFRem_9")->text().size(), 10);
        verifyWhole(log);
        // Entry boxes as wide as their longest text: the street, the
        // checkpoint's name.
        auto shown = whenShown<frmPersonal>([](frmPersonal* p) {
            verifyBoxFits(child<QLineEdit>(p, "txtAddress"));
            child<QPushButton>(p, "cmdCancel")->click();
        });
        child<QAction>(form, "mnuEditPersonal")->trigger();
        QVERIFY(shown.ran());
        shown = whenShown<frmFPCheck>([](frmFPCheck* c) {
            verifyBoxFits(child<QLineEdit>(c, "txtName"));
            child<QPushButton>(c, "cmdCancel")->click();
        });
        Forms::showModal<frmFPCheck>();
        QVERIFY(shown.ran());
    }

    void formCaptionsAndMenus() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        const std::pair<const char*, const char*> captions[] = {
            {"lblType1", "1.Type"},
            {"lblVFR1", "VFR"},
            {"lblIFR1", "IFR"},
            {"lblDVFR1", "DVFR"},
            {"lblIdent1", "2. Aircraft Identification"},
            {"lblSpecial1", "3.  Aircraft Type  Special Equipment"},
            {"lblTrueSpeed1", " 4.   True              Airspeed"},
            {"lblKTS", "KTS"},
            {"lblDepart1", "5. Departure Point"},
            {"lblDepartTime", "6. Departure Time (z)"},
            {"lblproposed1", "Proposed"},
            {"lblActual1", "Actual"},
            {"lblCurise1", "7. Cruising              Altitude"},
            {"lblRoute1", "8. Route of Flight"},
            {"lblDestination1", "9. Destination (Name of airport and city)"},
            {"lblEnRoute", "10. Est. Time En Route"},
            {"lblHours1", "Hours"},
            {"lblMinutes1", "Minutes"},
            {"lblSpeciallblSpecial", "11. Remarks"},
            {"lblFuel", "12. Fuel On Board"},
            {"lblHours2", "Hours"},
            {"lblMinutes2", "Minutes"},
            {"lblAlternates", "13. Alternate Airport(s)"},
            {"lblPersonal", "14. Pilot's Name, Address, Telephone Number, and Aircraft Home Base"},
            {"lblAboard1", "15. Number    Aboard"},
            {"lblColor1", "16. Color of Aircraft"},
            {"lblClose2", "CLOSE VFR FLIGHT PLAN WITH _____________ FSS ON ARRIVAL"},
            {"lblAerokit", "Aerokit"},
            {"lblRecord", "FLIGHT PLAN RECORD"},
            {"lblSuffixes", "Special Equipment Suffix:"},
        };
        for (auto [name, text] : captions) QCOMPARE(child<QLabel>(d, name)->text(), QString(text));
        QStringList legend;
        for (QLabel* l : d->picSuffixes->findChildren<QLabel*>())
            if (l != child<QLabel>(d, "lblSuffixes")) legend << l->text();
        QCOMPARE(legend.size(), 9);
        QVERIFY(legend.contains("T-Transponder w/o Altitude Encoding "));
        QVERIFY(legend.contains("R-RNAV, Transponder W/ Altitude Encoding"));
        QVERIFY(legend.contains("W-RNAV, No Transponder"));

        QStringList tops;
        for (QAction* a : d->menuBar()->actions()) tops << a->text();
        QCOMPARE(tops, QStringList({"&File", "&Print", "&Flight Plan", "&Help"}));
        const std::pair<const char*, const char*> items[] = {
            {"mnuMain", "&Main Menu"},
            {"mnuExit", "E&xit"},
            {"mnuPrintRec", "&Print Flight Plan Record"},
            {"mnuEditPlan", "Edit &Flight Plan Record"},
            {"mnuEditPersonal", "Edit &Personal Info"},
            {"mnuLog", "Show Flight &Log"},
            {"mnuHelp", "&Help"},
            {"mnuAbout", "&About"}};
        for (auto [name, text] : items) {
            QAction* a = child<QAction>(d, name);
            QVERIFY(a);
            QCOMPARE(a->text(), QString(text));
            QVERIFY(a->shortcut().isEmpty());
        }
        QVERIFY(!d->findChild<QAction*>("mnuCut"));
    }

    void recordInputOkWithoutTypingKeepsSharedAndLogFields() {
        const PlanRecord old = filledPlan();
        makePlan("p.flt", {old});
        auto* d = Forms::show<frmFlightPlanRecord>();
        QCOMPARE(child<QLabel>(d, "lblVFR")->text(), QString("X"));
        auto shown = whenShown<frmRecordInput>([](frmRecordInput* w) {
            QCOMPARE(w->windowTitle(), QString("Flight Plan Record Input"));
            QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N12345    "));
            QCOMPARE(child<QLineEdit>(w, "txtDepart")->text(), QString("KBED      "));
            QCOMPARE(child<QLineEdit>(w, "txtDest")->text(), QString("KMVY      "));
            QCOMPARE(child<QLineEdit>(w, "txtAltPorts")->text(), pad("KACK", 15));
            QCOMPARE(child<QLineEdit>(w, "txtSpeed")->text(), pad("110", 10));
            QCOMPARE(child<QLineEdit>(w, "txtCruise")->text(), pad("5500", 10));
            QVERIFY(child<QLineEdit>(w, "txtType")->text().isEmpty());
            QVERIFY(child<QPlainTextEdit>(w, "txtRoute")->toPlainText().isEmpty());
            QVERIFY(!child<QRadioButton>(w, "optVFR")->isChecked() &&
                    !child<QRadioButton>(w, "optIFR")->isChecked() &&
                    !child<QRadioButton>(w, "optDVFR")->isChecked());
            child<QPushButton>(w, "cmdOK")->click();
        });
        child<QAction>(d, "mnuEditPlan")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(Forms::isLoaded<frmRecordInput>());
        QVERIFY(!Forms::get<frmRecordInput>()->isVisible());
        const PlanRecord r = fileRecord("p.flt", 1);
        QCOMPARE(r.IsVFR, std::int16_t(0));
        QCOMPARE(r.IsIFR, std::int16_t(0));
        QCOMPARE(r.IsDVFR, std::int16_t(0));
        QCOMPARE(r.AircraftIdent, old.AircraftIdent);
        QCOMPARE(r.Departure, old.Departure);
        QCOMPARE(r.Alternates, old.Alternates);
        QCOMPARE(r.AircraftType.raw(), std::string(10, ' '));
        QCOMPARE(r.Route.raw(), std::string(100, ' '));
        QCOMPARE(r.CloseWith.raw(), std::string(8, ' '));
        QCOMPARE(r.ProposedTime.raw(), std::string(10, ' '));
        QCOMPARE(r.TimeOff, old.TimeOff);
        QCOMPARE(r.RunwayInfo, old.RunwayInfo);
        QCOMPARE(r.LastCheckpoint, std::int16_t(1));
        QVERIFY(r.PilotName.neverStored());
        QVERIFY(child<QLabel>(d, "lblVFR")->text().isEmpty());
        QVERIFY(child<QLabel>(d, "lblIFR")->text().isEmpty());
        QVERIFY(child<QLabel>(d, "lblDVFR")->text().isEmpty());
        QCOMPARE(child<QLabel>(d, "lblRoute")->text(), QString(100, ' '));
    }

    void ifrAfterVfrLeavesOneMark() {
        makePlan("p.flt", {filledPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        QCOMPARE(child<QLabel>(d, "lblVFR")->text(), QString("X"));
        auto* w = Forms::get<frmRecordInput>();
        child<QRadioButton>(w, "optVFR")->click();
        child<QRadioButton>(w, "optIFR")->click();
        QVERIFY(!child<QRadioButton>(w, "optVFR")->isChecked());
        child<QPushButton>(w, "cmdOK")->click();
        QCOMPARE(child<QLabel>(d, "lblVFR")->text(), QString());
        QCOMPARE(child<QLabel>(d, "lblIFR")->text(), QString("X"));
        QCOMPARE(child<QLabel>(d, "lblDVFR")->text(), QString());
        const PlanRecord r = fileRecord("p.flt", 1);
        QCOMPARE(r.IsVFR, std::int16_t(0));
        QCOMPARE(r.IsIFR, std::int16_t(-1));
        QCOMPARE(r.IsDVFR, std::int16_t(0));
    }

    void typeAndSuffixShowWithSixSpacesBetween() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        auto* w = Forms::get<frmRecordInput>();
        QTest::keyClicks(child<QLineEdit>(w, "txtType"), "PA28");
        QTest::keyClicks(child<QLineEdit>(w, "txtSpecial"), "U");
        QTest::keyClicks(child<QLineEdit>(w, "txtIdent"), "N9");
        child<QPushButton>(w, "cmdOK")->click();
        QCOMPARE(child<QLabel>(d, "lblType")->text(), QString("PA28      U         "));
        QVERIFY(child<QLabel>(d, "lblType")->text().startsWith("PA28" + QString(6, ' ') + "U"));
        QCOMPARE(child<QLabel>(d, "lblIdent")->text(), QString("N9        "));
    }

    void okHidesAndKeepsTypingCancelUnloads() {
        makePlan("p.flt", {filledPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        auto shown = whenShown<frmRecordInput>([](frmRecordInput* w) {
            child<QRadioButton>(w, "optDVFR")->click();
            child<QLineEdit>(w, "txtColor")->setText("RED/WHITE");
            child<QLineEdit>(w, "txtIdent")->setText("N777");
            child<QPushButton>(w, "cmdOK")->click();
        });
        child<QAction>(d, "mnuEditPlan")->trigger();
        QVERIFY(shown.ran());
        // The file changes behind the window: showing it again does not reread.
        PlanRecord other = filledPlan();
        other.AircraftIdent.assign("N000");
        makePlan("p.flt", {other});
        shown = whenShown<frmRecordInput>([](frmRecordInput* w) {
            QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N777"));
            QCOMPARE(child<QLineEdit>(w, "txtColor")->text(), QString("RED/WHITE"));
            QVERIFY(child<QRadioButton>(w, "optDVFR")->isChecked());
            child<QPushButton>(w, "cmdCancel")->click();
        });
        child<QAction>(d, "mnuEditPlan")->trigger();
        QVERIFY(shown.ran());
        QVERIFY(!Forms::isLoaded<frmRecordInput>());
        QCOMPARE(fileRecord("p.flt", 1), other);  // Cancel stores nothing
        shown = whenShown<frmRecordInput>([](frmRecordInput* w) {
            QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N000      "));
            QVERIFY(child<QLineEdit>(w, "txtColor")->text().isEmpty());
            QVERIFY(!child<QRadioButton>(w, "optDVFR")->isChecked());
            child<QPushButton>(w, "cmdCancel")->click();
        });
        child<QAction>(d, "mnuEditPlan")->trigger();
        QVERIFY(shown.ran());
    }

    void recordInputFieldsLengthsAndTabOrder() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* w = Forms::get<frmRecordInput>();
        const std::pair<const char*, int> maxima[] = {
            {"txtIdent", 10},   {"txtType", 10},     {"txtSpecial", 10}, {"txtSpeed", 10},
            {"txtDepart", 10},  {"txtProp", 5},      {"txtAct", 5},      {"txtCruise", 10},
            {"txtDest", 10},    {"txtHours", 5},     {"txtMinutes", 5},  {"txtFHours", 5},
            {"txtFMinutes", 5}, {"txtAltPorts", 15}, {"txtAboard", 10},  {"txtColor", 20},
            {"txtClose", 8}};
        for (auto [name, max] : maxima) QCOMPARE(child<QLineEdit>(w, name)->maxLength(), max);
        QCOMPARE(child<QGroupBox>(w, "fraType")->title(), QString("Type of Flight"));
        QCOMPARE(child<QPushButton>(w, "cmdPersonal")->text(), QString("Personal Info"));
        const char* order[] = {
            "optVFR",     "optIFR",    "optDVFR",     "txtIdent",    "txtType",
            "txtSpecial", "txtSpeed",  "txtDepart",   "txtProp",     "txtAct",
            "txtCruise",  "txtRoute",  "txtDest",     "txtHours",    "txtMinutes",
            "txtRemarks", "txtFHours", "txtFMinutes", "txtAltPorts", "txtAboard",
            "txtColor",   "txtClose",  "cmdOK",       "cmdCancel",   "cmdPersonal"};
        for (std::size_t i = 1; i < std::size(order); ++i)
            QCOMPARE(nextTabStop(child<QWidget>(w, order[i - 1])), QString(order[i]));
        QCOMPARE(child<QLabel>(w, "lblProp")->text(), QString("Deparure Time: Proposed "));
        QCOMPARE(child<QLabel>(w, "lblHours")->text(), QString("Est. Time en Rt:    Hours: "));
        // A proposed time of five characters goes into a ten-character field.
        QTest::keyClicks(child<QLineEdit>(w, "txtProp"), "1430Z99");
        QCOMPARE(child<QLineEdit>(w, "txtProp")->text(), QString("1430Z"));
        child<QPushButton>(w, "cmdOK")->click();
        QCOMPARE(fileRecord("p.flt", 1).ProposedTime.raw(), std::string("1430Z     "));
    }

    void multiLineBoxesStoreCrLfWithinTheWidth() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        auto* w = Forms::get<frmRecordInput>();
        w->show();
        child<QPlainTextEdit>(w, "txtRoute")->setFocus();
        QTest::keyClicks(child<QPlainTextEdit>(w, "txtRoute"), "KBED");
        QTest::keyClick(child<QPlainTextEdit>(w, "txtRoute"), Qt::Key_Return);
        QTest::keyClicks(child<QPlainTextEdit>(w, "txtRoute"), "V141");
        QTest::keyClicks(child<QPlainTextEdit>(w, "txtRemarks"), QString(99, 'r'));
        QTest::keyClick(child<QPlainTextEdit>(w, "txtRemarks"),
                        Qt::Key_Return);  // would need 99 + 2: refused
        QTest::keyClicks(child<QPlainTextEdit>(w, "txtRemarks"), "st");  // room for one more
        QCOMPARE(child<QPlainTextEdit>(w, "txtRemarks")->toPlainText(), QString(99, 'r') + "s");
        // A line break counts two: 98 + CR LF fills the box.
        child<QPlainTextEdit>(w, "txtRemarks")->setPlainText(QString(98, 'r'));
        child<QPlainTextEdit>(w, "txtRemarks")->moveCursor(QTextCursor::End);
        QTest::keyClick(child<QPlainTextEdit>(w, "txtRemarks"), Qt::Key_Return);
        QTest::keyClicks(child<QPlainTextEdit>(w, "txtRemarks"), "x");
        QCOMPARE(child<QPlainTextEdit>(w, "txtRemarks")->toPlainText(), QString(98, 'r') + "\n");
        child<QPlainTextEdit>(w, "txtRemarks")->setPlainText(QString(99, 'r') + "s");
        child<QPushButton>(w, "cmdOK")->click();
        const PlanRecord r = fileRecord("p.flt", 1);
        QCOMPARE(r.Route.raw(), std::string("KBED\r\nV141") + std::string(90, ' '));
        QCOMPARE(r.Remarks.raw(), std::string(99, 'r') + "s");
        QCOMPARE(child<QLabel>(d, "lblRoute")->text(), pad("KBED\r\nV141", 100));
    }

    void personalWithOnlyNameAndDirectUpdate() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        auto shown = whenShown<frmPersonal>([](frmPersonal* w) {
            QCOMPARE(w->windowTitle(), QString("Personal Information"));
            for (QLineEdit* e : w->findChildren<QLineEdit*>()) QVERIFY(e->text().isEmpty());
            QTest::keyClicks(child<QLineEdit>(w, "txtName"), "Chuck Yeager");
            child<QPushButton>(w, "cmdOK")->click();
        });
        child<QAction>(d, "mnuEditPersonal")->trigger();
        QVERIFY(shown.ran());
        const auto b = readFileBytes("Personal.nfo");
        QCOMPARE(b.size(), std::size_t(1006));
        QCOMPARE(std::string(b.begin() + 256, b.begin() + 276),
                 std::string("Chuck Yeager        "));
        QCOMPARE(std::string(b.begin() + 276, b.begin() + 366), std::string(90, ' '));
        for (std::size_t i = 0; i < b.size(); ++i)
            if (i < 256 || i >= 366) QCOMPARE(int(b[i]), 0);
        QCOMPARE(child<QLabel>(d, "lblName")->text(), QString("Chuck Yeager        "));
        QCOMPARE(child<QLabel>(d, "lblHomeBase")->text(), QString(15, ' '));
        QVERIFY(Forms::isLoaded<frmPersonal>());
        QVERIFY(!Forms::get<frmPersonal>()->isVisible());
        // The plan file is not touched by the personal information.
        QCOMPARE(readFileBytes("p.flt"), bytesOf(planner::freshPlan()));
    }

    void personalFieldsAndCancel() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* w = Forms::get<frmPersonal>();
        const std::tuple<const char*, int, const char*, const char*> fields[] = {
            {"txtName", 20, "lblName", "Full Name:"},
            {"txtAddress", 30, "lblAddress", "Street Address:"},
            {"txtCity", 20, "lblCity", "City:"},
            {"txtState", 2, "lblState", "State:"},
            {"txtZip", 11, "lblZip", "Zip Code:"},
            {"txtPhone", 12, "lblPhone", "Telephone Number:"},
            {"txtHome", 15, "lblHome", "Aircraft Home Base:"}};
        QWidget* prev = nullptr;
        for (auto [box, max, label, caption] : fields) {
            QCOMPARE(child<QLineEdit>(w, box)->maxLength(), max);
            QCOMPARE(child<QLabel>(w, label)->text(), QString(caption));
            if (prev) QCOMPARE(nextTabStop(prev), QString(box));
            prev = child<QWidget>(w, box);
        }
        child<QLineEdit>(w, "txtState")->setText("MA");
        child<QPushButton>(w, "cmdCancel")->click();
        QVERIFY(!Forms::isLoaded<frmPersonal>());
        QVERIFY(!QFileInfo::exists("Personal.nfo"));
        QVERIFY(child<QLineEdit>(Forms::get<frmPersonal>(), "txtState")->text().isEmpty());
    }

    void personalFromRecordInput() {
        makePlan("p.flt", {planner::freshPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        auto* w = Forms::get<frmRecordInput>();
        auto shown = whenShown<frmPersonal>([](frmPersonal* p) {
            child<QLineEdit>(p, "txtCity")->setText("Bedford");
            child<QPushButton>(p, "cmdOK")->click();
        });
        child<QPushButton>(w, "cmdPersonal")->click();
        QVERIFY(shown.ran());
        QCOMPARE(child<QLabel>(d, "lblCity")->text(), pad("Bedford", 20));
        QCOMPARE(planner::readPersonal().City.raw(), std::string("Bedford") + std::string(13, ' '));
    }

    void failedWritesKeepTheWindowOpen() {
        makePlan("p.flt", {filledPlan()});
        const auto before = readFileBytes("p.flt");
        auto* d = Forms::show<frmFlightPlanRecord>();
        const QStringList shown = valueTexts(d);
        auto* w = Forms::get<frmRecordInput>();
        w->show();
        child<QLineEdit>(w, "txtColor")->setText("BLUE");
        {
            const testsupport::WriteFailureAfter failing(0);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QPushButton>(w, "cmdOK")->click();
            QCOMPARE(MessageBox::history().size(), std::size_t(1));
            const auto& box = MessageBox::history().back();
            QCOMPARE(box.title, QString("Flight Plan Not Saved"));
            QVERIFY(box.text.contains("could not be saved"));
            QCOMPARE(box.icon, MessageBox::Icon::Stop);
            QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
            QVERIFY(w->isVisible());
            QCOMPARE(child<QLineEdit>(w, "txtColor")->text(), QString("BLUE"));
            QCOMPARE(valueTexts(d), shown);
            QCOMPARE(readFileBytes("p.flt"), before);

            auto* p = Forms::get<frmPersonal>();
            p->show();
            child<QLineEdit>(p, "txtName")->setText("Bob");
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QPushButton>(p, "cmdOK")->click();
            QCOMPARE(MessageBox::history().size(), std::size_t(2));
            QCOMPARE(MessageBox::history().back().title, QString("Personal Information Not Saved"));
            QCOMPARE(MessageBox::history().back().icon, MessageBox::Icon::Stop);
            QVERIFY(p->isVisible());
            QCOMPARE(child<QLineEdit>(p, "txtName")->text(), QString("Bob"));
            QCOMPARE(valueTexts(d), shown);
        }
        // Another program holding the plan file: said in words.
        {
            const testsupport::LockWait shortWait(std::chrono::milliseconds(50));
            const testsupport::HeldLock other("p.flt");
            QVERIFY(other.held());
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            child<QPushButton>(w, "cmdOK")->click();
        }
        QCOMPARE(MessageBox::history().back().text,
                 QString("The flight plan could not be saved: p.flt is in use by another "
                         "program. Nothing was changed. Try again in a moment."));
        QCOMPARE(MessageBox::history().back().title, QString("Flight Plan Not Saved"));
        QVERIFY(w->isVisible());
        QCOMPARE(readFileBytes("p.flt"), before);

        child<QPushButton>(w, "cmdOK")->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(child<QLabel>(d, "lblColor")->text(), pad("BLUE", 20));
    }

    void labelsUnchangedAfterTheLogAndBack() {
        makePlan("p.flt", {filledPlan()});
        PlanRecord me;
        me.PilotName.assign("Pilot");
        QVERIFY(planner::savePersonal(me));
        auto* d = Forms::show<frmFlightPlanRecord>();
        const QStringList shown = valueTexts(d);
        child<QAction>(d, "mnuLog")->trigger();
        QVERIFY(!d->isVisible());
        auto* log = Forms::get<frmFPLog>();
        QVERIFY(log->isVisible());
        // Both files change while the form is hidden.
        makePlan("p.flt", {planner::freshPlan()});
        QVERIFY(planner::savePersonal(PlanRecord{}));
        child<QAction>(log, "mnuShowRec")->trigger();
        QVERIFY(!Forms::isLoaded<frmFPLog>());
        QCOMPARE(Forms::get<frmFlightPlanRecord>(), d);
        QVERIFY(d->isVisible());
        QCOMPARE(valueTexts(d), shown);
    }

    void mainMenuUnloadsTheForm() {
        makePlan("p.flt", {filledPlan()});
        auto* d = Forms::show<frmFlightPlanRecord>();
        child<QAction>(d, "mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
        QVERIFY(Forms::isLoaded<frmMenu>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
        child<QPushButton>(Forms::show<frmPlanner>(), "cmdExitPlanner")->click();
        QVERIFY(!Forms::isLoaded<frmPlanner>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
    }

    void printedFormIsALandscapeSheetWithEveryValueWhole() {
        PlanRecord plan = filledPlan();
        plan.AircraftIdent.assign("N123456789");
        plan.AircraftType.assign("BE58");
        plan.Special.assign("/G");
        plan.Remarks.assign("<b>not bold</b>");
        plan.ProposedTime.assign("1421");
        plan.EnRouteMinutes.assign("17");
        plan.Color.assign("WHITE/BLUE STRIPES");
        plan.CloseWith.assign("BRIDGEPT");
        makePlan("p.flt", {plan});
        PlanRecord me;
        me.PilotName.assign("Amelia Earhart");
        me.HomeBase.assign("KBED");
        QVERIFY(planner::savePersonal(me));
        auto* d = Forms::show<frmFlightPlanRecord>();
        const PrintPage::Page page = d->printPage();
        QVERIFY(page.landscape);
        QVERIFY(PrintPage::printToPdf(page, "form.pdf"));
        QVERIFY(testsupport::pdfLandscape("form.pdf"));
        const QStringList pages = testsupport::pdfPageTexts("form.pdf");
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0];
        QVERIFY(text.contains(QRegularExpression("BE58 +/G")));  // on one line
        for (const char* whole : {"N123456789",
                                  "1421",
                                  "17",
                                  "KBED",
                                  "KMVY",
                                  "KACK",
                                  "5500",
                                  "DIRECT",
                                  "V141",
                                  "<b>not bold</b>",
                                  "WHITE/BLUE STRIPES",
                                  "BRIDGEPT",
                                  "Amelia Earhart",
                                  "2. Aircraft Identification",
                                  "5. Departure Point",
                                  "16. Color of Aircraft",
                                  "FSS ON ARRIVAL",
                                  "W-RNAV, No Transponder",
                                  "page 1 of 1",
                                  "p.flt"})
            QVERIFY2(text.contains(whole), whole);
        PrintPage::setNextPdfPath(QDir::current().filePath("menu.pdf"));
        child<QAction>(d, "mnuPrintRec")->trigger();
        QCOMPARE(testsupport::pdfPageTexts("menu.pdf"), pages);
    }

    void unreadablePlanIsNotShown() {
        QDir().mkdir("folder.flt");
        modLog::PlanPath = QDir::current().filePath("folder.flt");
        Forms::show<frmFlightPlanRecord>();
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
        frmPlanner* p = Forms::show<frmPlanner>();
        FileDialog::setNextFileName(QDir::current().filePath("folder.flt"));
        child<QPushButton>(p, "cmdNewPlan")->click();
        QVERIFY(Forms::isLoaded<frmPlanner>());
        QVERIFY(!Forms::isLoaded<frmFlightPlanRecord>());
    }
};

AEROKIT_WINDOW_TEST_MAIN(PlanFormWindowTest)
#include "planner_form_window_test.moc"
