#include "records/Clock.h"

#include <ctime>

#include "records/DateText.h"

namespace records {
namespace {
std::optional<std::int64_t> gToday;
}

std::int64_t today() {
    if (gToday) return *gToday;
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

void setTodayForTesting(std::optional<std::int64_t> days) { gToday = days; }

}  // namespace records
