// aerokit-convert with other logbook programs: MyFlightbook both ways,
// ForeFlight both ways, LogTen Pro in. Each file here is written by hand
// from the programs' documented columns.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ConvertTest.h"
#include "TempDir.h"

namespace {

using namespace converttest;

// The fields a flight is checked by, as text: "Make=C172 From=PAO ...".
std::string fieldsOf(const LogRecord& r) {
    auto num = [](float v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
        return std::string(buf);
    };
    auto txt = [](const auto& t) { return t.trimmed(); };
    std::string s = "Date=" + txt(r.Date) + " Make=" + txt(r.Make) + " Ident=" + txt(r.Ident) +
                    " From=" + txt(r.From) + " To=" + txt(r.To) + " Remarks=" + txt(r.Remarks) +
                    " Total=" + num(r.Total) + " PIC=" + num(r.InCommand) + " SIC=" + num(r.SIC) +
                    " Night=" + num(r.Night) + " Day=" + num(r.Day) + " XC=" + num(r.XCountry) +
                    " IMC=" + num(r.Instrument) + " Hood=" + num(r.SimInstrument) +
                    " Sim=" + num(r.Simulator) + " Dual=" + num(r.Dual) + " CFI=" + num(r.CFI) +
                    " CFII=" + num(r.CFII) + " Ground=" + num(r.Ground) +
                    " App=" + num(r.InstrApp) + " Land=" + num(r.Landings) +
                    " NightLand=" + num(r.NightLand);
    const records::FixedText<10>* types[] = {&r.AppType1, &r.AppType2, &r.AppType3, &r.AppType4};
    const std::int16_t counts[] = {r.AppCount1, r.AppCount2, r.AppCount3, r.AppCount4};
    for (int i = 0; i < 4; ++i)
        if (types[i]->trimmed() != "Select Typ" || counts[i])
            s += " App" + std::to_string(i + 1) + "=" + std::to_string(counts[i]) + "x" +
                 types[i]->trimmed();
    const std::pair<const char*, std::int16_t> flags[] = {
        {"Single", r.CatSingle}, {"SELand", r.SELand},      {"SESea", r.SESea},
        {"Multi", r.CatMulti},   {"MELand", r.MELand},      {"MESea", r.MESea},
        {"Rotor", r.CatRotor},   {"Airship", r.CatAirship}, {"Glider", r.CatGlider}};
    for (const auto& [name, v] : flags)
        if (v) s += std::string(" ") + name;
    return s;
}

struct ImportCase {
    const char* what;
    std::string file;
    std::vector<std::string> args;  // after import FILE LOG
    std::string flight;             // fieldsOf the first flight, in part
    std::vector<std::string> warnings;
    std::size_t flights = 1;
};

void checkImports(const std::vector<ImportCase>& cases) {
    testsupport::TempDir dir;
    int n = 0;
    for (const ImportCase& c : cases) {
        const std::string in = dir.file("in" + std::to_string(n) + ".csv");
        const std::string log = dir.file("out" + std::to_string(n++) + ".log");
        writeText(in, c.file);
        std::vector<std::string> args = {"import", in, log};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome r = convertCmd(args);
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err;
        const std::string bytes = readText(log);
        ASSERT_EQ(bytes.size(), (c.flights + 1) * LogRecord::Size) << c.what;
        const std::string got = fieldsOf(flightOf(bytes, 1));
        EXPECT_NE(got.find(c.flight), std::string::npos) << c.what << "\n got: " << got;
        for (const std::string& w : c.warnings)
            EXPECT_NE(r.err.find(w), std::string::npos) << c.what << "\n err: " << r.err;
        if (c.warnings.empty()) {
            EXPECT_EQ(r.err, "") << c.what;
        }
    }
}

// Flights every program's layout can carry whole.
std::vector<logbook::FlightInput> carriedFlights() {
    logbook::FlightInput a, b, c;
    a.date = "3/5/98";
    a.make = "C172";
    a.ident = "N12345";
    a.from = "PAO";
    a.to = "SQL";
    a.remarks = "Steep turns, \"stalls\"; caf\xE9";
    a.instrApp = "2";
    a.appType = {"ILS", "VOR/DME", "Select Type", "Select Type"};
    a.appCount = {"1", "1", "", ""};
    a.landings = "3";
    a.nightLand = "1";
    a.xCountry = "1.5";
    a.day = "1";
    a.night = "0.5";
    a.instrument = "0.3";
    a.simInstrument = "0.2";
    a.inCommand = "1.5";
    a.total = "1.5";
    a.catSingle = a.seLand = true;
    b.date = "16.3.98";
    b.make = "PA-44";
    b.ident = "N734CP";
    b.from = b.to = "HAF";
    b.dual = "2.1";
    b.ground = "1";
    b.cfi = "0.1";
    b.cfii = "1234.5";
    b.simulator = "0.7";
    b.total = "2.1";
    b.appType = {"Select Type", "Select Type", "Select Type", "Select Type"};
    b.catMulti = b.meSea = true;
    c.date = "1/2/2024";
    c.ident = "N5G";
    c.make = "ASK-21";
    c.total = "0.25";
    c.appType = {"Select Type", "Select Type", "Select Type", "Select Type"};
    c.catGlider = true;
    return {a, b, c};
}

}  // namespace

