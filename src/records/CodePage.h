// The Windows-1252 code page in both directions. Record text is stored in it;
// windows work in Unicode (UTF-8 std::string at this boundary).
#pragma once

#include <string>
#include <string_view>

namespace records {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. Characters outside the code page, and
// malformed UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);

// Appends one Unicode code point to `out` as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

}  // namespace records
