#include "logbook/Currency.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "logbook/FlightScan.h"
#include "records/Fields.h"

namespace logbook {
namespace {

using off = LogRecord::Offset;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of 1 to 4 digits at s[i]; returns its length (0: none).
std::size_t digitRun(std::string_view s, std::size_t i, int& value) {
    std::size_t n = 0;
    value = 0;
    while (i + n < s.size() && isDigit(s[i + n]) && n < 5) value = value * 10 + (s[i + n++] - '0');
    return n;
}

// Most logged dates are three numbers with single separators (3/15/98,
// 1998-03-15). This reads exactly those and gives the very result of
// records::parseDate for them; any other text goes to parseDate itself.
// It keeps the currency check fast on logbooks of tens of thousands of flights.
std::optional<std::optional<records::DateValue>> quickDate(std::string_view s,
                                                           const records::DateLocale& loc) {
    int v[3];
    std::size_t len[3];
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        len[k] = digitRun(s, i, v[k]);
        if (len[k] == 0 || len[k] > 4) return std::nullopt;
        i += len[k];
        if (k < 2) {
            if (i >= s.size() || (s[i] != '/' && s[i] != '-' && s[i] != '.')) return std::nullopt;
            ++i;
        }
    }
    if (i != s.size()) return std::nullopt;
    int y, m, d;
    std::size_t ylen;
    if (len[0] > 2 || loc.order == records::DateOrder::YMD) {
        y = v[0];
        ylen = len[0];
        m = v[1];
        d = v[2];
        if (len[1] > 2 || len[2] > 2) return std::optional<records::DateValue>{};
    } else {
        if (len[0] > 2 || len[1] > 2) return std::optional<records::DateValue>{};
        if (loc.order == records::DateOrder::MDY) {
            m = v[0];
            d = v[1];
        } else {
            d = v[0];
            m = v[1];
        }
        y = v[2];
        ylen = len[2];
    }
    if (ylen <= 2)
        y = y < 30 ? 2000 + y : 1900 + y;
    else if (ylen != 4 || y < 100)
        return std::optional<records::DateValue>{};
    static const int mdays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m < 1 || m > 12 || d < 1 || y > 9999) return std::optional<records::DateValue>{};
    if (d > (m == 2 && leap ? 29 : mdays[m - 1])) return std::optional<records::DateValue>{};
    records::DateValue dv;
    dv.days = records::daysFromCivil(y, m, d);
    return std::optional<records::DateValue>{dv};
}

}  // namespace

std::optional<records::DateValue> flightDate(std::string_view text, const records::DateLocale& loc,
                                             int currentYear) {
    const std::string_view t = records::trimSpaces(text);
    if (auto q = quickDate(t, loc)) return *q;
    return records::parseDate(t, loc, currentYear);
}

void addCurrencyFlight(CurrencyFigures& f, records::ConstByteSpan r, double date,
                       std::int64_t today) {
    using records::getFloat;
    const double t = static_cast<double>(today);
    if (date + kLandingDays >= t) {
        const float night = getFloat(r, off::NightLand);
        // Day and night landings join the sum in one step, rounded once.
        f.Landings = static_cast<float>(static_cast<double>(f.Landings) +
                                        static_cast<double>(getFloat(r, off::Landings)) +
                                        static_cast<double>(night));
        f.NightLandings += night;
    }
    if (date + kInstrumentDays >= t) {
        f.Approaches += getFloat(r, off::InstrApp);
        f.Instrument += getFloat(r, off::Instrument);
    }
}

CurrencyFigures computeCurrency(const std::string& path, const records::DateLocale& loc,
                                std::int64_t today) {
    CurrencyFigures f;
    int year = 0, month = 0, day = 0;
    records::civilFromDays(today, year, month, day);
    // A logbook holds its flights in date order, often several a day: the
    // date of the flight before is kept with its raw 15 bytes and reused
    // when they are the same.
    char lastText[15] = {};
    bool haveLast = false;
    std::optional<records::DateValue> d;
    const bool read = forEachFlight(path, [&](records::ConstByteSpan rec) {
        const char* text = reinterpret_cast<const char*>(rec.data()) + off::Date;
        if (!haveLast || std::memcmp(text, lastText, sizeof lastText) != 0) {
            d = flightDate(std::string_view(text, sizeof lastText), loc, year);
            std::memcpy(lastText, text, sizeof lastText);
            haveLast = true;
        }
        if (!d) return;  // no date: the flight cannot be placed in time
        addCurrencyFlight(f, rec, d->serial(), today);
    });
    if (!read) return {};
    return f;
}

}  // namespace logbook
