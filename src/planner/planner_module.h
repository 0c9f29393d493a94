// The planner window and all it needs (Qt Charts, the sweeps, the charts'
// drawing) live in a library of their own that the calculator loads when
// the planner is first opened, so that the calculator starts without them.
#pragma once

#include "planner/tools_menu.h"

#include <QString>
#include <QStringList>

class QMainWindow;

namespace orlavex::planner {

// The library's entry point: open_planner (planner_opening.h) across the
// library's border.
using PlannerEntryPoint = void (*)(QMainWindow* window, const CalculatorSource* calculator);
inline constexpr char planner_entry_point_name[] = "orlavex_open_planner";

// Where the program looks for the library, in order: beside the program (the
// build tree), then in the library directory it is installed to.
QStringList planner_module_directories();

// Loads the library from the first of DIRECTORIES that holds it. The entry
// point, or nothing with the reason in WHY.
PlannerEntryPoint load_planner_module(const QStringList& directories, QString& why);

// An opener for add_tools_menu that loads the library from DIRECTORIES the
// first time it opens the planner, and says in a message box when it cannot.
PlannerOpener open_from_module(QStringList directories);

}  // namespace orlavex::planner
