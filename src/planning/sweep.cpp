#include "planning/sweep.h"

#include "planning/image_setup.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/field_entry.h"
#include "core/number_text.h"
#include "core/source_band.h"
#include "measure/known_reflections.h"
#include "measure/match.h"
#include "measure/parallel_tasks.h"
#include "planning/bench_classic.h"
#include "planning/dut_table_point.h"
#include "planning/enr_table_point.h"
#include "planning/field_entries.h"
#include "planning/known_reflections_point.h"
#include "planning/point_notes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <numbers>
#include <span>
#include <string_view>
#include <thread>
#include <tuple>

namespace orlavex::planning {

using enum Ctl;

namespace {

constexpr double hz_per_ghz = 1e9;
constexpr double lowest_freq_ghz = 0.01;  // the window's lower frequency bound

Binding binding(SweptInput input, const core::ClassicChoices& choices) {
    switch (input) {
        case SweptInput::frequency:
            return {txtFreq, &core::ClassicValues::freq_ghz, "frequency", " GHz"};
        case SweptInput::dut_gain:
            return {txtDUT_Gain, &core::ClassicValues::dut_gain_db, "DUT gain", " dB"};
        case SweptInput::dut_nf:
            return {txtDUT_NF, &core::ClassicValues::dut_nf_db, "DUT noise figure", " dB"};
        case SweptInput::enr:
            return {txtENR, &core::ClassicValues::enr_db, "ENR", " dB"};
        case SweptInput::analyzer_nf:
            return {txtSA_Noise, &core::ClassicValues::analyzer_noise, "analyzer noise figure",
                    " dB"};
        case SweptInput::toff:
            return {txtToff, &core::ClassicValues::toff_c, "off temperature", " C"};
        case SweptInput::dut_in_match:
            return {txtDUT_InMatch, &core::ClassicValues::dut_in_match, "DUT input match", ""};
        case SweptInput::dut_out_match:
            return {txtDUT_OutMatch, &core::ClassicValues::dut_out_match, "DUT output match", ""};
        case SweptInput::source_match:
            return {txtNS_Match, &core::ClassicValues::source_match, "noise source match", ""};
        case SweptInput::loss_in:
        case SweptInput::loss_out:
            return {Ctl::none, nullptr,
                    input == SweptInput::loss_in ? "loss before the DUT" : "loss after the DUT",
                    " dB"};
        case SweptInput::image_ratio:
            return {Ctl::none, nullptr, "image ratio", " dB"};
        case SweptInput::loss_in_phase:
            return {Ctl::none, nullptr, "phase of the loss before the DUT", " degrees"};
        case SweptInput::analyzer_match:
            return choices.ext_preamp ? Binding{txtSA_InMatch, &core::ClassicValues::ext_pa_match,
                                                "external preamp match", ""}
                                      : Binding{txtSA_InMatch, &core::ClassicValues::analyzer_match,
                                                "analyzer input match", ""};
    }
    return {};
}

std::string number(double x) {
    return general_text(x);
}

// The base set-up made ready for the points: frequency conversion, formats
// and the noise source the sweep needs, every other choice as the engineer
// made it.
struct Prepared {
    // The set-up every point starts from, as the fields hold it.
    core::ClassicSetup base;
    Binding swept;
    // An ENR table with reflection data sets the source match, which the
    // calculator takes only from a "User" noise source; the catalogue
    // model's frequency limit still bounds the sweep.
    bool source_match_from_table = false;
    std::string replaced_source;  // the catalogue model "User" stands for
    double replaced_source_limit_ghz = 0;
    bool freq2_per_point = false;
    // A separate measurement source from the catalogue; nullptr without one.
    const catalogue::NoiseSourceModel* measurement_source = nullptr;
    // Where the waveguide band starts of the noise source chosen and of the
    // one replaced, -inf for one without such a band: points below it are
    // out of range.
    std::array<double, 2> waveguide_from_ghz{-std::numeric_limits<double>::infinity(),
                                             -std::numeric_limits<double>::infinity()};
    // With known reflections: the phases of the DUT's file and of the loss
    // file before it, worked out once.
    std::optional<TwoPortPhases> dut_phases, loss_in_phases;
};

// The names of the noise source chosen and of the one replaced, in the
// order a point's range is checked against them.
std::array<std::string_view, 2> source_names(const Prepared& p) {
    return {core::noise_source_name(p.base.choices), p.replaced_source};
}

// The swept value fixed by the catalogue analyzer or noise source chosen.
void refuse_if_fixed(const core::ClassicChoices& choices, const Binding& swept) {
    if (!core::fixed_by_models(choices, swept.field)) return;
    const bool analyzer_field = swept.field == txtSA_Noise || swept.field == txtSA_InMatch;
    const std::string who =
        analyzer_field ? "the analyzer " + std::string(core::analyzer_name(choices))
                       : "the noise source " + std::string(core::noise_source_name(choices));
    throw SweepError(who + " fixes the " + std::string(swept.what) +
                     "; choose \"User\" to sweep it");
}

void check_span(const Sweep& sweep) {
    if (sweep.points == 0) throw SweepError("a sweep needs at least one point");
    if (!std::isfinite(sweep.from) || !std::isfinite(sweep.to)) {
        throw SweepError("the sweep's start and stop must be numbers");
    }
    if (sweep.spacing == Spacing::logarithmic && !(sweep.from > 0 && sweep.to > 0) &&
        !(sweep.from < 0 && sweep.to < 0)) {
        throw SweepError("a logarithmic sweep needs start and stop of one sign, not 0");
    }
}

void refuse_if(bool clash, std::string_view what) {
    if (clash) throw SweepError(std::string(what));
}

// A file that gives the swept value.
void check_files(const Sweep& sweep) {
    refuse_if(sweep.enr_table && sweep.over == SweptInput::enr,
              "an ENR table gives the ENR; it cannot be swept as well");
    refuse_if(
        sweep.dut_sparameters &&
            (sweep.over == SweptInput::dut_gain || sweep.over == SweptInput::dut_in_match ||
             (sweep.over == SweptInput::dut_out_match && sweep.dut_sparameters->ports() == 2)),
        "the DUT's S-parameters give its gain and match; they cannot be swept as well");
    refuse_if(sweep.enr_table && sweep.enr_table->has_reflection() &&
                  sweep.over == SweptInput::source_match,
              "the ENR table's reflection data give the source match; it cannot be swept "
              "as well");
    refuse_if(sweep.over == SweptInput::loss_in_phase && !sweep.known_reflections(),
              "the phase of the loss before the DUT turns known reflections: it needs the "
              "reflections known");
    if (is_bench_loss(sweep.over)) {
        refuse_if(sweep.over == SweptInput::loss_in ? sweep.bench.loss_in.sparameters.has_value()
                                                    : sweep.bench.loss_out.sparameters.has_value(),
                  "a loss file gives the loss; it cannot be swept as well");
        refuse_if(std::min(sweep.from, sweep.to) < 0, "a loss is 0 dB or more");
    }
}

// Ticks the frequency conversion for a frequency sweep that asks for one,
// with the fixed IF in the output frequency's field.
void convert_frequency(const Sweep& sweep, core::ClassicSession& session, Prepared& p) {
    if (sweep.over != SweptInput::frequency || sweep.conversion.mode == ConversionMode::none)
        return;
    if (!session.setup.choices.freq_conv) session.tick(&core::ClassicChoices::freq_conv, true);
    if (sweep.conversion.mode == ConversionMode::fixed_if && sweep.conversion.if_ghz > 0) {
        const std::string text =
            core::field_text(sweep.conversion.if_ghz, core::field_capacity(txtFreq2));
        if (text.empty())
            throw SweepError("fixed IF: " + number(sweep.conversion.if_ghz) +
                             " GHz does not fit the output frequency's field");
        session.paste(&core::ClassicValues::freq2_ghz, read_number(text));
    }
    p.freq2_per_point = sweep.conversion.mode == ConversionMode::fixed_lo;
}

// The forms and the noise source the tables' values are entered in.
void take_tables(const Sweep& sweep, core::ClassicSession& session, Prepared& p) {
    if (sweep.enr_table) {
        const TableSource source = take_table_source(*sweep.enr_table, session);
        p.source_match_from_table = source.source_match;
        if (source.replaced) {
            p.replaced_source = std::string(catalogue::model_name(*source.replaced));
            p.replaced_source_limit_ghz = catalogue::upper_frequency(*source.replaced);
        }
    }
    if (sweep.dut_sparameters) take_dut_forms(*sweep.dut_sparameters, session);
}

Prepared prepare(const Sweep& sweep) {
    check_span(sweep);
    check_files(sweep);
    Prepared p;
    if (sweep.bench.meas_source)
        p.measurement_source = catalogue::find_noise_source(sweep.bench.meas_source->model);
    core::ClassicSession session = sweep.base;
    convert_frequency(sweep, session, p);
    take_tables(sweep, session, p);
    if (const auto& port = info(sweep.over).port) {
        // A catalogue instrument that fixes the match also fixes its form:
        // that, not the form, is what the engineer is told.
        refuse_if_fixed(session.setup.choices, binding(sweep.over, session.setup.choices));
        session.set_match_form(*port, sweep.match_form);
    }
    if (sweep.over == SweptInput::analyzer_nf &&
        !core::fixed_by_models(session.setup.choices, txtSA_Noise)) {
        session.set_analyzer_noise_as_nf(true);
    }
    p.base = session.setup;
    const std::array<std::string_view, 2> sources = source_names(p);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (const auto* model = catalogue::find_noise_source(sources[i]))
            p.waveguide_from_ghz[i] = catalogue::lower_frequency(*model);
    }
    p.swept = binding(sweep.over, p.base.choices);
    if (!is_model_input(sweep.over)) refuse_if_fixed(p.base.choices, p.swept);
    if (sweep.known_reflections() && sweep.dut_sparameters) {
        p.dut_phases.emplace(*sweep.dut_sparameters);
        if (sweep.bench.loss_in.sparameters && sweep.over != SweptInput::loss_in)
            p.loss_in_phases.emplace(*sweep.bench.loss_in.sparameters);
    }
    return p;
}

// Evaluates points one after another: each point is the prepared set-up
// with the swept value and the tables' values entered as their fields hold
// them, computed by the classic core.
class PointEvaluator {
  public:
    PointEvaluator(const Sweep& sweep, const Prepared& prepared, unsigned monte_carlo_threads)
        : sweep_(sweep), prepared_(prepared), mc_threads_(monte_carlo_threads) {}

