// Printing: every Print item opens the standard print dialog (printing to a
// PDF file is one of its choices) and prints a page the window builds as
// HTML. Tests render the same page to a PDF file without a dialog.
#pragma once

#include <QString>
#include <QWidget>

namespace PrintPage {

// Shows the print dialog and prints html; false when cancelled.
bool print(QWidget* parent, const QString& documentTitle, const QString& html);
// Renders html to a PDF file; false when the file cannot be written.
bool printToPdf(const QString& html, const QString& pdfPath);

// Escapes text for the HTML of a page (keeps runs of spaces visible).
QString esc(const QString& text);

// Test seam: when set, print() writes the page to this PDF file instead of
// showing the dialog.
void setNextPdfPath(const QString& path);

}  // namespace PrintPage
