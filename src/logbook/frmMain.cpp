#include "logbook/frmMain.h"

#include <QFileInfo>
#include <QVBoxLayout>

#include "logbook/Logbook.h"
#include "logbook/frmLogBook.h"
#include "shell/FileDialog.h"
#include "shell/Forms.h"
#include "shell/MessageBox.h"
#include "shell/WindowText.h"
#include "shell/frmMenu.h"
#include "shell/modLog.h"

frmMain::frmMain() {
    setObjectName("frmMain");
    setWindowTitle("Pilot Logbook");

    lblTitle = new QLabel("Pilot Logbook", this);
    lblTitle->setObjectName("lblTitle");
    QFont f = lblTitle->font();
    f.setPointSize(20);
    f.setBold(true);
    lblTitle->setFont(f);
    lblTitle->setAlignment(Qt::AlignCenter);
    cmdNewLog = new QPushButton("Create New Logbook", this);
    cmdNewLog->setObjectName("cmdNewLog");
    cmdOpenLog = new QPushButton("Open Current Logbook", this);
    cmdOpenLog->setObjectName("cmdOpenLog");
    cmdExitLog = new QPushButton("Return to Main Menu", this);
    cmdExitLog->setObjectName("cmdExitLog");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(lblTitle);
    for (QPushButton* b : {cmdNewLog, cmdOpenLog, cmdExitLog}) {
        b->setMinimumHeight(34);
        layout->addWidget(b);
    }
    setFixedWidth(320);

    connect(cmdNewLog, &QPushButton::clicked, this, &frmMain::cmdNewLog_Click);
    connect(cmdOpenLog, &QPushButton::clicked, this, &frmMain::cmdOpenLog_Click);
    connect(cmdExitLog, &QPushButton::clicked, this, &frmMain::cmdExitLog_Click);
}

void frmMain::refuse(const QString& path, const QString& reason) {
    MessageBox::show("\"" + QFileInfo(path).fileName() + "\" is not a logbook. " + reason,
                     "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
}

void frmMain::handOver() {
    Forms::show<frmLogBook>();
    hide();
    Forms::unload<frmMain>();
}

void frmMain::cmdNewLog_Click() {
    FileDialog::Options options;
    options.defaultSuffix = "log";
    options.confirmOverwrite = true;
    const QString path = FileDialog::getSaveFileName(this, "Logbook Files(*.log)|*.log", options);
    if (path.isEmpty()) return;
    modLog::LogPath = path;
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    const std::string file = WindowText::toPath(path);
    if (const auto created = logbook::createLogbook(file); !created) {
        using records::FileError;
        const FileError why = created.failure().reason;
        if (why == FileError::NotRegular || why == FileError::NotALogbook) {
            // Writing a rating record into some other file would spoil it and
            // still give no logbook.
            logbook::Check check = logbook::checkLogbook(file);
            if (why == FileError::NotALogbook)
                check.problem = logbook::LogbookFault::PartialRecord;  // its length is the reason
            refuse(path,
                   QString::fromStdString(logbook::describe(check)) + " It was left as it is.");
        } else if (why == FileError::Busy) {
            MessageBox::show(
                MessageBox::failureText(records::Action::CreateLogbook, path, created.failure()),
                "Aerokit", MessageBox::Buttons::Ok, MessageBox::Icon::Exclamation, this);
        }
        return;  // any other failure ends silently
    }
    if (!logbook::checkLogbook(file).ok()) return;
    handOver();
}

void frmMain::cmdOpenLog_Click() {
    const QString path =
        FileDialog::getOpenFileName(this, "Logbook Files (*.log)|*.log|All Files (*.*)|*.*|");
    if (path.isEmpty()) return;
    // The viewer would show a file that is no logbook as empty, and adding a
    // flight would write into it: refuse it here, say why, and touch nothing.
    const logbook::Check check = logbook::checkLogbook(WindowText::toPath(path));
    if (!check.ok()) {
        refuse(path, QString::fromStdString(logbook::describe(check)));
        return;
    }
    // A damaged logbook still opens; the pilot is told once what is wrong.
    if (const std::string notice = logbook::damageNotice(check); !notice.empty())
        MessageBox::show(QString::fromStdString(notice), "Aerokit", MessageBox::Buttons::Ok,
                         MessageBox::Icon::Information, this);
    modLog::LogPath = path;
    modLog::LogRecLen = static_cast<std::int16_t>(LogRecord::Size);
    handOver();
}

void frmMain::cmdExitLog_Click() {
    Forms::show<frmMenu>();
    hide();
    Forms::unload<frmMain>();
}
