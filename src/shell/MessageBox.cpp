#include "shell/MessageBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <deque>

namespace MessageBox {
namespace {
std::deque<Answer> gQueue;
std::vector<Shown> gHistory;
}  // namespace

QString failureText(records::Action action, const QString& file, const records::Failure& failure) {
    return QString::fromStdString(records::failureMessage(action, file.toStdString(), failure));
}

int titleWidth(const QString& title) {
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) + 140;
}

Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon,
            QWidget* parent) {
    gHistory.push_back({text, title, buttons, icon});
    if (!gQueue.empty()) {
        const Answer a = gQueue.front();
        gQueue.pop_front();
        return a;
    }
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);  // texts may quote file names or file contents
    box.setText(text);
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // At least as wide as its title, which the window frame would cut
    // otherwise (the frame's font is bold, and its buttons take room).
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(
            new QSpacerItem(titleWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
    box.setWindowModality(Qt::ApplicationModal);
    const int r = box.exec();
    if (buttons == Buttons::YesNo) return r == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

void setNextAnswer(Answer answer) { gQueue.push_back(answer); }
const std::vector<Shown>& history() { return gHistory; }
void clearHistory() {
    gHistory.clear();
    gQueue.clear();
}
int pendingAnswers() { return static_cast<int>(gQueue.size()); }

}  // namespace MessageBox
