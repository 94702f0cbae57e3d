// Aircraft files in the working directory and the aircraft definition as
// the pilot types it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "records/NumberText.h"
#include "records/RecordFile.h"
#include "wandb/AircraftRecord.h"

namespace wandb {

// What is wrong with a definition, as a message box's text and title.
struct DefinitionError {
    std::string text;
    std::string title;
    bool warning = false;  // the exclamation icon; the missing-box messages have none
    bool operator==(const DefinitionError&) const = default;
};

// The file of an ident (Windows-1252 bytes): the ident with blanks trimmed,
// plus ".pln", as a UTF-8 file name. Saving and the CG calculation both use
// it, so a saved aircraft is always found again.
std::string aircraftFileName(std::string_view ident);

// Whether an ident can name a file in the working directory: not blank after
// trimming, not "." or "..", no / \ : * ? " < > | and no control characters
// (the code page's undefined bytes stand for controls too).
bool identUsable(std::string_view ident);

// The aircraft files of the working directory ("*.pln"), sorted by name
// without regard to case.
std::vector<std::string> listAircraftFiles();

// Record 1 of an aircraft file; nullopt when the file cannot be opened.
// Short or long files never fail here: a short one reads as completed with
// zeros.
std::optional<AircraftRecord> loadAircraft(const std::string& path);

// Replaces the aircraft file at path with the one record, locked, through a
// private temporary file, synced. On failure the old file, if any, is left
// as it was and a file made for it is removed. The window owns every field
// of the file: nothing on disk is kept.
records::Status saveAircraft(const std::string& path, const AircraftRecord& rec);

// The boxes of the definition window, as Windows-1252 text.
struct AircraftDefinition {
    std::string Ident, Make, EmptyWeight, EmptyMoment, MaxTOweight, FwdCGLimit, AftCGLimit;
    std::string Seat1Name, Seat1Arm, Seat2Name, Seat2Arm, Seat3Name, Seat3Arm;
    std::string Bag1Name, Bag1Arm, Bag2Name, Bag2Arm, Bag3Name, Bag3Arm;
    std::string Tank1Name, Tank1Arm, Tank2Name, Tank2Arm, Tank3Name, Tank3Arm;
    std::string OilName, OilArm;
};

// Checks the definition and builds its record: the seven required boxes in
// order, then the ident as a file name, then every number. The first problem
// found is returned and no record is built.
std::variant<AircraftRecord, DefinitionError> buildAircraft(const AircraftDefinition& def,
                                                            const records::NumberLocale& loc = {});

}  // namespace wandb
