#include "convert/Dump.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "convert/Json.h"
#include "convert/Text.h"
#include "records/CodePage.h"

namespace convert {
namespace {

std::uint32_t floatBits(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0]) | (static_cast<std::uint32_t>(u[1]) << 8) |
           (static_cast<std::uint32_t>(u[2]) << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}

void appendField(std::string& out, const FieldInfo& f, const char* rec) {
    switch (f.kind) {
        case FieldKind::Text: {
            const std::string_view raw(rec + f.offset, f.width);
            if (raw.find_first_not_of('\0') == std::string_view::npos)
                out += "null";
            else
                appendJsonString(out, records::cp1252ToUtf8(raw));
            break;
        }
        case FieldKind::Int16:
        case FieldKind::Bool16: {
            const auto* u = reinterpret_cast<const unsigned char*>(rec + f.offset);
            out += std::to_string(static_cast<std::int16_t>(u[0] | (u[1] << 8)));
            break;
        }
        case FieldKind::Float32: {
            const std::uint32_t bits = floatBits(rec + f.offset);
            const float v = std::bit_cast<float>(bits);
            if (std::isfinite(v) && bits != 0x80000000u) {
                appendShortest(out, v);
            } else {
                char buf[16];
                std::snprintf(buf, sizeof buf, "\"0x%08x\"", static_cast<unsigned>(bits));
                out += buf;
            }
            break;
        }
    }
}

std::string quoted(std::string_view name) {
    std::string s;
    appendJsonString(s, name);
    return s;
}

// One field's value from JSON into its bytes; "" or what is wrong.
std::string putField(const FieldInfo& f, const JsonValue& v, char* rec) {
    switch (f.kind) {
        case FieldKind::Text: {
            if (v.kind == JsonValue::Kind::Null) {
                std::memset(rec + f.offset, 0, f.width);
                return "";
            }
            if (v.kind != JsonValue::Kind::String) return "is no string";
            const std::string bytes = records::utf8ToCp1252(v.text);
            if (records::cp1252ToUtf8(bytes) != v.text)
                return "holds characters outside Windows-1252";
            if (bytes.size() > f.width)
                return "is " + std::to_string(bytes.size()) + " characters long; the field holds " +
                       std::to_string(f.width);
            std::memcpy(rec + f.offset, bytes.data(), bytes.size());
            std::memset(rec + f.offset + bytes.size(), ' ', f.width - bytes.size());
            return "";
        }
        case FieldKind::Int16:
        case FieldKind::Bool16: {
            const auto n = v.kind == JsonValue::Kind::Number ? readInt16(v.text) : std::nullopt;
            if (!n) return "is no whole number from -32768 to 32767";
            const auto u = static_cast<std::uint16_t>(*n);
            rec[f.offset] = static_cast<char>(u & 0xFF);
            rec[f.offset + 1] = static_cast<char>(u >> 8);
            return "";
        }
        case FieldKind::Float32: {
            std::uint32_t bits = 0;
            if (v.kind == JsonValue::Kind::Number) {
                const auto x = readShortest(v.text);
                if (!x) return "is no single-precision number";
                bits = std::bit_cast<std::uint32_t>(*x);
            } else if (v.kind == JsonValue::Kind::String && v.text.size() == 10 &&
                       v.text.starts_with("0x")) {
                const auto b = fromHex(v.text.substr(2));
                if (!b) return "is no bit pattern of 8 hexadecimal digits";
                for (unsigned char c : *b) bits = (bits << 8) | c;
            } else {
                return "is no number and no bit pattern \"0x\" + 8 hexadecimal digits";
            }
            for (int i = 0; i < 4; ++i)
                rec[f.offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
            return "";
        }
    }
    return "";
}

}  // namespace

std::string dumpJson(std::string_view bytes, FileType type) {
    const Layout& l = layoutOf(type);
    const std::size_t count = bytes.size() / l.recordLength;
    std::string out;
    out.reserve(64 + count * l.recordLength * 3);
    out += "{\n  \"type\": ";
    appendJsonString(out, l.name);
    out += ",\n  \"recordLength\": " + std::to_string(l.recordLength) + ",\n  \"records\": [";
    std::vector<std::string> names;
    for (const FieldInfo& f : l.fields) names.push_back("      " + quoted(f.name) + ": ");
    for (std::size_t r = 0; r < count; ++r) {
        out += r ? ",\n    {\n" : "\n    {\n";
        const char* rec = bytes.data() + r * l.recordLength;
        for (std::size_t i = 0; i < l.fields.size(); ++i) {
            out += names[i];
            appendField(out, l.fields[i], rec);
            out += i + 1 < l.fields.size() ? ",\n" : "\n";
        }
        out += "    }";
    }
    out += count ? "\n  ]" : "]";
    const std::string_view rest = bytes.substr(count * l.recordLength);
    if (!rest.empty()) {
        out += ",\n  \"trailing\": ";
        appendJsonString(out, toHex(rest));
    }
    out += "\n}\n";
    return out;
}

RestoreResult restoreJson(std::string_view json) {
    RestoreResult res;
    std::string error;
    std::size_t line = 0;
    const auto doc = parseJson(json, error, line);
    if (!doc) {
        res.error = "line " + std::to_string(line) + ": " + error;
        return res;
    }
    if (doc->kind != JsonValue::Kind::Object) {
        res.error = "the JSON is no object";
        return res;
    }
    const JsonValue* type = doc->find("type");
    const auto ft =
        type && type->kind == JsonValue::Kind::String ? fileTypeNamed(type->text) : std::nullopt;
    if (!ft) {
        res.error = "\"type\" must be \"log\", \"plan\" or \"aircraft\"";
        return res;
    }
    const Layout& l = layoutOf(*ft);
    for (const auto& [name, value] : doc->members) {
        if (name != "type" && name != "recordLength" && name != "records" && name != "trailing") {
            res.error = "unknown member " + quoted(name);
            return res;
        }
    }
    if (const JsonValue* len = doc->find("recordLength");
        len &&
        (len->kind != JsonValue::Kind::Number || len->text != std::to_string(l.recordLength))) {
        res.error =
            "\"recordLength\" must be " + std::to_string(l.recordLength) + " for " + quoted(l.name);
        return res;
    }
    const JsonValue* recs = doc->find("records");
    if (!recs || recs->kind != JsonValue::Kind::Array) {
        res.error = "\"records\" must be an array";
        return res;
    }
    std::string out(recs->items.size() * l.recordLength, '\0');
    for (std::size_t r = 0; r < recs->items.size(); ++r) {
        const JsonValue& rec = recs->items[r];
        const std::string where = "record " + std::to_string(r + 1);
        if (rec.kind != JsonValue::Kind::Object) {
            res.error = where + " is no object";
            return res;
        }
        for (const auto& [name, value] : rec.members) {
            if (!l.find(name)) {
                res.error = where + ": no field " + quoted(name) + " in a " + std::string(l.name) +
                            " record";
                return res;
            }
        }
        for (const FieldInfo& f : l.fields) {
            const JsonValue* v = rec.find(f.name);
            if (!v) {
                res.error = where + ": field " + quoted(f.name) + " is missing";
                return res;
            }
            const std::string bad = putField(f, *v, out.data() + r * l.recordLength);
            if (!bad.empty()) {
                res.error = where + ": field " + quoted(f.name) + " " + bad;
                return res;
            }
        }
    }
    if (const JsonValue* t = doc->find("trailing")) {
        const auto b = t->kind == JsonValue::Kind::String ? fromHex(t->text) : std::nullopt;
        if (!b || b->size() >= l.recordLength) {
            res.error = "\"trailing\" must be the hexadecimal bytes of less than one record";
            return res;
        }
        out += *b;
    }
    res.bytes = std::move(out);
    return res;
}

}  // namespace convert
