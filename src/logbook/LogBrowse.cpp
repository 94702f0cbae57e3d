#include "logbook/LogBrowse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "logbook/FlightScan.h"
#include "records/NumberText.h"

namespace logbook {
namespace {

using off = LogRecord::Offset;

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

// The list's number texts, remembered by bit pattern: a logbook holds few
// distinct values (tenths of hours, small counts).
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
        char text[records::kNumberTextMax + 1];
    };

    static std::uint8_t format(float v, char* out) {
        return static_cast<std::uint8_t>(records::writeSingleList(v, out));
    }

    std::array<Slot, kSlots> slots_{};
};

// Builds a line in a stack buffer: its longest form (seven numbers of 13
// characters) is well under its size.
class LineBuilder {
  public:
    void text(records::ConstByteSpan rec, std::size_t offset, std::size_t width) {
        // Copied whole, then its NULs turned to blanks: both loops run over
        // a fixed span, which the compiler can do a word at a time.
        char* out = buf_ + n_;
        std::memcpy(out, rec.data() + offset, width);
        for (std::size_t i = 0; i < width; ++i) out[i] = out[i] == '\0' ? ' ' : out[i];
        n_ += width;
    }
    void blanks(std::size_t count) {
        std::memset(buf_ + n_, ' ', count);
        n_ += count;
    }
    void number(std::string_view t) {
        std::memcpy(buf_ + n_, t.data(), t.size());
        n_ += t.size();
    }
    std::string str() const { return std::string(buf_, n_); }
    std::string_view view() const { return {buf_, n_}; }
    std::size_t appendTo(std::string& out) const {
        out.append(buf_, n_);
        return n_;
    }

  private:
    char buf_[512];
    std::size_t n_ = 0;
};

void buildLine(records::ConstByteSpan r, ListNumbers& numbers, LineBuilder& b) {
    using records::getFloat;
    b.text(r, off::Date, 15);
    b.blanks(8);
    b.text(r, off::Ident, 10);
    b.blanks(6);
    b.text(r, off::From, 3);
    b.blanks(13);
    b.text(r, off::To, 3);
    b.blanks(13);
    b.number(numbers.text(getFloat(r, off::InstrApp)));
    b.blanks(17);
    b.number(numbers.text(getFloat(r, off::Landings) + getFloat(r, off::NightLand)));
    b.blanks(15);
    b.number(numbers.text(getFloat(r, off::Day)));
    b.blanks(12);
    b.number(numbers.text(getFloat(r, off::Night)));
    b.blanks(13);
    b.number(numbers.text(getFloat(r, off::Dual)));
    b.blanks(13);
    b.number(numbers.text(getFloat(r, off::InCommand)));
    b.blanks(13);
    b.number(numbers.text(getFloat(r, off::Total)));
}

std::string buildLine(records::ConstByteSpan r, ListNumbers& numbers) {
    LineBuilder b;
    buildLine(r, numbers, b);
    return b.str();
}

