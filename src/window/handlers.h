// The event handlers of the main window, named control_event as the window
// raises them. Each acts on the window model only.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

// A calculator whose controls run their click handlers when code changes
// their values; Form_Load has not run yet.
Calculator make_calculator();

// Start-up of the main window.
void Form_Load(Calculator& calc);

// Modes and result display.
void mnu2ndStage_Click(Calculator& calc);
void mnuRes_Click(Calculator& calc, int index);

// Do_Calc, once Form_Load has finished: handlers that Form_Load runs for
// their layout must not recalculate before the window is ready.
void recalculate_when_ready(Calculator& calc);

// Frequency conversion.
void chkFreqConv_Click(Calculator& calc);

// Analyzer and noise source menus.
void fill_SA_menus(Calculator& calc);
void fill_NS_menus(Calculator& calc);

// Runs the click handler of CONTROL, if it has one (index for an indexed
// menu array); false when it has none.
bool run_click_handler(Calculator& calc, Ctl control);

}  // namespace orlavex
