#include "planning/bench_setup.h"

#include "catalogue/catalogue.h"
#include "measure/bench.h"
#include "measure/match.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string_view>

namespace orlavex::planning {

namespace {

constexpr double hz_per_ghz = 1e9;

// A loss file must be a 2-port whose S21 shows no gain anywhere.
std::string loss_file_problem(const LossInput& loss, std::string_view where) {
    if (!loss.sparameters) return {};
    std::ostringstream out;
    out << "loss " << where << " the DUT, " << loss.sparameters->name() << ": ";
    if (loss.sparameters->ports() != 2) return out.str() + "a loss is a 2-port (a .s2p file)";
    for (const datafiles::TouchstoneRecord& r : loss.sparameters->records()) {
        if (std::abs(r.s21) > 1) {
            out << "line " << r.line << ": |S21| is " << 20 * std::log10(std::abs(r.s21))
                << " dB, a gain, not a loss";
            return out.str();
        }
    }
    return {};
}

// The ENR, its uncertainty and match of the measurement source at F_GHZ;
// what it does not give is the calibration source's.
void add_measurement_source(const MeasurementSourceInput& m, double f_ghz,
                            measure::MeasurementSetup& s) {
    double enr_db = s.enr_meas_db;
    double unc_db = s.enr_unc_db;
    double gamma = s.gamma_source;
    if (m.table) {
        const datafiles::EnrPoint p = m.table->at(f_ghz * hz_per_ghz);
        enr_db = p.enr_db;
        if (p.enr_unc_db) unc_db = *p.enr_unc_db;
        if (p.reflection) gamma = std::max(p.reflection->on_mag, p.reflection->off_mag);
    } else if (const auto* model = catalogue::find_noise_source(m.model)) {
        enr_db = catalogue::nominal_enr(*model);
        gamma = measure::reflection(catalogue::output_vswr(*model, f_ghz), true);
    } else if (m.enr_db) {
        enr_db = *m.enr_db;
    }
    s.enr_meas_db = enr_db;
    s.meas_source = {true, m.enr_unc_db.value_or(unc_db), m.gamma.value_or(gamma)};
}

measure::BenchLoss loss_at(const LossInput& loss, double f_ghz) {
    const double db =
        loss.sparameters ? loss_from_file_db(*loss.sparameters, f_ghz * hz_per_ghz) : loss.loss_db;
    return {db, loss.temperature_k, loss.unc_db};
}

}  // namespace

double loss_from_file_db(const datafiles::Touchstone& part, double f_hz) {
    // A lossless stretch reads 0 dB, never -0.
    return 0 - part.at(f_hz).gain_db.value_or(0);
}

std::vector<std::string> bench_held_notes(const BenchInput& b, double f_in_ghz, double f_out_ghz) {
    // Named by their part, as a sweep's notes name the DUT's and the ENR
    // table's: a file's name depends on where it was read from.
    std::vector<std::string> notes;
    const auto note = [&notes](std::string_view part, const datafiles::AppliedRecords& applied) {
        if (!applied.in_range()) notes.push_back(std::string(part) + ": " + applied.note());
    };
    if (const auto& part = b.loss_in.sparameters)
        note("loss before the DUT", part->at(f_in_ghz * hz_per_ghz).applied);
    if (const auto& part = b.loss_out.sparameters)
        note("loss after the DUT", part->at(f_out_ghz * hz_per_ghz).applied);
    if (b.meas_source && b.meas_source->table)
        note("measurement source ENR table",
             b.meas_source->table->at(f_in_ghz * hz_per_ghz).applied);
    return notes;
}

std::string bench_input_problem(const BenchInput& b) {
    // The values as the model checks them, then what only the inputs have:
    // the files and the catalogue name.
    measure::MeasurementSetup probe;
    probe.loss_in = {b.loss_in.loss_db, b.loss_in.temperature_k, b.loss_in.unc_db};
    probe.loss_out = {b.loss_out.loss_db, b.loss_out.temperature_k, b.loss_out.unc_db};
    if (b.meas_source) {
        const MeasurementSourceInput& m = *b.meas_source;
        probe.meas_source = {true, m.enr_unc_db.value_or(0), m.gamma.value_or(0)};
        probe.enr_meas_db = m.enr_db.value_or(0);
    }
    if (std::string p = measure::bench_problem(probe); !p.empty()) return p;
    if (std::string p = loss_file_problem(b.loss_in, "before"); !p.empty()) return p;
    if (std::string p = loss_file_problem(b.loss_out, "after"); !p.empty()) return p;
    if (b.meas_source && !b.meas_source->model.empty() &&
        catalogue::find_noise_source(b.meas_source->model) == nullptr)
        return "measurement noise source \"" + b.meas_source->model + "\" is not in the catalogue";
    return {};
}

void add_bench(const BenchInput& b, double f_in_ghz, double f_out_ghz,
               measure::MeasurementSetup& s) {
    s.loss_in = loss_at(b.loss_in, f_in_ghz);
    s.loss_out = loss_at(b.loss_out, f_out_ghz);
    if (b.meas_source) add_measurement_source(*b.meas_source, f_in_ghz, s);
}

}  // namespace orlavex::planning
