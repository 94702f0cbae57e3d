// Logbook files built byte by byte for the total-times, currency and list
// tests: each flight field is put at its offset in the 420-byte record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Fields.h"

namespace reports_test {

struct Flight {
    std::string date, make, ident, from, to;
    float instrApp = 0, landings = 0, xCountry = 0, day = 0, night = 0, instrument = 0,
          simInstrument = 0, simulator = 0, dual = 0, inCommand = 0, total = 0, ground = 0, sic = 0,
          cfi = 0, cfii = 0, nightLand = 0;
};

using Bytes = std::vector<std::uint8_t>;

// One flight record: texts padded with spaces as the entry window stores them.
inline Bytes flightRecord(const Flight& f) {
    Bytes r(420, 0);
    auto text = [&](std::size_t off, std::size_t width, const std::string& s) {
        for (std::size_t i = 0; i < width; ++i)
            r[off + i] = i < s.size() ? static_cast<std::uint8_t>(s[i]) : ' ';
    };
    text(0, 15, f.date);
    text(15, 15, f.make);
    text(30, 10, f.ident);
    text(40, 3, f.from);
    text(43, 3, f.to);
    text(46, 100, "");
    for (std::size_t off : {194u, 206u, 218u, 230u}) text(off, 10, "Select Typ");
    records::putFloat(r, 146, f.instrApp);
    records::putFloat(r, 150, f.landings);
    records::putFloat(r, 158, f.xCountry);
    records::putFloat(r, 162, f.day);
    records::putFloat(r, 166, f.night);
    records::putFloat(r, 170, f.instrument);
    records::putFloat(r, 174, f.simInstrument);
    records::putFloat(r, 178, f.simulator);
    records::putFloat(r, 182, f.dual);
    records::putFloat(r, 186, f.inCommand);
    records::putFloat(r, 190, f.total);
    records::putFloat(r, 248, f.ground);
    records::putFloat(r, 252, f.sic);
    records::putFloat(r, 256, f.cfi);
    records::putFloat(r, 260, f.cfii);
    records::putFloat(r, 264, f.nightLand);
    return r;
}

// A whole logbook: a rating record with LastRecord = 1 + flights, then them.
inline Bytes logbookBytes(const std::vector<Bytes>& flights) {
    Bytes out(420, 0);
    records::putInt16(out, 278, static_cast<std::int16_t>(1 + flights.size()));
    for (const Bytes& f : flights) out.insert(out.end(), f.begin(), f.end());
    return out;
}

inline Bytes logbookOf(const std::vector<Flight>& flights) {
    std::vector<Bytes> recs;
    for (const Flight& f : flights) recs.push_back(flightRecord(f));
    return logbookBytes(recs);
}

}  // namespace reports_test
