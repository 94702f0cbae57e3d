// Record layouts declared once. A record type lists its fields in one
// X-macro, one line per field in disk order:
//
//     #define MYRECORD_FIELDS(F) F(Ident, 0, Text, 15) F(EmptyWeight, 15, Float32, 4)
//
// and expands it inside its struct with AEROKIT_RECORD_FIELDS(MYRECORD_FIELDS).
// That one list gives the record
//   - a member per field: FixedText<N> for Text, std::int16_t for Int16 and
//     Bool16, float for Float32, all zero (NUL) to begin with;
//   - Rec::Offset::Name, the byte offset of each field (for code that reads a
//     field straight from a record's bytes without decoding the rest);
//   - Rec::kFields, a std::array<FieldInfo> of {name, offset, width, kind};
//   - Rec::eachField(rec, f), calling f(offset, member) in disk order, from
//     which encodeRecord/decodeRecord below are built.
// Each record declares `static constexpr std::size_t Size` and checks
// static_assert(records::tiles(Rec::kFields, Rec::Size)): the fields follow
// each other without gap or overlap and fill the record exactly, and each
// width matches its kind. Adding a field is one line in the list (plus the
// offsets after it, which the check then demands).
//
// At run time a RecordLayout names one kind of record and the fields it
// uses; find() looks a field up by its name, and getValue/setValue,
// getRaw/setRaw read and write one field on a record's bytes whatever its
// kind, bit for bit (text as its raw single-byte characters, int16 as
// stored, float32 by its bits).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "records/Fields.h"

namespace records {

enum class FieldKind {
    Text,     // N single-byte characters, space padded, NUL when never stored
    Int16,    // little-endian two's complement
    Bool16,   // int16, True = -1, False = 0; other values are kept as read
    Float32,  // little-endian IEEE 754 single
};

struct FieldInfo {
    std::string_view name;  // the field's name in the record layout
    std::size_t offset;
    std::size_t width;
    FieldKind kind;
};

// The in-memory type of a field. Only the widths a kind allows exist, so a
// field list naming Int16 with width 4 does not compile.
template <FieldKind K, std::size_t W>
struct FieldTypeOf;
template <std::size_t W>
struct FieldTypeOf<FieldKind::Text, W> {
    using type = FixedText<W>;
};
template <>
struct FieldTypeOf<FieldKind::Int16, 2> {
    using type = std::int16_t;
};
template <>
struct FieldTypeOf<FieldKind::Bool16, 2> {
    using type = std::int16_t;
};
template <>
struct FieldTypeOf<FieldKind::Float32, 4> {
    using type = float;
};
template <FieldKind K, std::size_t W>
using FieldType = typename FieldTypeOf<K, W>::type;

constexpr bool widthFits(FieldKind kind, std::size_t width) {
    switch (kind) {
        case FieldKind::Text:
            return width > 0;
        case FieldKind::Int16:
        case FieldKind::Bool16:
            return width == 2;
        case FieldKind::Float32:
            return width == 4;
    }
    return false;
}

// True when the fields, in order, cover [0, size) exactly: each starts where
// the one before ends, each width suits its kind, the last ends at size.
constexpr bool tiles(std::span<const FieldInfo> fields, std::size_t size) {
    std::size_t next = 0;
    for (const FieldInfo& f : fields) {
        if (f.offset != next || !widthFits(f.kind, f.width)) return false;
        next = f.offset + f.width;
    }
    return next == size;
}

// One kind of record (a logbook's rating record, a plan's checkpoint, ...):
// its name, its length on disk and the fields it uses, in disk order. Bytes
// of the record outside those fields are zero in every file the program
// writes; the layout of the whole record (every field) covers every byte.
struct RecordLayout {
    std::string_view name;
    std::size_t size;
    std::span<const FieldInfo> fields;

