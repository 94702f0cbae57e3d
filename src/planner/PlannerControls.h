// Small builders shared by the planner windows: named labels and boxes, and
// multi-line boxes whose length counts a line break as the CR LF the file
// stores.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

namespace planner {

// A fixed caption.
QLabel* captionLabel(QWidget* parent, const char* name, const QString& text);
// A label showing stored text: plain text (never rich text), spaces kept.
QLabel* valueLabel(QWidget* parent, const char* name);
QLineEdit* lineBox(QWidget* parent, const char* name, int maxLength);
QPlainTextEdit* multiLineBox(QWidget* parent, const char* name, int maxStored, bool scrollBar);

// The box's text as stored: line breaks as CR LF.
QString storedText(const QPlainTextEdit* box);
// Stored text for a multi-line box (CR LF back to line breaks).
QString editText(const QString& stored);
// Characters the text takes when stored (a line break counts two).
int storedLength(const QString& plainText);

// Sends the Enter key in a dialog nowhere: none of the planner's entry
// windows has a default button.
void noDefaultButton(QWidget* dialog);

}  // namespace planner
