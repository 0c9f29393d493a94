#include "app/results/evaluated_enr.h"

#include "core/classic.h"
#include "planning/dut_table_point.h"
#include "planning/enr_table_point.h"

#include <optional>

namespace orlavex::app {

namespace {

constexpr double hz_per_ghz = 1e9;

}  // namespace

std::string typed_enr_refusal(bool enr, bool enr_unc, const datafiles::EnrTable& table,
                              Naming naming) {
    const char* typed = enr ? "enr" : enr_unc && table.has_uncertainty() ? "enr_unc" : nullptr;
    if (typed == nullptr) return {};
    return std::string(name_of(*find_field_input(typed), naming)) +
           ": the ENR table gives it at each frequency; do not give it as well";
}

std::string take_tables(const datafiles::EnrTable* enr_table,
                        const datafiles::Touchstone* dut_sparameters, Resolved& taken,
                        std::vector<std::string>& notes) {
    // The levels' set-up as the calculator holds it, the files' values
    // entered over it as a sweep enters them at a point.
    core::ClassicSession session = taken.session;
    const planning::TableSource source =
        enr_table ? planning::take_table_source(*enr_table, session) : planning::TableSource{};
    if (dut_sparameters) planning::take_dut_forms(*dut_sparameters, session);
    core::ClassicSetup setup = session.setup;
    const double f_hz = taken.result.used.values.freq_ghz * hz_per_ghz;
    std::vector<planning::Entry> entries;
    std::optional<datafiles::EnrPoint> enr;
    if (enr_table) {
        enr = enr_table->at(f_hz);
        if (std::string why = planning::put_enr_values(*enr, source.source_match, setup, entries);
            !why.empty())
            return why;
    }
    std::optional<datafiles::DutPoint> dut;
    if (dut_sparameters) {
        dut = dut_sparameters->at(f_hz);
        if (std::string why = planning::put_dut_values(*dut, false, setup, entries); !why.empty())
            return why;
    }
    core::ClassicResult result = core::classic_figures(setup);
    if (std::string why = planning::entry_not_taken(result.used.values, entries); !why.empty())
        return why;
    taken.result = std::move(result);
    if (enr && !enr->applied.in_range()) notes.push_back("ENR table: " + enr->applied.note());
    if (dut && !dut->applied.in_range()) notes.push_back("DUT S-parameters: " + dut->note());
    return {};
}

void calibrate_at_output(const datafiles::EnrTable& table, double f_out_ghz,
                         measure::MeasurementSetup& model, std::vector<std::string>& notes) {
    const datafiles::AppliedRecords at = planning::put_calibration_enr(table, f_out_ghz, model);
    if (!at.in_range()) notes.push_back("ENR table at the output frequency: " + at.note());
}

}  // namespace orlavex::app
