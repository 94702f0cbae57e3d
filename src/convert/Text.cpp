#include "convert/Text.h"

#include <charconv>
#include <cmath>

namespace convert {

void appendShortest(std::string& out, float value) {
    char buf[32];
    // Whole numbers (most of a logbook: zeros, landings, counts) are their
    // digits; the shortest form of one below 1e7 is the same text.
    if (value == std::trunc(value) && std::fabs(value) < 1e7f && !std::signbit(value)) {
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<int>(value));
        out.append(buf, r.ptr);
        return;
    }
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

std::optional<float> readShortest(std::string_view text) {
    float v = 0;
    if (text.empty()) return std::nullopt;
    const char* b = text.data();
    const char* e = b + text.size();
    // from_chars takes no plus sign and would accept "inf" and "nan".
    if (*b == '+') return std::nullopt;
    for (const char* p = b; p < e; ++p)
        if (!((*p >= '0' && *p <= '9') || *p == '-' || *p == '.' || *p == 'e' || *p == 'E' ||
              *p == '+'))
            return std::nullopt;
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int16_t> readInt16(std::string_view text) {
    int v = 0;
    if (text.empty() || text[0] == '+') return std::nullopt;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || v < -32768 || v > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(v);
}

std::string toHex(std::string_view bytes) {
    static const char* const digits = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += digits[u >> 4];
        out += digits[u & 15];
    }
    return out;
}

std::optional<std::string> fromHex(std::string_view hex) {
    if (hex.size() % 2) return std::nullopt;
    auto nibble = [](char h) -> int {
        if (h >= '0' && h <= '9') return h - '0';
        if (h >= 'a' && h <= 'f') return h - 'a' + 10;
        if (h >= 'A' && h <= 'F') return h - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

}  // namespace convert
