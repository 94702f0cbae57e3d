// The flight plan form and the navigation log as printed sheets, drawn from
// the plan's records, and the texts the windows and the sheets share.
#pragma once

#include <QString>
#include <array>
#include <utility>

#include "planner/PlanRecord.h"
#include "shell/PrintPage.h"

namespace planner {

// The captions of the flight plan form, as the window and the sheet show them.
namespace form {
inline constexpr const char* kAerokit = "Aerokit";
inline constexpr const char* kRecord = "FLIGHT PLAN RECORD";
inline constexpr const char* kType = "1.Type";
inline constexpr const char* kVFR = "VFR";
inline constexpr const char* kIFR = "IFR";
inline constexpr const char* kDVFR = "DVFR";
inline constexpr const char* kIdent = "2. Aircraft Identification";
inline constexpr const char* kSpecial = "3.  Aircraft Type  Special Equipment";
inline constexpr const char* kTrueSpeed = " 4.   True              Airspeed";
inline constexpr const char* kKTS = "KTS";
inline constexpr const char* kDepart = "5. Departure Point";
inline constexpr const char* kDepartTime = "6. Departure Time (z)";
inline constexpr const char* kProposed = "Proposed";
inline constexpr const char* kActual = "Actual";
inline constexpr const char* kCruise = "7. Cruising              Altitude";
inline constexpr const char* kRoute = "8. Route of Flight";
inline constexpr const char* kDestination = "9. Destination (Name of airport and city)";
inline constexpr const char* kEnRoute = "10. Est. Time En Route";
inline constexpr const char* kHours = "Hours";
inline constexpr const char* kMinutes = "Minutes";
inline constexpr const char* kRemarks = "11. Remarks";
inline constexpr const char* kFuel = "12. Fuel On Board";
inline constexpr const char* kAlternates = "13. Alternate Airport(s)";
inline constexpr const char* kPersonal =
    "14. Pilot's Name, Address, Telephone Number, and Aircraft Home Base";
inline constexpr const char* kAboard = "15. Number    Aboard";
inline constexpr const char* kColor = "16. Color of Aircraft";
inline constexpr const char* kClose = "CLOSE VFR FLIGHT PLAN WITH _____________ FSS ON ARRIVAL";
inline constexpr const char* kSuffixes = "Special Equipment Suffix:";
// The legend's lines: six in the left column, then three in the right.
inline constexpr std::array<const char*, 9> kSuffixLines = {
    "X-No Transponder",
    "T-Transponder w/o Altitude Encoding ",
    "U-Transponder w/ Altitude Encoding",
    "D-DME, No Transponder",
    "B-DME, Transponder w/o Altitude Encoding",
    "A-DME, Transponder w/ Altitude Encoding",
    "C-RNAV, Transponder w/o Altitude Encoding",
    "R-RNAV, Transponder W/ Altitude Encoding",
    "W-RNAV, No Transponder"};
inline constexpr int kLeftSuffixes = 6;
}  // namespace form

// Which of VFR, IFR and DVFR (0, 1, 2) box 1 marks; -1 for none.
int flightType(const PlanRecord& plan);
// Box 3: the aircraft type with its equipment suffix.
QString aircraftType(const PlanRecord& plan);

// The navigation log's header: caption and value, in the window's order.
std::array<std::pair<const char*, QString>, 13> logHeader(const PlanRecord& header);
// The checkpoint grid's headings, the row numbers' column first; a line
// break separates the two values of a paired column.
extern const std::array<const char*, 16> kLogHeadings;
// A checkpoint's 22 values in the grid's order (name, ident, frequency, ...).
std::array<QString, 22> checkpointTexts(const PlanRecord& checkpoint);

// The form on one landscape sheet: plan is record 1, personal the pilot's
// record; sourceFile names the plan in the footer.
PrintPage::Page formPage(const PlanRecord& plan, const PlanRecord& personal,
                         const QString& sourceFile);
// The log on one landscape sheet: the header from record 1, the runway
// information as the window shows it, the ten rows of checkpoints.
PrintPage::Page logPage(const PlanRecord& header, const QString& runway,
                        const std::array<PlanRecord, 10>& checkpoints, const QString& sourceFile);

}  // namespace planner
