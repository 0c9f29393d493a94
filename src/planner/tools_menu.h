// The calculator window's "Tools" menu, with "Planner..." (Ctrl+P), which
// opens the planner window with the calculator's set-up. The menu needs Qt
// Widgets only: what opens the planner is handed in, so that the calculator
// can load the planner's library when it is first asked for.
#pragma once

#include "planner/calculator_source.h"

#include <functional>

class QMainWindow;
class QMenu;
class QWidget;

namespace orlavex::planner {

// Opens the planner of WINDOW (made on first use, shown again after that),
// planning for CALCULATOR.
using PlannerOpener = std::function<void(QMainWindow& window, const CalculatorSource& calculator)>;

// Adds the menu to WINDOW's menu bar in front of "Help" (at the end when
// there is none); "Planner..." calls OPEN. The planner window belongs to
// WINDOW and closes with it.
QMenu* add_tools_menu(QMainWindow& window, CalculatorSource calculator, PlannerOpener open);

// The planner window WINDOW's menu has opened, or nullptr.
QWidget* planner_widget_of(const QMainWindow& window);

}  // namespace orlavex::planner
