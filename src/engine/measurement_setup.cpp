#include "engine/measurement_setup.h"

#include "engine/classic_reading.h"

namespace orlavex {

measure::MeasurementSetup measurement_setup(const Calculator& calc) {
    const CalcState& s = calc.state;
    core::ClassicResult last;
    last.used = read_classic_setup(calc);
    last.gamma = {s.DUT_InGamma, s.DUT_OutGamma, s.SA_InGamma, s.NS_Gamma};
    last.toff_k = s.ToffK;
    last.figures.nf_sa_net_db = calc.figures.nf_sa_net_db;
    return core::model_setup(last);
}

}  // namespace orlavex
