// Writing a logbook's flights in a program's layout. Every value the
// layout cannot carry as it is, or that the program would read otherwise,
// is reported with its flight.
#include <charconv>
#include <cmath>
#include <map>

#include "convert/Csv.h"
#include "convert/LogCsv.h"
#include "convert/Text.h"
#include "logbook/Currency.h"
#include "logbook/Logbook.h"
#include "records/CodePage.h"

namespace convert {
namespace {

using M = Meaning;

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

template <std::size_t N>
std::string_view view(const records::FixedText<N>& t) {
    return trimRight(std::string_view(t.bytes.data(), N));
}

std::string utf8(std::string_view cp1252) {
    return isAscii(cp1252) ? std::string(cp1252) : records::cp1252ToUtf8(cp1252);
}

void appendInt(std::string& out, int v) {
    char buf[8];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string isoDate(std::string_view typed, const ExportOptions& o) {
    const auto d = logbook::flightDate(typed, o.dates, o.currentYear);
    if (!d) return {};
    int y = 0, m = 0, day = 0;
    records::civilFromDays(d->days, y, m, day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, day);
    return buf;
}

CatClass catClassOf(const LogRecord& r, bool& exact) {
    const int options = (r.CatSingle != 0) + (r.CatMulti != 0) + (r.CatRotor != 0) +
                        (r.CatAirship != 0) + (r.CatGlider != 0);
    const bool se = r.SELand || r.SESea, me = r.MELand || r.MESea;
    exact = options <= 1;
    if (r.CatSingle) {
        exact = exact && !me && (r.SELand != 0) != (r.SESea != 0);
        return r.SESea && !r.SELand ? CatClass::ASES : CatClass::ASEL;
    }
    if (r.CatMulti) {
        exact = exact && !se && (r.MELand != 0) != (r.MESea != 0);
        return r.MESea && !r.MELand ? CatClass::AMES : CatClass::AMEL;
    }
    exact = exact && !se && !me;
    if (r.CatRotor) return CatClass::Rotor;
    if (r.CatAirship) return CatClass::Airship;
    if (r.CatGlider) return CatClass::Glider;
    return CatClass::None;
}

bool untouchedLine(const records::FixedText<10>& type, std::int16_t count) {
    return view(type) == "Select Typ" && count == 0;
}

class Writer {
  public:
    Writer(const ExportOptions& o, Report& report) : o_(o), report_(report) {
        ff_ = o.to == FormatId::ForeFlight;
        decimal_ = ff_ ? '.' : o.decimalMark;
        sep_ = decimal_ == ',' ? ';' : ',';
    }
    char separator() const { return sep_; }

    void cell(std::string& out, const ColumnDef& c, const LogRecord& r, std::int64_t n);
    void number(std::string& out, float v, std::string_view column, std::int64_t n,
                const LogRecord& r);
    std::string flight(std::int64_t n, const LogRecord& r) const {
        const std::string_view date = trimRight(view(r.Date));
        return "flight " + std::to_string(n - 1) + (date.empty() ? "" : " (" + utf8(date) + ")");
    }

  private:
    const ExportOptions& o_;
    Report& report_;
    bool ff_;
    char decimal_, sep_;
};

void Writer::number(std::string& out, float v, std::string_view column, std::int64_t n,
                    const LogRecord& r) {
    if (!std::isfinite(v)) {
        std::string text;
        appendShortest(text, v);
        report_.add("values that are no number written empty (an import would refuse them)",
                    flight(n, r) + ", column " + quoted(column) + ": " + text);
        return;
    }
    const std::size_t at = out.size();
    appendShortest(out, v);
    if (decimal_ != '.')
        for (std::size_t i = at; i < out.size(); ++i)
            if (out[i] == '.') out[i] = decimal_;
}

void Writer::cell(std::string& out, const ColumnDef& c, const LogRecord& r, std::int64_t n) {
    const std::string_view column = primaryName(c);
    auto text = [&](std::string_view cp1252) { appendCsvField(out, utf8(cp1252), sep_); };
    switch (c.meaning) {
        case M::None:
        case M::ModelCode:
        case M::Category:
        case M::Class:
        case M::DayFullStop:
        case M::DayTouchAndGo:
        case M::NightTouchAndGo:
            break;
        case M::Date: {
            const std::string iso = isoDate(view(r.Date), o_);
            if (iso.empty() && !records::trimSpaces(view(r.Date)).empty() &&
                o_.to != FormatId::Aerokit)
                report_.add(
                    "typed dates that do not convert by the locale's date order written "
                    "without Date (the typed text is in \"Date As Typed\")",
                    flight(n, r));
            out += iso;
            break;
        }
        case M::DateTyped:
            text(view(r.Date));
            break;
        case M::Ident:
        case M::AircraftID:
            text(view(r.Ident));
            break;
        case M::Make:
            text(view(r.Make));
            break;
        case M::From:
            text(view(r.From));
            break;
        case M::To:
            text(view(r.To));
            break;
        case M::Route: {
            if (ff_) break;  // ForeFlight has From and To; its Route is the points between
            const std::string from = utf8(records::trimSpaces(view(r.From)));
            const std::string to = utf8(records::trimSpaces(view(r.To)));
            if (from.empty() != to.empty())
                report_.add("flights with only a From or only a To: the Route reads back as both",
                            flight(n, r));
            appendCsvField(out,
                           from == to || to.empty() ? from
                           : from.empty()           ? to
                                                    : from + " " + to,
                           sep_);
            break;
        }
        case M::Remarks:
            text(view(r.Remarks));
            break;
        case M::Total:
            number(out, r.Total, column, n, r);
            break;
        case M::InCommand:
            number(out, r.InCommand, column, n, r);
            break;
        case M::SIC:
            number(out, r.SIC, column, n, r);
            break;
        case M::Night:
            number(out, r.Night, column, n, r);
            break;
        case M::Day:
            number(out, r.Day, column, n, r);
            break;
        case M::XCountry:
            number(out, r.XCountry, column, n, r);
            break;
        case M::Instrument:
            number(out, r.Instrument, column, n, r);
            break;
        case M::SimInstrument:
            number(out, r.SimInstrument, column, n, r);
            break;
        case M::Simulator:
            number(out, r.Simulator, column, n, r);
            break;
        case M::Dual:
            number(out, r.Dual, column, n, r);
            break;
        case M::CFI:
            number(out, r.CFI, column, n, r);
            break;
        case M::CFII:
            number(out, r.CFII, column, n, r);
            break;
        case M::Ground:
            number(out, r.Ground, column, n, r);
            break;
        case M::InstrApp:
            if (o_.to == FormatId::MyFlightbook && r.InstrApp != std::floor(r.InstrApp))
                report_.add(
                    "approach counts that are no whole number (MyFlightbook counts whole "
                    "approaches)",
                    flight(n, r));
            number(out, r.InstrApp, column, n, r);
            break;
        case M::AllLandings: {
            const float all = r.Landings + r.NightLand;
            if (std::isfinite(all) && all - r.NightLand != r.Landings)
                report_.add("landings whose sum does not give back the day landings exactly",
                            flight(n, r));
            number(out, all, column, n, r);
            break;
        }
        case M::DayLandings:
            number(out, r.Landings, column, n, r);
            break;
        case M::NightLandings:
            number(out, r.NightLand, column, n, r);
            break;
        case M::AppType: {
            const records::FixedText<10>* types[] = {&r.AppType1, &r.AppType2, &r.AppType3,
                                                     &r.AppType4};
            text(view(*types[c.index]));
            break;
        }
        case M::AppCount: {
            const std::int16_t counts[] = {r.AppCount1, r.AppCount2, r.AppCount3, r.AppCount4};
            appendInt(out, counts[c.index]);
            break;
        }
        case M::ApproachNames:
        case M::PackedApproach: {
            const records::FixedText<10>* types[] = {&r.AppType1, &r.AppType2, &r.AppType3,
                                                     &r.AppType4};
            const std::int16_t counts[] = {r.AppCount1, r.AppCount2, r.AppCount3, r.AppCount4};
            std::string s;
            for (int i = 0; i < 4; ++i) {
                if (c.meaning == M::PackedApproach && i != c.index) continue;
                if (untouchedLine(*types[i], counts[i])) continue;
                const std::string_view t = records::trimSpaces(view(*types[i]));
                const std::string type = t == "Select Typ" ? std::string() : utf8(t);
                if (type.find_first_of(c.meaning == M::PackedApproach ? ";" : " ,;") !=
                    std::string::npos)
                    report_.add("approach types with a separator in them read back split",
                                flight(n, r) + ": " + quoted(type));
                if (c.meaning == M::PackedApproach) {
                    s = std::to_string(counts[i]) + ";" + type + ";;;";
                } else {
                    s += (s.empty() ? "" : " ") + std::to_string(counts[i]) + "-" + type;
                }
            }
            appendCsvField(out, s, sep_);
            break;
        }
        case M::CategoryClass: {
            bool exact = true;
            const CatClass k = catClassOf(r, exact);
            if (!exact)
                report_.add("category options and land/sea boxes one category/class cannot say",
                            flight(n, r) + ": written as " +
                                quoted(k == CatClass::None ? "" : catClassName(k, o_.to)));
            out += catClassName(k, o_.to);
            break;
        }
        case M::CatSingle:
            appendInt(out, r.CatSingle);
            break;
        case M::SELand:
            appendInt(out, r.SELand);
            break;
        case M::SESea:
            appendInt(out, r.SESea);
            break;
        case M::CatMulti:
            appendInt(out, r.CatMulti);
            break;
        case M::MELand:
            appendInt(out, r.MELand);
            break;
        case M::MESea:
            appendInt(out, r.MESea);
            break;
        case M::CatRotor:
            appendInt(out, r.CatRotor);
            break;
        case M::CatAirship:
            appendInt(out, r.CatAirship);
            break;
        case M::CatGlider:
            appendInt(out, r.CatGlider);
            break;
        case M::Count_:
            break;
    }
}

// ForeFlight's column type row above each table's header.
std::string_view foreFlightType(M m) {
    if (isHours(m)) return "Decimal";
    switch (m) {
        case M::Date:
            return "Date";
        case M::AllLandings:
        case M::NightLandings:
        case M::InstrApp:
            return "Number";
        case M::PackedApproach:
            return "Packed Detail";
        default:
            return "Text";
    }
}

}  // namespace

ExportResult exportFlights(std::string_view bytes, const ExportOptions& o) {
    ExportResult res;
    constexpr std::size_t len = LogRecord::Size;
    // Read as the program reads it: every whole flight of a damaged logbook.
    const logbook::Check check = logbook::checkFirstRecord(
        bytes.size(), records::ConstByteSpan(reinterpret_cast<const records::Byte*>(bytes.data()),
                                             std::min(bytes.size(), len)));
    if (!check.ok()) {
        res.error = logbook::describe(check);
        return res;
    }
    res.notice = logbook::damageNotice(check);

    const Format& format = formatOf(o.to);
    Writer w(o, res.changes);
    const char sep = w.separator();
    std::vector<const ColumnDef*> columns, aircraftColumns;
    for (const ColumnDef& c : format.columns)
        if (c.written) (c.aircraft ? aircraftColumns : columns).push_back(&c);

    std::string out;
    out.reserve(static_cast<std::size_t>(check.lastFlight) * 240 + 1024);
    auto header = [&](const std::vector<const ColumnDef*>& cols) {
        for (std::size_t i = 0; i < cols.size(); ++i) {
            if (i) out += sep;
            appendCsvField(out, primaryName(*cols[i]), sep);
        }
        out += "\r\n";
    };
    auto types = [&](const std::vector<const ColumnDef*>& cols) {
        for (std::size_t i = 0; i < cols.size(); ++i) {
            if (i) out += sep;
            out += foreFlightType(cols[i]->meaning);
        }
        out += "\r\n";
    };
    auto record = [&](std::int64_t n) {
        return LogRecord::decode(
            records::ConstByteSpan(reinterpret_cast<const records::Byte*>(bytes.data()) +
                                       static_cast<std::size_t>(n - 1) * len,
                                   len));
    };

    if (o.to == FormatId::MyFlightbook) out += "\xEF\xBB\xBF";  // MyFlightbook's own files start so
    if (o.to == FormatId::ForeFlight) {
        out +=
            "ForeFlight Logbook Import,This row is required for importing into ForeFlight. Do "
            "not delete or modify.\r\n\r\nAircraft Table\r\n";
        types(aircraftColumns);
        header(aircraftColumns);
        // One aircraft per tail number, as its first flight describes it.
        std::map<std::string, std::pair<std::string, CatClass>> seen;
        for (std::int64_t n = 2; n <= check.lastFlight; ++n) {
            const LogRecord r = record(n);
            const std::string ident(records::trimSpaces(view(r.Ident)));
            bool exact = true;
            const CatClass k = catClassOf(r, exact);
            const std::string make(view(r.Make));
            if (ident.empty()) {
                if (!make.empty() || k != CatClass::None)
                    res.changes.add(
                        "flights without a tail number: ForeFlight keeps model and "
                        "category with the aircraft, so they are not carried",
                        w.flight(n, r));
                continue;
            }
            const auto it = seen.find(ident);
            if (it != seen.end()) {
                if (it->second.first != make || it->second.second != k)
                    res.changes.add(
                        "flights whose model or category differs from their "
                        "aircraft's first flight: ForeFlight keeps one per aircraft",
                        w.flight(n, r) + ": " + quoted(utf8(ident)));
                continue;
            }
            seen.emplace(ident, std::make_pair(make, k));
            for (std::size_t i = 0; i < aircraftColumns.size(); ++i) {
                if (i) out += sep;
                w.cell(out, *aircraftColumns[i], r, n);
            }
            out += "\r\n";
        }
        out += "\r\nFlights Table\r\n";
        types(columns);
    }
    header(columns);
    for (std::int64_t n = 2; n <= check.lastFlight; ++n) {
        const LogRecord r = record(n);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) out += sep;
            w.cell(out, *columns[i], r, n);
        }
        out += "\r\n";
    }
    res.text = std::move(out);
    return res;
}

}  // namespace convert