    SweepPoint evaluate(double value);

  private:
    const core::ClassicChoices& choices() const { return prepared_.base.choices; }
    std::string range_problem(const SweepPoint& point, const core::ClassicResult& result,
                              const std::vector<Entry>& entries) const;
    // Why a measurement source from the catalogue cannot measure at F_GHZ.
    std::string outside_measurement_source(double f_ghz) const;
    // The input and output frequencies of the point; false when the output
    // frequency does not fit its field.
    bool put_frequencies(SweepPoint& point, core::ClassicSetup& setup,
                         std::vector<Entry>& entries) const;
    void show_set_up_frequencies(SweepPoint& point) const;
    // Enters the ENR table's and the S-parameters' values at F_GHZ; why the
    // point cannot use them, or an empty string.
    std::string put_table_values(double f_ghz, core::ClassicSetup& setup,
                                 std::vector<Entry>& entries,
                                 std::optional<datafiles::EnrPoint>& enr,
                                 std::optional<datafiles::DutPoint>& dut) const;
    // The model's set-up the classic result implies, its budget and Monte Carlo.
    void model(SweepPoint& point, const core::ClassicResult& result,
               const std::optional<datafiles::EnrPoint>& enr,
               const std::optional<datafiles::DutPoint>& dut);
    // The bench at the point's frequencies, with the swept loss.
    void add_swept_bench(SweepPoint& point) const;
    // The reflections the files know at the point, when the sweep asks for
    // them; why they cannot be used there goes to reflections_note_.
    void add_known_reflections(SweepPoint& point, const std::optional<datafiles::EnrPoint>& enr,
                               const std::optional<datafiles::DutPoint>& dut);
    bool add_swept_image(SweepPoint& point);
    // The frequency at the DUT's output: the analyzer's when converting.
    double output_ghz(const SweepPoint& point) const {
        return choices().freq_conv ? point.analyzer_freq_ghz : point.freq_ghz;
    }
    // With a bench, the classic figures of its equivalent set-up replace the
    // calculator's; the note that says so, or empty.
    std::string use_bench_classic(SweepPoint& point, const core::ClassicResult& result) const;

