#include "shell/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <deque>

namespace FileDialog {
namespace {
std::deque<QString> gQueue;
QString gLastFilter;

QString withSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty()) return path;
    return QFileInfo(path).suffix().isEmpty() ? path + "." + suffix : path;
}
}  // namespace

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i];
        const QString pattern = parts[i + 1];
        if (desc.isEmpty() && pattern.isEmpty()) continue;
        // Qt reads the patterns from the description's parentheses.
        out << (desc.contains('(') ? desc : desc + " (" + pattern + ")");
    }
    return out.join(";;");
}

QString getOpenFileName(QWidget* parent, const QString& filter) {
    gLastFilter = filter;
    if (!gQueue.empty()) {
        QString p = gQueue.front();
        gQueue.pop_front();
        return p;
    }
    QFileDialog dlg(parent);
    dlg.setObjectName("CommonDialog1");
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(toQtFilter(filter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

QString getSaveFileName(QWidget* parent, const QString& filter, const Options& options) {
    gLastFilter = filter;
    if (!gQueue.empty()) {
        QString p = gQueue.front();
        gQueue.pop_front();
        return withSuffix(p, options.defaultSuffix);
    }
    QFileDialog dlg(parent);
    dlg.setObjectName("CommonDialog1");
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(toQtFilter(filter));
    if (!options.defaultSuffix.isEmpty()) dlg.setDefaultSuffix(options.defaultSuffix);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

void setNextFileName(const QString& path) { gQueue.push_back(path); }
QString lastFilter() { return gLastFilter; }
void clearForTesting() {
    gQueue.clear();
    gLastFilter.clear();
}

}  // namespace FileDialog
