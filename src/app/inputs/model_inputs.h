// The measurement model's own inputs (beyond the window's), their ranges,
// and the limits of a sweep: written once for every front-end.
#pragma once

#include "measure/monte_carlo.h"
#include "measure/setup.h"
#include "planning/sweep.h"

#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlavex::app {

inline constexpr std::size_t fewest_trials = 1;
inline constexpr std::size_t most_trials = 100'000'000;
inline constexpr std::size_t point_trials = measure::MonteCarloOptions{}.trials;
// A sweep's Monte Carlo runs at every point: fewer trials each.
inline constexpr std::size_t sweep_trials = planning::MonteCarloChoice{}.trials;
inline constexpr std::size_t fewest_points = 2;
inline constexpr std::size_t most_points = 100'000;
inline constexpr std::size_t default_points = 101;

// The model's options as the measurement takes them (assigned whole to a
// measure::MeasurementSetup's), and the Monte Carlo's own.
struct ModelInputs : measure::ModelOptions {
    std::size_t trials = point_trials;
    std::uint64_t seed = measure::default_seed;
    bool keep_samples = false;  // keep every trial's error
};

// A number 0 or more, the Monte Carlo's two whole numbers, one of a few
// names, a number that may be left out (any finite value), or a reflection
// that may be left out (a complex number below 1 in magnitude, typed as
// "MAG@DEG").
enum class ModelValue { not_negative, trials, seed, choice, optional_number, reflection };

// A choice's names, the first its default, and the option it sets (by the
// name's place).
struct ModelChoiceValues {
    std::span<const std::string_view> names;
    std::size_t (*get)(const measure::ModelOptions&);
    void (*set)(measure::ModelOptions&, std::size_t);
};

inline constexpr std::array<std::string_view, 2> spec_shape_names{"normal", "rect"};
inline constexpr ModelChoiceValues spec_shapes{
    spec_shape_names,
    [](const measure::ModelOptions& m) { return static_cast<std::size_t>(m.spec_shape); },
    [](measure::ModelOptions& m, std::size_t i) { m.spec_shape = measure::SpecShape(i); }};
inline constexpr std::array<std::string_view, 2> sideband_names{"ssb", "dsb"};
inline constexpr ModelChoiceValues sidebands{
    sideband_names,
    [](const measure::ModelOptions& m) { return static_cast<std::size_t>(m.sideband); },
    [](measure::ModelOptions& m, std::size_t i) { m.sideband = measure::SidebandMode(i); }};
inline constexpr std::array<std::string_view, 2> reflection_names{"random", "known"};
inline constexpr ModelChoiceValues reflection_models{
    reflection_names,
    [](const measure::ModelOptions& m) { return static_cast<std::size_t>(m.reflections); },
    [](measure::ModelOptions& m, std::size_t i) { m.reflections = measure::ReflectionModel(i); }};
inline constexpr std::array<std::string_view, 2> lo_side_names{"below", "above"};
inline constexpr ModelChoiceValues lo_sides{
    lo_side_names,
    [](const measure::ModelOptions& m) { return static_cast<std::size_t>(m.lo_side); },
    [](measure::ModelOptions& m, std::size_t i) { m.lo_side = measure::LoSide(i); }};

struct ModelInput {
    std::string_view name;       // "noise_bw"
    std::string_view flag;       // "--noise-bw"
    std::string_view type_name;  // "HZ"
    std::string_view help;
    ModelValue kind;
    double measure::ModelOptions::*number = nullptr;  // where a not_negative value goes
    std::string_view key = {};  // in a set-up file, as a result names it: "noise_bw_hz"
    bool monte_carlo = false;   // only a command that runs a Monte Carlo takes it
    const ModelChoiceValues* choice = nullptr;  // a choice's names and option
    std::optional<double> measure::ModelOptions::*optional = nullptr;  // an optional_number's
    std::string_view label = {};  // a form's caption: "Image ratio"
    std::string_view unit = {};   // a form's unit after a number: "dB"
    // A reflection's.
    std::optional<std::complex<double>> measure::ModelOptions::*reflection = nullptr;
};

