// Creating a window's controls: each one a child of its parent, named as the
// member that holds it, so the tests and the keyboard handling find it by its
// objectName.
#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <utility>

namespace Controls {

// A new T owned by parent and named name; args go to T's constructor before
// the parent (the caption of a label, button or check box).
template <typename T, typename... Args>
T* named(QWidget* parent, const char* name, Args&&... args) {
    auto* w = new T(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    return w;
}

// A one-line box; a maxLength of 0 leaves the length free.
inline QLineEdit* lineBox(QWidget* parent, const char* name, int maxLength = 0) {
    auto* e = named<QLineEdit>(parent, name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
}

// A caption and its control side by side in a grid row, from column on; the
// caption's shortcut moves the focus to the control.
inline void labelledRow(QGridLayout* grid, int row, QLabel* caption, QWidget* control,
                        int column = 0) {
    caption->setBuddy(control);
    grid->addWidget(caption, row, column);
    grid->addWidget(control, row, column + 1);
}

}  // namespace Controls
