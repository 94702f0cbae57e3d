#include "logbook/Logbook.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "logbook/FlightScan.h"
#include "records/RecordFile.h"

using records::Byte;
using records::RecordFile;

namespace logbook {
namespace {

std::int16_t flag(bool on) { return on ? 1 : 0; }
std::int16_t option(bool on) { return on ? records::kTrue : records::kFalse; }

bool blank(const std::string& trimmed) { return trimmed.empty(); }

std::optional<std::int16_t> lastRecordOnDisk(RecordFile& f) {
    std::vector<Byte> rec1;
    if (!f.read(1, rec1)) return std::nullopt;
    return records::getInt16(rec1, LogRecord::Offset::LastRecord);
}

}  // namespace

namespace {
// Checks an open file: its length and record 1.
Check checkOpen(RecordFile& f) {
    Check c;
    c.sizeBytes = f.sizeBytes();
    if (c.sizeBytes == 0) {
        c.problem = Problem::Empty;
        return c;
    }
    // Only record 1 must be whole here; what lies after LastRecord, a
    // record cut short by a crash included, is outside the logbook.
    if (c.sizeBytes < LogRecord::Size) {
        c.problem = Problem::PartialRecord;
        return c;
    }
    std::vector<Byte> rec1;
    if (!f.read(1, rec1)) {
        c.problem = Problem::Unreadable;
        return c;
    }
    c.lastRecord = records::getInt16(rec1, LogRecord::Offset::LastRecord);
    if (c.lastRecord < 1)
        c.problem = Problem::LastRecordBelowOne;
    else if (static_cast<std::uint64_t>(c.lastRecord) > c.sizeBytes / LogRecord::Size)
        c.problem = Problem::LastRecordBeyondEnd;
    return c;
}

// Opens the file for reading and checks it; the file is null when missing
// or unreadable.
std::optional<RecordFile> openChecked(const std::string& path, Check& c) {
    c = Check{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        c.problem = errno == ENOENT || errno == ENOTDIR ? Problem::Missing : Problem::Unreadable;
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        c.problem = Problem::NotRegular;
        return std::nullopt;
    }
    auto f = RecordFile::open(path, LogRecord::Size, RecordFile::Mode::ReadOnly);
    if (!f) {
        c.problem = Problem::Unreadable;
        return std::nullopt;
    }
    c = checkOpen(*f);
    return f;
}
}  // namespace

Check checkLogbook(const std::string& path) {
    Check c;
    openChecked(path, c);
    return c;
}

std::string describe(const Check& c) {
    const std::string records = std::to_string(c.sizeBytes / LogRecord::Size);
    switch (c.problem) {
        case Problem::None:
            return "";
        case Problem::Missing:
            return "The file does not exist.";
        case Problem::NotRegular:
            return "It is not a regular file.";
        case Problem::Unreadable:
            return "The file cannot be read.";
        case Problem::Empty:
            return "The file is empty.";
        case Problem::PartialRecord:
            return "Its length of " + std::to_string(c.sizeBytes) +
                   " bytes is not a whole number of 420-byte logbook records.";
        case Problem::LastRecordBelowOne:
            return "Its first record gives " + std::to_string(c.lastRecord) +
                   " as the number of its last record, which must be at least 1.";
        case Problem::LastRecordBeyondEnd:
            return "Its first record names " + std::to_string(c.lastRecord) +
                   " records, but the file holds only " + records + ".";
    }
    return "";
}

namespace {
// Reads the logbook of a checked file.
std::optional<Contents> readChecked(RecordFile& f, const Check& local, Check* check) {
    Contents log;
    log.lastRecord = local.lastRecord;
    // One read for the whole logbook: a full one is 13.7 MB, and record by
    // record it would be thousands of calls.
    if (!f.readRange(1, static_cast<std::size_t>(local.lastRecord), log.bytes)) {
        if (check) check->problem = Problem::Unreadable;
        return std::nullopt;
    }
    // The file may have changed since it was checked; trust only what the
    // bytes just read say.
    if (records::getInt16(log.bytes, LogRecord::Offset::LastRecord) != log.lastRecord) {
        if (check) check->problem = Problem::Unreadable;
        return std::nullopt;
    }
    return log;
}

// Opens a logbook for a write under its lock and checks it there, so that
// nothing changes between the check and the write.
std::optional<RecordFile> openForWrite(const std::string& path, Check& c,
                                       records::FileError& error) {
    c = Check{};
    auto locked = RecordFile::openLocked(path, LogRecord::Size, RecordFile::Mode::ExistingOnly);
    if (!locked) error = locked.failure().reason;
    std::optional<RecordFile> f;
    if (locked) f = std::move(*locked);
    if (!f) {
        c.problem = error == records::FileError::Missing      ? Problem::Missing
                    : error == records::FileError::NotRegular ? Problem::NotRegular
                                                              : Problem::Unreadable;
        return std::nullopt;
    }
    c = checkOpen(*f);
    return f;
}

// A record left partly written after the logbook's records (a crash in the
// middle of an append) is cut off before the next write.
bool cutPartialTail(RecordFile& f, const Check& c) {
    return c.sizeBytes % LogRecord::Size == 0 ||
           f.truncate(c.sizeBytes - c.sizeBytes % LogRecord::Size);
}
}  // namespace

std::optional<Contents> readLogbook(const std::string& path, Check* check) {
    Check local;
    auto f = openChecked(path, local);
    if (check) *check = local;
    if (!f || !local.ok()) return std::nullopt;
    return readChecked(*f, local, check);
}

CreateResult createLogbook(const std::string& path) {
    auto f = RecordFile::openLocked(path, LogRecord::Size, RecordFile::Mode::CreateIfMissing);
    if (!f) {
        if (f.reason() == records::FileError::NotRegular) return CreateResult::NotRegular;
        if (f.reason() == records::FileError::Busy) return CreateResult::Busy;
        return CreateResult::CannotWrite;
    }
    if (!f->created()) {
        const Check c = checkOpen(*f);
        if (c.sizeBytes % LogRecord::Size != 0 && !c.ok()) return CreateResult::NotALogbookLength;
        if (!cutPartialTail(*f, c)) return CreateResult::CannotWrite;
    }
    LogRecord blankRecord;
    blankRecord.LastRecord = 1;
    const auto bytes = blankRecord.encode();
    if (f->write(1, bytes) && f->sync() && f->close()) return CreateResult::Created;
    // A new file that could not take its first record goes again: an empty
    // file left behind would be no logbook.
    f->discardCreated(path);
    return CreateResult::CannotWrite;
}

std::optional<LogRecord> readRatingRecord(const std::string& path) {
    if (!checkLogbook(path).ok()) return std::nullopt;
    auto f = RecordFile::open(path, LogRecord::Size, RecordFile::Mode::ReadOnly);
    std::vector<Byte> rec1;
    if (!f || !f->read(1, rec1)) return std::nullopt;
    return LogRecord::decode(rec1);
}

Ratings ratingsFrom(const LogRecord& r) {
    Ratings g;
    g.student = r.CertStudent != 0;
    g.recreational = r.CertRecreational != 0;
    g.privatePilot = r.CertPrivate != 0;
    g.commercial = r.CertCommercial != 0;
    g.instructor = r.CertInstructor != 0;
    g.atp = r.CertATP != 0;
    g.technician = r.CertTechnician != 0;
    g.groundInstructor = r.CertGroundInstructor != 0;
    g.single = r.RateSingle != 0;
    g.seLand = r.RateSELand != 0;
    g.seSea = r.RateSESea != 0;
    g.multi = r.RateMulti != 0;
    g.meLand = r.RateMELand != 0;
    g.meSea = r.RateMESea != 0;
    g.multiLimited = r.RateMultiLimited != 0;
    g.instrument = r.RateInstrument != 0;
    g.rotorcraft = r.RateRotorcraft != 0;
    g.helicopter = r.Reserved298 != 0;
    g.gyroplane = r.Reserved300 != 0;
    g.glider = r.Reserved302 != 0;
    g.lighter = r.RateLighter != 0;
    g.airship = r.RateAirship != 0;
    g.balloon = r.RateBalloon != 0;
    g.general = r.RateGeneral != 0;
    g.powerplant = r.RatePowerplant != 0;
    g.airframe = r.RateAirframe != 0;
    g.giBasic = r.RateGIBasic != 0;
    g.giAdvanced = r.RateGIAdvanced != 0;
    g.giInstrument = r.RateGIInstrument != 0;
    g.other = r.RateOther != 0;
    g.otherRatings = r.OtherRatings.shown();
    g.typeRatings = {r.TypeRating1.shown(), r.TypeRating2.shown(), r.TypeRating3.shown(),
                     r.TypeRating4.shown(), r.TypeRating5.shown(), r.TypeRating6.shown()};
    return g;
}

void applyRatings(LogRecord& r, const Ratings& g) {
    r.CertStudent = flag(g.student);
    r.CertRecreational = flag(g.recreational);
    r.CertPrivate = flag(g.privatePilot);
    r.CertCommercial = flag(g.commercial);
    r.CertInstructor = flag(g.instructor);
    r.CertATP = flag(g.atp);
    r.CertTechnician = flag(g.technician);
    r.CertGroundInstructor = flag(g.groundInstructor);
    r.RateSingle = flag(g.single);
    r.RateSELand = flag(g.seLand);
    r.RateSESea = flag(g.seSea);
    r.RateMulti = flag(g.multi);
    r.RateMELand = flag(g.meLand);
    r.RateMESea = flag(g.meSea);
    r.RateMultiLimited = flag(g.multiLimited);
    r.RateInstrument = flag(g.instrument);
    r.RateRotorcraft = flag(g.rotorcraft);
    // The helicopter, gyroplane and glider boxes have no field of their own;
    // the three reserved rating fields keep them so a tick is not lost.
    r.Reserved298 = flag(g.helicopter);
    r.Reserved300 = flag(g.gyroplane);
    r.Reserved302 = flag(g.glider);
    r.RateLighter = flag(g.lighter);
    r.RateAirship = flag(g.airship);
    r.RateBalloon = flag(g.balloon);
    r.RateGeneral = flag(g.general);
    r.RatePowerplant = flag(g.powerplant);
    r.RateAirframe = flag(g.airframe);
    r.RateGIBasic = flag(g.giBasic);
    r.RateGIAdvanced = flag(g.giAdvanced);
    r.RateGIInstrument = flag(g.giInstrument);
    r.RateOther = flag(g.other);
    r.OtherRatings.assign(g.otherRatings);
    r.TypeRating1.assign(g.typeRatings[0]);
    r.TypeRating2.assign(g.typeRatings[1]);
    r.TypeRating3.assign(g.typeRatings[2]);
    r.TypeRating4.assign(g.typeRatings[3]);
    r.TypeRating5.assign(g.typeRatings[4]);
    r.TypeRating6.assign(g.typeRatings[5]);
}

bool saveRatings(const std::string& path, const Ratings& ratings, records::FileError* why) {
    records::FileError error{};
    Check c;
    auto f = openForWrite(path, c, error);
    if (why) *why = f ? records::FileError::WriteFailed : error;
    std::vector<Byte> old;
    if (!f || !c.ok() || !f->read(1, old) || !cutPartialTail(*f, c)) return false;
    LogRecord rec = LogRecord::decode(old);
    applyRatings(rec, ratings);
    const auto bytes = rec.encode();
    if (f->write(1, bytes) && f->sync()) return true;
    // Put the old record back if the disk lets us, so a half-written
    // record 1 does not spoil LastRecord.
    if (f->write(1, old)) f->sync();
    return false;
}

Conversion convertFlight(const FlightInput& in, const records::NumberLocale& loc) {
    Conversion out;
    LogRecord r;  // every byte 0
    r.Date.assign(in.date);
    r.Make.assign(in.make);
    r.Ident.assign(in.ident);
    r.From.assign(in.from);
    r.To.assign(in.to);
    r.Remarks.assign(in.remarks);

    auto single = [&](const std::string& text, float& field) {
        if (text.empty()) {
            field = 0;
            return true;
        }
        const auto v = records::parseSingle(text, loc);
        if (!v) return false;
        field = *v;
        return true;
    };
    auto count = [&](const std::string& text, std::int16_t& field) {
        if (text.empty()) {
            field = 0;
            return true;
        }
        const auto v = records::parseInt16(text, loc);
        if (!v) return false;
        field = *v;
        return true;
    };

    // The order matters: it decides whether an empty Day box was reached
    // (and so shows 0) before a later box failed.
    if (!single(in.instrApp, r.InstrApp)) return out;
    if (!single(in.landings, r.Landings)) return out;
    if (!single(in.xCountry, r.XCountry)) return out;
    if (!single(in.simulator, r.Simulator)) return out;
    if (in.day.empty()) out.dayShowsZero = true;
    if (!single(in.day, r.Day)) return out;
    if (!single(in.night, r.Night)) return out;
    if (!single(in.instrument, r.Instrument)) return out;
    if (!single(in.simInstrument, r.SimInstrument)) return out;
    if (!single(in.dual, r.Dual)) return out;
    if (!single(in.inCommand, r.InCommand)) return out;
    if (!single(in.total, r.Total)) return out;
    if (!single(in.cfi, r.CFI)) return out;
    if (!single(in.cfii, r.CFII)) return out;
    if (!single(in.ground, r.Ground)) return out;
    if (!count(in.appCount[0], r.AppCount1)) return out;
    if (!count(in.appCount[1], r.AppCount2)) return out;
    if (!count(in.appCount[2], r.AppCount3)) return out;
    if (!count(in.appCount[3], r.AppCount4)) return out;
    if (!single(in.sic, r.SIC)) return out;
    if (!single(in.nightLand, r.NightLand)) return out;

    r.AppType1.assign(in.appType[0]);
    r.AppType2.assign(in.appType[1]);
    r.AppType3.assign(in.appType[2]);
    r.AppType4.assign(in.appType[3]);
    r.CatMulti = option(in.catMulti);
    r.CatSingle = option(in.catSingle);
    r.CatRotor = option(in.catRotor);
    r.CatAirship = option(in.catAirship);
    r.CatGlider = option(in.catGlider);
    r.SELand = flag(in.seLand);
    r.SESea = flag(in.seSea);
    r.MELand = flag(in.meLand);
    r.MESea = flag(in.meSea);
    out.flight = r;
    return out;
}

std::string storedLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

AppendResult appendFlight(const std::string& path, const LogRecord& flight) {
    records::FileError error{};
    Check c;
    auto f = openForWrite(path, c, error);
    if (!f) {
        if (error == records::FileError::Busy) return AppendResult::Busy;
        if (c.problem == Problem::Missing || c.problem == Problem::NotRegular)
            return AppendResult::NotALogbook;
        return AppendResult::WriteFailed;
    }
    if (!c.ok()) return AppendResult::NotALogbook;
    if (c.lastRecord >= MaxLastRecord) return AppendResult::Full;
    std::vector<Byte> rec1;
    if (!f->read(1, rec1)) return AppendResult::WriteFailed;
    const std::int16_t last = c.lastRecord;
    const std::int16_t next = static_cast<std::int16_t>(last + 1);
    if (!cutPartialTail(*f, c)) return AppendResult::WriteFailed;
    const std::uint64_t length = c.sizeBytes - c.sizeBytes % LogRecord::Size;

    // The flight first, on the disk: until record 1 names it, it lies
    // outside the logbook.
    const auto flightBytes = flight.encode();
    if (!f->write(next, flightBytes) || !f->sync()) {
        f->truncate(length);
        return AppendResult::WriteFailed;
    }
    std::vector<Byte> raised = rec1;
    records::putInt16(raised, LogRecord::Offset::LastRecord, next);
    if (!f->write(1, raised) || !f->sync()) {
        // Part of record 1 may have landed. Cut the flight off only while
        // LastRecord still reads the old value; if the new value landed, the
        // flight is whole and stays named.
        if (lastRecordOnDisk(*f) != last && f->write(1, rec1)) f->sync();
        if (lastRecordOnDisk(*f) == last) f->truncate(length);
        return AppendResult::WriteFailed;
    }
    return AppendResult::Appended;
}

namespace {
// The date field of a record with its blanks trimmed, without copying it:
// finding a flight compares this for every record of the logbook.
std::string_view trimmedDateView(records::ConstByteSpan rec) {
    return records::trimSpaces({reinterpret_cast<const char*>(rec.data()) + LogRecord::Offset::Date,
                                decltype(LogRecord::Date)::width});
}
}  // namespace

std::vector<std::string> dateList(const Contents& log) {
    std::vector<std::string> dates;
    dates.reserve(log.lastRecord > 1 ? static_cast<std::size_t>(log.lastRecord - 1) : 0);
    for (std::int64_t i = 2; i <= log.lastRecord; ++i) {
        const std::string_view d = trimmedDateView(log.record(i));
        if (!d.empty()) dates.emplace_back(d);
    }
    return dates;
}

namespace {
// Checks the file like readLogbook, then passes records 2 .. LastRecord to
// visit in blocks through one reused buffer: the date list and the search
// read the whole logbook, and 13.7 MB of fresh memory would cost more (its
// pages faulted in and zeroed) than reading the file. Like readLogbook, the
// LastRecord read with the first block must agree with the check, and a
// failed read anywhere fails the whole scan.
template <class Visit>
bool scanChecked(const std::string& path, Visit&& visit) {
    Check c;
    auto f = openChecked(path, c);
    if (!f || !c.ok()) return false;
    constexpr std::int64_t kBlock = 256;  // about 105 KB, inside the second-level cache
    std::vector<Byte> block;
    for (std::int64_t n = 1; n <= c.lastRecord;) {
        const std::int64_t count = std::min<std::int64_t>(kBlock, c.lastRecord - n + 1);
        if (!f->readRange(n, static_cast<std::size_t>(count), block)) return false;
        if (n == 1 && records::getInt16(block, LogRecord::Offset::LastRecord) != c.lastRecord)
            return false;
        for (std::int64_t i = n == 1 ? 1 : 0; i < count; ++i)
            visit(n + i, records::ConstByteSpan(
                             block.data() + static_cast<std::size_t>(i) * LogRecord::Size,
                             LogRecord::Size));
        n += count;
    }
    return true;
}
}  // namespace

std::vector<std::string> dateList(const std::string& path) {
    std::vector<std::string> dates;
    if (const auto count = flightCount(path)) dates.reserve(*count);
    const bool read = scanChecked(path, [&](std::int64_t, records::ConstByteSpan rec) {
        const std::string_view d = trimmedDateView(rec);
        if (!d.empty()) dates.emplace_back(d);
    });
    return read ? dates : std::vector<std::string>{};
}

std::optional<Found> findFlight(const Contents& log, const std::string& trimmedDate) {
    // Flights without a date are never listed, so a blank text names none
    // of them: removing "" must not take the first undated flight.
    if (blank(trimmedDate)) return std::nullopt;
    for (std::int64_t i = 2; i <= log.lastRecord; ++i) {
        if (trimmedDateView(log.record(i)) == trimmedDate)
            return Found{i, LogRecord::decode(log.record(i))};
    }
    return std::nullopt;
}

std::optional<Found> findFlight(const std::string& path, const std::string& trimmedDate) {
    if (blank(trimmedDate)) return std::nullopt;
    std::optional<Found> found;
    const bool read = scanChecked(path, [&](std::int64_t n, records::ConstByteSpan rec) {
        if (!found && trimmedDateView(rec) == trimmedDate) found = Found{n, LogRecord::decode(rec)};
    });
    return read ? found : std::nullopt;
}

std::string temporaryPath(const std::string& logPath) {
    if (logPath.size() >= 4) {
        std::string ext = logPath.substr(logPath.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (ext == ".log") return logPath.substr(0, logPath.size() - 4) + ".tmp";
    }
    return logPath + ".tmp";
}

RemoveResult removeFlight(const std::string& path, const std::string& trimmedDate) {
    using records::FileError;
    FileError error{};
    Check c;
    auto f = openForWrite(path, c, error);
    if (!f) {
        switch (error) {
            case FileError::Busy:
                return RemoveResult::Busy;
            case FileError::ReadOnly:
                return RemoveResult::ReadOnly;
            case FileError::Missing:
            case FileError::NotRegular:
                return RemoveResult::NotALogbook;
            default:
                return RemoveResult::WriteFailed;
        }
    }
    if (!c.ok()) return RemoveResult::NotALogbook;
    auto log = readChecked(*f, c, nullptr);
    if (!log) return RemoveResult::NotALogbook;
    const auto found = findFlight(*log, trimmedDate);
    // Without a match nothing is removed: lowering LastRecord anyway would
    // drop the last flight.
    if (!found) return RemoveResult::NoSuchFlight;

    // The new logbook is built in the buffer just read: the flights after
    // the removed one move down a record, and LastRecord drops by one.
    std::vector<Byte>& out = log->bytes;
    const auto len = static_cast<std::ptrdiff_t>(LogRecord::Size);
    const auto at = static_cast<std::ptrdiff_t>(found->recordNumber - 1) * len;
    std::copy(out.begin() + at + len, out.end(), out.begin() + at);
    out.resize(out.size() - LogRecord::Size);
    records::putInt16(out, LogRecord::Offset::LastRecord,
                      static_cast<std::int16_t>(log->lastRecord - 1));
    const auto replaced = f->replaceContent(path, out);
    if (replaced) return RemoveResult::Removed;
    switch (replaced.failure().reason) {
        case FileError::HardLinked:
            return RemoveResult::HardLinked;
        case FileError::FolderNotWritable:
            return RemoveResult::FolderNotWritable;
        default:
            return RemoveResult::WriteFailed;
    }
}

std::string removalMessage(RemoveResult result) {
    using R = RemoveResult;
    const std::string why = [result]() -> std::string {
        switch (result) {
            case R::NotALogbook:
                return "the file is not a logbook";
            case R::NoSuchFlight:
                return "no flight of that date is in the logbook any more";
            case R::Busy:
                return "the logbook is in use by another program";
            case R::ReadOnly:
                return "the logbook is read-only";
            case R::HardLinked:
                return "the logbook has more than one name (hard links), which replacing it "
                       "would part";
            case R::FolderNotWritable:
                return "the logbook's folder cannot be written";
            case R::Removed:
            case R::WriteFailed:
                break;
        }
        return "the new logbook could not be written";
    }();
    return "The flight could not be removed: " + why + ". Nothing was changed." +
           (result == R::Busy ? " Try again in a moment." : "");
}

}  // namespace logbook
