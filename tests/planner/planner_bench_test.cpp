// The bench around the DUT in the planner: the losses and the measurement
// source fill the sweep and the budget, a loss can be swept, and a bench the
// model cannot use is refused whole.
#include "planner_fixture.h"

#include "planner/budget_view.h"
#include "planning/sweep.h"
#include "window/set_up_actions.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

using namespace orlavex;
using namespace orlavex::planner;
using namespace orlavex::planner::testing;

namespace {

template <typename Widget>
Widget* find(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

const measure::BudgetLine* line(const measure::Budget& budget, std::string_view source) {
    const auto it = std::ranges::find(budget.lines, source, &measure::BudgetLine::source);
    return it == budget.lines.end() ? nullptr : &*it;
}

// A planner of few points whose DUT gain lets a loss before it count almost
// one for one.
std::unique_ptr<PlannerWindow> small_planner() {
    auto planner = std::make_unique<PlannerWindow>([] { return started_calculator(); });
    find<QSpinBox>(*planner, "sweepPoints")->setValue(5);
    find<QDoubleSpinBox>(*planner, "dutGain")->setValue(40);
    return planner;
}

}  // namespace

class PlannerBenchTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { fail_on_qt_warnings(); }

    void the_losses_fill_the_sweep_and_the_budget() {
        auto planner = small_planner();
        QVERIFY(!find<QWidget>(*planner, "lossIn")->isVisibleTo(planner.get()));  // folded
        find<QToolButton>(*planner, "benchHeading")->click();
        QVERIFY(find<QWidget>(*planner, "lossIn")->isVisibleTo(planner.get()));
        find<QDoubleSpinBox>(*planner, "lossIn")->setValue(1);
        find<QDoubleSpinBox>(*planner, "lossInUnc")->setValue(0.1);
        find<QDoubleSpinBox>(*planner, "lossOut")->setValue(0.5);
        find<QDoubleSpinBox>(*planner, "lossOutTemp")->setValue(77);
        QVERIFY(wait_for_sweep(*planner));

        const planning::BenchInput& bench = planner->current_sweep().bench;
        QCOMPARE(bench.loss_in.loss_db, 1.0);
        QCOMPARE(bench.loss_in.unc_db, 0.1);
        QCOMPARE(bench.loss_in.temperature_k, measure::T0);
        QCOMPARE(bench.loss_out.loss_db, 0.5);
        QCOMPARE(bench.loss_out.temperature_k, 77.0);
        // The figures are the planning library's for that bench.
        const planning::SweepResult direct = planning::run_sweep(planner->current_sweep());
        for (std::size_t i = 0; i < direct.points.size(); ++i)
            QCOMPARE(planner->result()->points[i].gum.U_db, direct.points[i].gum.U_db);
        const measure::Budget& budget = planner->result()->points[2].gum;
        const measure::BudgetLine* loss_in = line(budget, "loss_in");
        QVERIFY(loss_in != nullptr && line(budget, "loss_out") != nullptr);
        QCOMPARE(loss_in->u, 0.05);
        QVERIFY2(loss_in->c > 0.9 && loss_in->c < 1.1, qPrintable(QString::number(loss_in->c)));
        // The budget names them.
        planner->select_point(2);
        QVERIFY(planner->budget_text().contains(QStringLiteral("Loss before the DUT\t")));
        QVERIFY(planner->budget_text().contains(QStringLiteral("Loss after the DUT\t")));
    }

    void a_loss_can_be_swept() {
        auto planner = small_planner();
        find<QDoubleSpinBox>(*planner, "lossInUnc")->setValue(0.1);
        auto* over = find<QComboBox>(*planner, "sweptInput");
        for (const char* label : {"Loss after the DUT (dB)", "Loss before the DUT (dB)"}) {
            const int index = over->findText(QString::fromLatin1(label));
            QVERIFY2(index >= 0, label);
            over->setCurrentIndex(index);
            QCOMPARE(find<QDoubleSpinBox>(*planner, "sweepFrom")->value(), 0.0);
            QCOMPARE(find<QDoubleSpinBox>(*planner, "sweepTo")->value(), 3.0);
            QCOMPARE(find<QDoubleSpinBox>(*planner, "sweepTo")->suffix(), QStringLiteral(" dB"));
            QVERIFY(wait_for_sweep(*planner));
        }
        const auto& points = planner->result()->points;
        QCOMPARE(planner->result()->over, planning::SweptInput::loss_in);
        QCOMPARE(points.back().setup.loss_in.loss_db, 3.0);
        QVERIFY(points.back().gum.U_db > points.front().gum.U_db);
    }

