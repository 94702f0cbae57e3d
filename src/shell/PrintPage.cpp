#include "shell/PrintPage.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "records/Clock.h"

namespace PrintPage {
namespace {
QString gNextPdf;

const QString kFamily = QStringLiteral("Sans Serif");
constexpr double kTablePt = 9.0;

// The paper of the default printer; without one, the locale's: Letter where
// it is the usual size, A4 elsewhere.
QPageSize defaultPageSize() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull() && info.defaultPageSize().isValid()) return info.defaultPageSize();
    const QLocale loc = QLocale::system();
    switch (loc.territory()) {
        case QLocale::UnitedStates:
        case QLocale::Canada:
        case QLocale::Mexico:
        case QLocale::Philippines:
        case QLocale::Chile:
        case QLocale::Colombia:
        case QLocale::Venezuela:
        case QLocale::PuertoRico:
            return QPageSize(QPageSize::Letter);
        default:
            break;
    }
    return QPageSize(loc.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                          : QPageSize::A4);
}

QFont font(double pt, bool bold = false) {
    QFont f(kFamily);
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

// Column widths of a table at a font size, each with its padding.
std::vector<double> columnWidths(const Page::Table& t, double pt, QPaintDevice* dev) {
    const QFontMetricsF head(font(pt, true), dev);
    const QFontMetricsF body(font(pt), dev);
    const double pad = body.averageCharWidth() * 1.5;
    std::vector<double> w(static_cast<std::size_t>(t.headings.size()), 0.0);
    for (std::size_t c = 0; c < w.size(); ++c)
        w[c] = head.horizontalAdvance(t.headings[static_cast<qsizetype>(c)]);
    for (const QStringList& row : t.rows)
        for (std::size_t c = 0; c < w.size() && c < static_cast<std::size_t>(row.size()); ++c)
            w[c] = std::max(w[c], body.horizontalAdvance(row[static_cast<qsizetype>(c)]));
    for (double& x : w) x += 2 * pad;
    return w;
}

double total(const std::vector<double>& w) {
    double s = 0;
    for (double x : w) s += x;
    return s;
}

bool isTable(const Page& page) { return !page.draw && page.html.isEmpty(); }

void setup(QPrinter& printer, const Page& page) {
    printer.setDocName(page.title);
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    bool landscape = page.landscape;
    if (isTable(page) && !landscape) {
        // A table too wide for the portrait width at its own size turns the sheet.
        printer.setPageOrientation(QPageLayout::Portrait);
        const double need = total(columnWidths(page.table, kTablePt, &printer));
        landscape = need > printer.width();
    }
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void drawFooter(QPainter& p, const QRectF& area, const Page& page, int n, int of) {
    p.save();
    p.setFont(font(8));
    p.setPen(QPen(Qt::black, 0));
    p.drawLine(area.topLeft(), area.topRight());
    const QFontMetricsF fm(p.font(), p.device());
    const QRectF text(area.left(), area.top() + fm.height() * 0.3, area.width(), fm.height());
    const QString right = QStringLiteral("page %1 of %2").arg(n).arg(of);
    const QString middle = QStringLiteral("Printed ") + todayText();
    const double side = (area.width() - fm.horizontalAdvance(middle)) / 2 - fm.averageCharWidth();
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(QDir::toNativeSeparators(page.sourceFile), Qt::ElideMiddle, side));
    p.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, middle);
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, right);
    p.restore();
}

// The sheets of a table: the caption on the first, the heading row on every
// one, and whole rows only.
void renderTable(QPainter& p, QPrinter& printer, const QRectF& body, const QRectF& foot,
                 const Page& page) {
    const Page::Table& t = page.table;
    double pt = kTablePt;
    std::vector<double> w = columnWidths(t, pt, &printer);
    if (total(w) > body.width()) {
        pt = std::floor(pt * body.width() / total(w) * 10) / 10;
        w = columnWidths(t, pt, &printer);
    }
    // The room left over is shared out, so the table spans the page.
    const double grow = body.width() / total(w);
    for (double& x : w) x *= grow;

    const QFontMetricsF fm(font(pt), &printer);
    const double rowH = fm.height() * 1.4;
    const QFontMetricsF capFm(font(pt + 2), &printer);
    const QStringList capLines = t.caption.split(QChar('\n'));
    const double capH = capFm.height() * 1.3 * static_cast<double>(capLines.size() + 1);
    const auto perFirst = std::max(1, static_cast<int>((body.height() - capH - rowH) / rowH));
    const auto perNext = std::max(1, static_cast<int>((body.height() - rowH) / rowH));
    const int nrows = static_cast<int>(t.rows.size());
    const int sheets = nrows <= perFirst ? 1 : 1 + (nrows - perFirst + perNext - 1) / perNext;

    auto drawRow = [&](double y, const QStringList& cells, bool heading) {
        p.setFont(font(pt, heading));
        double x = body.left();
        const double pad = fm.averageCharWidth() * 1.5;
        if (heading) p.fillRect(QRectF(body.left(), y, body.width(), rowH), QColor(225, 225, 225));
        for (std::size_t c = 0; c < w.size(); ++c) {
            const QRectF cell(x + pad, y, w[c] - 2 * pad, rowH);
            const bool right = c < t.alignRight.size() && t.alignRight[c];
            if (static_cast<qsizetype>(c) < cells.size())
                fitText(p, cell, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        cells[static_cast<qsizetype>(c)]);
            x += w[c];
        }
        p.setPen(QPen(heading ? Qt::black : QColor(150, 150, 150), 0));
        p.drawLine(QPointF(body.left(), y + rowH), QPointF(body.right(), y + rowH));
        p.setPen(QPen(Qt::black, 0));
    };

    int next = 0;
    for (int s = 0; s < sheets; ++s) {
        if (s > 0) printer.newPage();
        double y = body.top();
        if (s == 0) {
            p.setFont(font(pt + 2, true));
            for (int i = 0; i < capLines.size(); ++i) {
                if (i == 1) p.setFont(font(pt + 2));
                p.drawText(QRectF(body.left(), y, body.width(), capFm.height()),
                           Qt::AlignLeft | Qt::AlignVCenter, capLines[i]);
                y += capFm.height() * 1.3;
            }
            y = body.top() + capH;
        }
        drawRow(y, t.headings, true);
        y += rowH;
        const int per = s == 0 ? perFirst : perNext;
        for (int i = 0; i < per && next < nrows; ++i, ++next) {
            drawRow(y, t.rows[static_cast<std::size_t>(next)], false);
            y += rowH;
        }
        drawFooter(p, foot, page, s + 1, sheets);
    }
}

