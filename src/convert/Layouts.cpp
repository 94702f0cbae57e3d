#include "convert/Layouts.h"

#include <algorithm>
#include <cctype>

namespace convert {
namespace {

constexpr FieldInfo kLogFields[] = {
    {"Date", 0, 15, FieldKind::Text},
    {"Make", 15, 15, FieldKind::Text},
    {"Ident", 30, 10, FieldKind::Text},
    {"From", 40, 3, FieldKind::Text},
    {"To", 43, 3, FieldKind::Text},
    {"Remarks", 46, 100, FieldKind::Text},
    {"InstrApp", 146, 4, FieldKind::Float32},
    {"Landings", 150, 4, FieldKind::Float32},
    {"Reserved154", 154, 2, FieldKind::Int16},
    {"CatMulti", 156, 2, FieldKind::Int16},
    {"XCountry", 158, 4, FieldKind::Float32},
    {"Day", 162, 4, FieldKind::Float32},
    {"Night", 166, 4, FieldKind::Float32},
    {"Instrument", 170, 4, FieldKind::Float32},
    {"SimInstrument", 174, 4, FieldKind::Float32},
    {"Simulator", 178, 4, FieldKind::Float32},
    {"Dual", 182, 4, FieldKind::Float32},
    {"InCommand", 186, 4, FieldKind::Float32},
    {"Total", 190, 4, FieldKind::Float32},
    {"AppType1", 194, 10, FieldKind::Text},
    {"AppCount1", 204, 2, FieldKind::Int16},
    {"AppType2", 206, 10, FieldKind::Text},
    {"AppCount2", 216, 2, FieldKind::Int16},
    {"AppType3", 218, 10, FieldKind::Text},
    {"AppCount3", 228, 2, FieldKind::Int16},
    {"AppType4", 230, 10, FieldKind::Text},
    {"AppCount4", 240, 2, FieldKind::Int16},
    {"CatRotor", 242, 2, FieldKind::Int16},
    {"CatAirship", 244, 2, FieldKind::Int16},
    {"CatGlider", 246, 2, FieldKind::Int16},
    {"Ground", 248, 4, FieldKind::Float32},
    {"SIC", 252, 4, FieldKind::Float32},
    {"CFI", 256, 4, FieldKind::Float32},
    {"CFII", 260, 4, FieldKind::Float32},
    {"NightLand", 264, 4, FieldKind::Float32},
    {"MELand", 268, 2, FieldKind::Int16},
    {"MESea", 270, 2, FieldKind::Int16},
    {"SELand", 272, 2, FieldKind::Int16},
    {"SESea", 274, 2, FieldKind::Int16},
    {"CatSingle", 276, 2, FieldKind::Int16},
    {"LastRecord", 278, 2, FieldKind::Int16},
    {"RateSingle", 280, 2, FieldKind::Int16},
    {"RateMulti", 282, 2, FieldKind::Int16},
    {"RateSELand", 284, 2, FieldKind::Int16},
    {"RateSESea", 286, 2, FieldKind::Int16},
    {"RateMELand", 288, 2, FieldKind::Int16},
    {"RateMESea", 290, 2, FieldKind::Int16},
    {"RateMultiLimited", 292, 2, FieldKind::Int16},
    {"RateInstrument", 294, 2, FieldKind::Int16},
    {"RateRotorcraft", 296, 2, FieldKind::Int16},
    {"Reserved298", 298, 2, FieldKind::Int16},
    {"Reserved300", 300, 2, FieldKind::Int16},
    {"Reserved302", 302, 2, FieldKind::Int16},
    {"RateLighter", 304, 2, FieldKind::Int16},
    {"RateAirship", 306, 2, FieldKind::Int16},
    {"RateBalloon", 308, 2, FieldKind::Int16},
    {"RateGeneral", 310, 2, FieldKind::Int16},
    {"RatePowerplant", 312, 2, FieldKind::Int16},
    {"RateAirframe", 314, 2, FieldKind::Int16},
    {"RateGIBasic", 316, 2, FieldKind::Int16},
    {"RateGIAdvanced", 318, 2, FieldKind::Int16},
    {"RateGIInstrument", 320, 2, FieldKind::Int16},
    {"RateOther", 322, 2, FieldKind::Int16},
    {"OtherRatings", 324, 20, FieldKind::Text},
    {"CertStudent", 344, 2, FieldKind::Int16},
    {"CertRecreational", 346, 2, FieldKind::Int16},
    {"CertPrivate", 348, 2, FieldKind::Int16},
    {"CertCommercial", 350, 2, FieldKind::Int16},
    {"CertInstructor", 352, 2, FieldKind::Int16},
    {"CertATP", 354, 2, FieldKind::Int16},
    {"CertTechnician", 356, 2, FieldKind::Int16},
    {"CertGroundInstructor", 358, 2, FieldKind::Int16},
    {"TypeRating1", 360, 10, FieldKind::Text},
    {"TypeRating2", 370, 10, FieldKind::Text},
    {"TypeRating3", 380, 10, FieldKind::Text},
    {"TypeRating4", 390, 10, FieldKind::Text},
    {"TypeRating5", 400, 10, FieldKind::Text},
    {"TypeRating6", 410, 10, FieldKind::Text},
};
constexpr FieldInfo kPlanFields[] = {
    {"IsVFR", 0, 2, FieldKind::Int16},
    {"IsIFR", 2, 2, FieldKind::Int16},
    {"IsDVFR", 4, 2, FieldKind::Int16},
    {"Special", 6, 10, FieldKind::Text},
    {"ProposedTime", 16, 10, FieldKind::Text},
    {"ActualTime", 26, 10, FieldKind::Text},
    {"Route", 36, 100, FieldKind::Text},
    {"EnRouteHours", 136, 5, FieldKind::Text},
    {"EnRouteMinutes", 141, 5, FieldKind::Text},
    {"Remarks", 146, 100, FieldKind::Text},
    {"FuelHours", 246, 5, FieldKind::Text},
    {"FuelMinutes", 251, 5, FieldKind::Text},
    {"PilotName", 256, 20, FieldKind::Text},
    {"Street", 276, 30, FieldKind::Text},
    {"City", 306, 20, FieldKind::Text},
    {"State", 326, 2, FieldKind::Text},
    {"Zip", 328, 11, FieldKind::Text},
    {"Phone", 339, 12, FieldKind::Text},
    {"HomeBase", 351, 15, FieldKind::Text},
    {"Aboard", 366, 10, FieldKind::Text},
    {"Color", 376, 20, FieldKind::Text},
    {"CloseWith", 396, 8, FieldKind::Text},
    {"AircraftType", 404, 10, FieldKind::Text},
    {"Departure", 414, 10, FieldKind::Text},
    {"Destination", 424, 10, FieldKind::Text},
    {"Alternates", 434, 15, FieldKind::Text},
    {"CruiseAltitude", 449, 10, FieldKind::Text},
    {"TrueAirspeed", 459, 10, FieldKind::Text},
    {"AircraftIdent", 469, 10, FieldKind::Text},
    {"TimeOff", 479, 10, FieldKind::Text},
    {"TimeOn", 489, 10, FieldKind::Text},
    {"Elapsed", 499, 10, FieldKind::Text},
    {"FuelOnBoard", 509, 15, FieldKind::Text},
    {"FuelRate", 524, 15, FieldKind::Text},
    {"FuelRequired", 539, 15, FieldKind::Text},
    {"FuelRemaining", 554, 15, FieldKind::Text},
    {"RunwayInfo", 569, 200, FieldKind::Text},
    {"LastCheckpoint", 769, 2, FieldKind::Int16},
    {"CheckName", 771, 25, FieldKind::Text},
    {"NavIdent", 796, 10, FieldKind::Text},
    {"NavFreq", 806, 10, FieldKind::Text},
    {"ToRadial", 816, 10, FieldKind::Text},
    {"FromRadial", 826, 10, FieldKind::Text},
    {"TrueCourse", 836, 10, FieldKind::Text},
    {"WindCorrection", 846, 10, FieldKind::Text},
    {"TrueHeading", 856, 10, FieldKind::Text},
    {"Variation", 866, 10, FieldKind::Text},
    {"MagHeading", 876, 10, FieldKind::Text},
    {"Deviation", 886, 10, FieldKind::Text},
    {"CorrectedHeading", 896, 10, FieldKind::Text},
    {"LegDist", 906, 10, FieldKind::Text},
    {"LegDistRem", 916, 10, FieldKind::Text},
    {"EstGroundSpeed", 926, 10, FieldKind::Text},
    {"ActGroundSpeed", 936, 10, FieldKind::Text},
    {"LegETE", 946, 10, FieldKind::Text},
    {"LegATE", 956, 10, FieldKind::Text},
    {"LegETA", 966, 10, FieldKind::Text},
    {"LegATA", 976, 10, FieldKind::Text},
    {"FuelUsed", 986, 10, FieldKind::Text},
    {"CheckFuelRem", 996, 10, FieldKind::Text},
};
constexpr FieldInfo kAircraftFields[] = {
    {"Ident", 0, 15, FieldKind::Text},          {"Make", 15, 15, FieldKind::Text},
    {"EmptyWeight", 30, 4, FieldKind::Float32}, {"EmptyMoment", 34, 4, FieldKind::Float32},
    {"MaxTOweight", 38, 4, FieldKind::Float32}, {"FwdCGLimit", 42, 4, FieldKind::Float32},
    {"AftCGLimit", 46, 4, FieldKind::Float32},  {"Seat1Name", 50, 20, FieldKind::Text},
    {"Seat2Name", 70, 20, FieldKind::Text},     {"Seat3Name", 90, 20, FieldKind::Text},
    {"Seat1Arm", 110, 4, FieldKind::Float32},   {"Seat2Arm", 114, 4, FieldKind::Float32},
    {"Seat3Arm", 118, 4, FieldKind::Float32},   {"Bag1Name", 122, 20, FieldKind::Text},
    {"Bag2Name", 142, 20, FieldKind::Text},     {"Bag3Name", 162, 20, FieldKind::Text},
    {"Bag1Arm", 182, 4, FieldKind::Float32},    {"Bag2Arm", 186, 4, FieldKind::Float32},
    {"Bag3Arm", 190, 4, FieldKind::Float32},    {"Tank1Name", 194, 20, FieldKind::Text},
    {"Tank2Name", 214, 20, FieldKind::Text},    {"Tank3Name", 234, 20, FieldKind::Text},
    {"Tank1Arm", 254, 4, FieldKind::Float32},   {"Tank2Arm", 258, 4, FieldKind::Float32},
    {"Tank3Arm", 262, 4, FieldKind::Float32},   {"OilName", 266, 20, FieldKind::Text},
    {"OilArm", 286, 4, FieldKind::Float32},
};

template <std::size_t N>
constexpr bool tiles(const FieldInfo (&fields)[N], std::size_t length) {
    std::size_t next = 0;
    for (const FieldInfo& f : fields) {
        if (f.offset != next) return false;
        next += f.width;
    }
    return next == length;
}
static_assert(tiles(kLogFields, 420));
static_assert(tiles(kPlanFields, 1006));
static_assert(tiles(kAircraftFields, 290));

const Layout kLayouts[] = {
    {FileType::Logbook, "log", 420, kLogFields},
    {FileType::Plan, "plan", 1006, kPlanFields},
    {FileType::Aircraft, "aircraft", 290, kAircraftFields},
};

}  // namespace

const FieldInfo* Layout::find(std::string_view fieldName) const {
    for (const FieldInfo& f : fields)
        if (f.name == fieldName) return &f;
    return nullptr;
}

const Layout& layoutOf(FileType type) { return kLayouts[static_cast<int>(type)]; }

std::optional<FileType> fileTypeNamed(std::string_view name) {
    for (const Layout& l : kLayouts)
        if (l.name == name) return l.type;
    return std::nullopt;
}

std::optional<FileType> fileTypeOfPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "log") return FileType::Logbook;
    if (ext == "flt" || ext == "nfo") return FileType::Plan;
    if (ext == "pln") return FileType::Aircraft;
    return std::nullopt;
}

}  // namespace convert
