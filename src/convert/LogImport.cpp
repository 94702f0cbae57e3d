// Reading flights from any program's file: the file's columns are matched
// to meanings by the program's table, then one flight is built per row.
#include <algorithm>
#include <array>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <map>

#include "convert/Csv.h"
#include "convert/Culture.h"
#include "convert/ImportRow.h"
#include "convert/LogCsv.h"
#include "logbook/Logbook.h"
#include "records/CodePage.h"

namespace convert {
namespace {

using namespace importing;

constexpr std::size_t kHintRows = 2000;

// A cell that says nothing worth carrying: blank, zero or "no".
bool saysNothing(std::string_view v) {
    v = trim(v);
    if (v.empty() || sameText(v, "false") || sameText(v, "no")) return true;
    return std::all_of(v.begin(), v.end(),
                       [](char c) { return c == '0' || c == '.' || c == ',' || c == ':'; });
}

bool allEmpty(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& c) { return trim(c).empty(); });
}

std::optional<Failure> matchHeader(const std::vector<std::string>& header, const Format& format,
                                   bool aircraftTable, std::size_t line, Columns& cols) {
    cols.names.clear();
    cols.carried.assign(header.size(), false);
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = trim(header[i]);
        cols.names.emplace_back(name);
        for (const ColumnDef& c : format.columns) {
            if (c.aircraft != aircraftTable || !isNameOf(c, name)) continue;
            if (c.meaning == M::None) break;
            int& s = cols.slot[static_cast<std::size_t>(c.meaning)][c.index];
            if (s >= 0)
                return Failure{line, "column " + quoted(header[i]) + " repeats column " +
                                         quoted(header[static_cast<std::size_t>(s)])};
            s = static_cast<int>(i);
            cols.carried[i] = true;
            break;
        }
    }
    return std::nullopt;
}

bool isTypesRow(const std::vector<std::string>& row) {
    static constexpr std::string_view kTypes[] = {
        "Text",   "hhmm", "HH:MM",    "Decimal",       "Boolean",         "Date",
        "Number", "YYYY", "DateTime", "Packed Detail", "Decimal or HH:MM"};
    bool any = false;
    for (const std::string& c : row) {
        const std::string_view v = trim(c);
        if (v.empty()) continue;
        if (std::none_of(std::begin(kTypes), std::end(kTypes),
                         [&](std::string_view t) { return sameText(t, v); }))
            return false;
        any = true;
    }
    return any;
}

