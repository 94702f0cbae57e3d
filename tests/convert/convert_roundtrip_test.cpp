// aerokit-convert: JSON dump and restore byte for byte, Aerokit's own CSV
// export and import back to the same logbook, and its layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ConvertTest.h"
#include "TempDir.h"
#include "convert/Cli.h"
#include "convert/Dump.h"
#include "convert/Layouts.h"
#include "logbook/Logbook.h"

namespace {

using namespace converttest;

// Typed boxes of every kind the entry window takes: Windows-1252 text with
// commas, quotes and line breaks, cut when too long; numbers in every form
// the conversion accepts; any category and land/sea boxes.
logbook::FlightInput randomTyped(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto text = [&](int maxLen) {
        std::string s;
        const int n = pick(maxLen + 6);
        for (int i = 0; i < n; ++i) {
            switch (pick(8)) {
                case 0:
                    s += ',';
                    break;
                case 1:
                    s += '"';
                    break;
                case 2:
                    s += ' ';
                    break;
                case 3:
                    s += static_cast<char>(0x80 + pick(128));
                    break;
                default:
                    s += static_cast<char>(0x21 + pick(0x5E));
            }
        }
        return s;
    };
    auto number = [&]() -> std::string {
        switch (pick(7)) {
            case 0:
                return "";
            case 1:
                return std::to_string(pick(10));
            case 2:
                return std::to_string(pick(100)) + "." + std::to_string(pick(10));
            case 3:
                return " -" + std::to_string(pick(1000)) + ".25 ";
            case 4:
                return "-0";
            case 5:
                return std::to_string(pick(9) + 1) + "e" + std::to_string(pick(75) - 37);
            default: {
                std::uniform_real_distribution<float> d(-1e6f, 1e6f);
                char buf[32];
                std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(d(rng)));
                return buf;
            }
        }
    };
    logbook::FlightInput in;
    in.date = pick(5) ? std::to_string(pick(12) + 1) + "/" + std::to_string(pick(28) + 1) + "/" +
                            std::to_string(pick(100))
                      : text(15);
    in.make = text(15);
    in.ident = text(10);
    in.from = text(3);
    in.to = text(3);
    in.remarks = logbook::storedLineBreaks(text(40) + (pick(2) ? "\n" + text(60) : ""));
    for (std::string* s : {&in.instrApp, &in.landings, &in.xCountry, &in.simulator, &in.day,
                           &in.night, &in.instrument, &in.simInstrument, &in.dual, &in.inCommand,
                           &in.total, &in.cfi, &in.cfii, &in.ground, &in.sic, &in.nightLand})
        *s = number();
    for (int k = 0; k < 4; ++k) {
        in.appType[k] = pick(3) ? "Select Type" : text(10);
        in.appCount[k] = pick(2) ? std::to_string(pick(65536) - 32768) : (pick(2) ? "2.5" : "");
    }
    const int cat = pick(6);
    in.catSingle = cat == 0;
    in.catMulti = cat == 1;
    in.catRotor = cat == 2;
    in.catAirship = cat == 3;
    in.catGlider = cat == 4;
    in.seLand = cat == 0 && pick(2);
    in.seSea = cat == 0 && pick(2);
    in.meLand = cat == 1 && pick(2);
    in.meSea = cat == 1 && pick(2);
    return in;
}

}  // namespace

// Any bytes whatever, of any length, come back byte for byte: NULs, the
// bytes Windows-1252 leaves undefined, NaN payloads, -0, partial records.
TEST(ConvertJson, RestoreOfDumpIsTheSameFileForAnyBytes) {
    std::mt19937 rng(20261208);
    const std::uint32_t specials[] = {0x80000000u, 0x7FC00001u, 0x7F800001u,
                                      0xFFA00000u, 0xFFFFFFFFu, 0x7F800000u,
                                      0xFF800000u, 0x00000001u, 0x7F7FFFFFu};
    for (const auto type :
         {convert::FileType::Logbook, convert::FileType::Plan, convert::FileType::Aircraft}) {
        const std::size_t len = convert::layoutOf(type).recordLength;
        for (int i = 0; i < 2000; ++i) {
            std::string f(rng() % (3 * len + 1), '\0');
            const int style = i % 4;
            for (char& c : f) {
                const unsigned r = rng();
                c = static_cast<char>(style == 0   ? r
                                      : style == 1 ? (r % 3 == 0 ? 0 : r)
                                      : style == 2
                                          ? "\x00\x81\x8D\x8F\x90\x9D \"\\\r\n\x7F\xC2"[r % 13]
                                          : 0x20 + r % 0x5F);
            }
            for (std::size_t p = 0; p + 4 <= f.size() && style == 3; p += 4 + rng() % 40) {
                const std::uint32_t bits = specials[rng() % std::size(specials)];
                for (int k = 0; k < 4; ++k) f[p + k] = static_cast<char>(bits >> (8 * k));
            }
            const std::string json = convert::dumpJson(f, type);
            const auto back = convert::restoreJson(json);
            ASSERT_TRUE(back.bytes.has_value()) << back.error << "\n" << json;
            ASSERT_EQ(*back.bytes, f) << json;
        }
    }
}

