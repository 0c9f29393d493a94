// The stages of Do_Calc that show what the classic core computed. Private to
// the engine. Each stage writes its figures to the form when the run shows
// them, and sets the locks and the visibility that follow from them.
#pragma once

#include "core/classic.h"
#include "engine/calculator.h"

#include <string>

namespace orlavex {

// One recalculation: the core's result and how much of it is written.
struct Run {
    // False for a recalculation that keeps the figures and the entry fields'
    // values but writes no result text.
    bool showing = true;
    // The invalid set-up blanked the four level fields ("- - -").
    bool levels_blanked = false;
    core::ClassicResult result;
};

std::string fmt(const Calculator& calc, double x, const char* format);

// Writes the state back into the entry fields (Update_text_boxes) when the
// run shows; otherwise does what Update_text_boxes does besides the texts.
void write_back_fields(Calculator& calc, const Run& run);

// The prediction from the DUT's noise figure and gain; false on an invalid
// set-up (which has then taken the error end).
bool show_prediction(Calculator& calc, Run& run);
// The manual evaluation of the four levels; false when it ended in an error.
bool show_manual_evaluation(Calculator& calc, Run& run);

void show_guidelines(Calculator& calc, const Run& run);
// Greys the lamps: the figures always, the texts and colours when the run shows.
void blank_guidelines(Calculator& calc, const Run& run);

// Blanks the manual results and shows the headline result.
void error_end(Calculator& calc, const Run& run);

}  // namespace orlavex
