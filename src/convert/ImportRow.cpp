#include "convert/ImportRow.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>

#include "convert/Culture.h"
#include "records/CodePage.h"

namespace convert::importing {
namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<bool> boxValue(std::string_view v) {
    if (v == "-1" || v == "1" || sameText(v, "true") || sameText(v, "yes")) return true;
    if (v.empty() || v == "0" || sameText(v, "false") || sameText(v, "no")) return false;
    return std::nullopt;
}

}  // namespace

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isNumberMeaning(M m) {
    if (isHours(m)) return true;
    switch (m) {
        case M::InstrApp:
        case M::AllLandings:
        case M::DayLandings:
        case M::NightLandings:
        case M::DayFullStop:
        case M::DayTouchAndGo:
        case M::NightTouchAndGo:
        case M::AppCount:
            return true;
        default:
            return false;
    }
}

std::string Builder::text(std::string_view v, std::size_t width, std::string_view column) {
    std::string s = isAscii(v) ? std::string(v) : records::utf8ToCp1252(v);
    if (!isAscii(v)) {
        if (std::count(s.begin(), s.end(), '?') > std::count(v.begin(), v.end(), '?'))
            report_.add("characters Windows-1252 cannot hold stored as \"?\"",
                        place(column) + ": " + quoted(v) + " stored as " +
                            quoted(records::cp1252ToUtf8(s)));
    }
    // Trailing blanks are the field's padding anyway.
    std::size_t used = s.size();
    while (used > width && s[used - 1] == ' ') --used;
    if (used > width) {
        const std::string cut = s.substr(0, width);
        report_.add(
            "texts cut to their field's width",
            place(column) + ": " + quoted(v) + " stored as " + quoted(records::cp1252ToUtf8(cut)));
        s = cut;
    }
    return s;
}

std::optional<float> Builder::number(const Columns& cols, M m, int index,
                                     std::optional<Failure>& fail) {
    const int c = cols.at(m, index);
    if (c < 0) return std::nullopt;
    const std::string_view v = cell(cols, m, index);
    if (trim(v).empty()) return 0.0f;
    const auto d = readNumber(v, decimal_);
    const std::string where = "column " + quoted(cols.names[static_cast<std::size_t>(c)]) + ": ";
    if (!d) {
        fail = Failure{line_, where + quoted(v) + " is not a number" +
                                  (decimal_ == ',' ? " (read with a decimal comma)" : "")};
        return std::nullopt;
    }
    if (m == M::AppCount) {
        const double r = std::nearbyint(*d);
        if (r < -32768.0 || r > 32767.0) {
            fail = Failure{line_, where + quoted(v) + " is outside the range -32768 to 32767"};
            return std::nullopt;
        }
        return static_cast<float>(r);
    }
    // The shortest text of the largest float reads a little above it.
    if (std::fabs(*d) > static_cast<double>(FLT_MAX)) {
        if (std::fabs(*d) < static_cast<double>(FLT_MAX) * (1.0 + 0x1p-24))
            return std::copysign(FLT_MAX, static_cast<float>(*d));
        fail =
            Failure{line_, where + quoted(v) + " is beyond the range of a single-precision number"};
        return std::nullopt;
    }
    return static_cast<float>(*d);
}

