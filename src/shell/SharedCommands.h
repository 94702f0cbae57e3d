// Commands most tool windows share: Edit (Cut, Copy, Paste on the focused
// control), Help, About, Exit and Print, and the menus that carry them.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QString>
#include <functional>

namespace SharedCommands {

// Edit commands on the focused control of window (a line edit, a combo's
// edit part or a multi-line box). Elsewhere they do nothing.
void cut(QWidget* window);
void copy(QWidget* window);
void paste(QWidget* window);

void help();         // modLog::ShowHelp
void about();        // frmAbout modally
void exitProgram();  // frmquit modally

// Creates a QAction with objectName name, the caption text (with & marks),
// an optional shortcut, connected to step. Shortcuts of these actions win
// over the shortcuts a focused text box claims for itself.
QAction* action(QWidget* owner, const char* name, const QString& text, std::function<void()> step,
                const QKeySequence& shortcut = {});

// A top menu with objectName name (may be null).
QMenu* menu(QMainWindow* window, const QString& title, const char* name = nullptr);

enum class EditShortcuts { Standard, PasteCtrlP, None };
// "&Edit" with mnuCut "Cu&t", mnuCopy "&Copy", mnuPaste "&Paste".
QMenu* addEditMenu(QMainWindow* window, EditShortcuts shortcuts = EditShortcuts::Standard);
// "&Help" (mnuHelp1) with mnuHelp "&Help" and mnuAbout "&About".
QMenu* addHelpMenu(QMainWindow* window);

}  // namespace SharedCommands
