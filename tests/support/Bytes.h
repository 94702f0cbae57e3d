// Byte helpers for file-level tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

std::vector<std::uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace testsupport
