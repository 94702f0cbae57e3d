#include "wandb/Loading.h"

#include <cmath>

#include "wandb/AircraftFiles.h"

namespace wandb {

namespace {

// A stored single: anything that is not finite counts as an overflow.
std::optional<float> finite(float v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<float> gallonsToPounds(std::string_view gallons, const records::NumberLocale& loc) {
    const auto g = records::parseSingle(gallons, loc);
    if (!g) return std::nullopt;
    return finite(*g * kPoundsPerGallon);
}

bool blank(std::string_view s) { return records::trimSpaces(s).empty(); }

}  // namespace

std::optional<std::string> gallonsToPoundsText(std::string_view gallons,
                                               const records::NumberLocale& loc) {
    const auto p = gallonsToPounds(gallons, loc);
    if (!p) return std::nullopt;
    return records::formatSingle(*p, loc);
}

std::optional<std::string> poundsToGallonsText(std::string_view pounds,
                                               const records::NumberLocale& loc) {
    const auto p = records::parseSingle(pounds, loc);
    if (!p) return std::nullopt;
    const auto g = finite(*p / kPoundsPerGallon);
    if (!g) return std::nullopt;
    return records::formatSingle(*g, loc);
}

std::optional<std::string> quartsToPoundsText(std::string_view quarts,
                                              const records::NumberLocale& loc) {
    const auto q = records::parseDouble(quarts, loc);
    if (!q) return std::nullopt;
    const double p = *q * kPoundsPerQuart;
    if (!std::isfinite(p)) return std::nullopt;
    return records::formatDouble(p, loc);
}

LoadingOutcome calculateLoading(const LoadingInput& in,
                                const std::optional<AircraftRecord>& aircraft,
                                const records::NumberLocale& loc) {
    LoadingOutcome out;
    const auto emptyWeight = records::parseSingle(in.emptyWeight, loc);
    const auto emptyMoment = records::parseSingle(in.emptyMoment, loc);
    if (!emptyWeight || !emptyMoment || !aircraft) return out;

    // A row counts only when the window shows it and the aircraft read has
    // that station, so neither stale text nor an absent station's arm leaks in.
    auto counts = [&](std::size_t i) { return in.shown[i] && aircraft->hasStation(kStations[i]); };
    // A weight typed in a shown row that the aircraft read has no station
    // for (the ident was changed to another aircraft) would be dropped from
    // the totals without a word: the calculation fails instead.
    auto orphan = [&](std::size_t i, const std::string& text) {
        return in.shown[i] && !aircraft->hasStation(kStations[i]) && !blank(text);
    };
    for (std::size_t i = 0; i < kStationCount; ++i)
        if (orphan(i, in.pounds[i])) return out;
    for (std::size_t t = 0; t < 3; ++t)
        if (orphan(static_cast<std::size_t>(Station::Tank1) + t, in.tankGallons[t])) return out;
    if (orphan(static_cast<std::size_t>(Station::Oil), in.oilQuarts)) return out;

    std::array<std::string, kStationCount> pounds = in.pounds;
    // Gallons take precedence over pounds typed directly.
    for (std::size_t t = 0; t < 3; ++t) {
        const std::size_t i = static_cast<std::size_t>(Station::Tank1) + t;
        if (!counts(i) || blank(in.tankGallons[t])) continue;
        const auto text = gallonsToPoundsText(in.tankGallons[t], loc);
        if (!text) return out;
        out.tankPounds[t] = *text;
        pounds[i] = *text;
    }
    const std::size_t oil = static_cast<std::size_t>(Station::Oil);
    if (counts(oil) && !blank(in.oilQuarts)) {
        const auto text = quartsToPoundsText(in.oilQuarts, loc);
        if (!text) return out;
        out.oilPounds = *text;
        pounds[oil] = *text;
    }

    std::array<float, kStationCount> weight{}, moment{};
    for (std::size_t i = 0; i < kStationCount; ++i) {
        if (!counts(i) || blank(pounds[i])) continue;
        const auto w = records::parseSingle(pounds[i], loc);
        if (!w) return out;
        const auto m = finite(*w * aircraft->arm(kStations[i]));
        if (!m) return out;
        weight[i] = *w;
        moment[i] = *m;
        out.moments[i] = *m;
    }

    // Sums in station order, each step stored as a single.
    float totalWeight = 0, totalMoment = 0;
    for (std::size_t i = 0; i < kStationCount; ++i) {
        totalWeight = totalWeight + weight[i];
        totalMoment = totalMoment + moment[i];
    }
    totalWeight = totalWeight + *emptyWeight;
    totalMoment = totalMoment + *emptyMoment;
    const std::size_t t1 = static_cast<std::size_t>(Station::Tank1);
    const float fuelWeight = weight[t1] + weight[t1 + 1] + weight[t1 + 2];
    const float fuelMoment = moment[t1] + moment[t1 + 1] + moment[t1 + 2];
    const float zeroFuelWeight = totalWeight - fuelWeight;
    const float zeroFuelMoment = totalMoment - fuelMoment;
    if (!std::isfinite(totalWeight) || !std::isfinite(totalMoment) ||
        !std::isfinite(zeroFuelWeight) || !std::isfinite(zeroFuelMoment) || totalWeight == 0 ||
        zeroFuelWeight == 0)
        return out;
    const float takeoffCG = totalMoment / totalWeight;
    const float zeroFuelCG = zeroFuelMoment / zeroFuelWeight;
    if (!std::isfinite(takeoffCG) || !std::isfinite(zeroFuelCG)) return out;

    out.result = LoadingResult{totalWeight,    totalMoment, zeroFuelWeight,
                               zeroFuelMoment, takeoffCG,   zeroFuelCG};
    return out;
}

LoadingOutcome calculateLoading(const LoadingInput& in, const records::NumberLocale& loc) {
    std::optional<AircraftRecord> aircraft;
    if (identUsable(in.ident)) aircraft = loadAircraft(aircraftFileName(in.ident));
    return calculateLoading(in, aircraft, loc);
}

}  // namespace wandb