    const Sweep& sweep_;
    const Prepared& prepared_;
    unsigned mc_threads_;
    PointNotes notes_;
    // The previous point's set-up and results: a catalogue value is constant
    // across its band, so neighbouring points often have the very same
    // set-up, and the budget and the Monte Carlo (same seed) are the same.
    std::optional<measure::MeasurementSetup> last_setup_;
    measure::Budget last_budget_;
    std::optional<measure::MonteCarloResult> last_monte_carlo_;
    // The image band's notes at the point being evaluated.
    std::vector<std::string> image_notes_;
    std::string reflections_note_;
};

// The loss before the DUT made longer by the point's swept phase: its S21
// (its file's, or that of its value with the phase 0) turned by it.
void turn_loss_in(measure::KnownReflections& k, const SweepPoint& point) {
    constexpr double radians_per_degree = std::numbers::pi / 180;
    const std::complex<double> s21 =
        k.loss_in_s21.value_or(1 / std::sqrt(measure::lin(point.setup.loss_in.loss_db)));
    k.loss_in_s21 = s21 * std::polar(1.0, -point.swept_value * radians_per_degree);
}

// A swept match sets the magnitude of the known reflection it stands for,
// its angle kept: the DUT's input match its S11; the source match the
// worse of the source's on and off reflections, both scaled alike so that
// their difference (what biases the reading) keeps its shape. The window's
// source match is the calibration source's: a separate measurement source
// keeps its own.
void sweep_reflection_magnitude(measure::KnownReflections& k, SweptInput over,
                                const measure::MeasurementSetup& s) {
    if (over == SweptInput::dut_in_match) {
        k.s11 = std::polar(s.gamma_dut_in, std::arg(k.s11));
        return;
    }
    if (over != SweptInput::source_match) return;
    const double worse = std::max(std::abs(k.source_on), std::abs(k.source_off));
    if (worse == 0) {
        k.source_on = k.source_off = s.gamma_source;
        if (k.source_on_cal) k.source_on_cal = s.gamma_source;
        return;
    }
    const double scale = s.gamma_source / worse;
    k.source_on *= scale;
    k.source_off *= scale;
    if (k.source_on_cal) *k.source_on_cal *= scale;
}

// Every field of the set-up compared exactly.
bool same_setup(const measure::MeasurementSetup& a, const measure::MeasurementSetup& b) {
    // A field added to the set-up must be added here too.
    // (13 doubles and two flags with their padding; the model's options;
    // the bench; the image band; the known reflections.)
    static_assert(sizeof(measure::MeasurementSetup) ==
                  13 * sizeof(double) + 8 + sizeof(measure::ModelOptions) +
                      2 * sizeof(measure::BenchLoss) + sizeof(measure::MeasurementSource) +
                      sizeof(measure::ImageSideband) +
                      sizeof(std::optional<measure::KnownReflections>));
    const auto fields = [](const measure::MeasurementSetup& s) {
        return std::tie(s.dut_nf_db, s.dut_gain_db, s.enr_cal_db, s.enr_meas_db, s.enr_unc_db,
                        s.tc_k, s.analyzer_nf_db, s.gamma_source, s.gamma_dut_in, s.gamma_dut_out,
                        s.gamma_analyzer, s.analyzer_nf_unc_db, s.analyzer_gain_unc_db,
                        s.second_stage, s.freq_converting, s.model, s.loss_in, s.loss_out,
                        s.meas_source, s.image, s.reflections);
    };
    return fields(a) == fields(b);
}

std::string PointEvaluator::range_problem(const SweepPoint& point,
                                          const core::ClassicResult& result,
                                          const std::vector<Entry>& entries) const {
    const bool converting = choices().freq_conv;
    const double source_f =
        sweep_.over == SweptInput::frequency ? point.swept_value : point.freq_ghz;
    const std::string source_name(core::noise_source_name(choices()));
    // The sources are the sweep's: their bands were looked up once.
    const std::array<std::string_view, 2> sources = source_names(prepared_);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (source_f < prepared_.waveguide_from_ghz[i])
            return core::below_waveguide_band(sources[i], source_f);
    }
    if (std::string why = outside_measurement_source(source_f); !why.empty()) return why;
    if (sweep_.over == SweptInput::frequency) {
        const double f = point.swept_value;
        if (f < lowest_freq_ghz) {
            return number(f) + " GHz is below the lowest frequency, " + number(lowest_freq_ghz) +
                   " GHz";
        }
        if (f > result.source_freq_max_ghz) {
            return number(f) + " GHz is above the noise source " + source_name + "'s limit of " +
                   number(result.source_freq_max_ghz) + " GHz";
        }
        if (!prepared_.replaced_source.empty() && f > prepared_.replaced_source_limit_ghz) {
            return number(f) + " GHz is above the noise source " + prepared_.replaced_source +
                   "'s limit of " + number(prepared_.replaced_source_limit_ghz) + " GHz";
        }
        const double fa = converting ? point.analyzer_freq_ghz : f;
        if (fa > result.analyzer_freq_max_ghz) {
            return (converting ? "the output, " + number(fa) + " GHz," : number(fa) + " GHz") +
                   " is above the analyzer " + std::string(core::analyzer_name(choices())) +
                   "'s limit of " + number(result.analyzer_freq_max_ghz) + " GHz";
        }
        if (converting && fa < lowest_freq_ghz) {
            return "the output, " + number(fa) + " GHz, is below the lowest frequency, " +
                   number(lowest_freq_ghz) + " GHz";
        }
    }
    return entry_not_taken(result.used.values, entries);
}

