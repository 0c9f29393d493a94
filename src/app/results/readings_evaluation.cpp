#include "app/results/readings_evaluation.h"

#include "app/inputs/classic_apply.h"
#include "app/results/calibration_table.h"
#include "app/results/point.h"
#include "app/texts.h"
#include "core/classic_figures.h"
#include "core/field_entry.h"
#include "measure/bench.h"
#include "measure/manual_evaluation.h"
#include "measure/type_a.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orlavex::app {

namespace {

using datafiles::Level;

struct LevelKeyword {
    Level level;
    const char* keyword;
    std::string_view jitter_line;
};

constexpr LevelKeyword level_keywords[] = {
    {datafiles::cal_off, "cal_off", "jitter_cal_off"},
    {datafiles::cal_on, "cal_on", "jitter_cal_on"},
    {datafiles::meas_off, "meas_off", "jitter_meas_off"},
    {datafiles::meas_on, "meas_on", "jitter_meas_on"},
};

// VALUE of the field KEYWORD as the window's field holds it.
double as_field_holds(const char* keyword, double value) {
    return core::held_as_typed(find_field_input(keyword)->field, value).value_or(value);
}

// A frequency written with more digits than it has (1.1360000000000001 for
// 1.136) as the field holds it, without a note; one with more digits than
// the field holds keeps them, and the window's note says how it was taken.
double frequency_as_written(const char* keyword, double ghz) {
    const double held = as_field_holds(keyword, ghz);
    return std::fabs(held - ghz) <= 1e-12 * ghz ? held : ghz;
}

double dbm(double mw) {
    return 10 * std::log10(mw);
}

// The levels of a measured point: each one's mean linear power in dBm and,
// for the levels read repeatedly, the Type A lines of their scatter.
struct PointLevels {
    datafiles::LevelsMw dbm{};
    std::vector<measure::TypeALine> scatter;
    std::vector<std::string> notes;
};

bool is_calibration(Level level) {
    return level == datafiles::cal_off || level == datafiles::cal_on;
}

// POINT's levels from its own readings (the calibration's only when
// CALIBRATION).
PointLevels levels_of(const datafiles::ReadingsPoint& point, bool calibration) {
    PointLevels levels;
    for (const datafiles::LevelsMw& r : point.readings) {
        for (std::size_t i = 0; i < levels.dbm.size(); ++i)
            levels.dbm[i] += r[i];
    }
    for (double& level : levels.dbm)
        level = dbm(level / static_cast<double>(point.readings.size()));
    if (point.readings.size() < 2) return levels;
    std::vector<double> powers(point.readings.size());
    for (const LevelKeyword& k : level_keywords) {
        if (!calibration && is_calibration(k.level)) continue;
        for (std::size_t i = 0; i < powers.size(); ++i)
            powers[i] = point.readings[i][k.level];
        levels.scatter.push_back(measure::type_a_line(k.jitter_line, powers));
    }
    return levels;
}

// The frequency POINT was calibrated at: the DUT's output frequency.
double calibration_freq(const Setup& setup, const datafiles::ReadingsPoint& point) {
    if (!setup.freq_conv) return point.freq_ghz;
    if (point.freq2_ghz) return *point.freq2_ghz;
    return setup.field("freq2").value_or(find_field_input("freq2")->start);
}

// The calibration levels of TABLE at POINT in place of the point's own.
void calibrate(PointLevels& levels, const CalibrationTable& table, const Setup& setup,
               const datafiles::ReadingsPoint& point) {
    CalibrationAt c = table.at(calibration_freq(setup, point));
    levels.dbm[datafiles::cal_off] = c.cal_off_dbm;
    levels.dbm[datafiles::cal_on] = c.cal_on_dbm;
    levels.scatter.insert(levels.scatter.end(), c.scatter.begin(), c.scatter.end());
    if (!c.note.empty()) levels.notes.push_back(std::move(c.note));
}

// SETUP at POINT: its frequency and the mean levels as the window's fields
// hold them, which the window takes without a note (the exact evaluation
// then takes the levels unrounded).
Setup setup_at(Setup setup, const datafiles::ReadingsPoint& point, const datafiles::LevelsMw& mean,
               bool calibration) {
    setup.manual = true;
    setup.field("freq") = frequency_as_written("freq", point.freq_ghz);
    if (point.freq2_ghz) setup.field("freq2") = frequency_as_written("freq2", *point.freq2_ghz);
    for (const LevelKeyword& k : level_keywords) {
        const bool given =
            calibration || (k.level != datafiles::cal_off && k.level != datafiles::cal_on);
        if (given) setup.field(k.keyword) = as_field_holds(k.keyword, mean[k.level]);
    }
    return setup;
}

// E evaluated again from the unrounded mean levels.
void evaluate_exactly(Evaluation& e, const Setup& setup, const datafiles::LevelsMw& mean,
                      bool calibration) {
    const measure::MeasurementSetup& m = e.model;
    const double cal_on = calibration ? mean[datafiles::cal_on] : e.inputs.values.cal_on_dbm;
    const double cal_off = calibration ? mean[datafiles::cal_off] : e.inputs.values.cal_off_dbm;
    e.exact = measure::evaluate_exact(
        {cal_off, cal_on, mean[datafiles::meas_off], mean[datafiles::meas_on]}, m);
    e.budget = measured_budget(e, setup);
    if (!setup.second_stage) e.exact.gain_db = e.exact.nf_sa_db = not_computed;
}

// The Type A lines of LEVELS in E's budget. READINGS: the count of the
// point's own readings; FROM_FILE: the calibration file's are repeated.
// Where the calibration levels come from.
enum class CalibrationSource { readings, file, repeated_file };

// What the Type A lines replace, for the point's note.
std::string scatter_text(std::size_t readings, CalibrationSource calibration) {
    const std::string own = "the scatter of " + std::to_string(readings) + " readings of ";
    switch (calibration) {
        case CalibrationSource::readings:
            return own + "each level replaces the planned jitter";
        case CalibrationSource::file:
            return own + "the measured levels replaces their planned jitter";
        case CalibrationSource::repeated_file:
            break;
    }
    if (readings < 2) {
        return "the scatter of the calibration file's repeated readings replaces the planned "
               "jitter of the calibration levels";
    }
    return own +
           "the measured levels and of the calibration file's repeated readings replaces "
           "the planned jitter";
}

void assess_scatter(MeasuredPoint& p, const PointLevels& levels, std::size_t readings,
                    CalibrationSource calibration) {
    Evaluation& e = p.evaluation;
    const measure::AssessedBudget a = measure::with_type_a(*e.budget, levels.scatter);
    e.budget = a.budget;
    p.nu_eff = a.nu_eff;
    e.notes.push_back("Type A: " + scatter_text(readings, calibration) +
                      "; k for 95 % from Student's t at the effective degrees of freedom");
}

// The note on the planned jitter standing in for single readings' scatter:
// from what the readings say they stand for (FROM_READINGS), else the
// set-up's.
void single_readings_note(Evaluation& e, bool from_readings) {
    if (from_readings) {
        e.notes.push_back("single readings: the jitter of each from the noise bandwidth (" +
                          shortest_text(e.model.model.noise_bw_hz) + " Hz) and integration time (" +
                          shortest_text(e.model.model.tau_s) +
                          " s) the readings give (the analyzer's), not the set-up's");
        return;
    }
    e.notes.emplace_back(
        e.model.model.noise_bw_hz > 0 && e.model.model.tau_s > 0
            ? "single readings: the planned jitter (noise bandwidth and integration time) "
              "stands in for their scatter"
            : "single readings and no planned jitter: the budget has no reading jitter");
}

// Why a frequency's levels give no result, with what the calculator's
// manual mode says of them.
std::string no_result_note(const Evaluation& e) {
    std::string note =
        "these levels give no noise figure (a Y factor of 1 or less, or a noise factor of 0 or "
        "less once the analyzer's noise is taken off)";
    if (!e.classic.error.empty()) note += "; the calculator says: " + e.classic.error;
    return note;
}

// The notes on the mean levels as their fields would hold them go: the
// figures given are evaluated from the unrounded means.
void drop_level_notes(Evaluation& e, Naming naming) {
    std::erase_if(e.notes, [naming](const std::string& note) {
        return std::ranges::any_of(level_keywords, [&](const LevelKeyword& k) {
            const std::string name(name_of(*find_field_input(k.keyword), naming));
            return note.starts_with(name + ":");
        });
    });
}

// AT's levels as run_evaluation evaluates them (without their budget), the
// calculator of the band's set-up RESOLVER's.
EvaluationOutcome evaluated(const Setup& at, const ApplyOptions& options, LevelsResolver& resolver,
                            const EvaluationFiles& files) {
    if (std::string why = evaluation_refusal(at, options.naming); !why.empty())
        return {std::nullopt, std::move(why)};
    return evaluate_taken(resolver.resolve(at), at, files, false);
}

}  // namespace

