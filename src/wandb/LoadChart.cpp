#include "wandb/LoadChart.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace wandb {
namespace {

constexpr std::array<double, 4> kMantissas = {1.0, 2.0, 2.5, 5.0};

// The round steps in increasing order, from the one at or below raw.
struct StepLadder {
    double power;
    std::size_t index = 0;
    explicit StepLadder(double raw) : power(std::pow(10.0, std::floor(std::log10(raw)))) {}
    double value() const { return kMantissas[index] * power; }
    void next() {
        if (++index == kMantissas.size()) {
            index = 0;
            power *= 10.0;
        }
    }
};

}  // namespace

std::vector<double> ChartAxis::ticks() const {
    std::vector<double> t;
    if (!(step > 0)) return t;
    // Whole multiples of the step, so a tick prints as a round number.
    const double first = std::round(lo / step);
    const auto n = static_cast<long long>(std::llround((hi - lo) / step));
    for (long long i = 0; i <= n; ++i) t.push_back((first + static_cast<double>(i)) * step);
    return t;
}

std::optional<ChartAxis> roundAxis(const std::vector<double>& values, int maxTicks) {
    if (values.empty() || maxTicks < 3) return std::nullopt;
    for (double v : values)
        if (!std::isfinite(v)) return std::nullopt;
    const auto [minIt, maxIt] = std::minmax_element(values.begin(), values.end());
    const double lo = *minIt, hi = *maxIt;
    // The margin keeps every figure off the chart's edge; it grows with the
    // magnitude too, so nearly equal figures still get readable ticks.
    const double magnitude = std::max(std::fabs(lo), std::fabs(hi));
    double margin = std::max((hi - lo) * 0.08, magnitude * 0.02);
    if (margin == 0) margin = 1;
    const double from = lo - margin, to = hi + margin;
    if (!std::isfinite(to - from)) return std::nullopt;
    StepLadder step((to - from) / (maxTicks - 1));
    for (;;) {
        const double s = step.value();
        const double a = std::floor(from / s) * s, b = std::ceil(to / s) * s;
        if (std::llround((b - a) / s) + 1 <= maxTicks) return ChartAxis{a, b, s};
        step.next();
    }
}

std::optional<ChartAxes> chartAxes(const ChartFigures& f) {
    const auto cg = roundAxis({f.fwdLimit, f.aftLimit, f.zeroFuelCG, f.takeoffCG});
    const auto weight = roundAxis({f.maxWeight, f.zeroFuelWeight, f.takeoffWeight});
    if (!cg || !weight) return std::nullopt;
    return ChartAxes{*cg, *weight};
}

}  // namespace wandb
