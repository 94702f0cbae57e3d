#include "planner/PlannerControls.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTextCursor>

#include "shell/Controls.h"
#include "shell/WindowText.h"

namespace planner {

QLabel* captionLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = Controls::named<QLabel>(parent, name, text);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* l = Controls::named<QLabel>(parent, name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPlainTextEdit* multiLineBox(QWidget* parent, const char* name, int maxStored, bool scrollBar) {
    auto* box = Controls::named<QPlainTextEdit>(parent, name);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Like a line edit's maximum length: what does not fit is cut from the
    // text just typed or pasted, before the caret.
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, maxStored] {
        QString text = box->toPlainText();
        int excess = WindowText::storedLength(text) - maxStored;
        if (excess <= 0) return;
        QTextCursor cursor = box->textCursor();
        int pos = cursor.position();
        while (excess > 0 && !text.isEmpty()) {
            const int at = pos > 0 ? pos - 1 : static_cast<int>(text.size()) - 1;
            excess -= text[at] == QChar('\n') ? 2 : 1;
            text.remove(at, 1);
            if (pos > 0) --pos;
        }
        const QSignalBlocker block(box);
        box->setPlainText(text);
        cursor = box->textCursor();
        cursor.setPosition(std::min(pos, static_cast<int>(text.size())));
        box->setTextCursor(cursor);
    });
    return box;
}

void noDefaultButton(QWidget* dialog) {
    for (auto* b : dialog->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

EntryButtons entryButtons(QDialog* dialog, const std::function<void()>& onOk,
                          const std::function<void()>& onCancel) {
    auto* ok = Controls::named<QPushButton>(dialog, "cmdOK", "OK");
    auto* cancel = Controls::named<QPushButton>(dialog, "cmdCancel", "Cancel");
    noDefaultButton(dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return {ok, cancel, row};
}

void reserveChars(QLabel* label, int chars) {
    // Measured as the label itself lays out such a text, frame and indent
    // included.
    const QString shown = label->text();
    label->setText(QString(chars, QLatin1Char('M')));
    label->setMinimumWidth(label->sizeHint().width());
    label->setText(shown);
}

void setScrolledForm(QMainWindow* window, QWidget* contents) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(contents);
    scroll->setWidgetResizable(true);
    window->setCentralWidget(scroll);
}

QSize formSize(const QMainWindow* window) {
    auto* scroll = qobject_cast<QScrollArea*>(window->centralWidget());
    if (!scroll || !scroll->widget()) return window->sizeHint();
    const QSize inner = scroll->widget()->minimumSizeHint();
    const int frame = 2 * scroll->frameWidth();
    return {inner.width() + frame, inner.height() + frame + window->menuBar()->sizeHint().height()};
}

}  // namespace planner
