// Opening the planner window from the calculator's Tools menu: in the
// program through the planner's library (see planner_module.h), in the
// tests directly.
#pragma once

#include "planner/calculator_source.h"

class QMainWindow;

namespace orlavex::planner {

class PlannerWindow;

// Makes WINDOW's planner on first use and places it beside WINDOW; a
// planner closed since starts afresh from the calculator. Shows and raises it.
void open_planner(QMainWindow& window, const CalculatorSource& calculator);

// The planner window open_planner has made for WINDOW, or nullptr.
PlannerWindow* planner_of(const QMainWindow& window);

}  // namespace orlavex::planner
