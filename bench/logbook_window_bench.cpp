// The logbook windows on a logbook of 32766 flights, offscreen, each action
// timed to the end of the events it causes (painting included) and set
// beside a plain read and a synced plain copy of the same file in the same
// run; the start of the program to its main menu drawn; and the peak memory
// of a process that shows that logbook in the viewer.
//
//   logbook_window_bench            times the windows (and starts itself for the start-up time)
//   logbook_window_bench memory F   opens logbook F in the viewer, prints the peak
//   logbook_window_bench startup    runs as the program starts, prints when the menu is drawn
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <vector>

#include "BenchLogbook.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmTotalTime.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/frmMenu.h"
#include "shell/frmSplash.h"
#include "shell/modLog.h"

namespace {

constexpr int kRuns = 7;

void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

double sinceMs(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// CPU time of this thread: on a machine shared with other work the wall
// time also holds the waits for a core, the CPU time does not.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Timing {
    double wall = 0, cpu = 0;
};

Timing medians(std::vector<double> wall, std::vector<double> cpu) {
    return {median(std::move(wall)), median(std::move(cpu))};
}

// Runs `prepare` untimed and `action` timed (to the end of the events it
// posts), `runs` times; the medians.
Timing timed(int runs, const std::function<void()>& action,
             const std::function<void()>& prepare = {}, const std::function<void()>& after = {}) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        action();
        QApplication::processEvents();
        wall.push_back(sinceMs(t));
        cpu.push_back(cpuMs() - c0);
        if (after) after();
    }
    return medians(wall, cpu);
}

double plainRead(const std::string& path) {
    std::vector<char> buf(64 * 1024);
    std::vector<double> ms;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::size_t total = 0, n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) total += n;
        std::fclose(f);
        ms.push_back(sinceMs(t));
        if (total == 0) std::abort();
    }
    return median(ms);
}

double plainCopySynced(const std::string& path, const std::string& copy) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        benchlog::copySynced(path, copy);
        ms.push_back(sinceMs(t));
        std::remove(copy.c_str());
    }
    return median(ms);
}

void key(QWidget* w, int k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void selectRow(QListView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

struct Line {
    const char* what;
    Timing t;
    double base;
    const char* baseName;
    double target;  // ms, or a ratio to the baseline when base > 0
    bool ratioTarget;
};

void print(const Line& l) {
    const double ratio = l.base > 0 ? l.t.wall / l.base : 0;
    auto met = [&](double v) { return l.ratioTarget ? v / l.base <= l.target : v <= l.target; };
    char target[32];
    if (l.ratioTarget)
        std::snprintf(target, sizeof target, "<= %.1fx %s", l.target, l.baseName);
    else
        std::snprintf(target, sizeof target, "<= %.0f ms", l.target);
    std::printf("%-40s %9.2f %9.2f %8.1fx %-5s %-15s %-6s %s\n", l.what, l.t.wall, l.t.cpu, ratio,
                l.baseName, target, met(l.t.wall) ? "met" : "MISSED",
                l.t.cpu > 0 ? (met(l.t.cpu) ? "met" : "MISSED") : "-");
}

// The program's own start: the splash, a key that dismisses it as soon as it
// is drawn, then the main menu; prints the monotonic clock when the menu has
// been painted.
class PaintWatch : public QObject {
  public:
    QWidget* window = nullptr;
    bool painted = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        // A widget window draws its widgets into the backing store when it
        // is exposed or asked to update.
        if ((e->type() == QEvent::Expose || e->type() == QEvent::UpdateRequest) &&
            o == window->windowHandle())
            painted = true;
        return QObject::eventFilter(o, e);
    }
};

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Waits until `w`, shown by `show`, has been exposed and drawn.
template <class Show>
void showAndWaitForPaint(QWidget* w, Show show) {
    PaintWatch watch;
    watch.window = w;
    qApp->installEventFilter(&watch);
    show();
    QElapsedTimer t;
    t.start();
    while (!watch.painted && t.elapsed() < 10000) QApplication::processEvents();
    QApplication::processEvents();  // the event that drew it has been handled
    qApp->removeEventFilter(&watch);
}

int startupMode(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Aerokit");
    auto* splash = Forms::get<frmSplash>();
    showAndWaitForPaint(splash, [] { Forms::show<frmSplash>(); });
    showAndWaitForPaint(Forms::get<frmMenu>(), [&] { key(splash, Qt::Key_Space, " "); });
    std::printf("%lld\n", monotonicNs());
    return 0;
}

double startToMenu(const char* self) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QProcess p;
        const long long start = monotonicNs();
        p.start(QString::fromLocal8Bit(self), {"startup"});
        p.waitForFinished(30000);
        const long long drawn = p.readAllStandardOutput().trimmed().toLongLong();
        ms.push_back(static_cast<double>(drawn - start) / 1e6);
    }
    return median(ms);
}

