// The logbook windows on a logbook of 32766 flights, offscreen: opening the
// viewer, one keystroke in the totals filter, opening the abbreviated list,
// and the peak memory of a process that shows that logbook in the viewer.
//
//   logbook_window_bench            times the windows
//   logbook_window_bench memory F   opens logbook F in the viewer, prints the peak
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchLogbook.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmTotalTime.h"
#include "shell/Forms.h"
#include "shell/modLog.h"

namespace {

void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

struct Stats {
    double first = 0, median = 0, max = 0;
};

Stats stats(std::vector<double> v) {
    Stats s;
    s.first = v.front();
    std::sort(v.begin(), v.end());
    s.median = v[v.size() / 2];
    s.max = v.back();
    return s;
}

void report(const char* what, const Stats& s, double targetMs) {
    std::printf("%-34s first %8.2f ms  median %8.2f ms  max %8.2f ms  target < %.0f ms  %s\n", what,
                s.first, s.median, s.max, targetMs, s.median < targetMs ? "met" : "MISSED");
}

void key(QWidget* w, int k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

int memoryMode(const QString& path) {
    modLog::LogPath = path;
    auto* viewer = Forms::show<frmLogBook>();
    settle();
    const int dates = viewer->findChild<QListWidget*>("lstDate")->count();
    std::printf(
        "peak memory with the logbook in the viewer: %.1f MiB (%d dates listed)  target < 150 MiB  "
        "%s\n",
        benchlog::peakMemoryMiB(), dates, benchlog::peakMemoryMiB() < 150 ? "met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc >= 3 && std::strcmp(argv[1], "memory") == 0)
        return memoryMode(QString::fromLocal8Bit(argv[2]));

    const QString dir = qEnvironmentVariable("AEROKIT_BENCH_DIR", "bench-data");
    QDir().mkpath(dir);
    const QString path = QDir(dir).absoluteFilePath("windows.log");
    benchlog::writeLogbook(path.toStdString());
    modLog::LogPath = path;

    // Opening the viewer: build its date list and show it.
    std::vector<double> open;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        Forms::show<frmLogBook>();
        QApplication::processEvents();
        open.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        Forms::unload<frmLogBook>();
        settle();
    }
    report("open the viewer frmLogBook", stats(open), 250);

    // One keystroke in the totals filter: the Change step over every flight.
    Forms::show<frmLogBook>();
    auto* totals = Forms::show<frmTotalTime>();
    Forms::hide<frmLogBook>();
    settle();
    totals->findChild<QCheckBox*>("chkIdent")->click();
    QLineEdit* edit = totals->findChild<QComboBox*>("cmbIdent")->lineEdit();
    edit->setFocus();
    edit->clear();
    settle();
    std::vector<double> keys;
    const QString typed = QString::fromStdString(benchlog::commonIdent());
    for (int round = 0; round < 4; ++round) {
        for (QChar c : typed) {
            QElapsedTimer t;
            t.start();
            key(edit,
                c.isDigit() ? Qt::Key_0 + c.digitValue()
                            : Qt::Key_A + (c.toUpper().unicode() - 'A'),
                c);
            QApplication::processEvents();
            keys.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QElapsedTimer t;
            t.start();
            key(edit, Qt::Key_Backspace, "\b");
            QApplication::processEvents();
            keys.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
    }
    report("one keystroke in the totals filter", stats(keys), 16);
    Forms::unload<frmTotalTime>();
    settle();

    // Opening the abbreviated list: 32766 lines built, sorted and listed.
    std::vector<double> browse;
    int lines = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        auto* w = Forms::show<frmLogBrowse>();
        QApplication::processEvents();
        browse.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        lines = w->findChild<QListWidget*>("lstLogBook")->count();
        Forms::unload<frmLogBrowse>();
        settle();
    }
    report("open the abbreviated list", stats(browse), 500);
    std::printf("(%d lines listed; peak memory of this timing run %.1f MiB)\n", lines,
                benchlog::peakMemoryMiB());
    Forms::unload<frmLogBook>();
    settle();
    return 0;
}
