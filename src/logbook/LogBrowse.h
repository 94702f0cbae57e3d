// The abbreviated logbook: one fixed-column line of text per flight,
// in ascending order of the lines compared without regard to letter case.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/LogRecord.h"
#include "records/Fields.h"

namespace logbook {

// The columns of a line, left to right: the list's line, the headings above
// it and the printed table all come from here. A text column is its field's
// bytes at full width; a number column is the field's list form (a blank or
// minus sign, then the number), so the columns after it move with its width.
struct BrowseColumn {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const char* heading;
    std::size_t blanksBefore;  // the run of blanks between the column before and this one
    std::size_t offset;        // the field in the record
    std::size_t width;         // a text field's width; 0 for a number
    std::size_t plusOffset;    // a number that is the sum of two fields: the second one
    // How wide the column is on the common line of a pilot in command that
    // the headings stand over (one-digit counts, no night and no dual time:
    // " 2", " 4", " 1.2", " 0", " 0", " 1.2", " 1.2").
    std::size_t commonWidth;
    constexpr bool number() const { return width == 0; }
};

inline constexpr std::array<BrowseColumn, 11> kBrowseColumns = {{
    {"Date", 0, LogRecord::Offset::Date, 15, BrowseColumn::kNone, 15},
    {"Aircraft Ident", 8, LogRecord::Offset::Ident, 10, BrowseColumn::kNone, 10},
    {"From", 6, LogRecord::Offset::From, 3, BrowseColumn::kNone, 3},
    {"To", 13, LogRecord::Offset::To, 3, BrowseColumn::kNone, 3},
    {"Instr. App.", 13, LogRecord::Offset::InstrApp, 0, BrowseColumn::kNone, 2},
    {"Landings", 17, LogRecord::Offset::Landings, 0, LogRecord::Offset::NightLand, 2},
    {"Day", 15, LogRecord::Offset::Day, 0, BrowseColumn::kNone, 4},
    {"Night", 12, LogRecord::Offset::Night, 0, BrowseColumn::kNone, 2},
    {"Dual", 13, LogRecord::Offset::Dual, 0, BrowseColumn::kNone, 2},
    {"PIC", 13, LogRecord::Offset::InCommand, 0, BrowseColumn::kNone, 4},
    {"Total Time", 13, LogRecord::Offset::Total, 0, BrowseColumn::kNone, 4},
}};

// The character of a common line where column i's heading begins: over the
// first character of a text, over the digits of a number (after its sign).
constexpr std::size_t browseHeadingColumn(std::size_t i) {
    std::size_t at = 0;
    for (std::size_t c = 0; c < i; ++c)
        at += kBrowseColumns[c].blanksBefore + kBrowseColumns[c].commonWidth;
    at += kBrowseColumns[i].blanksBefore;
    return kBrowseColumns[i].number() ? at + 1 : at;
}

// The line of one flight (Windows-1252 bytes): the columns above joined by
// their runs of blanks. NUL bytes of a damaged field show as blanks so the
// line keeps its columns.
std::string browseLine(records::ConstByteSpan flight);

// Case-insensitive order of two lines (Windows-1252 letters fold to lower
// case); lines equal but for case fall back to their bytes, so the order is
// total and the same on every run.
bool browseLess(std::string_view a, std::string_view b);

// Every flight of a logbook in the list's order, holding only what its line
// shows: a line is made when it is asked for (a list shows a few dozen of
// 32766). Empty when the logbook cannot be read.
class BrowseLines {
  public:
    std::size_t size() const { return flights_.size(); }
    bool empty() const { return flights_.empty(); }
    // The line of the flight at i.
    std::string operator[](std::size_t i) const;
    // Its columns as the printed table shows them: the texts trimmed, the
    // numbers without their leading blank.
    std::array<std::string, kBrowseColumns.size()> cells(std::size_t i) const;
    // The length of the longest line.
    std::size_t longest() const { return longest_; }
    std::vector<std::string> toVector() const;

    // What a line shows of its flight: the text columns' bytes (NULs as
    // blanks) one after another, and the number columns' values.
    struct Flight {
        char text[31];
        std::array<float, 7> numbers;
    };

  private:
    friend BrowseLines browseLines(const std::string& path);
    std::vector<Flight> flights_;  // in the list's order
    std::size_t longest_ = 0;
};
BrowseLines browseLines(const std::string& path);

// One flight's line and its printed columns, in the list's order.
struct BrowseRow {
    std::string line;
    std::array<std::string, kBrowseColumns.size()> cells;
};
std::vector<BrowseRow> browseRows(const std::string& path);

}  // namespace logbook
