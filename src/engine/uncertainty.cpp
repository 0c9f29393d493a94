#include "engine/measurement_setup.h"
#include "engine/number_text.h"
#include "engine/recalc_stages.h"
#include "measure/classic_uncertainty.h"

namespace orlavex {

void compute_uncertainty(Calculator& calc, const Run& run) {
    CalcState& s = calc.state;
    const measure::ClassicUncertainty result =
        measure::classic_uncertainty(measurement_setup(calc), run.F_sa);

    s.NF_Bias = result.bias_db;
    s.NF_Unc = result.rss_db.value_or(no_uncertainty);
    // A passive DUT cannot have a noise figure below its loss (as the fields
    // show them).
    if (s.DUT_Gain < 0 && round_to(s.DUT_NF, 2) < round_to(-s.DUT_Gain, 2)) {
        s.NF_Unc = no_uncertainty;
    }
}

}  // namespace orlavex