std::string PointEvaluator::outside_measurement_source(double f_ghz) const {
    if (!sweep_.bench.meas_source) return {};
    return core::outside_measurement_source(sweep_.bench.meas_source->model, f_ghz);
}

std::string PointEvaluator::put_table_values(double f_ghz, core::ClassicSetup& setup,
                                             std::vector<Entry>& entries,
                                             std::optional<datafiles::EnrPoint>& enr,
                                             std::optional<datafiles::DutPoint>& dut) const {
    std::string why;
    const auto then = [&why](std::string problem) {
        if (why.empty()) why = std::move(problem);
    };
    if (sweep_.enr_table) {
        enr = sweep_.enr_table->at(f_ghz * hz_per_ghz);
        then(put_enr_values(*enr, prepared_.source_match_from_table, setup, entries));
    }
    if (sweep_.dut_sparameters) {
        dut = sweep_.dut_sparameters->at(f_ghz * hz_per_ghz);
        then(put_dut_values(*dut, true, setup, entries));
    }
    return why;
}

bool PointEvaluator::put_frequencies(SweepPoint& point, core::ClassicSetup& setup,
                                     std::vector<Entry>& entries) const {
    const bool over_freq = sweep_.over == SweptInput::frequency;
    const double f = over_freq ? point.swept_value : setup.values.freq_ghz;
    double analyzer_f = f;
    if (prepared_.freq2_per_point) {
        const Binding freq2{txtFreq2, &core::ClassicValues::freq2_ghz, "output frequency", " GHz"};
        if (!put(freq2, analyzer_frequency(sweep_.conversion, f), setup, entries, &analyzer_f)) {
            point.in_range = false;
            point.note = "the output frequency does not fit the window's field";
            return false;
        }
    } else if (choices().freq_conv) {
        analyzer_f = setup.values.freq2_ghz;
    }
    point.freq_ghz = f;
    point.analyzer_freq_ghz = analyzer_f;
    return true;
}

