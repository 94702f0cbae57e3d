// Value texts the converter writes and reads: float32 as the shortest
// decimal that reads back to the same value, always with a period.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace convert {

// Shortest round-trip text of a float32 ("1.5", "0.1", "1e+07", "-0"), but
// whole numbers below ten million in plain digits ("200000", not "2e+05");
// "nan", "inf" and "-inf" for the values that have no decimal.
void appendShortest(std::string& out, float value);
// Exactly the float32 nearest to the decimal text (JSON number syntax).
std::optional<float> readShortest(std::string_view text);
// A JSON integer within int16.
std::optional<std::int16_t> readInt16(std::string_view text);

// Hexadecimal digits of bytes, two per byte, lower case; and back.
std::string toHex(std::string_view bytes);
std::optional<std::string> fromHex(std::string_view hex);

}  // namespace convert
