// The logbook windows on a logbook of 32766 flights, offscreen, timed as the
// pilot waits: from the click being handled until the window the click
// brings up (or the list it changes) has been drawn with its rows, the event
// loop having run. A removal is set beside a synced plain copy of the same
// file made in the same run, one copy before each removal. The whole set runs
// three times and ends with the worst of the three against each target; then
// the start of the program to its main menu drawn, and the peak memory of a
// process that shows that logbook in the viewer.
//
//   logbook_window_bench [rounds]   times the windows (and starts itself for the start-up time)
//   logbook_window_bench memory F   opens logbook F in the viewer, prints the peak
//   logbook_window_bench startup    runs as the program starts, prints when the menu is drawn
//   logbook_window_bench profile A  does action A (open, browse, key, remove) once warm and
//                                   once instrumented, for valgrind --tool=callgrind
//                                   --collect-atstart=no
#include <unistd.h>
#include <valgrind/callgrind.h>

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
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BenchLogbook.h"
#include "logbook/frmCurrent.h"
#include "logbook/frmLogBook.h"
#include "logbook/frmLogBrowse.h"
#include "logbook/frmMain.h"
#include "logbook/frmTotalTime.h"
#include "shell/FileDialog.h"
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

struct Samples {
    std::vector<double> wall, cpu;
    Timing medians() const { return {median(wall), median(cpu)}; }
};

// Notes when a widget that `drawn` picks receives its paint event. Widgets
// are drawn when the event loop flushes the window, all of a window in one
// go, so once the event loop returns after that paint the window is on the
// screen with its rows.
class PaintWatch : public QObject {
  public:
    std::function<bool(QWidget*)> drawn;
    bool painted = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->isWidgetType() && drawn(static_cast<QWidget*>(o)))
            painted = true;
        return QObject::eventFilter(o, e);
    }
};

// The viewport of the list named `name` (which the click may create).
std::function<bool(QWidget*)> listDrawn(const char* name) {
    return [name](QWidget* w) {
        const QWidget* p = w->parentWidget();
        return p && p->objectName() == QLatin1String(name) && w->isVisible() &&
               w == static_cast<const QAbstractScrollArea*>(p)->viewport();
    };
}

// Any widget of the window named `name`.
std::function<bool(QWidget*)> windowDrawn(const char* name) {
    return [name](QWidget* w) { return w->window()->objectName() == QLatin1String(name); };
}

// Times `click` until a widget `drawn` picks has been drawn; adds wall and CPU time.
void timeToDrawn(Samples& s, const std::function<void()>& click,
                 const std::function<bool(QWidget*)>& drawn, int timeoutMs = 5000) {
    PaintWatch watch;
    watch.drawn = drawn;
    qApp->installEventFilter(&watch);
    QElapsedTimer t;
    const double c0 = cpuMs();
    t.start();
    click();
    while (!watch.painted && t.elapsed() < timeoutMs) QApplication::processEvents();
    s.wall.push_back(sinceMs(t));
    s.cpu.push_back(cpuMs() - c0);
    qApp->removeEventFilter(&watch);
    if (!watch.painted)
        std::fprintf(stderr, "warning: nothing was drawn within %d ms\n", timeoutMs);
}

struct CopyTiming {
    double wall, cpu;
};

CopyTiming timedCopy(const std::string& path, const std::string& copy) {
    QElapsedTimer t;
    const double c0 = cpuMs();
    t.start();
    benchlog::copySynced(path, copy);
    const CopyTiming r{sinceMs(t), cpuMs() - c0};
    std::remove(copy.c_str());
    return r;
}

