#include "charts/sweep_chart_data.h"

#include "measure/guidelines.h"

namespace orlavex::charts {

namespace {

int severity(Lamp lamp) {
    switch (lamp) {
        case Lamp::green:
            return 0;
        case Lamp::grey:
            return 1;
        case Lamp::yellow:
            return 2;
        case Lamp::red:
            return 3;
    }
    return 1;
}

}  // namespace

std::optional<double> headroom_db(const ChartPoint& point, std::size_t rule) {
    const std::optional<double>& margin = point.margin_db.at(rule);
    if (!margin) return std::nullopt;
    return measure::guideline_headroom_db(rule, *margin);
}

Lamp worst_lamp(const ChartPoint& point) {
    Lamp worst = Lamp::green;
    for (Lamp lamp : point.lamp)
        if (severity(lamp) > severity(worst)) worst = lamp;
    return worst;
}

}  // namespace orlavex::charts
