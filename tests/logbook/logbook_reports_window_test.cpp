// The total-times, currency and abbreviated-list windows, driven through
// their controls by object name on logbooks built byte by byte.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <cstring>
#include <limits>

#include "TestLogbooks.h"
#include "WindowTest.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmMain.h"
#include "logbook/frmTotalTime.h"
#include "records/Clock.h"
#include "records/DateText.h"
#include "shell/PrintPage.h"
#include "shell/WindowText.h"
#include "shell/frmquit.h"
#include "shell/modLog.h"
#include "support/Bytes.h"

using namespace logbooktest;
using testsupport::child;

namespace {

const std::int64_t kToday = records::daysFromCivil(2026, 12, 8);

QString useLogbook(const Bytes& bytes, const QString& name = "pilot.log") {
    const QString path = QDir::current().absoluteFilePath(name);
    testsupport::writeFileBytes(path.toStdString(), bytes);
    modLog::LogPath = path;
    return path;
}

Bytes fileBytes(const QString& path) { return testsupport::readFileBytes(path.toStdString()); }

QStringList comboEntries(QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}

QString actionText(QWidget* w, const char* name) {
    auto* a = w->findChild<QAction*>(name);
    return a ? a->text() : QString("<missing %1>").arg(name);
}

bool anyShortcut(QWidget* w, const QKeySequence& key) {
    for (QAction* a : w->findChildren<QAction*>())
        for (const QKeySequence& s : a->shortcuts())
            if (s == key) return true;
    return false;
}

QStringList topMenus(QMainWindow* w) {
    QStringList out;
    for (QAction* a : w->menuBar()->actions()) out << a->text();
    return out;
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray pdf = f.readAll();
    int n = 0;
    for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1))
        if (pdf.mid(i + 11, 1) != "s") ++n;
    return n;
}

}  // namespace

const std::pair<const char*, QString> kBrowseHeadings[] = {
    {"lblDate", "Date"}, {"lblIdent", "Aircraft Ident"},  {"lblDepart", "From"},
    {"lblTo", "To"},     {"lblIntstrApp", "Instr. App."}, {"lblLandings", "Landings"},
    {"lblDay", "Day"},   {"lblNight", "Night"},           {"lblDual", "Dual"},
    {"lblPIC", "PIC"},   {"lblTotal", "Total Time"}};

// Each heading's left edge stands within one character of the first
// character of its column in line row (the line's eleven blank-separated
// pieces, in the order of the headings).
void verifyHeadingsOverColumns(QWidget* w, int row) {
    auto* list = child<QListView>(w, "lstLogBook");
    const QModelIndex index = list->model()->index(row, 0);
    const QString line = index.data().toString();
    const QFontMetrics fm = list->fontMetrics();
    const QRect item = list->visualRect(index);
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    int at = 0;
    for (auto [name, text] : kBrowseHeadings) {
        while (at < line.size() && line[at] == ' ') ++at;
        const int column = list->viewport()->mapTo(w, item.topLeft()).x() + margin +
                           fm.horizontalAdvance(line.left(at));
        auto* heading = child<QLabel>(w, name);
        const int left = heading->mapTo(w, QPoint(0, 0)).x();
        QVERIFY2(std::abs(left - column) <= fm.horizontalAdvance(QLatin1Char('0')),
                 qPrintable(QString("%1 at %2, its column at %3").arg(name).arg(left).arg(column)));
        while (at < line.size() && line[at] != ' ') ++at;
    }
}

class ReportsWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        testsupport::resetShell();
        records::setTodayForTesting(kToday);
    }
    void cleanup() { records::setTodayForTesting(std::nullopt); }

    // ---- frmTotalTime ----

    void totalTimeShowsItsControlsAndMenus() {
        useLogbook(logbookBytes({}));
        auto* w = Forms::show<frmTotalTime>();
        QCOMPARE(w->objectName(), QString("frmTotalTime"));
        QCOMPARE(w->windowTitle(), QString("Total Time"));
        QCOMPARE(child<QCheckBox>(w, "chkIdent")->text(), QString("Time in Specific Aircraft"));
        QCOMPARE(child<QCheckBox>(w, "chkType")->text(), QString("Time in Specific Aircraft Type"));
        QVERIFY(!child<QCheckBox>(w, "chkIdent")->isChecked());
        auto* ident = child<QComboBox>(w, "cmbIdent");
        auto* type = child<QComboBox>(w, "cmbType");
        QCOMPARE(ident->currentText(), QString("Select Aircraft Ident"));
        QCOMPARE(type->currentText(), QString("Select Aircraft Type"));
        QVERIFY(!ident->isEnabled() && !type->isEnabled());
        QCOMPARE(ident->count(), 0);
        QCOMPARE(type->count(), 0);
        QCOMPARE(child<QGroupBox>(w, "fraConditions")->title(), QString("Conditions of Flight"));
        QCOMPARE(child<QGroupBox>(w, "fraType")->title(), QString("Type of Piloting Time"));
        const char* inConditions[] = {"txtDay", "txtNight", "txtInstrument", "txtSimInstrument",
                                      "txtGround"};
        for (const char* n : inConditions)
            QVERIFY2(child<QLineEdit>(child<QGroupBox>(w, "fraConditions"), n), n);
        const char* inType[] = {"txtDual", "txtInCommand", "txtSimulator",
                                "txtSIC",  "txtCFI",       "txtCFII"};
        for (const char* n : inType)
            QVERIFY2(child<QLineEdit>(child<QGroupBox>(w, "fraType"), n), n);
        const std::pair<const char*, const char*> labels[] = {
            {"lblDay", "Day:"},
            {"lblNight", "Night:"},
            {"lblInstrument", "Actual Instrument:"},
            {"lblSimInstrument", "Simulated Instrument:"},
            {"lblGround", "Ground Instruction:"},
            {"lblDual", "Dual Recieved:"},
            {"lblInCommand", "Pilot-In-Command:"},
            {"lblSimulator", "Simulator:"},
            {"lblSIC", "Second-In-Command:"},
            {"lblCFI", "CFI:"},
            {"lblCFII", "CFII:"},
            {"lblLandings", "Day Landings:"},
            {"lblNightLand", "Night Landings:"},
            {"lblXCountry", "Cross Country:"},
            {"lblInstrApp", "Instrument App:"},
            {"lblTotal", "Total Duration of Flight:"}};
        for (auto [name, text] : labels) QCOMPARE(child<QLabel>(w, name)->text(), QString(text));
        // A logbook without flights: every box shows 0.
        for (auto* box : w->findChildren<QLineEdit*>())
            if (box->objectName().startsWith("txt")) QCOMPARE(box->text(), QString("0"));
        QCOMPARE(child<QPushButton>(w, "cmdLogBook")->text(), QString("Back To Logbook"));
        QCOMPARE(child<QPushButton>(w, "cmdBackMenu")->text(), QString("Main Menu"));
        QCOMPARE(topMenus(w), (QStringList{"&File", "&Edit", "&Help"}));
        QCOMPARE(actionText(w, "mnuPrint"), QString("&Print"));
        QCOMPARE(actionText(w, "mnuMain"), QString("&Main Menu"));
        QCOMPARE(actionText(w, "mnuExit"), QString("E&xit Logbook"));
        QCOMPARE(actionText(w, "mnuCut"), QString("Cu&t"));
        QCOMPARE(actionText(w, "mnuHelp"), QString("&Help"));
        QCOMPARE(actionText(w, "mnuAbout"), QString("&About"));
        QCOMPARE(w->findChild<QAction*>("mnuPaste")->shortcut(), QKeySequence("Ctrl+P"));
        QVERIFY(!anyShortcut(w, QKeySequence("Ctrl+V")));
        QCOMPARE(w->findChild<QAction*>("mnuCopy")->shortcut(), QKeySequence("Ctrl+C"));
    }

    void totalTimeSumsFollowEachKeystroke() {
        Flight a = flown("1/1/98", "N123", "Cessna 172", 1.5f);
        a.night = 0.5f;
        a.nightLand = 1;
        Flight b = flown("1/2/98", "N12", "Cessna", 2);
        Flight c = flown("1/3/98", "n123", "Cessna 172", 4);
        const QString path = useLogbook(logbookOf({a, a, b, c}));
        const Bytes before = fileBytes(path);
        auto* w = Forms::show<frmTotalTime>();
        auto* total = child<QLineEdit>(w, "txtTotal");
        QCOMPARE(total->text(), QString("9"));
        QCOMPARE(child<QLineEdit>(w, "txtLandings")->text(), QString("4"));
        QCOMPARE(child<QLineEdit>(w, "txtNightLand")->text(), QString("2"));
        auto* ident = child<QComboBox>(w, "cmbIdent");
        QCOMPARE(comboEntries(ident), (QStringList{"N123      ", "N12       ", "n123      "}));
        QCOMPARE(comboEntries(child<QComboBox>(w, "cmbType")),
                 (QStringList{"Cessna 172     ", "Cessna         "}));
        QCOMPARE(ident->currentText(), QString("Select Aircraft Ident"));  // filling left it alone

        QTest::mouseClick(child<QCheckBox>(w, "chkIdent"), Qt::LeftButton);
        QVERIFY(ident->isEnabled());
        QCOMPARE(total->text(), QString("9"));  // checking changes no sum
        ident->lineEdit()->clear();
        QCOMPARE(total->text(), QString("0"));
        QTest::keyClick(ident->lineEdit(), 'N');
        QCOMPARE(total->text(), QString("0"));
        QTest::keyClicks(ident->lineEdit(), "12");
        QCOMPARE(total->text(), QString("2"));  // "N12" is a whole ident itself
        QTest::keyClick(ident->lineEdit(), '3');
        QCOMPARE(total->text(), QString("3"));
        QCOMPARE(child<QLineEdit>(w, "txtNight")->text(), QString("1"));
        QTest::keyClicks(ident->lineEdit(), "   ");
        QCOMPARE(total->text(), QString("3"));  // trailing blanks do not matter
        ident->lineEdit()->home(false);
        QTest::keyClick(ident->lineEdit(), ' ');
        QCOMPARE(total->text(), QString("3"));  // nor leading ones
        // Picking an entry from the list.
        ident->setCurrentIndex(2);
        emit ident->activated(2);
        QCOMPARE(ident->currentText(), QString("n123      "));
        QCOMPARE(total->text(), QString("4"));  // letter case tells the idents apart

        // The type filter takes over and switches the ident filter off.
        auto* type = child<QComboBox>(w, "cmbType");
        QTest::mouseClick(child<QCheckBox>(w, "chkType"), Qt::LeftButton);
        QVERIFY(type->isEnabled());
        QVERIFY(!ident->isEnabled());
        QVERIFY(!child<QCheckBox>(w, "chkIdent")->isChecked());
        QCOMPARE(total->text(), QString("4"));
        type->setCurrentIndex(0);
        emit type->activated(0);
        QCOMPARE(total->text(), QString("7"));
        QTest::keyClick(type->lineEdit(), Qt::Key_End);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QTest::keyClick(type->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(type->currentText(), QString("Ces"));
        QCOMPARE(total->text(), QString("0"));
        QTest::keyClicks(type->lineEdit(), "sna");
        QCOMPARE(total->text(), QString("2"));
        // Unchecking leaves the filtered sums on display.
        QTest::mouseClick(child<QCheckBox>(w, "chkType"), Qt::LeftButton);
        QVERIFY(!type->isEnabled());
        QCOMPARE(total->text(), QString("2"));
        QCOMPARE(fileBytes(path), before);
    }

    void totalTimePastesWithCtrlP() {
        useLogbook(
            logbookOf({flown("1/1/98", "N77", "C152", 1.25f), flown("1/2/98", "N78", "C152", 2)}));
        auto* w = Forms::show<frmTotalTime>();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::mouseClick(child<QCheckBox>(w, "chkIdent"), Qt::LeftButton);
        auto* ident = child<QComboBox>(w, "cmbIdent");
        ident->setFocus();
        ident->lineEdit()->selectAll();
        QApplication::clipboard()->setText("N77");
        QTest::keyClick(ident->lineEdit(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(ident->currentText(), QString("N77"));
        QCOMPARE(child<QLineEdit>(w, "txtTotal")->text(), QString("1.25"));
        QCOMPARE(QApplication::clipboard()->text(), QString("N77"));  // left as it was
        // The menu item does the same.
        ident->lineEdit()->selectAll();
        QApplication::clipboard()->setText("N78");
        w->findChild<QAction*>("mnuPaste")->trigger();
        QCOMPARE(ident->currentText(), QString("N78"));
        QCOMPARE(child<QLineEdit>(w, "txtTotal")->text(), QString("2"));
    }

    void totalTimeHandsOver() {
        useLogbook(logbookOf({flown("1/1/98", "N1", "C172", 1)}));
        // Back To Logbook: the viewer comes back, this window goes.
        Forms::show<frmLogBook>();
        Forms::show<frmTotalTime>();
        Forms::hide<frmLogBook>();
        QTest::mouseClick(child<QPushButton>(Forms::get<frmTotalTime>(), "cmdLogBook"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmTotalTime>());
        QVERIFY(Forms::isLoaded<frmLogBook>() && Forms::get<frmLogBook>()->isVisible());
        // Main Menu: the logbook file window; viewer and totals both closed.
        Forms::show<frmTotalTime>();
        Forms::hide<frmLogBook>();
        QTest::mouseClick(child<QPushButton>(Forms::get<frmTotalTime>(), "cmdBackMenu"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmTotalTime>());
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::isLoaded<frmMain>() && Forms::get<frmMain>()->isVisible());
        // The File menu's items take the same two ways.
        Forms::hide<frmMain>();
        Forms::show<frmLogBook>();
        Forms::show<frmTotalTime>()->findChild<QAction*>("mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmTotalTime>() && !Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmMain>()->isVisible());
        Forms::show<frmLogBook>();
        Forms::hide<frmLogBook>();
        Forms::show<frmTotalTime>()->findChild<QAction*>("mnuExit")->trigger();
        QVERIFY(!Forms::isLoaded<frmTotalTime>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
    }

    void totalTimeIsReadAfreshEachOpening() {
        const QString path = useLogbook(logbookOf({flown("1/1/98", "N1", "C172", 1)}));
        auto* w = Forms::show<frmTotalTime>();
        QCOMPARE(child<QLineEdit>(w, "txtTotal")->text(), QString("1"));
        QTest::mouseClick(child<QPushButton>(w, "cmdLogBook"), Qt::LeftButton);
        useLogbook(
            logbookOf({flown("1/1/98", "N1", "C172", 1), flown("1/2/98", "N2", "C172", 2.5f)}));
        auto* again = Forms::show<frmTotalTime>();
        QCOMPARE(child<QLineEdit>(again, "txtTotal")->text(), QString("3.5"));
        QCOMPARE(child<QComboBox>(again, "cmbIdent")->count(), 2);
        Q_UNUSED(path);
    }

    void totalTimePrintsThePage() {
        useLogbook(logbookOf({flown("1/1/98", "N1", "C172", 1.5f)}));
        auto* w = Forms::show<frmTotalTime>();
        const QString html = w->printPage().html;
        QVERIFY(html.contains("Total Time"));
        QVERIFY(html.contains("Dual Recieved:"));
        QVERIFY(html.contains("Total Duration of Flight:"));
        QVERIFY(html.contains(">1.5<"));
        QVERIFY(html.contains("All flights"));
        QTest::mouseClick(child<QCheckBox>(w, "chkIdent"), Qt::LeftButton);
        QTest::keyClicks(child<QComboBox>(w, "cmbIdent")->lineEdit(), "x");
        QVERIFY(w->printPage().html.contains("Time in Specific Aircraft: Select Aircraft Identx"));
        const QString pdf = QDir::current().absoluteFilePath("totals.pdf");
        PrintPage::setNextPdfPath(pdf);
        w->findChild<QAction*>("mnuPrint")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = testsupport::pdfPageTexts(pdf).join("");
        QVERIFY(text.contains("pilot.log") && text.contains("page 1 of 1"));
        QVERIFY(text.contains("Printed " + PrintPage::todayText()));
    }

    // ---- frmCurrent ----

    void currentShowsItsTextsAndMenus() {
        useLogbook(logbookBytes({}));
        auto* w = Forms::show<frmCurrent>();
        QCOMPARE(w->windowTitle(), QString("Currency Information"));
        const std::pair<const char*, const char*> labels[] = {
            {"lblLandDay", "Landings in Last 90 Days:"},
            {"lblDayLandings", "FAR 61.57 requires 3 Landings in Last 90 Days."},
            {"lblInstrApp", "Instrument Approaches in Last 6 Months:"},
            {"lblInstrApp2", "FAR 61.57 requires 6 approaches in the  Last 6 months."},
            {"lblTotalInstr", "Total Instrument Time in Last 6 Months:"},
            {"Label2",
             "FAR 61.57 requires 6 hours of instrument flight time in the last 6 months."},
            {"lblNight", "Night Landings in Last 90 Days:"},
            {"lblNightLand", "FAR 61.57 requires 3 Night Landings in the last 90 Days"}};
        for (auto [name, text] : labels) QCOMPARE(child<QLabel>(w, name)->text(), QString(text));
        for (const char* n : {"txtDayLandings", "txtInstrApp", "txtTotalInstr", "txtNightLand"})
            QCOMPARE(child<QLineEdit>(w, n)->text(), QString("0"));
        // Figures stand in the window's order from the top.
        QVERIFY(child<QLineEdit>(w, "txtDayLandings")->y() <
                child<QLineEdit>(w, "txtInstrApp")->y());
        QVERIFY(child<QLineEdit>(w, "txtInstrApp")->y() <
                child<QLineEdit>(w, "txtTotalInstr")->y());
        QVERIFY(child<QLineEdit>(w, "txtTotalInstr")->y() <
                child<QLineEdit>(w, "txtNightLand")->y());
        QCOMPARE(child<QPushButton>(w, "cmdBacktoLog")->text(), QString("Back To Logbook"));
        QCOMPARE(child<QPushButton>(w, "cmdMain")->text(), QString("Main Menu"));
        QCOMPARE(topMenus(w), (QStringList{"&File", "&Edit", "&Help"}));
        QCOMPARE(actionText(w, "mnuPrint"), QString("&Print"));
        QVERIFY(w->findChild<QAction*>("mnuSep1")->isSeparator());
        QCOMPARE(actionText(w, "mnuMain"), QString("&Main Menu"));
        QCOMPARE(actionText(w, "mnuExit"), QString("&Exit"));
        QCOMPARE(w->findChild<QAction*>("mnuPaste")->shortcut(), QKeySequence("Ctrl+V"));
    }

    void currentFiguresAtTheWindowEdges() {
        auto at = [](int ago, const std::string& extra = "") {
            Flight f;
            f.date = mdy(kToday - ago) + extra;
            f.landings = 2;
            f.nightLand = 1;
            f.instrApp = 1;
            f.instrument = 0.5f;
            f.simInstrument = 9;
            return f;
        };
        Flight garbage = at(0);
        garbage.date = "last tuesday";
        Flight blank = at(0);
        blank.date = "";
        const QString path =
            useLogbook(logbookOf({at(90), at(91), at(180), at(181), at(-3, "  "), garbage, blank}));
        const Bytes before = fileBytes(path);
        auto* w = Forms::show<frmCurrent>();
        QCOMPARE(child<QLineEdit>(w, "txtDayLandings")->text(), QString("6"));  // 90 and future
        QCOMPARE(child<QLineEdit>(w, "txtNightLand")->text(), QString("2"));
        QCOMPARE(child<QLineEdit>(w, "txtInstrApp")->text(), QString("4"));  // 90, 91, 180, future
        QCOMPARE(child<QLineEdit>(w, "txtTotalInstr")->text(), QString("2"));
        QCOMPARE(fileBytes(path), before);
        // Print: each requirement beside its figure.
        const QString html = w->printPage().html;
        QVERIFY(html.contains("FAR 61.57 requires 3 Landings in Last 90 Days."));
        QVERIFY(html.contains("Computed for " + PrintPage::dateText(kToday)));
        QVERIFY(html.contains("Night Landings in Last 90 Days:"));
        QVERIFY(html.contains(">6<") && html.contains(">4<") && html.contains(">2<"));
        const QString pdf = QDir::current().absoluteFilePath("currency.pdf");
        PrintPage::setNextPdfPath(pdf);
        w->findChild<QAction*>("mnuPrint")->trigger();
        const QString text = testsupport::pdfPageTexts(pdf).join("");
        QVERIFY(text.contains("pilot.log") && text.contains("page 1 of 1"));
    }

    void currentReadsDatesInTheLocalesOrder() {
        WindowText::setLocaleForTesting("de_DE");
        Flight f;
        f.date = "5.12.26";  // 5 December in a d/m/y locale, 12 May in m/d/y
        f.landings = 1.5f;
        useLogbook(logbookOf({f}));
        QCOMPARE(child<QLineEdit>(Forms::show<frmCurrent>(), "txtDayLandings")->text(),
                 QString("1,5"));
        Forms::unload<frmCurrent>();
        WindowText::setLocaleForTesting("en_US");
        QCOMPARE(child<QLineEdit>(Forms::show<frmCurrent>(), "txtDayLandings")->text(),
                 QString("0"));
    }

    void currentHandsOver() {
        useLogbook(logbookOf({flown(mdy(kToday), "N1", "C172", 1)}));
        Forms::show<frmLogBook>();
        QTest::mouseClick(child<QPushButton>(Forms::show<frmCurrent>(), "cmdBacktoLog"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmCurrent>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
        QTest::mouseClick(child<QPushButton>(Forms::show<frmCurrent>(), "cmdMain"), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmCurrent>() && !Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmMain>()->isVisible());
        Forms::hide<frmMain>();
        Forms::show<frmLogBook>();
        Forms::show<frmCurrent>()->findChild<QAction*>("mnuMain")->trigger();
        QVERIFY(!Forms::isLoaded<frmCurrent>() && !Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmMain>()->isVisible());
        // Exit asks; No comes back to the same window, not reloaded.
        auto* w = Forms::show<frmCurrent>();
        const auto quit = testsupport::whenShown<frmquit>([](frmquit* q) { q->cmdNo_Click(); });
        w->findChild<QAction*>("mnuExit")->trigger();
        QVERIFY(quit.ran());
        QVERIFY(Forms::isLoaded<frmCurrent>());
        QCOMPARE(Forms::get<frmCurrent>(), w);
        QCOMPARE(child<QLineEdit>(w, "txtDayLandings")->text(), QString("1"));
    }

    // ---- frmLogBrowse ----

    void browseShowsHeadingsListAndMenus() {
        useLogbook(logbookBytes({}));
        auto* w = Forms::show<frmLogBrowse>();
        QCOMPARE(w->windowTitle(), QString("Logbook"));
        for (auto [name, text] : kBrowseHeadings) QCOMPARE(child<QLabel>(w, name)->text(), text);
        auto* list = child<QListView>(w, "lstLogBook");
        QCOMPARE(list->model()->rowCount(), 0);  // headings over an empty list
        auto* back = child<QPushButton>(w, "Command1");
        QCOMPARE(back->text(), QString("Return To Logbook"));
        QVERIFY(back->y() > list->geometry().bottom());
        QCOMPARE(topMenus(w), (QStringList{"&File", "&Help"}));
        QCOMPARE(actionText(w, "mnuPrint"), QString("&Print"));
        QVERIFY(w->findChild<QAction*>("mnusep1")->isSeparator());
        QCOMPARE(actionText(w, "mnuExit"), QString("E&xit"));
        QVERIFY(!w->findChild<QAction*>("mnuPaste"));
        QVERIFY(!w->findChild<QAction*>("mnuMain"));
    }

    void browseListsTheExampleLineSorted() {
        const Flight ex = exampleFlight();
        Flight later = flown("10/2/98", "n5", "C172", 1);
        Flight upper = flown("A", "N1", "C172", 1);
        Flight lower = flown("a", "N0", "C172", 1);
        const QString path = useLogbook(logbookOf({ex, later, upper, lower}));
        auto* list = child<QListView>(Forms::show<frmLogBrowse>(), "lstLogBook");
        QCOMPARE(list->model()->rowCount(), 4);
        const QString expected =
            "3/15/98        " + QString(8, ' ') + "N123      " + QString(6, ' ') + "JFK" +
            QString(13, ' ') + "BOS" + QString(13, ' ') + " 2" + QString(17, ' ') + " 4" +
            QString(15, ' ') + " 1.2" + QString(12, ' ') + " 0" + QString(13, ' ') + " 0" +
            QString(13, ' ') + " 1.2" + QString(13, ' ') + " 1.2";
        const auto line = [list](int row) {
            return list->model()->index(row, 0).data().toString();
        };
        QCOMPARE(line(1), expected);
        QVERIFY(line(0).startsWith("10/2/98"));  // text order, not calendar order
        verifyHeadingsOverColumns(Forms::get<frmLogBrowse>(), 1);
        QVERIFY(line(2).startsWith("a       "));  // "a ... N0" before "A ... N1"
        QVERIFY(line(3).startsWith("A       "));
        QVERIFY(fileBytes(path) == logbookOf({ex, later, upper, lower}));
    }

    void browseListFillsTheWindowWithoutScrollingOrElision() {
        // A long everyday line: two-digit landings, hours of two decimals.
        Flight big = flown("12/31/1999", "N9999Z", "C172", 3.75f);
        big.instrApp = 2;
        big.landings = 12;
        big.day = 2.5f;
        big.night = 1.25f;
        big.dual = 0.5f;
        big.from = "ORH";
        big.to = "BED";
        Flight common = flown("1/1/98", "N1", "C172", 1.2f);
        common.from = "BED";
        common.to = "ORH";
        useLogbook(logbookOf({common, big}));
        auto* w = Forms::show<frmLogBrowse>();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(w->width() <= 1360 && w->height() <= 700);
        auto* list = child<QListView>(w, "lstLogBook");
        QCOMPARE(list->textElideMode(), Qt::ElideNone);
        QTRY_COMPARE(list->horizontalScrollBar()->maximum(), 0);
        // Every line's item is wide enough for the whole line.
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            const QModelIndex index = list->model()->index(i, 0);
            QVERIFY(list->visualRect(index).width() >
                    list->fontMetrics().horizontalAdvance(index.data().toString()));
        }
        verifyHeadingsOverColumns(w, 0);
        // The list grows with the window; the headings follow a sideways scroll.
        const QSize before = list->size();
        w->resize(w->width() + 200, w->height() + 150);
        QTRY_VERIFY(list->width() >= before.width() + 200 &&
                    list->height() >= before.height() + 150);
        w->resize(500, 300);
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        verifyHeadingsOverColumns(w, 0);
    }

    void browseReturnsToTheViewer() {
        useLogbook(logbookOf({flown("1/1/98", "N1", "C172", 1)}));
        Forms::show<frmLogBook>();
        Forms::show<frmLogBrowse>();
        Forms::hide<frmLogBook>();
        QTest::mouseClick(child<QPushButton>(Forms::get<frmLogBrowse>(), "Command1"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmLogBrowse>());
        QVERIFY(Forms::get<frmLogBook>()->isVisible());
        // The next opening builds the list afresh.
        useLogbook(logbookOf({flown("1/1/98", "N1", "C172", 1), flown("1/2/98", "N2", "C172", 1)}));
        QCOMPARE(child<QListView>(Forms::show<frmLogBrowse>(), "lstLogBook")->model()->rowCount(),
                 2);
    }

    // The totals and the list hide the viewer: closing either through its
    // frame must bring the viewer back as it was, not leave it hidden with no
    // window on screen.
    void closingTheFrameOfAWindowThatHidTheViewerBringsItBack() {
        const QString path = useLogbook(
            logbookOf({flown("1/1/98", "N1", "C172", 1), flown("1/2/98", "N2", "C172", 2)}));
        auto* v = Forms::show<frmLogBook>();
        child<QListView>(v, "lstDate")
            ->setCurrentIndex(child<QListView>(v, "lstDate")->model()->index(1, 0));
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("2"));

        QTest::mouseClick(child<QPushButton>(v, "cmdTotalTimes"), Qt::LeftButton);
        QVERIFY(!v->isVisible());
        Forms::get<frmTotalTime>()->close();
        QVERIFY(!Forms::isLoaded<frmTotalTime>());
        QVERIFY(Forms::isLoaded<frmLogBook>());
        QCOMPARE(Forms::get<frmLogBook>(), v);  // the same viewer, not a fresh one
        QVERIFY(v->isVisible());
        QCOMPARE(child<QLineEdit>(v, "txtTotal")->text(), QString("2"));

        QTest::mouseClick(child<QPushButton>(v, "cmdBrowse"), Qt::LeftButton);
        QVERIFY(!v->isVisible());
        Forms::get<frmLogBrowse>()->close();
        QVERIFY(!Forms::isLoaded<frmLogBrowse>());
        QCOMPARE(Forms::get<frmLogBook>(), v);
        QVERIFY(v->isVisible());
        QCOMPARE(child<QListView>(v, "lstDate")->model()->rowCount(), 2);

        // The buttons' own ways out still show the viewer only once.
        QTest::mouseClick(child<QPushButton>(v, "cmdTotalTimes"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(Forms::get<frmTotalTime>(), "cmdBackMenu"),
                          Qt::LeftButton);
        QVERIFY(!Forms::isLoaded<frmLogBook>());
        QVERIFY(Forms::get<frmMain>()->isVisible());
        QVERIFY(fileBytes(path) ==
                logbookOf({flown("1/1/98", "N1", "C172", 1), flown("1/2/98", "N2", "C172", 2)}));
    }

    void browsePrintsATableOverSeveralPages() {
        // Sixty flights with full-width dates and idents.
        std::vector<Flight> many;
        QStringList dates, idents;
        for (int i = 0; i < 60; ++i) {
            Flight f = flown(QString("11/%1/2026 1045").arg(i + 10).toStdString(),
                             QString("N%1").arg(100000000 + i).toStdString(), "C172", 1.1f);
            f.landings = 1421;
            f.from = "KBO";
            dates << QString::fromStdString(f.date);
            idents << QString::fromStdString(f.ident);
            many.push_back(f);
        }
        useLogbook(logbookOf(many));
        auto* w = Forms::show<frmLogBrowse>();
        const PrintPage::Page page = w->printPage();
        QCOMPARE(page.table.rows.size(), std::size_t(60));
        QCOMPARE(page.table.headings.size(), 11);
        const QString pdf = QDir::current().absoluteFilePath("list.pdf");
        PrintPage::setNextPdfPath(pdf);
        w->findChild<QAction*>("mnuPrint")->trigger();
        const QStringList pages = testsupport::pdfPageTexts(pdf);
        QVERIFY(pages.size() >= 2);
        QCOMPARE(pdfPages(pdf), int(pages.size()));
        int found = 0;
        for (int n = 0; n < pages.size(); ++n) {
            const QString& text = pages[n];
            // Every sheet: the headings whole, the footer with its number.
            for (const char* h :
                 {"Date", "Aircraft Ident", "Instr. App.", "Landings", "Total Time"})
                QVERIFY2(text.contains(h), h);
            QVERIFY(text.contains(QString("page %1 of %2").arg(n + 1).arg(pages.size())));
            QVERIFY(text.contains("pilot.log"));
            // A row stands whole on one line of one sheet.
            for (const QString& line : text.split('\n')) {
                for (int i = 0; i < 60; ++i) {
                    if (!line.contains(dates[i])) continue;
                    ++found;
                    QVERIFY2(
                        line.contains(idents[i]) && line.contains("1421") && line.contains("KBO"),
                        qPrintable(line));
                }
            }
        }
        QCOMPARE(found, 60);
    }

    // ---- Damaged logbooks in every report window ----

    void hostileLogbooksNeverCrashAndAreNeverWritten() {
        for (const auto& [what, bytes] : hostileLogbooks(mdy(kToday))) {
            const QString path = useLogbook(bytes);
            auto* t = Forms::show<frmTotalTime>();
            QTest::mouseClick(child<QCheckBox>(t, "chkIdent"), Qt::LeftButton);
            QTest::keyClicks(child<QComboBox>(t, "cmbIdent")->lineEdit(), "N1");
            QTest::mouseClick(child<QCheckBox>(t, "chkType"), Qt::LeftButton);
            QTest::keyClicks(child<QComboBox>(t, "cmbType")->lineEdit(), "C");
            t->printPage();
            Forms::unload<frmTotalTime>();
            auto* c = Forms::show<frmCurrent>();
            c->printPage();
            Forms::unload<frmCurrent>();
            auto* b = Forms::show<frmLogBrowse>();
            b->printPage();
            Forms::unload<frmLogBrowse>();
            QVERIFY2(fileBytes(path) == bytes, what);
        }
        // What the damaged records show.
        const auto all = hostileLogbooks(mdy(kToday));
        useLogbook(all[5].second);
        auto* t = Forms::show<frmTotalTime>();
        QCOMPARE(child<QLineEdit>(t, "txtDay")->text(), QString("NaN"));
        QCOMPARE(child<QLineEdit>(t, "txtNight")->text(), QString("Infinity"));
        QCOMPARE(child<QComboBox>(t, "cmbIdent")->itemText(0), QString("N"));  // ends at the NUL
        auto* list = child<QListView>(Forms::show<frmLogBrowse>(), "lstLogBook");
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(list->model()->index(1, 0).data().toString().startsWith(
            QString::fromUtf8("\xC3\xA9 \xC3\xA9 98")));
        QVERIFY(list->model()->index(1, 0).data().toString().contains("-Infinity"));
        QCOMPARE(child<QLineEdit>(Forms::show<frmCurrent>(), "txtDayLandings")->text(),
                 QString("1"));
        useLogbook(all[2].second);  // LastRecord 32767 on a file of two flights
        Forms::unload<frmLogBrowse>();
        QCOMPARE(child<QListView>(Forms::show<frmLogBrowse>(), "lstLogBook")->model()->rowCount(),
                 2);
    }
};

AEROKIT_WINDOW_TEST_MAIN(ReportsWindowsTest)
#include "logbook_reports_window_test.moc"