int memoryMode(const QString& path) {
    modLog::LogPath = path;
    auto* viewer = Forms::show<frmLogBook>();
    settle();
    const int dates = viewer->lstDate->model()->rowCount();
    const double mib = benchlog::peakMemoryMiB();
    std::printf("%-44s %9.1f MiB (%d dates listed)  <= 64 MiB  %s\n",
                "peak memory, that logbook in the viewer", mib, dates,
                mib <= 64 ? "met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 2 && std::strcmp(argv[1], "startup") == 0) return startupMode(argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc >= 3 && std::strcmp(argv[1], "memory") == 0)
        return memoryMode(QString::fromLocal8Bit(argv[2]));

    const QString dir = qEnvironmentVariable("AEROKIT_BENCH_DIR", "bench-data");
    QDir().mkpath(dir);
    const QString path = QDir(dir).absoluteFilePath("windows.log");
    const std::string file = path.toStdString();
    benchlog::writeLogbook(file);
    modLog::LogPath = path;

    const double read = plainRead(file);
    std::vector<Line> lines;
    auto ms = [&](const char* what, Timing v, double targetMs) {
        lines.push_back({what, v, read, "read", targetMs, false});
    };

    // Opening the viewer: its date list built and the window drawn.
    ms("open the viewer frmLogBook",
       timed(
           kRuns, [] { Forms::show<frmLogBook>(); }, {},
           [] {
               Forms::unload<frmLogBook>();
               settle();
           }),
       16);

    // Choosing the last date: the flight found by its date and shown.
    auto* viewer = Forms::show<frmLogBook>();
    settle();
    const int last = viewer->lstDate->model()->rowCount() - 1;
    ms("select the last date, show that flight",
       timed(
           kRuns, [&] { selectRow(viewer->lstDate, last); },
           [&] {
               selectRow(viewer->lstDate, 0);
               settle();
           }),
       16);

    ms("open frmTotalTime",
       timed(
           kRuns, [] { Forms::show<frmTotalTime>(); }, {},
           [] {
               Forms::unload<frmTotalTime>();
               settle();
           }),
       16);

    // One keystroke in the totals filter: the Change step over every flight.
    auto* totals = Forms::show<frmTotalTime>();
    settle();
    totals->findChild<QCheckBox*>("chkIdent")->click();
    QLineEdit* edit = totals->findChild<QComboBox*>("cmbIdent")->lineEdit();
    edit->setFocus();
    edit->clear();
    settle();
    std::vector<double> keys, keysCpu;
    const QString typed = QString::fromStdString(benchlog::commonIdent());
    for (int round = 0; round < 4; ++round) {
        for (QChar c : typed) {
            QElapsedTimer t;
            const double c0 = cpuMs();
            t.start();
            key(edit,
                c.isDigit() ? Qt::Key_0 + c.digitValue()
                            : Qt::Key_A + (c.toUpper().unicode() - 'A'),
                c);
            QApplication::processEvents();
            keys.push_back(sinceMs(t));
            keysCpu.push_back(cpuMs() - c0);
        }
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QElapsedTimer t;
            const double c0 = cpuMs();
            t.start();
            key(edit, Qt::Key_Backspace, "\b");
            QApplication::processEvents();
            keys.push_back(sinceMs(t));
            keysCpu.push_back(cpuMs() - c0);
        }
    }
    ms("one keystroke in the totals filter", medians(keys, keysCpu), 4);
    Forms::unload<frmTotalTime>();
    settle();

    ms("open frmCurrent",
       timed(
           kRuns, [] { Forms::show<frmCurrent>(); }, {},
           [] {
               Forms::unload<frmCurrent>();
               settle();
           }),
       16);

    // The abbreviated list: 32766 lines built, sorted and listed.
    int listed = 0;
    ms("open frmLogBrowse (32766 lines sorted)",
       timed(
           kRuns, [] { Forms::show<frmLogBrowse>(); }, {},
           [&] {
               listed = Forms::get<frmLogBrowse>()->lstLogBook->model()->rowCount();
               Forms::unload<frmLogBrowse>();
               settle();
           }),
       16);

    // One removal through the viewer (answered Yes) beside a synced copy.
    const double copy = plainCopySynced(file, file + ".copy");
    viewer = Forms::show<frmLogBook>();
    settle();
    const Timing removal = timed(
        kRuns,
        [&] {
            MessageBox::setNextAnswer(MessageBox::Answer::Yes);
            viewer->cmddelete_Click();
        },
        [&] {
            selectRow(viewer->lstDate, viewer->lstDate->model()->rowCount() - 1);
            settle();
        });
    // The copy's CPU time is not measured: the removal's is shown beside its wall time only.
    lines.push_back({"one removal in the viewer", {removal.wall, 0}, copy, "copy", 1.5, true});
    const double removalCpu = removal.cpu;
    Forms::unload<frmLogBook>();
    settle();
    const double timingPeak = benchlog::peakMemoryMiB();

    ms("start to the main menu drawn", {startToMenu(argv[0]), 0}, 150);

    std::printf(
        "plain read of the same file: %.3f ms; synced plain copy: %.2f ms; "
        "medians of %d runs\n",
        read, copy, kRuns);
    std::printf("%-40s %9s %9s %9s %-5s %-15s %-6s %s\n", "action", "wall ms", "cpu ms", "ratio",
                "to", "target", "wall", "cpu");
    for (const Line& l : lines) print(l);
    std::printf(
        "(removal CPU time %.2f ms; %d lines listed; peak memory of this timing run %.1f MiB)\n",
        removalCpu, listed, timingPeak);
    std::remove(file.c_str());
    benchlog::writeLogbook(file);  // whole again for the memory run
    return 0;
}
