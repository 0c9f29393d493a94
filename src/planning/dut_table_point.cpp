#include "planning/dut_table_point.h"

#include "measure/match.h"
#include "planning/point_notes.h"

namespace orlavex::planning {

void take_dut_forms(const datafiles::Touchstone& file, core::ClassicSession& session) {
    session.set_match_form(core::MatchPort::dut_input, core::MatchForm::vswr);
    if (file.ports() == 2)
        session.set_match_form(core::MatchPort::dut_output, core::MatchForm::vswr);
}

std::string put_dut_values(const datafiles::DutPoint& dut, bool gain, core::ClassicSetup& setup,
                           std::vector<Entry>& entries) {
    using enum Ctl;
    std::string why;
    const auto then = [&why](std::string problem) {
        if (why.empty()) why = std::move(problem);
    };
    const datafiles::AppliedRecords& at = dut.applied;
    if (gain && dut.gain_db) {
        then(put_table_value(
            {txtDUT_Gain, &core::ClassicValues::dut_gain_db, "DUT gain from S21", " dB"},
            *dut.gain_db, at, setup, entries));
    }
    then(reflection_problem(dut.input_match, "|S11|", "the DUT's input", at));
    then(put_table_value(
        {txtDUT_InMatch, &core::ClassicValues::dut_in_match, "DUT input VSWR from S11", ""},
        measure::vswr_from_reflection(dut.input_match), at, setup, entries));
    if (dut.output_match) {
        then(reflection_problem(*dut.output_match, "|S22|", "the DUT's output", at));
        then(put_table_value(
            {txtDUT_OutMatch, &core::ClassicValues::dut_out_match, "DUT output VSWR from S22", ""},
            measure::vswr_from_reflection(*dut.output_match), at, setup, entries));
    }
    return why;
}

}  // namespace orlavex::planning
