// The calculator window's "Tools" menu, with "Planner..." (Ctrl+P), which
// opens the planner window with the calculator's set-up.
#pragma once

#include "planner/planner_window.h"

class QMainWindow;
class QMenu;

namespace orlavex::planner {

// Adds the menu to WINDOW's menu bar in front of "Help" (at the end when
// there is none). The planner window is made on first use and shown again
// after that; it belongs to WINDOW and closes with it.
QMenu* add_tools_menu(QMainWindow& window, CalculatorSource calculator);

// The planner window WINDOW's menu has opened, or nullptr.
PlannerWindow* planner_of(const QMainWindow& window);

}  // namespace orlavex::planner
