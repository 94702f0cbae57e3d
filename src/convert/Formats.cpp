#include "convert/Formats.h"

#include <cctype>
#include <string>

namespace convert {
namespace {

using M = Meaning;

// Aerokit's own CSV: every field of the flight record, exact, under
// MyFlightbook's names where MyFlightbook has the same field and the
// record's own names for the rest (both read back).
constexpr ColumnDef kAerokit[] = {
    {M::Date, "Date"},
    {M::DateTyped, "Date As Typed"},
    {M::Ident, "Tail Number|Ident"},
    {M::Make, "Model|Make"},
    {M::From, "From"},
    {M::To, "To"},
    {M::Remarks, "Comments|Remarks"},
    {M::InstrApp, "Approaches|InstrApp"},
    {M::AppType, "AppType1", true, 0},
    {M::AppCount, "AppCount1", true, 0},
    {M::AppType, "AppType2", true, 1},
    {M::AppCount, "AppCount2", true, 1},
    {M::AppType, "AppType3", true, 2},
    {M::AppCount, "AppCount3", true, 2},
    {M::AppType, "AppType4", true, 3},
    {M::AppCount, "AppCount4", true, 3},
    {M::AllLandings, "Landings"},
    // Older files named the day landings "FS Day Landings".
    {M::DayLandings, "Day Landings|FS Day Landings"},
    {M::NightLandings, "FS Night Landings|NightLand|Night Landings"},
    {M::XCountry, "X-Country|XCountry"},
    {M::Day, "Day"},
    {M::Night, "Night"},
    {M::Instrument, "IMC|Instrument"},
    {M::SimInstrument, "Simulated Instrument|SimInstrument"},
    {M::Ground, "Ground"},
    {M::Dual, "Dual Received|Dual"},
    {M::InCommand, "PIC|InCommand"},
    {M::SIC, "SIC"},
    {M::Simulator, "Ground Simulator|Simulator"},
    {M::CFI, "CFI"},
    {M::CFII, "CFII"},
    {M::Total, "Total Flight Time|Total"},
    {M::CatSingle, "CatSingle"},
    {M::SELand, "SELand"},
    {M::SESea, "SESea"},
    {M::CatMulti, "CatMulti"},
    {M::MELand, "MELand"},
    {M::MESea, "MESea"},
    {M::CatRotor, "CatRotor"},
    {M::CatAirship, "CatAirship"},
    {M::CatGlider, "CatGlider"},
};

// MyFlightbook: the names its export writes and its import reads, with the
// aliases its import accepts; the fields it keeps as flight properties
// under the properties' titles.
constexpr ColumnDef kMyFlightbook[] = {
    {M::Date, "Date|FLT_DATE"},
    {M::Ident, "Tail Number|Registration|Tail|Ident|SERIAL_NUM"},
    {M::Make, "Model|Aircraft Type|MakeModel|MAKE & MODEL|A/C Type|AIRCRAFT MAKE & MODEL"},
    {M::ModelCode, "ICAO Model", false},
    {M::CategoryClass, "Category/Class"},
    {M::Route, "Route|Via|ROUTE OF FLIGHT|LOC_INTM"},
    {M::From, "From|Departure|Origin|LOC_FROM", false},
    {M::To, "To|Arrival|Dest|LOC_TO", false},
    {M::InstrApp, "Approaches|NumApproaches|Inst App (D/N)|Inst App|IAP"},
    {M::ApproachNames, "Approach Name(s)"},
    {M::AllLandings, "Landings|LAND_STD"},
    {M::NightLandings,
     "FS Night Landings|Night Landings|Night Ldg|Night Ldgs|Ngt Ldgs|Full-Stop Night "
     "Landings|LANDINGS NIGHT"},
    {M::DayFullStop, "FS Day Landings|Day Ldg|Day Ldgs|Full-Stop Day Landings|LANDINGS DAY", false},
    {M::DayLandings, "Day Landings", false},
    {M::XCountry, "X-Country|XCountry|XC|X CNTY|X/Ctry|X/C|CROSS COUNTRY|Cross-Country"},
    {M::Day, "Day Flight"},
    {M::Night, "Night"},
    {M::Instrument, "IMC|Actual Inst|INSTRUMENT|Actual Instrument"},
    {M::SimInstrument, "Simulated Instrument|Hood|Sim Inst"},
    {M::Simulator, "Ground Simulator|Sim/FTD|SIMULATOR"},
    {M::Dual, "Dual Received|Dualreceived|Dual Recd|Dual"},
    {M::CFI, "CFI|DualGiven|Dual Given"},
    {M::CFII, "CFII Time - IFR Instruction"},
    {M::Ground, "Ground Instruction Received"},
    {M::SIC, "SIC|SECOND IN COMMAND"},
    {M::InCommand, "PIC|PILOT IN COMMAND"},
    {M::Total, "Total Flight Time|Total Time|TotalDuration|Flt Time|Block|HRS"},
    {M::Remarks, "Comments|Remarks"},
    // MyFlightbook has no such column and passes over it; it keeps the
    // date exactly as typed for the way back.
    {M::DateTyped, "Date As Typed"},
};

// ForeFlight: its logbook import template and export. The aircraft table
// gives each AircraftID its model and category/class; fields ForeFlight
// lacks travel as its custom fields ("[Hours]Day").
constexpr ColumnDef kForeFlight[] = {
    {M::AircraftID, "AircraftID", true, 0, true},
    {M::None, "equipType", true, 0, true},
    {M::ModelCode, "TypeCode", true, 0, true},
    {M::None, "Year", true, 0, true},
    {M::None, "Make", true, 0, true},
    {M::Make, "Model", true, 0, true},
    {M::None, "GearType", true, 0, true},
    {M::None, "EngineType", true, 0, true},
    {M::CategoryClass, "Category/Class", true, 0, true},
    {M::Category, "Category", false, 0, true},
    {M::Class, "Class", false, 0, true},

    {M::Date, "Date"},
    {M::AircraftID, "AircraftID"},
    {M::From, "From"},
    {M::To, "To"},
    {M::Route, "Route"},
    {M::Total, "TotalTime"},
    {M::InCommand, "PIC"},
    {M::SIC, "SIC"},
    {M::Night, "Night"},
    {M::XCountry, "CrossCountry"},
    {M::AllLandings, "AllLandings"},
    {M::DayFullStop, "DayLandingsFullStop|Landing Full-Stop Day", false},
    {M::NightLandings, "NightLandingsFullStop|Landing Full-Stop Night"},
    {M::DayTouchAndGo, "Landing Touch-and-Go Day", false},
    {M::NightTouchAndGo, "Landing Touch-and-Go Night", false},
    {M::Instrument, "ActualInstrument"},
    {M::SimInstrument, "SimulatedInstrument"},
    {M::Ground, "GroundTraining"},
    {M::PackedApproach, "Approach1", true, 0},
    {M::PackedApproach, "Approach2", true, 1},
    {M::PackedApproach, "Approach3", true, 2},
    {M::PackedApproach, "Approach4", true, 3},
    {M::PackedApproach, "Approach5", true, 4},
    {M::PackedApproach, "Approach6", true, 5},
    {M::CFI, "DualGiven"},
    {M::Dual, "DualReceived"},
    {M::Simulator, "SimulatedFlight"},
    {M::Remarks, "PilotComments"},
    {M::Day, "[Hours]Day"},
    {M::CFII, "[Hours]CFII"},
    {M::InstrApp, "[Numeric]Approaches"},
    {M::DateTyped, "[Text]Date As Typed"},
};

// LogTen Pro's tab-separated export: its field keys, and the readable
// titles it writes when asked to.
constexpr ColumnDef kLogTen[] = {
    {M::Date, "flight_flightDate|Date|Flight Date"},
    {M::Ident, "aircraft_aircraftID|flight_selectedAircraftID|Aircraft ID"},
    {M::Make, "aircraftType_model|flight_selectedAircraftType|Aircraft Type|Model"},
    {M::ModelCode, "aircraftType_type|Type"},
    {M::From, "flight_from|From"},
    {M::To, "flight_to|To"},
    {M::Route, "flight_route|Route"},
    {M::Total, "flight_totalTime|Total Time"},
    {M::InCommand, "flight_pic|PIC"},
    {M::SIC, "flight_sic|SIC"},
    {M::Night, "flight_night|Night"},
    {M::XCountry, "flight_crossCountry|Cross Country|XC"},
    {M::Instrument, "flight_actualInstrument|Actual Instrument|Actual"},
    {M::SimInstrument, "flight_simulatedInstrument|Simulated Instrument|Hood"},
    {M::Simulator, "flight_simulator|Simulator"},
    {M::Dual, "flight_dualReceived|Dual Received"},
    {M::CFI, "flight_dualGiven|Dual Given"},
    {M::InstrApp, "flight_totalApproaches|Total Approaches|Approaches"},
    {M::DayLandings, "flight_dayLandings|Day Landings"},
    {M::NightLandings, "flight_nightLandings|Night Landings"},
    {M::AppType, "flight_selectedApproach1|Approach 1", true, 0},
    {M::AppType, "flight_selectedApproach2|Approach 2", true, 1},
    {M::AppType, "flight_selectedApproach3|Approach 3", true, 2},
    {M::AppType, "flight_selectedApproach4|Approach 4", true, 3},
    {M::Category, "aircraftType_selectedCategory|Category|Aircraft Category"},
    {M::Class, "aircraftType_selectedAircraftClass|Class|Aircraft Class"},
    {M::Remarks, "flight_remarks|Remarks"},
};

constexpr Format kFormats[] = {
    {FormatId::Aerokit, "csv", "Aerokit CSV", kAerokit, true, "\"Date As Typed\" or \"Date\"",
     "\"Total Flight Time\""},
    {FormatId::MyFlightbook, "myflightbook", "MyFlightbook", kMyFlightbook, true, "\"Date\"",
     "\"Total Flight Time\" (or \"Total Time\", \"Flt Time\", \"Block\")"},
    {FormatId::ForeFlight, "foreflight", "ForeFlight", kForeFlight, true, "\"Date\"",
     "\"TotalTime\""},
    {FormatId::LogTen, "logten", "LogTen Pro", kLogTen, false, "\"flight_flightDate\" or \"Date\"",
     "\"flight_totalTime\" or \"Total Time\""},
};

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Letters and digits only, lower case: "Single-Engine Land" -> "singleengineland".
std::string squeeze(std::string_view s) {
    std::string out;
    for (char c : s)
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct CatName {
    std::string_view squeezed;
    CatClass kind;
    bool exact;
};
constexpr CatName kCatNames[] = {
    {"asel", CatClass::ASEL, true},
    {"airplanesingleengineland", CatClass::ASEL, true},
    {"singleengineland", CatClass::ASEL, true},
    {"ases", CatClass::ASES, true},
    {"airplanesingleenginesea", CatClass::ASES, true},
    {"singleenginesea", CatClass::ASES, true},
    {"amel", CatClass::AMEL, true},
    {"airplanemultiengineland", CatClass::AMEL, true},
    {"multiengineland", CatClass::AMEL, true},
    {"ames", CatClass::AMES, true},
    {"airplanemultienginesea", CatClass::AMES, true},
    {"multienginesea", CatClass::AMES, true},
    {"rotorcraft", CatClass::Rotor, true},
    {"helicopter", CatClass::Rotor, true},
    {"rotorcrafthelicopter", CatClass::Rotor, true},
    {"gyroplane", CatClass::Rotor, false},
    {"rotorcraftgyroplane", CatClass::Rotor, false},
    {"airship", CatClass::Airship, true},
    {"lighterthanairairship", CatClass::Airship, true},
    {"lighterthanair", CatClass::Airship, false},
    {"lighterthanairballoon", CatClass::Airship, false},
    {"hotairballoon", CatClass::Airship, false},
    {"gasballoon", CatClass::Airship, false},
    {"balloon", CatClass::Airship, false},
    {"glider", CatClass::Glider, true},
};

}  // namespace

std::span<const Format> formats() { return kFormats; }

const Format& formatOf(FormatId id) {
    for (const Format& f : kFormats)
        if (f.id == id) return f;
    return kFormats[0];
}

std::optional<FormatId> formatNamed(std::string_view name) {
    for (const Format& f : kFormats)
        if (sameText(f.name, name)) return f.id;
    return std::nullopt;
}

std::string_view primaryName(const ColumnDef& c) { return c.names.substr(0, c.names.find('|')); }

bool isNameOf(const ColumnDef& c, std::string_view name) {
    std::string_view rest = c.names;
    while (true) {
        const std::size_t bar = rest.find('|');
        if (sameText(rest.substr(0, bar), name)) return true;
        if (bar == std::string_view::npos) return false;
        rest.remove_prefix(bar + 1);
    }
}

CatClass catClassNamed(std::string_view text, bool* exact) {
    if (exact) *exact = true;
    const std::string s = squeeze(text);
    if (s.empty()) return CatClass::None;
    for (const CatName& n : kCatNames)
        if (n.squeezed == s) {
            if (exact) *exact = n.exact;
            return n.kind;
        }
    if (exact) *exact = false;
    return CatClass::Other;
}

std::string_view catClassName(CatClass c, FormatId program) {
    const bool ff = program == FormatId::ForeFlight;
    switch (c) {
        case CatClass::ASEL:
            return ff ? "airplane_single_engine_land" : "ASEL";
        case CatClass::ASES:
            return ff ? "airplane_single_engine_sea" : "ASES";
        case CatClass::AMEL:
            return ff ? "airplane_multi_engine_land" : "AMEL";
        case CatClass::AMES:
            return ff ? "airplane_multi_engine_sea" : "AMES";
        case CatClass::Rotor:
            return ff ? "rotorcraft_helicopter" : "Helicopter";
        case CatClass::Airship:
            return ff ? "lighter_than_air_airship" : "Airship";
        case CatClass::Glider:
            return ff ? "glider" : "Glider";
        case CatClass::None:
        case CatClass::Other:
            break;
    }
    return "";
}

bool isHours(Meaning m) {
    using M = Meaning;
    switch (m) {
        case M::Total:
        case M::InCommand:
        case M::SIC:
        case M::Night:
        case M::Day:
        case M::XCountry:
        case M::Instrument:
        case M::SimInstrument:
        case M::Simulator:
        case M::Dual:
        case M::CFI:
        case M::CFII:
        case M::Ground:
            return true;
        default:
            return false;
    }
}

}  // namespace convert