// The frequencies of a point whose swept value (other than the frequency)
// the window refused: those the set-up stands at, as put_frequencies would
// give them.
void PointEvaluator::show_set_up_frequencies(SweepPoint& point) const {
    if (sweep_.over == SweptInput::frequency) return;
    point.freq_ghz = prepared_.base.values.freq_ghz;
    point.analyzer_freq_ghz = point.freq_ghz;
    if (prepared_.freq2_per_point) {
        point.analyzer_freq_ghz = analyzer_frequency(sweep_.conversion, point.freq_ghz);
    } else if (choices().freq_conv) {
        point.analyzer_freq_ghz = prepared_.base.values.freq2_ghz;
    }
}

void PointEvaluator::model(SweepPoint& point, const core::ClassicResult& result,
                           const std::optional<datafiles::EnrPoint>& enr,
                           const std::optional<datafiles::DutPoint>& dut) {
    point.setup = core::model_setup(result);
    point.setup.model = sweep_.model;
    if (enr && choices().freq_conv) {
        // Calibration happens at the output frequency, with the table's ENR there.
        const datafiles::AppliedRecords at_output =
            put_calibration_enr(*sweep_.enr_table, point.analyzer_freq_ghz, point.setup);
        point.held = point.held || !at_output.in_range();
    }
    add_swept_bench(point);
    if (!add_swept_image(point) || !point.classic.valid) return;
    add_known_reflections(point, enr, dut);
    const bool same = last_setup_ && same_setup(*last_setup_, point.setup);
    point.gum = same ? last_budget_ : measure::gum_budget(point.setup);
    if (sweep_.monte_carlo.enabled) {
        if (same && last_monte_carlo_) {
            point.monte_carlo = last_monte_carlo_;
        } else {
            measure::MonteCarloOptions options;
            options.trials = sweep_.monte_carlo.trials;
            options.seed = sweep_.monte_carlo.seed;
            options.threads = mc_threads_;
            point.monte_carlo = measure::monte_carlo(point.setup, options);
        }
    }
    if (point.setup.reflections) {
        // With the correction the budget's offset is the bias already.
        point.source_match_bias_db = point.setup.second_stage
                                         ? point.gum.offset_db
                                         : measure::source_match_bias_db(point.setup);
    }
    last_setup_ = point.setup;
    last_budget_ = point.gum;
    last_monte_carlo_ = point.monte_carlo;
}

