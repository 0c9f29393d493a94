#include "planning/enr_table_point.h"

#include "core/field_entry.h"
#include "measure/match.h"
#include "planning/point_notes.h"

#include <algorithm>

namespace orlavex::planning {

namespace {

constexpr double hz_per_ghz = 1e9;

}  // namespace

TableSource take_table_source(const datafiles::EnrTable& table, core::ClassicSession& session) {
    TableSource taken;
    if (!table.has_reflection()) return taken;
    if (const auto* model = session.setup.choices.noise_source) {
        taken.replaced = model;
        // Choosing "User" keeps the values as they are, the ENR included.
        session.choose_noise_source(nullptr);
    }
    session.set_match_form(core::MatchPort::source, core::MatchForm::vswr);
    taken.source_match = true;
    return taken;
}

std::string put_enr_values(const datafiles::EnrPoint& enr, bool source_match,
                           core::ClassicSetup& setup, std::vector<Entry>& entries) {
    using enum Ctl;
    std::string why;
    const auto then = [&why](std::string problem) {
        if (why.empty()) why = std::move(problem);
    };
    const datafiles::AppliedRecords& at = enr.applied;
    then(put_table_value({txtENR, &core::ClassicValues::enr_db, "ENR from the table", " dB"},
                         enr.enr_db, at, setup, entries));
    if (enr.enr_unc_db) {
        then(put_table_value(
            {txtENR_Unc, &core::ClassicValues::enr_unc_db, "ENR uncertainty from the table", " dB"},
            *enr.enr_unc_db, at, setup, entries));
    }
    if (enr.reflection && source_match) {
        const double gamma = std::max(enr.reflection->on_mag, enr.reflection->off_mag);
        then(reflection_problem(gamma, "the noise source's reflection", "the source", at));
        then(put_table_value(
            {txtNS_Match, &core::ClassicValues::source_match, "source VSWR from the table", ""},
            measure::vswr_from_reflection(gamma), at, setup, entries));
    }
    return why;
}

datafiles::AppliedRecords put_calibration_enr(const datafiles::EnrTable& table, double f_out_ghz,
                                              measure::MeasurementSetup& setup) {
    const datafiles::EnrPoint at_output = table.at(f_out_ghz * hz_per_ghz);
    setup.enr_cal_db =
        core::typed_value(at_output.enr_db, core::field_capacity(Ctl::txtENR)).value_or(0);
    return at_output.applied;
}

}  // namespace orlavex::planning
