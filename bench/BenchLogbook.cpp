#include "BenchLogbook.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "logbook/LogRecord.h"
#include "records/Clock.h"
#include "records/DateText.h"

namespace benchlog {
namespace {

const char* const kIdents[] = {"N12345", "N734CP", "N5211K", "N99AX",  "N4021Q", "N808TS", "N3120F",
                               "N22YB",  "N6611L", "N1776",  "N57HM",  "N402PA", "N9170U", "N38RD",
                               "N7300W", "N1201Z", "N44ZZ",  "N550JT", "N2929C", "N618EE", "N888G",
                               "N3377B", "N100AK", "N71MM",  "N5050X", "N264VT", "N13DC",  "N9981S",
                               "N47PR",  "N3003J", "N610RX", "N8216H", "N72LK",  "N1944E", "N503GA",
                               "N29WF",  "N6767D", "N414NN", "N86TA",  "N2118Y"};
const char* const kMakes[] = {"Cessna 172", "Cessna 152",  "Piper PA-28",  "Piper PA-44",
                              "Beech A36",  "Cirrus SR22", "Diamond DA40", "Mooney M20J",
                              "Cessna 182", "Piper J-3",   "Beech 58",     "Grumman AA-5"};
const char* const kPoints[] = {"JFK", "BOS", "LGA", "HPN", "BDL", "PVD", "ALB",
                               "SYR", "ROC", "BUF", "PHL", "ABE", "ISP", "FRG",
                               "MMU", "CDW", "TEB", "POU", "SWF", "ORH"};
const char* const kApps[] = {"ILS", "VOR", "NDB", "GPS", "LOC", "Select Typ"};

std::string dateText(std::int64_t days) {
    int y, m, d;
    records::civilFromDays(days, y, m, d);
    return std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y % 100);
}

std::int64_t firstDay(int flights) { return records::today() - (flights - 1) / 3; }

std::int64_t dayOf(int i, int flights) {
    if (i == flights - 1) return firstDay(flights) + (flights - 2) / 3 + 1;
    return firstDay(flights) + i / 3;
}

}  // namespace

std::string lastFlightDate(int flights) { return dateText(dayOf(flights - 1, flights)); }

std::string commonIdent() { return kIdents[0]; }

void writeLogbook(const std::string& path, int flights) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(flights + 1) * LogRecord::Size);
    LogRecord rating;
    rating.LastRecord = static_cast<std::int16_t>(flights + 1);
    rating.RatePowerplant = 0;
    rating.CertPrivate = 1;
    rating.RateSingle = 1;
    rating.OtherRatings.assign("");
    auto put = [&](const LogRecord& r) {
        const auto enc = r.encode();
        bytes.insert(bytes.end(), enc.begin(), enc.end());
    };
    put(rating);
    std::uint32_t x = 2463534242u;
    auto rnd = [&] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    auto tenths = [&](int max) {
        return static_cast<float>(rnd() % static_cast<unsigned>(max)) / 10.0f;
    };
    for (int i = 0; i < flights; ++i) {
        LogRecord f;
        f.Date.assign(dateText(dayOf(i, flights)));
        f.Make.assign(kMakes[rnd() % std::size(kMakes)]);
        f.Ident.assign(kIdents[rnd() % std::size(kIdents)]);
        f.From.assign(kPoints[rnd() % std::size(kPoints)]);
        f.To.assign(kPoints[rnd() % std::size(kPoints)]);
        f.Remarks.assign("Pattern work, steep turns, stalls; night currency; ILS 4R to minimums");
        f.Total = 0.5f + tenths(40);
        f.Day = f.Total;
        f.Night = rnd() % 5 == 0 ? tenths(20) : 0.0f;
        f.Instrument = rnd() % 4 == 0 ? tenths(15) : 0.0f;
        f.SimInstrument = rnd() % 6 == 0 ? tenths(10) : 0.0f;
        f.XCountry = rnd() % 2 == 0 ? f.Total : 0.0f;
        f.InCommand = rnd() % 5 == 0 ? 0.0f : f.Total;
        f.Dual = f.InCommand == 0 ? f.Total : 0.0f;
        f.Landings = static_cast<float>(1 + rnd() % 4);
        f.NightLand = f.Night > 0 ? static_cast<float>(1 + rnd() % 3) : 0.0f;
        f.InstrApp = f.Instrument > 0 ? static_cast<float>(rnd() % 4) : 0.0f;
        f.AppType1.assign(kApps[rnd() % std::size(kApps)]);
        f.AppCount1 = static_cast<std::int16_t>(f.InstrApp);
        f.AppType2.assign("Select Type");
        f.AppType3.assign("Select Type");
        f.AppType4.assign("Select Type");
        f.CatSingle = records::kTrue;
        f.SELand = 1;
        put(f);
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
        std::fclose(out) != 0)
        throw std::runtime_error("cannot write " + path);
}

void copySynced(const std::string& from, const std::string& to) {
    std::vector<char> buf(64 * 1024);
    std::FILE* in = std::fopen(from.c_str(), "rb");
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!in || !out) throw std::runtime_error("cannot copy " + from + " to " + to);
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), in)) > 0) std::fwrite(buf.data(), 1, n, out);
    std::fflush(out);
    ::fsync(::fileno(out));
    std::fclose(out);
    std::fclose(in);
}

double peakMemoryMiB() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace benchlog
