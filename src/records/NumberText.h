// Number texts: how values are shown and how typed text converts to them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The locale's number punctuation, as the windows read it from the system.
struct NumberLocale {
    char decimalPoint = '.';
};

// float32 as the shortest decimal text of at most 7 significant digits, no
// thousands separators, exponent form from 1E+07 on: 0, 1.5, 16.66667, 1E+07.
std::string formatSingle(float value, const NumberLocale& loc = {});
// double with up to 15 significant digits: 13.125.
std::string formatDouble(double value, const NumberLocale& loc = {});
// The list form: a period always, a leading blank for values >= 0 (" 1.5", "-2").
std::string formatSingleList(float value);
// The same list form written into out, which has room for kNumberTextMax + 1
// characters; returns the length. For hot loops that must not allocate.
constexpr std::size_t kNumberTextMax = 23;  // "-1.23456789012345E+308" is 22
std::size_t writeSingleList(float value, char* out);

// Typed text to float32 by the locale's rules: surrounding spaces, optional
// sign, digits with the locale's decimal separator, optional exponent. Empty
// or blank text, other characters and values beyond float32 are no number.
std::optional<float> parseSingle(std::string_view text, const NumberLocale& loc = {});
// As parseSingle, in double precision.
std::optional<double> parseDouble(std::string_view text, const NumberLocale& loc = {});
// Typed text to int16: a fraction rounds to the nearest, halves to even;
// outside -32768..32767 is no number.
std::optional<std::int16_t> parseInt16(std::string_view text, const NumberLocale& loc = {});

}  // namespace records
