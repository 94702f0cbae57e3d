// Checking any Aerokit file for inconsistencies, and writing a repaired copy.
// Used by aerokit-convert's check and repair commands.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "convert/Layouts.h"

namespace convert {

// One inconsistency: where (record 0 is the file as a whole; field empty for
// the record as a whole) and what.
struct Finding {
    std::int64_t record = 0;
    std::string field;
    std::string what;
};
// "record 3, Total: ..." or "file: ...".
std::string describeFinding(const Finding& f);

// What a file is checked as: its record type, and for a plan-type file
// whether it is the personal information file (one record, personal fields only).
struct FileKind {
    FileType type = FileType::Logbook;
    bool personal = false;
};

// Every inconsistency of the file's bytes, in record order.
std::vector<Finding> checkBytes(std::string_view bytes, FileKind kind);

struct Repair {
    std::string bytes;                 // the repaired file
    std::vector<std::string> changes;  // what was changed, one sentence each
};
// A consistent copy as far as the bytes allow: counts set to the records
// there are, partial records cut off, flags and numbers made valid, texts
// brought into the code page. What cannot be repaired (a date that is no
// date) is left; check the copy to see it.
Repair repairBytes(std::string_view bytes, FileKind kind);

// The check and repair commands: "check FILE" and "repair IN OUT", the type
// from --type (log, plan, aircraft) or the file's extension. The exit
// status, or a usage error's message.
struct CommandResult {
    int status = 0;
    std::optional<std::string> usage;
};
CommandResult checkOrRepair(const std::string& command, const std::vector<std::string>& files,
                            const std::optional<std::string>& type, std::istream& in,
                            std::ostream& out, std::ostream& err);

}  // namespace convert
