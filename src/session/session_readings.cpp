// The session's measured readings: a readings file (or readings just taken)
// evaluated with the plan's set-up, as `orlavex-cli evaluate --readings
// --setup` evaluates them with the set-up file the plan saves.
#include "session/planner_session.h"

#include "app/inputs/typed_reflections.h"
#include "app/inputs/window_setup_reading.h"
#include "app/json.h"
#include "app/results/sweep_output.h"
#include "datafiles/file_error.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <filesystem>

namespace orlavex::session {

namespace {

constexpr std::string_view level_fields[] = {"freq", "cal_off", "cal_on", "meas_off", "meas_on"};

// X to the digits that read back as X.
std::string number_text(double x) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    return std::string(text, end);
}

}  // namespace

std::vector<MeasuredMark> measured_marks(const MeasuredReadings& readings) {
    std::vector<MeasuredMark> marks;
    for (const app::MeasuredPoint& p : readings.points) {
        const app::Json j = app::measured_point_json(p, false);
        if (!j["dut_nf_db"].is_number()) continue;
        MeasuredMark m{p.freq_ghz, j["dut_nf_db"].get<double>(), std::nullopt};
        if (readings.planned_dut_nf_db) *m.error_db -= *readings.planned_dut_nf_db;
        if (j["U_db"].is_number()) m.expanded_db = j["U_db"].get<double>();
        marks.push_back(m);
    }
    return marks;
}

std::size_t marks_within_plan(const std::vector<MeasuredMark>& marks,
                              const planning::SweepResult& plan) {
    std::size_t within = 0;
    for (const MeasuredMark& m : marks) {
        const planning::SweepPoint* nearest = nullptr;
        for (const planning::SweepPoint& p : plan.points) {
            if (p.in_range && (!nearest || std::fabs(p.freq_ghz - m.freq_ghz) <
                                               std::fabs(nearest->freq_ghz - m.freq_ghz)))
                nearest = &p;
        }
        if (nearest && m.error_db && std::fabs(*m.error_db) <= nearest->gum.U_db) ++within;
    }
    return within;
}

app::Setup PlannerSession::readings_setup() const {
    app::Setup setup = sweep_request().setup;
    // The readings give the frequency and the levels.
    for (const std::string_view field : level_fields)
        setup.field(field).reset();
    // Readings are evaluated with the reflections as the mismatch rows; a
    // plan with known ones shows their bias on its own curve beside them.
    app::forget_known_reflections(setup.model);
    return setup;
}

std::string PlannerSession::evaluate_readings(const datafiles::Readings& readings, std::string name,
                                              const datafiles::Readings* calibration,
                                              MeasuredReadings& out) const {
    const app::Setup setup = readings_setup();
    // The plan's ENR table gives the ENR at each reading's frequency, its
    // DUT file the DUT's matches there.
    app::ReadingsOutcome outcome = app::evaluate_readings(
        setup, readings, {false, app::Naming::flag}, calibration,
        enr_table_ ? &*enr_table_ : nullptr, sparameters_ ? &*sparameters_ : nullptr);
    if (!outcome.refused.empty()) return name + ": " + outcome.refused;
    out = MeasuredReadings{std::move(name), std::move(outcome.points), setup.field("dut_nf")};
    return {};
}

std::string PlannerSession::take_readings(const datafiles::Readings& readings, std::string name,
                                          const datafiles::Readings* calibration) {
    MeasuredReadings evaluated;
    if (std::string why = evaluate_readings(readings, std::move(name), calibration, evaluated);
        !why.empty())
        return why;
    measured_ = std::move(evaluated);
    return {};
}

std::string PlannerSession::open_readings(const std::string& path,
                                          const std::string& calibration_path) {
    try {
        const datafiles::Readings readings = datafiles::read_readings(path);
        std::optional<datafiles::Readings> calibration;
        if (!calibration_path.empty())
            calibration =
                datafiles::read_readings(calibration_path, datafiles::ReadingsColumns::calibration);
        return take_readings(readings, std::filesystem::path(path).filename().string(),
                             calibration ? &*calibration : nullptr);
    } catch (const datafiles::FileError& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::filesystem::path(path).filename().string() + ": " + e.what();
    }
}

std::string PlannerSession::measured_csv() const {
    if (!measured_) return {};
    std::string text = "freq_ghz,dut_nf_db,dut_gain_db,u_db,U_db,k,nu_eff,note\r\n";
    for (const app::MeasuredPoint& p : measured_->points) {
        const app::Json j = app::measured_point_json(p, false);
        for (const char* column :
             {"freq_ghz", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k", "nu_eff"})
            text += (j[column].is_number() ? number_text(j[column].get<double>()) : "") + ",";
        std::string notes;
        for (const auto& note : j["notes"])
            notes += (notes.empty() ? "" : "; ") + note.get<std::string>();
        text += app::csv_field(notes) + "\r\n";
    }
    return text;
}

void PlannerSession::clear_readings() {
    measured_.reset();
}

}  // namespace orlavex::session
