// The planner's inputs as the application's sweep request (set-up, sweep and
// data files) and back: what a set-up file saves and reopens.
#include "planner/planner_window.h"

#include "app/inputs/apply.h"
#include "app/inputs/window_setup_reading.h"
#include "datafiles/file_error.h"
#include "planner/prediction_setup.h"
#include "ui/qstring.h"
#include "window/set_up_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace orlavex::planner {

namespace {

// Whether BOX shows VALUE as it is, neither bounded nor rounded.
bool holds(const QDoubleSpinBox& box, double value) {
    const double scale = std::pow(10.0, box.decimals());
    return value >= box.minimum() && value <= box.maximum() &&
           std::round(value * scale) / scale == value;
}

QString out_of_reach(const QString& what, double value) {
    return PlannerWindow::tr("the planner cannot hold %1 %2")
        .arg(what, QString::number(value, 'g', 17));
}

}  // namespace

app::SweepRequest PlannerWindow::sweep_request() const {
    app::SweepRequest r;
    r.setup = app::read_setup(setup_);
    r.setup.model = model_;
    r.setup.model.noise_bw_hz = noise_bw_->value();
    r.setup.model.tau_s = tau_->value();
    // Trials the planner does not run stay as they came.
    if (monte_carlo_->isChecked())
        r.setup.model.trials = static_cast<std::size_t>(trials_->value());
    r.setup.bench = bench_;
    const planning::Sweep sweep = current_sweep();
    r.over = sweep.over;
    r.from = sweep.from;
    r.to = sweep.to;
    r.points = sweep.points;
    r.log = sweep.spacing == planning::Spacing::logarithmic;
    r.match_form = sweep.match_form;
    r.enr_table = enr_table_;
    r.dut_sparameters = sparameters_;
    r.embedded = embedded_;
    r.monte_carlo = sweep.monte_carlo.enabled;
    r.fixed_lo = conversion_->currentIndex() == 1;
    return r;
}

// Why the planner's controls cannot show REQUEST as it is; empty when they can.
QString PlannerWindow::request_out_of_reach(const app::SweepRequest& r) const {
    if (over_->findData(static_cast<int>(r.over)) < 0)
        return tr("the planner cannot sweep %1").arg(ui::qstring(planning::info(r.over).name));
    if (r.points < static_cast<std::size_t>(points_->minimum()) ||
        r.points > static_cast<std::size_t>(points_->maximum()))
        return tr("the planner sweeps %1 to %2 points, not %3")
            .arg(points_->minimum())
            .arg(points_->maximum())
            .arg(r.points);
    for (const auto& [box, value, what] :
         {std::tuple{from_, r.from, tr("a sweep from")},
          {to_, r.to, tr("a sweep to")},
          {noise_bw_, r.setup.model.noise_bw_hz, tr("a noise bandwidth of")},
          {tau_, r.setup.model.tau_s, tr("an integration time of")}})
        if (!holds(*box, value)) return out_of_reach(what, value);
    if (r.monte_carlo && (r.setup.model.trials < static_cast<std::size_t>(trials_->minimum()) ||
                          r.setup.model.trials > static_cast<std::size_t>(trials_->maximum())))
        return tr("the planner runs %1 to %2 Monte Carlo trials a point, not %3")
            .arg(trials_->minimum())
            .arg(trials_->maximum())
            .arg(r.setup.model.trials);
    return {};
}

QString PlannerWindow::open_request(const app::SweepRequest& request) {
    if (QString why = request_out_of_reach(request); !why.isEmpty()) return why;
    if (const std::string why = planning::bench_input_problem(request.setup.bench); !why.empty())
        return QString::fromStdString(why);
    Calculator calc = started_calculator();
    const app::Applied applied =
        app::apply(calc, request.setup, {.strict = false, .naming = app::Naming::keyword});
    if (!applied.refused.empty()) return QString::fromStdString(applied.refused);
    std::optional<datafiles::EnrTable> enr_table = request.enr_table;
    std::optional<datafiles::Touchstone> sparameters = request.dut_sparameters;
    try {
        if (!request.enr_table_path.empty())
            enr_table = datafiles::read_enr_file(request.enr_table_path);
        if (!request.dut_s2p_path.empty())
            sparameters = datafiles::read_touchstone(request.dut_s2p_path);
    } catch (const datafiles::FileError& e) {
        return QString::fromStdString(e.what());
    }

    // Nothing below can fail: the planner takes the whole request.
    setup_ = prediction_setup(std::move(calc));
    enr_table_ = std::move(enr_table);
    sparameters_ = std::move(sparameters);
    bench_ = request.setup.bench;
    model_ = request.setup.model;
    embedded_ = request.embedded;
    show_request(request);
    return {};
}

void PlannerWindow::forget_embedded(std::string_view slot) {
    embedded_[app::slot_index(slot)].reset();
}

void PlannerWindow::show_request(const app::SweepRequest& r) {
    {
        const QSignalBlocker q1(over_), q2(from_), q3(to_), q4(points_), q5(log_), q6(match_form_),
            q7(conversion_), q8(noise_bw_), q9(tau_), q10(monte_carlo_), q11(trials_);
        match_form_->setCurrentIndex(r.match_form == planning::MatchForm::return_loss ? 1 : 0);
        over_->setCurrentIndex(over_->findData(static_cast<int>(r.over)));
        set_default_range();  // the units and the controls that go with the input
        from_->setValue(r.from);
        to_->setValue(r.to);
        points_->setValue(static_cast<int>(r.points));
        log_->setChecked(r.log);
        conversion_->setCurrentIndex(r.fixed_lo ? 1 : 0);
        noise_bw_->setValue(r.setup.model.noise_bw_hz);
        tau_->setValue(r.setup.model.tau_s);
        monte_carlo_->setChecked(r.monte_carlo);
        if (r.monte_carlo) trials_->setValue(static_cast<int>(r.setup.model.trials));
    }
    show_data_file(*enr_name_, tr("ENR table: %1"), enr_table_ ? enr_table_->name() : "");
    show_data_file(*s2p_name_, tr("S-parameters: %1"), sparameters_ ? sparameters_->name() : "");
    file_message_->hide();
    selected_value_.reset();
    bench_box_->show_bench(bench_);
    show_setup();
    schedule_sweep();
}

void PlannerWindow::show_data_file(QLabel& label, const QString& what, const std::string& name) {
    label.setText(name.empty() ? tr("none")
                               : what.arg(QFileInfo(QString::fromStdString(name)).fileName()));
    label.setToolTip(QString::fromStdString(name));
}

}  // namespace orlavex::planner
