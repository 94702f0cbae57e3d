// The keyboard as on any desktop, in every window of the program:
// - F1 opens the help at the window's topic;
// - Enter presses the focused button; in an entry window it presses the OK
//   or Save button when no other button has the focus (a multi-line box
//   keeps Enter for its line breaks);
// - Esc presses the window's Cancel button, where it has one;
// - a single-line box keeps its selection while the menu bar has the focus,
//   so the Edit menu reached by Alt+E acts on it.
#pragma once

class QWidget;

namespace Keyboard {

// Installs the application-wide handling (idempotent). Called at program
// start and whenever a window is created.
void install();

// The single-line box of window whose selection the menu bar's taking of
// the focus hid, with that selection back; null when there is none.
QWidget* restoreMenuSelection(QWidget* window);

}  // namespace Keyboard
