#include "measure/guidelines.h"

namespace orlavex::measure {

std::array<double, 3> guideline_margins_db(double dut_nf_db, double dut_gain_db,
                                           double analyzer_nf_db, double enr_eff_db) {
    return {
        dut_nf_db + dut_gain_db - analyzer_nf_db,
        enr_eff_db - dut_nf_db,
        enr_eff_db - analyzer_nf_db,
    };
}

}  // namespace orlavex::measure
