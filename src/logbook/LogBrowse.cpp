#include "logbook/LogBrowse.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>
#include <tuple>
#include <utility>

#include "logbook/FlightScan.h"
#include "records/NumberText.h"

namespace logbook {
namespace {

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
        // A multiplicative hash: the values differ mostly in their high
        // mantissa and exponent bits.
        Slot& s = slots_[(bits * 2654435761u) >> 22];
        if (!s.used || s.bits != bits) {
            s.used = true;
            s.bits = bits;
            s.len = format(v, s.text);
        }
        return {s.text, s.len};
    }

  private:
    static constexpr std::size_t kSlots = 1024;  // the hash's top 10 bits
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

using Flight = BrowseLines::Flight;

constexpr std::size_t kTextColumns = 4;
constexpr std::size_t kTextWidth = sizeof(Flight::text);
static_assert(kTextWidth == 31);  // with the sign, the four words of the sort key
static_assert([] {
    std::size_t width = 0;
    for (std::size_t c = 0; c < kBrowseColumns.size(); ++c) {
        if ((c < kTextColumns) == kBrowseColumns[c].number()) return false;
        width += kBrowseColumns[c].width;
    }
    return width == kTextWidth;
}());
static_assert(kBrowseColumns.size() - kTextColumns == std::tuple_size_v<decltype(Flight::numbers)>);

// What a line shows of a record: the text fields with NULs as blanks, and
// the numbers (a sum taken in single precision, as the line always showed).
Flight flightOf(records::ConstByteSpan r) {
    Flight f;
    std::size_t at = 0;
    for (std::size_t c = 0; c < kTextColumns; ++c) {
        const BrowseColumn& col = kBrowseColumns[c];
        std::memcpy(f.text + at, r.data() + col.offset, col.width);
        at += col.width;
    }
    // Copied whole, then its NULs turned to blanks: a loop over a fixed span,
    // which the compiler can do a word at a time.
    for (char& ch : f.text) ch = ch == '\0' ? ' ' : ch;
    for (std::size_t c = kTextColumns; c < kBrowseColumns.size(); ++c) {
        const BrowseColumn& col = kBrowseColumns[c];
        float v = records::getFloat(r, col.offset);
        if (col.plusOffset != BrowseColumn::kNone) v += records::getFloat(r, col.plusOffset);
        f.numbers[c - kTextColumns] = v;
    }
    return f;
}

// Builds a line in a stack buffer: its longest form (seven numbers of 23
// characters) is well under its size.
class LineBuilder {
  public:
    void text(std::string_view t) {
        std::memcpy(buf_ + n_, t.data(), t.size());
        n_ += t.size();
    }
    void blanks(std::size_t count) {
        std::memset(buf_ + n_, ' ', count);
        n_ += count;
    }
    std::string str() const { return std::string(buf_, n_); }
    std::string_view view() const { return {buf_, n_}; }

