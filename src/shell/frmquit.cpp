#include "shell/frmquit.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "shell/Forms.h"

frmquit::frmquit() {
    setObjectName("frmquit");
    setWindowTitle("EXIT?");
    QFont f("Sans Serif", 12);
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    setFont(f);

    cmdYes = new QPushButton("Yes", this);
    cmdYes->setObjectName("cmdYes");
    cmdNo = new QPushButton("No", this);
    cmdNo->setObjectName("cmdNo");
    QFont bf = cmdYes->font();
    bf.setBold(false);
    bf.setPointSize(10);
    cmdYes->setFont(bf);
    cmdNo->setFont(bf);
    cmdYes->setDefault(true);
    setTabOrder(cmdYes, cmdNo);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdNo);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addSpacing(QFontMetrics(f).height() + 16);  // room for the drawn question
    layout->addLayout(buttons);
    setFixedSize(QFontMetrics(f).horizontalAdvance("Are you sure you want to Quit?") + 40, 110);

    connect(cmdYes, &QPushButton::clicked, this, &frmquit::cmdYes_Click);
    connect(cmdNo, &QPushButton::clicked, this, &frmquit::cmdNo_Click);
}

void frmquit::Form_Load() {
    // Drawn on the surface, not held in a label; paintEvent keeps it there.
    drawn_ = "Are you sure you want to Quit?";
    ++loads_;
    cmdYes->setFocus();
    update();
}

void frmquit::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (drawn_.isEmpty()) return;
    QPainter p(this);
    p.setFont(font());
    p.drawText(QRect(0, 8, width(), QFontMetrics(font()).height() + 8),
               Qt::AlignHCenter | Qt::AlignTop, drawn_);
}

void frmquit::cmdYes_Click() { Forms::endProgram(); }

void frmquit::cmdNo_Click() { hide(); }

// Esc answers No rather than closing (and so unloading) the window.
void frmquit::reject() { cmdNo_Click(); }
