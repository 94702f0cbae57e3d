#include "logbook/TotalTime.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "logbook/FlightScan.h"
#include "records/Fields.h"

namespace logbook {
namespace {

using off = LogRecord::Offset;

std::string_view fieldView(records::ConstByteSpan rec, std::size_t offset, std::size_t width) {
    return {reinterpret_cast<const char*>(rec.data()) + offset, width};
}

// Keeps each distinct text once, in order of first appearance: a small
// open-addressing table (a logbook has few aircraft, and this runs once per
// flight). A field of 8 to 16 bytes is held exactly by two overlapping 8-byte
// words, so the words serve as both hash and comparison.
class Distinct {
  public:
    explicit Distinct(std::vector<std::string>& kept) : kept_(kept), slots_(64, kEmpty) {}

    void add(std::string_view v) {
        const Words w = words(v);
        std::size_t i = hash(w) & (slots_.size() - 1);
        for (; slots_[i] != kEmpty; i = (i + 1) & (slots_.size() - 1)) {
            const Words& k = keys_[slots_[i]];
            if (k.a == w.a && k.b == w.b) return;
        }
        slots_[i] = static_cast<std::uint32_t>(kept_.size());
        kept_.emplace_back(v);
        keys_.push_back(w);
        if (kept_.size() * 2 > slots_.size()) grow();
    }

  private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    struct Words {
        std::uint64_t a, b;
    };

    static Words words(std::string_view v) {  // 8 <= v.size() <= 16
        Words w;
        std::memcpy(&w.a, v.data(), 8);
        std::memcpy(&w.b, v.data() + v.size() - 8, 8);
        return w;
    }
    static std::size_t hash(const Words& w) {
        std::uint64_t h =
            w.a * 0x9E3779B97F4A7C15ull ^ (w.b + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        return static_cast<std::size_t>(h ^ (h >> 31));
    }

    void grow() {
        std::vector<std::uint32_t> bigger(slots_.size() * 2, kEmpty);
        for (std::uint32_t k = 0; k < keys_.size(); ++k) {
            std::size_t i = hash(keys_[k]) & (bigger.size() - 1);
            while (bigger[i] != kEmpty) i = (i + 1) & (bigger.size() - 1);
            bigger[i] = k;
        }
        slots_.swap(bigger);
    }

    std::vector<std::string>& kept_;
    std::vector<Words> keys_;
    std::vector<std::uint32_t> slots_;
};

}  // namespace

void addFlight(TimeTotals& t, records::ConstByteSpan r) {
    using records::getFloat;
    // float + float is a float operation: each sum is rounded to single
    // precision before the next flight is added.
    t.Day += getFloat(r, off::Day);
    t.Night += getFloat(r, off::Night);
    t.Instrument += getFloat(r, off::Instrument);
    t.SimInstrument += getFloat(r, off::SimInstrument);
    t.Ground += getFloat(r, off::Ground);
    t.Dual += getFloat(r, off::Dual);
    t.InCommand += getFloat(r, off::InCommand);
    t.Simulator += getFloat(r, off::Simulator);
    t.SIC += getFloat(r, off::SIC);
    t.CFI += getFloat(r, off::CFI);
    t.CFII += getFloat(r, off::CFII);
    t.Landings += getFloat(r, off::Landings);
    t.NightLand += getFloat(r, off::NightLand);
    t.XCountry += getFloat(r, off::XCountry);
    t.InstrApp += getFloat(r, off::InstrApp);
    t.Total += getFloat(r, off::Total);
}

TotalTimeLoad loadTotalTime(const std::string& path) {
    TotalTimeLoad load;
    Distinct idents(load.idents), makes(load.makes);
    const bool read = forEachFlight(path, [&](records::ConstByteSpan rec) {
        addFlight(load.totals, rec);
        idents.add(fieldView(rec, off::Ident, 10));
        makes.add(fieldView(rec, off::Make, 15));
    });
    if (!read) return {};
    return load;
}

TimeTotals totalsFor(const std::string& path, FlightTextField field, std::string_view text) {
    TimeTotals t;
    const std::size_t offset = field == FlightTextField::Ident ? off::Ident : off::Make;
    const std::size_t width = field == FlightTextField::Ident ? 10 : 15;
    const std::string_view wanted = records::trimSpaces(text);
    const bool read = forEachFlight(path, [&](records::ConstByteSpan rec) {
        if (records::trimSpaces(fieldView(rec, offset, width)) == wanted) addFlight(t, rec);
    });
    if (!read) return {};
    return t;
}

}  // namespace logbook
