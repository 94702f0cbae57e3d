// Every record of a logbook, plan file, Personal.nfo or aircraft file as
// JSON, every field by its layout name; and the file back from that JSON,
// byte for byte, whatever the file held.
//
// Text fields are strings: each byte decoded by Windows-1252 (the five
// bytes it leaves undefined as the C1 controls U+0081, U+008D, U+008F,
// U+0090, U+009D; NUL as \u0000), padding kept; a field of NUL bytes only is
// null. int16 fields are integers. float32 fields are the shortest decimal
// that reads back to the same float; -0, infinities and NaNs, which have no
// such decimal in JSON, are a string of their bit pattern, "0x80000000".
// A partial record at the end of the file is "trailing", in hexadecimal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/Layouts.h"

namespace convert {

std::string dumpJson(std::string_view fileBytes, FileType type);

struct RestoreResult {
    std::optional<std::string> bytes;  // the file, or nullopt
    std::string error;                 // what is wrong, when bytes is nullopt
};
RestoreResult restoreJson(std::string_view json);

}  // namespace convert