int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = kFold[static_cast<unsigned char>(a[i])];
        const unsigned char y = kFold[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool lineLess(std::string_view a, std::string_view b) {
    const int c = compareFolded(a, b);
    if (c != 0) return c < 0;
    return a < b;  // std::string compares bytes as unsigned char
}

// Every line has blanks at the same places before its first number (columns
// 15-22, 33-38, 42-54 and 58-70), so the folded bytes of the date, ident,
// From and To and the first number's sign column decide the order of the
// first 72 columns. Packed into four big-endian words they settle nearly
// every comparison of the sort without touching the lines.
constexpr std::size_t kKeyColumns[][2] = {{0, 15}, {23, 10}, {39, 3}, {55, 3}, {71, 1}};
constexpr std::size_t kKeyedPrefix = 72;

struct SortKey {
    std::uint64_t k[4];
    std::uint32_t index;
};

SortKey keyOf(std::string_view line, std::size_t index) {
    SortKey key{{0, 0, 0, 0}, static_cast<std::uint32_t>(index)};
    if (line.size() >= kKeyedPrefix) {  // every line of a flight: no bounds to check
        const auto* p = reinterpret_cast<const unsigned char*>(line.data());
        std::size_t at = 0;
        for (const auto& [from, width] : kKeyColumns)
            for (std::size_t i = from; i < from + width; ++i, ++at)
                key.k[at / 8] = (key.k[at / 8] << 8) | kFold[p[i]];
        return key;
    }
    std::size_t at = 0;
    for (const auto& [from, width] : kKeyColumns)
        for (std::size_t i = from; i < from + width; ++i, ++at) {
            const std::uint64_t c =
                i < line.size() ? kFold[static_cast<unsigned char>(line[i])] : 0;
            key.k[at / 8] = (key.k[at / 8] << 8) | c;
        }
    return key;
}

// Lines whose keys are equal agree, folded, on their first 72 columns.
bool restLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = kKeyedPrefix; i < n; ++i) {
        const unsigned char x = kFold[static_cast<unsigned char>(a[i])];
        const unsigned char y = kFold[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

// The order of the lines: ascending without regard to case, ties by bytes.
// keys: keyOf(lines[i], i) for every line.
template <class Lines>
std::vector<std::uint32_t> sortedOrder(const Lines& lines, std::vector<SortKey>& keys) {
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        for (int w = 0; w < 4; ++w)
            if (a.k[w] != b.k[w]) return a.k[w] < b.k[w];
        return restLess(std::string_view(lines[a.index]), std::string_view(lines[b.index]));
    });
    std::vector<std::uint32_t> order;
    order.reserve(lines.size());
    for (const SortKey& k : keys) order.push_back(k.index);
    return order;
}

template <class Lines>
std::vector<std::uint32_t> sortedOrder(const Lines& lines) {
    std::vector<SortKey> keys;
    keys.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) keys.push_back(keyOf(lines[i], i));
    return sortedOrder(lines, keys);
}

std::string cellText(records::ConstByteSpan r, std::size_t offset, std::size_t width) {
    LineBuilder b;
    b.text(r, offset, width);
    return std::string(records::trimSpaces(b.str()));
}

std::string cellNumber(float v) {
    std::string s = records::formatSingleList(v);
    if (!s.empty() && s.front() == ' ') s.erase(s.begin());
    return s;
}

}  // namespace

std::string browseLine(records::ConstByteSpan flight) {
    ListNumbers numbers;
    return buildLine(flight, numbers);
}

bool browseLess(std::string_view a, std::string_view b) { return lineLess(a, b); }

std::vector<std::string> BrowseLines::toVector() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) out.emplace_back((*this)[i]);
    return out;
}

BrowseLines browseLines(const std::string& path) {
    ListNumbers numbers;
    BrowseLines result;
    std::vector<std::string_view> lines;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans;
    std::vector<SortKey> keys;
    if (const auto n = flightCount(path)) {
        spans.reserve(*n);
        keys.reserve(*n);
        // A line is about 175 characters: reserving room for all of them
        // spares copying the text as it grows.
        result.text_.reserve(*n * 192);
    }
    const bool read = forEachFlight(path, [&](records::ConstByteSpan r) {
        LineBuilder b;
        buildLine(r, numbers, b);
        // The sort key is taken while the line is still in the cache.
        keys.push_back(keyOf(b.view(), spans.size()));
        const auto at = static_cast<std::uint32_t>(result.text_.size());
        spans.emplace_back(at, static_cast<std::uint32_t>(b.appendTo(result.text_)));
    });
    if (!read) return {};
    lines.reserve(spans.size());
    for (const auto& [at, len] : spans)
        lines.push_back(std::string_view(result.text_).substr(at, len));
    result.spans_.reserve(spans.size());
    for (std::uint32_t i : sortedOrder(lines, keys)) result.spans_.push_back(spans[i]);
    return result;
}

std::vector<BrowseRow> browseRows(const std::string& path) {
    using records::getFloat;
    ListNumbers numbers;
    std::vector<BrowseRow> rows;
    const bool read = forEachFlight(path, [&](records::ConstByteSpan r) {
        BrowseRow row;
        row.line = buildLine(r, numbers);
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
    });
    if (!read) return {};
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const BrowseRow& r : rows) lines.push_back(r.line);
    std::vector<BrowseRow> sorted;
    sorted.reserve(rows.size());
    for (std::uint32_t i : sortedOrder(lines)) sorted.push_back(std::move(rows[i]));
    return sorted;
}

}  // namespace logbook
