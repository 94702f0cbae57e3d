// RFC 4180 comma-separated values: fields with a comma, a quote or a line
// break are quoted, quotes inside doubled; rows end in CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace convert {

// Appends one field, quoted when it has to be.
void appendCsvField(std::string& out, std::string_view field, char separator = ',');
// Appends a whole row (fields separated by separator, CR LF at the end).
void appendCsvRow(std::string& out, const std::vector<std::string>& fields, char separator = ',');

// Reads rows one at a time from a whole text. Accepts CR LF, LF or CR line
// ends and a UTF-8 byte order mark at the start.
class CsvReader {
  public:
    // separator: ',', ';' or a tab.
    explicit CsvReader(std::string_view text, char separator = ',');
    // The next row into fields; false at the end of the text or on an error
    // (then error() says what, and line() where).
    bool next(std::vector<std::string>& fields);
    // The line on which the row last read starts (counting from 1).
    std::size_t line() const { return rowLine_; }
    const std::string& error() const { return error_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lineNo_ = 1;
    std::size_t rowLine_ = 0;
    std::string error_;
    char sep_;
};

}  // namespace convert
