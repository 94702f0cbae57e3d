// A small JSON reader and the string escaping the writers use. Numbers are
// kept as their text, so the caller converts them exactly to its own type.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace convert {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    std::string text;                 // a number's text, or a string's UTF-8 value
    std::vector<JsonValue> items;     // an array
    std::vector<JsonMember> members;  // an object, in order

    // The member of that name, or null when there is none.
    const JsonValue* find(std::string_view name) const;
};

struct JsonMember {
    std::string first;  // the name
    JsonValue second;
};

// Parses a whole text; nullopt with error (and the line) when it is no JSON.
std::optional<JsonValue> parseJson(std::string_view text, std::string& error, std::size_t& line);

// Appends s as a JSON string, quotes included. s is UTF-8; control
// characters, quotes and backslashes are escaped.
void appendJsonString(std::string& out, std::string_view s);

}  // namespace convert
