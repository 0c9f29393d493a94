// The net analyzer noise factor of the window's analyzer fields: the one
// place where the noise field's form and the external preamplifier meet.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

// The noise factor (linear) of the analyzer chain for the analyzer noise
// NOISE in the form the option buttons choose, behind the external
// preamplifier of noise figure PA_NF_DB and gain PA_GAIN_DB while "Ext PA" is
// ticked.
double net_analyzer_factor(const Calculator& calc, double noise, double pa_nf_db,
                           double pa_gain_db);

}  // namespace orlavex
