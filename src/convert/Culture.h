// How other programs write numbers and separate fields in the user's
// culture: `,` or `;` or tab between fields, a decimal point or comma,
// thousands separators, hh:mm times.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace convert {

// The field separator of a file, from its first line (outside quotes):
// whichever of tab, `;` and `,` occurs most; `,` when none does.
char separatorOfLine(std::string_view firstLine);

// What a number cell says about the decimal mark: a comma ("1,5",
// "1.234,5"), a point ("1.5", "1,234.5"), or nothing ("12", "1,234").
enum class DecimalHint { None, Comma, Point };
DecimalHint decimalHint(std::string_view cell);

// A number cell as a value: optional sign, digits grouped by thousands
// separators (the other mark, a blank or an apostrophe) or not, the decimal
// mark, an optional exponent; or hh:mm ("1:30" is 1.5). nullopt when it is
// no number. Surrounding blanks are ignored; the caller handles empty cells.
std::optional<double> readNumber(std::string_view cell, char decimalMark);

// The decimal mark of a locale name ("de_DE.UTF-8" gives ','; "en_US", "C"
// and names that are no locale give '.').
char decimalMarkOfLocale(const std::string& name);

}  // namespace convert
