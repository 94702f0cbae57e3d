#include "records/Fields.h"

#include <bit>
#include <cstring>

namespace records {

std::string trimSpaces(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return std::string(text.substr(b, e - b));
}

std::int16_t getInt16(ConstByteSpan rec, std::size_t off) {
    const auto u = static_cast<std::uint16_t>(rec[off] | (rec[off + 1] << 8));
    return static_cast<std::int16_t>(u);
}

void putInt16(ByteSpan rec, std::size_t off, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    rec[off] = static_cast<Byte>(u & 0xFF);
    rec[off + 1] = static_cast<Byte>(u >> 8);
}

float getFloat(ConstByteSpan rec, std::size_t off) {
    const std::uint32_t u = static_cast<std::uint32_t>(rec[off]) |
                            (static_cast<std::uint32_t>(rec[off + 1]) << 8) |
                            (static_cast<std::uint32_t>(rec[off + 2]) << 16) |
                            (static_cast<std::uint32_t>(rec[off + 3]) << 24);
    return std::bit_cast<float>(u);
}

void putFloat(ByteSpan rec, std::size_t off, float value) {
    const auto u = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) rec[off + i] = static_cast<Byte>((u >> (8 * i)) & 0xFF);
}

}  // namespace records
