#include "convert/Csv.h"

namespace convert {
namespace {

// The characters that end an unquoted field, or have no place in one.
struct StopTable {
    bool stop[256] = {};
    constexpr StopTable() {
        stop[static_cast<unsigned char>(',')] = true;
        stop[static_cast<unsigned char>('"')] = true;
        stop[static_cast<unsigned char>('\r')] = true;
        stop[static_cast<unsigned char>('\n')] = true;
    }
};
constexpr StopTable kStops;

bool isStop(char c) { return kStops.stop[static_cast<unsigned char>(c)]; }

}  // namespace

void appendCsvField(std::string& out, std::string_view field, char separator) {
    bool plain = true;
    for (char c : field) {
        if (isStop(c) || c == separator) {
            plain = false;
            break;
        }
    }
    if (plain) {
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

void appendCsvRow(std::string& out, const std::vector<std::string>& fields, char separator) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += separator;
        appendCsvField(out, fields[i], separator);
    }
    out += "\r\n";
}

CsvReader::CsvReader(std::string_view text, char separator) : text_(text), sep_(separator) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool CsvReader::next(std::vector<std::string>& fields) {
    // The strings of the previous row are reused: no allocation per field.
    std::size_t count = 0;
    const auto nextField = [&]() -> std::string& {
        if (count == fields.size()) fields.emplace_back();
        std::string& f = fields[count++];
        f.clear();
        return f;
    };
    if (pos_ >= text_.size() || !error_.empty()) {
        fields.clear();
        return false;
    }
    rowLine_ = lineNo_;
    const auto endOfLine = [&] {
        // CR LF, LF or CR: one line end.
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++lineNo_;
    };
    while (true) {
        std::string& field = nextField();
        if (pos_ < text_.size() && text_[pos_] == '"') {
            ++pos_;
            while (true) {
                // Everything up to the next quote belongs to the field.
                const std::size_t quote = text_.find('"', pos_);
                const std::size_t end = quote == std::string_view::npos ? text_.size() : quote;
                for (std::size_t i = pos_; i < end; ++i)
                    if (text_[i] == '\n' ||
                        (text_[i] == '\r' && !(i + 1 < end && text_[i + 1] == '\n')))
                        ++lineNo_;
                field.append(text_.substr(pos_, end - pos_));
                pos_ = end;
                if (pos_ >= text_.size()) {
                    error_ = "a quoted field is not closed";
                    return false;
                }
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (pos_ < text_.size() && text_[pos_] != sep_ && text_[pos_] != '\r' &&
                text_[pos_] != '\n') {
                error_ = std::string(
                             "text follows the closing quote of a field (a quote inside a "
                             "quoted field is written twice; fields are separated by ") +
                         (sep_ == '\t'  ? "tabs"
                          : sep_ == ';' ? "\";\""
                                        : "\",\"") +
                         ")";
                return false;
            }
        } else {
            const std::size_t start = pos_;
            if (sep_ == ',') {
                while (pos_ < text_.size() && !isStop(text_[pos_])) ++pos_;
            } else {
                while (pos_ < text_.size() && !isStop(text_[pos_]) && text_[pos_] != sep_) ++pos_;
                // A comma is text when the fields are separated otherwise.
                while (pos_ < text_.size() && text_[pos_] == ',') {
                    ++pos_;
                    while (pos_ < text_.size() && !isStop(text_[pos_]) && text_[pos_] != sep_)
                        ++pos_;
                }
            }
            if (pos_ < text_.size() && text_[pos_] == '"') {
                error_ = "a quote inside a field that is not quoted";
                return false;
            }
            field.assign(text_.substr(start, pos_ - start));
        }
        if (pos_ >= text_.size()) {
            fields.resize(count);
            return true;
        }
        if (text_[pos_] == sep_) {
            ++pos_;
            continue;
        }
        endOfLine();
        fields.resize(count);
        return true;
    }
}

}  // namespace convert
