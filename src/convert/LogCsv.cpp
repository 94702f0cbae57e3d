#include "convert/LogCsv.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "convert/Csv.h"
#include "convert/Layouts.h"
#include "convert/Text.h"
#include "logbook/Currency.h"
#include "logbook/Logbook.h"
#include "records/CodePage.h"
#include "records/Fields.h"
#include "records/NumberText.h"

namespace convert {
namespace {

using logbook::FlightInput;

enum class Kind {
    IsoDate,     // the date converted, YYYY-MM-DD
    Text,        // a text field, trailing spaces dropped
    Number,      // a float32 box
    Count,       // an int16 approach count
    Option,      // a category option: -1 selected, 0 not
    Check,       // a land/sea box: 1 ticked, 0 not
    AllLandings  // Landings + NightLand, MyFlightbook's "all landings"
};

using TextSlot = std::string& (*)(FlightInput&);
using BoolSlot = bool FlightInput::*;

struct Column {
    std::string_view header;
    std::string_view field;  // the logbook record's field it is read from
    Kind kind;
    TextSlot text = nullptr;  // the entry box it fills (Text, Number, Count)
    BoolSlot flag = nullptr;  // the option or check box it fills
};

#define BOX(member) [](FlightInput& in) -> std::string& { return in.member; }

const Column kColumns[] = {
    {"Date", "Date", Kind::IsoDate},
    {"Date As Typed", "Date", Kind::Text, BOX(date)},
    {"Tail Number", "Ident", Kind::Text, BOX(ident)},
    {"Model", "Make", Kind::Text, BOX(make)},
    {"From", "From", Kind::Text, BOX(from)},
    {"To", "To", Kind::Text, BOX(to)},
    {"Comments", "Remarks", Kind::Text, BOX(remarks)},
    {"Approaches", "InstrApp", Kind::Number, BOX(instrApp)},
    {"AppType1", "AppType1", Kind::Text, BOX(appType[0])},
    {"AppCount1", "AppCount1", Kind::Count, BOX(appCount[0])},
    {"AppType2", "AppType2", Kind::Text, BOX(appType[1])},
    {"AppCount2", "AppCount2", Kind::Count, BOX(appCount[1])},
    {"AppType3", "AppType3", Kind::Text, BOX(appType[2])},
    {"AppCount3", "AppCount3", Kind::Count, BOX(appCount[2])},
    {"AppType4", "AppType4", Kind::Text, BOX(appType[3])},
    {"AppCount4", "AppCount4", Kind::Count, BOX(appCount[3])},
    {"Landings", "Landings", Kind::AllLandings},
    {"FS Day Landings", "Landings", Kind::Number, BOX(landings)},
    {"FS Night Landings", "NightLand", Kind::Number, BOX(nightLand)},
    {"X-Country", "XCountry", Kind::Number, BOX(xCountry)},
    {"Day", "Day", Kind::Number, BOX(day)},
    {"Night", "Night", Kind::Number, BOX(night)},
    {"IMC", "Instrument", Kind::Number, BOX(instrument)},
    {"Simulated Instrument", "SimInstrument", Kind::Number, BOX(simInstrument)},
    {"Ground", "Ground", Kind::Number, BOX(ground)},
    {"Dual Received", "Dual", Kind::Number, BOX(dual)},
    {"PIC", "InCommand", Kind::Number, BOX(inCommand)},
    {"SIC", "SIC", Kind::Number, BOX(sic)},
    {"Ground Simulator", "Simulator", Kind::Number, BOX(simulator)},
    {"CFI", "CFI", Kind::Number, BOX(cfi)},
    {"CFII", "CFII", Kind::Number, BOX(cfii)},
    {"Total Flight Time", "Total", Kind::Number, BOX(total)},
    {"CatSingle", "CatSingle", Kind::Option, nullptr, &FlightInput::catSingle},
    {"SELand", "SELand", Kind::Check, nullptr, &FlightInput::seLand},
    {"SESea", "SESea", Kind::Check, nullptr, &FlightInput::seSea},
    {"CatMulti", "CatMulti", Kind::Option, nullptr, &FlightInput::catMulti},
    {"MELand", "MELand", Kind::Check, nullptr, &FlightInput::meLand},
    {"MESea", "MESea", Kind::Check, nullptr, &FlightInput::meSea},
    {"CatRotor", "CatRotor", Kind::Option, nullptr, &FlightInput::catRotor},
    {"CatAirship", "CatAirship", Kind::Option, nullptr, &FlightInput::catAirship},
    {"CatGlider", "CatGlider", Kind::Option, nullptr, &FlightInput::catGlider},
};
#undef BOX
constexpr std::size_t kColumnCount = std::size(kColumns);

bool sameText(std::string_view a, std::string_view b);

// Other names a column is known by on import: the record's own field names
// (where no column header already means something else) and MyFlightbook's
// older "Night Landings".
std::optional<std::size_t> columnNamed(std::string_view name) {
    const auto same = sameText;
    for (std::size_t i = 0; i < kColumnCount; ++i)
        if (same(name, kColumns[i].header)) return i;
    if (same(name, "Night Landings")) return columnNamed("FS Night Landings");
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (!same(name, kColumns[i].field)) continue;
        if (kColumns[i].field == "Landings") return columnNamed("FS Day Landings");
        if (kColumns[i].field == "Date") return columnNamed("Date As Typed");
        return i;
    }
    return std::nullopt;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void appendInt(std::string& out, int v) {
    char buf[8];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendIsoDate(std::string& out, std::string_view typed, const records::DateLocale& loc,
                   int currentYear) {
    const auto d = logbook::flightDate(typed, loc, currentYear);
    if (!d) return;
    int y = 0, m = 0, day = 0;
    records::civilFromDays(d->days, y, m, day);
    char buf[16];
    char* p = buf;
    auto two = [&](int v) {
        *p++ = static_cast<char>('0' + v / 10);
        *p++ = static_cast<char>('0' + v % 10);
    };
    two(y / 100);
    two(y % 100);
    *p++ = '-';
    two(m);
    *p++ = '-';
    two(day);
    out.append(buf, p);
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<bool> boxValue(std::string_view v) {
    if (v == "-1" || v == "1" || sameText(v, "true") || sameText(v, "yes")) return true;
    if (v.empty() || v == "0" || sameText(v, "false") || sameText(v, "no")) return false;
    return std::nullopt;
}

std::string quote(std::string_view s) {
    std::string q;
    q.reserve(s.size() + 2);
    q += '"';
    q.append(s);
    q += '"';
    return q;
}

// Why a number box's text does not convert, or "" when it does.
std::string numberProblem(const Column& c, std::string_view text) {
    const records::NumberLocale period{'.'};
    if (text.empty()) return "";
    if (c.kind == Kind::Count) {
        if (records::parseInt16(text, period)) return "";
        if (records::parseDouble(text, period))
            return quote(text) + " is outside the range -32768 to 32767";
        return quote(text) + " is not a number";
    }
    if (records::parseSingle(text, period)) return "";
    if (records::parseDouble(text, period))
        return quote(text) + " is beyond the range of a single-precision number";
    return quote(text) + " is not a number";
}

}  // namespace

std::vector<std::string> csvHeader() {
    std::vector<std::string> h;
    for (const Column& c : kColumns) h.emplace_back(c.header);
    return h;
}

ExportResult exportCsv(std::string_view bytes, const records::DateLocale& loc, int currentYear) {
    ExportResult res;
    const Layout& layout = layoutOf(FileType::Logbook);
    const std::size_t len = layout.recordLength;
    logbook::Check check;
    check.sizeBytes = bytes.size();
    const FieldInfo* lastField = layout.find("LastRecord");
    if (bytes.empty()) {
        check.problem = logbook::Problem::Empty;
    } else if (bytes.size() % len) {
        check.problem = logbook::Problem::PartialRecord;
    } else {
        const auto* u = reinterpret_cast<const unsigned char*>(bytes.data() + lastField->offset);
        check.lastRecord = static_cast<std::int16_t>(u[0] | (u[1] << 8));
        if (check.lastRecord < 1)
            check.problem = logbook::Problem::LastRecordBelowOne;
        else if (static_cast<std::size_t>(check.lastRecord) > bytes.size() / len)
            check.problem = logbook::Problem::LastRecordBeyondEnd;
    }
    if (!check.ok()) {
        res.error = logbook::describe(check);
        return res;
    }

    // Every column reads its field by the record layout's name.
    const FieldInfo* fields[kColumnCount];
    const FieldInfo* nightLand = layout.find("NightLand");
    for (std::size_t i = 0; i < kColumnCount; ++i) fields[i] = layout.find(kColumns[i].field);

    std::string out;
    out.reserve(static_cast<std::size_t>(check.lastRecord) * 220);
    appendCsvRow(out, csvHeader());
    std::string utf8;
    for (std::int64_t n = 2; n <= check.lastRecord; ++n) {
        const char* rec = bytes.data() + static_cast<std::size_t>(n - 1) * len;
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            if (i) out += ',';
            const FieldInfo& f = *fields[i];
            const char* p = rec + f.offset;
            switch (kColumns[i].kind) {
                case Kind::IsoDate:
                    appendIsoDate(out, std::string_view(p, f.width), loc, currentYear);
                    break;
                case Kind::Text: {
                    const std::string_view raw = trimRight(std::string_view(p, f.width));
                    if (isAscii(raw)) {
                        appendCsvField(out, raw);
                    } else {
                        utf8 = records::cp1252ToUtf8(raw);
                        appendCsvField(out, utf8);
                    }
                    break;
                }
                case Kind::Number:
                    appendShortest(out, records::getFloat(
                                            records::ConstByteSpan(
                                                reinterpret_cast<const records::Byte*>(rec), len),
                                            f.offset));
                    break;
                case Kind::AllLandings: {
                    const records::ConstByteSpan r(reinterpret_cast<const records::Byte*>(rec),
                                                   len);
                    appendShortest(out, records::getFloat(r, f.offset) +
                                            records::getFloat(r, nightLand->offset));
                    break;
                }
                case Kind::Count:
                case Kind::Option:
                case Kind::Check: {
                    const records::ConstByteSpan r(reinterpret_cast<const records::Byte*>(rec),
                                                   len);
                    appendInt(out, records::getInt16(r, f.offset));
                    break;
                }
            }
        }
        out += "\r\n";
    }
    res.csv = std::move(out);
    return res;
}

ImportResult importCsv(std::string_view csv, std::size_t maxFlights) {
    ImportResult res;
    CsvReader reader(csv);
    std::vector<std::string> row;
    const auto fail = [&](std::size_t line, std::string what) {
        res.errorLine = line;
        res.error = std::move(what);
        res.flights.clear();
        res.count = 0;
        return res;
    };
    if (!reader.next(row)) {
        if (!reader.error().empty()) return fail(reader.line(), reader.error());
        return fail(1, "no header row");
    }
    // Which column of the file fills which column of ours.
    std::vector<int> fileToOurs(row.size(), -1);
    int ours[kColumnCount];
    std::fill(std::begin(ours), std::end(ours), -1);
    for (std::size_t i = 0; i < row.size(); ++i) {
        std::string_view name = row[i];
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        name = trimRight(name);
        const auto c = columnNamed(name);
        if (!c) {
            res.unknownColumns.push_back(row[i]);
            continue;
        }
        if (ours[*c] >= 0)
            return fail(reader.line(), "column " + quote(row[i]) + " repeats column " +
                                           quote(row[static_cast<std::size_t>(ours[*c])]));
        ours[*c] = static_cast<int>(i);
        fileToOurs[i] = static_cast<int>(*c);
    }
    const std::vector<std::string> header = row;
    const int dateTyped = ours[*columnNamed("Date As Typed")];
    const int date = ours[*columnNamed("Date")];
    const int all = ours[*columnNamed("Landings")];
    const int day = ours[*columnNamed("FS Day Landings")];
    const int night = ours[*columnNamed("FS Night Landings")];
    const records::NumberLocale period{'.'};

    res.flights.reserve(
        std::min<std::size_t>(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')),
                              maxFlights) *
        LogRecord::Size);
    // Every row starts from empty boxes and untouched approach combos; the
    // copy reuses the strings' room.
    FlightInput blank;
    blank.appType.fill("Select Type");
    FlightInput in;
    while (reader.next(row)) {
        if (row.size() == 1 && row[0].empty()) continue;  // a blank line
        const std::size_t line = reader.line();
        if (row.size() != header.size())
            return fail(line, std::to_string(row.size()) + " fields where the header has " +
                                  std::to_string(header.size()));
        if (res.count == maxFlights)
            return fail(line, "the logbook would hold more than 32766 flights");
        in = blank;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int o = fileToOurs[i];
            if (o < 0) continue;
            const Column& c = kColumns[o];
            const std::string& v = row[i];
            switch (c.kind) {
                case Kind::Text:
                    c.text(in) = isAscii(v) ? v : records::utf8ToCp1252(v);
                    break;
                case Kind::Number:
                case Kind::Count:
                    c.text(in) = v;
                    break;
                case Kind::Option:
                case Kind::Check: {
                    const auto b = boxValue(v);
                    if (!b)
                        return fail(line, "column " + quote(header[i]) + ": " + quote(v) +
                                              " is none of -1, 0, 1, true, false, yes, no");
                    in.*c.flag = *b;
                    break;
                }
                case Kind::IsoDate:
                case Kind::AllLandings:
                    break;
            }
        }
        if (dateTyped < 0 && date >= 0) {
            const std::string& v = row[static_cast<std::size_t>(date)];
            in.date = isAscii(v) ? v : records::utf8ToCp1252(v);
        }
        if (in.remarks.find_first_of("\r\n") != std::string::npos)
            in.remarks = logbook::storedLineBreaks(in.remarks);
        // Only "Landings" (all of them): the day landings are what the night
        // landings leave of it.
        std::optional<float> dayFromAll;
        if (day < 0 && all >= 0) {
            const std::string& v = row[static_cast<std::size_t>(all)];
            float total = 0;
            if (!v.empty()) {
                const auto t = records::parseSingle(v, period);
                if (!t)
                    return fail(line, "column " + quote(header[static_cast<std::size_t>(all)]) +
                                          ": " + numberProblem(kColumns[*columnNamed("Day")], v));
                total = *t;
            }
            float nightValue = 0;
            if (night >= 0) nightValue = records::parseSingle(in.nightLand, period).value_or(0.0f);
            dayFromAll = total - nightValue;
        }
        const auto conv = logbook::convertFlight(in, period);
        if (!conv.flight) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int o = fileToOurs[i];
                if (o < 0 || (kColumns[o].kind != Kind::Number && kColumns[o].kind != Kind::Count))
                    continue;
                const std::string problem = numberProblem(kColumns[o], row[i]);
                if (!problem.empty())
                    return fail(line, "column " + quote(header[i]) + ": " + problem);
            }
            return fail(line, "a value does not convert");
        }
        LogRecord flight = *conv.flight;
        if (dayFromAll) flight.Landings = *dayFromAll;
        const auto enc = flight.encode();
        res.flights.append(reinterpret_cast<const char*>(enc.data()), enc.size());
        ++res.count;
    }
    if (!reader.error().empty()) return fail(reader.line(), reader.error());
    return res;
}

std::string newLogbookBytes(const ImportResult& imported, std::string_view ratingRecord) {
    const Layout& layout = layoutOf(FileType::Logbook);
    std::string out(layout.recordLength, '\0');
    if (ratingRecord.size() == layout.recordLength) out.assign(ratingRecord);
    const auto last = static_cast<std::uint16_t>(imported.count + 1);
    const FieldInfo* f = layout.find("LastRecord");
    out[f->offset] = static_cast<char>(last & 0xFF);
    out[f->offset + 1] = static_cast<char>(last >> 8);
    out += imported.flights;
    return out;
}

}  // namespace convert
