#include "cli/evaluate_readings.h"

#include "app/inputs/sweep_request.h"
#include "app/results/readings_evaluation.h"
#include "app/results/sweep_output.h"
#include "cli/evaluate.h"
#include "cli/measured_chart.h"
#include "cli/sweep_chart.h"
#include "cli/text_table.h"
#include "datafiles/file_error.h"
#include "datafiles/readings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

// What a readings file gives, which no option may give beside it.
constexpr std::string_view file_inputs[] = {"freq", "cal_off", "cal_on", "meas_off", "meas_on"};

// Why READINGS cannot be evaluated with the set-up given beside them; empty
// when they can.
std::string readings_refusal(const WindowInputs& inputs, const app::Setup& setup,
                             const datafiles::Readings& readings, bool calibration_file) {
    if (calibration_file && readings.has_calibration) {
        return "the readings give calibration levels, and --calibration gives them too: leave "
               "their cal_off and cal_on columns out or empty";
    }
    if (calibration_file && !setup.second_stage)
        return "--calibration is for second-stage correction, which --no-second-stage turns off";
    for (const std::string_view keyword : file_inputs) {
        if (inputs.files.given.contains(std::string(keyword))) {
            return "--readings gives the frequency and the levels: do not give " +
                   std::string(app::name_of(*app::find_field_input(keyword), app::Naming::flag)) +
                   " as well";
        }
        if (keyword != "freq" && setup.field(keyword)) {
            return "--readings gives the levels, and the set-up file holds them too: remove them "
                   "from one";
        }
    }
    const bool freq2 =
        std::ranges::any_of(readings.points, [](const auto& p) { return p.freq2_ghz.has_value(); });
    if (freq2 && inputs.files.given.contains("freq2"))
        return "--readings gives freq2_ghz: do not give --freq2 as well";
    if (freq2 && !setup.freq_conv) return "the readings give freq2_ghz: give --freq-conv";
    if (readings.has_calibration && !setup.second_stage) {
        return "the readings give calibration levels, which --no-second-stage does not take: "
               "leave out their cal_off and cal_on columns";
    }
    if (!readings.has_calibration && !calibration_file && setup.second_stage)
        return "the readings have no cal_off and cal_on columns: give them, or --no-second-stage";
    return {};
}

// X to the digits that read back as X; empty for a figure not given.
std::string csv_number(const app::Json& x) {
    if (!x.is_number()) return {};
    const double v = x.get<double>();
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

std::string shown(const app::Json& x, int places) {
    return x.is_number() ? fixed(x.get<double>(), places) : "- - -";
}

void print_csv(std::ostream& out, const std::vector<app::Json>& points) {
    out << "freq_ghz,dut_nf_db,dut_gain_db,u_db,U_db,k,nu_eff,note\r\n";
    for (const app::Json& p : points) {
        for (const char* column :
             {"freq_ghz", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k", "nu_eff"}) {
            out << csv_number(p[column]) << ',';
        }
        std::string notes;
        for (const auto& note : p["notes"])
            notes += (notes.empty() ? "" : "; ") + note.get<std::string>();
        out << app::csv_field(notes) << "\r\n";
    }
}

void print_table(std::ostream& out, const std::string& path,
                 const std::vector<app::MeasuredPoint>& points,
                 const std::vector<app::Json>& rows) {
    out << "Readings: " << path << ", " << points.size() << " frequencies, "
        << (points.front().readings > 1 ? "repeated readings (Type A)" : "single readings")
        << "\n\n";
    TextTable t({right, right, right, right, right, right, right, right});
    t.add({"freq GHz", "n", "DUT NF dB", "gain dB", "u dB", "U dB", "k", "nu_eff"});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const app::Json& r = rows[i];
        t.add({fixed(points[i].freq_ghz, 4), std::to_string(points[i].readings),
               shown(r["dut_nf_db"], 3), shown(r["dut_gain_db"], 3), shown(r["u_db"], 4),
               shown(r["U_db"], 4), shown(r["k"], 3),
               r["nu_eff"].is_number() ? fixed(r["nu_eff"].get<double>(), 1)
               : r["u_db"].is_number() ? "inf"
                                       : "- - -"});
    }
    t.print(out, "  ");
    // Each note once, in the order the points first give it.
    std::vector<std::string> notes;
    for (const app::MeasuredPoint& p : points) {
        for (const std::string& note : p.evaluation.notes) {
            if (std::ranges::find(notes, note) == notes.end()) notes.push_back(note);
        }
    }
    for (const std::string& note : notes)
        out << "  Note: " << note << '\n';
}

}  // namespace

