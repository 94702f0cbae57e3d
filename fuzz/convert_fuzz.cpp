// Arbitrary bytes as a logbook, plan and aircraft file through dump and
// restore (the same bytes must come back), as JSON into restore, and as CSV
// into every program's import and as a logbook into every export.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/Dump.h"
#include "convert/LogCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto type :
         {convert::FileType::Logbook, convert::FileType::Plan, convert::FileType::Aircraft}) {
        const auto back = convert::restoreJson(convert::dumpJson(bytes, type));
        if (!back.bytes || *back.bytes != bytes) __builtin_trap();
    }
    // Whatever restore accepts dumps and restores to the same bytes again.
    if (const auto r = convert::restoreJson(bytes); r.bytes) {
        for (const auto type :
             {convert::FileType::Logbook, convert::FileType::Plan, convert::FileType::Aircraft}) {
            const auto again = convert::restoreJson(convert::dumpJson(*r.bytes, type));
            if (!again.bytes || *again.bytes != *r.bytes) __builtin_trap();
        }
    }
    // Every program's reading, and every layout's writing.
    for (const auto& format : convert::formats()) {
        convert::ImportOptions in;
        in.from = format.id;
        const auto imported = convert::importFlights(bytes, in);
        if (imported.ok() && imported.flights.size() != imported.count * 420) __builtin_trap();
        if (!format.writable) continue;
        convert::ExportOptions out;
        out.to = format.id;
        out.currentYear = 2026;
        convert::exportFlights(bytes, out);
    }
    const auto detected = convert::importFlights(bytes, {});
    if (detected.ok() && detected.flights.size() != detected.count * 420) __builtin_trap();
    return 0;
}
