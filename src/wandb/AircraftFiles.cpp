#include "wandb/AircraftFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "records/CodePage.h"
#include "records/RecordFile.h"

namespace wandb {

std::string aircraftFileName(std::string_view ident) {
    return records::cp1252ToUtf8(records::trimSpaces(ident)) + ".pln";
}

bool identUsable(std::string_view ident) {
    const std::string_view t = records::trimSpaces(ident);
    if (t.empty() || t == "." || t == "..") return false;
    for (char c : t) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
            return false;
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    return true;
}

namespace {

std::string lowered(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::vector<std::string> listAircraftFiles() {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".pln") == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lowered(a), lb = lowered(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::optional<AircraftRecord> loadAircraft(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    auto file =
        records::RecordFile::open(path, AircraftRecord::Size, records::RecordFile::Mode::ReadOnly);
    if (!file) return std::nullopt;
    std::vector<records::Byte> bytes;
    const bool ok = file->read(1, bytes);
    file->close();
    if (!ok) return std::nullopt;
    return AircraftRecord::decode(bytes);
}

records::Status saveAircraft(const std::string& path, const AircraftRecord& rec) {
    const auto bytes = rec.encode();
    return records::replaceFile(path, bytes);
}

std::variant<AircraftRecord, DefinitionError> buildAircraft(const AircraftDefinition& def,
                                                            const records::NumberLocale& loc) {
    struct Required {
        const std::string& text;
        const char* message;
        const char* title;
    };
    const Required required[] = {
        {def.Ident, "You must enter Aircraft Ident", "Failed to Enter Ident"},
        {def.Make, "You must enter Aircraft Make/Model", "Failed to Enter Make/Model"},
        {def.EmptyWeight, "You must enter Aircraft Empty Weight", "Failed to Enter Empty Weight"},
        {def.EmptyMoment, "You must enter Aircraft Empty Moment", "Failed to Enter EmptyMoment"},
        {def.MaxTOweight, "You must enter Max Takeoff Weight", "Failed to Enter Max Takoff Weight"},
        {def.FwdCGLimit, "You must enter Forward CG Limit", "Failed to Enter Forward CG Limit"},
        {def.AftCGLimit, "You must enter Aft CG Limit", "Failed to Enter Aft CG Limit"},
    };
    for (const auto& r : required)
        if (r.text.empty()) return DefinitionError{r.message, r.title};

    AircraftRecord rec;  // every byte zero until filled
    rec.Ident.assign(def.Ident);
    rec.Make.assign(def.Make);
    // The file is named after the ident as stored, so check that form.
    if (!identUsable(rec.Ident.raw()))
        return DefinitionError{
            "The Aircraft Ident cannot name a file: it must not be blank, \".\" or "
            "\"..\", and must not hold / \\ : * ? \" < > | or control characters",
            "Invalid Aircraft Ident", true};

    struct Number {
        const std::string& text;
        float& field;
        const char* box;
        bool optional;
    };
    const Number numbers[] = {
        {def.EmptyWeight, rec.EmptyWeight, "Aircraft Empty Weight", false},
        {def.EmptyMoment, rec.EmptyMoment, "Aircraft Empty Moment", false},
        {def.MaxTOweight, rec.MaxTOweight, "Maximum Takeoff Weight", false},
        {def.FwdCGLimit, rec.FwdCGLimit, "Forward CG Limit", false},
        {def.AftCGLimit, rec.AftCGLimit, "Aft CG Limit", false},
        {def.Seat1Arm, rec.Seat1Arm, "Seat 1 Arm", true},
        {def.Seat2Arm, rec.Seat2Arm, "Seat 2 Arm", true},
        {def.Seat3Arm, rec.Seat3Arm, "Seat 3 Arm", true},
        {def.Bag1Arm, rec.Bag1Arm, "Baggage 1 Arm", true},
        {def.Bag2Arm, rec.Bag2Arm, "Baggage 2 Arm", true},
        {def.Bag3Arm, rec.Bag3Arm, "Baggage 3 Arm", true},
        {def.Tank1Arm, rec.Tank1Arm, "Fuel Tank 1 Arm", true},
        {def.Tank2Arm, rec.Tank2Arm, "Fuel Tank 2 Arm", true},
        {def.Tank3Arm, rec.Tank3Arm, "Fuel Tank 3 Arm", true},
        {def.OilArm, rec.OilArm, "Oil Arm", true},
    };
    for (const auto& n : numbers) {
        if (n.optional && n.text.empty()) continue;  // a blank arm stays 0
        const auto v = records::parseSingle(n.text, loc);
        if (!v)
            return DefinitionError{std::string(n.box) + " must be a number", "Invalid Number",
                                   true};
        n.field = *v;
    }

    rec.Seat1Name.assign(def.Seat1Name);
    rec.Seat2Name.assign(def.Seat2Name);
    rec.Seat3Name.assign(def.Seat3Name);
    rec.Bag1Name.assign(def.Bag1Name);
    rec.Bag2Name.assign(def.Bag2Name);
    rec.Bag3Name.assign(def.Bag3Name);
    rec.Tank1Name.assign(def.Tank1Name);
    rec.Tank2Name.assign(def.Tank2Name);
    rec.Tank3Name.assign(def.Tank3Name);
    rec.OilName.assign(def.OilName);
    return rec;
}

}  // namespace wandb
