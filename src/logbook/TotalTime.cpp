#include "logbook/TotalTime.h"

#include <string_view>
#include <unordered_set>

#include "logbook/FlightScan.h"

namespace logbook {
namespace {

namespace off = flight_offsets;

std::string_view fieldView(records::ConstByteSpan rec, std::size_t offset, std::size_t width) {
    return {reinterpret_cast<const char*>(rec.data()) + offset, width};
}

// Spaces only: a NUL byte is not blank.
std::string_view trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

std::vector<std::string> distinct(const FlightBlock& block, std::size_t offset, std::size_t width) {
    std::vector<std::string> kept;
    std::unordered_set<std::string_view> seen;
    for (std::size_t i = 0; i < block.count; ++i) {
        const std::string_view v = fieldView(block.flight(i), offset, width);
        if (seen.insert(v).second) kept.emplace_back(v);
    }
    return kept;
}

}  // namespace

void addFlight(TimeTotals& t, records::ConstByteSpan r) {
    using records::getFloat;
    // float + float is a float operation: each sum is rounded to single
    // precision before the next flight is added.
    t.Day += getFloat(r, off::Day);
    t.Night += getFloat(r, off::Night);
    t.Instrument += getFloat(r, off::Instrument);
    t.SimInstrument += getFloat(r, off::SimInstrument);
    t.Ground += getFloat(r, off::Ground);
    t.Dual += getFloat(r, off::Dual);
    t.InCommand += getFloat(r, off::InCommand);
    t.Simulator += getFloat(r, off::Simulator);
    t.SIC += getFloat(r, off::SIC);
    t.CFI += getFloat(r, off::CFI);
    t.CFII += getFloat(r, off::CFII);
    t.Landings += getFloat(r, off::Landings);
    t.NightLand += getFloat(r, off::NightLand);
    t.XCountry += getFloat(r, off::XCountry);
    t.InstrApp += getFloat(r, off::InstrApp);
    t.Total += getFloat(r, off::Total);
}

TotalTimeLoad loadTotalTime(const std::string& path) {
    TotalTimeLoad load;
    const auto block = readFlights(path);
    if (!block) return load;
    for (std::size_t i = 0; i < block->count; ++i) addFlight(load.totals, block->flight(i));
    load.idents = distinct(*block, off::Ident, 10);
    load.makes = distinct(*block, off::Make, 15);
    return load;
}

TimeTotals totalsAll(const std::string& path) {
    TimeTotals t;
    if (const auto block = readFlights(path))
        for (std::size_t i = 0; i < block->count; ++i) addFlight(t, block->flight(i));
    return t;
}

TimeTotals totalsFor(const std::string& path, FlightTextField field, std::string_view text) {
    TimeTotals t;
    const auto block = readFlights(path);
    if (!block) return t;
    const std::size_t offset = field == FlightTextField::Ident ? off::Ident : off::Make;
    const std::size_t width = field == FlightTextField::Ident ? 10 : 15;
    const std::string_view wanted = trimBlanks(text);
    for (std::size_t i = 0; i < block->count; ++i) {
        const auto rec = block->flight(i);
        if (trimBlanks(fieldView(rec, offset, width)) == wanted) addFlight(t, rec);
    }
    return t;
}

}  // namespace logbook