void renderHtml(QPainter& p, QPrinter& printer, const QRectF& body, const QRectF& foot,
                const Page& page) {
    QTextDocument doc;
    doc.setDefaultFont(font(10));
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setHtml(page.html);
    doc.setPageSize(body.size());
    const int sheets = std::max(1, doc.pageCount());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    for (int s = 0; s < sheets; ++s) {
        if (s > 0) printer.newPage();
        p.save();
        p.setClipRect(body);
        p.translate(0, -s * body.height());
        ctx.clip = QRectF(0, s * body.height(), body.width(), body.height());
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        drawFooter(p, foot, page, s + 1, sheets);
    }
}

void render(QPrinter& printer, const Page& page) {
    QPainter p(&printer);
    if (!p.isActive()) return;
    const QFontMetricsF fm(font(8), &printer);
    const double footH = fm.height() * 1.8;
    const QRectF body(0, 0, printer.width(), printer.height() - footH);
    const QRectF foot(0, body.bottom(), printer.width(), footH);
    if (page.draw) {
        p.save();
        page.draw(p, body);
        p.restore();
        drawFooter(p, foot, page, 1, 1);
    } else if (!page.html.isEmpty()) {
        renderHtml(p, printer, body, foot, page);
    } else {
        renderTable(p, printer, body, foot, page);
    }
}

}  // namespace

bool printToPdf(const Page& page, const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(defaultPageSize());
    setup(printer, page);
    render(printer, page);
    const QFileInfo fi(pdfPath);
    return fi.exists() && fi.size() > 0;
}

bool print(QWidget* parent, const Page& page) {
    if (!gNextPdf.isEmpty()) {
        const QString path = gNextPdf;
        gNextPdf.clear();
        return printToPdf(page, path);
    }
    QPrinter printer(QPrinter::HighResolution);
    if (printer.outputFormat() != QPrinter::NativeFormat) printer.setPageSize(defaultPageSize());
    setup(printer, page);

    // The preview comes first; its Print button opens the standard dialog.
    QDialog preview(parent);
    preview.setWindowTitle("Print Preview - " + page.title);
    auto* view = new QPrintPreviewWidget(&printer, &preview);
    QObject::connect(view, &QPrintPreviewWidget::paintRequested,
                     [&page](QPrinter* pr) { render(*pr, page); });
    auto* buttons = new QDialogButtonBox(&preview);
    QPushButton* printButton = buttons->addButton("&Print...", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(&preview);
    layout->addWidget(view, 1);
    layout->addWidget(buttons);
    bool printed = false;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &preview, &QDialog::reject);
    QObject::connect(printButton, &QPushButton::clicked, &preview, [&] {
        QPrintDialog dlg(&printer, &preview);
        dlg.setWindowTitle("Print " + page.title);
        if (dlg.exec() != QDialog::Accepted) return;
        render(printer, page);
        printed = true;
        preview.accept();
    });
    view->fitInView();
    preview.resize(760, 720);
    preview.exec();
    return printed;
}

QString esc(const QString& text) {
    QString s = text.toHtmlEscaped();
    s.replace("  ", "&nbsp; ");
    s.replace('\n', "<br>");
    return s;
}

QString dateText(std::int64_t days) {
    const QDate d = QDate(1970, 1, 1).addDays(days);
    return QLocale::system().toString(d, QStringLiteral("d MMM yyyy"));
}

QString todayText() { return dateText(records::today()); }

void fitText(QPainter& p, const QRectF& rect, int flags, const QString& text) {
    if (text.isEmpty()) return;
    const QFontMetricsF fm(p.font(), p.device());
    const double w = fm.horizontalAdvance(text);
    flags |= Qt::TextSingleLine;
    if (w <= rect.width() || rect.width() <= 0) {
        p.drawText(rect, flags, text);
        return;
    }
    p.save();
    QFont f = p.font();
    f.setPointSizeF(std::max(1.0, f.pointSizeF() * rect.width() / w * 0.97));
    p.setFont(f);
    p.drawText(rect, flags, text);
    p.restore();
}

void setNextPdfPath(const QString& path) { gNextPdf = path; }

}  // namespace PrintPage
