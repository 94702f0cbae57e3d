// Today's date, from the one clock the program reads. Tests set it.
#pragma once

#include <cstdint>
#include <optional>

namespace records {

// Today as days since 1970-01-01 in local time.
std::int64_t today();
// Fixes today's date for tests; nullopt returns to the system clock.
void setTodayForTesting(std::optional<std::int64_t> days);

}  // namespace records
