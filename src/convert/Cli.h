// The aerokit-convert command line: export, import, dump and restore.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "records/DateText.h"

namespace convert {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kBadData = 1;   // a file is missing, unreadable, no such file, or in the way
constexpr int kBadUsage = 2;  // the command line is wrong

// Runs one command line (args without the program name); "-" stands for
// in or out. Messages go to err, each naming the file it is about.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

// Reads a whole file, or in for "-". Only regular files are opened: a
// folder, a FIFO or a device is refused before any read; error says why.
std::optional<std::string> readInput(const std::string& path, std::istream& in, std::string& error);

// The date order of a locale name ("en_US.UTF-8", "de_DE", "C") or of
// "mdy", "dmy", "ymd"; nullopt when the name is no locale name.
std::optional<records::DateOrder> dateOrderOfLocale(const std::string& name);

}  // namespace convert
