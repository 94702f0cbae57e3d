// One flight from one row of another program's file: the row's cells by
// meaning, converted to the logbook's fields, each change reported.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/Formats.h"
#include "convert/Report.h"
#include "logbook/Logbook.h"

namespace convert::importing {

using M = Meaning;
using logbook::FlightInput;

constexpr int kMaxIndex = 6;  // approach lines a table may name

std::string_view trim(std::string_view s);
bool sameText(std::string_view a, std::string_view b);
bool isNumberMeaning(M m);

struct Failure {
    std::size_t line;
    std::string what;
};

// The columns of one header row, matched to the table.
struct Columns {
    // slot[meaning][index]: the file's column, or -1.
    std::array<std::array<int, kMaxIndex>, kMeaningCount> slot{};
    std::vector<std::string> names;
    std::vector<bool> carried;  // false: a column the logbook has no field for
    Columns() {
        for (auto& s : slot) s.fill(-1);
    }
    int at(M m, int index = 0) const { return slot[static_cast<std::size_t>(m)][index]; }
    bool has(M m) const { return at(m) >= 0; }
};

// One ForeFlight aircraft: its cells by meaning.
struct Aircraft {
    std::string make, code, catClass, category, cls;
};

class Builder {
  public:
    Builder(const Format& f, char decimal, Report& report)
        : format_(f), decimal_(decimal), report_(report) {
        blank_.appType.fill("Select Type");
    }

    const std::map<std::string, Aircraft>* aircraft = nullptr;

    std::optional<Failure> build(const std::vector<std::string>& row, const Columns& cols,
                                 std::size_t line, std::string& out);

  private:
    std::string_view cell(const Columns& cols, M m, int index = 0) const {
        const int c = cols.at(m, index);
        if (c < 0 || static_cast<std::size_t>(c) >= row_->size()) return {};
        return (*row_)[static_cast<std::size_t>(c)];
    }
    std::string columnName(const Columns& cols, M m, int index = 0) const {
        const int c = cols.at(m, index);
        return c < 0 ? std::string(m == M::Make ? "Model" : "?")
                     : cols.names[static_cast<std::size_t>(c)];
    }
    std::string place(std::string_view column) const {
        return "line " + std::to_string(line_) + ", column " + quoted(column);
    }

    // UTF-8 text to Windows-1252, cut to width; each change reported.
    std::string text(std::string_view v, std::size_t width, std::string_view column);
    std::optional<float> number(const Columns& cols, M m, int index, std::optional<Failure>& fail);
    std::string airport(std::string_view code, std::string_view column, bool& lost);
    // Aerokit's own file keeps leading blanks: they are part of the field.
    std::string_view tidy(std::string_view v) const {
        return format_.id == FormatId::Aerokit ? v : trim(v);
    }

    const Format& format_;
    char decimal_;
    Report& report_;
    FlightInput blank_, in_;
    const std::vector<std::string>* row_ = nullptr;
    std::size_t line_ = 0;
};

}  // namespace convert::importing
