#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "shell/Controls.h"
#include "shell/modLog.h"

namespace {

QPointer<HelpViewer> gViewer;

// Anchors of the help file, by the window they explain.
struct Topic {
    const char* window;
    const char* anchor;
};
constexpr Topic kTopics[] = {
    {"frmSplash", "start"},
    {"frmMenu", "start"},
    {"frmquit", "start"},
    {"frmAbout", "common"},
    {"frmMain", "logfile"},
    {"frmNewLog", "logratings"},
    {"frmLogBook", "logviewer"},
    {"frmLogInput", "logentry"},
    {"frmTotalTime", "logtotals"},
    {"frmCurrent", "logcurrency"},
    {"frmLogBrowse", "logbrowse"},
    {"frmPlanner", "planchoose"},
    {"frmFlightPlanRecord", "planrecord"},
    {"frmRecordInput", "planinput"},
    {"frmPersonal", "planpersonal"},
    {"frmFPLog", "planlog"},
    {"frmFlightLogInput", "planheader"},
    {"frmFPCheck", "plancheck"},
    {"frmWandB", "wbload"},
    {"frmNewAircraft", "wbdefine"},
};

class F1Handler : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::KeyPress && obj->isWidgetType()) {
            auto* ke = static_cast<QKeyEvent*>(ev);
            if (ke->key() == Qt::Key_F1 && ke->modifiers() == Qt::NoModifier) {
                QWidget* asking = static_cast<QWidget*>(obj)->window();
                // F1 inside the viewer keeps its place.
                if (asking == gViewer.data())
                    gViewer->raise();
                else
                    HelpViewer::open(modLog::HelpFilePath, HelpViewer::topicFor(asking));
                return true;
            }
        }
        return false;
    }
};

QPushButton* navButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = Controls::named<QPushButton>(parent, name, text);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

HelpViewer::HelpViewer() : browser_(new QTextBrowser(this)) {
    setObjectName("HelpViewer");
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends only through its exit confirmation, never because
    // the help was the last window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle("Aerokit Help");
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(false);

    cmdBack = navButton(this, "cmdBack", "< &Back");
    cmdForward = navButton(this, "cmdForward", "&Forward >");
    cmdContents = navButton(this, "cmdContents", "&Contents");
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(cmdContents, &QPushButton::clicked, this, [this] { load(path_, "contents"); });
    // Every topic is a place in the same document, so the text cursor stays
    // on a followed link when the topic is shown, and Back would record it as
    // the topic's focus: Forward then scrolled to that link, not to the topic.
    // A new place keeps no focus from the old one; the view stays where it is.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        QTextCursor cursor = browser_->textCursor();
        if (!cursor.hasSelection()) return;
        const int h = browser_->horizontalScrollBar()->value();
        const int v = browser_->verticalScrollBar()->value();
        cursor.clearSelection();
        browser_->setTextCursor(cursor);
        browser_->horizontalScrollBar()->setValue(h);
        browser_->verticalScrollBar()->setValue(v);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 0);
    bar->addWidget(cmdBack);
    bar->addWidget(cmdForward);
    bar->addWidget(cmdContents);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpViewer::load(const QString& path, const QString& topic) {
    path_ = path;
    QFile f(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
        browser_->clearHistory();
        browser_->setHtml(QString("<h2>Help is not available</h2>"
                                  "<p>The help file could not be opened:</p><p><tt>%1</tt></p>"
                                  "<p>Check that Aerokit.hlp lies beside the program.</p>")
                              .arg(path.toHtmlEscaped()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (!topic.isEmpty()) url.setFragment(topic);
    // The file is HTML whatever its extension.
    browser_->setSource(url, QTextDocument::HtmlResource);
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

HelpViewer* HelpViewer::open(const QString& path, const QString& topic) {
    if (!gViewer) gViewer = new HelpViewer();
    gViewer->load(path, topic);
    gViewer->show();
    followModal();
    gViewer->raise();
    gViewer->activateWindow();
    return gViewer;
}

void HelpViewer::followModal() {
    // A window that belongs to the modal window (its transient child) is not
    // blocked by it: the viewer then scrolls, follows links and closes while
    // an entry window, About or the exit question is up.
    if (!gViewer || !gViewer->windowHandle()) return;
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal && modal != gViewer ? modal->window()->windowHandle() : nullptr;
    gViewer->windowHandle()->setTransientParent(owner);
}

HelpViewer* HelpViewer::current() { return gViewer; }

QString HelpViewer::topicFor(const QWidget* window) {
    if (!window) return {};
    const QString name = window->objectName();
    for (const Topic& t : kTopics)
        if (name == QLatin1String(t.window)) return QString::fromLatin1(t.anchor);
    return {};
}

void HelpViewer::installF1Handler() {
    static F1Handler* handler = nullptr;
    if (!handler && qApp) {
        handler = new F1Handler(qApp);
        qApp->installEventFilter(handler);
    }
}
