// Helpers for the planner's window tests: plan files built byte by byte and
// modal windows answered while they are shown.
#pragma once

#include <QLabel>
#include <QString>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
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

// Whether a whenShown action ran; the test checks it after showing the
// window, so a window that never opened fails instead of skipping its checks.
class Shown {
  public:
    bool ran() const { return *ran_; }

  private:
    template <class T>
    friend Shown whenShown(std::function<void(T*)> act);
    std::shared_ptr<bool> ran_ = std::make_shared<bool>(false);
};

// Runs act on window T once the event loop of its modal showing runs. When
// a check in act fails, the window is hidden so its loop ends and the failure
// is reported at once.
template <class T>
[[nodiscard]] Shown whenShown(std::function<void(T*)> act) {
    Shown shown;
    QTimer::singleShot(0, [act, ran = shown.ran_] {
        if (!Forms::isLoaded<T>()) return;
        *ran = true;
        act(Forms::get<T>());
        if (QTest::currentTestFailed() && Forms::isLoaded<T>()) Forms::get<T>()->hide();
    });
    return shown;
}

using testsupport::nextTabStop;

inline QString pad(const QString& s, int width) { return s.leftJustified(width, ' ', true); }

}  // namespace plannertest
