// Aerokit: a pilot's logbook, preflight planner and weight-and-balance tool.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "shell/Forms.h"
#include "shell/TerminationSignals.h"
#include "shell/Tools.h"
#include "shell/Version.h"
#include "shell/frmSplash.h"
#include "shell/modLog.h"

#if __has_include("logbook/frmMain.h")
#include "logbook/frmMain.h"
#define AEROKIT_HAS_LOGBOOK 1
#endif
#if __has_include("planner/frmPlanner.h")
#include "planner/frmPlanner.h"
#define AEROKIT_HAS_PLANNER 1
#endif
#if __has_include("wandb/frmWandB.h")
#include "wandb/frmWandB.h"
#define AEROKIT_HAS_WANDB 1
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "aerokit: no display is available (DISPLAY is not set).\n"
                     "Start it on a desktop, or under a virtual X server:\n"
                     "    xvfb-run -a ./build/app/aerokit\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Aerokit");
    QApplication::setApplicationVersion(Version::Number);
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName("io.github.aerokit.Aerokit");

#ifdef AEROKIT_HAS_LOGBOOK
    Tools::openLogbook = [] { Forms::show<frmMain>(); };
#endif
#ifdef AEROKIT_HAS_PLANNER
    Tools::openPlanner = [] { Forms::show<frmPlanner>(); };
#endif
#ifdef AEROKIT_HAS_WANDB
    Tools::openWandB = [] { Forms::show<frmWandB>(); };
#endif

    // The help file lies beside the program; set before any window shows.
    modLog::HelpFilePath =
        QDir::toNativeSeparators(QApplication::applicationDirPath() + "/Aerokit.hlp");
    TerminationSignals::endProgramOnSignal();
    Forms::show<frmSplash>();
    return app.exec();
}
