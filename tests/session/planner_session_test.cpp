// The planner's session driven alone, with no window and no QApplication:
// a set-up file from examples/ opened, edited, swept, ranked, saved and
// reopened, its figures checked against orlavex-cli and the application
// functions on the same set-up.
#include "session/planner_session.h"

#include "app/inputs/sweep_request.h"
#include "app/setup_file/setup_file.h"
#include "child_process.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <complex>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace orlavex::session {
namespace {

namespace fs = std::filesystem;
using enum Ctl;

const std::string example = ORLAVEX_EXAMPLES_DIR "/lna_band.orlavex.json";

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string cli(const std::vector<std::string>& args) {
    const support::ChildRun run = support::run_child(ORLAVEX_CLI_PATH, args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

class SessionTest : public testing::Test {
  protected:
    fs::path temp(const std::string& name) const { return dir_ / name; }

    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("session_test_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // S's sweep exported as CSV, as a file's text.
    std::string csv_of(const PlannerSession& s, const std::string& name) const {
        EXPECT_EQ(s.export_csv(temp(name)), "");
        return read_file(temp(name));
    }

    fs::path dir_;
};

PlannerSession opened(const std::string& path) {
    PlannerSession s(started_calculator());
    EXPECT_EQ(s.open_setup_file(path), "");
    return s;
}

const planning::SweepResult& swept(PlannerSession& s) {
    planning::SweepProgress progress;
    const SweepOutcome outcome = s.run_sweep(progress);
    EXPECT_TRUE(outcome.result && !outcome.cancelled && outcome.error.empty()) << outcome.error;
    EXPECT_EQ(progress.done.load(), s.sweep_inputs().points);
    return *s.result();
}

// The sweep the application layer makes of the set-up file PATH.
planning::SweepResult app_sweep(const fs::path& path) {
    std::vector<std::string> notes;
    return planning::run_sweep(app::make_sweep(app::read_setup_file(path), {}, notes));
}

void expect_same_points(const planning::SweepResult& a, const planning::SweepResult& b) {
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        const planning::SweepPoint &p = a.points[i], &q = b.points[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p.swept_value, q.swept_value);
        EXPECT_EQ(p.dut_nf_db, q.dut_nf_db);
        EXPECT_EQ(p.dut_gain_db, q.dut_gain_db);
        EXPECT_EQ(p.enr_db, q.enr_db);
        EXPECT_EQ(p.gum.U_db, q.gum.U_db);
        EXPECT_EQ(p.classic.rss_db, q.classic.rss_db);
        EXPECT_EQ(p.note, q.note);
    }
}

TEST_F(SessionTest, AnExampleSweepsAndExportsAsTheCommandLineDoes) {
    PlannerSession s = opened(example);
    EXPECT_EQ(s.setup_path(), fs::absolute(example).lexically_normal().string());
    EXPECT_FALSE(s.dirty());
    EXPECT_EQ(s.export_csv(temp("none.csv")), "No sweep to export yet.");
    const planning::SweepResult& result = swept(s);
    ASSERT_EQ(result.points.size(), 171u);
    EXPECT_EQ(s.selected_point(), 85u);  // the middle one, 9.5 GHz
    EXPECT_EQ(csv_of(s, "session.csv"), cli({"sweep", "--setup", example, "--format", "csv"}));
    expect_same_points(result, app_sweep(example));
    EXPECT_FALSE(s.dirty());  // sweeping changes no input
}

TEST_F(SessionTest, AnEditedPlanIsSweptRankedSavedAndReopenedWhole) {
    PlannerSession s = opened(example);
    EXPECT_EQ(s.enter_field(txtDUT_NF, 3.25), "");
    EXPECT_TRUE(s.dirty());
    for (const planning::SweepPoint& p : swept(s).points)
        ASSERT_EQ(p.dut_nf_db, 3.25);

    // The point chosen keeps its frequency through a finer sweep.
    s.select_point(20);
    EXPECT_DOUBLE_EQ(s.result()->points[20].swept_value, 3.0);
    SweepInputs finer = s.sweep_inputs();
    finer.points = 341;
    s.set_sweep_inputs(finer);
    ASSERT_EQ(swept(s).points.size(), 341u);
    EXPECT_EQ(s.selected_point(), 40u);
    s.select_point(341);  // out of the result: nothing changes
    EXPECT_EQ(s.selected_point(), 40u);

    planning::SweepProgress progress;
    const AdviceOutcome ranked = s.run_advice(progress);
    ASSERT_TRUE(ranked.error.empty() && !ranked.cancelled) << ranked.error;
    EXPECT_TRUE(s.advice_current());

    const fs::path saved = temp("edited.orlavex.json");
    ASSERT_EQ(s.save_setup_file(saved), "");
    EXPECT_FALSE(s.dirty());
    EXPECT_EQ(s.setup_path(), saved.string());

    // The ranking is orlavex-cli's for the saved set-up, row by row.
    const nlohmann::json cli_advice =
        nlohmann::json::parse(cli({"advise", "--setup", saved.string(), "--json"}))["ranking"];
    const std::vector<planning::AdviceEntry>& ranking = s.advice().ranking;
    ASSERT_EQ(ranking.size(), cli_advice.size());
    ASSERT_GT(ranking.size(), 2u);
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        EXPECT_EQ(ranking[i].candidate.label(), cli_advice[i]["label"]);
        const nlohmann::json& worst = cli_advice[i]["worst_U_db"];  // null: no point evaluated
        if (worst.is_null()) {
            EXPECT_EQ(ranking[i].evaluated, 0u);
        } else {
            EXPECT_EQ(ranking[i].worst_U_db, worst.get<double>());
        }
        EXPECT_EQ(ranking[i].all_green, cli_advice[i]["all_green"].get<std::size_t>());
    }

    // Reopened elsewhere, the plan sweeps to the very same figures.
    PlannerSession t = opened(saved.string());
    EXPECT_EQ(t.sweep_inputs().points, 341u);
    EXPECT_EQ(t.setup().state.DUT_NF, 3.25);
    EXPECT_TRUE(t.enr_table() && t.sparameters());
    expect_same_points(swept(t), *s.result());
    expect_same_points(*t.result(), app_sweep(saved));
    EXPECT_EQ(csv_of(t, "reopened.csv"), csv_of(s, "first.csv"));
    EXPECT_EQ(csv_of(t, "cli.csv"), cli({"sweep", "--setup", saved.string(), "--format", "csv"}));
}

// What each action does to the unsaved state, the count of changes and the
// ranking's currency, in order on one session.
TEST_F(SessionTest, DirtyStateFollowsTheInputsNotTheWork) {
    PlannerSession s = opened(example);
    planning::SweepProgress progress;
    const std::string elsewhere = temp("elsewhere.orlavex.json").string();
    struct Step {
        const char* action;
        std::function<void()> act;
        bool dirty, changes, advice_current;
    };
    const Step steps[] = {
        {"sweep", [&] { s.run_sweep(progress); }, false, false, false},
        {"rank", [&] { s.run_advice(progress); }, false, false, true},
        {"select a point", [&] { s.select_point(3); }, false, false, true},
        {"take ranking row 2", [&] { EXPECT_EQ(s.apply_advice(1), std::string()); }, true, true,
         true},
        {"save elsewhere", [&] { EXPECT_EQ(s.save_setup_file(elsewhere), ""); }, false, false,
         true},
        {"a bad ENR table",
         [&] { EXPECT_NE(s.load_enr_table(ORLAVEX_EXAMPLES_DIR "/lna_1-18ghz.s2p"), ""); }, false,
         false, true},
        {"more points",
         [&] {
             SweepInputs in = s.sweep_inputs();
             in.points = 11;
             s.set_sweep_inputs(in);
         },
         true, true, false},
        {"an outdated row", [&] { EXPECT_EQ(s.apply_advice(0), std::nullopt); }, true, false,
         false},
        {"reopen", [&] { EXPECT_EQ(s.open_setup_file(elsewhere), ""); }, false, true, false},
        {"a refused bench",
         [&] {
             planning::BenchInput b;
             b.loss_in.loss_db = -1;
             EXPECT_NE(s.apply_bench(b), "");
         },
         false, false, false},
        {"clear the S-parameters", [&] { s.clear_sparameters(); }, true, true, false},
        {"a missing file",
         [&] {
             EXPECT_NE(s.open_setup_file(temp("gone.orlavex.json")).find("gone.orlavex.json"),
                       std::string::npos);
             EXPECT_EQ(s.setup_path(), elsewhere);
         },
         true, false, false},
        {"start afresh", [&] { s.start_afresh(started_calculator()); }, false, true, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        const unsigned before = s.changes();
        step.act();
        EXPECT_EQ(s.dirty(), step.dirty);
        EXPECT_EQ(s.changes() != before, step.changes);
        EXPECT_EQ(s.advice_current(), step.advice_current);
    }
    EXPECT_EQ(s.setup_path(), "");
}

// Requests the planner cannot hold as they are: refused whole, with nothing
// of the session changed.
TEST_F(SessionTest, RequestsBeyondThePlannersLimitsChangeNothing) {
    PlannerSession s = opened(example);
    const app::SweepRequest good = s.sweep_request();
    struct Case {
        const char* why;
        std::function<void(app::SweepRequest&)> edit;
    };
    const Case cases[] = {
        {"the planner sweeps 2 to 5001 points, not 1", [](auto& r) { r.points = 1; }},
        {"the planner sweeps 2 to 5001 points, not 5002", [](auto& r) { r.points = 5002; }},
        {"the planner cannot hold a sweep from 1.00001", [](auto& r) { r.from = 1.00001; }},
        {"the planner cannot hold a sweep to 100001", [](auto& r) { r.to = 100001; }},
        {"the planner cannot hold a noise bandwidth of 0.5",
         [](auto& r) { r.setup.model.noise_bw_hz = 0.5; }},
        {"the planner cannot hold an integration time of 1001",
         [](auto& r) { r.setup.model.tau_s = 1001; }},
        {"the planner runs 100 to 1000000 Monte Carlo trials a point, not 99",
         [](auto& r) {
             r.monte_carlo = true;
             r.setup.model.trials = 99;
         }},
        {"loss", [](auto& r) { r.setup.bench.loss_out.loss_db = -2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        app::SweepRequest r = good;
        c.edit(r);
        const unsigned before = s.changes();
        EXPECT_NE(s.open_request(r).find(c.why), std::string::npos) << s.open_request(r);
        EXPECT_EQ(s.changes(), before);
        EXPECT_FALSE(s.dirty());
        EXPECT_EQ(app::setup_file_text(s.sweep_request()), app::setup_file_text(good));
    }
    // Out of reach for the planner, not for the application: 99 trials
    // without the Monte Carlo are kept as they came.
    app::SweepRequest quiet = good;
    quiet.setup.model.trials = 99;
    EXPECT_EQ(s.open_request(quiet), "");
    EXPECT_EQ(s.sweep_request().setup.model.trials, 99u);
    EXPECT_EQ(s.sweep_inputs().trials, SweepInputs{}.trials);
}

// A new swept input starts from its own range, in the form its match is
// given; only a frequency sweep keeps a logarithmic scale.
TEST_F(SessionTest, ANewSweptInputStartsFromItsDefaultRange) {
    using planning::MatchForm;
    using planning::SweptInput;
    struct Case {
        SweptInput over;
        MatchForm form;
        double from, to;
        bool log;
    };
    const Case cases[] = {
        {SweptInput::frequency, MatchForm::vswr, 0.1, 18, true},
        {SweptInput::dut_gain, MatchForm::vswr, 0, 40, false},
        {SweptInput::source_match, MatchForm::vswr, 1, 1.5, false},
        {SweptInput::source_match, MatchForm::return_loss, 30, 10, false},
        {SweptInput::loss_in, MatchForm::return_loss, 0, 3, false},
        {SweptInput::toff, MatchForm::vswr, 0, 50, false},
    };
    PlannerSession s(started_calculator());
    for (const Case& c : cases) {
        SCOPED_TRACE(planning::info(c.over).name);
        SweepInputs in = s.sweep_inputs();
        in.log = true;
        s.set_sweep_inputs(in);
        s.sweep_over(c.over, c.form);
        EXPECT_EQ(s.sweep_inputs().from, c.from);
        EXPECT_EQ(s.sweep_inputs().to, c.to);
        EXPECT_EQ(s.sweep_inputs().log, c.log);
        const planning::Sweep sweep = s.current_sweep();
        EXPECT_EQ(sweep.over, c.over);
        EXPECT_EQ(sweep.match_form, c.form);
    }
}

// The two halves a caller with a thread of its own uses: the result shown
// is described by the job it was run for, not by the inputs since; a
// cancelled run keeps what was shown.
TEST_F(SessionTest, AJobsResultIsDescribedByItsJobAndCancelKeepsTheLast) {
    PlannerSession s = opened(example);
    const SweepJob job = s.sweep_job();
    EXPECT_EQ(s.enter_field(txtDUT_NF, 4), "");
    planning::SweepProgress progress;
    SweepOutcome outcome = run_sweep_job(job, progress);
    s.take_sweep(job, outcome.result);
    EXPECT_EQ(app::setup_file_text(s.shown_request()), app::setup_file_text(job.request));
    EXPECT_NE(app::setup_file_text(s.shown_request()), app::setup_file_text(s.sweep_request()));
    EXPECT_EQ(s.result()->points.front().dut_nf_db, 2.5);
    EXPECT_EQ(s.setup().state.DUT_NF, 4);
    ASSERT_NE(s.shown_sweep(), nullptr);

    planning::SweepProgress stopped;
    stopped.cancel = true;
    EXPECT_TRUE(s.run_sweep(stopped).cancelled);
    EXPECT_EQ(s.result(), outcome.result.get());
    EXPECT_TRUE(s.run_advice(stopped).cancelled);
    EXPECT_TRUE(s.advice().ranking.empty());

    s.drop_sweep();
    EXPECT_EQ(s.result(), nullptr);
    EXPECT_EQ(s.shown_sweep(), nullptr);
    EXPECT_EQ(s.selected_point(), std::nullopt);
}

// Readings opened in the planner are evaluated with the plan's set-up as it
// is now, figure for figure as orlavex-cli evaluates them with the set-up
// file the plan saves; the chart's marks are the measured noise figure less
// the planned one, with U as the bar.
struct ReadingsCase {
    const char* name;
    double dut_nf;  // entered into the plan before the readings are opened
    bool jitter;    // the planned reading jitter (a sweep input) set
    const char* rows;
};

constexpr ReadingsCase readings_cases[] = {
    {"single readings with the planned jitter", 2.5, true,
     "2,-85.1,-70.3,-64.9,-56.0\n6,-85.0,-70.6,-65.2,-56.1\n12,-84.9,-70.9,-65.0,-55.7\n"},
    {"repeated readings", 4, false,
     "3,-85.1,-70.3,-64.9,-56.0\n3,-85.2,-70.2,-64.8,-56.1\n3,-85.0,-70.4,-65.0,-55.9\n"
     "9,-85.0,-70.6,-65.2,-56.1\n9,-85.1,-70.5,-65.1,-56.2\n"},
};

TEST_F(SessionTest, ReadingsAreEvaluatedAsTheCliEvaluatesThemWithThePlansSetup) {
    for (const ReadingsCase& c : readings_cases) {
        SCOPED_TRACE(c.name);
        PlannerSession s = opened(example);
        EXPECT_EQ(s.enter_field(txtDUT_NF, c.dut_nf), "");
        if (c.jitter) {
            SweepInputs inputs = s.sweep_inputs();
            inputs.noise_bw_hz = 4e6;
            inputs.tau_s = 0.05;
            s.set_sweep_inputs(inputs);
        }
        const fs::path readings = temp("readings.csv"), plan = temp("plan.orlavex.json");
        std::ofstream(readings) << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
                                << c.rows;
        ASSERT_EQ(s.save_setup_file(plan), "");
        ASSERT_EQ(s.open_readings(readings), "");
        const auto expected =
            nlohmann::json::parse(cli({"evaluate", "--setup", plan.string(), "--readings",
                                       readings.string(), "--format", "json"}));
        ASSERT_TRUE(s.measured().has_value());
        const std::vector<app::MeasuredPoint>& points = s.measured()->points;
        ASSERT_EQ(points.size(), expected.size());
        const std::vector<MeasuredMark> marks = measured_marks(*s.measured());
        ASSERT_EQ(marks.size(), points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const nlohmann::json got = app::measured_point_json(points[i], true);
            // The command line's own note on the sweep's files it leaves unread.
            nlohmann::json want = expected[i];
            std::erase_if(want["notes"].get_ref<nlohmann::json::array_t&>(),
                          [](const nlohmann::json& n) {
                              return n.get<std::string>().starts_with("the set-up's ");
                          });
            EXPECT_EQ(got.dump(), want.dump()) << "point " << i;
            EXPECT_EQ(marks[i].freq_ghz, expected[i]["freq_ghz"].get<double>());
            EXPECT_EQ(*marks[i].error_db, expected[i]["dut_nf_db"].get<double>() - c.dut_nf);
            EXPECT_EQ(*marks[i].expanded_db, expected[i]["U_db"].get<double>());
        }
        EXPECT_EQ(s.measured()->name, "readings.csv");
    }
}

// A file that cannot be used changes nothing and says why, naming it.
TEST_F(SessionTest, ReadingsThatCannotBeUsedKeepTheOnesShown) {
    PlannerSession s = opened(example);
    const fs::path good = temp("good.csv"), bad = temp("bad.csv"), uncal = temp("uncal.csv");
    std::ofstream(good) << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
                           "2,-85.1,-70.3,-64.9,-56.0\n";
    std::ofstream(bad) << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n2,x,1,2,3\n";
    std::ofstream(uncal) << "freq_ghz,meas_off_dbm,meas_on_dbm\n2,-64.9,-56.0\n";
    ASSERT_EQ(s.open_readings(good), "");
    const struct {
        fs::path path;
        const char* says;
    } cases[] = {{bad, "bad.csv:2"}, {uncal, "uncal.csv"}, {temp("none.csv"), "none.csv"}};
    for (const auto& c : cases) {
        const std::string why = s.open_readings(c.path);
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
        ASSERT_TRUE(s.measured().has_value());
        EXPECT_EQ(s.measured()->name, "good.csv");
    }
    s.clear_readings();
    EXPECT_FALSE(s.measured().has_value());
}

// A plan that knows the reflections still takes readings: they are
// evaluated with the mismatch rows, as evaluate takes them, and the same.
TEST_F(SessionTest, APlanWithKnownReflectionsEvaluatesReadingsWithTheMismatchRows) {
    PlannerSession s = opened(example);
    const fs::path readings = temp("readings.csv");
    std::ofstream(readings) << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
                               "2,-85.1,-70.3,-64.9,-56.0\n";
    ASSERT_EQ(s.open_readings(readings), "");
    const std::string random = app::measured_point_json(s.measured()->points.at(0), true).dump();
    measure::ModelOptions known = s.model_options();
    known.reflections = measure::ReflectionModel::known;
    known.dut_s11 = std::polar(0.5, -1.0);
    s.set_model_options(known);
    ASSERT_EQ(s.open_readings(readings), "");
    EXPECT_EQ(app::measured_point_json(s.measured()->points.at(0), true).dump(), random);
}

// Typed reflections the command line refuses in a set-up file stop the
// planner's sweep with its line; a set the files leave open sweeps.
TEST_F(SessionTest, TypedReflectionsAreRefusedAsTheCommandLineRefusesThem) {
    const std::complex<double> g = std::polar(0.1, 0.5);
    struct Case {
        bool source_table;  // reflections_source.enr: the source's reflections
        std::optional<std::complex<double>> on, off;
        std::optional<double> nfmin;
        std::string refused;  // how the error starts; empty: swept
    } const cases[] = {
        {false, g, g, {}, ""},
        {true, {}, {}, {}, ""},
        {false, g, {}, {}, "source_on_gamma and source_off_gamma go together"},
        {true, g, g, {}, "source_on_gamma: the file reflections_source.enr gives"},
        {false, g, g, -0.2, "dut_nfmin: -0.2 is out of range"},
    };
    for (const Case& c : cases) {
        PlannerSession s(started_calculator());
        if (c.source_table) {
            ASSERT_EQ(s.load_enr_table(ORLAVEX_TEST_DATA_DIR "/reflections_source.enr"), "");
        }
        measure::ModelOptions m = s.model_options();
        m.reflections = measure::ReflectionModel::known;
        std::tie(m.source_on_gamma, m.source_off_gamma, m.dut_s11, m.dut_nfmin_db) =
            std::tuple(c.on, c.off, g, c.nfmin);
        s.set_model_options(m);
        planning::SweepProgress progress;
        const SweepOutcome outcome = s.run_sweep(progress);
        EXPECT_EQ(outcome.error.rfind(c.refused, 0), 0u) << outcome.error;
        EXPECT_EQ(s.result() != nullptr, c.refused.empty()) << c.refused;
    }
}

}  // namespace
}  // namespace orlavex::session