// MyFlightbook's files in every culture and with its aliases: the real
// meanings of its columns, and each value that changes reported once per kind.
TEST(ConvertMyFlightbook, ImportReadsItsColumnsInEveryCulture) {
    checkImports({
        {"its export: BOM, quoted, CR LF, properties, the route",
         "\xEF\xBB\xBF\"Date\",\"Flight ID\",\"Model\",\"ICAO Model\",\"Tail Number\","
         "\"Category/Class\",\"Approaches\",\"Landings\",\"FS Night Landings\",\"FS Day Landings\","
         "\"X-Country\",\"Night\",\"IMC\",\"Simulated Instrument\",\"Ground Simulator\","
         "\"Dual Received\",\"CFI\",\"SIC\",\"PIC\",\"Total Flight Time\",\"Route\",\"Comments\","
         "\"Day Flight\",\"Ground Instruction Received\",\"CFII Time - IFR Instruction\","
         "\"Approach Name(s)\"\r\n"
         "\"2024-03-15\",\"17\",\"C-172 S, Cessna Skyhawk SP\",\"C172\",\"N12345\",\"AMES\",\"3\","
         "\"5\",\"1\",\"2\",\"1.5\",\"0.5\",\"0.3\",\"0.2\",\"0\",\"1.5\",\"0.25\",\"0\",\"1.5\","
         "\"1.5\",\"KPAO KSQL\",\"Touch and goes\",\"1\",\"0.5\",\"0.75\",\"2-ILS 1-VOR/DME\"\r\n",
         {},
         "Date=2024-03-15 Make=C172 Ident=N12345 From=PAO To=SQL Remarks=Touch and goes Total=1.5 "
         "PIC=1.5 SIC=0 Night=0.5 Day=1 XC=1.5 IMC=0.3 Hood=0.2 Sim=0 Dual=1.5 CFI=0.25 CFII=0.75 "
         "Ground=0.5 App=3 Land=4 NightLand=1 App1=2xILS App2=1xVOR/DME Multi MESea",
         {"warning: values of columns the logbook has no field for not carried (1): line 2, "
          "column \"Flight ID\": \"17\"",
          "warning: models too long for the field stored as their type code (1): line 2, column "
          "\"Model\": \"C-172 S, Cessna Skyhawk SP\" stored as \"C172\"",
          "warning: US airport codes stored as their FAA identifiers (2): line 2, column "
          "\"Route\": \"KPAO\" stored as \"PAO\"; line 2, column \"Route\": \"KSQL\" stored as "
          "\"SQL\"\n"}},
        {"a German export: ';', decimal comma, thousands, hh:mm, an all-empty row",
         "Date;Tail Number;Model;Total Flight Time;PIC;Night;Landings;FS Night Landings;Route\r\n"
         "15.03.2024;D-EABC;DR400;1:30;1.234,5;0,5;2;0;EDFE\r\n;;;;;;;;\r\n",
         {},
         "Date=15.03.2024 Make=DR400 Ident=D-EABC From=EDF To=EDF Remarks=Route: EDFE Total=1.5 "
         "PIC=1234.5 SIC=0 Night=0.5",
         {"warning: routes From and To cannot hold kept in the remarks (1): line 2: \"EDFE\""}},
        {"an empty Date As Typed leaves the date to Date",
         "Date,Date As Typed,Total Flight Time\n2024-01-02,,1\n2024-01-03,3.1.24,2\n",
         {},
         "Date=2024-01-02 Make= Ident= From= To= Remarks= Total=1",
         {},
         2},
        {"aliases, a decimal comma told, a local flight, a balloon",
         "FLT_DATE,Registration,Aircraft Type,Total Time,Cross Country,Day Landings,Night "
         "Landings,Route,Category/Class,Remarks\n"
         "3/5/24,N1,C150,\"1,2\",\"0,5\",4,1,PAO,Hot Air Balloon,\"Schöne Grüße ☺\"\n",
         {"--decimal-comma"},
         "Date=3/5/24 Make=C150 Ident=N1 From=PAO To=PAO Remarks=Sch\xF6ne Gr\xFC\xDF"
         "e ? Total=1.2 PIC=0 "
         "SIC=0 Night=0 Day=0 XC=0.5 IMC=0 Hood=0 Sim=0 Dual=0 CFI=0 CFII=0 Ground=0 App=0 Land=4 "
         "NightLand=1 Airship",
         {"characters Windows-1252 cannot hold stored as \"?\" (1): line 2, column \"Remarks\"",
          "categories stored as the logbook's wider option (1): line 2, column "
          "\"Category/Class\": \"Hot Air Balloon\""}},
    });
}

