#include "shell/Keyboard.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

#include "shell/Forms.h"
#include "shell/HelpViewer.h"

namespace Keyboard {
namespace {

// A visible, enabled button of window with one of the given names.
QPushButton* button(QWidget* window, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto* b = window->findChild<QPushButton*>(name);
        if (b && b->isVisibleTo(window) && b->isEnabled()) return b;
    }
    return nullptr;
}

bool keepsEnter(QWidget* w) {
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) return !pe->isReadOnly();
    if (auto* te = qobject_cast<QTextEdit*>(w)) return !te->isReadOnly();
    return qobject_cast<QAbstractItemView*>(w) != nullptr;  // a list picks with Enter
}

class KeyHandler : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* obj, QEvent* ev) override {
        switch (ev->type()) {
            case QEvent::KeyPress:
                return obj->isWidgetType() &&
                       keyPress(static_cast<QWidget*>(obj), static_cast<QKeyEvent*>(ev));
            case QEvent::FocusOut:
                focusOut(obj, static_cast<QFocusEvent*>(ev));
                return false;
            case QEvent::FocusIn:
                focusIn(obj);
                return false;
            default:
                return false;
        }
    }

  private:
    bool keyPress(QWidget* w, QKeyEvent* ke) {
        // Only the first receiver: a key the focused control ignores travels
        // on to its parents, and must not be handled twice.
        QWidget* focus = QApplication::focusWidget();
        if (focus ? w != focus : !w->isWindow()) return false;
        QWidget* window = w->window();
        if (!Forms::isProgramWindow(window)) return false;
        const auto mods = ke->modifiers() & ~Qt::KeypadModifier;
        if (mods != Qt::NoModifier) return false;
        if (ke->key() == Qt::Key_Escape) {
            if (QPushButton* cancel = button(window, {"cmdCancel"})) {
                cancel->click();
                return true;
            }
            return false;
        }
        if (ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter) return false;
        if (auto* pb = qobject_cast<QPushButton*>(w)) {
            if (pb->isEnabled()) pb->click();
            return true;
        }
        if (keepsEnter(w)) return false;
        if (QPushButton* ok = button(window, {"cmdOK", "cmdSave", "cmdSaveInfo"})) {
            ok->click();
            return true;
        }
        return false;
    }

    // Taking the focus to the menu bar (Alt, or Alt with a menu's letter)
    // makes a line edit drop its selection; the Edit menu then needs it
    // back, as it stays when the menu is opened with the mouse.
    void focusOut(QObject* obj, QFocusEvent* fe) {
        auto* le = qobject_cast<QLineEdit*>(obj);
        if (!le || !le->hasSelectedText()) return;
        if (fe->reason() != Qt::MenuBarFocusReason &&
            !qobject_cast<QMenuBar*>(QApplication::focusWidget()))
            return;
        saved_ = le;
        start_ = le->selectionStart();
        length_ = static_cast<int>(le->selectedText().size());
        backwards_ = le->cursorPosition() == start_;
    }

    void focusIn(QObject* obj) {
        if (!saved_ || !obj->isWidgetType()) return;  // windows get focus events too
        if (obj == saved_.data())
            restore();
        else if (!qobject_cast<QMenuBar*>(obj) && !qobject_cast<QMenu*>(obj))
            saved_.clear();
    }

  public:
    QWidget* restore() {
        QLineEdit* le = saved_;
        saved_.clear();
        if (!le) return nullptr;
        if (backwards_)
            le->setSelection(start_ + length_, -length_);
        else
            le->setSelection(start_, length_);
        return le;
    }

    QPointer<QLineEdit> saved_;
    int start_ = 0;
    int length_ = 0;
    bool backwards_ = false;
};

KeyHandler* handler = nullptr;

}  // namespace

QWidget* restoreMenuSelection(QWidget* window) {
    if (!handler || !handler->saved_ || handler->saved_->window() != window) return nullptr;
    return handler->restore();
}

void install() {
    if (!handler && qApp) {
        handler = new KeyHandler(qApp);
        qApp->installEventFilter(handler);
    }
    HelpViewer::installF1Handler();
}

}  // namespace Keyboard
