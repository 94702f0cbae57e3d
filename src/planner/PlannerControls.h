// Small builders shared by the planner windows: named labels and boxes, and
// multi-line boxes whose length counts a line break as the CR LF the file
// stores (WindowText::storedLength).
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>

namespace planner {

// A fixed caption (plain text, never rich text).
QLabel* captionLabel(QWidget* parent, const char* name, const QString& text);
// A label showing stored text: plain text (never rich text), spaces kept.
QLabel* valueLabel(QWidget* parent, const char* name);
QPlainTextEdit* multiLineBox(QWidget* parent, const char* name, int maxStored, bool scrollBar);

// Leaves the Enter key to the program's own keyboard handling (the focused
// button, else OK), not to the dialog's automatic default button.
void noDefaultButton(QWidget* dialog);

// The OK and Cancel buttons of an entry dialog (cmdOK, cmdCancel), in a
// right-aligned row that further buttons may join, wired to its steps. No
// button of the dialog is its automatic default; Enter and Esc reach OK and
// Cancel through the program's keyboard handling.
struct EntryButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};
EntryButtons entryButtons(QDialog* dialog, const std::function<void()>& onOk,
                          const std::function<void()>& onCancel);

// A value label at least as wide as chars characters of its (monospaced)
// font, so the window is laid out for full fields before any is shown.
void reserveChars(QLabel* label, int chars);
// The form's contents as the window's central widget, in a scroll area
// for screens smaller than the form.
void setScrolledForm(QMainWindow* window, QWidget* contents);
// The default size of a form window: its scroll area's contents whole,
// with the menu bar.
QSize formSize(const QMainWindow* window);

}  // namespace planner
