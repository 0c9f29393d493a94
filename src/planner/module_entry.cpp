// The planner library's one entry point, which the calculator looks up when
// "Tools > Planner..." is first chosen (see planner_module.h).
#include "planner/planner_module.h"
#include "planner/planner_opening.h"

#include <QMainWindow>

#include <type_traits>

extern "C" Q_DECL_EXPORT void orlavex_open_planner(
    QMainWindow* window, const orlavex::planner::CalculatorSource* calculator) {
    orlavex::planner::open_planner(*window, *calculator);
}

// Checks that the entry point has the type the calculator calls it by.
static_assert(std::is_same_v<decltype(&orlavex_open_planner), orlavex::planner::PlannerEntryPoint>);
