// The report scans on any file as a logbook (the fuzz input): the flights
// visited, the date list and the search by date, the totals with their lists
// of distinct idents and makes, the currency figures and the abbreviated
// list's lines. Each must agree with the same thing worked out plainly from
// the file's bytes, and none may change the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFiles.h"
#include "logbook/Currency.h"
#include "logbook/FlightScan.h"
#include "logbook/LogBrowse.h"
#include "logbook/LogRecord.h"
#include "logbook/Logbook.h"
#include "logbook/TotalTime.h"

namespace {

using fuzzfiles::Bytes;
using fuzzfiles::require;
using records::ConstByteSpan;
using off = LogRecord::Offset;

constexpr std::size_t Rec = LogRecord::Size;

template <class T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

std::string_view field(const Bytes& rec, std::size_t offset, std::size_t width) {
    return {reinterpret_cast<const char*>(rec.data()) + offset, width};
}

// Each distinct full-width text once, in order of first appearance.
std::vector<std::string> distinct(const std::vector<Bytes>& flights, std::size_t offset,
                                  std::size_t width) {
    std::vector<std::string> out;
    for (const Bytes& f : flights) {
        const std::string t(field(f, offset, width));
        if (std::find(out.begin(), out.end(), t) == out.end()) out.push_back(t);
    }
    return out;
}

void totals(const std::string& path, const std::vector<Bytes>& flights) {
    logbook::TimeTotals summed;
    for (const Bytes& f : flights) logbook::addFlight(summed, f);
    const logbook::TotalTimeLoad load = logbook::loadTotalTime(path);
    require(sameBits(load.totals, summed), "the window's sums are the sums of the flights");
    require(sameBits(logbook::totalsAll(path), summed), "the unfiltered sums are the same");
    require(load.idents == distinct(flights, off::Ident, 10), "each ident is listed once");
    require(load.makes == distinct(flights, off::Make, 15), "each make is listed once");

    // A few of the filters, and one no field can match.
    auto filtered = [&](logbook::FlightTextField which, const std::string& text) {
        const std::size_t at = which == logbook::FlightTextField::Ident ? off::Ident : off::Make;
        const std::size_t width = which == logbook::FlightTextField::Ident ? 10 : 15;
        logbook::TimeTotals t;
        for (const Bytes& f : flights)
            if (records::trimSpaces(field(f, at, width)) == records::trimSpaces(text))
                logbook::addFlight(t, f);
        require(sameBits(logbook::totalsFor(path, which, text), t),
                "the filtered sums are those of the flights with that name");
    };
    for (std::size_t i = 0; i < load.idents.size() && i < 3; ++i)
        filtered(logbook::FlightTextField::Ident, load.idents[i]);
    for (std::size_t i = 0; i < load.makes.size() && i < 3; ++i)
        filtered(logbook::FlightTextField::Make, load.makes[i]);
    filtered(logbook::FlightTextField::Make, "no make is this long");
}

void currency(const std::string& path, const std::vector<Bytes>& flights) {
    const std::int64_t today = records::daysFromCivil(2026, 12, 8);
    for (auto order : {records::DateOrder::MDY, records::DateOrder::DMY, records::DateOrder::YMD}) {
        const records::DateLocale loc{order};
        logbook::CurrencyFigures f;
        for (const Bytes& rec : flights) {
            const std::string_view text = field(rec, off::Date, 15);
            const auto quick = logbook::flightDate(text, loc, 2026);
            const auto plain = records::parseDate(records::trimSpaces(text), loc, 2026);
            require(quick.has_value() == plain.has_value() &&
                        (!quick ||
                         (quick->days == plain->days && quick->dayFraction == plain->dayFraction)),
                    "a flight's date reads as the date parser reads it");
            if (quick) logbook::addCurrencyFlight(f, rec, quick->serial(), today);
        }
        require(sameBits(logbook::computeCurrency(path, loc, today), f),
                "the currency figures are those of the dated flights");
    }
}

void dates(const std::string& path, const std::vector<Bytes>& flights) {
    const bool log = logbook::checkLogbook(path).ok();
    const auto listed = logbook::dateList(path);
    if (!log) {
        require(listed.empty(), "a file that is no logbook lists no date");
        return;
    }
    std::vector<std::string> expected;
    for (const Bytes& f : flights) {
        std::string d(records::trimSpaces(field(f, off::Date, 15)));
        if (!d.empty()) expected.push_back(std::move(d));
    }
    require(listed == expected, "the date list is every flight's date that is not blank");
    for (std::size_t i = 0; i < listed.size() && i < 4; ++i) {
        const auto found = logbook::findFlight(path, listed[i]);
        std::size_t first = 0;
        while (records::trimSpaces(field(flights[first], off::Date, 15)) != listed[i]) ++first;
        require(found && found->recordNumber == static_cast<std::int64_t>(first) + 2,
                "a date finds the first flight of that date");
        const auto encoded = found->flight.encode();
        require(Bytes(encoded.begin(), encoded.end()) == flights[first],
                "the flight found is that record");
    }
}

void lines(const std::string& path, const std::vector<Bytes>& flights) {
    std::vector<std::string> expected;
    for (const Bytes& f : flights) {
        expected.push_back(logbook::browseLine(f));
        require(expected.back().find('\0') == std::string::npos, "a line shows no NUL byte");
    }
    std::sort(expected.begin(), expected.end(), logbook::browseLess);
    const logbook::BrowseLines listed = logbook::browseLines(path);
    require(listed.toVector() == expected, "the list is every flight's line, sorted");
    const auto rows = logbook::browseRows(path);
    require(rows.size() == expected.size(), "the printed table has a row per flight");
    for (std::size_t i = 0; i < rows.size(); ++i)
        require(rows[i].line == expected[i], "the printed table is in the list's order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes start(data, data + size);
    const std::string path = fuzzfiles::scratchPath("fuzz.log");
    fuzzfiles::put(path, start);

    // The flights: for a logbook's rating record (its flight part all zero)
    // every whole record after it, else records 2 .. LastRecord when the
    // file holds them all; nothing for a file that is no logbook.
    const Bytes rec1 = fuzzfiles::record(start, Rec, 1);
    const std::int64_t stored = records::getInt16(rec1, off::LastRecord);
    const auto whole = static_cast<std::int64_t>(size / Rec);
    const bool ratingRecord = std::all_of(rec1.begin(), rec1.begin() + off::LastRecord,
                                          [](std::uint8_t b) { return b == 0; });
    const std::int64_t last =
        ratingRecord ? std::min<std::int64_t>(whole, logbook::MaxLastRecord) : stored;
    const bool isLogbook = size >= Rec && stored >= 1 && last <= whole;
    std::vector<Bytes> flights;
    for (std::int64_t n = 2; isLogbook && n <= last; ++n)
        flights.push_back(fuzzfiles::record(start, Rec, n));

    std::size_t visited = 0;
    const bool read = logbook::forEachFlight(path, [&](ConstByteSpan rec) {
        require(visited < flights.size() && rec.size() == Rec &&
                    std::equal(rec.begin(), rec.end(), flights[visited].begin()),
                "the scan visits records 2 .. LastRecord in order");
        ++visited;
    });
    require(read == isLogbook && visited == flights.size(),
            "the scan visits every flight there is");
    require(logbook::flightCount(path) ==
                (isLogbook ? std::optional<std::size_t>(flights.size()) : std::nullopt),
            "the flight count is those flights");

    totals(path, flights);
    currency(path, flights);
    dates(path, flights);
    lines(path, flights);
    require(fuzzfiles::get(path) == start, "the reports never change the file");
    return 0;
}
