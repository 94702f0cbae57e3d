#include "planner/PlanPages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <vector>

#include "shell/WindowText.h"

namespace planner {

namespace {

QFont sheetFont(double pt, bool bold = false) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

QString onPaper(const QString& text) { return WindowText::pageText(text); }

template <std::size_t N>
QString onPaper(const records::FixedText<N>& field) {
    return WindowText::pageText(WindowText::fromField(field));
}

}  // namespace

int flightType(const PlanRecord& plan) {
    if (isSet(plan.IsVFR)) return 0;
    if (isSet(plan.IsIFR)) return 1;
    if (isSet(plan.IsDVFR)) return 2;
    return -1;
}

QString aircraftType(const PlanRecord& plan) {
    return WindowText::fromField(plan.AircraftType) + WindowText::fromField(plan.Special);
}

std::array<std::pair<const char*, QString>, 13> logHeader(const PlanRecord& r) {
    using WindowText::fromField;
    return {{{"Aircraft Ident:", fromField(r.AircraftIdent)},
             {"From:", fromField(r.Departure)},
             {"To:", fromField(r.Destination)},
             {"Alternate:", fromField(r.Alternates)},
             {"TAS:", fromField(r.TrueAirspeed)},
             {"Altitude:", fromField(r.CruiseAltitude)},
             {"Time Off:", fromField(r.TimeOff)},
             {"Time On:", fromField(r.TimeOn)},
             {"Elapsed:", fromField(r.Elapsed)},
             {"Fuel Onboard:", fromField(r.FuelOnBoard)},
             {"Fuel Rate:", fromField(r.FuelRate)},
             {"Fuel Required:", fromField(r.FuelRequired)},
             {"Fuel Remaining:", fromField(r.FuelRemaining)}}};
}

const std::array<const char*, 16> kLogHeadings = {"",
                                                  "TO / CHECKPOINTS",
                                                  "NAV AID\nIDENT\nFREQ",
                                                  "RADIAL\nTO\nFROM",
                                                  "TC",
                                                  "WCA",
                                                  "TH",
                                                  "VAR",
                                                  "MH",
                                                  "DEV",
                                                  "CH",
                                                  "Leg Dist.\nREM.",
                                                  "EGS\nAGS",
                                                  "ETE\nATE",
                                                  "ETA\nATA",
                                                  "Fuel Used\nREM."};

std::array<QString, 22> checkpointTexts(const PlanRecord& c) {
    using WindowText::fromField;
    return {fromField(c.CheckName),      fromField(c.NavIdent),    fromField(c.NavFreq),
            fromField(c.ToRadial),       fromField(c.FromRadial),  fromField(c.TrueCourse),
            fromField(c.WindCorrection), fromField(c.TrueHeading), fromField(c.Variation),
            fromField(c.MagHeading),     fromField(c.Deviation),   fromField(c.CorrectedHeading),
            fromField(c.LegDist),        fromField(c.LegDistRem),  fromField(c.EstGroundSpeed),
            fromField(c.ActGroundSpeed), fromField(c.LegETE),      fromField(c.LegATE),
            fromField(c.LegETA),         fromField(c.LegATA),      fromField(c.FuelUsed),
            fromField(c.CheckFuelRem)};
}

PrintPage::Page formPage(const PlanRecord& plan, const PlanRecord& personal,
                         const QString& sourceFile) {
    using namespace form;
    struct Box {
        QString caption;
        QString value;
    };
    const Box ident{kIdent, onPaper(plan.AircraftIdent)},
        type{kSpecial, onPaper(aircraftType(plan))}, tas{kTrueSpeed, onPaper(plan.TrueAirspeed)},
        depart{kDepart, onPaper(plan.Departure)}, cruise{kCruise, onPaper(plan.CruiseAltitude)},
        route{kRoute, onPaper(plan.Route)}, dest{kDestination, onPaper(plan.Destination)},
        remarks{kRemarks, onPaper(plan.Remarks)}, alts{kAlternates, onPaper(plan.Alternates)},
        aboard{kAboard, onPaper(plan.Aboard)}, color{kColor, onPaper(plan.Color)};
    const QStringList types = {kType, kVFR, kIFR, kDVFR};
    const int marks = flightType(plan);
    const std::array<bool, 3> marked = {marks == 0, marks == 1, marks == 2};
    const QStringList time = {kDepartTime, kProposed, kActual, onPaper(plan.ProposedTime),
                              onPaper(plan.ActualTime)};
    const QStringList enroute = {kEnRoute, kHours, kMinutes, onPaper(plan.EnRouteHours),
                                 onPaper(plan.EnRouteMinutes)};
    const QStringList fuel = {kFuel, kHours, kMinutes, onPaper(plan.FuelHours),
                              onPaper(plan.FuelMinutes)};
    QString cityLine = onPaper(personal.City);
    for (const QString& part : {onPaper(personal.State), onPaper(personal.Zip)}) {
        const QString v = part.trimmed();
        if (!v.isEmpty()) cityLine += (cityLine.trimmed().isEmpty() ? "" : " ") + v;
    }
    const QStringList pilot = {kPersonal, onPaper(personal.PilotName), onPaper(personal.Street),
                               cityLine,  onPaper(personal.Phone),     onPaper(personal.HomeBase)};
    const QString title1 = kAerokit, title2 = kRecord;
    const QString kts = kKTS;
    const QString closeWith = onPaper(plan.CloseWith).trimmed();
    const QString closeLine = kClose;
    QStringList legend = {kSuffixes};
    for (const char* line : kSuffixLines) legend << line;

    PrintPage::Page page;
    page.title = "Flight Plan Record";
    page.sourceFile = sourceFile;
    page.landscape = true;
    page.draw = [=](QPainter& p, const QRectF& body) {
        const QFont capFont = sheetFont(8), valFont = sheetFont(12);
        const QFontMetricsF capFm(capFont, p.device()), valFm(valFont, p.device());
        const double pad = capFm.averageCharWidth();
        p.setPen(QPen(Qt::black, 0));
        auto caption = [&](const QRectF& r, const QString& text) {
            p.setFont(capFont);
            QRectF used;
            p.drawText(r.adjusted(pad, pad / 2, -pad, 0),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
            return used.bottom();
        };
        auto value = [&](const QRectF& r, const QString& text) {
            p.setFont(valFont);
            PrintPage::fitText(p, r.adjusted(pad * 1.5, 0, -pad, 0),
                               Qt::AlignLeft | Qt::AlignVCenter, text);
        };
        // A box: its caption at the top, its one-line value under it.
        auto box = [&](const QRectF& r, const Box& bx) {
            p.drawRect(r);
            const double below = caption(r, bx.caption);
            value(QRectF(r.left(), below, r.width(), r.bottom() - below), bx.value);
        };
        // A box of several lines (route, remarks, box 14).
        auto textBox = [&](const QRectF& r, const QString& cap, const QString& text) {
            p.drawRect(r);
            const double below = caption(r, cap) + pad / 2;
            p.setFont(valFont);
            p.drawText(
                QRectF(r.left() + pad * 1.5, below, r.width() - pad * 2.5, r.bottom() - below),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        };
        // A box with two captioned halves (departure time, time en route, fuel).
        auto splitBox = [&](const QRectF& r, const QStringList& t) {
            p.drawRect(r);
            const double below = caption(r, t[0]) + pad / 2;
            const double half = r.width() / 2;
            for (int i = 0; i < 2; ++i) {
                const QRectF part(r.left() + half * i, below, half, r.bottom() - below);
                if (i == 1) p.drawLine(part.topLeft(), part.bottomLeft());
                const double vb = caption(part, t[1 + i]);
                value(QRectF(part.left(), vb, part.width(), part.bottom() - vb), t[3 + i]);
            }
        };

        // The heading and the suffix legend.
        const double x0 = body.left(), W = body.width();
        const double legendLine = capFm.height();
        const double headH = legendLine * 8.3;
        p.setFont(sheetFont(16, true));
        p.drawText(QRectF(x0, body.top(), W * 0.3, headH / 2), Qt::AlignLeft | Qt::AlignBottom,
                   title1);
        p.drawText(QRectF(x0, body.top() + headH / 2, W * 0.3, headH / 2),
                   Qt::AlignLeft | Qt::AlignTop, title2);
        const QRectF lg(x0 + W * 0.36, body.top(), W * 0.64, headH - legendLine * 0.4);
        p.drawRect(lg);
        p.setFont(sheetFont(8, true));
        p.drawText(QRectF(lg.left() + pad, lg.top() + legendLine * 0.3, lg.width(), legendLine),
                   Qt::AlignLeft | Qt::AlignVCenter, legend.value(0));
        p.setFont(capFont);
        for (int i = 1; i < legend.size(); ++i) {
            const int col = i <= 6 ? 0 : 1;
            const int row = i <= 6 ? i : i - 5;
            p.drawText(
                QRectF(lg.left() + pad + lg.width() / 2 * col, lg.top() + legendLine * (0.3 + row),
                       lg.width() / 2 - pad, legendLine),
                Qt::AlignLeft | Qt::AlignVCenter, legend[i]);
        }

        // The boxes, in the paper form's rows and proportions.
        const double closeH = valFm.height() * 2;
        const double top = body.top() + headH + legendLine * 0.5;
        const double unitH = (body.bottom() - closeH - top) / 8.5;  // rows of 2, 1.5, 2, 3
        double y = top;
        const double row1[] = {0.08, 0.14, 0.18, 0.11, 0.14, 0.20, 0.15};
        double x = x0;
        auto cell = [&](double frac, double h) {
            const QRectF r(x, y, W * frac, h);
            x += W * frac;
            return r;
        };
        {
            const QRectF r = cell(row1[0], unitH * 2);
            p.drawRect(r);
            const double below = caption(r, types[0]);
            const double lineH = (r.bottom() - below) / 3;
            for (int i = 0; i < 3; ++i) {
                const QRectF mark(r.left() + pad * 1.5,
                                  below + lineH * i + (lineH - capFm.height()) / 2, capFm.height(),
                                  capFm.height());
                p.drawRect(mark);
                if (marked[static_cast<std::size_t>(i)]) {
                    p.setFont(sheetFont(9, true));
                    p.drawText(mark, Qt::AlignCenter, QStringLiteral("X"));
                }
                p.setFont(capFont);
                p.drawText(QRectF(mark.right() + pad, below + lineH * i, r.width(), lineH),
                           Qt::AlignLeft | Qt::AlignVCenter, types[1 + i]);
            }
        }
        box(cell(row1[1], unitH * 2), ident);
        box(cell(row1[2], unitH * 2), type);
        {
            const QRectF r = cell(row1[3], unitH * 2);
            box(r, tas);
            p.setFont(capFont);
            p.drawText(r.adjusted(pad, 0, -pad, -pad / 2), Qt::AlignRight | Qt::AlignBottom, kts);
        }
        box(cell(row1[4], unitH * 2), depart);
        splitBox(cell(row1[5], unitH * 2), time);
        box(cell(row1[6], unitH * 2), cruise);
        y += unitH * 2;
        x = x0;
        textBox(cell(1.0, unitH * 1.5), route.caption, route.value);
        y += unitH * 1.5;
        x = x0;
        box(cell(0.25, unitH * 2), dest);
        splitBox(cell(0.17, unitH * 2), enroute);
        textBox(cell(0.58, unitH * 2), remarks.caption, remarks.value);
        y += unitH * 2;
        x = x0;
        splitBox(cell(0.13, unitH * 3), fuel);
        box(cell(0.14, unitH * 3), alts);
        textBox(cell(0.41, unitH * 3), pilot[0], pilot.mid(1).join(QChar('\n')));
        box(cell(0.14, unitH * 3), aboard);
        box(cell(0.18, unitH * 3), color);
        y += unitH * 3;

        // The closing line, the station written over its blank.
        const QString blank = QStringLiteral("_____________");
        const int at = closeLine.indexOf(blank);
        const QString before = at < 0 ? closeLine : closeLine.left(at);
        const QString after = at < 0 ? QString() : closeLine.mid(at + blank.size());
        p.setFont(valFont);
        const QRectF line(x0, y, W, closeH);
        p.drawRect(line);
        const double bw = valFm.horizontalAdvance(before),
                     gap = valFm.horizontalAdvance(blank) * 1.4;
        const double lx = x0 + pad * 1.5;
        p.drawText(QRectF(lx, y, bw, closeH), Qt::AlignLeft | Qt::AlignVCenter, before);
        p.drawLine(QPointF(lx + bw, y + closeH * 0.72), QPointF(lx + bw + gap, y + closeH * 0.72));
        PrintPage::fitText(p, QRectF(lx + bw, y, gap, closeH * 0.7),
                           Qt::AlignHCenter | Qt::AlignBottom, closeWith);
        p.drawText(QRectF(lx + bw + gap, y, W, closeH), Qt::AlignLeft | Qt::AlignVCenter, after);
    };
    return page;
}

PrintPage::Page logPage(const PlanRecord& headerRecord, const QString& runwayText,
                        const std::array<PlanRecord, 10>& checkpoints, const QString& sourceFile) {
    std::vector<std::pair<QString, QString>> header;
    for (const auto& [caption, value] : logHeader(headerRecord))
        header.emplace_back(caption, onPaper(value));
    const QString runway = onPaper(runwayText);
    // The grid's columns in the window's pairing: the second value of a pair
    // stands under the first (indexes into checkpointTexts, -1 for none);
    // widths in characters of the stored fields.
    struct Cells {
        QStringList heading;
        int chars;
        std::array<QString, 10> top, bottom;
        bool paired;
    };
    std::array<std::array<QString, 22>, 10> texts;
    for (std::size_t k = 0; k < 10; ++k) texts[k] = checkpointTexts(checkpoints[k]);
    std::vector<Cells> grid;
    int first = 0;
    for (std::size_t c = 1; c < kLogHeadings.size(); ++c) {
        Cells cells{QString(kLogHeadings[c]).split(QChar('\n')), c == 1 ? 25 : 10, {}, {}, false};
        // A heading of two or three lines heads a pair of values.
        cells.paired = cells.heading.size() > 1;
        for (std::size_t k = 0; k < 10; ++k) {
            cells.top[k] = onPaper(texts[k][static_cast<std::size_t>(first)]);
            if (cells.paired)
                cells.bottom[k] = onPaper(texts[k][static_cast<std::size_t>(first + 1)]);
        }
        first += cells.paired ? 2 : 1;
        grid.push_back(std::move(cells));
    }

    PrintPage::Page page;
    page.title = "Flight Log";
    page.sourceFile = sourceFile;
    page.landscape = true;
    page.draw = [header, runway, grid](QPainter& p, const QRectF& body) {
        const QPen thin(Qt::black, 0);
        p.setPen(thin);
        double y = body.top();
        p.setFont(sheetFont(14, true));
        const double titleH = QFontMetricsF(p.font(), p.device()).height() * 1.3;
        p.drawText(QRectF(body.left(), y, body.width(), titleH), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Aerokit \u2014 Flight Log"));
        y += titleH;

        // Header: four caption/value pairs a row; the runway information
        // beside the last one.
        const QFontMetricsF capFm(sheetFont(7.5), p.device());
        const QFontMetricsF valFm(sheetFont(10), p.device());
        const double hp = capFm.averageCharWidth();
        const double hRowH = capFm.height() + valFm.height() * 1.2 + hp / 3;
        const double hColW = body.width() / 4;
        for (std::size_t i = 0; i < header.size(); ++i) {
            const QRectF cell(body.left() + hColW * static_cast<double>(i % 4),
                              y + hRowH * static_cast<double>(i / 4), hColW, hRowH);
            p.drawRect(cell);
            p.setFont(sheetFont(7.5));
            p.drawText(cell.adjusted(hp, hp / 3, -hp, 0), Qt::AlignLeft | Qt::AlignTop,
                       header[i].first);
            p.setFont(sheetFont(10));
            PrintPage::fitText(p, cell.adjusted(hp, capFm.height() + hp / 3, -hp, 0),
                               Qt::AlignLeft | Qt::AlignVCenter, header[i].second);
        }
        const QRectF rwy(body.left() + hColW, y + hRowH * 3, hColW * 3, hRowH);
        const QRectF rwyBox(rwy.left(), rwy.top(), rwy.width(), hRowH * 1.6);
        p.drawRect(rwyBox);
        p.setFont(sheetFont(7.5));
        p.drawText(rwyBox.adjusted(hp, hp / 3, -hp, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("RUNWAY INFORMATION"));
        p.setFont(sheetFont(9));
        p.drawText(rwyBox.adjusted(hp, capFm.height() + hp / 3, -hp, 0),
                   Qt::AlignLeft | Qt::TextWordWrap, runway);
        y = rwyBox.bottom() + valFm.height() * 0.8;

        // The grid: the row number, then the columns sized by their fields.
        int chars = 3;
        for (const Cells& c : grid) chars += c.chars;
        const double unit = body.width() / chars;
        // Values at the size at which ten digits fill a ten-character column.
        QFont valueFont = sheetFont(10);
        const double tenDigits =
            QFontMetricsF(valueFont, p.device()).horizontalAdvance(QStringLiteral("0000000000"));
        valueFont.setPointSizeF(std::min(10.0, 10.0 * (unit * 10 - unit * 0.6) / tenDigits));
        const QFontMetricsF vfm(valueFont, p.device());
        const QFont headFont = sheetFont(std::min(8.0, valueFont.pointSizeF()), true);
        const double headH = QFontMetricsF(headFont, p.device()).height() * 3.3;
        // Rows take the rest of the sheet: room to write the actual figures in.
        const double rowH = std::min((body.bottom() - y - headH) / 10, vfm.height() * 4.5);
        auto colX = [&](std::size_t c) {
            double x = body.left() + unit * 3;
            for (std::size_t i = 0; i < c; ++i) x += unit * grid[i].chars;
            return x;
        };
        const double right = body.left() + unit * chars;
        p.setFont(headFont);
        p.fillRect(QRectF(body.left(), y, right - body.left(), headH), QColor(225, 225, 225));
        for (std::size_t c = 0; c < grid.size(); ++c) {
            const QRectF cell(colX(c), y, unit * grid[c].chars, headH);
            const QStringList& h = grid[c].heading;
            const double lineH = headH / static_cast<double>(h.size());
            for (int i = 0; i < h.size(); ++i)
                PrintPage::fitText(
                    p, QRectF(cell.left() + 2, cell.top() + lineH * i, cell.width() - 4, lineH),
                    Qt::AlignCenter, h[i]);
        }
        const double top = y;
        y += headH;
        p.setPen(thin);
        for (int k = 0; k < 10; ++k) {
            const auto ks = static_cast<std::size_t>(k);
            const double ry = y + rowH * k;
            p.setFont(valueFont);
            PrintPage::fitText(p, QRectF(body.left() + 2, ry, unit * 3 - 4, rowH), Qt::AlignCenter,
                               QString::number(k + 1) + ".");
            for (std::size_t c = 0; c < grid.size(); ++c) {
                const QRectF cell(colX(c) + unit * 0.3, ry, unit * grid[c].chars - unit * 0.6,
                                  rowH);
                const int align = c == 0 ? Qt::AlignLeft : Qt::AlignHCenter;
                if (grid[c].paired) {
                    PrintPage::fitText(p, QRectF(cell.left(), ry, cell.width(), rowH / 2),
                                       align | Qt::AlignVCenter, grid[c].top[ks]);
                    PrintPage::fitText(p,
                                       QRectF(cell.left(), ry + rowH / 2, cell.width(), rowH / 2),
                                       align | Qt::AlignVCenter, grid[c].bottom[ks]);
                    p.setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));
                    p.drawLine(QPointF(colX(c), ry + rowH / 2),
                               QPointF(colX(c) + unit * grid[c].chars, ry + rowH / 2));
                    p.setPen(thin);
                } else {
                    PrintPage::fitText(p, cell, align | Qt::AlignVCenter, grid[c].top[ks]);
                }
            }
            p.drawLine(QPointF(body.left(), ry + rowH), QPointF(right, ry + rowH));
        }
        const double bottom = y + rowH * 10;
        p.drawRect(QRectF(body.left(), top, right - body.left(), bottom - top));
        p.drawLine(QPointF(body.left(), y), QPointF(right, y));
        for (std::size_t c = 0; c < grid.size(); ++c)
            p.drawLine(QPointF(colX(c), top), QPointF(colX(c), bottom));
    };
    return page;
}

}  // namespace planner
