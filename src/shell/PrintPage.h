// Printing: every Print item shows the page in a print preview first, from
// which the standard print dialog prints it (printing to a PDF file is one of
// its choices). Each window builds its page in one function; tests render the
// same page to a PDF file without a dialog.
//
// A page is one of three kinds: flowing HTML (the totals, the currency
// figures, a flight, the load sheet), a table of one-line rows paged with its
// headings repeated on every sheet (the abbreviated list), or one sheet drawn
// directly (the flight plan form, the navigation log). Every sheet ends with
// a footer: the file the page comes from, the date printed and "page N of M".
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

namespace PrintPage {

struct Page {
    QString title;           // the document's name and the preview's title
    QString sourceFile;      // named in the footer
    bool landscape = false;  // else portrait
    // Exactly one of these holds the content.
    QString html;
    struct Table {
        QString caption;  // printed above the table on the first sheet
        QStringList headings;
        std::vector<bool> alignRight;  // per column
        std::vector<QStringList> rows;
    } table;
    // Draws one sheet into the body rectangle (device pixels of the printer).
    std::function<void(QPainter&, const QRectF&)> draw;
};

// Shows the preview and the print dialog; false when cancelled.
bool print(QWidget* parent, const Page& page);
// Renders the page to a PDF file; false when the file cannot be written.
bool printToPdf(const Page& page, const QString& pdfPath);

// Escapes text for the HTML of a page (keeps runs of spaces visible).
QString esc(const QString& text);

// A day (days since 1970-01-01) as a page states it, and today's date, which
// the footer gives as the date printed.
QString dateText(std::int64_t days);
QString todayText();

// Draws text on one line inside rect, shrinking the font when the text is
// wider than the rect, so a value is never broken or cut.
void fitText(QPainter& p, const QRectF& rect, int flags, const QString& text);

// Test seam: when set, print() writes the page to this PDF file instead of
// showing the preview and the dialog.
void setNextPdfPath(const QString& path);

}  // namespace PrintPage
