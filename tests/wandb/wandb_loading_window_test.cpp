// The weight-and-balance window driven through its controls.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QMenuBar>
#include <QProcess>
#include <QTimer>
#include <functional>

#include "Bytes.h"
#include "WandbTestData.h"
#include "WindowTest.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/frmquit.h"
#include "wandb/AircraftFiles.h"
#include "wandb/frmWandB.h"

using testsupport::child;
using wandb::AircraftRecord;
using wandbtest::exampleAircraft;

namespace {

const QString kError =
    "You must select an Aircraft and fill in all appropriate fields before you can calculate the "
    "CG";

AircraftRecord everyStation(const char* ident = "N9") {
    AircraftRecord a = exampleAircraft(ident);
    const char* names[] = {"Pilot", "Copilot", "Rear",  "Bag A", "Bag B",
                           "Bag C", "Left",    "Right", "Aux",   "Oil"};
    int i = 0;
    for (wandb::Station s : wandb::kStations) {
        a.name(s).assign(names[i]);
        a.arm(s) = float(10 + i);
        ++i;
    }
    return a;
}

void store(const AircraftRecord& a) {
    QVERIFY(wandb::saveAircraft(wandb::aircraftFileName(a.Ident.raw()), a));
}

// Load Aircraft, then click the entry named file.
bool pick(frmWandB* w, const QString& file) {
    child<QPushButton>(w, "cmdLoad")->click();
    const auto items = child<QListWidget>(w, "lstLoad")->findItems(file, Qt::MatchExactly);
    if (items.size() != 1 || child<QListWidget>(w, "lstLoad")->isHidden()) return false;
    child<QListWidget>(w, "lstLoad")->setCurrentItem(items[0]);
    QTest::mouseClick(child<QListWidget>(w, "lstLoad")->viewport(), Qt::LeftButton, {},
                      child<QListWidget>(w, "lstLoad")->visualItemRect(items[0]).center());
    return child<QListWidget>(w, "lstLoad")->isHidden();
}

void leave(QLineEdit* box, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(box, &out);
}

QStringList results(frmWandB* w) {
    return {child<QLabel>(w, "lblTotalWeight")->text(), child<QLabel>(w, "lblTOweight")->text(),
            child<QLabel>(w, "lblTotalMoment")->text(), child<QLabel>(w, "lblZeroweight")->text(),
            child<QLabel>(w, "lblTakeoffCG")->text(),   child<QLabel>(w, "lblZeroCG")->text()};
}

const MessageBox::Shown& lastBox() { return MessageBox::history().back(); }

// The load sheet printed to a PDF file, and the text read back from it.
QString sheetText(frmWandB* w, const QString& name) {
    const QString pdf = QDir::current().filePath(name);
    if (!PrintPage::printToPdf(w->printPage(), pdf)) return {};
    return testsupport::pdfPageTexts(pdf).join("");
}

// The pictures a PDF file holds; a drawing made of lines and text has none.
int pdfImageCount(const QString& pdf) {
    QProcess run;
    run.start("pdfimages", {"-list", pdf});
    if (!run.waitForFinished(30000) || run.exitCode() != 0) return -1;
    // Two heading lines, then one line per image.
    return int(QString::fromUtf8(run.readAllStandardOutput()).trimmed().split('\n').size()) - 2;
}

// The step about to run shows one box; answer it.
void answerOk() { MessageBox::setNextAnswer(MessageBox::Answer::Ok); }

}  // namespace

class WandBTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { testsupport::resetShell(); }

    void controlsMenusAndFirstState() {
        frmWandB* w = Forms::show<frmWandB>();
        QCOMPARE(w->objectName(), QString("frmWandB"));
        QCOMPARE(w->windowTitle(), QString("Calculate Weight and  Balance"));
        QVERIFY(child<QListWidget>(w, "lstLoad")->isHidden());
        QCOMPARE(child<QLabel>(w, "lblEmptyArm")->text(), QString("----------"));
        QCOMPARE(child<QLabel>(w, "lblEmptyWeight")->text(), QString());
        QCOMPARE(child<QLabel>(w, "lblTotalArm")->text(), QString());
        QCOMPARE(child<QPushButton>(w, "cmdCalculateCG")->text(), QString("Calculate CG"));
        QCOMPARE(child<QPushButton>(w, "cmdNew")->text(), QString("New Aircraft"));
        QCOMPARE(child<QPushButton>(w, "cmdLoad")->text(), QString("Load Aircraft"));
        QCOMPARE(child<QPushButton>(w, "cmdClear")->text(), QString("Clear"));
        QCOMPARE(child<QPushButton>(w, "cmdMain")->text(), QString("Main Menu"));
        QCOMPARE(child<QGroupBox>(w, "fraTotal")->title(), QString("Total"));
        QCOMPARE(child<QGroupBox>(w, "fraWeights")->title(), QString("Aircraft Weights"));
        QCOMPARE(child<QGroupBox>(w, "fraCG")->title(), QString("Center of Gravity (CG)"));
        QCOMPARE(child<QLabel>(w, "lblTank2Gal")->text(), QString("Gal."));
        QCOMPARE(child<QLabel>(w, "lblOilQts")->text(), QString("Qts."));
        QCOMPARE(child<QLabel>(w, "lblOillbs")->text(), QString("lbs"));
        // Every station row is there before an aircraft is loaded.
        for (const char* name :
             {"txtSeat3", "txtBags2", "txtTank3Gal", "lblTank3lbs", "txtOilQts", "lblOilMoment"})
            QVERIFY(!child<QWidget>(w, name)->isHidden());

        QStringList tops;
        for (QAction* a : w->menuBar()->actions()) tops << a->text();
        QCOMPARE(tops, (QStringList{"&File", "&Edit", "&Print", "&Help"}));
        auto itemsOf = [&](int i) {
            QStringList out;
            for (QAction* a : w->menuBar()->actions()[i]->menu()->actions())
                out << (a->isSeparator() ? QString("-") : a->objectName() + "=" + a->text());
            return out;
        };
        QCOMPARE(itemsOf(0),
                 (QStringList{"mnuNew=&New Aircraft", "mnuLoad=&Load Aircraft",
                              "mnuCG=&Calculate CG", "-", "mnuMain=&Main Menu", "mnuExit=E&xit"}));
        QCOMPARE(itemsOf(1), (QStringList{"mnuCut=Cu&t", "mnuCopy=&Copy", "mnuPaste=&Paste", "-",
                                          "mnuClear=C&lear"}));
        QCOMPARE(itemsOf(2), (QStringList{"mnuPrint1=&Print"}));
        QCOMPARE(w->menuBar()->actions()[2]->menu()->objectName(), QString("mnuPrint"));
        QCOMPARE(itemsOf(3), (QStringList{"mnuHelp=&Help", "mnuAbout=&About"}));
        for (const char* name : {"mnuCut", "mnuCopy", "mnuPaste", "mnuClear"})
            QVERIFY(child<QAction>(w, name)->shortcut().isEmpty());
        // Tab order: ident, make, then the entry boxes row by row.
        QCOMPARE(child<QLineEdit>(w, "txtMake")->nextInFocusChain(),
                 child<QLineEdit>(w, "txtSeat1"));
        QCOMPARE(child<QLineEdit>(w, "txtBags3")->nextInFocusChain(),
                 child<QLineEdit>(w, "txtTank1Gal"));
        QCOMPARE(child<QLineEdit>(w, "txtTank1Gal")->nextInFocusChain(),
                 child<QLineEdit>(w, "txtTank1lbs"));
        QCOMPARE(child<QLineEdit>(w, "txtTank3lbs")->nextInFocusChain(),
                 child<QLineEdit>(w, "txtOilQts"));
        QCOMPARE(child<QLineEdit>(w, "txtOilQts")->nextInFocusChain(),
                 child<QLineEdit>(w, "txtOillbs"));
    }

    void workedExample() {
        store(exampleAircraft());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N1234.pln"));
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N1234          "));
        QCOMPARE(child<QLineEdit>(w, "txtMake")->text(), QString("Cessna 172     "));
        QCOMPARE(child<QLabel>(w, "lblEmptyWeight")->text(), QString("1500"));
        QCOMPARE(child<QLabel>(w, "lblEmptyMoment")->text(), QString("57000"));
        QCOMPARE(child<QLabel>(w, "lblMaxWeight")->text(), QString("2300"));
        QCOMPARE(child<QLabel>(w, "lblFwdLimit")->text(), QString("35"));
        QCOMPARE(child<QLabel>(w, "lblAftLimit")->text(), QString("47.3"));
        QCOMPARE(child<QLabel>(w, "lblSeat1")->text().trimmed(), QString("Pilot"));
        QCOMPARE(child<QLabel>(w, "lblSeat1Arm")->text(), QString("37"));
        QCOMPARE(child<QLabel>(w, "lblTank1Arm")->text(), QString("48"));
        QTest::keyClicks(child<QLineEdit>(w, "txtSeat1"), "170");
        QTest::keyClicks(child<QLineEdit>(w, "txtTank1Gal"), "20");
        QTest::mouseClick(child<QPushButton>(w, "cmdCalculateCG"), Qt::LeftButton);
        QVERIFY(MessageBox::history().empty());
        QCOMPARE(child<QLineEdit>(w, "txtTank1lbs")->text(), QString("120"));
        QCOMPARE(child<QLabel>(w, "lblSeat1Moment")->text(), QString("6290"));
        QCOMPARE(child<QLabel>(w, "lblTank1Moment")->text(), QString("5760"));
        QCOMPARE(results(w), (QStringList{"1790", "1790", "69050", "1670", "38.57542", "37.8982"}));
        QCOMPARE(child<QLabel>(w, "lblTotalArm")->text(), QString());
        // The menu item runs the same step.
        child<QPushButton>(w, "cmdClear")->click();
        child<QLineEdit>(w, "txtSeat1")->setText("170");
        child<QLineEdit>(w, "txtTank1Gal")->setText("20");
        child<QAction>(w, "mnuCG")->trigger();
        QCOMPARE(child<QLabel>(w, "lblTakeoffCG")->text(), QString("38.57542"));
    }

    void oilQuartsBecomePoundsInDoublePrecision() {
        store(everyStation());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        const char* quarts[][2] = {{"7", "13.125"}, {"3", "5.625"}, {"8", "15"}};
        for (const auto& q : quarts) {
            child<QLineEdit>(w, "txtOilQts")->setText(q[0]);
            child<QPushButton>(w, "cmdCalculateCG")->click();
            QCOMPARE(child<QLineEdit>(w, "txtOillbs")->text(), QString(q[1]));
        }
        // Oil arm 19: 15 lb give 285, and it stays in the zero-fuel figures.
        QCOMPARE(child<QLabel>(w, "lblOilMoment")->text(), QString("285"));
        QCOMPARE(child<QLabel>(w, "lblZeroweight")->text(), QString("1515"));
        QVERIFY(MessageBox::history().empty());
        // Typing pounds does not convert the quarts while typing.
        child<QLineEdit>(w, "txtOillbs")->setText("30");
        leave(child<QLineEdit>(w, "txtOillbs"));
        QCOMPARE(child<QLineEdit>(w, "txtOilQts")->text(), QString("8"));
    }

    void tankBoxesConvertOnLeaving() {
        store(exampleAircraft());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N1234.pln"));
        child<QLineEdit>(w, "txtTank1lbs")->setText("100");
        leave(child<QLineEdit>(w, "txtTank1lbs"));
        QCOMPARE(child<QLineEdit>(w, "txtTank1Gal")->text(), QString("16.66667"));
        leave(child<QLineEdit>(w, "txtTank1Gal"));
        QCOMPARE(child<QLineEdit>(w, "txtTank1lbs")->text(), QString("100"));
        child<QLineEdit>(w, "txtTank2Gal")->setText("33.3");
        leave(child<QLineEdit>(w, "txtTank2Gal"));
        QCOMPARE(child<QLineEdit>(w, "txtTank2lbs")->text(), QString("199.8"));
        child<QLineEdit>(w, "txtTank3Gal")->setText("100");
        leave(child<QLineEdit>(w, "txtTank3Gal"));
        QCOMPARE(child<QLineEdit>(w, "txtTank3lbs")->text(), QString("600"));
        child<QLineEdit>(w, "txtTank3lbs")->setText("6");
        leave(child<QLineEdit>(w, "txtTank3lbs"));
        QCOMPARE(child<QLineEdit>(w, "txtTank3Gal")->text(), QString("1"));
        // Switching windows or opening a menu is not leaving the box.
        child<QLineEdit>(w, "txtTank3Gal")->setText("2");
        leave(child<QLineEdit>(w, "txtTank3Gal"), Qt::ActiveWindowFocusReason);
        leave(child<QLineEdit>(w, "txtTank3Gal"), Qt::PopupFocusReason);
        QCOMPARE(child<QLineEdit>(w, "txtTank3lbs")->text(), QString("6"));
        // An empty box converts nothing.
        child<QLineEdit>(w, "txtTank2lbs")->clear();
        leave(child<QLineEdit>(w, "txtTank2lbs"));
        QCOMPARE(child<QLineEdit>(w, "txtTank2Gal")->text(), QString("33.3"));
        QVERIFY(MessageBox::history().empty());
        // The locale's decimal comma.
        WindowText::setLocaleForTesting("de_DE");
        child<QLineEdit>(w, "txtTank1lbs")->setText("100");
        leave(child<QLineEdit>(w, "txtTank1lbs"));
        QCOMPARE(child<QLineEdit>(w, "txtTank1Gal")->text(), QString("16,66667"));
    }

    void realFocusMovesConvert() {
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(QTest::qWaitForWindowActive(w));
        child<QLineEdit>(w, "txtTank1Gal")->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(child<QLineEdit>(w, "txtTank1Gal")->hasFocus());
        QTest::keyClicks(child<QLineEdit>(w, "txtTank1Gal"), "10");
        QTest::keyClick(child<QLineEdit>(w, "txtTank1Gal"), Qt::Key_Tab);
        QTRY_COMPARE(child<QLineEdit>(w, "txtTank1lbs")->text(), QString("60"));
    }

    void badTankTextAsksToRecheck() {
        frmWandB* w = Forms::show<frmWandB>();
        child<QLineEdit>(w, "txtTank2Gal")->setText("ten");
        child<QLineEdit>(w, "txtTank2lbs")->setText("42");
        answerOk();
        leave(child<QLineEdit>(w, "txtTank2Gal"));
        QCOMPARE(int(MessageBox::history().size()), 1);
        QCOMPARE(lastBox().text, QString("Recheck Input"));
        QCOMPARE(lastBox().title, QString("Invalid Input"));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Stop);
        QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
        QCOMPARE(child<QLineEdit>(w, "txtTank2lbs")->text(), QString("42"));
        child<QLineEdit>(w, "txtTank1lbs")->setText("1e39");
        child<QLineEdit>(w, "txtTank1Gal")->setText("5");
        answerOk();
        leave(child<QLineEdit>(w, "txtTank1lbs"));
        QCOMPARE(int(MessageBox::history().size()), 2);
        QCOMPARE(child<QLineEdit>(w, "txtTank1Gal")->text(), QString("5"));
        // A product beyond single precision.
        child<QLineEdit>(w, "txtTank3Gal")->setText("3e38");
        answerOk();
        leave(child<QLineEdit>(w, "txtTank3Gal"));
        QCOMPARE(int(MessageBox::history().size()), 3);
        QCOMPARE(child<QLineEdit>(w, "txtTank3lbs")->text(), QString());
    }

    void hiddenStationsAndTheirReturn() {
        AircraftRecord partial = everyStation("N3");
        partial.Seat3Name.assign("   ");
        partial.Tank2Name.assign("");
        partial.Tank3Name.assign("");
        store(partial);
        store(everyStation("N9"));
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        const QString oldSeat3 = child<QLabel>(w, "lblSeat3")->text();
        QVERIFY(pick(w, "N3.pln"));
        for (QWidget* c : std::initializer_list<QWidget*>{
                 child<QLineEdit>(w, "txtSeat3"), child<QLabel>(w, "lblSeat3Arm"),
                 child<QLabel>(w, "lblSeat3Moment"), child<QLineEdit>(w, "txtTank2Gal"),
                 child<QLabel>(w, "lblTank2Gal"), child<QLineEdit>(w, "txtTank2lbs"),
                 child<QLabel>(w, "lblTank2lbs"), child<QLabel>(w, "lblTank2Arm"),
                 child<QLabel>(w, "lblTank2Moment"), child<QLineEdit>(w, "txtTank3Gal"),
                 child<QLabel>(w, "lblTank3Gal"), child<QLineEdit>(w, "txtTank3lbs"),
                 child<QLabel>(w, "lblTank3lbs"), child<QLabel>(w, "lblTank3Arm"),
                 child<QLabel>(w, "lblTank3Moment")})
            QVERIFY2(c->isHidden(), qPrintable(c->objectName()));
        for (QWidget* c : std::initializer_list<QWidget*>{
                 child<QLineEdit>(w, "txtSeat2"), child<QLabel>(w, "lblSeat2Arm"),
                 child<QLineEdit>(w, "txtTank1Gal"), child<QLabel>(w, "lblTank1lbs"),
                 child<QLineEdit>(w, "txtOilQts"), child<QLabel>(w, "lblOilMoment"),
                 child<QLineEdit>(w, "txtBags3")})
            QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        // The name label of an absent station is left as it was.
        QVERIFY(!child<QLabel>(w, "lblSeat3")->isHidden());
        QCOMPARE(child<QLabel>(w, "lblSeat3")->text(), oldSeat3);
        QVERIFY(pick(w, "N9.pln"));
        for (QWidget* c : std::initializer_list<QWidget*>{
                 child<QLineEdit>(w, "txtSeat3"), child<QLabel>(w, "lblSeat3Moment"),
                 child<QLineEdit>(w, "txtTank2lbs"), child<QLabel>(w, "lblTank3Gal"),
                 child<QLabel>(w, "lblTank3Arm")})
            QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        QCOMPARE(child<QLabel>(w, "lblTank3Arm")->text(), QString("18"));
    }

    void hiddenStationsContributeNothing() {
        AircraftRecord partial = everyStation("N3");
        partial.Seat3Name.assign("");
        partial.Tank2Name.assign("");
        store(partial);
        store(everyStation("N9"));
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        child<QLineEdit>(w, "txtSeat3")->setText("200");
        child<QLineEdit>(w, "txtTank2Gal")->setText("10");
        child<QLineEdit>(w, "txtSeat1")->setText("100");
        QVERIFY(pick(w, "N3.pln"));
        QCOMPARE(child<QLineEdit>(w, "txtSeat3")->text(),
                 QString("200"));  // loading clears nothing
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QVERIFY(MessageBox::history().empty());
        QCOMPARE(child<QLabel>(w, "lblTotalWeight")->text(), QString("1600"));
        QCOMPARE(child<QLineEdit>(w, "txtTank2lbs")->text(), QString());
    }

    void calculateBeforeLoadingChangesNothing() {
        frmWandB* w = Forms::show<frmWandB>();
        child<QLineEdit>(w, "txtSeat1")->setText("170");
        answerOk();
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(int(MessageBox::history().size()), 1);
        QCOMPARE(lastBox().text, kError);
        QCOMPARE(lastBox().title, QString("ERROR"));
        QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
        QCOMPARE(lastBox().icon, MessageBox::Icon::None);
        QCOMPARE(results(w), QStringList(6, QString()));
        QCOMPARE(child<QLabel>(w, "lblSeat1Moment")->text(), QString());
    }

    void clearThenCalculateGivesTheEmptyAircraft() {
        store(exampleAircraft());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N1234.pln"));
        child<QLineEdit>(w, "txtSeat1")->setText("170");
        child<QLineEdit>(w, "txtTank1Gal")->setText("20");
        child<QLineEdit>(w, "txtOilQts")->setText("4");
        child<QPushButton>(w, "cmdCalculateCG")->click();
        child<QAction>(w, "mnuClear")->trigger();
        for (QLineEdit* e : {child<QLineEdit>(w, "txtSeat1"), child<QLineEdit>(w, "txtTank1Gal"),
                             child<QLineEdit>(w, "txtTank1lbs"), child<QLineEdit>(w, "txtOilQts"),
                             child<QLineEdit>(w, "txtOillbs")})
            QCOMPARE(e->text(), QString());
        QCOMPARE(results(w), QStringList(6, QString()));
        QCOMPARE(child<QLabel>(w, "lblSeat1Moment")->text(), QString("6290"));  // moments stay
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text().trimmed(), QString("N1234"));
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QVERIFY(MessageBox::history().empty());
        QCOMPARE(results(w), (QStringList{"1500", "1500", "57000", "1500", "38", "38"}));
    }

    void failureKeepsEarlierStepsAndOldResults() {
        store(everyStation());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        child<QLineEdit>(w, "txtSeat1")->setText("100");
        child<QPushButton>(w, "cmdCalculateCG")->click();
        const QStringList before = results(w);
        QCOMPARE(before[0], QString("1600"));
        child<QLineEdit>(w, "txtTank1Gal")->setText("10");
        child<QLineEdit>(w, "txtBags1")->setText("heavy");
        answerOk();
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(lastBox().title, QString("ERROR"));
        QCOMPARE(child<QLineEdit>(w, "txtTank1lbs")->text(), QString("60"));  // step 3 done
        QCOMPARE(child<QLabel>(w, "lblSeat1Moment")->text(), QString("1000"));
        QCOMPARE(child<QLabel>(w, "lblTank1Moment")->text(), QString());  // after the failure
        QCOMPARE(results(w), before);
        // A weight that totals 0.
        child<QLineEdit>(w, "txtBags1")->setText("-1600");
        child<QLineEdit>(w, "txtTank1Gal")->clear();
        child<QLineEdit>(w, "txtTank1lbs")->clear();
        answerOk();
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(int(MessageBox::history().size()), 2);
        QCOMPARE(results(w), before);
    }

    void identNamingNoAircraftEndsInError() {
        store(exampleAircraft());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N1234.pln"));
        for (const char* ident : {"N5555", "", "../N1234", "N1234.pln"}) {
            MessageBox::clearHistory();
            child<QLineEdit>(w, "txtIdent")->setText(ident);
            answerOk();
            child<QPushButton>(w, "cmdCalculateCG")->click();
            QCOMPARE(int(MessageBox::history().size()), 1);
            QCOMPARE(lastBox().title, QString("ERROR"));
            QCOMPARE(results(w), QStringList(6, QString()));
        }
        QVERIFY(!QFile::exists("N5555.pln"));  // looking up never creates a file
        child<QLineEdit>(w, "txtIdent")->setText("  N1234 ");
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(child<QLabel>(w, "lblTotalWeight")->text(), QString("1500"));
    }

    void aircraftListAndItsAbsence() {
        frmWandB* w = Forms::show<frmWandB>();
        answerOk();
        child<QAction>(w, "mnuLoad")->trigger();
        QCOMPARE(int(MessageBox::history().size()), 1);
        QCOMPARE(lastBox().text, QString("Aicraft not found: Please Select New Aircraft"));
        QCOMPARE(lastBox().title, QString("Aircraft Not Found"));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Stop);
        QVERIFY(child<QListWidget>(w, "lstLoad")->isHidden());
        QCOMPARE(child<QListWidget>(w, "lstLoad")->count(), 0);

        for (const char* n : {"zulu.pln", "N200.pln", "alpha.pln", "Bravo.pln", "notes.txt"})
            testsupport::writeFileBytes(n, std::vector<std::uint8_t>(290, ' '));
        child<QPushButton>(w, "cmdLoad")->click();
        QVERIFY(!child<QListWidget>(w, "lstLoad")->isHidden());
        QStringList names;
        for (int i = 0; i < child<QListWidget>(w, "lstLoad")->count(); ++i)
            names << child<QListWidget>(w, "lstLoad")->item(i)->text();
        QCOMPARE(names, (QStringList{"alpha.pln", "Bravo.pln", "N200.pln", "zulu.pln"}));
        // A second Load starts the list afresh.
        QFile::remove("zulu.pln");
        child<QPushButton>(w, "cmdLoad")->click();
        QCOMPARE(child<QListWidget>(w, "lstLoad")->count(), 3);
        // The file went away before the click: reported, nothing loaded.
        QFile::remove("N200.pln");
        MessageBox::clearHistory();
        child<QListWidget>(w, "lstLoad")->setCurrentRow(2);
        answerOk();
        w->lstLoad_Click();
        QCOMPARE(lastBox().title, QString("Aircraft Not Found"));
        QVERIFY(child<QListWidget>(w, "lstLoad")->isHidden());
        QCOMPARE(child<QLabel>(w, "lblEmptyWeight")->text(), QString());
        // By the keyboard: the list has the focus, arrows move, Enter picks.
        child<QPushButton>(w, "cmdLoad")->click();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), child<QListWidget>(w, "lstLoad"));
        QTest::keyClick(child<QListWidget>(w, "lstLoad"), Qt::Key_Down);
        QCOMPARE(child<QListWidget>(w, "lstLoad")->currentItem()->text(), QString("Bravo.pln"));
        QTest::keyClick(child<QListWidget>(w, "lstLoad"), Qt::Key_Return);
        QVERIFY(child<QListWidget>(w, "lstLoad")->isHidden());
        QVERIFY(!child<QLabel>(w, "lblEmptyWeight")->text().isEmpty());
    }

    void markupInAFileIsShownAsText() {
        // Names and figures come from files anyone may drop in the folder;
        // rich text there could name a device as an image and exhaust memory.
        AircraftRecord a = everyStation("N5");
        a.Seat1Name.assign("<b>Pilot</b>");
        a.Tank1Name.assign("<img src=none.png>");
        store(a);
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N5.pln"));
        QCOMPARE(child<QLabel>(w, "lblSeat1")->text().trimmed(), QString("<b>Pilot</b>"));
        QCOMPARE(child<QLabel>(w, "lblTank1")->text().trimmed(), QString("<img src=none.png>"));
        int labels = 0;
        for (QLabel* l : w->findChildren<QLabel*>()) {
            if (!l->objectName().startsWith("lbl")) continue;
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
            ++labels;
        }
        QCOMPARE(labels, 51);  // every lbl control of the window
        // Shown as the literal text: as wide as a plain label with it.
        QLabel plain;
        plain.setFont(child<QLabel>(w, "lblSeat1")->font());
        plain.setTextFormat(Qt::PlainText);
        plain.setText(child<QLabel>(w, "lblSeat1")->text());
        QCOMPARE(child<QLabel>(w, "lblSeat1")->sizeHint().width(), plain.sizeHint().width());
    }

    void loadWithNoAircraftLeftHidesTheList() {
        store(exampleAircraft());
        frmWandB* w = Forms::show<frmWandB>();
        child<QPushButton>(w, "cmdLoad")->click();
        QVERIFY(!child<QListWidget>(w, "lstLoad")->isHidden());
        QFile::remove("N1234.pln");
        answerOk();
        child<QPushButton>(w, "cmdLoad")->click();
        QCOMPARE(lastBox().title, QString("Aircraft Not Found"));
        QCOMPARE(child<QListWidget>(w, "lstLoad")->count(), 0);
        QVERIFY(child<QListWidget>(w, "lstLoad")->isHidden());
    }

    void corruptAircraftFilesNeverCrash() {
        const auto nanArms = everyStation("nan").encode();
        std::vector<std::uint8_t> bytes(nanArms.begin(), nanArms.end());
        for (int off : {110, 114, 182, 254, 286}) {
            bytes[off] = 0x00, bytes[off + 1] = 0x00, bytes[off + 2] = 0xC0, bytes[off + 3] = 0x7F;
        }
        testsupport::writeFileBytes("nan.pln", bytes);
        testsupport::writeFileBytes("short.pln", {'N', '1'});
        testsupport::writeFileBytes("empty.pln", {});
        const auto whole = everyStation("long").encode();
        std::vector<std::uint8_t> longer(whole.begin(), whole.end());
        longer.resize(5000, 0x5A);
        testsupport::writeFileBytes("long.pln", longer);
        testsupport::writeFileBytes("nul.pln", std::vector<std::uint8_t>(290, 0));
        testsupport::writeFileBytes("ff.pln", std::vector<std::uint8_t>(290, 0xFF));
        frmWandB* w = Forms::show<frmWandB>();
        // Only the long file holds a whole aircraft; the others end in the error.
        const struct {
            const char* file;
            bool computes;
        } files[] = {{"nan.pln", false}, {"short.pln", false}, {"empty.pln", false},
                     {"long.pln", true}, {"nul.pln", false},   {"ff.pln", false}};
        for (const auto& f : files) {
            MessageBox::clearHistory();
            QVERIFY2(pick(w, f.file), f.file);
            child<QLineEdit>(w, "txtSeat1")->setText("100");
            child<QLineEdit>(w, "txtTank1Gal")->setText("5");
            child<QLineEdit>(w, "txtOilQts")->setText("2");
            if (!f.computes) answerOk();
            child<QPushButton>(w, "cmdCalculateCG")->click();
            QCOMPARE(int(MessageBox::history().size()), f.computes ? 0 : 1);
            QCOMPARE(MessageBox::pendingAnswers(), 0);
            if (f.computes)
                QCOMPARE(child<QLabel>(w, "lblTotalWeight")->text(), QString("1633.75"));
        }
        // All-NUL names: no station rows; the short file reads as zeros.
        QVERIFY(pick(w, "nul.pln"));
        QVERIFY(child<QLineEdit>(w, "txtSeat1")->isHidden());
        QVERIFY(child<QLineEdit>(w, "txtOilQts")->isHidden());
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString());
        QVERIFY(pick(w, "short.pln"));
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N1"));
        QCOMPARE(child<QLabel>(w, "lblEmptyWeight")->text(), QString("0"));
        // A NaN arm with a load on it ends in the error, no result.
        QVERIFY(pick(w, "nan.pln"));
        MessageBox::clearHistory();
        child<QPushButton>(w, "cmdClear")->click();
        child<QLineEdit>(w, "txtSeat1")->setText("100");
        answerOk();
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(lastBox().title, QString("ERROR"));
        QCOMPARE(results(w), QStringList(6, QString()));
    }

    void editMenuWorksOnTheFocusedBox() {
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(QTest::qWaitForWindowActive(w));
        child<QLineEdit>(w, "txtSeat1")->setText("170");
        child<QLineEdit>(w, "txtSeat1")->setFocus();
        QTRY_VERIFY(child<QLineEdit>(w, "txtSeat1")->hasFocus());
        child<QLineEdit>(w, "txtSeat1")->selectAll();
        child<QAction>(w, "mnuCut")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("170"));
        QCOMPARE(child<QLineEdit>(w, "txtSeat1")->text(), QString());
        child<QLineEdit>(w, "txtBags2")->setFocus();
        QTRY_VERIFY(child<QLineEdit>(w, "txtBags2")->hasFocus());
        child<QAction>(w, "mnuPaste")->trigger();
        QCOMPARE(child<QLineEdit>(w, "txtBags2")->text(), QString("170"));
        // Ctrl+V is no menu shortcut here: the box handles it itself.
        QVERIFY(child<QAction>(w, "mnuPaste")->shortcut().isEmpty());
    }

    void mainMenuUnloadsTheWindow() {
        frmWandB* w = Forms::show<frmWandB>();
        child<QLineEdit>(w, "txtSeat1")->setText("1");
        child<QPushButton>(w, "cmdMain")->click();
        QVERIFY(!Forms::isLoaded<frmWandB>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmWandB* again = Forms::show<frmWandB>();
        QCOMPARE(child<QLineEdit>(again, "txtSeat1")->text(), QString());
        QVERIFY(child<QListWidget>(again, "lstLoad")->isHidden());
        child<QAction>(again, "mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmWandB>());
    }

    void exitAnsweredNoKeepsTheWindow() {
        frmWandB* w = Forms::show<frmWandB>();
        child<QLineEdit>(w, "txtSeat2")->setText("77");
        bool asked = false;
        QTimer::singleShot(0, [&] {
            asked = Forms::get<frmquit>()->isVisible();
            child<QPushButton>(Forms::get<frmquit>(), "cmdNo")->click();
        });
        child<QAction>(w, "mnuExit")->trigger();
        QVERIFY(asked);
        QCOMPARE(Forms::get<frmWandB>(), w);
        QCOMPARE(child<QLineEdit>(w, "txtSeat2")->text(), QString("77"));
    }

    void figuresStayUnderTheirHeadingsAtAnySize() {
        AircraftRecord a = everyStation();
        a.Seat2Arm = -3.402823e38f;  // the widest figure there is
        store(a);
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        auto heading = [&](const QString& text) {
            for (QLabel* l : w->findChildren<QLabel*>())
                if (l->text() == text) return l;
            return static_cast<QLabel*>(nullptr);
        };
        QLabel* arm = heading("Arm");
        QLabel* moment = heading("Moment");
        QVERIFY(arm && moment);
        auto right = [&](QWidget* x) { return x->mapTo(w, QPoint(x->width(), 0)).x(); };
        const QStringList rows = {"Empty", "Seat1", "Seat2", "Seat3", "Bags1", "Bags2",
                                  "Bags3", "Tank1", "Tank2", "Tank3", "Oil",   "Total"};
        for (const QSize size :
             {QSize(1, 1), QSize(900, 700), QSize(1600, 1000), QSize(2560, 1400)}) {
            w->resize(size);
            QApplication::processEvents();
            w->centralWidget()->layout()->activate();
            for (const QString& row : rows) {
                const QString at = QString("%1 at width %2").arg(row).arg(w->width());
                QVERIFY2(std::abs(right(child<QLabel>(w, "lbl" + row + "Arm")) - right(arm)) <= 1,
                         qPrintable(at));
                QVERIFY2(
                    std::abs(right(child<QLabel>(w, "lbl" + row + "Moment")) - right(moment)) <= 1,
                    qPrintable(at));
            }
        }
    }

    void loadSheetShowsWhatTheWindowShows() {
        store(everyStation());
        frmWandB* w = Forms::show<frmWandB>();
        QVERIFY(pick(w, "N9.pln"));
        child<QLineEdit>(w, "txtSeat1")->setText("170");
        child<QLineEdit>(w, "txtTank1Gal")->setText("20");
        child<QLineEdit>(w, "txtOilQts")->setText("8");
        child<QPushButton>(w, "cmdCalculateCG")->click();
        const QString text = sheetText(w, "full.pdf");
        const QString zeroFuel = child<QLabel>(w, "lblZeroweight")->text() + " lbs, CG " +
                                 child<QLabel>(w, "lblZeroCG")->text();
        const QString takeoff = child<QLabel>(w, "lblTOweight")->text() + " lbs, CG " +
                                child<QLabel>(w, "lblTakeoffCG")->text();
        for (const QString& s :
             {QString("N9"), QString("Cessna 172"), QString("Empty Aircraft"), QString("Pilot"),
              QString("Copilot"), QString("Bag C"), QString("Aux"), QString("Oil"),
              QString("20 Gal."), QString("8 Qts."), child<QLabel>(w, "lblSeat1Moment")->text(),
              child<QLabel>(w, "lblTank1Moment")->text(),
              child<QLabel>(w, "lblTotalMoment")->text(), child<QLabel>(w, "lblTakeoffCG")->text(),
              child<QLabel>(w, "lblZeroCG")->text(), child<QLabel>(w, "lblZeroweight")->text(),
              QString("2300"), QString("47.3"), QString("Max Weight:"), QString("Forward"),
              QString("Aft"),
              // The chart below: the limits and both points labelled.
              QString("CG Chart"), QString("Forward limit 35"), QString("Aft limit 47.3"),
              QString("Max takeoff weight 2300 lbs"), "Zero fuel " + zeroFuel, "Takeoff " + takeoff,
              QString("CG (aircraft's own units)")})
            QVERIFY2(text.contains(s), qPrintable(s));
        // Drawn, not pasted in as a picture: sharp at any printer resolution.
        QCOMPARE(pdfImageCount(QDir::current().filePath("full.pdf")), 0);
        // Judging against the limits is the pilot's: a load far over the
        // maximum weight is printed plainly, with no mark.
        child<QLineEdit>(w, "txtSeat1")->setText("5000");
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QCOMPARE(child<QLabel>(w, "lblTOweight")->text(), QString("6635"));
        const QString heavy = sheetText(w, "heavy.pdf");
        QVERIFY(heavy.contains("Takeoff 6635 lbs"));
        for (const char* mark : {"exceed", "out of", "over", "warning"})
            QVERIFY2(!heavy.contains(mark, Qt::CaseInsensitive), mark);
        // A loading changed after the calculation prints the loading alone:
        // no moment, total or CG beside it, and says it is not calculated.
        const QString seatMoment = child<QLabel>(w, "lblSeat1Moment")->text();
        for (auto change :
             {std::function<void()>([&] { child<QLineEdit>(w, "txtSeat1")->setText("180"); }),
              std::function<void()>([&] { child<QLineEdit>(w, "txtTank1Gal")->setText("30"); }),
              std::function<void()>([&] { child<QLineEdit>(w, "txtBags1")->setText("1"); })}) {
            child<QLineEdit>(w, "txtSeat1")->setText("5000");
            child<QLineEdit>(w, "txtTank1Gal")->setText("20");
            child<QLineEdit>(w, "txtBags1")->clear();
            child<QPushButton>(w, "cmdCalculateCG")->click();
            QVERIFY(w->printPage().draw);  // the chart's page
            change();
            QCOMPARE(child<QLabel>(w, "lblTOweight")->text(),
                     QString("6635"));  // the window keeps its figures
            const QString stale = w->printPage().html;
            QVERIFY(
                stale.contains("Not calculated: the loading changed after the last calculation"));
            for (const QString& mixed :
                 {QString("6635"), seatMoment, child<QLabel>(w, "lblTakeoffCG")->text(),
                  child<QLabel>(w, "lblZeroCG")->text(), QString("Moment")})
                QVERIFY2(!stale.contains(mixed), qPrintable(mixed));
            QVERIFY(stale.contains("Max Weight: 2300"));
        }
        const QString stalePdf = QDir::current().filePath("stale.pdf");
        QVERIFY(PrintPage::printToPdf(w->printPage(), stalePdf));
        const QString staleText = testsupport::pdfPageTexts(stalePdf).join("");
        QVERIFY(staleText.contains("Not calculated: the loading changed after the last"));
        QVERIFY(!staleText.contains("6635"));
        for (const char* chart : {"CG Chart", "Forward limit", "Zero fuel", "lbs, CG"})
            QVERIFY2(!staleText.contains(chart), chart);
        QVERIFY(staleText.contains("N9.pln") && staleText.contains("page 1 of 1"));
        child<QPushButton>(w, "cmdCalculateCG")->click();
        QVERIFY(sheetText(w, "again.pdf").contains("CG Chart"));
        child<QPushButton>(w, "cmdClear")->click();
        QVERIFY(w->printPage().html.contains("Not calculated: no calculation"));
        // The menu item prints the same page.
        const QString viaMenu = QDir::current().filePath("menu.pdf");
        PrintPage::setNextPdfPath(viaMenu);
        child<QAction>(w, "mnuPrint1")->trigger();
        QVERIFY(QFileInfo(viaMenu).size() > 1000);
        // Absent stations are left off the sheet.
        AircraftRecord partial = everyStation("N3");
        partial.Bag3Name.assign("");
        store(partial);
        QVERIFY(pick(w, "N3.pln"));
        QVERIFY(!w->printPage().html.contains("Bag C"));
    }
};

AEROKIT_WINDOW_TEST_MAIN(WandBTest)
#include "wandb_loading_window_test.moc"