    void a_bench_the_model_cannot_use_is_refused_whole() {
        auto planner = small_planner();
        find<QDoubleSpinBox>(*planner, "lossIn")->setValue(1.5);
        QVERIFY(wait_for_sweep(*planner));
        const auto unchanged = [&] {
            const planning::BenchInput& b = planner->bench();
            return b.loss_in.loss_db == 1.5 && !b.loss_in.sparameters && !b.loss_out.sparameters &&
                   find<QDoubleSpinBox>(*planner, "lossIn")->value() == 1.5 &&
                   find<QDoubleSpinBox>(*planner, "lossIn")->isEnabled() &&
                   find<QLabel>(*planner, "lossInFile")->isHidden();
        };
        // An amplifier is no loss; a 1-port is no part between two others.
        planner->load_loss_file(LossSide::before,
                                QStringLiteral(ORLAVEX_TEST_DATA_DIR "/amplifier.s2p"));
        QVERIFY2(planner->status_text().contains(QStringLiteral("a gain, not a loss")),
                 qPrintable(planner->status_text()));
        QVERIFY(unchanged());
        planner->load_loss_file(LossSide::after,
                                QStringLiteral(ORLAVEX_TEST_DATA_DIR "/dut_input.s1p"));
        QVERIFY2(planner->status_text().contains(QStringLiteral("2-port")),
                 qPrintable(planner->status_text()));
        QVERIFY(unchanged());
        QVERIFY(!planner->load_loss_file(LossSide::before, QStringLiteral("/nonexistent.s2p")));
        QVERIFY(planner->status_text().contains(QStringLiteral("nonexistent.s2p")));
        QVERIFY(unchanged());

        // A good file replaces the value, and Clear takes the loss away.
        QVERIFY(planner->load_loss_file(LossSide::before,
                                        QStringLiteral(ORLAVEX_TEST_DATA_DIR "/cable.s2p")));
        QVERIFY(planner->bench().loss_in.sparameters.has_value());
        QVERIFY(!find<QDoubleSpinBox>(*planner, "lossIn")->isEnabled());
        QVERIFY(find<QLabel>(*planner, "lossInFile")->text().contains(QStringLiteral("cable.s2p")));
        QVERIFY(wait_for_sweep(*planner));
        find<QPushButton>(*planner, "lossInClear")->click();
        QVERIFY(!planner->bench().any());
        QVERIFY(find<QLabel>(*planner, "lossInFile")->isHidden());
    }

    void the_measurement_source_is_one_of_its_kinds() {
        auto planner = small_planner();
        auto* source = find<QComboBox>(*planner, "measSource");
        source->setCurrentIndex(source->findText(QStringLiteral("NS346C")));
        QVERIFY(planner->bench().meas_source.has_value());
        QCOMPARE(planner->bench().meas_source->model, std::string("NS346C"));
        QVERIFY(find<QDoubleSpinBox>(*planner, "measEnrUnc")->isEnabled());
        find<QDoubleSpinBox>(*planner, "measEnrUnc")->setValue(0.25);
        QCOMPARE(planner->bench().meas_source->enr_unc_db, 0.25);
        QVERIFY(wait_for_sweep(*planner));
        const measure::Budget& budget = planner->result()->points[2].gum;
        QVERIFY(line(budget, "enr_cal") != nullptr && line(budget, "enr_meas") != nullptr);

        // An ENR value keeps the uncertainty given; a table replaces it.
        source->setCurrentIndex(1);
        QVERIFY(planner->bench().meas_source->enr_db.has_value());
        QVERIFY(planner->bench().meas_source->model.empty());
        QCOMPARE(planner->bench().meas_source->enr_unc_db, 0.25);
        find<QDoubleSpinBox>(*planner, "measEnr")->setValue(6);
        QCOMPARE(planner->bench().meas_source->enr_db, 6.0);
        QVERIFY(planner->load_meas_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr")));
        QVERIFY(planner->bench().meas_source->table.has_value());
        QCOMPARE(source->currentIndex(), 2);
        QVERIFY(!find<QDoubleSpinBox>(*planner, "measEnr")->isEnabled());

        source->setCurrentIndex(0);
        QVERIFY(!planner->bench().meas_source.has_value());
        QVERIFY(!find<QDoubleSpinBox>(*planner, "measEnrUnc")->isEnabled());
        QVERIFY(wait_for_sweep(*planner));
        QVERIFY(line(planner->result()->points[2].gum, "enr_meas") == nullptr);
    }
};

QTEST_MAIN(PlannerBenchTest)
#include "planner_bench_test.moc"
