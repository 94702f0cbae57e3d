// Creating a file that must not exist yet, all or nothing.
#pragma once

#include <string>
#include <string_view>

#include "records/FileResult.h"

namespace records {

// Writes content to a private temporary file beside path (the program's one
// kind, from createTemporaryFile, so a crash leftover is cleaned up like any
// other), flushed and synced, and moves it into place only if path still does
// not exist. Never replaces an existing file (Exists); on failure nothing is
// left behind.
Status createNewFile(const std::string& path, std::string_view content);

}  // namespace records
