#include "shell/frmMenu.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/AppIcon.h"
#include "shell/Forms.h"
#include "shell/ToolLaunch.h"
#include "shell/frmquit.h"

namespace {

// Hands over to a tool: show its first window, then hide and close the menu.
// While a tool is not built into the program its button does nothing.
void openTool(const std::function<void()>& open) {
    if (!open) return;
    open();
    Forms::hide<frmMenu>();
    Forms::unload<frmMenu>();
}

}  // namespace

frmMenu::frmMenu() {
    setObjectName("frmMenu");
    setWindowTitle("Aerokit");
    setWindowIcon(AppIcon::icon());

    Label1 = new QLabel("Aerokit", this);
    Label1->setObjectName("Label1");
    QFont title = Label1->font();
    title.setPointSize(24);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);

    Label3 = new QLabel("Choose a Program:", this);
    Label3->setObjectName("Label3");
    QFont sub = Label3->font();
    sub.setPointSize(11);
    Label3->setFont(sub);

    cmdLogbook = new QPushButton("Pilot Logbook", this);
    cmdLogbook->setObjectName("cmdLogbook");
    cmdPreFlight = new QPushButton("Preflight Planner", this);
    cmdPreFlight->setObjectName("cmdPreFlight");
    cmdWandB = new QPushButton("Weight and Balance Calculator", this);
    cmdWandB->setObjectName("cmdWandB");
    cmdExit = new QPushButton("Exit Aerokit", this);
    cmdExit->setObjectName("cmdExit");

    auto* logo = new QLabel(this);
    logo->setPixmap(AppIcon::logo(64));

    auto* head = new QHBoxLayout;
    head->addWidget(logo);
    head->addWidget(Label1, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addLayout(head);
    layout->addWidget(rule);
    layout->addWidget(Label3);
    for (QPushButton* b : {cmdLogbook, cmdPreFlight, cmdWandB}) {
        b->setMinimumHeight(36);
        layout->addWidget(b);
    }
    layout->addSpacing(12);
    cmdExit->setMinimumHeight(30);
    layout->addWidget(cmdExit);
    setFixedWidth(340);

    connect(cmdLogbook, &QPushButton::clicked, this, &frmMenu::cmdLogbook_Click);
    connect(cmdPreFlight, &QPushButton::clicked, this, &frmMenu::cmdPreFlight_Click);
    connect(cmdWandB, &QPushButton::clicked, this, &frmMenu::cmdWandB_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMenu::cmdExit_Click);
}

void frmMenu::cmdLogbook_Click() { openTool(ToolLaunch::openLogbook); }
void frmMenu::cmdPreFlight_Click() { openTool(ToolLaunch::openPlanner); }
void frmMenu::cmdWandB_Click() { openTool(ToolLaunch::openWandB); }
void frmMenu::cmdExit_Click() { Forms::showModal<frmquit>(); }
