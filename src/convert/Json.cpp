#include "convert/Json.h"

#include "records/CodePage.h"

namespace convert {
namespace {

class Parser {
  public:
    explicit Parser(std::string_view t) : t_(t) {}

    bool parse(JsonValue& v) {
        skipSpace();
        if (!value(v, 0)) return false;
        skipSpace();
        if (p_ != t_.size()) return fail("text after the end of the JSON value");
        return true;
    }
    std::string error;
    std::size_t line = 1;

  private:
    bool fail(const char* what) {
        if (error.empty()) error = what;
        return false;
    }
    void skipSpace() {
        while (p_ < t_.size() &&
               (t_[p_] == ' ' || t_[p_] == '\t' || t_[p_] == '\n' || t_[p_] == '\r')) {
            if (t_[p_] == '\n') ++line;
            ++p_;
        }
    }
    bool literal(std::string_view word) {
        if (t_.substr(p_, word.size()) != word) return fail("unexpected characters");
        p_ += word.size();
        return true;
    }
    bool value(JsonValue& v, int depth) {
        if (depth > 64) return fail("values nested too deeply");
        if (p_ >= t_.size()) return fail("unexpected end of the text");
        const char c = t_[p_];
        if (c == '{') return object(v, depth);
        if (c == '[') return array(v, depth);
        if (c == '"') {
            v.kind = JsonValue::Kind::String;
            return string(v.text);
        }
        if (c == 't' || c == 'f') {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = c == 't';
            return literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            v.kind = JsonValue::Kind::Null;
            return literal("null");
        }
        return number(v);
    }
    bool number(JsonValue& v) {
        const std::size_t start = p_;
        auto digits = [&] {
            const std::size_t s = p_;
            while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9') ++p_;
            return p_ > s;
        };
        if (p_ < t_.size() && t_[p_] == '-') ++p_;
        if (!digits()) return fail("unexpected characters");
        if (p_ < t_.size() && t_[p_] == '.') {
            ++p_;
            if (!digits()) return fail("a number ends in a decimal point");
        }
        if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
            ++p_;
            if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-')) ++p_;
            if (!digits()) return fail("a number has an empty exponent");
        }
        v.kind = JsonValue::Kind::Number;
        v.text.assign(t_.substr(start, p_ - start));
        return true;
    }
    bool hex4(char32_t& cp) {
        if (p_ + 4 > t_.size()) return fail("a \\u escape is cut short");
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = t_[p_++];
            cp <<= 4;
            if (h >= '0' && h <= '9')
                cp |= static_cast<char32_t>(h - '0');
            else if (h >= 'a' && h <= 'f')
                cp |= static_cast<char32_t>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                cp |= static_cast<char32_t>(h - 'A' + 10);
            else
                return fail("a \\u escape holds no hexadecimal number");
        }
        return true;
    }
    bool string(std::string& out) {
        ++p_;  // the opening quote
        out.clear();
        while (true) {
            if (p_ >= t_.size()) return fail("a string is not closed");
            const char c = t_[p_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (p_ >= t_.size()) return fail("a string is not closed");
            const char e = t_[p_++];
            switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    char32_t cp = 0;
                    if (!hex4(cp)) return false;
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        char32_t lo = 0;
                        if (t_.substr(p_, 2) != "\\u") return fail("a lone surrogate in a string");
                        p_ += 2;
                        if (!hex4(lo)) return false;
                        if (lo < 0xDC00 || lo > 0xDFFF) return fail("a lone surrogate in a string");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        return fail("a lone surrogate in a string");
                    }
                    records::appendUtf8(out, cp);
                    break;
                }
                default:
                    return fail("an unknown escape in a string");
            }
        }
    }
    bool array(JsonValue& v, int depth) {
        v.kind = JsonValue::Kind::Array;
        ++p_;
        skipSpace();
        if (p_ < t_.size() && t_[p_] == ']') {
            ++p_;
            return true;
        }
        while (true) {
            skipSpace();
            v.items.emplace_back();
            if (!value(v.items.back(), depth + 1)) return false;
            skipSpace();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            if (p_ < t_.size() && t_[p_] == ']') {
                ++p_;
                return true;
            }
            return fail("expected , or ] in an array");
        }
    }
    bool object(JsonValue& v, int depth) {
        v.kind = JsonValue::Kind::Object;
        ++p_;
        skipSpace();
        if (p_ < t_.size() && t_[p_] == '}') {
            ++p_;
            return true;
        }
        while (true) {
            skipSpace();
            if (p_ >= t_.size() || t_[p_] != '"')
                return fail("expected a member name in an object");
            std::string name;
            if (!string(name)) return false;
            skipSpace();
            if (p_ >= t_.size() || t_[p_] != ':') return fail("expected : after a member name");
            ++p_;
            skipSpace();
            v.members.push_back(JsonMember{std::move(name), JsonValue{}});
            if (!value(v.members.back().second, depth + 1)) return false;
            skipSpace();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            if (p_ < t_.size() && t_[p_] == '}') {
                ++p_;
                return true;
            }
            return fail("expected , or } in an object");
        }
    }

    std::string_view t_;
    std::size_t p_ = 0;
};

}  // namespace

const JsonValue* JsonValue::find(std::string_view name) const {
    for (const auto& m : members)
        if (m.first == name) return &m.second;
    return nullptr;
}

std::optional<JsonValue> parseJson(std::string_view text, std::string& error, std::size_t& line) {
    Parser p(text);
    JsonValue v;
    if (!p.parse(v)) {
        error = p.error;
        line = p.line;
        return std::nullopt;
    }
    return v;
}

void appendJsonString(std::string& out, std::string_view s) {
    static const char* const hex = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const auto u = static_cast<unsigned char>(c);
        // C1 controls (U+0080..U+009F, UTF-8 C2 80..C2 9F) are invisible: escape them.
        if (u == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) < 0xA0 &&
            static_cast<unsigned char>(s[i + 1]) >= 0x80) {
            const auto n = static_cast<unsigned char>(s[++i]);
            out += "\\u00";
            out += hex[n >> 4];
            out += hex[n & 15];
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace convert
