#include "records/NumberText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace records {
namespace {

std::string formatG(double value, int digits, char decimalPoint) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0) value = 0.0;  // no "-0"
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    std::string s(buf);
    if (decimalPoint != '.')
        for (char& c : s)
            if (c == '.') c = decimalPoint;
    return s;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Checks the shape sign? digits [sep digits] [e sign? digits] and rewrites it
// with a period, so the conversion does not depend on the C library's locale.
bool normalise(std::string_view text, char decimalPoint, std::string& out) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::string_view t = text.substr(b, e - b);
    std::size_t i = 0;
    out.clear();
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') out += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') { out += t[i++]; ++digits; }
    if (i < t.size() && t[i] == decimalPoint) {
        out += '.';
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') { out += t[i++]; ++digits; }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
        std::size_t expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') { out += t[i++]; ++expDigits; }
        if (expDigits == 0) return false;
    }
    return i == t.size();
}

}  // namespace

std::string formatSingle(float value, const NumberLocale& loc) {
    return formatG(static_cast<double>(value), 7, loc.decimalPoint);
}

std::string formatDouble(double value, const NumberLocale& loc) {
    return formatG(value, 15, loc.decimalPoint);
}

std::string formatSingleList(float value) {
    std::string s = formatG(static_cast<double>(value), 7, '.');
    if (!(value < 0)) s.insert(s.begin(), ' ');
    return s;
}

std::optional<double> parseDouble(std::string_view text, const NumberLocale& loc) {
    std::string n;
    if (!normalise(text, loc.decimalPoint, n)) return std::nullopt;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(n.data(), n.data() + n.size(), v);
    if (ec != std::errc() || ptr != n.data() + n.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<float> parseSingle(std::string_view text, const NumberLocale& loc) {
    const auto d = parseDouble(text, loc);
    if (!d || std::fabs(*d) > static_cast<double>(FLT_MAX)) return std::nullopt;
    return static_cast<float>(*d);
}

std::optional<std::int16_t> parseInt16(std::string_view text, const NumberLocale& loc) {
    const auto d = parseDouble(text, loc);
    if (!d) return std::nullopt;
    const double r = std::nearbyint(*d);  // the default rounding: halves to even
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

}  // namespace records
