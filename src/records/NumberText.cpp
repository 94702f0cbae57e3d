#include "records/NumberText.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace records {
namespace {

// %.*G with the given decimal point into out (room for kNumberTextMax
// characters), without the C library's locale; returns the length.
std::size_t writeG(double value, int digits, char decimalPoint, char* out) {
    const auto put = [out](const char* t) {
        std::size_t n = 0;
        for (; t[n]; ++n) out[n] = t[n];
        return n;
    };
    if (std::isnan(value)) return put("NaN");
    if (std::isinf(value)) return put(value < 0 ? "-Infinity" : "Infinity");
    if (value == 0.0) value = 0.0;  // no "-0"
    // to_chars in general form with a precision is printf's %.*G, several
    // times faster.
    const auto res =
        std::to_chars(out, out + kNumberTextMax, value, std::chars_format::general, digits);
    for (char* c = out; c < res.ptr; ++c) {
        if (*c == 'e')
            *c = 'E';
        else if (*c == '.')
            *c = decimalPoint;
    }
    return static_cast<std::size_t>(res.ptr - out);
}

std::string formatG(double value, int digits, char decimalPoint) {
    char buf[kNumberTextMax];
    return std::string(buf, writeG(value, digits, decimalPoint, buf));
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
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        out += t[i++];
        ++digits;
    }
    if (i < t.size() && t[i] == decimalPoint) {
        out += '.';
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            out += t[i++];
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
        std::size_t expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            out += t[i++];
            ++expDigits;
        }
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

std::size_t writeSingleList(float value, char* out) {
    std::size_t n = 0;
    if (!(value < 0)) out[n++] = ' ';
    return n + writeG(static_cast<double>(value), 7, '.', out + n);
}

std::string formatSingleList(float value) {
    char buf[kNumberTextMax + 1];
    return std::string(buf, writeSingleList(value, buf));
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
