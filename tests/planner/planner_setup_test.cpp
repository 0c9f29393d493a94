// The planner's inputs as a sweep request and back: the request sweeps to
// the planner's own figures, another planner that opens it shows the same
// sweep, and a request the planner cannot take changes nothing.
#include "planner_fixture.h"

#include "app/inputs/sweep_request.h"
#include "app/results/sweep_output.h"
#include "planning/sweep.h"
#include "window/set_up_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <functional>
#include <sstream>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

std::string csv_of(const planning::Sweep& sweep) {
    std::ostringstream out;
    app::write_sweep_csv(out, planning::run_sweep(sweep), sweep.monte_carlo.enabled);
    return out.str();
}

// What the request sweeps when the command line or Python runs it.
std::string csv_of(const app::SweepRequest& request) {
    std::vector<std::string> notes;
    return csv_of(app::make_sweep(request, {}, notes));
}

void choose(QComboBox* box, const char* text) {
    box->setCurrentIndex(box->findText(QString::fromLatin1(text)));
}

// Planner states that differ in every kind of input.
const std::vector<std::pair<const char*, std::function<void(PlannerWindow&)>>>& planner_states() {
    static const std::vector<std::pair<const char*, std::function<void(PlannerWindow&)>>> states = {
        {"as opened", [](PlannerWindow&) {}},
        {"catalogue instruments, files and Monte Carlo",
         [](PlannerWindow& p) {
             choose(find<QComboBox>(p, "analyzer"), "Aravel-3");
             choose(find<QComboBox>(p, "noiseSource"), "NS346B");
             find<QDoubleSpinBox>(p, "dutNf")->setValue(2.25);
             p.load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr"));
             p.load_sparameters(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/dut_ri.s2p"));
             find<QCheckBox>(p, "monteCarlo")->setChecked(true);
             find<QSpinBox>(p, "trials")->setValue(1500);
             find<QDoubleSpinBox>(p, "noiseBandwidth")->setValue(4e6);
             find<QDoubleSpinBox>(p, "integrationTime")->setValue(0.01);
         }},
        {"a swept match as return loss, logarithmic frequency elsewhere",
         [](PlannerWindow& p) {
             choose(find<QComboBox>(p, "matchForm"), "Return loss (dB)");
             choose(find<QComboBox>(p, "sweptInput"), "DUT input match");
         }},
        {"the bench, swept over the loss after the DUT",
         [](PlannerWindow& p) {
             p.load_loss_file(LossSide::before, QStringLiteral(ORLAVEX_TEST_DATA_DIR
                                                               "/../../examples/input_cable.s2p"));
             find<QDoubleSpinBox>(p, "lossOutTemp")->setValue(77);
             find<QDoubleSpinBox>(p, "lossOutUnc")->setValue(0.05);
             choose(find<QComboBox>(p, "measSource"), "NS346C");
             choose(find<QComboBox>(p, "sweptInput"), "Loss after the DUT (dB)");
         }},
    };
    return states;
}

}  // namespace

class PlannerSetupTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void the_request_sweeps_to_the_planners_own_figures() {
        for (const auto& [name, make] : planner_states()) {
            PlannerWindow planner([] { return started_calculator(); });
            find<QSpinBox>(planner, "sweepPoints")->setValue(7);
            make(planner);
            const std::string own = csv_of(planner.current_sweep());
            QVERIFY2(own.find('\n') != std::string::npos, name);
            QVERIFY2(csv_of(planner.sweep_request()) == own, name);
        }
    }

    void another_planner_opens_the_request_whole() {
        for (const auto& [name, make] : planner_states()) {
            PlannerWindow source([] { return started_calculator(); });
            find<QSpinBox>(source, "sweepPoints")->setValue(6);
            make(source);
            const app::SweepRequest request = source.sweep_request();

            // Another planner, from a calculator with other choices.
            auto window = calculator_window();
            PlannerWindow* planner = open_planner(*window);
            choose(find<QComboBox>(*planner, "analyzer"), "Galder-3");
            QCOMPARE(planner->open_request(request), QString());
            QVERIFY2(csv_of(planner->current_sweep()) == csv_of(source.current_sweep()), name);
            QVERIFY2(csv_of(planner->sweep_request()) == csv_of(request), name);
            QVERIFY(wait_for_sweep(*planner));
        }
    }

    void a_request_the_planner_cannot_take_changes_nothing() {
        PlannerWindow planner([] { return started_calculator(); });
        planner_states()[3].second(planner);
        find<QSpinBox>(planner, "sweepPoints")->setValue(9);
        const std::string before = csv_of(planner.sweep_request());
        const app::SweepRequest good = planner.sweep_request();
        const auto refused = [&](const char* what, std::function<void(app::SweepRequest&)> spoil,
                                 const char* message) {
            app::SweepRequest r = good;
            r.setup.field("dut_gain") = 33;  // would change the sweep if taken
            spoil(r);
            const QString why = planner.open_request(r);
            if (!why.contains(QString::fromLatin1(message)))
                qWarning("%s: %s", what, qPrintable(why));
            return why.contains(QString::fromLatin1(message)) &&
                   csv_of(planner.sweep_request()) == before &&
                   csv_of(planner.current_sweep()) == before;
        };
        QVERIFY(refused(
            "points", [](app::SweepRequest& r) { r.points = 100000; }, "points"));
        QVERIFY(refused(
            "from", [](app::SweepRequest& r) { r.from = 0.123456789; }, "sweep from"));
        QVERIFY(refused(
            "model", [](app::SweepRequest& r) { r.setup.noise_source = "NS999"; }, "NS999"));
        QVERIFY(refused(
            "field", [](app::SweepRequest& r) { r.setup.field("dut_nf") = 1e9; }, "dut_nf"));
        QVERIFY(refused(
            "bench", [](app::SweepRequest& r) { r.setup.bench.loss_out.temperature_k = -1; },
            "temperature"));
        QVERIFY(refused(
            "file", [](app::SweepRequest& r) { r.enr_table_path = "/nonexistent.enr"; },
            "nonexistent.enr"));
    }
};

QTEST_MAIN(PlannerSetupTest)
#include "planner_setup_test.moc"
