// The printed load sheet of the weight-and-balance window: the loading in a
// table, the results beside the aircraft's limits and, for a full
// calculation, the CG chart below them.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "shell/PrintPage.h"
#include "wandb/LoadChart.h"

namespace wandb {

struct LoadSheet {
    enum class State {
        Calculated,     // the loading is the one the last calculation read
        NotCalculated,  // no calculation was made for this loading
        ChangedSince,   // the loading changed after the last calculation
    };
    State state = State::NotCalculated;
    QString ident, make;
    struct Row {
        QString station, load, weight, arm, moment;  // moment only when calculated
    };
    std::vector<Row> rows;  // the empty aircraft, then each station the aircraft has
    Row takeoff;            // the totals; only when calculated
    QString zeroFuelWeight, zeroFuelCG, takeoffWeight, takeoffCG;  // only when calculated
    QString maxWeight, fwdLimit, aftLimit;
    // The chart's figures; drawn only on a calculated sheet.
    std::optional<ChartFigures> chart;
};

PrintPage::Page loadSheetPage(const LoadSheet& sheet);

}  // namespace wandb
