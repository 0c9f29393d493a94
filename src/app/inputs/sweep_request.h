// What a sweep or an advice is asked: the set-up plus the range, the data
// files and the Monte Carlo, and turning them into the planning library's
// Sweep.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/setup.h"
#include "app/setup_file/embedded_file.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/sweep.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::app {

struct SweepRequest {
    Setup setup;  // its model's trials and seed apply with monte_carlo
    planning::SweptInput over = planning::SweptInput::frequency;
    double from = 0, to = 0;
    std::size_t points = default_points;
    bool log = false;
    planning::MatchForm match_form = planning::MatchForm::vswr;  // for a swept match
    // The data files, each a file to read or a table already in hand.
    std::filesystem::path enr_table_path, dut_s2p_path;  // empty when not given
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut_sparameters;
    bool monte_carlo = false;
    bool fixed_if = false, fixed_lo = false;  // a converting DUT: which frequency stays
    // The data files' own bytes, by data_file_slots, where they are in hand
    // (a set-up file was read): saved again as they came.
    EmbeddedFiles embedded{};
};

// REQUEST's ENR table: the one in hand, else read from its file; none when
// it gives none. Throws datafiles::FileError for a bad file.
std::optional<datafiles::EnrTable> request_enr_table(const SweepRequest& request);

// REQUEST's DUT S-parameters: those in hand, else read from their file;
// none when it gives none. Throws datafiles::FileError for a bad file.
std::optional<datafiles::Touchstone> request_dut_sparameters(const SweepRequest& request);

// The planning library's sweep for REQUEST, its set-up taken as the
// calculator takes it; the notes of the set-up's values go into NOTES.
// Throws SweepError for inputs the calculator refuses and
// datafiles::FileError for a bad ENR table or S-parameter file.
planning::Sweep make_sweep(const SweepRequest& request, const ApplyOptions& options,
                           std::vector<std::string>& notes);

}  // namespace orlavex::app
