// The other logbook programs' files, each described by one table: which
// column means which of the logbook's values, under which names. A new
// program is a new table here; the reading and writing are shared.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace convert {

// What a column holds, in the logbook's terms.
enum class Meaning : std::uint8_t {
    None,       // written empty, read as not carried (a program's column the logbook lacks)
    Date,       // the flight's date: YYYY-MM-DD out, the text as it stands in
    DateTyped,  // the date exactly as typed into the logbook
    Ident,
    Make,       // the model as the pilot names it
    ModelCode,  // the ICAO type code: the model when Make is missing or too long
    From,
    To,
    Route,  // "KSQL KMRY", or the points between From and To where both are given
    Remarks,
    Total,
    InCommand,
    SIC,
    Night,
    Day,
    XCountry,
    Instrument,
    SimInstrument,
    Simulator,
    Dual,
    CFI,
    CFII,
    Ground,
    InstrApp,
    AllLandings,      // every landing, touch-and-goes included
    DayLandings,      // every day landing (the logbook's Landings)
    NightLandings,    // night landings to a full stop (the logbook's NightLand)
    DayFullStop,      // the full-stop part of the day landings
    DayTouchAndGo,    // the touch-and-go part of the day landings
    NightTouchAndGo,  // night touch-and-goes: no full stop, so day landings here
    AppType,          // approach line `index`: its type
    AppCount,         // approach line `index`: its count
    ApproachNames,    // "2-ILS 1-VOR/DME": every approach line in one text
    PackedApproach,   // "count;type;runway;airport;comments", one line each
    CategoryClass,    // "ASEL", "airplane_multi_engine_sea", "Glider", ...
    Category,         // "Airplane", with Class beside it
    Class,            // "ASEL", "Single-Engine Land", ...
    CatSingle,
    SELand,
    SESea,
    CatMulti,
    MELand,
    MESea,
    CatRotor,
    CatAirship,
    CatGlider,
    AircraftID,  // the key of a separate aircraft table
    Count_
};
constexpr std::size_t kMeaningCount = static_cast<std::size_t>(Meaning::Count_);

struct ColumnDef {
    Meaning meaning;
    // The name written on export first, then every other name read on import,
    // separated by '|'; matched ignoring case and surrounding blanks.
    std::string_view names;
    bool written = true;    // false: read on import only
    int index = 0;          // the approach line (0-based) of AppType/AppCount/PackedApproach
    bool aircraft = false;  // a column of the separate aircraft table (ForeFlight)
};

enum class FormatId { Aerokit, MyFlightbook, ForeFlight, LogTen };

struct Format {
    FormatId id;
    std::string_view name;   // as --from and --to take it
    std::string_view title;  // as messages name the program
    std::span<const ColumnDef> columns;
    bool writable;
    // The column names a file must have at least one of each (a date and a
    // total time), quoted, for the message that refuses a file without them.
    std::string_view dateNames, totalNames;
};

// Aerokit's own CSV (every field exact), MyFlightbook, ForeFlight, LogTen Pro.
std::span<const Format> formats();
const Format& formatOf(FormatId id);
std::optional<FormatId> formatNamed(std::string_view name);

// The first name of a column's names.
std::string_view primaryName(const ColumnDef& c);
// Whether name is one of the column's names.
bool isNameOf(const ColumnDef& c, std::string_view name);
// Whether the column holds hours (a decimal or hh:mm time).
bool isHours(Meaning m);

// The airplane, rotorcraft, lighter-than-air and glider kinds the logbook's
// category options and land/sea boxes can say.
enum class CatClass { None, ASEL, ASES, AMEL, AMES, Rotor, Airship, Glider, Other };
// A category/class text of any of the programs ("ASEL", "AMES", "Glider",
// "airplane_single_engine_land", "Single-Engine Land", "Helicopter");
// Other when it names a kind the logbook has no option for. `exact` is false
// when the logbook's option is wider than the text (a balloon as lighter than
// air, a gyroplane as rotorcraft).
CatClass catClassNamed(std::string_view text, bool* exact = nullptr);
// The text a program writes for it ("ASEL" or "airplane_single_engine_land").
std::string_view catClassName(CatClass c, FormatId program);

}  // namespace convert
