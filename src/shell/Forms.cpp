#include "shell/Forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVariant>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "shell/HelpViewer.h"
#include "shell/Keyboard.h"
#include "shell/frmquit.h"

namespace Forms {
namespace {

struct Registry {
    std::unordered_map<std::type_index, QPointer<QWidget>> windows;
    bool ending = false;
    std::function<void()> endHandler;
};

Registry& registry() {
    static Registry r;
    return r;
}

void forget(QWidget* w) {
    auto& map = registry().windows;
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it->second == w) {
            map.erase(it);
            return;
        }
}

bool anotherWindowVisible(const QWidget* w) {
    for (const auto& [type, other] : registry().windows)
        if (other && other != w && other->isVisible()) return true;
    return false;
}

// Closing a window through its frame (the only way the program's windows
// receive a close event; the program itself hides and unloads them):
// - an entry window runs its Cancel step;
// - the last visible window asks whether to end the program, and stays
//   when the answer is No;
// - otherwise the window is unloaded: the next show builds it afresh.
class CloseWatcher : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() != QEvent::Close || !obj->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(obj);
        if (!registry().ending) {
            auto* cancel = w->findChild<QPushButton*>("cmdCancel");
            if (cancel && cancel->isVisibleTo(w) && cancel->isEnabled()) {
                ev->ignore();
                cancel->click();
                return true;
            }
            if (!w->property("aerokitClosesBack").toBool() && w->isVisible() &&
                !anotherWindowVisible(w)) {
                ev->ignore();
                showModal<frmquit>();
                return true;
            }
        }
        forget(w);
        w->deleteLater();
        return false;
    }
};

CloseWatcher* closeWatcher() {
    static CloseWatcher* watcher = new CloseWatcher(QCoreApplication::instance());
    return watcher;
}

// A box with a maximum length is made wide enough to show that many
// characters without scrolling inside itself (measured on capitals, the
// widest common letters of idents, names and addresses).
void fitTextBoxes(QWidget* window) {
    for (QLineEdit* le : window->findChildren<QLineEdit*>()) {
        const int n = le->maxLength();
        if (n <= 0 || n > 64) continue;
        const QFontMetrics fm(le->font());
        const QMargins tm = le->textMargins();
        const QMargins cm = le->contentsMargins();
        const int frame = le->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, le);
        // 2 px inner margin each side, as the line edit draws its text, and
        // one more for the caret after the last character.
        const int width = fm.horizontalAdvance(QString(n, QLatin1Char('N'))) + 2 * 2 + 1 +
                          tm.left() + tm.right() + cm.left() + cm.right() + 2 * frame;
        if (le->minimumWidth() < width) le->setMinimumWidth(width);
    }
}

}  // namespace

namespace detail {

QWidget* find(std::type_index type) {
    auto& map = registry().windows;
    auto it = map.find(type);
    if (it == map.end()) return nullptr;
    if (!it->second) {  // deleted behind our back
        map.erase(it);
        return nullptr;
    }
    return it->second.data();
}

void add(std::type_index type, QWidget* window) {
    Keyboard::install();
    registry().windows[type] = window;
    window->installEventFilter(closeWatcher());
    fitTextBoxes(window);
}

void showModal(QWidget* window) {
    // Our own loop rather than QDialog::exec, so every kind of window can be
    // shown modally and the loop ends when the window is hidden or unloaded.
    QPointer<QWidget> w(window);
    class HideWatcher : public QObject {
      public:
        QEventLoop* loop;
        explicit HideWatcher(QEventLoop* l) : loop(l) {}
        bool eventFilter(QObject*, QEvent* ev) override {
            if (ev->type() == QEvent::Hide) loop->quit();
            return false;
        }
    };
    QEventLoop loop;
    HideWatcher watcher(&loop);
    w->installEventFilter(&watcher);
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    w->setWindowModality(Qt::ApplicationModal);
    placeOnFirstShow(w);
    w->show();
    w->raise();
    w->activateWindow();
    HelpViewer::followModal();  // help stays usable beside the modal window
    if (w->isVisible()) loop.exec(QEventLoop::DialogExec);
    if (w) {
        w->removeEventFilter(&watcher);
        w->setWindowModality(Qt::NonModal);
    }
    HelpViewer::followModal();
}

void unload(std::type_index type) {
    QWidget* w = find(type);
    if (!w) return;
    registry().windows.erase(type);
    w->removeEventFilter(closeWatcher());
    w->hide();
    w->deleteLater();
}

void placeOnFirstShow(QWidget* window) {
    // A window's first appearance is centred on the screen, as a desktop
    // program's windows are; later shows keep where the user moved it.
    if (window->property("aerokitPlaced").toBool()) return;
    window->setProperty("aerokitPlaced", true);
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
    const QRect avail = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(avail.center());
    window->move(std::max(frame.left(), avail.left()), std::max(frame.top(), avail.top()));
}

}  // namespace detail

bool isProgramWindow(const QWidget* w) {
    if (!w) return false;
    for (const auto& [type, window] : registry().windows)
        if (window == w) return true;
    return false;
}

void setClosesBack(QWidget* w) { w->setProperty("aerokitClosesBack", true); }

void endProgram() {
    auto& r = registry();
    r.ending = true;
    std::vector<QPointer<QWidget>> all;
    for (auto& [type, w] : r.windows)
        if (w) all.push_back(w);
    r.windows.clear();
    for (auto& w : all) {
        if (!w) continue;
        w->removeEventFilter(closeWatcher());
        w->hide();
        w->deleteLater();
    }
    if (r.endHandler)
        r.endHandler();
    else
        QCoreApplication::exit(0);  // leaves nested event loops too
}

bool ending() { return registry().ending; }

void setEndHandler(std::function<void()> handler) { registry().endHandler = std::move(handler); }

void resetForTesting() {
    auto& r = registry();
    std::vector<QPointer<QWidget>> all;
    for (auto& [type, w] : r.windows)
        if (w) all.push_back(w);
    r.windows.clear();
    for (auto& w : all)
        if (w) {
            w->removeEventFilter(closeWatcher());
            w->hide();
            delete w.data();
        }
    r.ending = false;
}

}  // namespace Forms
