#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/modLog.h"

namespace {

QPointer<HelpViewer> gViewer;

class F1Handler : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyPress && obj->isWidgetType()) {
            auto* ke = static_cast<QKeyEvent*>(ev);
            if (ke->key() == Qt::Key_F1 && ke->modifiers() == Qt::NoModifier) {
                HelpViewer::open(modLog::HelpFilePath);
                return true;
            }
        }
        return false;
    }
};

}  // namespace

HelpViewer::HelpViewer() : browser_(new QTextBrowser(this)) {
    setObjectName("HelpViewer");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Aerokit Help");
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpViewer::load(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
        setWindowTitle("Aerokit Help");
        browser_->setHtml(QString("<h2>Help is not available</h2>"
                                  "<p>The help file could not be opened:</p><p><tt>%1</tt></p>"
                                  "<p>Check that Aerokit.hlp lies beside the program.</p>")
                              .arg(path.toHtmlEscaped()));
        return;
    }
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setHtml(QString::fromUtf8(f.readAll()));
    setWindowTitle("Aerokit Help");
}

HelpViewer* HelpViewer::open(const QString& path) {
    if (!gViewer) gViewer = new HelpViewer();
    gViewer->load(path);
    gViewer->show();
    gViewer->raise();
    gViewer->activateWindow();
    return gViewer;
}

HelpViewer* HelpViewer::current() { return gViewer; }

void HelpViewer::installF1Handler() {
    static F1Handler* handler = nullptr;
    if (!handler && qApp) {
        handler = new F1Handler(qApp);
        qApp->installEventFilter(handler);
    }
}
