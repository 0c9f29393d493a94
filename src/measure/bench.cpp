#include "measure/bench.h"

#include "measure/image_sideband.h"
#include "measure/known_reflections.h"
#include "measure/units.h"
#include "measure/y_factor.h"

#include <cmath>
#include <sstream>
#include <string_view>

namespace orlavex::measure {

LossCompensation loss_compensation(const MeasurementSetup& s) {
    return {lin(s.loss_in.loss_db), lin(s.loss_out.loss_db), s.loss_in.temperature_k,
            s.loss_out.temperature_k};
}

SourceAtInput source_through_loss(double enr_lin, double tc_k, double loss_lin, double t_loss_k) {
    // Kept apart so that a bench without loss gives the source's own numbers
    // to the last bit.
    if (loss_lin == 1) return {enr_lin, tc_k};
    const double hot = through_loss_k(hot_temperature_k(enr_lin), loss_lin, t_loss_k);
    return {hot / T0 - 1, through_loss_k(tc_k, loss_lin, t_loss_k)};
}

EquivalentSetup equivalent_setup(const MeasurementSetup& s) {
    const LossCompensation bench = loss_compensation(s);
    const SourceAtInput at_input =
        source_through_loss(lin(s.enr_meas_db), s.tc_k, bench.loss_in, bench.t_in_k);
    EquivalentSetup e;
    e.tc_k = at_input.tc_k;
    e.analyzer_nf_db =
        db(1 + second_stage_excess(lin(s.analyzer_nf_db), bench.loss_out, bench.t_out_k));
    e.valid = at_input.enr_lin > 0 && std::isfinite(e.analyzer_nf_db);
    e.enr_db = e.valid ? db(at_input.enr_lin) : std::nan("");
    return e;
}

namespace {

std::string problem(std::string_view what, double value, std::string_view unit,
                    std::string_view rule) {
    std::ostringstream out;
    out << what << " " << value;
    if (!unit.empty()) out << " " << unit;
    out << ": " << rule;
    return out.str();
}

std::string loss_problem(const BenchLoss& loss, std::string_view where) {
    const std::string name = "loss " + std::string(where) + " the DUT";
    if (!(std::isfinite(loss.loss_db) && loss.loss_db >= 0))
        return problem(name, loss.loss_db, "dB", "a loss is 0 dB or more (a gain is not a loss)");
    if (!(std::isfinite(loss.temperature_k) && loss.temperature_k >= 0))
        return problem("physical temperature of the " + name, loss.temperature_k, "K",
                       "a temperature is finite and 0 K or more");
    if (!(std::isfinite(loss.unc_db) && loss.unc_db >= 0))
        return problem("uncertainty of the " + name, loss.unc_db, "dB",
                       "an uncertainty is finite and 0 dB or more");
    return {};
}

}  // namespace

std::string bench_problem(const MeasurementSetup& s) {
    for (const auto& [loss, where] : {std::pair{&s.loss_in, "before"}, {&s.loss_out, "after"}}) {
        std::string p = loss_problem(*loss, where);
        if (!p.empty()) return p;
    }
    if (std::string p = image_problem(s); !p.empty()) return p;
    if (std::string p = reflections_problem(s); !p.empty()) return p;
    if (!s.meas_source.separate) return {};
    const MeasurementSource& m = s.meas_source;
    if (!(std::isfinite(m.enr_unc_db) && m.enr_unc_db >= 0))
        return problem("ENR uncertainty of the measurement noise source", m.enr_unc_db, "dB",
                       "an uncertainty is finite and 0 dB or more");
    if (!(std::isfinite(m.gamma) && m.gamma >= 0 && m.gamma < 1))
        return problem("reflection of the measurement noise source", m.gamma, "",
                       "a passive source reflects between 0 and 1");
    if (!std::isfinite(s.enr_meas_db))
        return problem("ENR of the measurement noise source", s.enr_meas_db, "dB",
                       "an ENR is a finite number");
    return {};
}

}  // namespace orlavex::measure
