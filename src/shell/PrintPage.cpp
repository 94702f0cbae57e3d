#include "shell/PrintPage.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace PrintPage {
namespace {
QString gNextPdf;

void render(QPrinter& printer, const QString& html) {
    QTextDocument doc;
    doc.setDefaultFont(QFont("Sans Serif", 10));
    doc.setHtml(html);
    doc.print(&printer);
}
}  // namespace

bool printToPdf(const QString& html, const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    render(printer, html);
    const QFileInfo fi(pdfPath);
    return fi.exists() && fi.size() > 0;
}

bool print(QWidget* parent, const QString& documentTitle, const QString& html) {
    if (!gNextPdf.isEmpty()) {
        const QString path = gNextPdf;
        gNextPdf.clear();
        return printToPdf(html, path);
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentTitle);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle("Print " + documentTitle);
    if (dlg.exec() != QDialog::Accepted) return false;
    render(printer, html);
    return true;
}

QString esc(const QString& text) {
    QString s = text.toHtmlEscaped();
    s.replace("  ", "&nbsp; ");
    s.replace('\n', "<br>");
    return s;
}

void setNextPdfPath(const QString& path) { gNextPdf = path; }

}  // namespace PrintPage