// clang-format off
inline constexpr std::array model_inputs{
    ModelInput{.name = "noise_bw", .flag = "--noise-bw", .type_name = "Hz", .help = "noise bandwidth B of each reading, Hz: the jitter of a reading is 1/sqrt(B tau), none while B or tau is 0, and B tau is at least 1 (a reading averages at least one sample)",
               .kind = ModelValue::not_negative, .number = &ModelInputs::noise_bw_hz, .key = "noise_bw_hz", .label = "Noise bandwidth"},
    ModelInput{.name = "tau", .flag = "--tau", .type_name = "s", .help = "integration time tau of each reading, s (0: no jitter, see --noise-bw)",
               .kind = ModelValue::not_negative, .number = &ModelInputs::tau_s, .key = "tau_s", .label = "Integration time"},
    ModelInput{.name = "sideband", .flag = "--sideband", .type_name = "ssb|dsb", .help = "a converting DUT's noise figure and gain as single or double sideband figures (dsb: its image response counts, 0 dB unless --image-ratio says otherwise)",
               .kind = ModelValue::choice, .key = "sideband", .choice = &sidebands, .label = "Sideband"},
    ModelInput{.name = "image_ratio", .flag = "--image-ratio", .type_name = "DB", .help = "a converting DUT's image-to-signal conversion gain, dB (0: a DSB mixer, -20: 20 dB image rejection); given, the noise the source puts into the image band counts, the budget gains the rows image_ratio and enr_image, and the classic figures, which know no image band, are left out",
               .kind = ModelValue::optional_number, .key = "image_ratio_db", .optional = &measure::ModelOptions::image_ratio_db, .label = "Image ratio", .unit = "dB"},
    ModelInput{.name = "image_ratio_unc", .flag = "--image-ratio-unc", .type_name = "DB", .help = "expanded uncertainty of the image ratio, dB, k = 2",
               .kind = ModelValue::not_negative, .number = &measure::ModelOptions::image_ratio_unc_db, .key = "image_ratio_unc_db", .label = "Image ratio uncertainty", .unit = "dB"},
    ModelInput{.name = "image_enr", .flag = "--image-enr", .type_name = "DB", .help = "the measurement source's ENR at the image frequency, dB, where no ENR table gives it (the signal band's)",
               .kind = ModelValue::optional_number, .key = "image_enr_db", .optional = &measure::ModelOptions::image_enr_db, .label = "ENR at the image", .unit = "dB"},
    ModelInput{.name = "image_enr_unc", .flag = "--image-enr-unc", .type_name = "DB", .help = "its uncertainty, dB, k = 2 (the signal band's)",
               .kind = ModelValue::optional_number, .key = "image_enr_unc_db", .optional = &measure::ModelOptions::image_enr_unc_db, .label = "Its uncertainty", .unit = "dB"},
    ModelInput{.name = "lo_side", .flag = "--lo-side", .type_name = "below|above", .help = "the LO below or above the input frequency (|freq - freq2| or freq + freq2), which places the image on its other side",
               .kind = ModelValue::choice, .key = "lo_side", .choice = &lo_sides, .label = "LO"},
    ModelInput{.name = "reflections", .flag = "--reflections", .type_name = "random|known", .help = "the reflections at the DUT input as magnitudes of unknown phase (the mismatch rows), or known from the ENR table's on/off reflections and the DUT's .s2p (S11, S21, noise block) at each point, or typed (--source-on-gamma, --dut-s11, ...): the source-match bias",
               .kind = ModelValue::choice, .key = "reflections", .choice = &reflection_models, .label = "Reflections"},
    ModelInput{.name = "trials", .flag = "--trials", .type_name = "N", .help = "Monte Carlo trials; each is held to the end, 4 bytes and as much again while sorting (1e8 trials: about 800 MB of memory)",
               .kind = ModelValue::trials, .key = "trials", .monte_carlo = true, .label = "Trials"},
    ModelInput{.name = "seed", .flag = "--seed", .type_name = "N", .help = "Monte Carlo seed; a seed gives the same result on any number of threads",
               .kind = ModelValue::seed, .key = "seed", .monte_carlo = true, .label = "Seed"},
    ModelInput{.name = "spec_shape", .flag = "--spec-shape", .type_name = "normal|rect", .help = "distribution of the analyzer's specified uncertainties: normal with k = 2, or rectangular within the limit",
               .kind = ModelValue::choice, .key = "spec_shape", .choice = &spec_shapes, .label = "Datasheet limits"},
};
// clang-format on

