// Support for window tests: a main that runs a Qt Test class headless in a
// fresh temporary working directory, and lookups of controls by objectName.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

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
