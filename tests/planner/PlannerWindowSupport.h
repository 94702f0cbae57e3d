// Helpers for the planner's window tests: plan files built byte by byte.
#pragma once

#include <QLabel>
#include <QString>
#include <string>
#include <vector>

#include "Bytes.h"
#include "WindowTest.h"
#include "planner/PlanRecord.h"
#include "shell/Forms.h"
#include "shell/modLog.h"

namespace plannertest {

inline std::vector<std::uint8_t> bytesOf(const planner::PlanRecord& r) {
    const auto a = r.encode();
    return {a.begin(), a.end()};
}

// Writes records (record 1 first) as the whole file and makes it the plan.
inline QString makePlan(const QString& name, const std::vector<planner::PlanRecord>& recs) {
    std::vector<std::uint8_t> bytes;
    for (const auto& r : recs) {
        const auto b = bytesOf(r);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    testsupport::writeFileBytes(name.toStdString(), bytes);
    modLog::PlanPath = name;
    return name;
}

inline planner::PlanRecord fileRecord(const QString& path, std::size_t n) {
    const auto b = testsupport::readFileBytes(path.toStdString());
    const std::size_t off = (n - 1) * planner::PlanRecord::Size;
    if (off >= b.size()) return {};
    return planner::PlanRecord::decode(std::span<const std::uint8_t>(b).subspan(off));
}

inline planner::PlanRecord checkpointNamed(const std::string& name) {
    planner::PlanRecord r;
    r.CheckName.assign(name);
    r.NavIdent.assign("BOS");
    r.CheckFuelRem.assign(name.substr(0, 3));
    return r;
}

using testsupport::Shown;
using testsupport::whenShown;

using testsupport::nextTabStop;

inline QString pad(const QString& s, int width) { return s.leftJustified(width, ' ', true); }

}  // namespace plannertest
