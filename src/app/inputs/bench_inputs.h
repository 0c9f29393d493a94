// The bench around the DUT as inputs: the losses before and after it and
// the measurement noise source, one row each, in the same shape for the
// command line, the Python keywords and the set-up's JSON.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/json.h"
#include "measure/setup.h"
#include "planning/bench_setup.h"

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

// As the user gave them; none: not given.
struct BenchInputs {
    std::optional<double> loss_in, loss_in_temp, loss_in_unc;
    std::optional<double> loss_out, loss_out_temp, loss_out_unc;
    std::optional<std::string> loss_in_s2p, loss_out_s2p;  // Touchstone 2-port files
    std::optional<std::string> meas_noise_source;          // catalogue model
    std::optional<double> meas_enr;
    std::optional<std::string> meas_enr_table;  // ENR table file
    std::optional<double> meas_enr_unc, meas_source_vswr, meas_source_rl;
};

// What a bench can be: the values a number row takes, both ends included,
// in its unit ("" for a VSWR).
struct BenchRange {
    double lowest = 0;
    double highest = std::numeric_limits<double>::infinity();
    std::string_view unit = {};
};

struct BenchInputRow {
    std::string_view name;       // Python keyword: "loss_in"
    std::string_view flag;       // "--loss-in"
    std::string_view type_name;  // "DB", "FILE", "K", "NAME"
    std::string_view help;
    std::optional<double> BenchInputs::*number = nullptr;     // a number, or
    std::optional<std::string> BenchInputs::*text = nullptr;  // a file or a name
    std::string_view excludes = {};  // the keyword of the row it cannot go with
    // Its key in a set-up file's "inputs" (a result's name, with the unit);
    // a file row's data file is kept under "data_files" by the keyword.
    std::string_view key = {};
    BenchRange range = {};  // a number row's
    // What holds while the row is not given ("290", "the calibration
    // source's"); empty where nothing does (a file, the other form).
    std::string_view default_text = {};
};

// What an RF engineer's bench stays within; a measurement source's ENR as
// the calibration source's field takes it.
inline constexpr BenchRange loss_range{0, 100, "dB"};
inline constexpr BenchRange temperature_range{0, 1000, "K"};
inline constexpr BenchRange uncertainty_range{0, 10, "dB"};

