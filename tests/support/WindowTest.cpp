#include "WindowTest.h"

#include <QClipboard>
#include <QCoreApplication>
#include <memory>

#include "shell/FileDialog.h"
#include "shell/MessageBox.h"
#include "shell/Convert.h"
#include "records/Clock.h"
#include "records/RecordFile.h"

namespace testsupport {
namespace {
std::unique_ptr<QTemporaryDir> gDir;
}

void resetShell() {
    Forms::resetForTesting();
    Forms::setEndHandler([] {});  // tests observe the end; the test runner goes on
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MessageBox::clearHistory();
    FileDialog::clearForTesting();
    Convert::setLocaleForTesting("en_US");
    records::setWriteFailureAfter(std::nullopt);
    records::setTodayForTesting(std::nullopt);
    QApplication::clipboard()->clear();
    QDir::setCurrent(QDir::tempPath());
    gDir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(gDir->path());
}

int runWindowTest(int argc, char** argv, QObject* test) {
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName("Aerokit");
    resetShell();
    const int rc = QTest::qExec(test, argc, argv);
    Forms::resetForTesting();
    QDir::setCurrent(QDir::tempPath());
    gDir.reset();
    return rc;
}

}  // namespace testsupport
