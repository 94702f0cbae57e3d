#include "shell/modLog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "shell/HelpViewer.h"

namespace modLog {

QString HelpFilePath;
QString LogPath;
std::int16_t LogRecLen = 420;
QString PlanPath;
std::int16_t PlanRecLen = 1006;
std::int16_t AircraftRecLen = 290;

void ShowHelp() {
    HelpViewer::installF1Handler();
    QWidget* target = QApplication::activeWindow();
    if (!target) target = QApplication::focusWidget();
    if (!target) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                target = w;
                break;
            }
    }
    if (!target) {
        HelpViewer::open(HelpFilePath);
        return;
    }
    if (QWidget* f = target->focusWidget()) target = f;
    // sendEvent is synchronous: the key has been handled when it returns.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace modLog
