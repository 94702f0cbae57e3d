#include "convert/Culture.h"

#include <algorithm>
#include <cctype>

#include "records/NumberText.h"

namespace convert {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Digits after position i up to the next non-digit.
std::size_t digitsFrom(std::string_view s, std::size_t i) {
    std::size_t n = 0;
    while (i + n < s.size() && isDigit(s[i + n])) ++n;
    return n;
}

std::optional<double> readHoursMinutes(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    const std::size_t colon = s.find(':');
    const std::string_view h = s.substr(0, colon), m = s.substr(colon + 1);
    if (h.empty() || h.size() > 6 || m.size() != 2 || digitsFrom(h, 0) != h.size() ||
        digitsFrom(m, 0) != 2)
        return std::nullopt;
    const int minutes = (m[0] - '0') * 10 + (m[1] - '0');
    if (minutes >= 60) return std::nullopt;
    double hours = 0;
    for (char c : h) hours = hours * 10 + (c - '0');
    const double v = hours + minutes / 60.0;
    return negative ? -v : v;
}

}  // namespace

char separatorOfLine(std::string_view line) {
    std::size_t tabs = 0, semis = 0, commas = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        tabs += c == '\t';
        semis += c == ';';
        commas += c == ',';
    }
    if (tabs > semis && tabs > commas) return '\t';
    if (semis > commas) return ';';
    return ',';
}

DecimalHint decimalHint(std::string_view cell) {
    cell = trimBlanks(cell);
    const std::size_t comma = cell.rfind(','), point = cell.rfind('.');
    if (comma == std::string_view::npos && point == std::string_view::npos)
        return DecimalHint::None;
    if (comma != std::string_view::npos && point != std::string_view::npos)
        return comma > point ? DecimalHint::Comma : DecimalHint::Point;
    // One kind of mark: a group of exactly three digits after it may be a
    // thousands separator, anything else is the decimal mark.
    const std::size_t at = comma != std::string_view::npos ? comma : point;
    const std::size_t after = digitsFrom(cell, at + 1);
    if (after == 3 && at + 4 == cell.size() && at > 0 && isDigit(cell[at - 1]))
        return DecimalHint::None;
    return comma != std::string_view::npos ? DecimalHint::Comma : DecimalHint::Point;
}

std::optional<double> readNumber(std::string_view cell, char decimalMark) {
    std::string_view s = trimBlanks(cell);
    if (s.empty()) return std::nullopt;
    if (s.find(':') != std::string_view::npos) return readHoursMinutes(s);
    const char thousands = decimalMark == ',' ? '.' : ',';
    // Rewritten with a decimal point and without thousands separators.
    char buf[64];
    std::size_t n = 0;
    bool seenDecimal = false, seenExponent = false, grouped = false;
    std::size_t digitsSinceGroup = 0;
    bool anyDigit = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (n + 1 >= sizeof buf) return std::nullopt;
        const char c = s[i];
        const bool nbsp = c == '\xC2' && i + 1 < s.size() &&
                          (s[i + 1] == '\xA0');  // a no-break space groups in some cultures
        if (isDigit(c)) {
            buf[n++] = c;
            anyDigit = true;
            ++digitsSinceGroup;
        } else if (c == decimalMark && !seenDecimal && !seenExponent) {
            if (grouped && digitsSinceGroup != 3) return std::nullopt;
            buf[n++] = '.';
            seenDecimal = true;
            grouped = false;
        } else if ((c == thousands || c == ' ' || c == '\'' || nbsp) && !seenDecimal &&
                   !seenExponent) {
            // A group separator follows 1-3 digits first, then exactly 3.
            if (!anyDigit || (grouped ? digitsSinceGroup != 3 : digitsSinceGroup > 3))
                return std::nullopt;
            grouped = true;
            digitsSinceGroup = 0;
            if (nbsp) ++i;
        } else if ((c == 'e' || c == 'E') && anyDigit && !seenExponent) {
            if (grouped && digitsSinceGroup != 3) return std::nullopt;
            grouped = false;
            seenExponent = true;
            buf[n++] = c;
        } else if ((c == '-' || c == '+') && (n == 0 || buf[n - 1] == 'e' || buf[n - 1] == 'E')) {
            buf[n++] = c;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && digitsSinceGroup != 3) return std::nullopt;
    return records::parseDouble(std::string_view(buf, n), records::NumberLocale{'.'});
}

char decimalMarkOfLocale(const std::string& name) {
    std::string n = name;
    std::transform(n.begin(), n.end(), n.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    n = n.substr(0, n.find_first_of(".@"));
    const std::size_t us = n.find_first_of("_-");
    const std::string lang = n.substr(0, us);
    const std::string country = us == std::string::npos ? "" : n.substr(us + 1);
    // Where the decimal mark is a point; most of the rest of the world
    // writes a comma.
    static const char* const pointCountries[] = {"us", "gb", "au", "nz", "ie", "in", "ph", "sg",
                                                 "my", "hk", "tw", "cn", "jp", "kr", "il", "th",
                                                 "mx", "ch", "li", "pr", "gt", "do", "pe"};
    static const char* const pointLanguages[] = {"en", "zh", "ja", "ko",  "he", "th", "hi",
                                                 "ga", "mt", "ms", "fil", "tl", "ta", "bn"};
    static const char* const commaLanguages[] = {
        "de", "fr", "es", "it", "nl", "pt", "ru", "pl", "sv", "da", "fi", "nb", "nn", "no",
        "cs", "sk", "sl", "hr", "sr", "bg", "ro", "hu", "tr", "el", "uk", "be", "et", "lv",
        "lt", "is", "ca", "eu", "gl", "af", "id", "vi", "az", "kk", "ka", "hy", "sq", "mk"};
    for (const char* c : pointCountries)
        if (country == c) return '.';
    for (const char* l : pointLanguages)
        if (lang == l) return country == "za" ? ',' : '.';
    for (const char* l : commaLanguages)
        if (lang == l) return ',';
    return '.';
}

}  // namespace convert
