// The aircraft definition window: checks, the saved file, and that the window
// is only ever hidden.
#include <QDir>
#include <QFile>
#include <QTimer>

#include "Bytes.h"
#include "Seams.h"
#include "WandbTestData.h"
#include "WindowTest.h"
#include "records/RecordFile.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "wandb/AircraftFiles.h"
#include "wandb/frmNewAircraft.h"
#include "wandb/frmWandB.h"

namespace {

using testsupport::child;

void fillRequired(frmNewAircraft* w, const QString& ident = "N1234") {
    child<QLineEdit>(w, "txtIdent")->setText(ident);
    child<QLineEdit>(w, "txtMake")->setText("Cessna 172");
    child<QLineEdit>(w, "txtEmptyWeight")->setText("1500");
    child<QLineEdit>(w, "txtEmptyMoment")->setText("57000");
    child<QLineEdit>(w, "txtMaxTOweight")->setText("2300");
    child<QLineEdit>(w, "txtFwdCGLimit")->setText("35");
    child<QLineEdit>(w, "txtAftCGLimit")->setText("47.3");
}

QStringList aircraftFiles() { return QDir().entryList({"*.pln*"}, QDir::Files); }

const MessageBox::Shown& lastBox() { return MessageBox::history().back(); }

// The step about to run shows one box; answer it.
void answerOk() { MessageBox::setNextAnswer(MessageBox::Answer::Ok); }

// The next control that Tab reaches.
QWidget* nextTab(QWidget* w) {
    QWidget* n = w->nextInFocusChain();
    while (n != w && !(n->focusPolicy() & Qt::TabFocus)) n = n->nextInFocusChain();
    return n;
}

}  // namespace

class NewAircraftTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { testsupport::resetShell(); }

    void captionsLimitsAndTabOrder() {
        frmNewAircraft* w = Forms::get<frmNewAircraft>();
        QCOMPARE(w->windowTitle(), QString("Input New Aircraft"));
        QCOMPARE(child<QPushButton>(w, "cmdSave")->text(), QString("Save Aircraft"));
        QCOMPARE(child<QPushButton>(w, "cmdCancel")->text(), QString("Cancel"));
        QCOMPARE(child<QGroupBox>(w, "fraOil")->title(),
                 QString("Oil (If not included in Empty Weight)"));
        QCOMPARE(child<QGroupBox>(w, "fraSeats")->title(), QString("Seats"));
        QCOMPARE(child<QGroupBox>(w, "fraBags")->title(), QString("Baggage"));
        QCOMPARE(child<QGroupBox>(w, "fraFuel")->title(), QString("Fuel"));
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->maxLength(), 15);
        QCOMPARE(child<QLineEdit>(w, "txtMake")->maxLength(), 15);
        for (const char* name : {"txtSeat1Name", "txtSeat3Name", "txtBag2Name", "txtTank1Name",
                                 "txtTank3Name", "txtOilName"})
            QCOMPARE(testsupport::child<QLineEdit>(w, name)->maxLength(), 20);
        QCOMPARE(child<QLineEdit>(w, "txtEmptyWeight")->maxLength(), 32767);
        QCOMPARE(child<QLineEdit>(w, "txtOilArm")->maxLength(), 32767);
        // Seven figures, then each station name before its arm.
        QCOMPARE(nextTab(child<QLineEdit>(w, "txtAftCGLimit")),
                 child<QLineEdit>(w, "txtSeat1Name"));
        QCOMPARE(nextTab(child<QLineEdit>(w, "txtSeat1Name")), child<QLineEdit>(w, "txtSeat1Arm"));
        QCOMPARE(nextTab(child<QLineEdit>(w, "txtSeat3Arm")), child<QLineEdit>(w, "txtBag1Name"));
        QCOMPARE(nextTab(child<QLineEdit>(w, "txtTank3Arm")), child<QLineEdit>(w, "txtOilName"));
    }

    void requiredBoxesAreCheckedInOrder() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        QLineEdit* boxes[] = {
            child<QLineEdit>(w, "txtIdent"),       child<QLineEdit>(w, "txtMake"),
            child<QLineEdit>(w, "txtEmptyWeight"), child<QLineEdit>(w, "txtEmptyMoment"),
            child<QLineEdit>(w, "txtMaxTOweight"), child<QLineEdit>(w, "txtFwdCGLimit"),
            child<QLineEdit>(w, "txtAftCGLimit")};
        const char* fills[] = {"N1", "C152", "1100", "35000", "1670", "31", "36.5"};
        for (int i = 0; i < 7; ++i) {
            answerOk();
            QTest::mouseClick(child<QPushButton>(w, "cmdSave"), Qt::LeftButton);
            QCOMPARE(int(MessageBox::history().size()), i + 1);
            const auto& box = wandbtest::kRequiredBoxes[static_cast<std::size_t>(i)];
            QCOMPARE(lastBox().text, QString(box.text));
            QCOMPARE(lastBox().title, QString(box.title));
            QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
            QCOMPARE(lastBox().icon, MessageBox::Icon::None);
            QVERIFY(w->isVisible());
            QVERIFY(aircraftFiles().isEmpty());
            boxes[i]->setText(fills[i]);
        }
        // Blanks pass the check for emptiness; they are no number, though.
        child<QLineEdit>(w, "txtEmptyWeight")->setText("   ");
        answerOk();
        child<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(lastBox().text, QString("Aircraft Empty Weight must be a number"));
        QCOMPARE(lastBox().title, QString("Invalid Number"));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
        QVERIFY(aircraftFiles().isEmpty());
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N1"));
        // Cancel after a failed save leaves no file behind.
        child<QPushButton>(w, "cmdCancel")->click();
        QVERIFY(!w->isVisible());
        QVERIFY(aircraftFiles().isEmpty());
    }

    void savesTheRecordAndHandsOver() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w);
        child<QLineEdit>(w, "txtMake")->setText("123456789012345");
        child<QLineEdit>(w, "txtSeat1Name")->setText("Pilot");
        child<QLineEdit>(w, "txtSeat1Arm")->setText("37");
        child<QLineEdit>(w, "txtTank1Name")->setText("Main");
        child<QLineEdit>(w, "txtTank1Arm")->setText("0");
        child<QPushButton>(w, "cmdSave")->click();
        QVERIFY(MessageBox::history().empty());
        QVERIFY(!w->isVisible());
        QVERIFY(Forms::isLoaded<frmNewAircraft>());
        QVERIFY(Forms::isLoaded<frmWandB>());
        QVERIFY(Forms::get<frmWandB>()->isVisible());
        QCOMPARE(child<QLineEdit>(Forms::get<frmWandB>(), "txtIdent")->text(),
                 QString());  // not loaded there
        QCOMPARE(aircraftFiles(), QStringList{"N1234.pln"});
        const auto bytes = testsupport::readFileBytes("N1234.pln");
        QCOMPARE(int(bytes.size()), 290);
        QCOMPARE(std::string(bytes.begin(), bytes.begin() + 15), std::string("N1234          "));
        QCOMPARE(std::string(bytes.begin() + 15, bytes.begin() + 30),
                 std::string("123456789012345"));
        QCOMPARE(std::string(bytes.begin() + 50, bytes.begin() + 70),
                 std::string("Pilot               "));
        QCOMPARE(std::string(bytes.begin() + 70, bytes.begin() + 90), std::string(20, ' '));
        // Seat 1 arm 37.0f = 0x42140000; tank 1 arm typed 0 and seat 2 arm left
        // empty are both zero.
        QCOMPARE(int(bytes[110]), 0x00);
        QCOMPARE(int(bytes[112]), 0x14);
        QCOMPARE(int(bytes[113]), 0x42);
        for (int i : {114, 115, 116, 117, 254, 255, 256, 257, 286, 287, 288, 289})
            QCOMPARE(int(bytes[i]), 0);
    }

    void shortFieldsArePaddedAndTheFileStays290Bytes() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w, "N1");
        child<QLineEdit>(w, "txtMake")->setText("C");
        child<QPushButton>(w, "cmdSave")->click();
        const auto bytes = testsupport::readFileBytes("N1.pln");
        QCOMPARE(int(bytes.size()), 290);
        QCOMPARE(std::string(bytes.begin() + 15, bytes.begin() + 30), "C" + std::string(14, ' '));
        // Saving again under the same ident overwrites, still one record.
        Forms::show<frmNewAircraft>();
        child<QLineEdit>(w, "txtMake")->setText("Piper");
        child<QPushButton>(w, "cmdSave")->click();
        const auto again = testsupport::readFileBytes("N1.pln");
        QCOMPARE(int(again.size()), 290);
        QCOMPARE(std::string(again.begin() + 15, again.begin() + 20), std::string("Piper"));
    }

    void identIsTrimmedForTheFileName() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w, "  N77 ");
        child<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(aircraftFiles(), QStringList{"N77.pln"});
        const auto rec = wandb::loadAircraft("N77.pln");
        QVERIFY(rec.has_value());
        QCOMPARE(rec->Ident.raw(), std::string("  N77          "));
    }

    void identsThatCannotNameAFileAreRefused() {
        QDir().mkdir("sub");
        QDir::setCurrent("sub");
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w);
        for (const char* ident : {" ", ".", "..", "../N1", "a/b", "a\\b", "C:N1", "N*", "N?",
                                  "N\"1", "<N1>", "N|1", "N\t1"}) {
            MessageBox::clearHistory();
            child<QLineEdit>(w, "txtIdent")->setText(ident);
            answerOk();
            child<QPushButton>(w, "cmdSave")->click();
            QCOMPARE(int(MessageBox::history().size()), 1);
            QCOMPARE(lastBox().title, QString("Invalid Aircraft Ident"));
            QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
            QVERIFY(w->isVisible());
            QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString(ident));
        }
        QVERIFY(aircraftFiles().isEmpty());
        QVERIFY(QDir("..").entryList({"*.pln*"}, QDir::Files).isEmpty());
        QVERIFY(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void numbersThatDoNotConvertNameTheirBox() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w);
        child<QLineEdit>(w, "txtFwdCGLimit")->setText("35 in");
        answerOk();
        child<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(lastBox().text, QString("Forward CG Limit must be a number"));
        child<QLineEdit>(w, "txtFwdCGLimit")->setText("35");
        child<QLineEdit>(w, "txtBag2Arm")->setText("9O");
        answerOk();
        child<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(lastBox().text, QString("Baggage 2 Arm must be a number"));
        QCOMPARE(lastBox().title, QString("Invalid Number"));
        QVERIFY(aircraftFiles().isEmpty());
        QVERIFY(w->isVisible());
        // The locale's decimal comma.
        child<QLineEdit>(w, "txtBag2Arm")->clear();
        WindowText::setLocaleForTesting("de_DE");
        child<QLineEdit>(w, "txtAftCGLimit")->setText("47,3");
        MessageBox::clearHistory();
        child<QPushButton>(w, "cmdSave")->click();
        QVERIFY(MessageBox::history().empty());
        QCOMPARE(wandb::loadAircraft("N1234.pln")->AftCGLimit, 47.3f);
    }

    void failedWriteIsReportedAndTheWindowStays() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        fillRequired(w);
        child<QLineEdit>(w, "txtSeat1Name")->setText("Pilot");
        {
            const testsupport::WriteFailureAfter failing(10);
            answerOk();
            child<QPushButton>(w, "cmdSave")->click();
            QCOMPARE(int(MessageBox::history().size()), 1);
            QCOMPARE(lastBox().title, QString("Aircraft Not Saved"));
            QVERIFY(lastBox().text.contains("N1234.pln"));
            QCOMPARE(lastBox().icon, MessageBox::Icon::Stop);
            QVERIFY(w->isVisible());
            QVERIFY(!Forms::isLoaded<frmWandB>());
            QCOMPARE(child<QLineEdit>(w, "txtSeat1Name")->text(), QString("Pilot"));
            QVERIFY(aircraftFiles().isEmpty());
        }
        child<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(aircraftFiles(), QStringList{"N1234.pln"});
        QVERIFY(!w->isVisible());
    }

    void closingOnlyHidesAndKeepsTheBoxes() {
        frmNewAircraft* w = Forms::show<frmNewAircraft>();
        child<QLineEdit>(w, "txtIdent")->setText("N5");
        child<QLineEdit>(w, "txtOilArm")->setText("-12");
        child<QPushButton>(w, "cmdCancel")->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(Forms::show<frmNewAircraft>(), w);
        QCOMPARE(child<QLineEdit>(w, "txtIdent")->text(), QString("N5"));
        w->close();  // through the frame
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Forms::isLoaded<frmNewAircraft>());
        QCOMPARE(Forms::get<frmNewAircraft>(), w);
        QVERIFY(!w->isVisible());
        QCOMPARE(child<QLineEdit>(w, "txtOilArm")->text(), QString("-12"));
        QVERIFY(aircraftFiles().isEmpty());
    }

    void shownModallyFromTheWeightAndBalanceWindow() {
        frmWandB* wb = Forms::show<frmWandB>();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            frmNewAircraft* w = Forms::get<frmNewAircraft>();
            seen = w->isVisible() && w->isModal();
            fillRequired(w, "N42");
            child<QPushButton>(w, "cmdSave")->click();
        });
        child<QPushButton>(wb, "cmdNew")->click();
        QVERIFY(seen);
        QCOMPARE(aircraftFiles(), QStringList{"N42.pln"});
        QVERIFY(!Forms::get<frmNewAircraft>()->isVisible());
        QCOMPARE(Forms::get<frmWandB>(), wb);
        // The menu item opens it too; its boxes kept their contents.
        QString kept;
        QTimer::singleShot(0, [&] {
            frmNewAircraft* w = Forms::get<frmNewAircraft>();
            kept = child<QLineEdit>(w, "txtIdent")->text();
            child<QPushButton>(w, "cmdCancel")->click();
        });
        child<QAction>(wb, "mnuNew")->trigger();
        QCOMPARE(kept, QString("N42"));
    }
};

AEROKIT_WINDOW_TEST_MAIN(NewAircraftTest)
#include "wandb_definition_window_test.moc"