std::string evaluate_readings_file(const WindowInputs& inputs, const app::ModelInputs& model,
                                   const ReadingsRequest& request, EvaluatedReadings& out) {
    datafiles::Readings readings;
    std::optional<datafiles::Readings> calibration;
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut;
    try {
        if (std::string why = typed_request(inputs, model, out.typed); !why.empty()) return why;
        enr_table = app::request_enr_table(out.typed);
        dut = app::request_dut_sparameters(out.typed);
        readings = datafiles::read_readings(request.path);
        if (!request.calibration.empty()) {
            calibration = datafiles::read_readings(request.calibration,
                                                   datafiles::ReadingsColumns::calibration);
        }
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    if (std::string why = typed_enr_refusal(inputs, enr_table); !why.empty()) return why;
    if (std::string why =
            readings_refusal(inputs, out.typed.setup, readings, calibration.has_value());
        !why.empty()) {
        return why;
    }
    app::ReadingsOutcome outcome =
        app::evaluate_readings(out.typed.setup, readings, {inputs.strict, app::Naming::flag},
                               calibration ? &*calibration : nullptr,
                               enr_table ? &*enr_table : nullptr, dut ? &*dut : nullptr);
    if (!outcome.refused.empty()) return outcome.refused;
    if (std::string why = save_setup(inputs.files, out.typed); !why.empty()) return why;
    for (const app::MeasuredPoint& p : outcome.points)
        out.rows.push_back(app::measured_point_json(p, request.format == "json"));
    out.points = std::move(outcome.points);
    return {};
}

bool gives_plan(const WindowInputs& inputs) {
    // The readings' own options and the outputs' say nothing of the set-up.
    constexpr std::string_view not_setup[] = {"readings", "calibration", "format",
                                              "plot",     "save_setup",  "strict"};
    return !inputs.files.setup.empty() ||
           std::ranges::any_of(inputs.files.given, [&](const std::string& keyword) {
               return std::ranges::find(not_setup, keyword) == std::end(not_setup);
           });
}

std::string run_evaluate_readings(const WindowInputs& inputs, const app::ModelInputs& model,
                                  const ReadingsRequest& request, std::ostream& out) {
    if (!request.plot.empty()) {
        if (std::string why = measured_plot_refusal(request.plot); !why.empty()) return why;
    }
    EvaluatedReadings evaluated;
    if (std::string why = evaluate_readings_file(inputs, model, request, evaluated); !why.empty())
        return why;
    // The chart's plan is swept before anything is written: a plan refused
    // costs the output nothing.
    charts::SweepChartData chart;
    if (!request.plot.empty()) {
        if (std::string why = measured_chart(evaluated, gives_plan(inputs), inputs.strict, chart);
            !why.empty())
            return why;
    }
    std::ostringstream text;
    if (request.format == "json") {
        text << app::Json(evaluated.rows).dump(2) << '\n';
    } else if (request.format == "csv") {
        print_csv(text, evaluated.rows);
    } else {
        print_table(text, request.shown_as.empty() ? request.path : request.shown_as,
                    evaluated.points, evaluated.rows);
    }
    out << text.str();
    if (request.plot.empty()) return {};
    out.flush();
    return draw_with_helper(chart, request.plot);
}

}  // namespace orlavex::cli
