// Shared by the converter's tests: running a command line, files as text,
// and logbooks built as the program builds them.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Bytes.h"
#include "convert/Cli.h"
#include "logbook/Logbook.h"

namespace converttest {

struct Outcome {
    int status = 0;
    std::string out, err;
};

inline Outcome convertCmd(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    Outcome r;
    r.status = convert::run(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::string readText(const std::string& path) {
    const auto b = testsupport::readFileBytes(path);
    return std::string(b.begin(), b.end());
}

inline void writeText(const std::string& path, const std::string& s) {
    testsupport::writeFileBytes(path, std::vector<std::uint8_t>(s.begin(), s.end()));
}

// A logbook as the program writes it: a rating record as the rating window
// saves it, then flights built from typed boxes by the flight entry's rules.
inline std::string logbookOf(const std::vector<logbook::FlightInput>& typed) {
    LogRecord rating;
    logbook::Ratings boxes;
    boxes.privatePilot = boxes.instrument = boxes.single = boxes.seLand = true;
    boxes.otherRatings = "Glider tow";
    boxes.typeRatings[0] = "CE-500";
    logbook::applyRatings(rating, boxes);
    rating.LastRecord = static_cast<std::int16_t>(typed.size() + 1);
    const auto r1 = rating.encode();
    std::string out(reinterpret_cast<const char*>(r1.data()), r1.size());
    for (const auto& in : typed) {
        const auto c = logbook::convertFlight(in);
        EXPECT_TRUE(c.flight.has_value());
        const auto b = c.flight->encode();
        out.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return out;
}

// Flight n (1-based) of a logbook's bytes.
inline LogRecord flightOf(const std::string& log, std::size_t n) {
    return LogRecord::decode(records::ConstByteSpan(
        reinterpret_cast<const records::Byte*>(log.data()) + n * LogRecord::Size, LogRecord::Size));
}

}  // namespace converttest