// clang-format off
inline constexpr std::array bench_input_rows{
    BenchInputRow{"loss_in", "--loss-in", "DB", "loss between the noise source and the DUT, dB", &BenchInputs::loss_in, nullptr, {}, "loss_in_db", loss_range, "0"},
    BenchInputRow{"loss_in_s2p", "--loss-in-s2p", "FILE", "the loss before the DUT from a Touchstone .s2p of the part: -|S21|^2 in dB, interpolated in frequency", nullptr, &BenchInputs::loss_in_s2p, "loss_in", "loss_in_s2p"},
    BenchInputRow{"loss_in_temp", "--loss-in-temp", "K", "physical temperature of the loss before the DUT, K", &BenchInputs::loss_in_temp, nullptr, {}, "loss_in_temp_k", temperature_range, "290"},
    BenchInputRow{"loss_in_unc", "--loss-in-unc", "DB", "uncertainty of the loss before the DUT, dB, k = 2", &BenchInputs::loss_in_unc, nullptr, {}, "loss_in_unc_db", uncertainty_range, "0"},
    BenchInputRow{"loss_out", "--loss-out", "DB", "loss between the DUT and the analyzer, dB", &BenchInputs::loss_out, nullptr, {}, "loss_out_db", loss_range, "0"},
    BenchInputRow{"loss_out_s2p", "--loss-out-s2p", "FILE", "the loss after the DUT from a Touchstone .s2p of the part: -|S21|^2 in dB, interpolated in frequency (a converting DUT's at its output frequency)", nullptr, &BenchInputs::loss_out_s2p, "loss_out", "loss_out_s2p"},
    BenchInputRow{"loss_out_temp", "--loss-out-temp", "K", "physical temperature of the loss after the DUT, K", &BenchInputs::loss_out_temp, nullptr, {}, "loss_out_temp_k", temperature_range, "290"},
    BenchInputRow{"loss_out_unc", "--loss-out-unc", "DB", "uncertainty of the loss after the DUT, dB, k = 2", &BenchInputs::loss_out_unc, nullptr, {}, "loss_out_unc_db", uncertainty_range, "0"},
    BenchInputRow{"meas_noise_source", "--meas-noise-source", "NAME", "measure with another noise source: a catalogue model (letter case aside)", nullptr, &BenchInputs::meas_noise_source, {}, "meas_noise_source"},
    BenchInputRow{"meas_enr", "--meas-enr", "DB", "measure with another noise source: its ENR, dB", &BenchInputs::meas_enr, nullptr, {}, "meas_enr_db", {0, 30, "dB"}},
    BenchInputRow{"meas_enr_table", "--meas-enr-table", "FILE", "measure with another noise source: its ENR table (.enr)", nullptr, &BenchInputs::meas_enr_table, {}, "meas_enr_table"},
    BenchInputRow{"meas_enr_unc", "--meas-enr-unc", "DB", "ENR uncertainty of the measurement source, dB, k = 2", &BenchInputs::meas_enr_unc, nullptr, {}, "meas_enr_unc_db", uncertainty_range, "the calibration source's"},
    BenchInputRow{"meas_source_vswr", "--meas-source-vswr", "X", "measurement source match as VSWR", &BenchInputs::meas_source_vswr, nullptr, {}, "meas_source_vswr", {1}, "the calibration source's"},
    BenchInputRow{"meas_source_rl", "--meas-source-rl", "DB", "measurement source match as return loss, dB", &BenchInputs::meas_source_rl, nullptr, "meas_source_vswr", "meas_source_rl_db", {0, std::numeric_limits<double>::infinity(), "dB"}},
};
// clang-format on

const BenchInputRow* find_bench_input(std::string_view name_or_flag);

// ROW's help with its default, as --help and the docstrings give it:
// "loss between the noise source and the DUT, dB (0)".
std::string bench_help(const BenchInputRow& row);

// Where a file row's data file comes from, by the row's keyword and text:
// by default the file the text names; a set-up file hands over the copies
// it embeds.
struct BenchFileReader {
    std::function<datafiles::Touchstone(std::string_view keyword, const std::string& text)>
        touchstone;
    std::function<datafiles::EnrTable(std::string_view keyword, const std::string& text)> enr_table;
};
BenchFileReader bench_files_on_disk();

// INPUTS read (files loaded through FILES) and checked into BENCH: empty, or
// one line naming the input and what is wrong. Missing or bad files throw
// datafiles::FileError.
std::string to_bench(const BenchInputs& inputs, planning::BenchInput& bench, Naming naming,
                     const BenchFileReader& files = bench_files_on_disk());

// BENCH as the inputs that give it: only what differs from the defaults,
// a file row as its table's name, the measurement source's match as the
// shortest VSWR (else return loss) that gives its reflection exactly.
BenchInputs bench_inputs_of(const planning::BenchInput& bench);

// The table BENCH holds for a file row (by keyword), or nullptr.
const datafiles::Touchstone* bench_touchstone(const planning::BenchInput& bench,
                                              std::string_view keyword);
const datafiles::EnrTable* bench_enr_table(const planning::BenchInput& bench,
                                           std::string_view keyword);

// The measurement source as given, for a table of the instruments: its
// catalogue model, else "User: ENR 14 dB" or "User: ENR table x.enr" (the
// file without its folder); then its match where one was given, in the form
// given ("VSWR 1.25", "return loss 20 dB").
std::string measurement_source_text(const planning::MeasurementSourceInput& source);

// The bench as the model used it at a point, for a result's "inputs".
void add_bench_json(Json& inputs, const planning::BenchInput& bench,
                    const measure::MeasurementSetup& used);

}  // namespace orlavex::app
