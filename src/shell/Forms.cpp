#include "shell/Forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <algorithm>
#include <unordered_map>
#include <vector>

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

// Closing a window through its frame unloads it: the next show builds it
// afresh, as if the program had closed it.
class CloseWatcher : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::Close && obj->isWidgetType()) {
            auto* w = static_cast<QWidget*>(obj);
            forget(w);
            w->deleteLater();
        }
        return false;
    }
};

CloseWatcher* closeWatcher() {
    static CloseWatcher* watcher = new CloseWatcher(QCoreApplication::instance());
    return watcher;
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
    registry().windows[type] = window;
    window->installEventFilter(closeWatcher());
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
    if (w->isVisible()) loop.exec(QEventLoop::DialogExec);
    if (w) {
        w->removeEventFilter(&watcher);
        w->setWindowModality(Qt::NonModal);
    }
}

void unload(std::type_index type) {
    QWidget* w = find(type);
    if (!w) return;
    registry().windows.erase(type);
    w->removeEventFilter(closeWatcher());
    w->hide();
    w->deleteLater();
}

bool ending() { return registry().ending; }

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