void PointEvaluator::add_known_reflections(SweepPoint& point,
                                           const std::optional<datafiles::EnrPoint>& enr,
                                           const std::optional<datafiles::DutPoint>& dut) {
    reflections_note_.clear();
    if (!sweep_.known_reflections() || point.setup.image.response) return;
    // The source at the DUT input is the measurement source; the
    // calibration source's match matters only when it is the same one.
    const std::optional<MeasurementSourceInput>& separate = sweep_.bench.meas_source;
    const datafiles::EnrTable* calibration = sweep_.enr_table ? &*sweep_.enr_table : nullptr;
    ReflectionFiles files;
    files.source = separate ? (separate->table ? &*separate->table : nullptr) : calibration;
    files.calibration = separate ? nullptr : calibration;
    files.dut = prepared_.dut_phases ? &*prepared_.dut_phases : nullptr;
    files.loss_in = prepared_.loss_in_phases ? &*prepared_.loss_in_phases : nullptr;
    // The point's lookups in the sweep's files, at its input frequency.
    if (!separate && enr) files.source_at = &*enr;
    if (dut) files.dut_at = &*dut;
    files.typed = &sweep_.model;
    files.dut_gain_db = point.setup.dut_gain_db;
    point.setup.reflections = known_reflections_at(files, point.freq_ghz, output_ghz(point));
    if (!point.setup.reflections) return;
    if (sweep_.over == SweptInput::loss_in_phase) turn_loss_in(*point.setup.reflections, point);
    if (sweep_.over != SweptInput::source_match || !separate)
        sweep_reflection_magnitude(*point.setup.reflections, sweep_.over, point.setup);
    if (std::string why = measure::reflections_problem(point.setup); !why.empty()) {
        point.setup.reflections.reset();
        reflections_note_ = "known reflections left out: " + why;
    }
}

void PointEvaluator::add_swept_bench(SweepPoint& point) const {
    if (!sweep_.bench.any() && !is_bench_loss(sweep_.over)) return;
    add_bench(sweep_.bench, point.freq_ghz, output_ghz(point), point.setup);
    if (sweep_.over == SweptInput::loss_in) point.setup.loss_in.loss_db = point.swept_value;
    if (sweep_.over == SweptInput::loss_out) point.setup.loss_out.loss_db = point.swept_value;
}

// The image band at the point; false, with the reason among the notes,
// where it cannot be used there (the budget is then left out).
bool PointEvaluator::add_swept_image(SweepPoint& point) {
    image_notes_.clear();
    if (sweep_.over == SweptInput::image_ratio)
        point.setup.model.image_ratio_db = point.swept_value;
    const datafiles::EnrTable* table = sweep_.enr_table ? &*sweep_.enr_table : nullptr;
    // The catalogue model behind the calibration source, also where "User"
    // stands for it to take a table's reflections.
    const std::string_view source = prepared_.replaced_source.empty()
                                        ? core::noise_source_name(prepared_.base.choices)
                                        : std::string_view(prepared_.replaced_source);
    ImagePoint image =
        add_image(sweep_.bench, table, point.freq_ghz, output_ghz(point), point.setup, source);
    if (image.plan) {
        point.lo_ghz = image.plan->lo_hz / hz_per_ghz;
        point.image_ghz = image.plan->image_hz / hz_per_ghz;
    }
    image_notes_ = std::move(image.notes);
    if (!image.problem.empty()) image_notes_.push_back(std::move(image.problem));
    point.held = point.held || image.held;
    return image.problem.empty();
}

std::string PointEvaluator::use_bench_classic(SweepPoint& point,
                                              const core::ClassicResult& result) const {
    if (!point.classic.valid || !bench_changes_classic(point.setup)) return {};
    const bool loss_after = sweep_.bench.loss_out.given() || sweep_.over == SweptInput::loss_out;
    BenchClassic equivalent = bench_classic(result.used, result.figures, point.setup, loss_after);
    point.classic = equivalent.figures.value_or(ClassicFigures{});
    point.classic_withheld = !equivalent.figures.has_value();
    return std::move(equivalent.note);
}

