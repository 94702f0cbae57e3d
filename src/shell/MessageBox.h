// Message boxes with exact text, title, buttons and icon, and a seam for
// tests: a queued answer is returned instead of showing the box.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "records/FileMessages.h"

namespace MessageBox {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Exclamation, Stop, Question, Information };
enum class Answer { Ok, Yes, No };

struct Shown {
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

Answer show(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
            Icon icon = Icon::None, QWidget* parent = nullptr);

// The least width of a box with this title: the title whole in the window
// frame's bold font, beside the frame's icon and buttons.
int titleWidth(const QString& title);

// The sentence for a failed file operation (records::failureMessage), the
// file named as the window knows it.
QString failureText(records::Action action, const QString& file, const records::Failure& failure);

// The next box shown returns this answer at once (a queue, oldest first).
void setNextAnswer(Answer answer);
// Every box shown (or answered from the queue) since the last clear.
const std::vector<Shown>& history();
void clearHistory();
// Answers still queued.
int pendingAnswers();

}  // namespace MessageBox
