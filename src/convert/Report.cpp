#include "convert/Report.h"

namespace convert {
namespace {
constexpr std::size_t kPlacesShown = 3;
}

void Report::add(std::string_view kind, std::string place) {
    Kind* k = nullptr;
    for (Kind& existing : kinds_)
        if (existing.name == kind) k = &existing;
    if (!k) {
        kinds_.push_back(Kind{std::string(kind), 0, {}});
        k = &kinds_.back();
    }
    ++k->count;
    if (k->places.size() < kPlacesShown) k->places.push_back(std::move(place));
}

std::vector<std::string> Report::lines() const {
    std::vector<std::string> out;
    for (const Kind& k : kinds_) {
        std::string line = k.name + " (" + std::to_string(k.count) + "): ";
        for (std::size_t i = 0; i < k.places.size(); ++i) line += (i ? "; " : "") + k.places[i];
        if (k.count > k.places.size()) line += "; ...";
        out.push_back(std::move(line));
    }
    return out;
}

std::string quoted(std::string_view text) {
    std::string q;
    q.reserve(text.size() + 2);
    q += '"';
    q.append(text);
    q += '"';
    return q;
}

}  // namespace convert
