// Arbitrary bytes through the text conversions and a record file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "records/CodePage.h"
#include "records/DateText.h"
#include "records/Fields.h"
#include "records/NumberText.h"
#include "records/RecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = records::cp1252ToUtf8(text);
    if (records::utf8ToCp1252(utf8) != text) __builtin_trap();  // the page round-trips
    records::utf8ToCp1252(text);                                // arbitrary, often malformed UTF-8

    for (char dp : {'.', ','}) {
        const records::NumberLocale loc{dp};
        if (auto f = records::parseSingle(text, loc)) {
            const std::string shown = records::formatSingle(*f, loc);
            if (!records::parseSingle(shown, loc)) __builtin_trap();  // shown text reads back
        }
        records::parseInt16(text, loc);
    }
    for (auto order : {records::DateOrder::MDY, records::DateOrder::DMY, records::DateOrder::YMD})
        records::parseDate(text, records::DateLocale{order}, 2026);

    // A file of these bytes read as records of an odd length.
    const std::string path = fuzzfiles::scratchPath("fuzz.rec");
    fuzzfiles::put(path, fuzzfiles::Bytes(data, data + size));
    if (auto rf = records::RecordFile::open(path, 7, records::RecordFile::Mode::ReadOnly)) {
        std::vector<records::Byte> out;
        for (std::int64_t n = 1; n <= static_cast<std::int64_t>(rf->recordCount()) + 2; ++n) {
            rf->read(n, out);
            if (out.size() != 7) __builtin_trap();
            records::getInt16(out, 5);
            records::getFloat(out, 3);
        }
    }
    return 0;
}
