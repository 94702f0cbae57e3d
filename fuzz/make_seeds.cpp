// Writes the seed corpora of the fuzz targets: valid files of each kind, made
// by the program's own writers, so that fuzzing starts from logbooks with
// flights, plans with a header and checkpoints, Personal.nfo and aircraft
// files rather than from a few random bytes.
//
//   aerokit_fuzz_seeds DIR   makes DIR/<target>/<seed> for every target
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "logbook/Logbook.h"
#include "planner/PlanFile.h"
#include "wandb/AircraftFiles.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<char>;

fs::path gOut;
fs::path gWork;
bool gFailed = false;

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "aerokit_fuzz_seeds: %s failed\n", what.c_str());
    gFailed = true;
}

Bytes readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes bytes as seed `name` of each target.
void seed(std::initializer_list<const char*> targets, const std::string& name, const Bytes& bytes) {
    for (const char* t : targets) {
        fs::create_directories(gOut / t);
        std::ofstream out(gOut / t / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        check(out.good(), std::string("writing ") + t + "/" + name);
    }
}

std::string work(const std::string& name) { return (gWork / name).string(); }

// ---- logbooks

struct Flight {
    const char* date = "";
    const char* make = "";
    const char* ident = "";
    const char* from = "";
    const char* to = "";
    const char* day = "";
    const char* night = "";
    const char* instrument = "";
    const char* approaches = "";
    const char* landings = "";
    const char* nightLandings = "";
};

LogRecord flight(const Flight& f) {
    logbook::FlightInput in;
    in.date = f.date;
    in.make = f.make;
    in.ident = f.ident;
    in.from = f.from;
    in.to = f.to;
    in.remarks = "Pattern work\r\nthen cross-country";
    in.day = f.day;
    in.night = f.night;
    in.instrument = f.instrument;
    in.instrApp = f.approaches;
    in.landings = f.landings;
    in.nightLand = f.nightLandings;
    in.inCommand = f.day;
    in.total = f.day;
    in.xCountry = "1.1";
    in.appCount[0] = f.approaches;
    in.appType[0] = "ILS";
    in.catSingle = true;
    in.seLand = true;
    const auto c = logbook::convertFlight(in);
    check(c.flight.has_value(), std::string("converting the flight of ") + f.date);
    return c.flight.value_or(LogRecord{});
}

void addFlights(const std::string& path, std::initializer_list<Flight> flights) {
    for (const Flight& f : flights)
        check(logbook::appendFlight(path, flight(f)).ok(),
              std::string("appending the flight of ") + f.date);
}

constexpr Flight kFive[] = {
    {"11/20/26", "Cessna 172", "N12345", "PAE", "BFI", "1.2", "", "", "", "3", ""},
    {"12/1/2026", "Piper PA-28", "N4567", "BFI", "OLM", "", "1.5", "0.5", "2", "", "2"},
    {"2026-10-01", "Cessna 172", "N12345", "OLM", "PAE", "2.4", "0.3", "1.1", "1", "1", "1"},
    {"Dec 5, 2026", "Beech 35", "N35B", "PAE", "PAE", "0.8", "", "", "", "5", ""},
    {"3/15/98", "cessna 172", "n12345", "S43", "PAE", "1", "", "", "", "2", ""},
};

void logbooks() {
    const auto targets = {"logbook_fuzz", "reports_fuzz", "logbook_write_fuzz"};
    const std::string blank = work("blank.log");
    check(logbook::createLogbook(blank).ok(), "blank.log");
    seed(targets, "blank.log", readAll(blank));

    const std::string five = work("five.log");
    check(logbook::createLogbook(five).ok(), "five.log");
    for (const Flight& f : kFive) addFlights(five, {f});
    logbook::Ratings r;
    r.privatePilot = r.instrument = r.seLand = r.glider = true;
    r.otherRatings = "Tailwheel, high performance";
    r.typeRatings[0] = "CE-500";
    check(logbook::saveRatings(five, r).ok(), "saving the ratings");
    const Bytes fiveBytes = readAll(five);
    seed(targets, "five.log", fiveBytes);

    // Dates in every form the currency check reads, a blank one, a repeated
    // one and one that is no date.
    const std::string dates = work("dates.log");
    check(logbook::createLogbook(dates).ok(), "dates.log");
    addFlights(dates, {
                          {"15.10.26", "Diamond DA40", "N40DA", "PAE", "BLI", "1", "", "", "", "1"},
                          {"1/12/26 10:30", "Diamond DA40", "N40DA", "BLI", "PAE", "1", "", "", ""},
                          {"", "Cessna 152", "N152", "PAE", "PAE", "0.5", "", "", "", "4"},
                          {"11/20/26", "Cessna 152", "N152", "PAE", "AWO", "0.7", "", "", "", "1"},
                          {"30 Nov 2026", "Cessna 152", "N152", "AWO", "PAE", "", "1", "1", "3"},
                          {"2026-13-01", "Cessna 152", "N152", "PAE", "PAE", "0.2", "", "", ""},
                          {"11/20/26", "Piper J-3", "N3J", "S43", "S43", "0.4", "", "", "", "2"},
                      });
    seed(targets, "dates.log", readAll(dates));

    // A new logbook created over an old one: records beyond LastRecord.
    const std::string stale = work("stale.log");
    fs::copy_file(five, stale);
    check(logbook::createLogbook(stale).ok(), "stale.log");
    addFlights(stale, {kFive[3]});
    seed(targets, "stale.log", readAll(stale));

    const std::string removed = work("removed.log");
    fs::copy_file(five, removed);
    check(logbook::removeFlight(removed, "2026-10-01").ok(), "removing a flight");
    seed(targets, "removed.log", readAll(removed));

    // An append cut short: part of a record after LastRecord.
    Bytes torn = fiveBytes;
    torn.insert(torn.end(), fiveBytes.begin() + 420, fiveBytes.begin() + 420 + 137);
    seed(targets, "torn.log", torn);
}

// ---- flight plans and Personal.nfo

planner::PlanRecord typedPlan() {
    planner::PlanRecord t;
    t.IsVFR = records::kTrue;
    t.ProposedTime.assign("1430Z");
    t.Route.assign("V23 SEA V187 BTG");
    t.EnRouteHours.assign("1");
    t.EnRouteMinutes.assign("30");
    t.Remarks.assign("Student cross-country");
    t.FuelHours.assign("4");
    t.FuelMinutes.assign("15");
    t.Aboard.assign("2");
    t.Color.assign("White/Red");
    t.CloseWith.assign("SEA FSS");
    t.AircraftType.assign("C172/G");
    t.Departure.assign("KPAE");
    t.Destination.assign("KPDX");
    t.Alternates.assign("KSLE");
    t.CruiseAltitude.assign("6500");
    t.TrueAirspeed.assign("110");
    t.AircraftIdent.assign("N12345");
    t.TimeOff.assign("1435");
    t.TimeOn.assign("1605");
    t.Elapsed.assign("1:30");
    t.FuelOnBoard.assign("40");
    t.FuelRate.assign("8.5");
    t.FuelRequired.assign("12.75");
    t.FuelRemaining.assign("27.25");
    t.RunwayInfo.assign("16R, ATIS 128.65, wind 160/08");
    return t;
}

planner::PlanRecord typedCheckpoint(int k) {
    planner::PlanRecord t;
    static const char* names[] = {"Everett",  "Paine VOR", "Seattle VOR", "Tacoma",   "Olympia",
                                  "Chehalis", "Toledo",    "Kelso",       "Battle G", "Portland"};
    t.CheckName.assign(names[k % 10]);
    t.NavIdent.assign("SEA");
    t.NavFreq.assign("116.8");
    t.ToRadial.assign("180");
    t.FromRadial.assign("360");
    t.TrueCourse.assign("175");
    t.WindCorrection.assign("-5");
    t.TrueHeading.assign("170");
    t.Variation.assign("16E");
    t.MagHeading.assign("154");
    t.Deviation.assign("+2");
    t.CorrectedHeading.assign("156");
    t.LegDist.assign(std::to_string(12 + k));
    t.LegDistRem.assign(std::to_string(120 - 12 * k));
    t.EstGroundSpeed.assign("105");
    t.ActGroundSpeed.assign("108");
    t.LegETE.assign("0:07");
    t.LegATE.assign("0:08");
    t.LegETA.assign("1442");
    t.LegATA.assign("1443");
    t.FuelUsed.assign("1.1");
    t.CheckFuelRem.assign("38.9");
    return t;
}

std::string planWith(const std::string& name, int checkpoints) {
    const std::string path = work(name);
    check(planner::createPlan(path).ok(), name);
    check(planner::savePlanForm(path, typedPlan()).has_value(), name + " plan form");
    check(planner::saveLogHeader(path, typedPlan()).has_value(), name + " log header");
    for (int k = 0; k < checkpoints; ++k)
        check(planner::appendCheckpoint(path, typedCheckpoint(k)).ok(), name + " checkpoint");
    return path;
}

void plans() {
    const auto targets = {"planner_fuzz", "planner_write_fuzz"};
    const std::string fresh = work("fresh.flt");
    check(planner::createPlan(fresh).ok(), "fresh.flt");
    seed(targets, "fresh.flt", readAll(fresh));
    seed(targets, "plan.flt", readAll(planWith("plan.flt", 3)));
    seed(targets, "full.flt", readAll(planWith("full.flt", planner::kMaxCheckpoints)));
    // A removed checkpoint stays on disk beyond the counter.
    const std::string removed = planWith("removed.flt", 4);
    const auto asked = planner::lastCheckpoint(removed);
    check(asked && planner::removeLastCheckpoint(removed, *asked).ok(), "removing a checkpoint");
    seed(targets, "removed.flt", readAll(removed));

    // Personal.nfo is written in the working directory.
    const fs::path back = fs::current_path();
    fs::current_path(gWork);
    planner::PlanRecord p;
    p.PilotName.assign("Jane Q. Pilot");
    p.Street.assign("123 Runway Road");
    p.City.assign("Everett");
    p.State.assign("WA");
    p.Zip.assign("98204-1234");
    p.Phone.assign("425-555-0100");
    p.HomeBase.assign("KPAE");
    check(planner::savePersonal(p).has_value(), "Personal.nfo");
    fs::current_path(back);
    seed(targets, "Personal.nfo", readAll(gWork / planner::kPersonalFile));
}

// ---- aircraft files

Bytes aircraft(const std::string& name, const wandb::AircraftDefinition& def) {
    const auto built = wandb::buildAircraft(def);
    const auto* rec = std::get_if<wandb::AircraftRecord>(&built);
    check(rec != nullptr, "building " + name);
    if (!rec) return {};
    check(wandb::saveAircraft(work(name), *rec).ok(), "saving " + name);
    return readAll(gWork / name);
}

void aircraftFiles() {
    wandb::AircraftDefinition full{"N12345", "Cessna 172N", "1454.5", "57.3",       "2300", "35",
                                   "47.3",   "Pilot",       "37",     "Front",      "37",   "Rear",
                                   "73",     "Baggage A",   "95",     "Baggage B",  "123",  "Shelf",
                                   "130",    "Left main",   "48",     "Right main", "48",   "Aux",
                                   "52.5",   "Oil",         "-15"};
    wandb::AircraftDefinition minimal;
    minimal.Ident = "N2";
    minimal.Make = "Piper J-3 Cub";
    minimal.EmptyWeight = "680";
    minimal.EmptyMoment = "9.8";
    minimal.MaxTOweight = "1220";
    minimal.FwdCGLimit = "13.2";
    minimal.AftCGLimit = "20";
    minimal.Seat1Name = "Pilot";
    minimal.Seat1Arm = "36";
    const Bytes a = aircraft("N12345.pln", full);
    const Bytes b = aircraft("N2.pln", minimal);
    seed({"wandb_fuzz", "aircraft_write_fuzz"}, "N12345.pln", a);
    seed({"wandb_fuzz", "aircraft_write_fuzz"}, "N2.pln", b);
    // Two records: the write target saves the second over the first.
    Bytes both = a;
    both.insert(both.end(), b.begin(), b.end());
    seed({"aircraft_write_fuzz"}, "two.pln", both);

    // The loading target reads the boxes' texts after the record, a line each:
    // empty weight and moment, ten stations' pounds, three tanks' gallons, oil
    // quarts, then the definition's boxes.
    const std::string boxes =
        "1454.5\n57.3\n170\n140\n\n20\n\n\n\n\n\n\n40\n12.5\n\n8\n"
        "N12345\nCessna 172N\n1454.5\n57.3\n2300\n35\n47.3\nPilot\n37\n123\nAux\n-15";
    Bytes loading = a;
    loading.insert(loading.end(), boxes.begin(), boxes.end());
    seed({"wandb_fuzz"}, "loading.txt", loading);
}

// ---- texts

void texts() {
    int i = 0;
    for (const char* t : {"12.5", "-3.25E+02", "1,5", "32767", "-32768", "1E+07", "3/15/98",
                          "Dec 5, 2026 10:30 PM", "2026-11-30", "15.10.26", "Caf\xe9 \x80 \x9f"}) {
        const std::string s(t);
        seed({"records_fuzz"}, "text" + std::to_string(i++), Bytes(s.begin(), s.end()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    gOut = argv[1];
    gWork = gOut / ".work";
    std::error_code ec;
    fs::remove_all(gWork, ec);
    fs::create_directories(gWork);
    logbooks();
    plans();
    aircraftFiles();
    texts();
    fs::remove_all(gWork, ec);
    return gFailed ? 1 : 0;
}
