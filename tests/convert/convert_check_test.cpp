// aerokit-convert check and repair: every kind of file, clean and with its
// inconsistencies planted, and the repaired copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"
#include "TempDir.h"
#include "convert/Check.h"
#include "convert/Cli.h"
#include "convert/Layouts.h"
#include "logbook/Logbook.h"

namespace {

using convert::FileType;

// Files built field by field through the record layouts.
struct File {
    FileType type;
    std::size_t len;
    std::string bytes;

    explicit File(FileType t, std::size_t records)
        : type(t),
          len(convert::layoutOf(t).recordLength),
          bytes(convert::layoutOf(t).recordLength * records, '\0') {}
    records::ByteSpan rec(std::int64_t n) {
        return {reinterpret_cast<records::Byte*>(bytes.data()) + (n - 1) * len, len};
    }
    std::size_t at(const char* field) const { return convert::layoutOf(type).find(field)->offset; }
    // Padded with spaces, as the program stores a text.
    File& text(std::int64_t n, const char* field, const std::string& s) {
        const auto* f = convert::layoutOf(type).find(field);
        std::string padded = s;
        padded.resize(f->width, ' ');
        std::copy(padded.begin(), padded.end(),
                  rec(n).begin() + static_cast<std::ptrdiff_t>(f->offset));
        return *this;
    }
    File& int16(std::int64_t n, const char* field, std::int16_t v) {
        records::putInt16(rec(n), at(field), v);
        return *this;
    }
    File& single(std::int64_t n, const char* field, float v) {
        records::putFloat(rec(n), at(field), v);
        return *this;
    }
};

struct Outcome {
    int status = 0;
    std::string out, err;
};
Outcome convertCmd(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = convert::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

void put(const std::string& path, const std::string& s) {
    testsupport::writeFileBytes(path, std::vector<std::uint8_t>(s.begin(), s.end()));
}

std::vector<std::string> places(const std::vector<convert::Finding>& fs) {
    std::vector<std::string> p;
    for (const auto& f : fs) p.push_back(std::to_string(f.record) + ":" + f.field);
    std::sort(p.begin(), p.end());
    return p;
}

}  // namespace

TEST(ConvertCheck, EveryKindOfFileCleanDamagedAndRepaired) {
    testsupport::TempDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    File log(FileType::Logbook, 3);
    log.int16(1, "LastRecord", 3).text(2, "Date", "3/15/98").text(3, "Date", "15 Mar 98");
    File badLog = log;
    badLog.int16(1, "LastRecord", 9).single(2, "Total", nan).text(3, "Date", "soon");
    badLog.text(3, "Remarks", "caf\x81");
    badLog.bytes.append(100, ' ');  // a flight cut short

    File plan(FileType::Plan, 3);
    plan.int16(1, "IsVFR", -1).int16(1, "LastCheckpoint", 1).text(2, "CheckName", "Lake");
    plan.text(3, "CheckName", "Tower");
    File badPlan = plan;
    badPlan.int16(1, "IsIFR", 3).int16(1, "LastCheckpoint", 5).text(2, "CheckName", "\x9D");
    badPlan.text(2, "Route", "V23");  // plan text in a checkpoint record

    File personal(FileType::Plan, 1);
    personal.text(1, "PilotName", "A. Pilot").text(1, "HomeBase", "KPAE");
    File badPersonal = personal;
    badPersonal.int16(1, "IsVFR", -1);
    badPersonal.bytes.append(10, 'x');

    File plane(FileType::Aircraft, 1);
    plane.text(1, "Ident", "N123").single(1, "EmptyWeight", 1500).single(1, "OilArm", -1.5f);
    File badPlane = plane;
    badPlane.single(1, "EmptyWeight", std::numeric_limits<float>::infinity());
    badPlane.text(1, "Make", "\x8F");

    const struct Case {
        const char* name;
        const File& clean;
        const File& bad;
        std::vector<std::string> found;  // record:field of each finding
        std::vector<std::string> left;   // what a repair cannot mend
    } cases[] = {
        {"x.log",
         log,
         badLog,
         {"1:LastRecord", "2:Total", "3:Date", "3:Remarks", "4:"},
         {"3:Date"}},
        {"x.flt",
         plan,
         badPlan,
         {"1:IsIFR", "1:IsVFR, IsIFR, IsDVFR", "1:LastCheckpoint", "2:", "2:CheckName"},
         {"1:IsVFR, IsIFR, IsDVFR"}},
        {"Personal.nfo", personal, badPersonal, {"0:", "1:"}, {}},
        {"x.pln", plane, badPlane, {"1:EmptyWeight", "1:Make"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all("copy");
        put(c.name, c.clean.bytes);
        const Outcome clean = convertCmd({"check", c.name});
        EXPECT_EQ(clean.status, 0);
        EXPECT_EQ(clean.out, std::string(c.name) + ": no inconsistencies found\n");

        put(c.name, c.bad.bytes);
        const Outcome bad = convertCmd({"check", c.name});
        EXPECT_EQ(bad.status, 1);
        const convert::FileKind kind{c.clean.type, std::string(c.name) == "Personal.nfo"};
        const auto findings = convert::checkBytes(c.bad.bytes, kind);
        EXPECT_EQ(places(findings), c.found);
        for (const auto& f : findings)
            EXPECT_NE(bad.out.find(std::string(c.name) + ": " + convert::describeFinding(f) + "\n"),
                      std::string::npos)
                << bad.out;

        // The copy: each change said, only the unrepairable left, the
        // original untouched, and never written over an existing file.
        const Outcome fixed = convertCmd({"repair", c.name, "copy"});
        EXPECT_EQ(fixed.status, 0) << fixed.err;
        const auto copy = testsupport::readFileBytes("copy");
        const std::string repaired(copy.begin(), copy.end());
        EXPECT_EQ(places(convert::checkBytes(repaired, kind)), c.left);
        EXPECT_EQ(static_cast<std::size_t>(std::count(fixed.out.begin(), fixed.out.end(), '\n')),
                  findings.size())
            << fixed.out;
        EXPECT_EQ(testsupport::readFileBytes(c.name),
                  std::vector<std::uint8_t>(c.bad.bytes.begin(), c.bad.bytes.end()));
        EXPECT_EQ(convertCmd({"repair", c.name, c.name}).status, 1);
        EXPECT_EQ(convertCmd({"repair", c.name, "copy"}).status, 1);
    }
    // The repaired logbook keeps its whole flights and counts them.
    put("r.log", badLog.bytes);
    ASSERT_EQ(convertCmd({"repair", "r.log", "fixed.log"}).status, 0);
    EXPECT_TRUE(logbook::checkLogbook("fixed.log").consistent());
    EXPECT_EQ(logbook::dateList("fixed.log"), (std::vector<std::string>{"3/15/98", "soon"}));
    // Appending to a damaged logbook says what is wrong, then counts every
    // whole flight and the new ones.
    put("clean.log", log.bytes);
    ASSERT_EQ(convertCmd({"export", "clean.log", "-o", "two.csv"}).status, 0);
    File cut = log;
    cut.int16(1, "LastRecord", 9);
    put("cut.log", cut.bytes);
    const Outcome appended = convertCmd({"import", "two.csv", "cut.log", "--append"});
    EXPECT_EQ(appended.status, 0);
    EXPECT_NE(appended.err.find("cut.log: This logbook says it holds 8 flights, but only 2"),
              std::string::npos)
        << appended.err;
    EXPECT_TRUE(logbook::checkLogbook("cut.log").consistent());
    EXPECT_EQ(logbook::dateList("cut.log").size(), 4u);
    EXPECT_EQ(convertCmd({"check", "r.log", "--type", "boat"}).status, 2);
    EXPECT_EQ(convertCmd({"check", "missing.log"}).status, 1);
}
