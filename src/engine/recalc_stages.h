// The stages of Do_Calc and the working values they hand on. Private to the
// engine. Each stage computes its figures, then, when the run shows them,
// writes them to the form through a function of its own.
#pragma once

#include "engine/calculator.h"

#include <string>

namespace orlavex {

// Working values of one recalculation.
struct Run {
    // False for a recalculation that keeps the figures and the entry fields'
    // values but writes no result text.
    bool showing = true;
    // The invalid set-up blanked the four level fields ("- - -").
    bool levels_blanked = false;
    double ENR_eff = 0;    // dB, ENR corrected for the actual off temperature
    double Pon = 0;        // dB over kT0B
    double Ton = 0;        // K
    double ToffF = 0;      // degrees F
    double F_sa = 1;       // analyzer chain noise factor
    double NF_sa_net = 0;  // dB
    double Ycal_dB = 0;
    double Ymeas_dB = 0;
    double F_sys = 1;   // DUT plus analyzer noise factor
    double NF_sys = 0;  // dB
};

std::string fmt(const Calculator& calc, double x, const char* format);

// Writes the state back into the entry fields (Update_text_boxes) when the
// run shows; otherwise does what Update_text_boxes does besides the texts.
void write_back_fields(Calculator& calc, const Run& run);

// Prediction from the DUT's noise figure and gain; false on an invalid set-up
// (which has then taken the error end).
bool predict(Calculator& calc, Run& run);
// Manual evaluation of the four levels; false when it ended in an error.
bool evaluate_manual_levels(Calculator& calc, Run& run);

void rate_guidelines(Calculator& calc, const Run& run);
// Greys the lamps: the figures always, the texts and colours when the run shows.
void blank_guidelines(Calculator& calc, const Run& run);
void compute_uncertainty(Calculator& calc, const Run& run);

// Blanks the manual results and shows the headline result.
void error_end(Calculator& calc, const Run& run);

}  // namespace orlavex
