#include "convert/Check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "convert/Cli.h"
#include "logbook/FlightScan.h"
#include "logbook/LogRecord.h"
#include "planner/PlanRecord.h"
#include "records/DateText.h"
#include "records/Fields.h"
#include "records/FileMessages.h"
#include "records/NewFile.h"
#include "wandb/AircraftRecord.h"

namespace convert {
namespace {

using records::Byte;

// The five bytes Windows-1252 leaves undefined.
bool outsideCodePage(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

std::string where(std::int64_t record, const std::string& field) {
    if (record == 0) return "file";
    return "record " + std::to_string(record) + (field.empty() ? "" : ", " + field);
}

// Walks a file's records once, noting every inconsistency and, when
// repairing, mending it in its own copy of the bytes.
class Walker {
  public:
    Walker(std::string_view bytes, bool repair) : b_(bytes), repair_(repair) {}

    // An inconsistency; when repairing, mend (if given) mends it and change
    // says what was done.
    void note(std::int64_t record, const std::string& field, const std::string& what,
              const std::string& change = "", const std::function<void()>& mend = {}) {
        findings_.push_back({record, field, what});
        if (repair_ && mend) {
            mend();
            changes_.push_back(where(record, field) + ": " + change);
        }
    }

    std::string& bytes() { return b_; }
    Byte* at(std::size_t offset) { return reinterpret_cast<Byte*>(b_.data()) + offset; }
    records::ByteSpan record(std::int64_t n, std::size_t len) {
        return {at(static_cast<std::size_t>(n - 1) * len), len};
    }

    // Bytes [begin, end) of record n that the program never fills.
    void zeroArea(std::int64_t n, std::size_t len, std::size_t begin, std::size_t end,
                  const std::string& area) {
        auto rec = record(n, len);
        if (std::all_of(rec.begin() + begin, rec.begin() + end, [](Byte x) { return x == 0; }))
            return;
        note(n, "",
             "the " + area + " (bytes " + std::to_string(begin) + " to " + std::to_string(end - 1) +
                 ") should be zero",
             "cleared the " + area, [&] { std::fill(rec.begin() + begin, rec.begin() + end, 0); });
    }

    // The fields of record n lying in [begin, end): texts in the code page,
    // finite numbers, True or False flags, and dates that read as dates.
    void fields(std::int64_t n, const Layout& layout, std::size_t begin, std::size_t end,
                bool dates) {
        auto rec = record(n, layout.recordLength);
        for (const FieldInfo& f : layout.fields) {
            if (f.offset < begin || f.offset + f.width > end) continue;
            const std::string name(f.name);
            switch (f.kind) {
                case FieldKind::Text: {
                    auto text = rec.subspan(f.offset, f.width);
                    const auto bad = std::count_if(text.begin(), text.end(), outsideCodePage);
                    if (bad)
                        note(
                            n, name,
                            std::to_string(bad) + " character(s) not in the Windows-1252 code page",
                            "replaced the characters not in the code page with ?", [&] {
                                std::replace_if(text.begin(), text.end(), outsideCodePage, '?');
                            });
                    if (dates && name == "Date") date(n, text);
                    break;
                }
                case FieldKind::Float32:
                    if (!std::isfinite(records::getFloat(rec, f.offset)))
                        note(n, name, "is not a finite number", "set to 0",
                             [&] { records::putFloat(rec, f.offset, 0.0f); });
                    break;
                case FieldKind::Bool16: {
                    const std::int16_t v = records::getInt16(rec, f.offset);
                    if (v != 0 && v != -1)
                        note(n, name,
                             "is " + std::to_string(v) + ", neither True (-1) nor False (0)",
                             "set to True (-1)", [&] { records::putInt16(rec, f.offset, -1); });
                    break;
                }
                case FieldKind::Int16:
                    break;
            }
        }
    }

    // A date that is not blank must read as a date in one of the date orders.
    void date(std::int64_t n, records::ConstByteSpan text) {
        const std::string_view raw(reinterpret_cast<const char*>(text.data()), text.size());
        const std::string_view t = records::trimSpaces(raw);
        if (t.empty() || t.find_first_not_of('\0') == std::string_view::npos) return;
        for (auto order :
             {records::DateOrder::MDY, records::DateOrder::DMY, records::DateOrder::YMD})
            if (records::parseDate(t, records::DateLocale{order}, 2000)) return;
        note(n, "Date", "\"" + std::string(t) + "\" does not read as a date");
    }

    // A file that must be exactly one record long.
    void oneRecord(std::size_t len) {
        const std::size_t size = b_.size();
        if (size < len)
            note(0, "",
                 "holds " + std::to_string(size) + " of its record's " + std::to_string(len) +
                     " bytes",
                 "completed the record with zero bytes", [&] { b_.resize(len, '\0'); });
        else if (size > len)
            note(0, "", "holds " + std::to_string(size - len) + " bytes after its one record",
                 "cut off what follows the record", [&] { b_.resize(len); });
    }

    // A partial record at the end of a file of records.
    void partialTail(std::size_t len) {
        const std::size_t part = b_.size() % len;
        if (!part) return;
        note(static_cast<std::int64_t>(b_.size() / len) + 1, "",
             "is partial: " + std::to_string(part) + " of " + std::to_string(len) + " bytes",
             "cut off the partial record", [&] { b_.resize(b_.size() - part); });
    }

    std::vector<Finding> findings_;
    std::vector<std::string> changes_;

  private:
    std::string b_;
    bool repair_;
};

void walkLogbook(Walker& w) {
    using O = LogRecord::Offset;
    const Layout& layout = layoutOf(FileType::Logbook);
    const std::size_t len = LogRecord::Size;
    if (w.bytes().size() < len) {
        w.note(0, "", w.bytes().empty() ? "is empty" : "is shorter than a logbook's first record");
        return;
    }
    w.partialTail(len);
    auto whole = static_cast<std::int64_t>(w.bytes().size() / len);
    if (whole > logbook::MaxLastRecord)
        w.note(0, "", "holds more records than a logbook can (" + std::to_string(whole) + ")",
               "cut off the records after 32767", [&] {
                   w.bytes().resize(static_cast<std::size_t>(logbook::MaxLastRecord) * len);
                   whole = logbook::MaxLastRecord;
               });
    auto rec1 = w.record(1, len);
    w.zeroArea(1, len, 0, O::LastRecord, "flight part of the rating record");
    const std::int16_t last = records::getInt16(rec1, O::LastRecord);
    const auto count = static_cast<std::int16_t>(whole);
    const std::string set = "set to " + std::to_string(count) + ", the records the file holds";
    auto mend = [&] { records::putInt16(w.record(1, len), O::LastRecord, count); };
    if (last < 1)
        w.note(1, "LastRecord", "is " + std::to_string(last) + "; it must be at least 1", set,
               mend);
    else if (last > whole)
        w.note(1, "LastRecord",
               "names " + std::to_string(last) + " records, but the file holds " +
                   std::to_string(whole),
               set, mend);
    else if (last < whole)
        w.note(1, "LastRecord",
               "is " + std::to_string(last) + ", but the file holds " + std::to_string(whole) +
                   " records: the flights after it were never counted",
               set, mend);
    w.fields(1, layout, O::LastRecord + 2, len, false);
    for (std::int64_t n = 2; n <= whole; ++n) {
        w.zeroArea(n, len, O::LastRecord, len, "rating part of a flight record");
        w.fields(n, layout, 0, O::LastRecord, true);
    }
}

void walkPlan(Walker& w) {
    using O = planner::PlanRecord::Offset;
    const Layout& layout = layoutOf(FileType::Plan);
    const std::size_t len = planner::PlanRecord::Size;
    if (w.bytes().size() < len) {
        w.note(0, "", w.bytes().empty() ? "is empty" : "is shorter than a plan's first record");
        return;
    }
    w.partialTail(len);
    const auto whole = static_cast<std::int64_t>(w.bytes().size() / len);
    auto rec1 = w.record(1, len);
    w.fields(1, layout, 0, O::LastCheckpoint, false);
    const int types = (records::getInt16(rec1, O::IsVFR) != 0) +
                      (records::getInt16(rec1, O::IsIFR) != 0) +
                      (records::getInt16(rec1, O::IsDVFR) != 0);
    if (types > 1) w.note(1, "IsVFR, IsIFR, IsDVFR", "more than one flight type is set");
    const std::int16_t last = records::getInt16(rec1, O::LastCheckpoint);
    const auto fit = static_cast<std::int16_t>(std::min<std::int64_t>(9, whole - 2));
    const std::string set = "set to " + std::to_string(fit);
    auto mend = [&] { records::putInt16(w.record(1, len), O::LastCheckpoint, fit); };
    if (last < -1 || last > 9)
        w.note(1, "LastCheckpoint", "is " + std::to_string(last) + "; it must be from -1 to 9", set,
               mend);
    else if (last + 2 > whole)
        w.note(1, "LastCheckpoint",
               "names " + std::to_string(last + 1) + " checkpoints, but the file holds " +
                   std::to_string(whole - 1),
               set, mend);
    w.zeroArea(1, len, O::PilotName, O::Aboard, "personal part of the plan record");
    w.zeroArea(1, len, O::CheckName, len, "checkpoint part of the plan record");
    for (std::int64_t n = 2; n <= whole; ++n) {
        w.zeroArea(n, len, 0, O::CheckName, "plan part of a checkpoint record");
        w.fields(n, layout, O::CheckName, len, false);
    }
}

void walkPersonal(Walker& w) {
    using O = planner::PlanRecord::Offset;
    const std::size_t len = planner::PlanRecord::Size;
    w.oneRecord(len);
    if (w.bytes().size() < len) return;
    w.zeroArea(1, len, 0, O::PilotName, "part before the personal fields");
    w.zeroArea(1, len, O::Aboard, len, "part after the personal fields");
    w.fields(1, layoutOf(FileType::Plan), O::PilotName, O::Aboard, false);
}

void walkAircraft(Walker& w) {
    const std::size_t len = wandb::AircraftRecord::Size;
    w.oneRecord(len);
    if (w.bytes().size() < len) return;
    w.fields(1, layoutOf(FileType::Aircraft), 0, len, false);
}

Walker walk(std::string_view bytes, FileKind kind, bool repair) {
    Walker w(bytes, repair);
    switch (kind.type) {
        case FileType::Logbook:
            walkLogbook(w);
            break;
        case FileType::Plan:
            kind.personal ? walkPersonal(w) : walkPlan(w);
            break;
        case FileType::Aircraft:
            walkAircraft(w);
            break;
    }
    return w;
}

}  // namespace

std::string describeFinding(const Finding& f) { return where(f.record, f.field) + ": " + f.what; }

std::vector<Finding> checkBytes(std::string_view bytes, FileKind kind) {
    return walk(bytes, kind, false).findings_;
}

Repair repairBytes(std::string_view bytes, FileKind kind) {
    Walker w = walk(bytes, kind, true);
    return {std::move(w.bytes()), std::move(w.changes_)};
}

CommandResult checkOrRepair(const std::string& command, const std::vector<std::string>& files,
                            const std::optional<std::string>& type, std::istream& in,
                            std::ostream& out, std::ostream& err) {
    const bool repair = command == "repair";
    if (files.size() != (repair ? 2u : 1u))
        return {kBadUsage,
                repair ? "repair takes the file and the copy to write" : "check takes one file"};
    const std::string& path = files[0];
    FileKind kind;
    const auto named = type ? fileTypeNamed(*type) : fileTypeOfPath(path);
    if (!named)
        return {kBadUsage, type ? "--type is log, plan or aircraft, not \"" + *type + "\""
                                : "the type of \"" + path +
                                      "\" does not follow from its name; give --type "
                                      "log|plan|aircraft"};
    kind.type = *named;
    kind.personal = kind.type == FileType::Plan && extensionOf(path) == "nfo";
    std::string error;
    const auto bytes = readInput(path, in, error);
    if (!bytes) {
        err << "aerokit-convert: " << (path == "-" ? "standard input" : path) << ": " << error
            << "\n";
        return {kBadData, std::nullopt};
    }
    if (!repair) {
        const auto findings = checkBytes(*bytes, kind);
        for (const Finding& f : findings) out << path << ": " << describeFinding(f) << "\n";
        if (findings.empty()) out << path << ": no inconsistencies found\n";
        return {findings.empty() ? kOk : kBadData, std::nullopt};
    }
    const std::string& copy = files[1];
    const Repair r = repairBytes(*bytes, kind);
    if (const auto made = records::createNewFile(copy, r.bytes); !made) {
        err << "aerokit-convert: " << copy << ": "
            << records::failureReason("the file", made.failure()) << "\n";
        return {kBadData, std::nullopt};
    }
    for (const std::string& c : r.changes) out << copy << ": " << c << "\n";
    if (r.changes.empty()) out << copy << ": nothing needed repair; the copy is unchanged\n";
    // What a repair cannot mend (a date that is no date) stays for the pilot.
    for (const Finding& f : checkBytes(r.bytes, kind))
        out << copy << ": left as it is: " << describeFinding(f) << "\n";
    return {kOk, std::nullopt};
}

}  // namespace convert
