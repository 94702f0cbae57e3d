// The logbook's writers on any starting file (the fuzz input): appending a
// flight, removing one, saving the ratings, creating a logbook. Afterwards
// the file is either unchanged or a consistent logbook with exactly the
// intended change. The flights are every whole record after record 1 when
// record 1's flight part is all zero (a logbook's rating record), else
// records 2 .. LastRecord; what lies beyond them is not compared after a
// write, which may cut it off.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFiles.h"
#include "logbook/LogRecord.h"
#include "logbook/Logbook.h"

namespace {

using fuzzfiles::Bytes;
using fuzzfiles::require;
using records::ConstByteSpan;

constexpr std::size_t Rec = LogRecord::Size;
constexpr std::size_t LastRecordAt = LogRecord::Offset::LastRecord;

// The starting file and what its own bytes say: whether it is a logbook
// and the record number of its last flight.
struct Start {
    Bytes bytes;
    std::int64_t last = 0;
    bool named = false;
    bool rating = false;  // record 1's flight part is zero
    std::size_t namedBytes() const { return static_cast<std::size_t>(last) * Rec; }
};

Start startOf(const std::uint8_t* data, std::size_t size) {
    Start s;
    s.bytes.assign(data, data + size);
    const Bytes rec1 = fuzzfiles::record(s.bytes, Rec, 1);
    const std::int64_t stored = records::getInt16(rec1, LastRecordAt);
    s.rating = std::all_of(rec1.begin(), rec1.begin() + LastRecordAt,
                           [](std::uint8_t b) { return b == 0; });
    const auto whole = static_cast<std::int64_t>(size / Rec);
    s.last = s.rating ? std::min<std::int64_t>(whole, logbook::MaxLastRecord) : stored;
    s.named = size >= Rec && stored >= 1 && s.last <= whole;
    return s;
}

// A refused write leaves records 1 .. LastRecord as they were; a file that
// does not even hold those keeps every byte.
void requireUnchanged(const Start& s, const Bytes& after, const char* rule) {
    if (s.named)
        require(fuzzfiles::samePrefix(s.bytes, after, s.namedBytes()), rule);
    else
        require(after == s.bytes, rule);
}

// LastRecord of a written file: a logbook as its count says, with no partial
// record, and exactly as long as its count when it started as a logbook
// program's (its rating record's flight part zero).
std::int16_t validLastRecord(const Start& s, const std::string& path) {
    const logbook::Check c = logbook::checkLogbook(path, logbook::Extent::Counted);
    require(c.ok() && c.partialBytes() == 0, "a written logbook opens");
    require(!s.rating || c.consistent(), "a written logbook is consistent");
    return c.lastRecord;
}

bool isValid(const std::string& path) { return logbook::checkLogbook(path).ok(); }

Bytes withLastRecord(Bytes rec1, std::int16_t last) {
    records::putInt16(rec1, LastRecordAt, last);
    return rec1;
}

void append(const Start& s, const std::string& path) {
    // The flight: the starting file's last 420 bytes, whatever they hold.
    const std::size_t n = s.bytes.size() < Rec ? s.bytes.size() : Rec;
    const LogRecord flight = LogRecord::decode(ConstByteSpan(s.bytes).last(n));
    fuzzfiles::put(path, s.bytes);
    const bool valid = isValid(path);
    const auto result = logbook::appendFlight(path, flight);
    const Bytes after = fuzzfiles::get(path);
    if (!result) {
        require(!valid || s.last >= logbook::MaxLastRecord, "a logbook with room takes a flight");
        requireUnchanged(s, after, "a refused append leaves the logbook as it was");
        return;
    }
    require(s.named && s.last < logbook::MaxLastRecord, "only a logbook with room takes a flight");
    const auto next = static_cast<std::int16_t>(s.last + 1);
    require(validLastRecord(s, path) == next, "an append counts every flight and the new one");
    require(fuzzfiles::record(after, Rec, 1) ==
                withLastRecord(fuzzfiles::record(s.bytes, Rec, 1), next),
            "an append changes nothing else in record 1");
    require(
        std::equal(s.bytes.begin() + Rec, s.bytes.begin() + s.namedBytes(), after.begin() + Rec),
        "an append keeps every flight");
    const auto written = flight.encode();
    require(fuzzfiles::record(after, Rec, next) == Bytes(written.begin(), written.end()),
            "the flight appended is the last record");
}

// The first flight (records 2 .. LastRecord) whose date, trimmed of
// blanks, is date; 0 when there is none.
std::int64_t firstWithDate(const Start& s, const std::string& date) {
    if (!s.named) return 0;
    for (std::int64_t i = 2; i <= s.last; ++i) {
        const auto rec = fuzzfiles::record(s.bytes, Rec, i);
        if (records::trimSpaces(std::string_view(reinterpret_cast<const char*>(rec.data()), 15)) ==
            date)
            return i;
    }
    return 0;
}

void remove(const Start& s, const std::string& path, std::uint8_t pick) {
    fuzzfiles::put(path, s.bytes);
    const bool log = isValid(path);
    const auto dates = logbook::dateList(path);
    // One of the listed dates, or now and then a text no 15-byte date holds.
    const std::string date = dates.empty() || pick >= 0xF0 ? std::string("no such date, ever")
                                                           : dates[pick % dates.size()];
    const auto result = logbook::removeFlight(path, date);
    const Bytes after = fuzzfiles::get(path);
    const std::int64_t found = firstWithDate(s, date);
    if (!result) {
        require(!log || found == 0, "a listed flight of a logbook can be removed");
        requireUnchanged(s, after, "a refused removal leaves the logbook as it was");
        return;
    }
    require(found != 0, "only a flight that is there is removed");
    const auto last = static_cast<std::int16_t>(s.last - 1);
    require(validLastRecord(s, path) == last, "a removal counts the flights left");
    Bytes expected = withLastRecord(fuzzfiles::record(s.bytes, Rec, 1), last);
    for (std::int64_t i = 2; i <= s.last; ++i) {
        if (i == found) continue;
        const auto rec = fuzzfiles::record(s.bytes, Rec, i);
        expected.insert(expected.end(), rec.begin(), rec.end());
    }
    require(fuzzfiles::samePrefix(after, expected, expected.size()),
            "a removal takes out exactly the first flight of that date");
}

// The rating window's thirty tick boxes.
std::array<bool*, 30> boxes(logbook::Ratings& g) {
    return {&g.student,    &g.recreational, &g.privatePilot,     &g.commercial,   &g.instructor,
            &g.atp,        &g.technician,   &g.groundInstructor, &g.single,       &g.seLand,
            &g.seSea,      &g.multi,        &g.meLand,           &g.meSea,        &g.multiLimited,
            &g.instrument, &g.rotorcraft,   &g.helicopter,       &g.gyroplane,    &g.lighter,
            &g.airship,    &g.balloon,      &g.glider,           &g.general,      &g.powerplant,
            &g.airframe,   &g.giBasic,      &g.giAdvanced,       &g.giInstrument, &g.other};
}

std::array<bool, 30> ticks(logbook::Ratings g) {
    std::array<bool, 30> out{};
    const auto b = boxes(g);
    for (std::size_t i = 0; i < b.size(); ++i) out[i] = *b[i];
    return out;
}

// Ratings drawn from the input: ticks from a hash of it, texts from its bytes.
logbook::Ratings ratingsFor(const Bytes& in) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::uint8_t b : in) h = (h ^ b) * 1099511628211ull;
    auto tick = [&h] {
        h = h * 6364136223846793005ull + 1442695040888963407ull;
        return (h >> 63) != 0;
    };
    auto text = [&](std::size_t len) {
        if (in.empty()) return std::string();
        const std::size_t from = static_cast<std::size_t>(h >> 40) % in.size();
        tick();
        const std::size_t n = std::min(len, in.size() - from);
        return std::string(reinterpret_cast<const char*>(in.data()) + from, n);
    };
    logbook::Ratings g;
    for (bool* b : boxes(g)) *b = tick();
    g.otherRatings = text(60);
    for (auto& t : g.typeRatings) t = text(12);
    return g;
}

