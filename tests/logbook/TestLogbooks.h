// Logbook files for the logbook tests: flight records built byte by byte
// (each field put at its offset in the 420-byte record, independent of the
// program's own encoding), whole logbooks from records, and the damaged and
// hostile logbooks every window must survive.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "logbook/LogRecord.h"
#include "records/DateText.h"
#include "records/Fields.h"

namespace logbooktest {

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

// A whole logbook from records the program encodes: rating (its LastRecord
// set to 1 + flights), then the flights.
inline Bytes logbookOfRecords(const std::vector<LogRecord>& flights, LogRecord rating = {}) {
    rating.LastRecord = static_cast<std::int16_t>(flights.size() + 1);
    Bytes out;
    const auto r1 = rating.encode();
    out.insert(out.end(), r1.begin(), r1.end());
    for (const auto& f : flights) {
        const auto b = f.encode();
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

// A day number as the entry window's date text, m/d/yy.
inline std::string mdy(std::int64_t days) {
    int y, m, d;
    records::civilFromDays(days, y, m, d);
    return std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y % 100);
}

// A flight of the given hours by day in command, with one landing.
inline Flight flown(const std::string& date, const std::string& ident, const std::string& make,
                    float hours) {
    Flight f;
    f.date = date;
    f.ident = ident;
    f.make = make;
    f.total = hours;
    f.day = hours;
    f.inCommand = hours;
    f.landings = 1;
    return f;
}

// The example flight of the abbreviated list: 3/15/98, N123 from JFK to BOS,
// two approaches, three day and one night landing, 1.2 hours in command.
inline Flight exampleFlight() {
    Flight f;
    f.date = "3/15/98";
    f.ident = "N123";
    f.from = "JFK";
    f.to = "BOS";
    f.instrApp = 2;
    f.landings = 3;
    f.nightLand = 1;
    f.day = 1.2f;
    f.inCommand = 1.2f;
    f.total = 1.2f;
    return f;
}

// Logbooks no version of the program writes: each must load in every
// window without a crash and stay byte for byte as it was.
inline std::vector<std::pair<const char*, Bytes>> hostileLogbooks(const std::string& recentDate) {
    std::vector<std::pair<const char*, Bytes>> out;
    const Bytes good =
        logbookOf({flown("3/15/98", "N1", "C172", 1), flown("3/16/98", "N2", "PA28", 2)});
    auto last = [&](std::int16_t v) {
        Bytes b = good;
        records::putInt16(b, 278, v);
        return b;
    };
    out.push_back({"LastRecord 0", last(0)});
    out.push_back({"LastRecord negative", last(-1)});
    out.push_back({"LastRecord 32767 on a short file", last(32767)});
    Bytes cut = good;
    cut.resize(good.size() - 7);
    out.push_back({"cut off", cut});
    out.push_back({"empty", {}});
    Flight odd = flown("\xE9t\xE9 98", "N\x80\xFF", "Mak\x9F", 1);
    odd.day = std::numeric_limits<float>::quiet_NaN();
    odd.night = std::numeric_limits<float>::infinity();
    odd.instrApp = -std::numeric_limits<float>::infinity();
    Bytes r = flightRecord(odd);
    r[1] = 0;
    r[31] = 0;
    r[16] = 0;
    out.push_back({"NaN, infinities, NUL and high bytes",
                   logbookBytes({r, flightRecord(flown(recentDate, "N1", "C172", 1))})});
    Bytes noise(420 * 6);
    std::uint32_t x = 12345;
    for (auto& b : noise) b = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 16);
    records::putInt16(noise, 278, 6);
    out.push_back({"noise", noise});
    return out;
}

}  // namespace logbooktest
