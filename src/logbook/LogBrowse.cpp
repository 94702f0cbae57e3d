#include "logbook/LogBrowse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "logbook/FlightScan.h"
#include "records/NumberText.h"

namespace logbook {
namespace {

namespace off = flight_offsets;

// Windows-1252 lower case: A-Z, the Latin-1 capitals (not the multiplication
// sign), and the four capitals the code page keeps in 0x80-0x9F.
constexpr std::array<unsigned char, 256> makeFold() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);
    t[0x8A] = 0x9A;
    t[0x8C] = 0x9C;
    t[0x8E] = 0x9E;
    t[0x9F] = 0xFF;
    return t;
}
constexpr std::array<unsigned char, 256> kFold = makeFold();

std::string folded(const std::string& s) {
    std::string f(s);
    for (char& c : f) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    return f;
}

// The list's number text, exactly records::formatSingleList, but quick: a
// logbook holds few distinct values (tenths of hours, small counts), so the
// texts are remembered by bit pattern, and new ones come from to_chars,
// which formats as printf's %.7G does.
class ListNumbers {
public:
    std::string_view text(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Slot& s = slots_[(bits ^ (bits >> 13) ^ (bits >> 23)) & (kSlots - 1)];
        if (!s.used || s.bits != bits) {
            s.used = true;
            s.bits = bits;
            s.len = format(v, s.text);
        }
        return {s.text, s.len};
    }

private:
    static constexpr std::size_t kSlots = 1024;
    struct Slot {
        bool used = false;
        std::uint32_t bits = 0;
        std::uint8_t len = 0;
        char text[24];
    };

    static std::uint8_t format(float v, char* out) {
        if (v == 0 || !std::isfinite(v)) {
            const std::string s = records::formatSingleList(v);  // 0, -0, NaN, infinities
            const std::size_t n = std::min<std::size_t>(s.size(), 23);
            std::memcpy(out, s.data(), n);
            return static_cast<std::uint8_t>(n);
        }
        char* p = out;
        if (!(v < 0)) *p++ = ' ';
        const auto res = std::to_chars(p, out + 23, static_cast<double>(v), std::chars_format::general, 7);
        for (char* q = p; q < res.ptr; ++q)
            if (*q == 'e') *q = 'E';
        return static_cast<std::uint8_t>(res.ptr - out);
    }

    std::array<Slot, kSlots> slots_{};
};

void appendText(std::string& line, records::ConstByteSpan rec, std::size_t offset, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        const char c = static_cast<char>(rec[offset + i]);
        line += c == '\0' ? ' ' : c;
    }
}

void appendBlanks(std::string& line, std::size_t n) { line.append(n, ' '); }

std::string buildLine(records::ConstByteSpan r, ListNumbers& numbers) {
    using records::getFloat;
    std::string line;
    line.reserve(200);
    appendText(line, r, off::Date, 15);
    appendBlanks(line, 8);
    appendText(line, r, off::Ident, 10);
    appendBlanks(line, 6);
    appendText(line, r, off::From, 3);
    appendBlanks(line, 13);
    appendText(line, r, off::To, 3);
    appendBlanks(line, 13);
    line += numbers.text(getFloat(r, off::InstrApp));
    appendBlanks(line, 17);
    line += numbers.text(getFloat(r, off::Landings) + getFloat(r, off::NightLand));
    appendBlanks(line, 15);
    line += numbers.text(getFloat(r, off::Day));
    appendBlanks(line, 12);
    line += numbers.text(getFloat(r, off::Night));
    appendBlanks(line, 13);
    line += numbers.text(getFloat(r, off::Dual));
    appendBlanks(line, 13);
    line += numbers.text(getFloat(r, off::InCommand));
    appendBlanks(line, 13);
    line += numbers.text(getFloat(r, off::Total));
    return line;
}

int compareFolded(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = kFold[static_cast<unsigned char>(a[i])];
        const unsigned char y = kFold[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The flights' lines with their folded forms, sorted: the folded forms are
// made once so the sort compares plain bytes.
struct Keyed {
    std::string key;
    std::size_t index;
};

std::vector<std::size_t> sortedOrder(const std::vector<std::string>& lines) {
    std::vector<Keyed> keyed;
    keyed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) keyed.push_back({folded(lines[i]), i});
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        // std::string compares its bytes as unsigned char, as memcmp does.
        const int c = a.key.compare(b.key);
        if (c != 0) return c < 0;
        return lines[a.index] < lines[b.index];
    });
    std::vector<std::size_t> order;
    order.reserve(lines.size());
    for (const Keyed& k : keyed) order.push_back(k.index);
    return order;
}

std::string cellText(records::ConstByteSpan r, std::size_t offset, std::size_t width) {
    std::string s;
    appendText(s, r, offset, width);
    return records::trimSpaces(s);
}

std::string cellNumber(float v) {
    std::string s = records::formatSingleList(v);
    if (!s.empty() && s.front() == ' ') s.erase(s.begin());
    return s;
}

std::vector<std::string> unsortedLines(const FlightBlock& block) {
    ListNumbers numbers;
    std::vector<std::string> lines;
    lines.reserve(block.count);
    for (std::size_t i = 0; i < block.count; ++i) lines.push_back(buildLine(block.flight(i), numbers));
    return lines;
}

}  // namespace

std::string browseLine(records::ConstByteSpan flight) {
    ListNumbers numbers;
    return buildLine(flight, numbers);
}

bool browseLess(const std::string& a, const std::string& b) {
    const int c = compareFolded(a, b);
    if (c != 0) return c < 0;
    return a < b;
}

std::vector<std::string> browseLines(const std::string& path) {
    const auto block = readFlights(path);
    if (!block) return {};
    std::vector<std::string> lines = unsortedLines(*block);
    const std::vector<std::size_t> order = sortedOrder(lines);
    std::vector<std::string> sorted;
    sorted.reserve(lines.size());
    for (std::size_t i : order) sorted.push_back(std::move(lines[i]));
    return sorted;
}

std::vector<BrowseRow> browseRows(const std::string& path) {
    using records::getFloat;
    const auto block = readFlights(path);
    if (!block) return {};
    std::vector<std::string> lines = unsortedLines(*block);
    const std::vector<std::size_t> order = sortedOrder(lines);
    std::vector<BrowseRow> rows;
    rows.reserve(lines.size());
    for (std::size_t i : order) {
        const auto r = block->flight(i);
        BrowseRow row;
        row.line = std::move(lines[i]);
        row.cells = {cellText(r, off::Date, 15),
                     cellText(r, off::Ident, 10),
                     cellText(r, off::From, 3),
                     cellText(r, off::To, 3),
                     cellNumber(getFloat(r, off::InstrApp)),
                     cellNumber(getFloat(r, off::Landings) + getFloat(r, off::NightLand)),
                     cellNumber(getFloat(r, off::Day)),
                     cellNumber(getFloat(r, off::Night)),
                     cellNumber(getFloat(r, off::Dual)),
                     cellNumber(getFloat(r, off::InCommand)),
                     cellNumber(getFloat(r, off::Total))};
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace logbook
