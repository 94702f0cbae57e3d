// The window registry. Every window of the program exists at most once and
// is reached by its class: Forms::show<frmMenu>(). Creating a window builds
// its controls (its constructor) and then runs its Form_Load() once.
// Unloading removes it from the registry at once and deletes it safely, so
// the next show builds it afresh.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <typeindex>

namespace Forms {

// True once endProgram() has begun: no window shows or comes back any more.
bool ending();

namespace detail {
QWidget* find(std::type_index type);
void add(std::type_index type, QWidget* window);
void showModal(QWidget* window);
void unload(std::type_index type);
void placeOnFirstShow(QWidget* window);
}  // namespace detail

template <class T>
bool isLoaded() {
    return detail::find(typeid(T)) != nullptr;
}

// The one instance, created (and loaded) on first use.
template <class T>
T* get() {
    if (QWidget* w = detail::find(typeid(T))) return static_cast<T*>(w);
    T* w = new T();
    detail::add(typeid(T), w);
    if constexpr (requires(T & t) { t.Form_Load(); }) w->Form_Load();
    return w;
}

template <class T>
T* show() {
    T* w = get<T>();
    if (!ending() && isLoaded<T>()) {
        detail::placeOnFirstShow(w);
        w->show();
        w->raise();
        w->activateWindow();
    }
    return w;
}

// Shows T modally and returns once it is hidden or unloaded.
template <class T>
void showModal() {
    T* w = get<T>();
    if (ending() || !isLoaded<T>()) return;
    detail::showModal(w);
}

template <class T>
void hide() {
    if (QWidget* w = detail::find(typeid(T))) w->hide();
}

template <class T>
void unload() {
    detail::unload(typeid(T));
}

// Whether w is one of the program's windows (in the registry).
bool isProgramWindow(const QWidget* w);

// Marks a window whose closing through its frame brings back the window it
// was opened from (its own closeEvent does that), so closing it never asks
// whether to end the program.
void setClosesBack(QWidget* w);

// Ends the program at once: every window goes, every event loop is left and
// no further step runs. Tests replace what happens after the windows go.
void endProgram();
void setEndHandler(std::function<void()> handler);
// Forgets the ending state and unloads every window (for tests).
void resetForTesting();

}  // namespace Forms
