// Aerokit: a pilot's logbook, preflight planner and weight-and-balance tool.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "logbook/frmMain.h"
#include "planner/frmPlanner.h"
#include "shell/Forms.h"
#include "shell/Keyboard.h"
#include "shell/TerminationSignals.h"
#include "shell/ToolLaunch.h"
#include "shell/Version.h"
#include "shell/frmSplash.h"
#include "shell/modLog.h"
#include "wandb/frmWandB.h"

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
    // The program ends only through its exit confirmation.
    QApplication::setQuitOnLastWindowClosed(false);

    ToolLaunch::openLogbook = [] { Forms::show<frmMain>(); };
    ToolLaunch::openPlanner = [] { Forms::show<frmPlanner>(); };
    ToolLaunch::openWandB = [] { Forms::show<frmWandB>(); };

    // The help file lies beside the program; set before any window shows.
    modLog::HelpFilePath =
        QDir::toNativeSeparators(QApplication::applicationDirPath() + "/Aerokit.hlp");
    TerminationSignals::endProgramOnSignal();
    // F1, Enter and Esc work from the first window on, the splash included.
    Keyboard::install();
    Forms::show<frmSplash>();
    return app.exec();
}
