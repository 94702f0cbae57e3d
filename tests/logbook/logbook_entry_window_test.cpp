// The logbook file window, rating window, flight entry and viewer, driven
// through their controls by object name on real files.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>
#include <vector>

#include "TestLogbooks.h"
#include "WindowTest.h"
#include "logbook/LogRecord.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmLogInput.h"
#include "logbook/frmMain.h"
#include "logbook/frmNewLog.h"
#include "logbook/frmTotalTime.h"
#include "records/RecordFile.h"
#include "shell/FileDialog.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/PrintPage.h"
#include "shell/frmMenu.h"
#include "shell/frmquit.h"
#include "shell/modLog.h"
#include "support/Bytes.h"

using logbooktest::Bytes;
using logbooktest::logbookOfRecords;
using testsupport::child;

namespace {

const char* kInvalid = "You have entered an invalid value; Please check your input";

LogRecord flight(const std::string& date, float total = 1.0f) {
    LogRecord r;
    r.Date.assign(date);
    r.Total = total;
    return r;
}

QString writeLogbook(const Bytes& bytes, const QString& name = "pilot.log") {
    const QString path = QDir::current().absoluteFilePath(name);
    testsupport::writeFileBytes(path.toStdString(), bytes);
    return path;
}

Bytes fileBytes(const QString& path) { return testsupport::readFileBytes(path.toStdString()); }

LogRecord recordOf(const Bytes& bytes, int n) {
    return LogRecord::decode(
        records::ConstByteSpan(bytes).subspan(static_cast<std::size_t>(n - 1) * 420));
}

// The date list read through the view's model.
int lineCount(frmLogBook* v) { return child<QListView>(v, "lstDate")->model()->rowCount(); }

QModelIndex lineAt(frmLogBook* v, int row) {
    return child<QListView>(v, "lstDate")->model()->index(row, 0);
}

QStringList listLines(frmLogBook* v) {
    QStringList l;
    for (int i = 0; i < lineCount(v); ++i) l << lineAt(v, i).data().toString();
    return l;
}

// The viewer on path, as the file window leaves it after opening.
frmLogBook* openViewer(const QString& path) {
    modLog::LogPath = path;
    return Forms::show<frmLogBook>();
}

void selectLine(frmLogBook* v, int row) {
    const QModelIndex line = lineAt(v, row);
    QVERIFY(line.isValid());
    const QRect r = child<QListView>(v, "lstDate")->visualRect(line);
    QTest::mouseClick(child<QListView>(v, "lstDate")->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(child<QListView>(v, "lstDate")->selectionModel()->isSelected(line));
}

// A click on the box or option itself (its indicator), as the pilot makes it;
// the middle of a wide check box can lie beyond its caption.
void tick(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

const MessageBox::Shown& lastBox() { return MessageBox::history().back(); }

QStringList menuTitles(QMainWindow* w) {
    QStringList t;
    for (QAction* a : w->menuBar()->actions()) t << a->text();
    return t;
}

QStringList actionTexts(QMenu* m) {
    QStringList t;
    for (QAction* a : m->actions()) t << (a->isSeparator() ? QString("-") : a->text());
    return t;
}

}  // namespace

class LogbookEntryWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { testsupport::resetShell(); }

    // --- the logbook file window -------------------------------------------

    void createsANewLogbookAndHandsOverToTheViewer() {
        auto* m = Forms::show<frmMain>();
        QCOMPARE(child<QPushButton>(m, "cmdNewLog")->text(), QString("Create New Logbook"));
        QCOMPARE(child<QPushButton>(m, "cmdOpenLog")->text(), QString("Open Current Logbook"));
        QCOMPARE(child<QPushButton>(m, "cmdExitLog")->text(), QString("Return to Main Menu"));
        const QString typed = QDir::current().absoluteFilePath("mybook");  // no extension typed
        FileDialog::setNextFileName(typed);
        QTest::mouseClick(child<QPushButton>(m, "cmdNewLog"), Qt::LeftButton);
        QCOMPARE(FileDialog::lastFilter(), QString("Logbook Files(*.log)|*.log"));
        const QString path = typed + ".log";
        QCOMPARE(modLog::LogPath, path);
        const Bytes bytes = fileBytes(path);
        QCOMPARE(bytes.size(), std::size_t(420));
        for (std::size_t i = 0; i < bytes.size(); ++i) QCOMPARE(int(bytes[i]), i == 278 ? 1 : 0);
        QVERIFY(!Forms::isLoaded<frmMain>());
        QVERIFY(Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
        QCOMPARE(lineCount(Forms::get<frmLogBook>()), 0);
        QVERIFY(MessageBox::history().empty());
    }

    void cancelledDialogsChangeNothing() {
        auto* m = Forms::show<frmMain>();
        FileDialog::setNextFileName("");
        QTest::mouseClick(child<QPushButton>(m, "cmdNewLog"), Qt::LeftButton);
        FileDialog::setNextFileName("");
        QTest::mouseClick(child<QPushButton>(m, "cmdOpenLog"), Qt::LeftButton);
        QCOMPARE(FileDialog::lastFilter(),
                 QString("Logbook Files (*.log)|*.log|All Files (*.*)|*.*|"));
        QVERIFY(Forms::isLoaded<frmMain>());
        QVERIFY(m->isVisible());
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        QVERIFY(MessageBox::history().empty());
        QVERIFY(QDir::current().entryList(QDir::Files).isEmpty());
    }

    void createOverALongerLogbookLeavesOnlyTheNewOne() {
        const Bytes old = logbookOfRecords({flight("1/1/99"), flight("2/2/99")});
        const QString path = writeLogbook(old, "old.log");
        FileDialog::setNextFileName(path);
        QTest::mouseClick(child<QPushButton>(Forms::show<frmMain>(), "cmdNewLog"), Qt::LeftButton);
        const Bytes now = fileBytes(path);
        QCOMPARE(now.size(), std::size_t(420));
        QCOMPARE(recordOf(now, 1).LastRecord, std::int16_t(1));
        QCOMPARE(lineCount(Forms::get<frmLogBook>()), 0);
    }

    void createRefusesAFileThatIsNoLogbook() {
        const Bytes text(1000, 'x');
        const QString path = writeLogbook(text, "notes.log");
        auto* m = Forms::show<frmMain>();
        FileDialog::setNextFileName(path);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(m, "cmdNewLog"), Qt::LeftButton);
        QCOMPARE(fileBytes(path), text);
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QCOMPARE(lastBox().title, QString("Aerokit"));
        QVERIFY(lastBox().text.startsWith("\"notes.log\" is not a logbook."));
        QVERIFY(lastBox().text.contains("length does not fit a logbook"));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
        QVERIFY(Forms::isLoaded<frmMain>());
        QVERIFY(!Forms::isLoaded<frmLogBook>());
    }

    void opensALogbookAndListsItsDates() {
        const QString path = writeLogbook(logbookOfRecords({flight("3/1/99"), flight("1/1/99")}));
        auto* m = Forms::show<frmMain>();
        FileDialog::setNextFileName(path);
        QTest::mouseClick(child<QPushButton>(m, "cmdOpenLog"), Qt::LeftButton);
        QCOMPARE(modLog::LogPath, path);
        QCOMPARE(int(modLog::LogRecLen), 420);
        QVERIFY(!Forms::isLoaded<frmMain>());
        QCOMPARE(listLines(Forms::get<frmLogBook>()), QStringList({"3/1/99", "1/1/99"}));
    }

    void openRefusesWhatIsNoLogbookAndNeverWritesIt() {
        Bytes good = logbookOfRecords({flight("1/1/99")});
        Bytes zero = good;
        zero[278] = 0;
        Bytes negative = good;
        negative[278] = 0xFF;
        negative[279] = 0xFF;
        const Bytes text(840, 'x');
        const std::vector<std::pair<QString, Bytes>> bad = {
            {"empty.log", {}}, {"text.log", text}, {"zero.log", zero}, {"negative.log", negative}};
        for (const auto& [name, bytes] : bad) {
            const QString path = writeLogbook(bytes, name);
            auto* m = Forms::show<frmMain>();
            FileDialog::setNextFileName(path);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(child<QPushButton>(m, "cmdOpenLog"), Qt::LeftButton);
            QCOMPARE(fileBytes(path), bytes);
            QCOMPARE(lastBox().title, QString("Aerokit"));
            QVERIFY2(lastBox().text.startsWith("\"" + name + "\" is not a logbook. "),
                     qPrintable(lastBox().text));
            QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
            QVERIFY(Forms::isLoaded<frmMain>());
            QVERIFY(!Forms::isLoaded<frmLogBook>());
        }
        QCOMPARE(MessageBox::history().size(), bad.size());
        QCOMPARE(MessageBox::pendingAnswers(), 0);
        QVERIFY(MessageBox::history()[2].text.contains("repaired copy"));
        // A file that went missing after the dialog is refused too, and not created.
        const QString gone = QDir::current().absoluteFilePath("gone.log");
        FileDialog::setNextFileName(gone);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(Forms::get<frmMain>(), "cmdOpenLog"), Qt::LeftButton);
        QVERIFY(lastBox().text.contains("does not exist"));
        QVERIFY(!QFile::exists(gone));
        // A folder is no file at all, not a missing one.
        QVERIFY(QDir::current().mkdir("folder.log"));
        FileDialog::setNextFileName(QDir::current().absoluteFilePath("folder.log"));
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(Forms::get<frmMain>(), "cmdOpenLog"), Qt::LeftButton);
        QVERIFY(lastBox().text.endsWith("is not a logbook. It is not a regular file."));
    }

    void openShowsADamagedLogbookAndSaysOnceWhatIsWrong() {
        Bytes good = logbookOfRecords({flight("1/1/99"), flight("2/2/99")});
        Bytes beyond = good;
        beyond[278] = 9;  // names 8 flights
        const QString path = writeLogbook(beyond, "beyond.log");
        FileDialog::setNextFileName(path);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(Forms::show<frmMain>(), "cmdOpenLog"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QVERIFY2(lastBox().text.startsWith("This logbook says it holds 8 flights, but only 2 are "
                                           "in the file; the other 6 cannot be recovered"),
                 qPrintable(lastBox().text));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Information);
        QCOMPARE(fileBytes(path), beyond);
        auto* v = Forms::get<frmLogBook>();
        QCOMPARE(listLines(v), QStringList({"1/1/99", "2/2/99"}));
        // Selecting and removing a flight works on the flights the file holds.
        selectLine(v, 0);
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        const Bytes after = fileBytes(path);
        QCOMPARE(after.size(), std::size_t(2 * 420));
        QCOMPARE(recordOf(after, 1).LastRecord, std::int16_t(2));
        QCOMPARE(MessageBox::history().size(), std::size_t(2));  // only the question
    }

    void returnToMainMenu() {
        auto* m = Forms::show<frmMain>();
        QTest::mouseClick(child<QPushButton>(m, "cmdExitLog"), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmMain>());
        QVERIFY(Forms::isLoaded<frmMenu>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
    }

    // --- the rating window ----------------------------------------------------

    void ratingsOfANewLogbookSaveAsZerosAndSpaces() {
        const QString path = writeLogbook(logbookOfRecords({}));
        auto* v = openViewer(path);
        QTest::mouseClick(child<QPushButton>(v, "cmdOtherInfo"), Qt::LeftButton);
        QVERIFY(Forms::isLoaded<frmNewLog>());
        QVERIFY(!v->isVisible());
        auto* r = Forms::get<frmNewLog>();
        QCOMPARE(r->windowTitle(), QString("Create New Logbook"));
        QCOMPARE(child<QLabel>(r, "lblOtherInfo")->text(),
                 QString("Check all of the following that apply:"));
        for (QCheckBox* c : r->findChildren<QCheckBox*>())
            QVERIFY2(!c->isChecked(), qPrintable(c->objectName()));
        for (QLineEdit* e : r->findChildren<QLineEdit*>()) QVERIFY(e->text().isEmpty());
        QTest::mouseClick(child<QPushButton>(r, "cmdSave"), Qt::LeftButton);
        const Bytes b = fileBytes(path);
        QCOMPARE(b.size(), std::size_t(420));
        for (std::size_t i = 0; i < 420; ++i) {
            const bool text = (i >= 324 && i < 344) || i >= 360;
            QCOMPARE(int(b[i]), i == 278 ? 1 : (text ? ' ' : 0));
        }
        QVERIFY(!Forms::isLoaded<frmNewLog>());
        QVERIFY(v->isVisible());
    }

    void ratingsAreStoredAndShownAgain() {
        const QString path = writeLogbook(logbookOfRecords({flight("1/1/99")}));
        auto* v = openViewer(path);
        selectLine(v, 0);
        child<QAction>(v, "mnuRating")->trigger();
        auto* r = Forms::get<frmNewLog>();
        QCOMPARE(r->Instructor->text(), QString("Flight Instructor"));
        QCOMPARE(child<QCheckBox>(r, "chkHeli")->text(), QString("Helicoptor"));
        QCOMPARE(child<QLabel>(r, "lblMultiLim")->text(), QString("Limited to Center Line Thrust"));
        tick(r->Instructor);
        tick(child<QCheckBox>(r, "chkHeli"));
        tick(child<QCheckBox>(r, "chkGlider"));
        QTest::keyClicks(child<QLineEdit>(r, "txtTyperate1"), "ABCDEFGHIJKLMN");
        QTest::keyClicks(child<QLineEdit>(r, "txtOther"), "Seaplane");
        QTest::mouseClick(child<QPushButton>(r, "cmdSave"), Qt::LeftButton);
        const LogRecord rec = recordOf(fileBytes(path), 1);
        QCOMPARE(rec.CertInstructor, std::int16_t(1));
        QCOMPARE(rec.RateInstrument, std::int16_t(0));
        QCOMPARE(rec.Reserved298, std::int16_t(1));
        QCOMPARE(rec.Reserved300, std::int16_t(0));
        QCOMPARE(rec.Reserved302, std::int16_t(1));
        QCOMPARE(rec.TypeRating1.raw(), std::string("ABCDEFGHIJ"));
        QCOMPARE(rec.OtherRatings.raw(), std::string("Seaplane            "));
        QCOMPARE(rec.LastRecord, std::int16_t(2));
        // The viewer was only hidden: its list and selection are as they were.
        QVERIFY(v->isVisible());
        QCOMPARE(lineCount(v), 1);
        QVERIFY(child<QListView>(v, "lstDate")->selectionModel()->isSelected(lineAt(v, 0)));

        QTest::mouseClick(child<QPushButton>(v, "cmdOtherInfo"), Qt::LeftButton);
        r = Forms::get<frmNewLog>();
        QCOMPARE(child<QLineEdit>(r, "txtTyperate1")->text(), QString("ABCDEFGHIJ"));
        QCOMPARE(child<QLineEdit>(r, "txtOther")->text(), QString("Seaplane            "));
        QVERIFY(r->Instructor->isChecked());
        QVERIFY(child<QCheckBox>(r, "chkHeli")->isChecked());
        QVERIFY(!child<QCheckBox>(r, "chkGyro")->isChecked());
        QVERIFY(child<QCheckBox>(r, "chkGlider")->isChecked());
        QVERIFY(!child<QCheckBox>(r, "chkInstr")->isChecked());
        // Cancel writes nothing.
        const Bytes before = fileBytes(path);
        tick(child<QCheckBox>(r, "chkatp"));
        QTest::mouseClick(child<QPushButton>(r, "cmdCancel"), Qt::LeftButton);
        QCOMPARE(fileBytes(path), before);
        QVERIFY(!Forms::isLoaded<frmNewLog>());
        QVERIFY(v->isVisible());
    }

    void failedRatingSaveIsReportedAndKeepsTheBoxes() {
        const Bytes base = logbookOfRecords({flight("1/1/99")});
        const QString path = writeLogbook(base);
        auto* v = openViewer(path);
        QTest::mouseClick(child<QPushButton>(v, "cmdOtherInfo"), Qt::LeftButton);
        auto* r = Forms::get<frmNewLog>();
        tick(child<QCheckBox>(r, "chkPrivate"));
        QTest::keyClicks(child<QLineEdit>(r, "txtTyperate2"), "C172");
        records::setWriteFailureAfter(0);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(r, "cmdSave"), Qt::LeftButton);
        records::setWriteFailureAfter(std::nullopt);
        QCOMPARE(fileBytes(path), base);
        QCOMPARE(lastBox().title, QString("Aerokit"));
        QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
        QVERIFY(Forms::isLoaded<frmNewLog>());
        QVERIFY(child<QCheckBox>(r, "chkPrivate")->isChecked());
        QCOMPARE(child<QLineEdit>(r, "txtTyperate2")->text(), QString("C172"));
        QVERIFY(!v->isVisible());
    }

    // --- flight entry -------------------------------------------------------------

    void entryWindowOpensEmptyAndSavesEmptyBoxes() {
        const QString path = writeLogbook(logbookOfRecords({}));
        auto* v = openViewer(path);
        QTest::mouseClick(child<QPushButton>(v, "cmdAddFlight"), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        auto* e = Forms::get<frmLogInput>();
        QVERIFY(e->isVisible());
        QCOMPARE(e->windowTitle(), QString("Enter Flight Information"));
        QCOMPARE(child<QLabel>(e, "lblDual")->text(), QString("Dual Recieved:"));
        QCOMPARE(child<QLabel>(e, "lblRemarks")->text(), QString("Remarks, Procedures, Manuvers:"));
        QCOMPARE(child<QGroupBox>(e, "fraaircrafttype")->title(), QString("Type of Aircraft"));
        for (QCheckBox* c : {child<QCheckBox>(e, "chkSEL"), child<QCheckBox>(e, "chkSES"),
                             child<QCheckBox>(e, "chkMEL"), child<QCheckBox>(e, "chkMES")})
            QVERIFY(!c->isEnabled());
        for (QRadioButton* o :
             {child<QRadioButton>(e, "optSingle"), child<QRadioButton>(e, "optMEL"),
              child<QRadioButton>(e, "optRotor"), child<QRadioButton>(e, "optAirship"),
              child<QRadioButton>(e, "optGlider")})
            QVERIFY(!o->isChecked());
        for (QComboBox* c :
             {child<QComboBox>(e, "cmbIntrApp1"), child<QComboBox>(e, "cmbIntrApp2"),
              child<QComboBox>(e, "cmbInstrApp3"), child<QComboBox>(e, "cmbInstrApp4")}) {
            QCOMPARE(c->currentIndex(), -1);
            QCOMPARE(c->currentText(), QString("Select Type"));
            QCOMPARE(c->count(), 10);
            QCOMPARE(c->itemText(5), QString("VOR/DME"));
        }
        QCOMPARE(child<QLineEdit>(e, "txtDate")->maxLength(), 15);
        QCOMPARE(child<QLineEdit>(e, "txtIdent")->maxLength(), 10);
        QCOMPARE(child<QLineEdit>(e, "txtFrom")->maxLength(), 3);
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        QVERIFY(MessageBox::history().empty());
        const Bytes b = fileBytes(path);
        QCOMPARE(b.size(), std::size_t(840));
        QCOMPARE(recordOf(b, 1).LastRecord, std::int16_t(2));
        const LogRecord f = recordOf(b, 2);
        QCOMPARE(f.Date.raw(), std::string(15, ' '));
        QCOMPARE(f.Remarks.raw(), std::string(100, ' '));
        QCOMPARE(f.AppType1.raw(), std::string("Select Typ"));
        QCOMPARE(f.Total, 0.0f);
        QCOMPARE(f.CatSingle, std::int16_t(0));
        QVERIFY(f.TypeRating1.neverStored());
        QVERIFY(!Forms::isLoaded<frmLogInput>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
        QCOMPARE(lineCount(Forms::get<frmLogBook>()), 0);  // a blank date is not listed
    }

    void typedFlightIsAppendedAndListed() {
        Bytes base = logbookOfRecords({flight("1"), flight("2"), flight("3"), flight("4")});
        const QString path = writeLogbook(base);
        QTest::mouseClick(child<QPushButton>(openViewer(path), "cmdAddFlight"), Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"),
                         "12/24/2026 extra");  // cut by the box at 15
        QTest::keyClicks(child<QLineEdit>(e, "txtFrom"), "KS");
        QTest::keyClicks(child<QPlainTextEdit>(e, "txtRemarks"), "ILS 27");
        QTest::keyClick(child<QPlainTextEdit>(e, "txtRemarks"), Qt::Key_Return);
        QTest::keyClicks(child<QPlainTextEdit>(e, "txtRemarks"), "hold");
        QTest::keyClicks(child<QLineEdit>(e, "txtTotal"), "1.5");
        QTest::keyClicks(child<QLineEdit>(e, "txtIntrApp1"), "2.5");
        QTest::keyClicks(child<QLineEdit>(e, "txtIntrApp2"), "3.5");
        child<QComboBox>(e, "cmbIntrApp1")->setCurrentIndex(0);
        child<QComboBox>(e, "cmbIntrApp2")->setEditText("Contact approach");
        tick(child<QRadioButton>(e, "optSingle"));
        QVERIFY(child<QCheckBox>(e, "chkSEL")->isEnabled());
        tick(child<QCheckBox>(e, "chkSEL"));
        QVERIFY(child<QCheckBox>(e, "chkSEL")->isChecked());
        tick(child<QRadioButton>(e, "optMEL"));
        QVERIFY(!child<QCheckBox>(e, "chkSEL")->isChecked());
        QVERIFY(!child<QCheckBox>(e, "chkSEL")->isEnabled());
        QVERIFY(!child<QCheckBox>(e, "chkSES")->isEnabled());
        QVERIFY(child<QCheckBox>(e, "chkMEL")->isEnabled());
        QVERIFY(child<QCheckBox>(e, "chkMES")->isEnabled());
        tick(child<QCheckBox>(e, "chkMES"));
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        QVERIFY(MessageBox::history().empty());

        const Bytes b = fileBytes(path);
        QCOMPARE(b.size(), std::size_t(6 * 420));
        QCOMPARE(recordOf(b, 1).LastRecord, std::int16_t(6));
        const LogRecord f = recordOf(b, 6);
        QCOMPARE(f.Date.raw(), std::string("12/24/2026 extr"));
        QCOMPARE(f.From.raw(), std::string("KS "));
        QCOMPARE(f.Remarks.trimmed(), std::string("ILS 27\r\nhold"));
        QCOMPARE(f.Total, 1.5f);
        QCOMPARE(f.AppCount1, std::int16_t(2));
        QCOMPARE(f.AppCount2, std::int16_t(4));
        QCOMPARE(f.AppType1.raw(), std::string("ILS       "));
        QCOMPARE(f.AppType2.raw(), std::string("Contact ap"));
        QCOMPARE(f.SELand, std::int16_t(0));
        QCOMPARE(f.MESea, std::int16_t(1));
        QCOMPARE(f.CatMulti, std::int16_t(-1));
        QCOMPARE(f.CatSingle, std::int16_t(0));
        QCOMPARE(listLines(Forms::get<frmLogBook>()).last(), QString("12/24/2026 extr"));
    }

    void otherCategoriesClearAndDisableBothPairs() {
        QTest::mouseClick(
            child<QPushButton>(openViewer(writeLogbook(logbookOfRecords({}))), "cmdAddFlight"),
            Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        for (QRadioButton* other :
             {child<QRadioButton>(e, "optRotor"), child<QRadioButton>(e, "optAirship"),
              child<QRadioButton>(e, "optGlider")}) {
            tick(child<QRadioButton>(e, "optSingle"));
            tick(child<QCheckBox>(e, "chkSEL"));
            tick(child<QCheckBox>(e, "chkSES"));
            tick(other);
            for (QCheckBox* c : {child<QCheckBox>(e, "chkSEL"), child<QCheckBox>(e, "chkSES"),
                                 child<QCheckBox>(e, "chkMEL"), child<QCheckBox>(e, "chkMES")}) {
                QVERIFY(!c->isChecked());
                QVERIFY(!c->isEnabled());
            }
        }
        // Back on single engine the pair is enabled again, both may be ticked.
        tick(child<QRadioButton>(e, "optSingle"));
        tick(child<QCheckBox>(e, "chkSEL"));
        tick(child<QCheckBox>(e, "chkSES"));
        QVERIFY(child<QCheckBox>(e, "chkSEL")->isChecked() &&
                child<QCheckBox>(e, "chkSES")->isChecked());
    }

    void invalidValuesAreReportedAndNothingIsWritten() {
        const Bytes base = logbookOfRecords({flight("1/1/99")});
        const QString path = writeLogbook(base);
        QTest::mouseClick(child<QPushButton>(openViewer(path), "cmdAddFlight"), Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "5/5/05");
        struct Case {
            QLineEdit* box;
            const char* text;
            bool dayReached;  // the empty Day box shows 0 afterwards
        };
        const Case cases[] = {{child<QLineEdit>(e, "txtLandings"), " ", false},
                              {child<QLineEdit>(e, "txtInstrApp"), "abc", false},
                              {child<QLineEdit>(e, "txtTotal"), "1.5x", true},
                              {child<QLineEdit>(e, "txtInstrApp4"), "40000", true},
                              {child<QLineEdit>(e, "txtNightLand"), "one", true},
                              {child<QLineEdit>(e, "txtSimulator"), "--2", false}};
        int shown = 0;
        for (const Case& c : cases) {
            child<QLineEdit>(e, "txtDay")->clear();
            c.box->setText(c.text);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
            ++shown;
            QCOMPARE(int(MessageBox::history().size()), shown);
            QCOMPARE(lastBox().text, QString(kInvalid));
            QCOMPARE(lastBox().title, QString("INVALID INPUT"));
            QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
            QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
            QCOMPARE(fileBytes(path), base);
            QVERIFY(Forms::isLoaded<frmLogInput>());
            QCOMPARE(c.box->text(), QString(c.text));
            QCOMPARE(child<QLineEdit>(e, "txtDate")->text(), QString("5/5/05"));
            QCOMPARE(child<QLineEdit>(e, "txtDay")->text(),
                     c.dayReached ? QString("0") : QString());
            c.box->clear();
        }
        // Corrected, the same window saves.
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        QCOMPARE(recordOf(fileBytes(path), 1).LastRecord, std::int16_t(3));
    }

    void failedFlightSaveKeepsTheLogbookAndTheTypedValues() {
        const Bytes base = logbookOfRecords({flight("1/1/99")});
        const QString path = writeLogbook(base);
        QTest::mouseClick(child<QPushButton>(openViewer(path), "cmdAddFlight"), Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "5/5/05");
        QTest::keyClicks(child<QLineEdit>(e, "txtTotal"), "2");
        for (std::uint64_t budget : {0ull, 300ull, 420ull + 100ull}) {
            records::setWriteFailureAfter(budget);
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
            records::setWriteFailureAfter(std::nullopt);
            QCOMPARE(lastBox().text,
                     QString("The flight could not be saved to the logbook. Nothing was changed."));
            QCOMPARE(lastBox().title, QString("Aerokit"));
            QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
            QCOMPARE(fileBytes(path), base);
            QCOMPARE(child<QLineEdit>(e, "txtDate")->text(), QString("5/5/05"));
            QCOMPARE(child<QLineEdit>(e, "txtTotal")->text(), QString("2"));
        }
    }

    void aFullLogbookSaysSoAndTakesNothing() {
        Bytes full(32767u * 420u, 0);  // LastRecord = 32767: every record in use
        full[278] = 0xFF;
        full[279] = 0x7F;
        const QString path = writeLogbook(full);
        QTest::mouseClick(child<QPushButton>(openViewer(path), "cmdAddFlight"), Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "5/5/05");
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        QVERIFY(lastBox().text.startsWith("The logbook is full"));
        QCOMPARE(lastBox().title, QString("Aerokit"));
        QCOMPARE(fileBytes(path).size(), full.size());
        QVERIFY(Forms::isLoaded<frmLogInput>());
        QCOMPARE(child<QLineEdit>(e, "txtDate")->text(), QString("5/5/05"));
    }

    void aReadOnlyLogbookSaysSoForEveryWrite() {
        const Bytes base = logbookOfRecords({flight("1/1/99")});
        const QString path = writeLogbook(base);
        auto* v = openViewer(path);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        selectLine(v, 0);
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        QCOMPARE(lastBox().text, QString("The flight could not be removed: the logbook is "
                                         "read-only. Nothing was changed."));
        QTest::mouseClick(child<QPushButton>(v, "cmdAddFlight"), Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "5/5/05");
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        QCOMPARE(lastBox().text, QString("The flight could not be saved: the logbook is "
                                         "read-only. Nothing was changed."));
        QCOMPARE(fileBytes(path), base);
        QVERIFY(Forms::isLoaded<frmLogInput>());
    }

    void cancelAndMainMenuWriteNothing() {
        const Bytes base = logbookOfRecords({flight("1/1/99")});
        const QString path = writeLogbook(base);
        QTest::mouseClick(child<QPushButton>(openViewer(path), "cmdAddFlight"), Qt::LeftButton);
        QTest::keyClicks(child<QLineEdit>(Forms::get<frmLogInput>(), "txtDate"), "x");
        QTest::mouseClick(child<QPushButton>(Forms::get<frmLogInput>(), "cmdCancel"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmLogInput>());
        QCOMPARE(listLines(Forms::get<frmLogBook>()), QStringList({"1/1/99"}));
        QTest::mouseClick(child<QPushButton>(Forms::get<frmLogBook>(), "cmdAddFlight"),
                          Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QCOMPARE(child<QLineEdit>(e, "txtDate")->text(), QString());  // a fresh window
        QCOMPARE(menuTitles(e), QStringList({"&File", "&Edit", "&Help"}));
        QCOMPARE(actionTexts(child<QMenu>(e, "mnuFile")), QStringList({"&Main Menu", "E&xit"}));
        child<QAction>(e, "mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmLogInput>());
        QVERIFY(Forms::get<frmMain>()->isVisible());
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        QCOMPARE(fileBytes(path), base);
    }

    void remarksBoxCountsLineBreaksAsTwo() {
        QTest::mouseClick(
            child<QPushButton>(openViewer(writeLogbook(logbookOfRecords({}))), "cmdAddFlight"),
            Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QPlainTextEdit>(e, "txtRemarks"), QString(97, 'a'));
        QTest::keyClick(child<QPlainTextEdit>(e, "txtRemarks"), Qt::Key_Return);
        QTest::keyClicks(child<QPlainTextEdit>(e, "txtRemarks"), "bcd");
        QCOMPARE(child<QPlainTextEdit>(e, "txtRemarks")->toPlainText(), QString(97, 'a') + "\nb");
    }

    // Tab walks the boxes in the order a logbook line is filled in; in the
    // multi-line remarks box it moves on rather than typing a tab character.
    void entryTabOrderRunsThroughEveryBox() {
        QTest::mouseClick(
            child<QPushButton>(openViewer(writeLogbook(logbookOfRecords({}))), "cmdAddFlight"),
            Qt::LeftButton);
        auto* e = Forms::get<frmLogInput>();
        const QStringList order = {
            "txtDate",          "txtMake",      "txtIdent",    "txtFrom",      "txtTo",
            "txtRemarks",       "txtInstrApp",  "cmbIntrApp1", "txtIntrApp1",  "cmbIntrApp2",
            "txtIntrApp2",      "cmbInstrApp3", "txtIntrApp3", "cmbInstrApp4", "txtInstrApp4",
            "txtLandings",      "txtNightLand", "txtXCountry", "optSingle",    "chkSEL",
            "chkSES",           "optMEL",       "chkMEL",      "chkMES",       "optRotor",
            "optAirship",       "optGlider",    "txtDay",      "txtNight",     "txtInstrument",
            "txtSimInstrument", "txtGround",    "txtDual",     "txtInCommand", "txtSIC",
            "txtSimulator",     "txtCFI",       "txtCFII",     "txtTotal",     "cmdSaveInfo",
            "cmdCancel"};
        for (qsizetype i = 1; i < order.size(); ++i)
            QCOMPARE(testsupport::nextTabStop(child<QWidget>(e, order[i - 1])), order[i]);

        QVERIFY(child<QPlainTextEdit>(e, "txtRemarks")->tabChangesFocus());
        e->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e));
        child<QPlainTextEdit>(e, "txtRemarks")->setFocus();
        QTRY_VERIFY(child<QPlainTextEdit>(e, "txtRemarks")->hasFocus());
        QTest::keyClicks(child<QPlainTextEdit>(e, "txtRemarks"), "ILS 27");
        QTest::keyClick(child<QPlainTextEdit>(e, "txtRemarks"), Qt::Key_Tab);
        QCOMPARE(child<QPlainTextEdit>(e, "txtRemarks")->toPlainText(), QString("ILS 27"));
        QTRY_VERIFY(child<QLineEdit>(e, "txtInstrApp")->hasFocus());
    }

    // --- the viewer ---------------------------------------------------------------

    void viewerShowsTheSelectedFlight() {
        LogRecord f = flight("5/5/05", 1.5f);
        f.Make.assign("Cessna 172");
        f.Remarks.assign("Steep turns\r\nstalls");
        f.AppType3.assign("VOR/DME");
        f.AppCount3 = -3;
        f.Night = 0.1f;
        f.SESea = 1;
        f.CatSingle = -1;
        f.CatGlider = -1;  // set after Single: Glider ends up selected
        const QString path = writeLogbook(logbookOfRecords({flight(""), f, flight("6/6/06")}));
        auto* v = openViewer(path);
        QCOMPARE(v->windowTitle(), QString("Logbook"));
        QCOMPARE(child<QGroupBox>(v, "fradateofflight")->title(), QString("Choose Date of Flight"));
        // The blank-dated first flight does not hide the others.
        QCOMPARE(listLines(v), QStringList({"5/5/05", "6/6/06"}));
        QCOMPARE(child<QLineEdit>(v, "txtDate")->text(), QString());
        selectLine(v, 0);
        QCOMPARE(child<QLineEdit>(v, "txtDate")->text(), QString("5/5/05         "));
        QCOMPARE(child<QLineEdit>(v, "txtMake")->text(), QString("Cessna 172     "));
        QCOMPARE(child<QPlainTextEdit>(v, "txtRemarks")->toPlainText().trimmed(),
                 QString("Steep turns\nstalls"));
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("1.5"));
        QCOMPARE(child<QLineEdit>(v, "txtNight")->text(), QString("0.1"));
        QCOMPARE(child<QLineEdit>(v, "txtDay")->text(), QString("0"));
        QCOMPARE(child<QLineEdit>(v, "txtIntrApp3")->text(), QString("-3"));
        QCOMPARE(child<QComboBox>(v, "cmbInstrApp3")->currentText(), QString("VOR/DME   "));
        QVERIFY(child<QCheckBox>(v, "chkSES")->isChecked());
        QVERIFY(child<QRadioButton>(v, "optGlider")->isChecked());
        QVERIFY(!child<QRadioButton>(v, "optSingle")->isChecked());
        QVERIFY(child<QLineEdit>(v, "txtDate")->isReadOnly());
        QVERIFY(child<QLineEdit>(v, "txtDate")->isEnabled());
        // Display only, but the pilot can still copy from it.
        v->activateWindow();
        child<QLineEdit>(v, "txtDate")->setFocus();
        child<QLineEdit>(v, "txtDate")->setSelection(0, 6);
        QTest::keyClick(child<QLineEdit>(v, "txtDate"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("5/5/05"));
        QTest::keyClick(child<QLineEdit>(v, "txtDate"), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(child<QLineEdit>(v, "txtDate")->text(), QString("5/5/05         "));
        // A flight without category clears the options.
        selectLine(v, 1);
        QCOMPARE(child<QLineEdit>(v, "txtDate")->text(), QString("6/6/06         "));
        for (QRadioButton* o :
             {child<QRadioButton>(v, "optSingle"), child<QRadioButton>(v, "optMEL"),
              child<QRadioButton>(v, "optRotor"), child<QRadioButton>(v, "optAirship"),
              child<QRadioButton>(v, "optGlider")})
            QVERIFY(!o->isChecked());
        QVERIFY(!child<QCheckBox>(v, "chkSES")->isChecked());
    }

    void viewerMenusAndButtons() {
        auto* v = openViewer(writeLogbook(logbookOfRecords({})));
        QCOMPARE(menuTitles(v), QStringList({"&File", "&Edit", "&Options", "&Help"}));
        QCOMPARE(actionTexts(child<QMenu>(v, "mnuFile")),
                 QStringList({"&Print Entry", "-", "&Main Menu", "E&xit"}));
        QCOMPARE(actionTexts(child<QMenu>(v, "mnuOptions")),
                 QStringList({"&Add Flight", "&Remove Flight", "-", "&Total Times",
                              "Rating &Information"}));
        QCOMPARE(v->findChild<QAction*>("mnuCut")->shortcut(), QKeySequence("Ctrl+X"));
        QCOMPARE(v->findChild<QAction*>("mnuPaste")->shortcut(), QKeySequence("Ctrl+V"));
        QVERIFY(v->findChild<QAction*>("mnuAbout"));
        const std::pair<QPushButton*, const char*> captions[] = {
            {child<QPushButton>(v, "cmdAddFlight"), "Add Flight"},
            {child<QPushButton>(v, "cmddelete"), "Remove Flight"},
            {child<QPushButton>(v, "cmdOtherInfo"), "View Rating Information"},
            {child<QPushButton>(v, "cmdTotalTimes"), "View Total Times"},
            {child<QPushButton>(v, "cmdCurrent"), "View Currency"},
            {child<QPushButton>(v, "cmdBrowse"), "Browse Abbreviated Logbook"},
            {child<QPushButton>(v, "cmdMainMenu"), "Back to Main Menu"},
            {child<QPushButton>(v, "cmdExit"), "Exit Aerokit"}};
        for (const auto& [b, text] : captions) QCOMPARE(b->text(), QString(text));

        // Exit asks; No comes back to the same viewer.
        const auto quit = testsupport::whenShown<frmquit>(
            [](frmquit* q) { QTest::mouseClick(child<QPushButton>(q, "cmdNo"), Qt::LeftButton); });
        child<QAction>(v, "mnuExit")->trigger();
        QVERIFY(quit.ran());
        QVERIFY(Forms::isLoaded<frmLogBook>());
        QVERIFY(v->isVisible());

        child<QAction>(v, "mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmMenu>()->isVisible());
    }

    void handsOverToTheOtherLogbookWindows() {
        auto* v = openViewer(writeLogbook(logbookOfRecords({flight("1/1/99")})));
        QTest::mouseClick(child<QPushButton>(v, "cmdCurrent"), Qt::LeftButton);
        QVERIFY(Forms::get<frmCurrent>()->isVisible());
        QVERIFY(v->isVisible());  // the viewer stays beside the currency window
        QTest::mouseClick(child<QPushButton>(v, "cmdTotalTimes"), Qt::LeftButton);
        QVERIFY(Forms::get<frmTotalTime>()->isVisible());
        QVERIFY(!v->isVisible());
        Forms::unload<frmTotalTime>();
        v->show();
        QTest::mouseClick(child<QPushButton>(v, "cmdBrowse"), Qt::LeftButton);
        QVERIFY(Forms::get<frmLogBrowse>()->isVisible());
        QVERIFY(!v->isVisible());
        QVERIFY(Forms::isLoaded<frmLogBook>());
        Forms::unload<frmLogBrowse>();
        child<QAction>(v, "mnuTotalTimes")->trigger();
        QVERIFY(Forms::get<frmTotalTime>()->isVisible());
    }

    void closingTheFrameOfAnEntryWindowBringsTheViewerBack() {
        auto* v = openViewer(writeLogbook(logbookOfRecords({flight("1/1/99")})));
        QTest::mouseClick(child<QPushButton>(v, "cmdOtherInfo"), Qt::LeftButton);
        Forms::get<frmNewLog>()->close();
        QVERIFY(!Forms::isLoaded<frmNewLog>());
        QVERIFY(v->isVisible());
        QTest::mouseClick(child<QPushButton>(v, "cmdAddFlight"), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        Forms::get<frmLogInput>()->close();
        QVERIFY(!Forms::isLoaded<frmLogInput>());
        QVERIFY(Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
        QCOMPARE(lineCount(Forms::get<frmLogBook>()), 1);
    }

    void removalWithDuplicateDates() {
        const QString path = writeLogbook(logbookOfRecords(
            {flight("1/1/99", 1), flight("5/5/05", 2), flight("5/5/05", 3), flight("6/6/06", 4)}));
        auto* v = openViewer(path);
        selectLine(v, 2);  // the second 5/5/05 line shows the first such flight
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("2"));
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QCOMPARE(lastBox().text, QString("Are you sure you want to delete the current entry?"));
        QCOMPARE(lastBox().title, QString("Delete Item?"));
        QCOMPARE(lastBox().buttons, MessageBox::Buttons::YesNo);
        QCOMPARE(lastBox().icon, MessageBox::Icon::None);
        const Bytes b = fileBytes(path);
        QCOMPARE(b.size(), std::size_t(4 * 420));
        QCOMPARE(recordOf(b, 1).LastRecord, std::int16_t(4));
        QCOMPARE(recordOf(b, 3).Total, 3.0f);  // the second flight of that date stays
        QCOMPARE(listLines(v), QStringList({"1/1/99", "5/5/05", "6/6/06"}));
        QVERIFY(child<QListView>(v, "lstDate")->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(),
                 QString("2"));  // still shows the removed flight
        QVERIFY(!QFile::exists(QDir::current().absoluteFilePath("pilot.tmp")));
    }

    void removalAnsweredNoOrWithoutSelectionChangesNothing() {
        const Bytes base = logbookOfRecords({flight("1/1/99"), flight("2/2/99")});
        const QString path = writeLogbook(base);
        auto* v = openViewer(path);
        selectLine(v, 0);
        MessageBox::setNextAnswer(MessageBox::Answer::No);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        QCOMPARE(fileBytes(path), base);
        QCOMPARE(lineCount(v), 2);

        child<QListView>(v, "lstDate")->clearSelection();
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QAction>(v, "mnuRemove")->trigger();
        QCOMPARE(MessageBox::history().size(), std::size_t(3));
        QCOMPARE(lastBox().text, QString("Please select the date of the Flight to Delete"));
        QCOMPARE(lastBox().title, QString("Select Date"));
        QCOMPARE(lastBox().buttons, MessageBox::Buttons::Ok);
        QCOMPARE(lastBox().icon, MessageBox::Icon::Exclamation);
        QCOMPARE(fileBytes(path), base);
    }

    void failedRemovalLosesNothing() {
        const Bytes base = logbookOfRecords({flight("1/1/99"), flight("2/2/99")});
        const QString path = writeLogbook(base, "Pilot.LOG");
        auto* v = openViewer(path);
        selectLine(v, 1);
        records::setWriteFailureAfter(500);
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        records::setWriteFailureAfter(std::nullopt);
        // A selection was made: the message says what happened instead.
        QCOMPARE(lastBox().text, QString("The flight could not be removed: the new logbook could "
                                         "not be written. Nothing was changed."));
        QCOMPARE(lastBox().title, QString("Aerokit"));
        QCOMPARE(fileBytes(path), base);
        QCOMPARE(lineCount(v), 2);
        QVERIFY(!QFile::exists(QDir::current().absoluteFilePath("Pilot.tmp")));
        // And then it works, leaving no temporary file.
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        QCOMPARE(fileBytes(path).size(), std::size_t(840));
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList({"Pilot.LOG"}));
    }

    void addedFlightShowsInAFreshViewer() {
        const QString path = writeLogbook(logbookOfRecords({flight("1/1/99")}));
        auto* v = openViewer(path);
        selectLine(v, 0);
        child<QAction>(v, "mnuAddFlight")->trigger();
        auto* e = Forms::get<frmLogInput>();
        QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "1/1/99");
        QTest::keyClicks(child<QLineEdit>(e, "txtTotal"), "9");
        QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
        v = Forms::get<frmLogBook>();
        QCOMPARE(listLines(v), QStringList({"1/1/99", "1/1/99"}));
        QCOMPARE(child<QLineEdit>(v, "txtDate")->text(),
                 QString());  // loaded afresh, nothing shown
        selectLine(v, 1);
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(),
                 QString("1"));  // the first flight of that date
    }

    void printsTheShownFlightWithItsLabels() {
        LogRecord f = flight("05/05/2005 1421", 1.5f);
        f.Ident.assign("N123456789");
        f.Remarks.assign("<b>night</b> & more");
        f.AppType1.assign("ILS");
        f.AppCount1 = 2;
        // Lines left alone are stored as the combo's cut first text and 0, or
        // blank; one with a count keeps whatever type it has.
        f.AppType2.assign("Select Typ");
        f.AppType3.assign("");
        f.AppType4.assign("Select Typ");
        f.AppCount4 = 3;
        f.CatMulti = -1;
        f.MELand = 1;
        auto* v = openViewer(writeLogbook(logbookOfRecords({f})));
        // Nothing shown yet: nothing is printed, and the pilot is told why.
        const QString none = QDir::current().absoluteFilePath("none.pdf");
        PrintPage::setNextPdfPath(none);
        MessageBox::setNextAnswer(MessageBox::Answer::Ok);
        child<QAction>(v, "mnuPrint")->trigger();
        QVERIFY(!QFileInfo::exists(none));
        QCOMPARE(MessageBox::history().size(), std::size_t(1));
        QVERIFY(lastBox().text.contains("no flight to print"));
        selectLine(v, 0);
        const QString html = v->printPage().html;
        QVERIFY(html.contains("<b>Approach 2:</b></td><td></td>"));
        QVERIFY(html.contains("<b>Approach 3:</b></td><td></td>"));
        QVERIFY(html.contains("<b>Select Typ:</b></td><td>3</td>"));
        QCOMPARE(html.count("Select Typ"), 1);
        QVERIFY(html.contains("Date of Flight:"));
        QVERIFY(html.contains("Aircraft Ident:"));
        QVERIFY(html.contains("Total Duration of Flight:"));
        QVERIFY(html.contains("Dual Recieved:"));
        QVERIFY(html.contains("Conditions of Flight"));
        QVERIFY(html.contains("<b>ILS:</b></td><td>2</td>"));
        QVERIFY(html.contains("Multi-Engine: Land"));
        QVERIFY(html.contains("&lt;b&gt;night&lt;/b&gt; &amp; more"));
        const QString pdf = QDir::current().absoluteFilePath("entry.pdf");
        QVERIFY(PrintPage::printToPdf(v->printPage(), pdf));
        const QString text = testsupport::pdfPageTexts(pdf).join("");
        for (const char* whole : {"05/05/2005 1421", "N123456789", "page 1 of 1"})
            QVERIFY2(text.contains(whole), whole);
        QVERIFY(text.contains(QFileInfo(modLog::LogPath).fileName()));
        const QString viaMenu = QDir::current().absoluteFilePath("menu.pdf");
        PrintPage::setNextPdfPath(viaMenu);
        child<QAction>(v, "mnuPrint")->trigger();
        QVERIFY(QFileInfo(viaMenu).size() > 1000);
    }

    // --- corrupt and hostile logbooks -------------------------------------------

    void brokenLogbooksNeverCrashAndAreNeverWritten() {
        Bytes good = logbookOfRecords({flight("1/1/99"), flight("2/2/99")});
        // Shorter than record 1. (A whole logbook with a partial record after
        // its last is a logbook: a crash in an append leaves one.)
        Bytes odd(419, 0x41);
        Bytes zero = good;
        zero[278] = 0;
        Bytes negative = good;
        negative[278] = 0x00;
        negative[279] = 0x80;  // -32768
        const std::vector<Bytes> broken = {odd, zero, negative, {}};
        int n = 0;
        for (const Bytes& bytes : broken) {
            testsupport::resetShell();
            const QString path = writeLogbook(bytes, QString("broken%1.log").arg(n++));
            auto* v = openViewer(path);
            QCOMPARE(lineCount(v), 0);
            MessageBox::setNextAnswer(
                MessageBox::Answer::Ok);  // no Delete question: the file is refused first
            QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
            QCOMPARE(lastBox().text, QString("The flight could not be removed: the file is not a "
                                             "logbook. Nothing was changed."));
            QCOMPARE(MessageBox::pendingAnswers(), 0);

            QTest::mouseClick(child<QPushButton>(v, "cmdOtherInfo"), Qt::LeftButton);
            auto* r = Forms::get<frmNewLog>();
            tick(child<QCheckBox>(r, "chkatp"));
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(child<QPushButton>(r, "cmdSave"), Qt::LeftButton);
            QCOMPARE(lastBox().title, QString("Aerokit"));
            QTest::mouseClick(child<QPushButton>(r, "cmdCancel"), Qt::LeftButton);

            QTest::mouseClick(child<QPushButton>(Forms::get<frmLogBook>(), "cmdAddFlight"),
                              Qt::LeftButton);
            auto* e = Forms::get<frmLogInput>();
            QTest::keyClicks(child<QLineEdit>(e, "txtDate"), "7/7/07");
            MessageBox::setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(child<QPushButton>(e, "cmdSaveInfo"), Qt::LeftButton);
            QCOMPARE(lastBox().text, QString("The flight could not be saved: the file is not a "
                                             "logbook. Nothing was changed."));
            QVERIFY(Forms::isLoaded<frmLogInput>());
            QCOMPARE(fileBytes(path), bytes);
        }
    }

    void aDateWithNulBytesNamesOnlyItsOwnFlight() {
        LogRecord nul = flight("", 7);
        nul.Date.bytes.fill('\0');
        nul.Date.bytes[0] = '9';  // "9" followed by NULs
        LogRecord allNul = flight("", 8);
        allNul.Date.bytes.fill('\0');
        const QString path =
            writeLogbook(logbookOfRecords({flight("", 1), nul, allNul, flight("9", 2)}));
        auto* v = openViewer(path);
        QCOMPARE(lineCount(v), 3);
        selectLine(v, 1);  // the all-NUL date
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("8"));
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        const Bytes b = fileBytes(path);
        QCOMPARE(b.size(), std::size_t(4 * 420));
        QCOMPARE(recordOf(b, 2).Total, 1.0f);  // the undated flight is still there
        QCOMPARE(recordOf(b, 3).Total, 7.0f);
        QCOMPARE(recordOf(b, 4).Total, 2.0f);
        selectLine(v, 1);  // "9": not the NUL-padded "9"
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("2"));
    }

    void hostileFieldsAreShownWithoutHarm() {
        LogRecord f;
        f.Date.assign("\xE9t\xE9 \x80\x9F");  // Windows-1252 letters and high bytes
        std::memset(f.Make.bytes.data(), 0, 15);
        f.Make.bytes[0] = 'A';  // text ending in NULs
        f.Ident.bytes = {'\x01', '\0', 'Z', '\xFF', '\x81', '\x8D', '\x8F', '\x90', '\x9D', '\n'};
        Bytes bytes = logbookOfRecords({f, flight("")});
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        auto putFloat = [&](std::size_t off, float v) { std::memcpy(&bytes[420 + off], &v, 4); };
        putFloat(146, nan);
        putFloat(190, inf);
        putFloat(162, -inf);
        putFloat(264, 3.4e38f);
        bytes[420 + 156] = 0x39;  // CatMulti neither -1 nor 0
        bytes[420 + 272] = 0xFF;  // SELand -1
        bytes[420 + 273] = 0xFF;
        for (std::size_t i = 46; i < 146; ++i) bytes[420 + i] = static_cast<std::uint8_t>(i * 37);
        const QString path = writeLogbook(bytes);
        auto* v = openViewer(path);
        QCOMPARE(lineCount(v), 1);
        QCOMPARE(lineAt(v, 0).data().toString(),
                 QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xC5\xB8"));
        selectLine(v, 0);
        QCOMPARE(child<QLineEdit>(v, "txtMake")->text(), QString("A"));
        QVERIFY(!child<QLineEdit>(v, "txtInstrApp")->text().isEmpty());
        QVERIFY(!child<QLineEdit>(v, "txtTotal")->text().isEmpty());
        QVERIFY(child<QRadioButton>(v, "optMEL")->isChecked());
        QVERIFY(child<QCheckBox>(v, "chkSEL")->isChecked());
        QVERIFY(!v->printPage().html.isEmpty());
        QCOMPARE(fileBytes(path), bytes);  // looking never writes
        // Removing it by its odd date works on the text shown.
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        QTest::mouseClick(child<QPushButton>(v, "cmddelete"), Qt::LeftButton);
        QCOMPARE(fileBytes(path).size(), std::size_t(840));
        QCOMPARE(lineCount(v), 0);
    }
};

AEROKIT_WINDOW_TEST_MAIN(LogbookEntryWindowTest)
#include "logbook_entry_window_test.moc"