SweepPoint PointEvaluator::evaluate(double value) {
    SweepPoint point;
    core::ClassicSetup setup = prepared_.base;
    std::vector<Entry> entries;
    entries.reserve(8);  // the swept value, the frequencies and the tables' values at most
    if (is_model_input(sweep_.over)) {
        point.swept_value = value;
    } else if (!put(prepared_.swept, value, setup, entries, &point.swept_value)) {
        point.swept_value = value;
        point.in_range = false;
        point.note = std::string(prepared_.swept.what) + " " + number(value) +
                     std::string(prepared_.swept.unit) + " does not fit the window's field";
        show_set_up_frequencies(point);
        return point;
    }
    // A frequency too small for the field's digits reads as 0 there; the
    // point, below the lowest frequency anyway, shows the value asked for.
    if (sweep_.over == SweptInput::frequency && point.swept_value == 0 && value != 0)
        point.swept_value = value;
    if (!put_frequencies(point, setup, entries)) return point;
    std::optional<datafiles::EnrPoint> enr;
    std::optional<datafiles::DutPoint> dut;
    if (std::string why = put_table_values(point.freq_ghz, setup, entries, enr, dut);
        !why.empty()) {
        point.in_range = false;
        point.note = std::move(why);
        return point;
    }
    point.held = (enr && !enr->applied.in_range()) || (dut && !dut->applied.in_range());

    const core::ClassicResult result = core::classic_figures(setup);
    const core::ClassicValues& used = result.used.values;
    point.enr_db = used.enr_db;
    point.enr_unc_db = used.enr_unc_db;
    point.source_vswr = measure::vswr_from_reflection(result.gamma.source);
    point.dut_gain_db = used.dut_gain_db;
    point.dut_nf_db = used.dut_nf_db;
    if (std::string why = range_problem(point, result, entries); !why.empty()) {
        point.in_range = false;
        point.note = std::move(why);
        return point;
    }
    if (choices().freq_conv) point.analyzer_freq_ghz = used.freq2_ghz;
    point.freq_ghz = used.freq_ghz;
    point.classic = result.figures;
    model(point, result, enr, dut);
    const std::string bench_note = use_bench_classic(point, result);
    point.note = notes_.note(choices(), point, enr ? &enr->applied : nullptr, dut ? &*dut : nullptr,
                             prepared_.replaced_source, prepared_.measurement_source);
    const auto add = [&point](const std::string& part) {
        if (!part.empty()) point.note += (point.note.empty() ? "" : "; ") + part;
    };
    if (point.setup.image.response && point.classic.valid) {
        // The calculator knows no image band: its figures would mislead.
        point.classic = ClassicFigures{};
        point.classic_withheld = true;
    }
    for (const std::string& part : image_notes_)
        add(part);
    add(reflections_note_);
    if (point.source_match_bias_db && point.classic.valid) {
        std::array<char, 32> bias{};
        const auto end = std::to_chars(bias.data(), bias.data() + bias.size(),
                                       *point.source_match_bias_db, std::chars_format::fixed, 3);
        add("the classic figures leave out the source-match bias of " +
            std::string(bias.data(), end.ptr) + " dB");
    }
    const std::vector<std::string> held =
        bench_held_notes(sweep_.bench, point.freq_ghz, output_ghz(point));
    point.held = point.held || !held.empty();
    std::ranges::for_each(held, add);
    add(bench_note);
    return point;
}

unsigned worker_count(unsigned wanted, std::size_t points) {
    unsigned n = wanted != 0 ? wanted : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<std::size_t>(n, points));
}

}  // namespace

bool SweepPoint::all_green() const {
    return in_range && classic.valid &&
           std::ranges::all_of(classic.lamp, [](Lamp l) { return l == Lamp::green; });
}

namespace {

// The point at T (0 to 1) from A to B. Ends of opposite sign near the
// largest double have a span that overflows: then weigh the ends instead.
double linear_value(double a, double b, double t) {
    const double span = b - a;
    return std::isfinite(span) ? a + span * t : a * (1 - t) + b * t;
}

}  // namespace

std::vector<double> sweep_values(const Sweep& sweep) {
    if (!sweep.values.empty()) {
        if (!std::ranges::all_of(sweep.values, [](double x) { return std::isfinite(x); }))
            throw SweepError("the sweep's values must be numbers");
        return sweep.values;
    }
    std::vector<double> values(sweep.points);
    const std::size_t n = sweep.points;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(n - 1);
        if (sweep.spacing == Spacing::logarithmic) {
            const double sign = sweep.from < 0 ? -1.0 : 1.0;
            const double a = std::log(std::fabs(sweep.from)), b = std::log(std::fabs(sweep.to));
            values[i] = sign * std::exp(a + (b - a) * t);
        } else {
            values[i] = linear_value(sweep.from, sweep.to, t);
        }
    }
    // The ends exactly, whatever the rounding of the logarithms.
    if (n > 0) values.front() = sweep.from;
    if (n > 1) values.back() = sweep.to;
    if (!std::ranges::all_of(values, [](double x) { return std::isfinite(x); })) {
        throw SweepError("the values from the sweep's start to its stop overflow");
    }
    return values;
}

