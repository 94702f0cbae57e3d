#include "convert/Csv.h"

namespace convert {

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendCsvRow(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        appendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

CsvReader::CsvReader(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool CsvReader::next(std::vector<std::string>& fields) {
    fields.clear();
    if (pos_ >= text_.size() || !error_.empty()) return false;
    rowLine_ = lineNo_;
    std::string field;
    const auto endOfLine = [&] {
        // CR LF, LF or CR: one line end.
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++lineNo_;
    };
    while (true) {
        field.clear();
        if (pos_ < text_.size() && text_[pos_] == '"') {
            ++pos_;
            while (true) {
                if (pos_ >= text_.size()) {
                    error_ = "a quoted field is not closed";
                    return false;
                }
                const char c = text_[pos_];
                if (c == '"') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                        field += '"';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                if (c == '\n' ||
                    (c == '\r' && !(pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')))
                    ++lineNo_;
                field += c;
                ++pos_;
            }
            if (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' &&
                text_[pos_] != '\n') {
                error_ = "text follows the closing quote of a field";
                return false;
            }
        } else {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' &&
                   text_[pos_] != '\n') {
                if (text_[pos_] == '"') {
                    error_ = "a quote inside a field that is not quoted";
                    return false;
                }
                ++pos_;
            }
            field.assign(text_.substr(start, pos_ - start));
        }
        fields.push_back(std::move(field));
        if (pos_ >= text_.size()) return true;
        if (text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        endOfLine();
        return true;
    }
}

}  // namespace convert
