// Arbitrary bytes as a logbook, plan and aircraft file through dump and
// restore (the same bytes must come back), as JSON into restore, and as CSV
// into the import and as a logbook into the export.
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
    const auto imported = convert::importCsv(bytes, 32766);
    if (imported.ok() && imported.flights.size() != imported.count * 420) __builtin_trap();
    convert::exportCsv(bytes, records::DateLocale{}, 2026);
    return 0;
}
