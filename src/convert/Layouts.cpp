#include "convert/Layouts.h"

#include <algorithm>
#include <cctype>

namespace convert {
namespace {

constexpr Field kLogFields[] = {
    {"Date", 0, 15, FieldType::Text},
    {"Make", 15, 15, FieldType::Text},
    {"Ident", 30, 10, FieldType::Text},
    {"From", 40, 3, FieldType::Text},
    {"To", 43, 3, FieldType::Text},
    {"Remarks", 46, 100, FieldType::Text},
    {"InstrApp", 146, 4, FieldType::Float32},
    {"Landings", 150, 4, FieldType::Float32},
    {"Reserved154", 154, 2, FieldType::Int16},
    {"CatMulti", 156, 2, FieldType::Int16},
    {"XCountry", 158, 4, FieldType::Float32},
    {"Day", 162, 4, FieldType::Float32},
    {"Night", 166, 4, FieldType::Float32},
    {"Instrument", 170, 4, FieldType::Float32},
    {"SimInstrument", 174, 4, FieldType::Float32},
    {"Simulator", 178, 4, FieldType::Float32},
    {"Dual", 182, 4, FieldType::Float32},
    {"InCommand", 186, 4, FieldType::Float32},
    {"Total", 190, 4, FieldType::Float32},
    {"AppType1", 194, 10, FieldType::Text},
    {"AppCount1", 204, 2, FieldType::Int16},
    {"AppType2", 206, 10, FieldType::Text},
    {"AppCount2", 216, 2, FieldType::Int16},
    {"AppType3", 218, 10, FieldType::Text},
    {"AppCount3", 228, 2, FieldType::Int16},
    {"AppType4", 230, 10, FieldType::Text},
    {"AppCount4", 240, 2, FieldType::Int16},
    {"CatRotor", 242, 2, FieldType::Int16},
    {"CatAirship", 244, 2, FieldType::Int16},
    {"CatGlider", 246, 2, FieldType::Int16},
    {"Ground", 248, 4, FieldType::Float32},
    {"SIC", 252, 4, FieldType::Float32},
    {"CFI", 256, 4, FieldType::Float32},
    {"CFII", 260, 4, FieldType::Float32},
    {"NightLand", 264, 4, FieldType::Float32},
    {"MELand", 268, 2, FieldType::Int16},
    {"MESea", 270, 2, FieldType::Int16},
    {"SELand", 272, 2, FieldType::Int16},
    {"SESea", 274, 2, FieldType::Int16},
    {"CatSingle", 276, 2, FieldType::Int16},
    {"LastRecord", 278, 2, FieldType::Int16},
    {"RateSingle", 280, 2, FieldType::Int16},
    {"RateMulti", 282, 2, FieldType::Int16},
    {"RateSELand", 284, 2, FieldType::Int16},
    {"RateSESea", 286, 2, FieldType::Int16},
    {"RateMELand", 288, 2, FieldType::Int16},
    {"RateMESea", 290, 2, FieldType::Int16},
    {"RateMultiLimited", 292, 2, FieldType::Int16},
    {"RateInstrument", 294, 2, FieldType::Int16},
    {"RateRotorcraft", 296, 2, FieldType::Int16},
    {"Reserved298", 298, 2, FieldType::Int16},
    {"Reserved300", 300, 2, FieldType::Int16},
    {"Reserved302", 302, 2, FieldType::Int16},
    {"RateLighter", 304, 2, FieldType::Int16},
    {"RateAirship", 306, 2, FieldType::Int16},
    {"RateBalloon", 308, 2, FieldType::Int16},
    {"RateGeneral", 310, 2, FieldType::Int16},
    {"RatePowerplant", 312, 2, FieldType::Int16},
    {"RateAirframe", 314, 2, FieldType::Int16},
    {"RateGIBasic", 316, 2, FieldType::Int16},
    {"RateGIAdvanced", 318, 2, FieldType::Int16},
    {"RateGIInstrument", 320, 2, FieldType::Int16},
    {"RateOther", 322, 2, FieldType::Int16},
    {"OtherRatings", 324, 20, FieldType::Text},
    {"CertStudent", 344, 2, FieldType::Int16},
    {"CertRecreational", 346, 2, FieldType::Int16},
    {"CertPrivate", 348, 2, FieldType::Int16},
    {"CertCommercial", 350, 2, FieldType::Int16},
    {"CertInstructor", 352, 2, FieldType::Int16},
    {"CertATP", 354, 2, FieldType::Int16},
    {"CertTechnician", 356, 2, FieldType::Int16},
    {"CertGroundInstructor", 358, 2, FieldType::Int16},
    {"TypeRating1", 360, 10, FieldType::Text},
    {"TypeRating2", 370, 10, FieldType::Text},
    {"TypeRating3", 380, 10, FieldType::Text},
    {"TypeRating4", 390, 10, FieldType::Text},
    {"TypeRating5", 400, 10, FieldType::Text},
    {"TypeRating6", 410, 10, FieldType::Text},
};
constexpr Field kPlanFields[] = {
    {"IsVFR", 0, 2, FieldType::Int16},
    {"IsIFR", 2, 2, FieldType::Int16},
    {"IsDVFR", 4, 2, FieldType::Int16},
    {"Special", 6, 10, FieldType::Text},
    {"ProposedTime", 16, 10, FieldType::Text},
    {"ActualTime", 26, 10, FieldType::Text},
    {"Route", 36, 100, FieldType::Text},
    {"EnRouteHours", 136, 5, FieldType::Text},
    {"EnRouteMinutes", 141, 5, FieldType::Text},
    {"Remarks", 146, 100, FieldType::Text},
    {"FuelHours", 246, 5, FieldType::Text},
    {"FuelMinutes", 251, 5, FieldType::Text},
    {"PilotName", 256, 20, FieldType::Text},
    {"Street", 276, 30, FieldType::Text},
    {"City", 306, 20, FieldType::Text},
    {"State", 326, 2, FieldType::Text},
    {"Zip", 328, 11, FieldType::Text},
    {"Phone", 339, 12, FieldType::Text},
    {"HomeBase", 351, 15, FieldType::Text},
    {"Aboard", 366, 10, FieldType::Text},
    {"Color", 376, 20, FieldType::Text},
    {"CloseWith", 396, 8, FieldType::Text},
    {"AircraftType", 404, 10, FieldType::Text},
    {"Departure", 414, 10, FieldType::Text},
    {"Destination", 424, 10, FieldType::Text},
    {"Alternates", 434, 15, FieldType::Text},
    {"CruiseAltitude", 449, 10, FieldType::Text},
    {"TrueAirspeed", 459, 10, FieldType::Text},
    {"AircraftIdent", 469, 10, FieldType::Text},
    {"TimeOff", 479, 10, FieldType::Text},
    {"TimeOn", 489, 10, FieldType::Text},
    {"Elapsed", 499, 10, FieldType::Text},
    {"FuelOnBoard", 509, 15, FieldType::Text},
    {"FuelRate", 524, 15, FieldType::Text},
    {"FuelRequired", 539, 15, FieldType::Text},
    {"FuelRemaining", 554, 15, FieldType::Text},
    {"RunwayInfo", 569, 200, FieldType::Text},
    {"LastCheckpoint", 769, 2, FieldType::Int16},
    {"CheckName", 771, 25, FieldType::Text},
    {"NavIdent", 796, 10, FieldType::Text},
    {"NavFreq", 806, 10, FieldType::Text},
    {"ToRadial", 816, 10, FieldType::Text},
    {"FromRadial", 826, 10, FieldType::Text},
    {"TrueCourse", 836, 10, FieldType::Text},
    {"WindCorrection", 846, 10, FieldType::Text},
    {"TrueHeading", 856, 10, FieldType::Text},
    {"Variation", 866, 10, FieldType::Text},
    {"MagHeading", 876, 10, FieldType::Text},
    {"Deviation", 886, 10, FieldType::Text},
    {"CorrectedHeading", 896, 10, FieldType::Text},
    {"LegDist", 906, 10, FieldType::Text},
    {"LegDistRem", 916, 10, FieldType::Text},
    {"EstGroundSpeed", 926, 10, FieldType::Text},
    {"ActGroundSpeed", 936, 10, FieldType::Text},
    {"LegETE", 946, 10, FieldType::Text},
    {"LegATE", 956, 10, FieldType::Text},
    {"LegETA", 966, 10, FieldType::Text},
    {"LegATA", 976, 10, FieldType::Text},
    {"FuelUsed", 986, 10, FieldType::Text},
    {"CheckFuelRem", 996, 10, FieldType::Text},
};
constexpr Field kAircraftFields[] = {
    {"Ident", 0, 15, FieldType::Text},          {"Make", 15, 15, FieldType::Text},
    {"EmptyWeight", 30, 4, FieldType::Float32}, {"EmptyMoment", 34, 4, FieldType::Float32},
    {"MaxTOweight", 38, 4, FieldType::Float32}, {"FwdCGLimit", 42, 4, FieldType::Float32},
    {"AftCGLimit", 46, 4, FieldType::Float32},  {"Seat1Name", 50, 20, FieldType::Text},
    {"Seat2Name", 70, 20, FieldType::Text},     {"Seat3Name", 90, 20, FieldType::Text},
    {"Seat1Arm", 110, 4, FieldType::Float32},   {"Seat2Arm", 114, 4, FieldType::Float32},
    {"Seat3Arm", 118, 4, FieldType::Float32},   {"Bag1Name", 122, 20, FieldType::Text},
    {"Bag2Name", 142, 20, FieldType::Text},     {"Bag3Name", 162, 20, FieldType::Text},
    {"Bag1Arm", 182, 4, FieldType::Float32},    {"Bag2Arm", 186, 4, FieldType::Float32},
    {"Bag3Arm", 190, 4, FieldType::Float32},    {"Tank1Name", 194, 20, FieldType::Text},
    {"Tank2Name", 214, 20, FieldType::Text},    {"Tank3Name", 234, 20, FieldType::Text},
    {"Tank1Arm", 254, 4, FieldType::Float32},   {"Tank2Arm", 258, 4, FieldType::Float32},
    {"Tank3Arm", 262, 4, FieldType::Float32},   {"OilName", 266, 20, FieldType::Text},
    {"OilArm", 286, 4, FieldType::Float32},
};

template <std::size_t N>
constexpr bool tiles(const Field (&fields)[N], std::size_t length) {
    std::size_t next = 0;
    for (const Field& f : fields) {
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

const Field* Layout::find(std::string_view fieldName) const {
    for (const Field& f : fields)
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