std::string calibration_refusal(const Setup& setup, const datafiles::Readings& readings) {
    if (readings.has_calibration) {
        return "the readings give the calibration levels, and so does the calibration file: "
               "leave them out of one";
    }
    if (!setup.second_stage)
        return "a calibration file is for second-stage correction, which is off: leave it out";
    return {};
}

ReadingsOutcome evaluate_readings(const Setup& setup, const datafiles::Readings& readings,
                                  const ApplyOptions& options,
                                  const datafiles::Readings* calibration_file,
                                  const datafiles::EnrTable* enr_table,
                                  const datafiles::Touchstone* dut_sparameters) {
    ReadingsOutcome out;
    std::optional<CalibrationTable> table;
    if (calibration_file) {
        out.refused = calibration_refusal(setup, readings);
        if (!out.refused.empty()) return out;
        table.emplace(*calibration_file);
    }
    const bool calibration = readings.has_calibration || table;
    out.points.reserve(readings.points.size());
    const CalibrationSource source = !table              ? CalibrationSource::readings
                                     : table->repeated() ? CalibrationSource::repeated_file
                                                         : CalibrationSource::file;
    LevelsResolver resolver(options);
    for (const datafiles::ReadingsPoint& point : readings.points) {
        PointLevels levels = levels_of(point, readings.has_calibration);
        if (table) calibrate(levels, *table, setup, point);
        Setup at = setup_at(setup, point, levels.dbm, calibration);
        // Single readings scatter as what they stand for says.
        const bool spanned = !readings.repeated && point.noise_bw_hz && point.tau_s;
        if (spanned) {
            at.model.noise_bw_hz = *point.noise_bw_hz;
            at.model.tau_s = *point.tau_s;
        }
        // The levels are evaluated again, unrounded, with their budget.
        EvaluationOutcome o = evaluated(at, options, resolver, {enr_table, dut_sparameters});
        if (!o.evaluation) {
            out.points.clear();
            out.refused = std::move(o.refused);
            return out;
        }
        MeasuredPoint p{point.freq_ghz, point.readings.size(), std::move(*o.evaluation),
                        std::numeric_limits<double>::infinity()};
        Evaluation& e = p.evaluation;
        evaluate_exactly(e, at, levels.dbm, calibration);
        if (!e.exact.valid) e.notes.push_back(no_result_note(e));
        drop_level_notes(e, options.naming);
        e.notes.insert(e.notes.end(), levels.notes.begin(), levels.notes.end());
        if (e.budget && !levels.scatter.empty())
            assess_scatter(p, levels, point.readings.size(), source);
        if (e.budget && !readings.repeated) single_readings_note(e, spanned);
        out.points.push_back(std::move(p));
    }
    return out;
}

Json measured_point_json(const MeasuredPoint& p, bool with_budget) {
    const Evaluation& e = p.evaluation;
    const auto given = [](bool ok, double x) { return ok ? number_or_null(x) : Json(nullptr); };
    const bool gum = e.budget && e.budget->valid;
    Json j;
    j["freq_ghz"] = p.freq_ghz;
    j["readings"] = p.readings;
    j["dut_nf_db"] = given(e.exact.valid, e.exact.nf_dut_db);
    j["dut_gain_db"] = given(e.exact.valid, e.exact.gain_db);
    j["u_db"] = given(gum, gum ? e.budget->u_c_db : 0);
    j["U_db"] = given(gum, gum ? e.budget->U_db : 0);
    j["k"] = given(gum, gum ? e.budget->k : 0);
    j["nu_eff"] = given(gum, p.nu_eff);
    if (with_budget) j["gum"] = e.budget ? gum_json(*e.budget) : Json(nullptr);
    j["notes"] = e.notes;
    return j;
}

}  // namespace orlavex::app