// Aerokit to MyFlightbook: its names and meanings (Landings is every landing,
// FS Night Landings the night ones, no FS Day Landings), in either culture;
// and back to the same logbook byte for byte.
TEST(ConvertMyFlightbook, ExportCarriesEveryFieldAndComesBackTheSame) {
    testsupport::TempDir dir;
    const std::string original = logbookOf(carriedFlights());
    writeText(dir.file("a.log"), original);
    for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8"}) {
        const std::string csv = dir.file(std::string(locale) + ".csv");
        const Outcome out = convertCmd(
            {"export", dir.file("a.log"), "--to", "myflightbook", "--locale", locale, "-o", csv});
        ASSERT_EQ(out.status, 0) << out.err;
        const std::string text = readText(csv);
        const bool comma = std::string(locale).starts_with("de");
        const std::string s = comma ? ";" : ",";
        EXPECT_EQ(text.substr(0, text.find("\r\n")),
                  "\xEF\xBB\xBF"
                  "Date" +
                      s + "Tail Number" + s + "Model" + s + "Category/Class" + s + "Route" + s +
                      "Approaches" + s + "Approach Name(s)" + s + "Landings" + s +
                      "FS Night Landings" + s + "X-Country" + s + "Day Flight" + s + "Night" + s +
                      "IMC" + s + "Simulated Instrument" + s + "Ground Simulator" + s +
                      "Dual Received" + s + "CFI" + s + "CFII Time - IFR Instruction" + s +
                      "Ground Instruction Received" + s + "SIC" + s + "PIC" + s +
                      "Total Flight Time" + s + "Comments" + s + "Date As Typed");
        const std::string row1 =
            comma ? "1998-05-03;N12345;C172;ASEL;PAO SQL;2;1-ILS 1-VOR/DME;4;1;1,5;1;0,5;"
                  : "1998-03-05,N12345,C172,ASEL,PAO SQL,2,1-ILS 1-VOR/DME,4,1,1.5,1,0.5,";
        EXPECT_NE(text.find("\r\n" + row1), std::string::npos) << text;
        // The second date converts in neither locale's order the same way.
        EXPECT_EQ(out.err.find("typed dates that do not convert") != std::string::npos, !comma)
            << out.err;
        const Outcome back = convertCmd({"import", csv, dir.file(std::string(locale) + ".log"),
                                         "--ratings", dir.file("a.log")});
        ASSERT_EQ(back.status, 0) << back.err;
        EXPECT_EQ(back.err, "");
        EXPECT_EQ(readText(dir.file(std::string(locale) + ".log")), original) << locale;
    }
}

// ForeFlight's logbook file: the preamble skipped, the aircraft table joined
// by AircraftID, its landing and approach columns read for what they mean.
TEST(ConvertForeFlight, ImportJoinsTheAircraftTable) {
    const std::string file =
        "ForeFlight Logbook Import,This row is required for importing into ForeFlight. Do not "
        "delete or modify.,,,,\r\n"
        ",,,,,\r\n"
        "Aircraft Table,,,,,\r\n"
        "Text,Text,Text,YYYY,Text,Text,Text,Text,Text,Boolean\r\n"
        "AircraftID,equipType,TypeCode,Year,Make,Model,GearType,EngineType,Category/Class,"
        "complexAircraft\r\n"
        "N12345,aircraft,C172,1998,Cessna,172S,FT,Piston,airplane_single_engine_land,FALSE\r\n"
        "N77,aircraft,R22,,Robinson,R22 Beta,Skids,Piston,rotorcraft_helicopter,FALSE\r\n"
        ",,,,,,,,,\r\n"
        "Flights Table,,,,,,,,,,,,,,,,,,,,,,#;type;runway;airport;comments\r\n"
        "Date,Text,Text,Text,Text,Decimal,Decimal,Decimal,Decimal,Number,Number,Number,Number,"
        "Decimal,Decimal,Decimal,Packed Detail,Packed Detail,Packed Detail,Decimal,Decimal,"
        "Decimal,Text,Decimal\r\n"
        "Date,AircraftID,From,To,Route,TotalTime,PIC,Night,CrossCountry,Landing Full-Stop Day,"
        "Landing Full-Stop Night,Landing Touch-and-Go Day,Landing Touch-and-Go Night,"
        "ActualInstrument,SimulatedInstrument,GroundTraining,Approach1,Approach2,Approach5,"
        "DualGiven,DualReceived,SimulatedFlight,PilotComments,HobbsStart\r\n"
        "2024-03-15,N12345,KPAO,KSQL,SUNOL,2.5,2.5,0.5,2.5,1,1,3,0,0.4,0.3,0.2,"
        "2;ILS;31;KSQL;,1;RNAV (GPS);;;,1;VOR;;;,0,0,0,Night currency,1234.5\r\n"
        "2024-03-16,N77,PAO,PAO,,1,1,0,0,0,0,0,2,0,0,0,,,,0,1,0,,\r\n"
        ",,,,,,,,,,,,,,,,,,,,,,,\r\n";
    checkImports({{"the template layout",
                   file,
                   {},
                   "Date=2024-03-15 Make=172S Ident=N12345 From=PAO To=SQL Remarks=Night "
                   "currency Route: KPAO SUNOL KSQL Total=2.5 PIC=2.5 SIC=0 Night=0.5 Day=0 XC=2.5 "
                   "IMC=0.4 Hood=0.3 Sim=0 Dual=0 CFI=0 CFII=0 Ground=0.2 App=4 Land=4 NightLand=1 "
                   "App1=2xILS App2=1xRNAV (GPS) Single SELand",
                   {"values of columns the logbook has no field for not carried (1): line 12, "
                    "column \"HobbsStart\": \"1234.5\"",
                    "approach lines beyond the fourth not carried (their count is in Approaches) "
                    "(1): line 12, column \"Approach5\": \"1;VOR;;;\"",
                    "approach runways, airports and comments not carried (1)",
                    "night touch-and-goes counted as day landings (night landings are full stops) "
                    "(1): line 13, column \"Landing Touch-and-Go Night\": \"2\""},
                   2}});
}

