#include "shell/SharedCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "shell/Controls.h"
#include "shell/Forms.h"
#include "shell/HelpViewer.h"
#include "shell/Keyboard.h"
#include "shell/frmAbout.h"
#include "shell/frmquit.h"
#include "shell/modLog.h"

namespace SharedCommands {
namespace {

// Text widgets claim Ctrl+X/C/V for themselves through ShortcutOverride.
// The window's own menu shortcuts must win, so the Edit commands run with
// their menu semantics whatever has the focus.
class ShortcutPriority : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() != QEvent::ShortcutOverride || !obj->isWidgetType()) return false;
        auto* ke = static_cast<QKeyEvent*>(ev);
        if (!(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
        const QKeySequence pressed(ke->keyCombination());
        QWidget* window = static_cast<QWidget*>(obj)->window();
        for (QAction* a : window->findChildren<QAction*>()) {
            if (!a->isEnabled()) continue;
            for (const QKeySequence& s : a->shortcuts())
                if (s == pressed) {
                    ke->ignore();  // not claimed: the shortcut map runs the action
                    return true;
                }
        }
        return false;
    }
};

void installShortcutPriority() {
    static ShortcutPriority* filter = nullptr;
    if (!filter && qApp) {
        filter = new ShortcutPriority(qApp);
        qApp->installEventFilter(filter);
    }
}

QWidget* activeControl(QWidget* window) {
    // Reached through the menu bar by the keyboard: the box that had the
    // focus, with the selection it had.
    if (QWidget* box = Keyboard::restoreMenuSelection(window)) return box;
    QWidget* w = window ? window->focusWidget() : QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return w;
}

QString selectedText(QWidget* w) {
    if (auto* le = qobject_cast<QLineEdit*>(w)) return le->selectedText();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        return pe->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    if (auto* te = qobject_cast<QTextEdit*>(w))
        return te->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    return {};
}

bool selectable(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

void replaceSelection(QWidget* w, const QString& text) {
    if (auto* le = qobject_cast<QLineEdit*>(w)) {
        if (!le->isReadOnly()) le->insert(text);
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        if (!pe->isReadOnly()) pe->insertPlainText(text);
    } else if (auto* te = qobject_cast<QTextEdit*>(w)) {
        if (!te->isReadOnly()) te->insertPlainText(text);
    }
}

}  // namespace

void cut(QWidget* window) {
    QWidget* w = activeControl(window);
    if (!selectable(w)) return;
    const QString selection = selectedText(w);
    QClipboard* cb = QApplication::clipboard();
    cb->clear();
    cb->setText(selection);
    if (!selection.isEmpty()) replaceSelection(w, QString());
}

void copy(QWidget* window) {
    QWidget* w = activeControl(window);
    if (!selectable(w)) return;
    QClipboard* cb = QApplication::clipboard();
    cb->clear();
    cb->setText(selectedText(w));
}

void paste(QWidget* window) {
    QWidget* w = activeControl(window);
    if (!selectable(w)) return;
    replaceSelection(w, QApplication::clipboard()->text());
}

void help() { modLog::ShowHelp(); }
void about() { Forms::showModal<frmAbout>(); }
void exitProgram() { Forms::showModal<frmquit>(); }

QAction* action(QWidget* owner, const char* name, const QString& text, std::function<void()> step,
                const QKeySequence& shortcut) {
    installShortcutPriority();
    HelpViewer::installF1Handler();
    auto* a = Controls::named<QAction>(owner, name, text);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (step) QObject::connect(a, &QAction::triggered, owner, [step] { step(); });
    owner->addAction(a);  // shortcuts work even while the menu bar is hidden
    return a;
}

QMenu* menu(QMainWindow* window, const QString& title, const char* name) {
    QMenu* m = window->menuBar()->addMenu(title);
    if (name) m->setObjectName(name);
    return m;
}

QMenu* addEditMenu(QMainWindow* window, EditShortcuts shortcuts) {
    QMenu* m = menu(window, "&Edit", "mnuEdit");
    const bool keys = shortcuts != EditShortcuts::None;
    m->addAction(action(
        window, "mnuCut", "Cu&t", [window] { cut(window); },
        keys ? QKeySequence("Ctrl+X") : QKeySequence()));
    m->addAction(action(
        window, "mnuCopy", "&Copy", [window] { copy(window); },
        keys ? QKeySequence("Ctrl+C") : QKeySequence()));
    QKeySequence pasteKey;
    if (shortcuts == EditShortcuts::Standard) pasteKey = QKeySequence("Ctrl+V");
    if (shortcuts == EditShortcuts::PasteCtrlP) pasteKey = QKeySequence("Ctrl+P");
    m->addAction(action(
        window, "mnuPaste", "&Paste", [window] { paste(window); }, pasteKey));
    return m;
}

QMenu* addHelpMenu(QMainWindow* window) {
    QMenu* m = menu(window, "&Help", "mnuHelp1");
    m->addAction(action(window, "mnuHelp", "&Help", [] { help(); }));
    m->addAction(action(window, "mnuAbout", "&About", [] { about(); }));
    return m;
}

}  // namespace SharedCommands