  private:
    char buf_[512];
    std::size_t n_ = 0;
};

template <class Numbers>
void buildLine(const Flight& f, Numbers&& number, LineBuilder& b) {
    std::size_t at = 0;
    for (std::size_t c = 0; c < kBrowseColumns.size(); ++c) {
        const BrowseColumn& col = kBrowseColumns[c];
        b.blanks(col.blanksBefore);
        if (col.number()) {
            b.text(number(f.numbers[c - kTextColumns]));
        } else {
            b.text({f.text + at, col.width});
            at += col.width;
        }
    }
}

// One number's list form, written into a buffer of its own.
struct NumberText {
    char text[records::kNumberTextMax + 1];
    std::string_view operator()(float v) { return {text, records::writeSingleList(v, text)}; }
};

std::string lineOf(const Flight& f) {
    LineBuilder b;
    NumberText number;
    buildLine(f, number, b);
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

// Every line has its text columns and blanks at the same places before its
// first number, which begins with a blank or minus sign in column 71: the
// folded text columns and that sign decide the order of the first 72
// columns. Packed into four big-endian words they settle nearly every
// comparison of the sort without making a line.
constexpr std::size_t kKeyedPrefix = 72;
struct SortKey {
    std::uint64_t k[4];
};

SortKey keyOf(const Flight& f, char sign) {
    unsigned char folded[32];
    for (std::size_t i = 0; i < kTextWidth; ++i)
        folded[i] = kFold[static_cast<unsigned char>(f.text[i])];
    folded[kTextWidth] = kFold[static_cast<unsigned char>(sign)];
    SortKey key;
    for (std::size_t w = 0; w < 4; ++w) {
        std::uint64_t word;
        std::memcpy(&word, folded + w * 8, 8);
        // Big-endian, so that the words compare as the bytes do.
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        key.k[w] = word;
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

// The flights' first key words with their indexes, ascending: a radix sort
// a byte at a time from the last, skipping the bytes every key shares (the
// blanks after short dates), stable, so equal words keep the flights' order.
std::vector<std::pair<std::uint64_t, std::uint32_t>> byFirstWord(const std::vector<SortKey>& keys) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> a, b;
    a.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        a.emplace_back(keys[i].k[0], static_cast<std::uint32_t>(i));
    b.resize(a.size());
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> count{};
        for (const auto& e : a) ++count[((e.first >> shift) & 0xFF) + 1];
        if (std::find(count.begin() + 1, count.end(), a.size()) != count.end()) continue;
        for (std::size_t i = 1; i < count.size(); ++i) count[i] += count[i - 1];
        for (const auto& e : a) b[count[(e.first >> shift) & 0xFF]++] = e;
        a.swap(b);
    }
    return a;
}

// The order of the flights: their lines ascending without regard to case,
// ties by bytes. Sorted by the key's first word, then each run of equal
// first words by the whole key, then each run of equal keys by its lines,
// each made once.
std::vector<std::uint32_t> sortedOrder(const std::vector<Flight>& flights,
                                       const std::vector<SortKey>& keys) {
    const auto first = byFirstWord(keys);
    std::vector<std::uint32_t> order;
    order.reserve(first.size());
    for (const auto& p : first) order.push_back(p.second);
    auto sameKey = [&](std::uint32_t a, std::uint32_t b) {
        const SortKey &x = keys[a], &y = keys[b];
        return x.k[1] == y.k[1] && x.k[2] == y.k[2] && x.k[3] == y.k[3];  // k[0] is equal
    };
    std::vector<std::pair<std::string, std::uint32_t>> tied;
    for (std::size_t at = 0; at < order.size();) {
        std::size_t end = at + 1;
        while (end < order.size() && first[end].first == first[at].first) ++end;
        if (end - at > 1) {
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(at),
                      order.begin() + static_cast<std::ptrdiff_t>(end),
                      [&](std::uint32_t a, std::uint32_t b) {
                          return std::lexicographical_compare(keys[a].k + 1, keys[a].k + 4,
                                                              keys[b].k + 1, keys[b].k + 4);
                      });
            for (std::size_t t = at; t < end;) {
                std::size_t tEnd = t + 1;
                while (tEnd < end && sameKey(order[t], order[tEnd])) ++tEnd;
                if (tEnd - t > 1) {
                    tied.clear();
                    for (std::size_t i = t; i < tEnd; ++i)
                        tied.emplace_back(lineOf(flights[order[i]]), order[i]);
                    std::sort(tied.begin(), tied.end(), [](const auto& a, const auto& b) {
                        return restLess(a.first, b.first);
                    });
                    for (std::size_t i = t; i < tEnd; ++i) order[i] = tied[i - t].second;
                }
                t = tEnd;
            }
        }
        at = end;
    }
    return order;
}

}  // namespace

std::string browseLine(records::ConstByteSpan flight) { return lineOf(flightOf(flight)); }

bool browseLess(std::string_view a, std::string_view b) { return lineLess(a, b); }

std::string BrowseLines::operator[](std::size_t i) const { return lineOf(flights_[i]); }

std::array<std::string, kBrowseColumns.size()> BrowseLines::cells(std::size_t i) const {
    const Flight& f = flights_[i];
    std::array<std::string, kBrowseColumns.size()> cells;
    std::size_t at = 0;
    NumberText number;
    for (std::size_t c = 0; c < kBrowseColumns.size(); ++c) {
        const BrowseColumn& col = kBrowseColumns[c];
        if (col.number()) {
            std::string_view t = number(f.numbers[c - kTextColumns]);
            if (!t.empty() && t.front() == ' ') t.remove_prefix(1);
            cells[c] = std::string(t);
        } else {
            cells[c] = std::string(records::trimSpaces({f.text + at, col.width}));
            at += col.width;
        }
    }
    return cells;
}

std::vector<std::string> BrowseLines::toVector() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) out.push_back((*this)[i]);
    return out;
}

BrowseLines browseLines(const std::string& path) {
    ListNumbers numbers;
    std::size_t fixed = 0;  // the blanks and text columns of every line
    for (const BrowseColumn& col : kBrowseColumns) fixed += col.blanksBefore + col.width;
    std::vector<Flight> flights;
    std::vector<SortKey> keys;
    if (const auto n = flightCount(path)) {
        flights.reserve(*n);
        keys.reserve(*n);
    }
    std::size_t longest = 0;
    const bool read = forEachFlight(path, [&](records::ConstByteSpan r) {
        const Flight& f = flights.emplace_back(flightOf(r));
        // The numbers' widths (from their remembered texts) give the line's
        // length, and the first one's sign is the last column of the key.
        const std::string_view first = numbers.text(f.numbers[0]);
        keys.push_back(keyOf(f, first.empty() ? ' ' : first.front()));
        std::size_t length = fixed + first.size();
        for (std::size_t c = 1; c < f.numbers.size(); ++c)
            length += numbers.text(f.numbers[c]).size();
        longest = std::max(longest, length);
    });
    if (!read) return {};
    BrowseLines result;
    result.longest_ = longest;
    result.flights_.reserve(flights.size());
    for (std::uint32_t i : sortedOrder(flights, keys)) result.flights_.push_back(flights[i]);
    return result;
}

std::vector<BrowseRow> browseRows(const std::string& path) {
    const BrowseLines lines = browseLines(path);
    std::vector<BrowseRow> rows;
    rows.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) rows.push_back({lines[i], lines.cells(i)});
    return rows;
}

}  // namespace logbook