    // The field of that name, or nullptr.
    constexpr const FieldInfo* find(std::string_view fieldName) const {
        for (const FieldInfo& f : fields)
            if (f.name == fieldName) return &f;
        return nullptr;
    }
};

// A field's value: text as its raw bytes (all `width` of them, padding and
// NULs included), int16 as stored (Bool16 too), float32 as read.
using FieldValue = std::variant<std::string, std::int16_t, float>;

// The field's bytes in rec, which must be at least offset + width long.
inline ConstByteSpan getRaw(ConstByteSpan rec, const FieldInfo& f) {
    return rec.subspan(f.offset, f.width);
}
// Stores exactly f.width raw bytes; false (rec unchanged) for any other count.
inline bool setRaw(ByteSpan rec, const FieldInfo& f, ConstByteSpan bytes) {
    if (bytes.size() != f.width) return false;
    std::copy(bytes.begin(), bytes.end(), rec.begin() + static_cast<std::ptrdiff_t>(f.offset));
    return true;
}

inline FieldValue getValue(ConstByteSpan rec, const FieldInfo& f) {
    switch (f.kind) {
        case FieldKind::Text: {
            const auto raw = getRaw(rec, f);
            return std::string(raw.begin(), raw.end());
        }
        case FieldKind::Int16:
        case FieldKind::Bool16:
            return getInt16(rec, f.offset);
        case FieldKind::Float32:
            break;
    }
    return getFloat(rec, f.offset);
}

// Stores a value of the field's own kind: text of at most `width` bytes is
// padded with spaces (as a window stores it; pass all `width` bytes to keep
// NULs), an int16 for Int16 and Bool16, a float for Float32. False (rec
// unchanged) when the value does not suit the field.
inline bool setValue(ByteSpan rec, const FieldInfo& f, const FieldValue& value) {
    switch (f.kind) {
        case FieldKind::Text: {
            const auto* text = std::get_if<std::string>(&value);
            if (!text || text->size() > f.width) return false;
            for (std::size_t i = 0; i < f.width; ++i)
                rec[f.offset + i] = static_cast<Byte>(i < text->size() ? (*text)[i] : ' ');
            return true;
        }
        case FieldKind::Int16:
        case FieldKind::Bool16: {
            const auto* v = std::get_if<std::int16_t>(&value);
            if (!v) return false;
            putInt16(rec, f.offset, *v);
            return true;
        }
        case FieldKind::Float32:
            break;
    }
    const auto* v = std::get_if<float>(&value);
    if (!v) return false;
    putFloat(rec, f.offset, *v);
    return true;
}

// Encoding and decoding of one member, by its type.
template <std::size_t N>
void putField(ByteSpan rec, std::size_t off, const FixedText<N>& v) {
    putText(rec, off, v);
}
inline void putField(ByteSpan rec, std::size_t off, std::int16_t v) { putInt16(rec, off, v); }
inline void putField(ByteSpan rec, std::size_t off, float v) { putFloat(rec, off, v); }
template <std::size_t N>
void getField(ConstByteSpan rec, std::size_t off, FixedText<N>& v) {
    v = getText<N>(rec, off);
}
inline void getField(ConstByteSpan rec, std::size_t off, std::int16_t& v) {
    v = getInt16(rec, off);
}
inline void getField(ConstByteSpan rec, std::size_t off, float& v) { v = getFloat(rec, off); }

// The record's Size bytes as stored.
template <class Rec>
std::array<Byte, Rec::Size> encodeRecord(const Rec& r) {
    std::array<Byte, Rec::Size> out{};
    const ByteSpan s(out);
    Rec::eachField(r, [&](std::size_t off, const auto& v) { putField(s, off, v); });
    return out;
}

// Any bytes decode: a shorter span reads as if zero-filled to Size, bytes
// past Size are ignored.
template <class Rec>
Rec decodeRecord(ConstByteSpan bytes) {
    std::array<Byte, Rec::Size> buf{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), Rec::Size), buf.begin());
    const ConstByteSpan s(buf);
    Rec r;
    Rec::eachField(r, [&](std::size_t off, auto& v) { getField(s, off, v); });
    return r;
}

}  // namespace records

// Expansions of a field list; see the top of this file.
#define AEROKIT_FIELD_MEMBER(name, off, kind, width) \
    ::records::FieldType<::records::FieldKind::kind, width> name{};
#define AEROKIT_FIELD_OFFSET(name, off, kind, width) static constexpr std::size_t name = off;
#define AEROKIT_FIELD_INFO(name, off, kind, width) \
    ::records::FieldInfo{#name, off, width, ::records::FieldKind::kind},
#define AEROKIT_FIELD_VISIT(name, off, kind, width) f(std::size_t{off}, r.name);

#define AEROKIT_RECORD_FIELDS(LIST)                                      \
    LIST(AEROKIT_FIELD_MEMBER)                                           \
    struct Offset {                                                      \
        LIST(AEROKIT_FIELD_OFFSET)                                       \
    };                                                                   \
    static constexpr auto kFields =                                      \
        std::to_array<::records::FieldInfo>({LIST(AEROKIT_FIELD_INFO)}); \
    template <class Self, class F>                                       \
    static constexpr void eachField(Self& r, F&& f) {                    \
        LIST(AEROKIT_FIELD_VISIT)                                        \
    }