// Aerokit to ForeFlight and back: every field ForeFlight has (and the rest
// through its custom fields) comes back byte for byte.
TEST(ConvertForeFlight, ExportComesBackTheSame) {
    testsupport::TempDir dir;
    const std::string original = logbookOf(carriedFlights());
    writeText(dir.file("a.log"), original);
    const Outcome out = convertCmd({"export", dir.file("a.log"), "--to", "foreflight", "-o",
                                    dir.file("ff.csv"), "--locale", "en_GB"});
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.err, "");
    const std::string text = readText(dir.file("ff.csv"));
    EXPECT_TRUE(text.starts_with("ForeFlight Logbook Import,"));
    EXPECT_NE(text.find("\r\nAircraft Table\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nN734CP,,,,,PA-44,,,airplane_multi_engine_sea\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nFlights Table\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n1998-03-16,N734CP,HAF,HAF,,2.1,"), std::string::npos) << text;
    const Outcome back = convertCmd(
        {"import", dir.file("ff.csv"), dir.file("b.log"), "--ratings", dir.file("a.log")});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.err, "");
    EXPECT_EQ(readText(dir.file("b.log")), original);
}

// LogTen Pro's tab-separated export, by its field keys or its titles.
TEST(ConvertLogTen, ImportReadsKeysAndTitles) {
    const std::string flight =
        "Date=2024-03-15 Make=C172 Ident=N12345 From=PAO To=SQL Remarks=fun Total=1.5 PIC=1.5 "
        "SIC=0 Night=0.5 Day=0 XC=1.5 IMC=0 Hood=0.2 Sim=0 Dual=0 CFI=0 CFII=0 Ground=0 App=1 "
        "Land=3 NightLand=1 App1=1xILS Single SELand";
    checkImports({
        {"field keys",
         "flight_flightDate\taircraft_aircraftID\taircraftType_model\tflight_from\tflight_to\t"
         "flight_totalTime\tflight_pic\tflight_night\tflight_crossCountry\t"
         "flight_simulatedInstrument\tflight_totalApproaches\tflight_dayLandings\t"
         "flight_nightLandings\taircraftType_selectedCategory\taircraftType_selectedAircraftClass\t"
         "flight_remarks\tflight_selectedApproach1\n"
         "2024-03-15\tN12345\tC172\tKPAO\tKSQL\t1.5\t1.5\t0.5\t1.5\t0.2\t1\t3\t1\tAirplane\t"
         "Single-Engine Land\tfun\tILS\n",
         {},
         flight,
         {"US airport codes stored as their FAA identifiers (2)"}},
        {"titles",
         "Date\tAircraft ID\tAircraft Type\tFrom\tTo\tTotal Time\tPIC\tNight\tCross "
         "Country\tSimulated Instrument\tTotal Approaches\tDay Landings\tNight "
         "Landings\tCategory\tClass\tRemarks\tApproach 1\r\n"
         "2024-03-15\tN12345\tC172\tPAO\tSQL\t1:30\t1:30\t0:30\t1.5\t0.2\t1\t3\t1\tAirplane\t"
         "ASEL\tfun\tILS\r\n",
         {"--from", "logten"},
         flight,
         {}},
    });
}
