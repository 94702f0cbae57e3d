#include "convert/Layouts.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "logbook/LogRecord.h"
#include "planner/PlanRecord.h"
#include "wandb/AircraftRecord.h"

namespace convert {
namespace {

// The whole record of each kind: a dump must cover every byte.
const Layout kLayouts[] = {
    {FileType::Logbook, "log", kLogRecordLayout.size, kLogRecordLayout.fields},
    {FileType::Plan, "plan", planner::kPlanRecordLayout.size, planner::kPlanRecordLayout.fields},
    {FileType::Aircraft, "aircraft", wandb::kAircraftLayout.size, wandb::kAircraftLayout.fields},
};

}  // namespace

const FieldInfo* Layout::find(std::string_view fieldName) const {
    return records::RecordLayout{name, recordLength, fields}.find(fieldName);
}

const Layout& layoutOf(FileType type) { return kLayouts[static_cast<int>(type)]; }

std::optional<FileType> fileTypeNamed(std::string_view name) {
    for (const Layout& l : kLayouts)
        if (l.name == name) return l.type;
    return std::nullopt;
}

std::string extensionOf(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::optional<FileType> fileTypeOfPath(std::string_view path) {
    const std::string ext = extensionOf(path);
    if (ext == "log") return FileType::Logbook;
    if (ext == "flt" || ext == "nfo") return FileType::Plan;
    if (ext == "pln") return FileType::Aircraft;
    return std::nullopt;
}

}  // namespace convert