SweepResult run_sweep(const Sweep& sweep) {
    SweepProgress unobserved;
    return run_sweep(sweep, unobserved);
}

namespace {

// Evaluates VALUES into OUT (as many points), in contiguous blocks, one per
// thread, each with its own evaluator; the Monte Carlo then runs on one
// thread per point.
void evaluate_points(const Sweep& sweep, const Prepared& prepared, std::span<const double> values,
                     std::span<SweepPoint> out, SweepProgress& progress) {
    const unsigned workers = worker_count(sweep.threads, values.size());
    const unsigned mc_threads = workers > 1 ? 1 : sweep.threads;
    const auto run_block = [&](std::size_t begin, std::size_t end) {
        PointEvaluator evaluator(sweep, prepared, mc_threads);
        for (std::size_t i = begin; i < end; ++i) {
            if (progress.cancel.load(std::memory_order_relaxed)) return;
            out[i] = evaluator.evaluate(values[i]);
            progress.done.fetch_add(1, std::memory_order_relaxed);
        }
    };
    if (workers <= 1) {
        run_block(0, values.size());
        return;
    }
    std::vector<std::exception_ptr> errors(workers);
    const std::size_t n = values.size();
    measure::run_tasks(workers, [&](unsigned w) {
        try {
            run_block(n * w / workers, n * (w + 1) / workers);
        } catch (...) {
            errors[w] = std::current_exception();
        }
    });
    for (const std::exception_ptr& e : errors) {
        if (e) std::rethrow_exception(e);
    }
}

SweepContents contents_of(const Sweep& sweep, const Prepared& prepared) {
    SweepContents c;
    c.bench_loss =
        is_bench_loss(sweep.over) || sweep.bench.loss_in.given() || sweep.bench.loss_out.given();
    c.measurement_source = sweep.bench.meas_source.has_value();
    c.frequency_plan = prepared.base.choices.freq_conv;
    c.source_match_bias = sweep.known_reflections() && !image_response(sweep.model);
    return c;
}

// The result without its points.
SweepResult outline_of(const Sweep& sweep, const Prepared& prepared) {
    SweepResult result;
    result.over = sweep.over;
    result.match_form = sweep.match_form;
    result.contents = contents_of(sweep, prepared);
    if (sweep.over == SweptInput::frequency) {
        FrequencyConversion conversion = sweep.conversion;
        if (prepared.base.choices.freq_conv && conversion.mode == ConversionMode::none) {
            conversion.mode = ConversionMode::fixed_if;
        }
        result.band_edges = band_edges(prepared.base.choices, sweep.from, sweep.to, conversion,
                                       prepared.measurement_source);
    }
    return result;
}

}  // namespace

SweepResult run_sweep(const Sweep& sweep, SweepProgress& progress) {
    const Prepared prepared = prepare(sweep);
    const std::vector<double> values = sweep_values(sweep);
    SweepResult result = outline_of(sweep, prepared);
    result.points.resize(values.size());
    evaluate_points(sweep, prepared, values, result.points, progress);
    if (progress.cancel.load()) throw SweepCancelled();
    return result;
}

SweepResult stream_sweep(const Sweep& sweep, SweepProgress& progress, const SweepSink& sink,
                         std::size_t chunk_points) {
    const Prepared prepared = prepare(sweep);
    const std::vector<double> values = sweep_values(sweep);
    const SweepResult outline = outline_of(sweep, prepared);
    const std::size_t chunk = std::max<std::size_t>(chunk_points, 1);
    std::vector<SweepPoint> points;
    std::size_t begin = 0;
    do {
        const std::size_t end = std::min(values.size(), begin + chunk);
        points.assign(end - begin, SweepPoint{});
        evaluate_points(sweep, prepared, std::span(values).subspan(begin, end - begin), points,
                        progress);
        if (progress.cancel.load()) throw SweepCancelled();
        sink(outline, points);
        begin = end;
    } while (begin < values.size());
    return outline;
}

}  // namespace orlavex::planning
