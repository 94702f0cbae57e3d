// Support for window tests: a main that runs a Qt Test class headless in a
// fresh temporary working directory, lookups of controls by objectName, and
// modal windows answered while they are shown.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/Forms.h"

namespace testsupport {

void keepStandIn(QObject* standIn);

// The control named name inside window. When it is absent the test fails,
// naming it, and an unnamed stand-in of type T comes back so the rest of the
// test function runs harmlessly instead of crashing the whole binary.
template <class T>
T* child(QObject* window, const QString& name) {
    if (T* c = window ? window->findChild<T*>(name) : nullptr) return c;
    QTest::qFail(qPrintable(QString("no control %1 (%2)")
                                .arg(name, QString::fromLatin1(T::staticMetaObject.className()))),
                 __FILE__, __LINE__);
    T* standIn = new T();
    keepStandIn(standIn);
    return standIn;
}

// The name of the control Tab moves to from w (inner parts of w itself, such
// as a combo box's line edit, do not count).
inline QString nextTabStop(QWidget* w) {
    QWidget* n = w->nextInFocusChain();
    while (n && n != w && (w->isAncestorOf(n) || !(n->focusPolicy() & Qt::TabFocus)))
        n = n->nextInFocusChain();
    return n ? n->objectName() : QString();
}

// Whether a whenShown action ran; the test checks it after showing the
// window, so a window that never opened fails instead of skipping its checks.
class Shown {
  public:
    bool ran() const { return *ran_; }

  private:
    template <class T>
    friend Shown whenShown(std::function<void(T*)> act);
    std::shared_ptr<bool> ran_ = std::make_shared<bool>(false);
};

// Runs act on window T once the event loop of its modal showing runs. When
// a check in act fails, the window is hidden so its loop ends and the failure
// is reported at once.
template <class T>
[[nodiscard]] Shown whenShown(std::function<void(T*)> act) {
    Shown shown;
    QTimer::singleShot(0, [act, ran = shown.ran_] {
        if (!Forms::isLoaded<T>()) return;
        *ran = true;
        act(Forms::get<T>());
        if (QTest::currentTestFailed() && Forms::isLoaded<T>()) Forms::get<T>()->hide();
    });
    return shown;
}

// Fresh registry, message box and dialog queues, clipboard and working dir
// contents between test functions.
void resetShell();

int runWindowTest(int argc, char** argv, QObject* test);

// The text of a PDF file as pdftotext reads it with its layout kept, one
// string per page; empty when the file cannot be read.
QStringList pdfPageTexts(const QString& pdfPath);
// Whether the first page of a PDF file is wider than it is high.
bool pdfLandscape(const QString& pdfPath);

}  // namespace testsupport

#define AEROKIT_WINDOW_TEST_MAIN(TestClass)                 \
    int main(int argc, char** argv) {                       \
        qputenv("QT_QPA_PLATFORM", "offscreen");            \
        QApplication app(argc, argv);                       \
        TestClass tc;                                       \
        return testsupport::runWindowTest(argc, argv, &tc); \
    }
