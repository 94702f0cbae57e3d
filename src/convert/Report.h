// What changed on the way into or out of the logbook, by kind of change:
// how often, and the first few places.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace convert {

class Report {
  public:
    // One change of the given kind (a sentence fragment such as "US airport
    // codes stored as their FAA identifiers") at a place ("line 12, column
    // \"From\": \"KPAO\" stored as \"PAO\"").
    void add(std::string_view kind, std::string place);
    bool empty() const { return kinds_.empty(); }
    // One line per kind: `kind (N): place; place; place; ...`.
    std::vector<std::string> lines() const;

  private:
    struct Kind {
        std::string name;
        std::size_t count = 0;
        std::vector<std::string> places;
    };
    std::vector<Kind> kinds_;
};

// `"text"` with the text as it is.
std::string quoted(std::string_view text);

}  // namespace convert