// Export, then import into a new logbook with the old one's ratings, gives
// the very same file, for logbooks up to the largest LastRecord allows.
TEST(ConvertCsv, ExportThenImportIsTheSameLogbook) {
    testsupport::TempDir dir;
    std::mt19937 rng(42);
    for (const std::size_t flights : {0, 1, 7, 300, 32766}) {
        std::vector<logbook::FlightInput> typed;
        for (std::size_t i = 0; i < flights; ++i) typed.push_back(randomTyped(rng));
        const std::string original = logbookOf(typed);
        const std::string n = std::to_string(flights);
        writeText(dir.file(n + ".log"), original);
        ASSERT_EQ(convertCmd({"export", dir.file(n + ".log"), "-o", dir.file(n + ".csv")}).status,
                  0);
        const Outcome imported = convertCmd({"import", dir.file(n + ".csv"), dir.file(n + "b.log"),
                                             "--ratings", dir.file(n + ".log")});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.err, "");
        ASSERT_EQ(readText(dir.file(n + "b.log")), original) << flights << " flights";
    }
    // The same rows appended to a logbook that holds some already.
    ASSERT_EQ(convertCmd({"import", "--append", dir.file("300.csv"), dir.file("7b.log")}).status,
              0);
    const std::string seven = readText(dir.file("7.log")), more = readText(dir.file("300.log"));
    std::string both = seven + more.substr(420);
    both[278] = static_cast<char>(308 & 0xFF);
    both[279] = static_cast<char>(308 >> 8);
    EXPECT_EQ(readText(dir.file("7b.log")), both);

    // A full logbook takes no more: the first row is refused, nothing changes.
    const std::string full = readText(dir.file("32766b.log"));
    const Outcome over =
        convertCmd({"import", dir.file("1.csv"), dir.file("32766b.log"), "--append"});
    EXPECT_EQ(over.status, 1);
    EXPECT_EQ(over.err, "aerokit-convert: " + dir.file("1.csv") +
                            ":2: the logbook would hold more than 32766 flights\n");
    EXPECT_EQ(readText(dir.file("32766b.log")), full);
}

// Three flights give exactly this file: MyFlightbook's names first, the
// logbook's own fields after them, ISO dates by the locale's order.
TEST(ConvertCsv, ThreeFlightsGiveTheGoldenFile) {
    testsupport::TempDir dir;
    logbook::FlightInput a, b, c;
    a.date = "3/15/98";
    a.make = "Cessna 172";
    a.ident = "N12345";
    a.from = "JFK";
    a.to = "BOS";
    a.remarks = "Steep turns, \"stalls\"\r\ncaf\xE9";
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
    a.catSingle = true;
    a.seLand = true;
    b.date = "16.3.98";  // no date in an m/d/y locale
    b.make = "Piper PA-44";
    b.ident = "N734CP";
    b.dual = "2.1";
    b.ground = "1";
    b.cfi = "0.1";
    b.cfii = "1E+07";
    b.sic = "-0";
    b.simulator = "0.7";
    b.total = "2.1";
    b.appType = {"Select Type", "Select Type", "Select Type", "Select Type"};
    b.catMulti = true;
    b.meLand = true;
    b.meSea = true;
    c.appType = {"Other", "GPS", "NDB", "LORAN"};
    c.appCount = {"2.5", "3.5", "-7", "32767"};
    c.catGlider = true;
    writeText(dir.file("three.log"), logbookOf({a, b, c}));
    const Outcome r = convertCmd({"export", dir.file("three.log"), "--locale", "en_US.UTF-8"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "Date,Date As Typed,Tail Number,Model,From,To,Comments,Approaches,AppType1,AppCount1,"
        "AppType2,AppCount2,AppType3,AppCount3,AppType4,AppCount4,Landings,Day Landings,"
        "FS Night Landings,X-Country,Day,Night,IMC,Simulated Instrument,Ground,Dual Received,PIC,"
        "SIC,Ground Simulator,CFI,CFII,Total Flight Time,CatSingle,SELand,SESea,CatMulti,MELand,"
        "MESea,CatRotor,CatAirship,CatGlider\r\n"
        "1998-03-15,3/15/98,N12345,Cessna 172,JFK,BOS,\"Steep turns, "
        "\"\"stalls\"\"\r\ncaf\xC3\xA9\","
        "2,ILS,1,VOR/DME,1,Select Typ,0,Select Typ,0,4,3,1,1.5,1,0.5,0.3,0.2,0,0,1.5,0,0,0,0,1.5,"
        "-1,1,0,0,0,0,0,0,0\r\n"
        ",16.3.98,N734CP,Piper PA-44,,,,0,Select Typ,0,Select Typ,0,Select Typ,0,Select "
        "Typ,0,0,0,0,"
        "0,0,0,0,0,1,2.1,0,-0,0.7,0.1,1e+07,2.1,0,0,0,-1,1,1,0,0,0\r\n"
        ",,,,,,,0,Other,2,GPS,4,NDB,-7,LORAN,32767,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
        "-1\r\n");
    // In a d/m/y locale the second date converts and the first does not;
    // the decimal comma goes with ";" between the fields.
    const Outcome dmy = convertCmd({"export", dir.file("three.log"), "--locale=de_DE"});
    EXPECT_EQ(dmy.out.substr(dmy.out.find("\r\n") + 2, 11), ";3/15/98;N1");
    EXPECT_NE(dmy.out.find("\r\n1998-03-16;16.3.98;N734CP;Piper PA-44;;;;0;"), std::string::npos);
    EXPECT_NE(dmy.out.find(";2,1;0;-0;0,7;0,1;1e+07;2,1;"), std::string::npos);
}