std::string Builder::airport(std::string_view code, std::string_view column, bool& lost) {
    code = tidy(code);
    const bool usIcao =
        code.size() == 4 && code[0] == 'K' &&
        std::all_of(code.begin() + 1, code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    if (usIcao) {
        report_.add("US airport codes stored as their FAA identifiers",
                    place(column) + ": " + quoted(code) + " stored as " + quoted(code.substr(1)));
        return std::string(code.substr(1));
    }
    const std::string s = isAscii(code) ? std::string(code) : records::utf8ToCp1252(code);
    if (s.size() > 3) lost = true;
    return s.size() > 3 ? s.substr(0, 3) : s;
}

std::optional<Failure> Builder::build(const std::vector<std::string>& row, const Columns& cols,
                                      std::size_t line, std::string& out) {
    row_ = &row;
    line_ = line;
    in_ = blank_;
    std::optional<Failure> fail;

    // The aircraft a ForeFlight flight names gives its model and category.
    const Aircraft* plane = nullptr;
    if (aircraft && cols.has(M::AircraftID)) {
        const auto it = aircraft->find(std::string(trim(cell(cols, M::AircraftID))));
        if (it != aircraft->end()) plane = &it->second;
    }
    const std::string_view identCell =
        cols.has(M::Ident) ? cell(cols, M::Ident) : cell(cols, M::AircraftID);
    in_.ident =
        text(tidy(identCell), 10, columnName(cols, cols.has(M::Ident) ? M::Ident : M::AircraftID));

    // The date exactly as typed where the file has it, else as the file writes it.
    const std::string_view typed = cell(cols, M::DateTyped);
    if (cols.has(M::DateTyped) && !typed.empty())
        in_.date = text(typed, 15, columnName(cols, M::DateTyped));
    else
        in_.date = text(tidy(cell(cols, M::Date)), 15, columnName(cols, M::Date));

    // The model: as named, or its type code where the name is missing or too long.
    {
        const std::string_view make = plane ? std::string_view(plane->make) : cell(cols, M::Make);
        const std::string_view code =
            plane ? std::string_view(plane->code) : cell(cols, M::ModelCode);
        const std::string makeBytes =
            isAscii(make) ? std::string(make) : records::utf8ToCp1252(make);
        const std::string column = plane ? "Model" : columnName(cols, M::Make);
        if (trim(make).empty()) {
            in_.make = text(trim(code), 15, plane ? "TypeCode" : columnName(cols, M::ModelCode));
        } else if (makeBytes.size() > 15 && !trim(code).empty() && trim(code).size() <= 15) {
            report_.add("models too long for the field stored as their type code",
                        place(column) + ": " + quoted(make) + " stored as " + quoted(trim(code)));
            in_.make = std::string(trim(code));
        } else {
            in_.make = text(make, 15, column);
        }
    }

    // From, To and the route: From and To hold 3 characters each.
    {
        std::vector<std::string_view> words;
        std::string_view route = cell(cols, M::Route);
        for (std::size_t i = 0; i < route.size();) {
            const std::size_t end = route.find_first_of(" ,-\t", i);
            const std::string_view w =
                route.substr(i, end == std::string_view::npos ? end : end - i);
            if (!w.empty()) words.push_back(w);
            if (end == std::string_view::npos) break;
            i = end + 1;
        }
        std::string_view from, to;
        bool via = false;
        if (cols.has(M::From) || cols.has(M::To)) {
            from = cell(cols, M::From);
            to = cell(cols, M::To);
            via = !words.empty();
        } else if (!words.empty()) {
            from = words.front();
            to = words.back();
            via = words.size() > 2;
        }
        bool lost = false;
        const std::string routeColumn = columnName(cols, M::Route);
        in_.from = airport(from, cols.has(M::From) ? columnName(cols, M::From) : routeColumn, lost);
        in_.to = airport(to, cols.has(M::To) ? columnName(cols, M::To) : routeColumn, lost);
        std::string remarks = std::string(cell(cols, M::Remarks));
        if (via || lost) {
            std::string full;
            for (std::string_view part :
                 {trim(cell(cols, M::From)), trim(route), trim(cell(cols, M::To))})
                if (!part.empty()) full += (full.empty() ? "" : " ") + std::string(part);
            if (!cols.has(M::From) && !cols.has(M::To)) full = std::string(trim(route));
            report_.add("routes From and To cannot hold kept in the remarks",
                        "line " + std::to_string(line) + ": " + quoted(full));
            remarks += std::string(remarks.empty() ? "" : " ") + "Route: " + full;
        }
        in_.remarks = text(remarks, 1000, columnName(cols, M::Remarks));
        if (in_.remarks.find_first_of("\r\n") != std::string::npos)
            in_.remarks = logbook::storedLineBreaks(in_.remarks);
        if (in_.remarks.size() > 100) {
            report_.add("texts cut to their field's width",
                        place(columnName(cols, M::Remarks)) + ": " +
                            quoted(records::cp1252ToUtf8(in_.remarks)) + " stored as " +
                            quoted(records::cp1252ToUtf8(in_.remarks.substr(0, 100))));
            in_.remarks.resize(100);
        }
    }

    // Approach lines.
    float approachSum = 0;
    bool anyPacked = false;
    for (int i = 0; i < 4; ++i) {
        if (cols.has(M::AppType) || cols.at(M::AppType, i) >= 0) {
            const int c = cols.at(M::AppType, i);
            if (c >= 0) {
                const std::string_view t = cell(cols, M::AppType, i);
                in_.appType[i] = text(t, 10, cols.names[static_cast<std::size_t>(c)]);
                if (cols.at(M::AppCount, i) < 0 && !trim(t).empty()) in_.appCount[i] = "1";
            }
        }
    }
    std::array<std::optional<float>, 4> counts{};
    for (int i = 0; i < 4; ++i) {
        counts[i] = number(cols, M::AppCount, i, fail);
        if (fail) return fail;
    }
    for (int i = 0; i < kMaxIndex; ++i) {
        const int c = cols.at(M::PackedApproach, i);
        if (c < 0) continue;
        const std::string_view v = trim(cell(cols, M::PackedApproach, i));
        if (v.empty()) continue;
        anyPacked = true;
        std::vector<std::string_view> parts;
        for (std::size_t p = 0;;) {
            const std::size_t semi = v.find(';', p);
            parts.push_back(trim(v.substr(p, semi == std::string_view::npos ? semi : semi - p)));
            if (semi == std::string_view::npos) break;
            p = semi + 1;
        }
        const std::string& column = cols.names[static_cast<std::size_t>(c)];
        const auto n = readNumber(parts[0], '.');
        if (!n || *n < 0 || *n > 32767) {
            return Failure{line, "column " + quoted(column) + ": " + quoted(v) +
                                     " is no approach (count;type;runway;airport;comments)"};
        }
        approachSum += static_cast<float>(std::nearbyint(*n));
        bool extra = false;
        for (std::size_t k = 2; k < parts.size(); ++k) extra |= !parts[k].empty();
        if (i >= 4) {
            report_.add(
                "approach lines beyond the fourth not carried (their count is in Approaches)",
                place(column) + ": " + quoted(v));
            continue;
        }
        if (extra)
            report_.add("approach runways, airports and comments not carried",
                        place(column) + ": " + quoted(v));
        counts[i] = static_cast<float>(std::nearbyint(*n));
        if (parts.size() > 1 && !parts[1].empty()) in_.appType[i] = text(parts[1], 10, column);
    }
    if (cols.has(M::ApproachNames)) {
        // "2-ILS-RWY16R@KPAE 1-VOR/DME": count, type, then runway and airport.
        const std::string_view v = cell(cols, M::ApproachNames);
        const std::string column = columnName(cols, M::ApproachNames);
        int k = 0;
        for (std::size_t p = 0; p < v.size();) {
            const std::size_t end = v.find_first_of(" ,;\t", p);
            const std::string_view w = v.substr(p, end == std::string_view::npos ? end : end - p);
            p = end == std::string_view::npos ? v.size() : end + 1;
            if (w.empty()) continue;
            const std::size_t dash = w.find('-');
            const auto n =
                dash == std::string_view::npos ? std::nullopt : readNumber(w.substr(0, dash), '.');
            if (!n || *n < 0 || *n > 32767 || k >= 4) {
                report_.add(k >= 4 ? "approach lines beyond the fourth not carried"
                                   : "approach descriptions not carried",
                            place(column) + ": " + quoted(w));
                continue;
            }
            std::string_view type = w.substr(dash + 1);
            const std::size_t more = std::min(type.find("-RWY"), type.find('@'));
            if (more != std::string_view::npos) {
                report_.add("approach runways, airports and comments not carried",
                            place(column) + ": " + quoted(w));
                type = type.substr(0, more);
            }
            counts[k] = static_cast<float>(std::nearbyint(*n));
            if (!type.empty()) in_.appType[k] = text(type, 10, column);
            ++k;
        }
    }

    // Category options and land/sea boxes.
    {
        CatClass kind = CatClass::None;
        std::string said;
        bool exact = true;
        const std::string_view cc =
            plane ? std::string_view(plane->catClass) : cell(cols, M::CategoryClass);
        const std::string_view cat =
            plane ? std::string_view(plane->category) : cell(cols, M::Category);
        const std::string_view cls = plane ? std::string_view(plane->cls) : cell(cols, M::Class);
        if (!trim(cc).empty()) {
            said = std::string(trim(cc));
            kind = catClassNamed(cc, &exact);
        } else if (!trim(cat).empty() || !trim(cls).empty()) {
            said = std::string(trim(cat)) + (trim(cat).empty() || trim(cls).empty() ? "" : " ") +
                   std::string(trim(cls));
            kind = catClassNamed(cls, &exact);
            if (kind == CatClass::None || kind == CatClass::Other)
                kind = catClassNamed(said, &exact);
            if (kind == CatClass::Other) kind = catClassNamed(cat, &exact);
        }
        const std::string column =
            plane ? "Category/Class"
                  : columnName(cols, cols.has(M::CategoryClass) ? M::CategoryClass : M::Class);
        if (kind == CatClass::Other)
            report_.add("categories the logbook has no option for not carried",
                        place(column) + ": " + quoted(said));
        else if (!exact)
            report_.add("categories stored as the logbook's wider option",
                        place(column) + ": " + quoted(said));
        in_.catSingle = kind == CatClass::ASEL || kind == CatClass::ASES;
        in_.seLand = kind == CatClass::ASEL;
        in_.seSea = kind == CatClass::ASES;
        in_.catMulti = kind == CatClass::AMEL || kind == CatClass::AMES;
        in_.meLand = kind == CatClass::AMEL;
        in_.meSea = kind == CatClass::AMES;
        in_.catRotor = kind == CatClass::Rotor;
        in_.catAirship = kind == CatClass::Airship;
        in_.catGlider = kind == CatClass::Glider;
        struct Flag {
            M meaning;
            bool FlightInput::*box;
        };
        static constexpr Flag kFlags[] = {
            {M::CatSingle, &FlightInput::catSingle}, {M::SELand, &FlightInput::seLand},
            {M::SESea, &FlightInput::seSea},         {M::CatMulti, &FlightInput::catMulti},
            {M::MELand, &FlightInput::meLand},       {M::MESea, &FlightInput::meSea},
            {M::CatRotor, &FlightInput::catRotor},   {M::CatAirship, &FlightInput::catAirship},
            {M::CatGlider, &FlightInput::catGlider}};
        for (const Flag& f : kFlags) {
            if (!cols.has(f.meaning)) continue;
            const std::string_view v = trim(cell(cols, f.meaning));
            const auto b = boxValue(v);
            if (!b)
                return Failure{line, "column " + quoted(columnName(cols, f.meaning)) + ": " +
                                         quoted(v) + " is none of -1, 0, 1, true, false, yes, no"};
            in_.*f.box = *b;
        }
    }

    const auto conv = logbook::convertFlight(in_);
    if (!conv.flight) return Failure{line, "a value does not convert"};
    LogRecord r = *conv.flight;

    struct Number {
        M meaning;
        float LogRecord::*field;
    };
    static constexpr Number kNumbers[] = {{M::Total, &LogRecord::Total},
                                          {M::InCommand, &LogRecord::InCommand},
                                          {M::SIC, &LogRecord::SIC},
                                          {M::Night, &LogRecord::Night},
                                          {M::Day, &LogRecord::Day},
                                          {M::XCountry, &LogRecord::XCountry},
                                          {M::Instrument, &LogRecord::Instrument},
                                          {M::SimInstrument, &LogRecord::SimInstrument},
                                          {M::Simulator, &LogRecord::Simulator},
                                          {M::Dual, &LogRecord::Dual},
                                          {M::CFI, &LogRecord::CFI},
                                          {M::CFII, &LogRecord::CFII},
                                          {M::Ground, &LogRecord::Ground},
                                          {M::InstrApp, &LogRecord::InstrApp},
                                          {M::NightLandings, &LogRecord::NightLand}};
    for (const Number& n : kNumbers) {
        const auto v = number(cols, n.meaning, 0, fail);
        if (fail) return fail;
        if (v) r.*n.field = *v;
    }
    if (anyPacked && (!cols.has(M::InstrApp) || trim(cell(cols, M::InstrApp)).empty()))
        r.InstrApp = approachSum;
    std::int16_t LogRecord::*const countFields[] = {&LogRecord::AppCount1, &LogRecord::AppCount2,
                                                    &LogRecord::AppCount3, &LogRecord::AppCount4};
    for (int i = 0; i < 4; ++i) {
        if (counts[i])
            r.*countFields[i] = static_cast<std::int16_t>(*counts[i]);
        else if (!in_.appCount[i].empty())
            r.*countFields[i] = 1;
    }

    // Landings: the logbook's are every day landing, and the night ones to
    // a full stop.
    std::optional<float> day = number(cols, M::DayLandings, 0, fail);
    if (fail) return fail;
    const auto all = number(cols, M::AllLandings, 0, fail);
    if (fail) return fail;
    const auto dayFull = number(cols, M::DayFullStop, 0, fail);
    if (fail) return fail;
    const auto dayTouch = number(cols, M::DayTouchAndGo, 0, fail);
    if (fail) return fail;
    const auto nightTouch = number(cols, M::NightTouchAndGo, 0, fail);
    if (fail) return fail;
    if (nightTouch && *nightTouch != 0)
        report_.add("night touch-and-goes counted as day landings (night landings are full stops)",
                    place(columnName(cols, M::NightTouchAndGo)) + ": " +
                        quoted(cell(cols, M::NightTouchAndGo)));
    if (!day && all) {
        day = *all - r.NightLand;
        if (*day < 0) {
            report_.add("landings fewer than the night landings: day landings stored as 0",
                        place(columnName(cols, M::AllLandings)) + ": " +
                            quoted(cell(cols, M::AllLandings)));
            day = 0.0f;
        }
    } else if (!day && (dayFull || dayTouch || nightTouch)) {
        day = dayFull.value_or(0) + dayTouch.value_or(0) + nightTouch.value_or(0);
    }
    if (day) r.Landings = *day;

    const auto enc = r.encode();
    out.append(reinterpret_cast<const char*>(enc.data()), enc.size());
    return std::nullopt;
}

}  // namespace convert::importing
