// The record layouts of the three file kinds, field by field by name, as
// the converter walks them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace convert {

enum class FieldKind { Text, Int16, Bool16, Float32 };

struct FieldInfo {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    FieldKind kind;
};

enum class FileType { Logbook, Plan, Aircraft };

struct Layout {
    FileType type;
    std::string_view name;  // "log", "plan", "aircraft"
    std::size_t recordLength;
    std::span<const FieldInfo> fields;
    // The field of that name, or null.
    const FieldInfo* find(std::string_view fieldName) const;
};

const Layout& layoutOf(FileType type);
// "log", "plan" or "aircraft".
std::optional<FileType> fileTypeNamed(std::string_view name);
// By the extension: .log, .flt or .nfo (plan), .pln (aircraft); any case.
std::optional<FileType> fileTypeOfPath(std::string_view path);

}  // namespace convert