// The known reflections typed where no file gives them. The planner's model
// box shows the rows above; these travel with its set-up unseen.
// clang-format off
inline constexpr std::array typed_reflection_inputs{
    ModelInput{.name = "source_on_gamma", .flag = "--source-on-gamma", .type_name = "MAG@DEG", .help = "the measurement source's reflection when on, magnitude below 1 at degrees, where no ENR table gives it (with --reflections known)",
               .kind = ModelValue::reflection, .key = "source_on_gamma", .label = "Source reflection, on", .reflection = &measure::ModelOptions::source_on_gamma},
    ModelInput{.name = "source_off_gamma", .flag = "--source-off-gamma", .type_name = "MAG@DEG", .help = "the measurement source's reflection when off, magnitude below 1 at degrees, where no ENR table gives it",
               .kind = ModelValue::reflection, .key = "source_off_gamma", .label = "Source reflection, off", .reflection = &measure::ModelOptions::source_off_gamma},
    ModelInput{.name = "dut_s11", .flag = "--dut-s11", .type_name = "MAG@DEG", .help = "the DUT's S11, magnitude below 1 at degrees, where no .s2p gives it (its gain is the DUT gain's)",
               .kind = ModelValue::reflection, .key = "dut_s11", .label = "DUT S11", .reflection = &measure::ModelOptions::dut_s11},
    ModelInput{.name = "dut_nfmin", .flag = "--dut-nfmin", .type_name = "DB", .help = "the DUT's minimum noise figure, dB, where no .s2p noise block gives it (with --dut-gamma-opt and --dut-rn)",
               .kind = ModelValue::optional_number, .key = "dut_nfmin_db", .optional = &measure::ModelOptions::dut_nfmin_db, .label = "DUT NFmin", .unit = "dB"},
    ModelInput{.name = "dut_gamma_opt", .flag = "--dut-gamma-opt", .type_name = "MAG@DEG", .help = "the source reflection that gives the DUT's minimum noise figure, magnitude below 1 at degrees",
               .kind = ModelValue::reflection, .key = "dut_gamma_opt", .label = "DUT Gamma_opt", .reflection = &measure::ModelOptions::dut_gamma_opt},
    ModelInput{.name = "dut_rn", .flag = "--dut-rn", .type_name = "X", .help = "the DUT's noise resistance over 50 ohms, 0 or more",
               .kind = ModelValue::optional_number, .key = "dut_rn", .optional = &measure::ModelOptions::dut_rn, .label = "DUT rn"},
};
// clang-format on

// Every row of the model's inputs: the command line, Python, set-up files and
// the results' echo take them all.
inline constexpr auto every_model_input = [] {
    std::array<ModelInput, model_inputs.size() + typed_reflection_inputs.size()> rows{};
    std::size_t i = 0;
    for (const ModelInput& row : model_inputs)
        rows[i++] = row;
    for (const ModelInput& row : typed_reflection_inputs)
        rows[i++] = row;
    return rows;
}();

// A choice row's name for the option M holds ("rect"), and the option set
// by NAME: false, changing nothing, for a name the row does not have.
std::string_view choice_name(const ModelInput& row, const measure::ModelOptions& m);
bool set_choice(const ModelInput& row, measure::ModelOptions& m, std::string_view name);
// Its names as the messages list them: "normal|rect".
std::string choice_list(const ModelInput& row, std::string_view separator = "|");

// True where M holds the row's default (0, or a choice's first name): the
// set-up file and the Python set-up leave such an option out.
bool at_default(const ModelInput& row, const measure::ModelOptions& m);

// What a whole-number input takes, as every front-end says when it gets
// anything else: "must be a whole number from 1 to 100000000" for the
// trials, from 0 to 2^64 - 1 for the seed.
std::string whole_number_rule(ModelValue kind);

}  // namespace orlavex::app
