#include "WindowTest.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <memory>
#include <vector>

#include "records/Clock.h"
#include "records/RecordFile.h"
#include "shell/FileDialog.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"

namespace testsupport {
namespace {
std::unique_ptr<QTemporaryDir> gDir;
std::vector<std::unique_ptr<QObject>> gStandIns;
QtMessageHandler gPrevious = nullptr;

// The offscreen platform cannot raise windows or pass size hints on; its
// notes about that are noise in test logs.
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (msg.startsWith("This plugin does not support")) return;
    if (gPrevious) gPrevious(type, ctx, msg);
}
}  // namespace

void keepStandIn(QObject* standIn) { gStandIns.emplace_back(standIn); }

void resetShell() {
    // Chained in front of whatever handler the test runner has installed.
    const QtMessageHandler previous = qInstallMessageHandler(quietHandler);
    if (previous != quietHandler) gPrevious = previous;
    Forms::resetForTesting();
    Forms::setEndHandler([] {});  // tests observe the end; the test runner goes on
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gStandIns.clear();
    MessageBox::clearHistory();
    FileDialog::clearForTesting();
    WindowText::setLocaleForTesting("en_US");
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
    gStandIns.clear();
    QDir::setCurrent(QDir::tempPath());
    gDir.reset();
    return rc;
}

}  // namespace testsupport

namespace testsupport {

QStringList pdfPageTexts(const QString& pdfPath) {
    QProcess run;
    run.start("pdftotext", {"-layout", pdfPath, "-"});
    if (!run.waitForFinished(30000) || run.exitCode() != 0) return {};
    // Compatibility forms: the PDF's ligatures ("ﬀ") read as their letters.
    QStringList pages = QString::fromUtf8(run.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

bool pdfLandscape(const QString& pdfPath) {
    QProcess run;
    run.start("pdfinfo", {pdfPath});
    if (!run.waitForFinished(30000) || run.exitCode() != 0) return false;
    const QRegularExpression size(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)");
    const auto m = size.match(QString::fromUtf8(run.readAllStandardOutput()));
    return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
}

}  // namespace testsupport
