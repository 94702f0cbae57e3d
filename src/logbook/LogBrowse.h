// The abbreviated logbook: one fixed-column line of text per flight,
// in ascending order of the lines compared without regard to letter case.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/Fields.h"

namespace logbook {

// The line of one flight (Windows-1252 bytes): the full-width Date, Ident,
// From and To texts and seven number texts, joined by fixed runs of blanks.
// NUL bytes of a damaged field show as blanks so the line keeps its columns.
std::string browseLine(records::ConstByteSpan flight);

// Case-insensitive order of two lines (Windows-1252 letters fold to lower
// case); lines equal but for case fall back to their bytes, so the order is
// total and the same on every run.
bool browseLess(std::string_view a, std::string_view b);

// The sorted lines of every flight, held in one buffer (a logbook of 32766
// flights makes no 32766 separate strings); empty when the logbook cannot
// be read.
class BrowseLines {
  public:
    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_).substr(spans_[i].first, spans_[i].second);
    }
    std::vector<std::string> toVector() const;

  private:
    friend BrowseLines browseLines(const std::string& path);
    std::string text_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans_;  // offset, length, in order
};
BrowseLines browseLines(const std::string& path);

// One flight's columns as the printed table shows them, in the list's order:
// Date, Ident, From, To (trimmed), Instr. App., Landings, Day, Night, Dual,
// PIC, Total Time (number texts without the leading blank).
struct BrowseRow {
    std::string line;
    std::array<std::string, 11> cells;
};
std::vector<BrowseRow> browseRows(const std::string& path);

}  // namespace logbook
