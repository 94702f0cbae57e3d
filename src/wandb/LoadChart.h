// The arithmetic of the load sheet's CG chart: which figures it draws and
// axes with round tick values that hold all of them with room to spare.
#pragma once

#include <optional>
#include <vector>

namespace wandb {

// An axis from lo to hi with a tick every step; lo and hi are ticks.
struct ChartAxis {
    double lo = 0, hi = 0, step = 0;
    std::vector<double> ticks() const;
};

// The smallest round axis (a step of 1, 2, 2.5 or 5 times a power of ten,
// at most maxTicks ticks) that holds every value with a margin on both
// sides. nullopt when there is no value or one is not a finite number.
std::optional<ChartAxis> roundAxis(const std::vector<double>& values, int maxTicks = 8);

// The figures of one calculated loading beside the aircraft's limits:
// weights in pounds, CGs and limits in the aircraft's own units.
struct ChartFigures {
    float fwdLimit = 0, aftLimit = 0, maxWeight = 0;
    float zeroFuelWeight = 0, zeroFuelCG = 0;
    float takeoffWeight = 0, takeoffCG = 0;
};

struct ChartAxes {
    ChartAxis cg;      // across
    ChartAxis weight;  // up
};

// Both axes of the chart; nullopt when a figure is not a finite number, so
// a damaged aircraft file prints no chart instead of a meaningless one.
std::optional<ChartAxes> chartAxes(const ChartFigures& f);

}  // namespace wandb