void saveRatings(const Start& s, const std::string& path) {
    const logbook::Ratings g = ratingsFor(s.bytes);
    fuzzfiles::put(path, s.bytes);
    const bool valid = isValid(path);
    const bool saved = logbook::saveRatings(path, g).ok();
    const Bytes after = fuzzfiles::get(path);
    if (!saved) {
        require(!valid, "a logbook takes the ratings");
        requireUnchanged(s, after, "a refused rating save leaves the logbook as it was");
        return;
    }
    require(s.named, "only a logbook takes the ratings");
    require(validLastRecord(s, path) == s.last, "saving the ratings counts the flights");
    const Bytes rec1 = fuzzfiles::record(s.bytes, Rec, 1);
    LogRecord expected = LogRecord::decode(rec1);
    logbook::applyRatings(expected, g);
    expected.LastRecord = static_cast<std::int16_t>(s.last);
    const auto encoded = expected.encode();
    const Bytes got = fuzzfiles::record(after, Rec, 1);
    require(got == Bytes(encoded.begin(), encoded.end()), "record 1 holds the ratings");
    require(std::equal(rec1.begin(), rec1.begin() + LastRecordAt, got.begin()),
            "saving the ratings leaves the flight part alone");
    require(ticks(logbook::ratingsFrom(LogRecord::decode(got))) == ticks(g),
            "every ticked box reads back");
    require(
        std::equal(s.bytes.begin() + Rec, s.bytes.begin() + s.namedBytes(), after.begin() + Rec),
        "saving the ratings keeps every flight");
}

void create(const Start& s, const std::string& path) {
    fuzzfiles::put(path, s.bytes);
    const auto result = logbook::createLogbook(path);
    const Bytes after = fuzzfiles::get(path);
    if (!result) {
        require(s.bytes.size() % Rec != 0, "a file of whole records can take a new logbook");
        require(after == s.bytes, "a refused create leaves the file as it was");
        return;
    }
    require(validLastRecord(s, path) == 1, "a new logbook holds no flight");
    LogRecord blank;
    blank.LastRecord = 1;
    const auto encoded = blank.encode();
    require(after == Bytes(encoded.begin(), encoded.end()), "a new logbook is one blank record 1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Start s = startOf(data, size);
    const std::string path = fuzzfiles::scratchPath("fuzz.log");
    append(s, path);
    remove(s, path, size ? data[size - 1] : 0);
    saveRatings(s, path);
    create(s, path);
    return 0;
}