void key(QWidget* w, int k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void selectRow(QListView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

struct Line {
    std::string what;
    Timing t;
    double target;  // ms, or a ratio to the synced copy
    bool ratioTarget;
    double base = 0;  // the synced copy's wall time, for a ratio target
};

bool met(const Line& l, double v) { return l.ratioTarget ? v / l.base <= l.target : v <= l.target; }

std::string targetText(const Line& l) {
    char t[40];
    if (l.ratioTarget)
        std::snprintf(t, sizeof t, "<= %.1fx synced copy", l.target);
    else
        std::snprintf(t, sizeof t, "<= %g ms", l.target);
    return t;
}

void printHeader() {
    std::printf("%-44s %9s %9s %8s  %-22s %s\n", "action (click until drawn)", "wall ms", "cpu ms",
                "ratio", "target", "wall");
}

void print(const Line& l) {
    char ratio[16] = "";
    if (l.ratioTarget) std::snprintf(ratio, sizeof ratio, "%.2fx", l.t.wall / l.base);
    std::printf("%-44s %9.2f %9.2f %8s  %-22s %s\n", l.what.c_str(), l.t.wall, l.t.cpu, ratio,
                targetText(l).c_str(), met(l, l.t.wall) ? "met" : "MISSED");
}

// The program's own start: the splash, a key that dismisses it as soon as it
// is drawn, then the main menu; prints the monotonic clock when the menu has
// been painted.
class ExposeWatch : public QObject {
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
    ExposeWatch watch;
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

frmLogBook* viewerShown() {
    auto* viewer = Forms::show<frmLogBook>();
    settle();
    return viewer;
}

// One round of every window action on a fresh logbook at `file`.
std::vector<Line> round(const std::string& file, int& listed, int& dated) {
    benchlog::writeLogbook(file);
    std::vector<Line> lines;

    // Opening the viewer: the file chosen in frmMain's dialog, frmLogBook
    // built, its dates listed and the window drawn.
    Samples open;
    for (int i = 0; i < kRuns; ++i) {
        auto* main = Forms::show<frmMain>();
        settle();
        FileDialog::setNextFileName(QString::fromStdString(file));
        timeToDrawn(
            open, [main] { main->cmdOpenLog->click(); }, listDrawn("lstDate"));
        dated = Forms::get<frmLogBook>()->lstDate->model()->rowCount();
        Forms::unload<frmLogBook>();
        settle();
    }
    lines.push_back({"open the viewer (file chosen -> frmLogBook)", open.medians(), 16, false});

    // Choosing the last date: the flight found by its date and shown.
    auto* viewer = viewerShown();
    const int last = viewer->lstDate->model()->rowCount() - 1;
    Samples select;
    for (int i = 0; i < kRuns; ++i) {
        selectRow(viewer->lstDate, 0);
        settle();
        timeToDrawn(
            select, [&] { selectRow(viewer->lstDate, last); }, windowDrawn("frmLogBook"));
    }
    lines.push_back({"select the last date, show that flight", select.medians(), 16, false});

    Samples totalsOpen;
    for (int i = 0; i < kRuns; ++i) {
        viewer = viewerShown();
        timeToDrawn(
            totalsOpen, [viewer] { viewer->cmdTotalTimes->click(); }, windowDrawn("frmTotalTime"));
        Forms::unload<frmTotalTime>();
        settle();
    }
    lines.push_back({"open frmTotalTime (cmdTotalTimes)", totalsOpen.medians(), 16, false});

    // One keystroke in the totals filter: the Change step over every flight,
    // the sums drawn.
    auto* totals = Forms::show<frmTotalTime>();
    settle();
    totals->findChild<QCheckBox*>("chkIdent")->click();
    QLineEdit* edit = totals->findChild<QComboBox*>("cmbIdent")->lineEdit();
    edit->setFocus();
    edit->clear();
    settle();
    Samples keys;
    const QString typed = QString::fromStdString(benchlog::commonIdent());
    for (int r = 0; r < 4; ++r) {
        for (QChar c : typed) {
            const int k = c.isDigit() ? Qt::Key_0 + c.digitValue()
                                      : Qt::Key_A + (c.toUpper().unicode() - 'A');
            timeToDrawn(
                keys, [&] { key(edit, k, c); }, windowDrawn("frmTotalTime"));
        }
        for (qsizetype i = 0; i < typed.size(); ++i)
            timeToDrawn(
                keys, [&] { key(edit, Qt::Key_Backspace, "\b"); }, windowDrawn("frmTotalTime"));
    }
    lines.push_back({"one keystroke in cmbIdent (totals drawn)", keys.medians(), 4, false});
    Forms::unload<frmTotalTime>();
    settle();

    Samples current;
    for (int i = 0; i < kRuns; ++i) {
        viewer = viewerShown();
        timeToDrawn(
            current, [viewer] { viewer->cmdCurrent->click(); }, windowDrawn("frmCurrent"));
        Forms::unload<frmCurrent>();
        settle();
    }
    lines.push_back({"open frmCurrent (cmdCurrent)", current.medians(), 16, false});

    // The abbreviated list: every flight sorted, the rows in sight drawn.
    Samples browse;
    for (int i = 0; i < kRuns; ++i) {
        viewer = viewerShown();
        timeToDrawn(
            browse, [viewer] { viewer->cmdBrowse->click(); }, listDrawn("lstLogBook"));
        listed = Forms::get<frmLogBrowse>()->lstLogBook->model()->rowCount();
        Forms::unload<frmLogBrowse>();
        settle();
    }
    lines.push_back({"open frmLogBrowse (cmdBrowse)", browse.medians(), 16, false});

    // One removal through the viewer, answered Yes, until the list is drawn
    // without it; before each, a synced plain copy of the same file.
    viewer = viewerShown();
    Samples removal;
    std::vector<double> copyWall;
    for (int i = 0; i < kRuns; ++i) {
        selectRow(viewer->lstDate, viewer->lstDate->model()->rowCount() - 1);
        settle();
        copyWall.push_back(timedCopy(file, file + ".copy").wall);
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        timeToDrawn(
            removal, [viewer] { viewer->cmddelete->click(); }, listDrawn("lstDate"));
    }
    Line l{"one removal (Yes -> list drawn)", removal.medians(), 1.5, true, median(copyWall)};
    lines.push_back(l);
    lines.push_back(
        {"  synced plain copy of the file (baseline)", {median(copyWall), 0}, 0, false});
    Forms::unload<frmLogBook>();
    settle();
    return lines;
}

// One action done once to warm up and once more between callgrind's
// start and stop of instrumentation.
int profileMode(const std::string& file, const std::string& action) {
    benchlog::writeLogbook(file);
    modLog::LogPath = QString::fromStdString(file);
    for (int pass = 0; pass < 2; ++pass) {
        std::function<void()> click;
        std::function<bool(QWidget*)> drawn;
        std::function<void()> after;
        if (action == "open") {
            auto* main = Forms::show<frmMain>();
            settle();
            FileDialog::setNextFileName(QString::fromStdString(file));
            click = [main] { main->cmdOpenLog->click(); };
            drawn = listDrawn("lstDate");
            after = [] { Forms::unload<frmLogBook>(); };
        } else if (action == "browse") {
            auto* viewer = viewerShown();
            click = [viewer] { viewer->cmdBrowse->click(); };
            drawn = listDrawn("lstLogBook");
            after = [] { Forms::unload<frmLogBrowse>(); };
        } else if (action == "remove") {
            auto* viewer = viewerShown();
            selectRow(viewer->lstDate, viewer->lstDate->model()->rowCount() - 1);
            settle();
            MessageBox::setNextAnswer(MessageBox::Answer::Yes);
            click = [viewer] { viewer->cmddelete->click(); };
            drawn = listDrawn("lstDate");
        } else if (action == "key") {
            auto* totals = Forms::show<frmTotalTime>();
            settle();
            if (pass == 0) totals->findChild<QCheckBox*>("chkIdent")->click();
            QLineEdit* edit = totals->findChild<QComboBox*>("cmbIdent")->lineEdit();
            edit->setFocus();
            edit->setText("N12");
            settle();
            click = [edit] { key(edit, Qt::Key_3, "3"); };
            drawn = windowDrawn("frmTotalTime");
        } else {
            std::fprintf(stderr, "unknown action %s\n", action.c_str());
            return 2;
        }
        Samples s;
        if (pass == 1) CALLGRIND_START_INSTRUMENTATION;
        timeToDrawn(s, click, drawn, 120000);  // valgrind runs it some 50 times slower
        if (pass == 1) CALLGRIND_STOP_INSTRUMENTATION;
        std::printf("%s: %.2f ms wall, %.2f ms cpu\n", action.c_str(), s.wall[0], s.cpu[0]);
        if (after) after();
        settle();
    }
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
    const QString dir0 = qEnvironmentVariable("AEROKIT_BENCH_DIR", "bench-data");
    if (argc >= 3 && std::strcmp(argv[1], "profile") == 0) {
        QDir().mkpath(dir0);
        return profileMode(QDir(dir0).absoluteFilePath("profile.log").toStdString(), argv[2]);
    }
    const int rounds = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 3;

    const QString dir = qEnvironmentVariable("AEROKIT_BENCH_DIR", "bench-data");
    QDir().mkpath(dir);
    const std::string file = QDir(dir).absoluteFilePath("windows.log").toStdString();

    // Warm up once (fonts, styles, the file in the page cache), untimed.
    int listed = 0, dated = 0;
    round(file, listed, dated);

    std::vector<std::vector<Line>> all;
    for (int r = 1; r <= rounds; ++r) {
        all.push_back(round(file, listed, dated));
        std::printf("round %d of %d (medians of %d runs; %d dates, %d lines listed; load %s)\n", r,
                    rounds, kRuns, dated, listed, [] {
                        static char load[64] = "?";
                        if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
                            if (!std::fgets(load, sizeof load, f)) load[0] = 0;
                            std::fclose(f);
                            load[std::strcspn(load, "\n")] = 0;
                        }
                        return load;
                    }());
        printHeader();
        for (const Line& l : all.back()) {
            if (l.target > 0)
                print(l);
            else
                std::printf("%-44s %9.2f\n", l.what.c_str(), l.t.wall);
        }
        std::printf("\n");
    }

    std::printf("worst of the %d rounds (wall time; met in how many rounds)\n", rounds);
    std::printf("%-44s %9s %9s  %-22s %s\n", "action (click until drawn)", "wall ms", "cpu ms",
                "target", "met");
    for (std::size_t i = 0; i < all.front().size(); ++i) {
        const Line& first = all.front()[i];
        if (first.target <= 0) continue;
        double worst = 0, worstCpu = 0, worstRatio = 0;
        int metIn = 0;
        for (const auto& r : all) {
            const Line& l = r[i];
            worst = std::max(worst, l.t.wall);
            worstCpu = std::max(worstCpu, l.t.cpu);
            if (l.ratioTarget) worstRatio = std::max(worstRatio, l.t.wall / l.base);
            metIn += met(l, l.t.wall) ? 1 : 0;
        }
        char shown[32];
        if (first.ratioTarget)
            std::snprintf(shown, sizeof shown, "%.2fx", worstRatio);
        else
            std::snprintf(shown, sizeof shown, "%.2f", worst);
        std::printf("%-44s %9s %9.2f  %-22s %d of %d\n", first.what.c_str(), shown, worstCpu,
                    targetText(first).c_str(), metIn, rounds);
    }
    const double start = startToMenu(argv[0]);
    std::printf("%-44s %9.2f %9s  %-22s %s\n", "start to the main menu drawn", start, "",
                "<= 150 ms", start <= 150 ? "met" : "MISSED");
    std::printf("(peak memory of this timing run %.1f MiB)\n", benchlog::peakMemoryMiB());
    std::remove(file.c_str());
    benchlog::writeLogbook(file);  // whole again for the memory run
    return 0;
}