std::string_view firstLine(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

FormatId detectFormat(std::string_view text) {
    const std::string_view line = firstLine(text);
    if (line.size() >= 10 && sameText(line.substr(0, 10), "ForeFlight"))
        return FormatId::ForeFlight;
    if (separatorOfLine(line) == '\t' || line.find("flight_") != std::string_view::npos)
        return FormatId::LogTen;
    const char sep = separatorOfLine(line);
    CsvReader reader(text, sep);
    std::vector<std::string> header;
    reader.next(header);
    for (const std::string& h : header)
        for (std::string_view own : {"AppType1", "CatSingle", "SELand", "InCommand"})
            if (sameText(trim(h), own)) return FormatId::Aerokit;
    return FormatId::MyFlightbook;
}

ImportResult importFlights(std::string_view text, const ImportOptions& options) {
    ImportResult res;
    const auto fail = [&](std::size_t line, std::string what) {
        res.errorLine = line;
        res.error = std::move(what);
        res.flights.clear();
        res.count = 0;
        return res;
    };
    if (trim(firstLine(text)).empty() &&
        text.find_first_not_of("\xEF\xBB\xBF \t\r\n") == std::string_view::npos)
        return fail(1, "the file is empty");
    res.format = options.from.value_or(detectFormat(text));
    const Format& format = formatOf(res.format);
    const char sep = res.format == FormatId::ForeFlight ? ',' : separatorOfLine(firstLine(text));
    CsvReader reader(text, sep);
    std::vector<std::string> row;

    // ForeFlight: its aircraft table first, then the flights table.
    std::map<std::string, Aircraft> aircraft;
    if (res.format == FormatId::ForeFlight) {
        bool inAircraft = false, flights = false;
        Columns ac;
        bool haveHeader = false;
        while (reader.next(row)) {
            const std::string_view first = row.empty() ? "" : trim(row[0]);
            if (sameText(first, "Aircraft Table")) {
                inAircraft = true;
                continue;
            }
            if (first.size() >= 13 && sameText(first.substr(0, 13), "Flights Table")) {
                flights = true;
                break;
            }
            if (!inAircraft || isTypesRow(row) || allEmpty(row)) continue;
            if (!haveHeader) {
                if (auto f = matchHeader(row, format, true, reader.line(), ac))
                    return fail(f->line, f->what);
                haveHeader = true;
                continue;
            }
            auto get = [&](M m) {
                const int c = ac.at(m);
                return c >= 0 && static_cast<std::size_t>(c) < row.size()
                           ? std::string(trim(row[static_cast<std::size_t>(c)]))
                           : std::string();
            };
            const std::string id = get(M::AircraftID);
            if (!id.empty())
                aircraft[id] = Aircraft{get(M::Make), get(M::ModelCode), get(M::CategoryClass),
                                        get(M::Category), get(M::Class)};
        }
        if (!reader.error().empty()) return fail(reader.line(), reader.error());
        if (!flights)
            return fail(1,
                        "not a ForeFlight logbook: no \"Flights Table\" line (--from names "
                        "the program the file is from)");
        while (reader.next(row) && (isTypesRow(row) || allEmpty(row))) {
        }
        if (row.empty()) return fail(reader.line(), "the ForeFlight flights table has no header");
    } else if (!reader.next(row)) {
        if (!reader.error().empty()) return fail(reader.line(), reader.error());
        return fail(1, "no header row");
    }
    Columns cols;
    if (auto f = matchHeader(row, format, false, reader.line(), cols))
        return fail(f->line, f->what);
    const std::size_t headerLine = reader.line();
    if (!(cols.has(M::Date) || cols.has(M::DateTyped)) || !cols.has(M::Total))
        return fail(headerLine,
                    std::string("no ") +
                        (cols.has(M::Date) || cols.has(M::DateTyped) ? "total time" : "date") +
                        " column: a " + std::string(format.title) + " file has " +
                        std::string(format.dateNames) + " and " + std::string(format.totalNames) +
                        " (--from myflightbook|foreflight|logten|csv names the program)");
    const std::vector<std::string> header = row;

    // The decimal mark: as told, or as the number cells show it; a file
    // separated by ';' is from a culture that writes a decimal comma.
    char decimal = sep == ';' ? ',' : '.';
    if (options.decimalMark) {
        decimal = *options.decimalMark;
    } else {
        CsvReader look = reader;
        std::vector<std::string> r;
        std::vector<bool> numeric(header.size(), false);
        for (std::size_t i = 0; i < header.size(); ++i)
            for (const ColumnDef& c : format.columns)
                if (!c.aircraft && isNumberMeaning(c.meaning) && isNameOf(c, trim(header[i])))
                    numeric[i] = true;
        bool comma = false, point = false;
        for (std::size_t n = 0; n < kHintRows && look.next(r); ++n)
            for (std::size_t i = 0; i < r.size() && i < header.size(); ++i) {
                if (!numeric[i]) continue;
                const DecimalHint h = decimalHint(r[i]);
                comma |= h == DecimalHint::Comma;
                point |= h == DecimalHint::Point;
            }
        if (comma && !point) decimal = ',';
        if (point && !comma) decimal = '.';
    }

    res.flights.reserve(
        std::min<std::size_t>(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
                              options.maxFlights) *
        LogRecord::Size);
    Builder builder(format, decimal, res.changes);
    if (!aircraft.empty()) builder.aircraft = &aircraft;
    std::vector<std::size_t> lostValues(header.size(), 0);
    std::vector<std::string> lostPlaces;
    while (reader.next(row)) {
        if (allEmpty(row)) continue;  // a blank line, or a row of empty cells
        const std::size_t line = reader.line();
        if (row.size() > header.size() &&
            std::any_of(row.begin() + static_cast<std::ptrdiff_t>(header.size()), row.end(),
                        [](const std::string& c) { return !trim(c).empty(); }))
            return fail(line, std::to_string(row.size()) + " fields where the header has " +
                                  std::to_string(header.size()));
        if (row.size() < header.size()) {
            if (res.format != FormatId::ForeFlight)
                return fail(line, std::to_string(row.size()) + " fields where the header has " +
                                      std::to_string(header.size()));
            row.resize(header.size());
        }
        if (res.count == options.maxFlights)
            return fail(line, "the logbook would hold more than 32766 flights");
        for (std::size_t i = 0; i < header.size(); ++i)
            if (!cols.carried[i] && !saysNothing(row[i]))
                res.changes.add("values of columns the logbook has no field for not carried",
                                "line " + std::to_string(line) + ", column " +
                                    quoted(cols.names[i]) + ": " + quoted(row[i]));
        if (auto f = builder.build(row, cols, line, res.flights)) return fail(f->line, f->what);
        ++res.count;
    }
    if (!reader.error().empty()) return fail(reader.line(), reader.error());
    return res;
}

std::string newLogbookBytes(const ImportResult& imported, std::string_view ratingRecord) {
    std::string out(LogRecord::Size, '\0');
    if (ratingRecord.size() == LogRecord::Size) out.assign(ratingRecord);
    const auto last = static_cast<std::uint16_t>(imported.count + 1);
    out[LogRecord::Offset::LastRecord] = static_cast<char>(last & 0xFF);
    out[LogRecord::Offset::LastRecord + 1] = static_cast<char>(last >> 8);
    out += imported.flights;
    return out;
}

}  // namespace convert
