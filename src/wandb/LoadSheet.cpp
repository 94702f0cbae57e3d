#include "wandb/LoadSheet.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "shell/WindowText.h"

namespace wandb {
namespace {

using PrintPage::esc;

QString cell(const QString& s, bool right = true) {
    return QString("<td%1>%2</td>").arg(right ? " align=\"right\"" : "", esc(s));
}

QString sheetHtml(const LoadSheet& s) {
    const bool calculated = s.state == LoadSheet::State::Calculated;
    QString html;
    html += "<h2>Weight and Balance</h2>";
    html += "<p>Aircraft: <b>" + esc(s.ident) + "</b> &nbsp; " + esc(s.make) + "</p>";
    if (!calculated)
        html += QString(
                    "<table border=\"2\" cellspacing=\"0\" cellpadding=\"6\"><tr><td><b>%1"
                    "</b></td></tr></table><p></p>")
                    .arg(s.state == LoadSheet::State::NotCalculated
                             ? "Not calculated: no calculation was made for this loading"
                             : "Not calculated: the loading changed after the last calculation");
    html +=
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">"
        "<tr><th align=\"left\">Station</th><th>Load</th><th>Weight</th><th>Arm</th>";
    if (calculated) html += "<th>Moment</th>";
    html += "</tr>";
    for (const LoadSheet::Row& r : s.rows)
        html += "<tr>" + cell(r.station, false) + cell(r.load) + cell(r.weight) + cell(r.arm) +
                (calculated ? cell(r.moment) : "") + "</tr>";
    if (calculated)
        html += "<tr><td><b>Takeoff</b></td><td></td>" + cell(s.takeoff.weight) +
                cell(s.takeoff.arm) + cell(s.takeoff.moment) + "</tr>";
    html += "</table>";
    // Results and limits side by side, as the window shows them; the pilot
    // compares them.
    html +=
        "<h3>Aircraft Weights and Center of Gravity (CG)</h3>"
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
    if (calculated)
        html += "<tr><th></th><th>Weight</th><th>CG</th></tr><tr><td>Zero Fuel</td>" +
                cell(s.zeroFuelWeight) + cell(s.zeroFuelCG) + "</tr><tr><td>Takeoff</td>" +
                cell(s.takeoffWeight) + cell(s.takeoffCG) + "</tr>";
    html += "<tr><td>Limits</td><td align=\"right\">Max Weight: " + esc(s.maxWeight) +
            "</td><td align=\"right\">Forward: " + esc(s.fwdLimit) +
            " &nbsp; Aft: " + esc(s.aftLimit) + "</td></tr></table>";
    html += "<p>Weights in pounds; arms, moments and CG limits in the aircraft's own units.</p>";
    return html;
}

QFont chartFont(double pt, bool bold = false) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

// Text on a white ground, so it stays readable over the shading and the grid.
void boxedText(QPainter& p, const QRectF& r, int flags, const QString& text) {
    p.fillRect(r, Qt::white);
    p.drawText(r, flags | Qt::TextSingleLine, text);
}

// The loading on the aircraft's limits: weight up, CG across. Vector
// drawing only, in black and greys, so it prints sharp in black and white.
void drawChart(QPainter& p, const QRectF& area, const ChartFigures& f, const ChartAxes& axes) {
    const double pt = p.device()->logicalDpiY() / 72.0;  // device pixels per point
    const QFontMetricsF small(chartFont(8), p.device());
    const QFontMetricsF title(chartFont(10, true), p.device());
    const double line = small.height();

    p.setFont(chartFont(10, true));
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), title.height()),
               Qt::AlignLeft | Qt::AlignVCenter, "CG Chart");

    const auto cgTicks = axes.cg.ticks();
    const auto weightTicks = axes.weight.ticks();
    double tickWidth = 0;
    for (double t : weightTicks)
        tickWidth = std::max(tickWidth, small.horizontalAdvance(WindowText::dbl(t)));
    // Room for the limits' labels above, the tick values and titles beside.
    const QRectF r(
        QPointF(area.left() + line * 1.6 + tickWidth + 4 * pt,
                area.top() + title.height() * 1.4 + line * 1.4),
        QPointF(area.right() - small.averageCharWidth() * 2, area.bottom() - line * 3.2));
    if (r.width() <= 0 || r.height() <= 0) return;

    auto X = [&](double cg) {
        return r.left() + (cg - axes.cg.lo) / (axes.cg.hi - axes.cg.lo) * r.width();
    };
    auto Y = [&](double w) {
        return r.bottom() - (w - axes.weight.lo) / (axes.weight.hi - axes.weight.lo) * r.height();
    };

    // The allowed region: between the CG limits, up to the maximum weight.
    if (f.fwdLimit < f.aftLimit)
        p.fillRect(
            QRectF(QPointF(X(f.fwdLimit), Y(f.maxWeight)), QPointF(X(f.aftLimit), r.bottom())),
            QColor(228, 228, 228));

    // Grid and tick values.
    p.setFont(chartFont(8));
    for (double t : cgTicks) {
        p.setPen(QPen(QColor(170, 170, 170), 0.4 * pt));
        p.drawLine(QPointF(X(t), r.top()), QPointF(X(t), r.bottom()));
        p.setPen(Qt::black);
        const QString s = WindowText::dbl(t);
        const double w = small.horizontalAdvance(s) + 2;
        // Below the lowest weight's value, which stands level with the axis.
        p.drawText(QRectF(X(t) - w / 2, r.bottom() + line * 0.55, w, line), Qt::AlignCenter, s);
    }
    for (double t : weightTicks) {
        p.setPen(QPen(QColor(170, 170, 170), 0.4 * pt));
        p.drawLine(QPointF(r.left(), Y(t)), QPointF(r.right(), Y(t)));
        p.setPen(Qt::black);
        p.drawText(QRectF(r.left() - tickWidth - 4 * pt, Y(t) - line / 2, tickWidth + 1, line),
                   Qt::AlignRight | Qt::AlignVCenter, WindowText::dbl(t));
    }
    p.setPen(QPen(Qt::black, 0.8 * pt));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);

    // Axis titles in the units the tables use.
    p.drawText(QRectF(r.left(), r.bottom() + line * 1.55, r.width(), line * 1.4), Qt::AlignCenter,
               "CG (aircraft's own units)");
    p.save();
    p.translate(area.left() + line * 0.2, r.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-r.height() / 2, 0, r.height(), line * 1.2), Qt::AlignCenter,
               "Weight (pounds)");
    p.restore();

    // The limits, labelled with their values: the CG limits above the chart,
    // each on the outer side of its line, the maximum weight on its line.
    p.setPen(QPen(Qt::black, 1.6 * pt, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(X(f.fwdLimit), r.top()), QPointF(X(f.fwdLimit), r.bottom()));
    p.drawLine(QPointF(X(f.aftLimit), r.top()), QPointF(X(f.aftLimit), r.bottom()));
    p.drawLine(QPointF(r.left(), Y(f.maxWeight)), QPointF(r.right(), Y(f.maxWeight)));
    p.setPen(Qt::black);
    const QString fwd = "Forward limit " + WindowText::single(f.fwdLimit);
    const QString aft = "Aft limit " + WindowText::single(f.aftLimit);
    const QString max = "Max takeoff weight " + WindowText::single(f.maxWeight) + " lbs";
    const double fwdW = small.horizontalAdvance(fwd), aftW = small.horizontalAdvance(aft);
    const double above = r.top() - line * 1.2;
    p.drawText(QRectF(X(f.fwdLimit) - fwdW - 2 * pt, above, fwdW + 2, line),
               Qt::AlignRight | Qt::AlignVCenter, fwd);
    p.drawText(QRectF(X(f.aftLimit) + 2 * pt, above, aftW + 2, line),
               Qt::AlignLeft | Qt::AlignVCenter, aft);
    const double maxW = small.horizontalAdvance(max) + 4 * pt;
    boxedText(p, QRectF(r.left() + 4 * pt, Y(f.maxWeight) - line - 2 * pt, maxW, line),
              Qt::AlignCenter, max);

    // The loading: zero fuel to takeoff, the line between them the fuel.
    const QPointF zero(X(f.zeroFuelCG), Y(f.zeroFuelWeight));
    const QPointF takeoff(X(f.takeoffCG), Y(f.takeoffWeight));
    p.setPen(QPen(Qt::black, 1.2 * pt, Qt::DashLine));
    p.drawLine(zero, takeoff);
    const double mark = 3.5 * pt;
    p.setPen(QPen(Qt::black, 1.2 * pt));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(zero.x() - mark, zero.y() - mark, 2 * mark, 2 * mark));
    p.setBrush(Qt::black);
    p.drawEllipse(takeoff, mark, mark);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::black);
    auto pointLabel = [&](const QPointF& at, const QString& text, bool over) {
        const double w = small.horizontalAdvance(text) + 4 * pt;
        double x = at.x() + mark + 3 * pt;
        if (x + w > r.right()) x = at.x() - mark - 3 * pt - w;  // no room on the right
        const double y = over ? at.y() - mark - line : at.y() + mark;
        boxedText(p, QRectF(x, y, w, line), Qt::AlignCenter, text);
    };
    // The heavier point's label goes above it, the lighter one's below.
    const bool takeoffHigher = f.takeoffWeight >= f.zeroFuelWeight;
    pointLabel(zero,
               "Zero fuel " + WindowText::single(f.zeroFuelWeight) + " lbs, CG " +
                   WindowText::single(f.zeroFuelCG),
               !takeoffHigher);
    pointLabel(takeoff,
               "Takeoff " + WindowText::single(f.takeoffWeight) + " lbs, CG " +
                   WindowText::single(f.takeoffCG),
               takeoffHigher);
}

}  // namespace

