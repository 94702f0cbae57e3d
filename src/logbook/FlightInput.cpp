#include "logbook/FlightInput.h"

namespace logbook {
namespace {
std::int16_t flag(bool on) { return on ? 1 : 0; }
std::int16_t option(bool on) { return on ? records::kTrue : records::kFalse; }
}  // namespace

Conversion convertFlight(const FlightInput& in, const records::NumberLocale& loc) {
    Conversion out;
    LogRecord r;  // every byte 0
    r.Date.assign(in.date);
    r.Make.assign(in.make);
    r.Ident.assign(in.ident);
    r.From.assign(in.from);
    r.To.assign(in.to);
    r.Remarks.assign(in.remarks);

    auto single = [&](const std::string& text, float& field) {
        if (text.empty()) {
            field = 0;
            return true;
        }
        const auto v = records::parseSingle(text, loc);
        if (!v) return false;
        field = *v;
        return true;
    };
    auto count = [&](const std::string& text, std::int16_t& field) {
        if (text.empty()) {
            field = 0;
            return true;
        }
        const auto v = records::parseInt16(text, loc);
        if (!v) return false;
        field = *v;
        return true;
    };

    // The order matters: it decides whether an empty Day box was reached
    // (and so shows 0) before a later box failed.
    if (!single(in.instrApp, r.InstrApp)) return out;
    if (!single(in.landings, r.Landings)) return out;
    if (!single(in.xCountry, r.XCountry)) return out;
    if (!single(in.simulator, r.Simulator)) return out;
    if (in.day.empty()) out.dayShowsZero = true;
    if (!single(in.day, r.Day)) return out;
    if (!single(in.night, r.Night)) return out;
    if (!single(in.instrument, r.Instrument)) return out;
    if (!single(in.simInstrument, r.SimInstrument)) return out;
    if (!single(in.dual, r.Dual)) return out;
    if (!single(in.inCommand, r.InCommand)) return out;
    if (!single(in.total, r.Total)) return out;
    if (!single(in.cfi, r.CFI)) return out;
    if (!single(in.cfii, r.CFII)) return out;
    if (!single(in.ground, r.Ground)) return out;
    if (!count(in.appCount[0], r.AppCount1)) return out;
    if (!count(in.appCount[1], r.AppCount2)) return out;
    if (!count(in.appCount[2], r.AppCount3)) return out;
    if (!count(in.appCount[3], r.AppCount4)) return out;
    if (!single(in.sic, r.SIC)) return out;
    if (!single(in.nightLand, r.NightLand)) return out;

    r.AppType1.assign(in.appType[0]);
    r.AppType2.assign(in.appType[1]);
    r.AppType3.assign(in.appType[2]);
    r.AppType4.assign(in.appType[3]);
    r.CatMulti = option(in.catMulti);
    r.CatSingle = option(in.catSingle);
    r.CatRotor = option(in.catRotor);
    r.CatAirship = option(in.catAirship);
    r.CatGlider = option(in.catGlider);
    r.SELand = flag(in.seLand);
    r.SESea = flag(in.seSea);
    r.MELand = flag(in.meLand);
    r.MESea = flag(in.meSea);
    out.flight = r;
    return out;
}

std::string storedLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace logbook
