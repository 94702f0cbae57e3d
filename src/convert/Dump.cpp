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

records::ConstByteSpan recordAt(std::string_view bytes) {
    return {reinterpret_cast<const records::Byte*>(bytes.data()), bytes.size()};
}

// One field, read through the record's field list, as its JSON value.
void appendField(std::string& out, const FieldInfo& f, records::ConstByteSpan rec) {
    const records::FieldValue value = records::getValue(rec, f);
    switch (f.kind) {
        case FieldKind::Text: {
            const std::string& raw = std::get<std::string>(value);
            if (raw.find_first_not_of('\0') == std::string::npos)
                out += "null";
            else
                appendJsonString(out, records::cp1252ToUtf8(raw));
            break;
        }
        case FieldKind::Int16:
        case FieldKind::Bool16:
            out += std::to_string(std::get<std::int16_t>(value));
            break;
        case FieldKind::Float32: {
            const float v = std::get<float>(value);
            const auto bits = std::bit_cast<std::uint32_t>(v);
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

// One field's value from JSON, stored through the record's field list;
// "" or what is wrong.
std::string putField(const FieldInfo& f, const JsonValue& v, records::ByteSpan rec) {
    switch (f.kind) {
        case FieldKind::Text: {
            if (v.kind == JsonValue::Kind::Null) {
                const std::string nuls(f.width, '\0');
                records::setRaw(rec, f, recordAt(nuls));
                return "";
            }
            if (v.kind != JsonValue::Kind::String) return "is no string";
            const std::string bytes = records::utf8ToCp1252(v.text);
            if (records::cp1252ToUtf8(bytes) != v.text)
                return "holds characters outside Windows-1252";
            if (!records::setValue(rec, f, bytes))
                return "is " + std::to_string(bytes.size()) + " characters long; the field holds " +
                       std::to_string(f.width);
            return "";
        }
        case FieldKind::Int16:
        case FieldKind::Bool16: {
            const auto n = v.kind == JsonValue::Kind::Number ? readInt16(v.text) : std::nullopt;
            if (!n) return "is no whole number from -32768 to 32767";
            records::setValue(rec, f, *n);
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
            records::setValue(rec, f, std::bit_cast<float>(bits));
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
        const auto rec = recordAt(bytes.substr(r * l.recordLength, l.recordLength));
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
            const std::string bad = putField(
                f, *v,
                records::ByteSpan(reinterpret_cast<records::Byte*>(out.data()) + r * l.recordLength,
                                  l.recordLength));
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
