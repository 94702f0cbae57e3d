// The three kinds of file the converter reads and writes, each with the
// field list of its record (records/Layout.h), walked by field name.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/Layout.h"

namespace convert {

using records::FieldInfo;
using records::FieldKind;

enum class FileType { Logbook, Plan, Aircraft };

struct Layout {
    FileType type;
    std::string_view name;  // "log", "plan", "aircraft"
    std::size_t recordLength;
    std::span<const FieldInfo> fields;  // every field of the record, in disk order
    // The field of that name, or null.
    const FieldInfo* find(std::string_view fieldName) const;
};

const Layout& layoutOf(FileType type);
// "log", "plan" or "aircraft".
std::optional<FileType> fileTypeNamed(std::string_view name);
// The extension of the file name in lower case ("log"); empty without one.
std::string extensionOf(std::string_view path);
// By the extension: .log, .flt or .nfo (plan), .pln (aircraft); any case.
std::optional<FileType> fileTypeOfPath(std::string_view path);

}  // namespace convert