PrintPage::Page loadSheetPage(const LoadSheet& sheet) {
    PrintPage::Page page;
    page.title = "Weight and Balance";
    if (!sheet.ident.isEmpty()) page.sourceFile = sheet.ident + ".pln";
    const QString html = sheetHtml(sheet);
    const std::optional<ChartAxes> axes = sheet.state == LoadSheet::State::Calculated && sheet.chart
                                              ? chartAxes(*sheet.chart)
                                              : std::nullopt;
    if (!axes) {
        page.html = html;
        return page;
    }
    // One sheet: the tables as flowing text, the chart in the room below.
    page.draw = [html, figures = *sheet.chart, axes = *axes](QPainter& p, const QRectF& body) {
        QTextDocument doc;
        doc.setDefaultFont(chartFont(10));
        doc.documentLayout()->setPaintDevice(p.device());
        doc.setHtml(html);
        doc.setTextWidth(body.width());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        p.save();
        p.translate(body.topLeft());
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        // The chart lines up with the text (inset by the document's margin,
        // which the layout scales to the printer), below it after a gap.
        const double margin = doc.documentLayout()->blockBoundingRect(doc.firstBlock()).left();
        const double top = body.top() + doc.size().height() + margin;
        const double height = std::min(body.bottom() - top, body.width() * 0.7);
        drawChart(p, QRectF(body.left() + margin, top, body.width() - 2 * margin, height), figures,
                  axes);
    };
    return page;
}

}  // namespace wandb
