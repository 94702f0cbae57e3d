// Field encodings shared by every record type: fixed-width single-byte text,
// little-endian int16, 16-bit Booleans and float32, packed without alignment.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace records {

using Byte = std::uint8_t;
using ByteSpan = std::span<Byte>;
using ConstByteSpan = std::span<const Byte>;

// Fixed-width text of single-byte (Windows-1252) characters. A fresh field
// holds NUL bytes, meaning "never stored"; assign() pads with spaces or cuts.
template <std::size_t N>
struct FixedText {
    std::array<char, N> bytes{};  // all NUL

    static constexpr std::size_t width = N;

    // Store a text: padded on the right with spaces to N, or cut to N.
    void assign(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        for (std::size_t i = 0; i < n; ++i) bytes[i] = text[i];
        for (std::size_t i = n; i < N; ++i) bytes[i] = ' ';
    }
    // All N bytes, padding and NULs included.
    std::string raw() const { return std::string(bytes.data(), N); }
    // The text as a label or box shows it: it ends at the first NUL byte.
    std::string shown() const {
        std::size_t n = 0;
        while (n < N && bytes[n] != '\0') ++n;
        return std::string(bytes.data(), n);
    }
    // The whole field with leading and trailing spaces removed (NULs stay).
    std::string trimmed() const;
    bool neverStored() const {
        for (char c : bytes)
            if (c != '\0') return false;
        return true;
    }
    bool operator==(const FixedText&) const = default;
};

// Leading and trailing blanks (spaces only) removed; NUL bytes are not blanks.
// A view into `text`, no copy: the reports trim a field of every flight.
constexpr std::string_view trimSpaces(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

template <std::size_t N>
std::string FixedText<N>::trimmed() const {
    return std::string(trimSpaces(std::string_view(bytes.data(), N)));
}

// Booleans stored as int16: True = -1, False = 0.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// Explicit byte-offset encoders. Offsets are bounds-checked by the caller's
// static layout; these never read or write outside [off, off + width).
// Inline: the reports decode these for every flight of a logbook.
inline std::int16_t getInt16(ConstByteSpan rec, std::size_t off) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(rec[off] | (rec[off + 1] << 8)));
}
inline void putInt16(ByteSpan rec, std::size_t off, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    rec[off] = static_cast<Byte>(u & 0xFF);
    rec[off + 1] = static_cast<Byte>(u >> 8);
}
inline float getFloat(ConstByteSpan rec, std::size_t off) {
    const std::uint32_t u = static_cast<std::uint32_t>(rec[off]) |
                            (static_cast<std::uint32_t>(rec[off + 1]) << 8) |
                            (static_cast<std::uint32_t>(rec[off + 2]) << 16) |
                            (static_cast<std::uint32_t>(rec[off + 3]) << 24);
    return std::bit_cast<float>(u);
}
inline void putFloat(ByteSpan rec, std::size_t off, float value) {
    const auto u = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) rec[off + i] = static_cast<Byte>((u >> (8 * i)) & 0xFF);
}

template <std::size_t N>
FixedText<N> getText(ConstByteSpan rec, std::size_t off) {
    FixedText<N> t;
    for (std::size_t i = 0; i < N; ++i) t.bytes[i] = static_cast<char>(rec[off + i]);
    return t;
}
template <std::size_t N>
void putText(ByteSpan rec, std::size_t off, const FixedText<N>& t) {
    for (std::size_t i = 0; i < N; ++i) rec[off + i] = static_cast<Byte>(t.bytes[i]);
}

}  // namespace records
