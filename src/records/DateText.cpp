#include "records/DateText.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace records {

std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

namespace {

struct Token {
    enum Kind { Number, Word, Sep } kind;
    std::string text;  // lower case for words
    int value = 0;     // numbers
    char sep = 0;
};

int monthFromName(const std::string& w) {
    static const std::array<const char*, 12> names = {
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    if (w.size() < 3) return 0;
    for (int i = 0; i < 12; ++i) {
        const std::string full = names[i];
        if (w == full || w == full.substr(0, 3) || (w == "sept" && i == 8)) return i + 1;
    }
    return 0;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}

// Two-digit years: 00-29 are 2000s, 30-99 are 1900s. Three digits are no year.
bool fullYear(const Token& t, int& year) {
    if (t.text.size() <= 2) {
        year = t.value < 30 ? 2000 + t.value : 1900 + t.value;
        return true;
    }
    if (t.text.size() == 4 && t.value >= 100) {
        year = t.value;
        return true;
    }
    return false;
}

bool tokenise(std::string_view text, std::vector<Token>& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) {
            Token t{Token::Number, {}, 0, 0};
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                if (t.text.size() >= 4) return false;  // no part of a date has 5 digits
                t.text += text[i];
                t.value = t.value * 10 + (text[i] - '0');
                ++i;
            }
            out.push_back(t);
        } else if (std::isalpha(c)) {
            Token t{Token::Word, {}, 0, 0};
            while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
                t.text += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
            out.push_back(t);
        } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ' ' || c == ':' ||
                   c == '\t') {
            out.push_back(Token{Token::Sep, {}, 0, c == '\t' ? ' ' : static_cast<char>(c)});
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<DateValue> parseDate(std::string_view text, const DateLocale& loc, int currentYear) {
    std::vector<Token> tokens;
    if (!tokenise(text, tokens)) return std::nullopt;

    // Pull out the time of day: h:mm[:ss] [am|pm], or h am|pm.
    std::vector<Token> rest;
    bool haveTime = false;
    int hh = 0, mi = 0, ss = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        const bool colonNext = i + 2 < tokens.size() && tokens[i + 1].kind == Token::Sep &&
                               tokens[i + 1].sep == ':' && tokens[i + 2].kind == Token::Number;
        auto ampmAt = [&](std::size_t j) -> int {  // 1 am, 2 pm, 0 none; skips one blank
            if (j < tokens.size() && tokens[j].kind == Token::Sep && tokens[j].sep == ' ') ++j;
            if (j < tokens.size() && tokens[j].kind == Token::Word) {
                const std::string& w = tokens[j].text;
                if (w == "am" || w == "a") return 1;
                if (w == "pm" || w == "p") return 2;
            }
            return 0;
        };
        auto skipAmpm = [&](std::size_t j) -> std::size_t {
            if (j < tokens.size() && tokens[j].kind == Token::Sep && tokens[j].sep == ' ') ++j;
            return j;  // index of the am/pm word
        };
        if (t.kind == Token::Number && (colonNext || ampmAt(i + 1))) {
            if (haveTime) return std::nullopt;
            haveTime = true;
            hh = t.value;
            std::size_t j = i + 1;
            if (colonNext) {
                if (tokens[i + 2].text.size() != 2) return std::nullopt;
                mi = tokens[i + 2].value;
                j = i + 3;
                if (j + 1 < tokens.size() && tokens[j].kind == Token::Sep && tokens[j].sep == ':' &&
                    tokens[j + 1].kind == Token::Number) {
                    if (tokens[j + 1].text.size() != 2) return std::nullopt;
                    ss = tokens[j + 1].value;
                    j += 2;
                }
            }
            if (const int ap = ampmAt(j)) {
                if (hh < 1 || hh > 12) return std::nullopt;
                hh = (hh % 12) + (ap == 2 ? 12 : 0);
                j = skipAmpm(j) + 1;
            }
            if (hh > 23 || mi > 59 || ss > 59) return std::nullopt;
            i = j - 1;
            continue;
        }
        rest.push_back(t);
    }

    std::vector<Token> nums;
    int monthWord = 0;
    for (const Token& t : rest) {
        if (t.kind == Token::Number) {
            nums.push_back(t);
        } else if (t.kind == Token::Word) {
            const int m = monthFromName(t.text);
            if (!m || monthWord) return std::nullopt;
            monthWord = m;
        } else if (t.sep == ':') {
            return std::nullopt;
        }
    }

    int year = currentYear, month = 0, day = 0;
    if (monthWord) {
        month = monthWord;
        if (nums.size() == 1) {
            if (nums[0].text.size() > 2) return std::nullopt;
            day = nums[0].value;
        } else if (nums.size() == 2) {
            // "1998 March 15" or "March 15, 1998" / "15 Mar 98"
            if (nums[0].text.size() > 2) {
                if (!fullYear(nums[0], year) || nums[1].text.size() > 2) return std::nullopt;
                day = nums[1].value;
            } else {
                day = nums[0].value;
                if (!fullYear(nums[1], year)) return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    } else if (nums.size() == 3) {
        const Token *y = nullptr, *m = nullptr, *d = nullptr;
        if (nums[0].text.size() > 2 || loc.order == DateOrder::YMD) {
            y = &nums[0];
            m = &nums[1];
            d = &nums[2];
        } else if (loc.order == DateOrder::MDY) {
            m = &nums[0];
            d = &nums[1];
            y = &nums[2];
        } else {
            d = &nums[0];
            m = &nums[1];
            y = &nums[2];
        }
        if (m->text.size() > 2 || d->text.size() > 2 || !fullYear(*y, year)) return std::nullopt;
        month = m->value;
        day = d->value;
    } else if (nums.size() == 2) {
        if (nums[0].text.size() > 2 || nums[1].text.size() > 2) return std::nullopt;
        if (loc.order == DateOrder::DMY) {
            day = nums[0].value;
            month = nums[1].value;
        } else {
            month = nums[0].value;
            day = nums[1].value;
        }
    } else {
        return std::nullopt;
    }

    if (month < 1 || month > 12 || day < 1 || year < 100 || year > 9999 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    DateValue v;
    v.days = daysFromCivil(year, month, day);
    v.dayFraction = haveTime ? (hh * 3600.0 + mi * 60.0 + ss) / 86400.0 : 0.0;
    return v;
}

}  // namespace records
