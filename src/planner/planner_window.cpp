#include "planner/planner_window.h"

#include "app/results/sweep_chart_data.h"
#include "app/results/sweep_output.h"
#include "app/setup_file/export_setup.h"
#include "charts/chart_files.h"
#include "charts/sweep_charts.h"
#include "core/field_entry.h"
#include "core/number_text.h"
#include "datafiles/file_error.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "form/layout.h"
#include "measure/guidelines.h"
#include "planner/budget_view.h"
#include "planner/instrument_choice.h"
#include "planner/point_chart_view.h"
#include "planner/prediction_setup.h"
#include "planner/sweep_runner.h"
#include "planning/point_notes.h"
#include "ui/qstring.h"
#include "window/set_up_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace orlavex::planner {

namespace {

using enum Ctl;

// The range a newly chosen swept input starts with.
struct DefaultRange {
    planning::SweptInput input;
    double from, to;
};

constexpr std::array default_ranges = {
    DefaultRange{planning::SweptInput::frequency, 0.1, 18},
    DefaultRange{planning::SweptInput::dut_gain, 0, 40},
    DefaultRange{planning::SweptInput::dut_nf, 0.5, 15},
    DefaultRange{planning::SweptInput::enr, 5, 25},
    DefaultRange{planning::SweptInput::analyzer_nf, 5, 30},
    DefaultRange{planning::SweptInput::toff, 0, 50},
    DefaultRange{planning::SweptInput::dut_in_match, 1, 2},
    DefaultRange{planning::SweptInput::dut_out_match, 1, 2},
    DefaultRange{planning::SweptInput::source_match, 1, 1.5},
    DefaultRange{planning::SweptInput::analyzer_match, 1, 2},
    DefaultRange{planning::SweptInput::loss_in, 0, 3},
    DefaultRange{planning::SweptInput::loss_out, 0, 3},
};

QString db_text(const QLocale& locale, std::optional<double> x, int places = 3) {
    return x && std::isfinite(*x) ? locale.toString(*x, 'f', places) : QStringLiteral("–");
}

// The guideline margins as the calculator's frame "Measurement Guidelines"
// names them, in its order.
struct GuidelineName {
    const char* margin;
    Ctl goal;  // the static label with the margin's green threshold
};

constexpr std::array<GuidelineName, 3> guideline_names = {{
    {"(NF+G)dut - NFsa", lblGoal1},
    {"ENR - NFdut", lblGoal2},
    {"ENR - NFsa", lblGoal3},
}};

// A margin as the calculator writes it: rounded to 0.01 dB, no trailing zeros.
QString margin_number(double db, const QLocale& locale) {
    return QString::fromStdString(
        general_text(round_to(db, 2), locale.decimalPoint().at(0).toLatin1()));
}

// An advice row grows with its wrapped reason: every cell reads from the
// row's top line, so a tall row does not hide its rank and source below the
// visible part.
QTableWidgetItem* table_cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    return item;
}

}  // namespace

PlannerWindow::PlannerWindow(CalculatorSource calculator, QWidget* parent)
    : QWidget(parent, Qt::Window),
      calculator_(std::move(calculator)),
      runner_(new SweepRunner(this)),
      advice_timer_(new QTimer(this)),
      sweep_timer_(new QTimer(this)),
      progress_timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("plannerWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    // On a screen smaller than the planner's least size (a large scale factor
    // on a small screen) the whole of it scrolls; elsewhere it fills the window.
    auto* whole = new QScrollArea(this);
    whole->setObjectName(QStringLiteral("plannerArea"));
    whole->setFrameShape(QFrame::NoFrame);
    whole->setWidgetResizable(true);
    whole->setWidget(build_panes());
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(build_menu_bar());
    layout->addWidget(whole);

    sweep_timer_->setSingleShot(true);
    sweep_timer_->setInterval(0);
    connect(sweep_timer_, &QTimer::timeout, this, &PlannerWindow::run_sweep_now);
    progress_timer_->setInterval(100);
    connect(progress_timer_, &QTimer::timeout, this, &PlannerWindow::show_progress);
    advice_timer_->setInterval(100);
    connect(advice_timer_, &QTimer::timeout, this, &PlannerWindow::show_advice_progress);
    connect(runner_, &SweepRunner::finished, this, &PlannerWindow::show_result);
    connect(runner_, &SweepRunner::cancelled, this, [this] {
        show_progress();
        progress_->setValue(0);
        set_status(result_ ? tr("Sweep cancelled; the charts show the previous sweep.")
                           : tr("Sweep cancelled."));
        emit sweep_stopped();
    });
    connect(runner_, &SweepRunner::failed, this, [this](const QString& message) {
        show_progress();
        progress_->setValue(0);
        // The charts would show a sweep of inputs the window no longer holds.
        clear_result(tr("No sweep: the set-up cannot be swept."));
        set_status(tr("The sweep cannot be carried out: %1").arg(message));
        emit sweep_stopped();
    });
    connect_controls();
    add_close_keys();
    show_advice_state();

    {
        const QSignalBlocker quiet(over_);
        over_->setCurrentIndex(0);
    }
    set_default_range();
    start_afresh();
    // Room for both charts and the budget, within the screen.
    QSize size = QSize(fontMetrics().height() * 90, fontMetrics().height() * 66);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

PlannerWindow::~PlannerWindow() {
    // A ranking under way stops after the points under way; its thread must
    // end before the window it reports to.
    if (advice_thread_ != nullptr) {
        advice_progress_->cancel = true;
        advice_thread_->disconnect(this);
        advice_thread_->wait();
        delete advice_thread_;
    }
}

void PlannerWindow::connect_controls() {
    connect(from_calculator_, &QPushButton::clicked, this, &PlannerWindow::take_from_calculator);
    connect(dut_nf_, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { enter_field(txtDUT_NF, v); });
    connect(dut_gain_, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { enter_field(txtDUT_Gain, v); });
    connect(analyzer_, &QComboBox::currentIndexChanged, this,
            [this] { choose_instrument(lblSAsel, chosen_name(*analyzer_)); });
    connect(noise_source_, &QComboBox::currentIndexChanged, this,
            [this] { choose_instrument(lblNSsel, chosen_name(*noise_source_)); });
    connect(over_, &QComboBox::currentIndexChanged, this, &PlannerWindow::over_changed);
    for (QDoubleSpinBox* box : {from_, to_, noise_bw_, tau_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PlannerWindow::schedule_sweep);
    for (QSpinBox* box : {points_, trials_})
        connect(box, &QSpinBox::valueChanged, this, &PlannerWindow::schedule_sweep);
    for (QCheckBox* box : {log_, monte_carlo_})
        connect(box, &QCheckBox::toggled, this, &PlannerWindow::schedule_sweep);
    connect(conversion_, &QComboBox::currentIndexChanged, this, &PlannerWindow::schedule_sweep);
    connect(match_form_, &QComboBox::currentIndexChanged, this, &PlannerWindow::over_changed);
}

void PlannerWindow::take_from_calculator() {
    setup_ = prediction_setup(calculator_());
    show_setup();
    schedule_sweep();
}

void PlannerWindow::show_setup() {
    const Form& f = setup_.form;
    const auto on_off = [this](bool on) { return on ? tr("on") : tr("off"); };
    QString summary =
        tr("<b>Internal preamp:</b> %1, <b>external preamp:</b> %2<br>"
           "<b>2nd stage correction:</b> %3, <b>frequency conversion:</b> %4")
            .arg(on_off(is_ticked(setup_, chkIntPA)), on_off(is_ticked(setup_, chkExtPA)),
                 on_off(is_checked(setup_, mnu2ndStage)), on_off(is_ticked(setup_, chkFreqConv)));
    setup_label_->setText(summary);
    show_chosen(*analyzer_, f[lblSAsel].text);
    show_chosen(*noise_source_, f[lblNSsel].text);
    const QSignalBlocker quiet_nf(dut_nf_), quiet_gain(dut_gain_);
    dut_nf_->setValue(setup_.state.DUT_NF);
    dut_gain_->setValue(setup_.state.DUT_Gain);
    dut_nf_->setEnabled(f[txtDUT_NF].enabled);
    dut_gain_->setEnabled(f[txtDUT_Gain].enabled);
    conversion_->setEnabled(is_ticked(setup_, chkFreqConv));
}

void PlannerWindow::enter_field(Ctl field, double value) {
    const std::string text =
        core::field_text(value, core::field_capacity(field), core::kept_decimals(field));
    if (const std::string why = enter_text(setup_, field, text); !why.empty())
        set_status(QString::fromStdString(why));
    show_setup();  // the window may have bounded the value
    schedule_sweep();
}

// Picks the model from the analyzer or noise-source pop-up menu of the
// planner's copy, as a click there does in the calculator.
void PlannerWindow::choose_instrument(Ctl selection, const QString& name) {
    const std::string model = name.toStdString();
    const std::string why =
        selection == lblSAsel ? choose_analyzer(setup_, model) : choose_noise_source(setup_, model);
    setup_.form.popup = Ctl::none;
    if (!why.empty()) set_status(QString::fromStdString(why));
    show_setup();
    schedule_sweep();
}

void PlannerWindow::over_changed() {
    selected_value_.reset();  // a value of another input
    set_default_range();
    schedule_sweep();
}

void PlannerWindow::set_default_range() {
    const auto input = static_cast<planning::SweptInput>(over_->currentData().toInt());
    const auto* range = std::ranges::find(default_ranges, input, &DefaultRange::input);
    const QSignalBlocker quiet_from(from_), quiet_to(to_), quiet_log(log_);
    from_->setValue(range->from);
    to_->setValue(range->to);
    const std::string_view column = planning::info(input).column;
    const QString unit = column.ends_with("_ghz")  ? QStringLiteral(" GHz")
                         : column.ends_with("_db") ? QStringLiteral(" dB")
                         : column.ends_with("_c")  ? QStringLiteral(" °C")
                                                   : QString();
    from_->setSuffix(unit);
    to_->setSuffix(unit);
    const bool match = planning::info(input).port.has_value();
    match_form_->setEnabled(match);
    if (match && match_form_->currentIndex() == 1) {
        // Return loss in dB: 30 dB (a good match) down to 10 dB.
        from_->setValue(30);
        to_->setValue(10);
        from_->setSuffix(QStringLiteral(" dB"));
        to_->setSuffix(QStringLiteral(" dB"));
    }
    log_->setEnabled(input == planning::SweptInput::frequency);
    if (input != planning::SweptInput::frequency) log_->setChecked(false);
}

planning::Sweep PlannerWindow::current_sweep() const {
    planning::Sweep sweep;
    sweep.base = classic_session(setup_);
    sweep.decimal_separator = setup_.form.decimal_separator;
    sweep.over = static_cast<planning::SweptInput>(over_->currentData().toInt());
    sweep.from = from_->value();
    sweep.to = to_->value();
    sweep.points = static_cast<std::size_t>(points_->value());
    sweep.spacing = log_->isChecked() ? planning::Spacing::logarithmic : planning::Spacing::linear;
    sweep.match_form = match_form_->currentIndex() == 1 ? planning::MatchForm::return_loss
                                                        : planning::MatchForm::vswr;
    if (is_ticked(setup_, chkFreqConv)) {
        const CalcState& s = setup_.state;
        sweep.conversion =
            conversion_->currentIndex() == 1
                ? planning::FrequencyConversion{planning::ConversionMode::fixed_lo, 0,
                                                std::abs(s.Freq - s.Freq2)}
                : planning::FrequencyConversion{planning::ConversionMode::fixed_if, s.Freq2, 0};
    }
    sweep.enr_table = enr_table_;
    sweep.dut_sparameters = sparameters_;
    sweep.bench = bench_;
    sweep.model.noise_bw_hz = noise_bw_->value();
    sweep.model.tau_s = tau_->value();
    sweep.monte_carlo.enabled = monte_carlo_->isChecked();
    sweep.monte_carlo.trials = static_cast<std::size_t>(trials_->value());
    sweep.monte_carlo.seed = model_.seed;
    sweep.model.spec_shape = model_.spec_shape;
    return sweep;
}

bool PlannerWindow::sweep_running() const {
    return runner_->busy() || sweep_timer_->isActive();
}

void PlannerWindow::schedule_sweep() {
    setWindowModified(true);  // every input change comes here
    ++inputs_version_;
    show_advice_state();
    sweep_timer_->start();
}

void PlannerWindow::run_sweep_now() {
    planning::Sweep sweep = current_sweep();
    shown_request_ = sweep_request();
    shown_sweep_ = sweep;
    runner_->start(std::move(sweep));
    progress_->setRange(0, points_->value());
    progress_->setValue(0);
    cancel_->setEnabled(true);
    set_status(monte_carlo_->isChecked() ? tr("Sweeping with Monte Carlo...") : tr("Sweeping..."));
    progress_timer_->start();
}

void PlannerWindow::cancel_sweep() {
    sweep_timer_->stop();
    runner_->cancel();
}

void PlannerWindow::show_progress() {
    if (runner_->busy()) {
        progress_->setMaximum(static_cast<int>(runner_->total()));
        progress_->setValue(static_cast<int>(runner_->done()));
        return;
    }
    progress_timer_->stop();
    cancel_->setEnabled(false);
}

void PlannerWindow::show_result(std::shared_ptr<const planning::SweepResult> result) {
    result_ = std::move(result);
    result_has_mc_ = std::ranges::any_of(
        result_->points, [](const planning::SweepPoint& p) { return p.monte_carlo.has_value(); });
    // Worded as orlavex-cli --plot words it.
    const QString title = tr("Uncertainty of the DUT noise figure (analyzer %1, noise source %2)")
                              .arg(QString::fromStdString(setup_.form[lblSAsel].text),
                                   QString::fromStdString(setup_.form[lblNSsel].text));
    chart_data_ = app::chart_data(*result_, title.toStdString(), log_->isChecked());
    chart_data_.setup = app::export_setup_text(shown_request_);
    std::vector<double> xs;
    for (const charts::ChartPoint& p : chart_data_.points)
        xs.push_back(p.x);
    uncertainty_view_->show_chart(charts::make_uncertainty_chart(chart_data_), xs);
    margin_view_->show_chart(charts::make_margin_chart(chart_data_), xs);

    // The value chosen last, not the nearest of a sweep since, so that a
    // coarse sweep in between does not move the choice.
    selected_ = selected_value_ ? nearest_point(*selected_value_) : result_->points.size() / 2;
    show_budget();
    show_progress();
    progress_->setValue(progress_->maximum());
    set_status(sweep_status());
    emit sweep_shown();
}

QString PlannerWindow::sweep_status() const {
    const planning::PointCounts counts = planning::count_points(*result_);
    const QLocale locale;
    const QString points = locale.toString(qulonglong(result_->points.size()));
    const QString in_range = locale.toString(qulonglong(counts.in_range));
    if (counts.held == 0) {
        return tr("%1 points, %2 in range. Click a point for its budget.").arg(points, in_range);
    }
    return tr("%1 points, %2 in range, %3 held from the nearest record. Click a point "
              "for its budget.")
        .arg(points, in_range, locale.toString(qulonglong(counts.held)));
}

void PlannerWindow::clear_result(const QString& why) {
    result_.reset();
    result_has_mc_ = false;
    chart_data_ = {};
    selected_.reset();
    uncertainty_view_->clear();
    margin_view_->clear();
    budget_->show_nothing(why);
}

// The point of the shown sweep whose swept value lies nearest to SWEPT_VALUE.
std::size_t PlannerWindow::nearest_point(double swept_value) const {
    const auto& points = result_->points;
    const auto nearest = std::ranges::min_element(points, {}, [&](const planning::SweepPoint& p) {
        return std::fabs(p.swept_value - swept_value);
    });
    return static_cast<std::size_t>(nearest - points.begin());
}

QString PlannerWindow::point_place(std::size_t index) const {
    const planning::SweepPoint& p = result_->points.at(index);
    const planning::SweptInputInfo& over = planning::info(result_->over);
    const QLocale locale;
    if (result_->over == planning::SweptInput::frequency)
        return tr("at %1 GHz").arg(locale.toString(p.swept_value, 'g', 6));
    return tr("at %1 = %2 (%3 GHz)")
        .arg(ui::qstring(over.column), locale.toString(p.swept_value, 'g', 6),
             locale.toString(p.freq_ghz, 'g', 6));
}

void PlannerWindow::select_point(std::size_t index) {
    if (!result_ || index >= result_->points.size()) return;
    selected_ = index;
    selected_value_ = result_->points[index].swept_value;
    show_budget();
}

void PlannerWindow::show_budget() {
    const std::size_t i = *selected_;
    const planning::SweepPoint& p = result_->points[i];
    const charts::ChartPoint& c = chart_data_.points[i];
    uncertainty_view_->mark(i, c.expanded_db ? c.expanded_db : c.rss_db);
    // On the margin chart the mark sits on the lowest headroom, the rule
    // that decides the point's worst lamp.
    std::optional<double> lowest;
    for (std::size_t g = 0; g < c.margin_db.size(); ++g)
        if (const std::optional<double> h = charts::headroom_db(c, g);
            h && (!lowest || *h < *lowest))
            lowest = h;
    margin_view_->mark(i, lowest);
    if (!p.in_range) {
        budget_->show_nothing(
            tr("No budget %1: %2").arg(point_place(i), QString::fromStdString(p.note)));
        return;
    }
    budget_->show_budget(p.gum, point_place(i));
}

void PlannerWindow::show_hover(std::size_t index, QPoint global_pos) {
    if (!result_ || index >= result_->points.size()) return;
    const planning::SweepPoint& p = result_->points[index];
    const charts::ChartPoint& c = chart_data_.points[index];
    const QLocale locale;
    QString text = QStringLiteral("<b>%1</b>").arg(point_place(index).toHtmlEscaped());
    if (!p.in_range) {
        text += QStringLiteral("<br>") + QString::fromStdString(p.note).toHtmlEscaped();
    } else {
        text += tr("<br>U (GUM, k = 2): %1 dB<br>RSS (classic): %2 dB")
                    .arg(db_text(locale, c.expanded_db), db_text(locale, c.rss_db));
        if (c.mc_lo_db && c.mc_hi_db)
            text += tr("<br>Monte Carlo 95 %: %1 to %2 dB")
                        .arg(db_text(locale, c.mc_lo_db), db_text(locale, c.mc_hi_db));
        text += margins_text(c);
        text += QStringLiteral("<br><i>%1</i>").arg(QString::fromStdString(p.note).toHtmlEscaped());
    }
    QToolTip::showText(global_pos, text);
}

// Each guideline margin on a line of its own, named as the calculator names
// it: "(NF+G)dut - NFsa = 11.5 dB, 10.5 dB over >1dB".
QString PlannerWindow::margins_text(const charts::ChartPoint& point) const {
    const QLocale locale;
    QString text;
    for (std::size_t g = 0; g < guideline_names.size(); ++g) {
        const GuidelineName& name = guideline_names[g];
        const std::optional<double> margin = point.margin_db[g];
        const std::optional<double> headroom = charts::headroom_db(point, g);
        text += QStringLiteral("<br>%1 = ").arg(QString::fromLatin1(name.margin).toHtmlEscaped());
        if (!margin || !headroom) {
            text += QStringLiteral("- - -");
            continue;
        }
        text += tr("%1 dB, %2 dB over %3")
                    .arg(margin_number(*margin, locale), margin_number(*headroom, locale),
                         ui::qstring(layout_row(name.goal).text).toHtmlEscaped());
    }
    return text;
}

bool PlannerWindow::load_enr_table(const QString& path) {
    try {
        enr_table_ = datafiles::read_enr_file(path.toStdString());
        forget_embedded("enr_table");
    } catch (const datafiles::FileError& e) {
        file_message_->setText(QString::fromStdString(e.what()));
        file_message_->show();
        return false;
    }
    file_message_->hide();
    enr_name_->setText(tr("ENR table: %1").arg(QFileInfo(path).fileName()));
    enr_name_->setToolTip(path);
    schedule_sweep();
    return true;
}

bool PlannerWindow::load_sparameters(const QString& path) {
    try {
        sparameters_ = datafiles::read_touchstone(path.toStdString());
        forget_embedded("dut_s2p");
    } catch (const datafiles::FileError& e) {
        file_message_->setText(QString::fromStdString(e.what()));
        file_message_->show();
        return false;
    }
    file_message_->hide();
    s2p_name_->setText(tr("S-parameters: %1").arg(QFileInfo(path).fileName()));
    s2p_name_->setToolTip(path);
    schedule_sweep();
    return true;
}

QString PlannerWindow::file_message() const {
    return file_message_->isVisible() || !file_message_->isHidden() ? file_message_->text()
                                                                    : QString();
}

void PlannerWindow::apply_bench(const planning::BenchInput& candidate) {
    if (const std::string why = planning::bench_input_problem(candidate); !why.empty()) {
        set_status(tr("The bench is unchanged: %1").arg(QString::fromStdString(why)));
        bench_box_->show_bench(bench_);
        return;
    }
    const auto file_name = [](const auto& file) { return file ? file->name() : std::string(); };
    if (file_name(candidate.loss_in.sparameters) != file_name(bench_.loss_in.sparameters))
        forget_embedded("loss_in_s2p");
    if (file_name(candidate.loss_out.sparameters) != file_name(bench_.loss_out.sparameters))
        forget_embedded("loss_out_s2p");
    const auto table_name = [&](const planning::BenchInput& b) {
        return b.meas_source ? file_name(b.meas_source->table) : std::string();
    };
    if (table_name(candidate) != table_name(bench_)) forget_embedded("meas_enr_table");
    bench_ = candidate;
    bench_box_->show_bench(bench_);
    schedule_sweep();
}

bool PlannerWindow::load_loss_file(LossSide side, const QString& path) {
    return bench_box_->load_loss_file(side, path);
}

bool PlannerWindow::load_meas_enr_table(const QString& path) {
    return bench_box_->load_meas_enr_table(path);
}

QString PlannerWindow::status_text() const {
    return status_->text();
}

QString PlannerWindow::export_csv(const QString& path) const {
    if (!result_) return tr("No sweep to export yet.");
    const std::string why = app::write_sweep_csv_file(path.toStdString(), *result_, result_has_mc_);
    return why.empty() ? QString()
                       : tr("Cannot write %1: %2").arg(path, QString::fromStdString(why));
}

QString PlannerWindow::save_charts(const QString& path) const {
    if (!result_) return tr("No sweep to draw yet.");
    try {
        charts::write_sweep_charts(chart_data_, path);
    } catch (const charts::ChartFileError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

QString PlannerWindow::budget_text() const {
    return budget_->text();
}

void PlannerWindow::show_advice() {
    const QLocale locale;
    advice_table_->setRowCount(static_cast<int>(advice_.ranking.size()));
    for (std::size_t i = 0; i < advice_.ranking.size(); ++i) {
        const planning::AdviceEntry& e = advice_.ranking[i];
        const int row = static_cast<int>(i);
        advice_table_->setItem(row, 0, table_cell(locale.toString(qulonglong(e.rank)), true));
        advice_table_->setItem(row, 1,
                               table_cell(QString::fromStdString(e.candidate.label()), false));
        advice_table_->setItem(
            row, 2,
            table_cell(e.evaluated > 0 ? locale.toString(e.worst_U_db, 'f', 2) : QString(), true));
        advice_table_->setItem(
            row, 3,
            table_cell(QStringLiteral("%1 / %2").arg(locale.toString(qulonglong(e.all_green)),
                                                     locale.toString(qulonglong(e.points))),
                       true));
        QTableWidgetItem* why = table_cell(QString::fromStdString(e.reason), false);
        why->setToolTip(QString::fromStdString(e.reason));
        advice_table_->setItem(row, 4, why);
    }
    show_advice_state();
}

bool PlannerWindow::advice_current() const {
    return !advice_.ranking.empty() && advice_version_ == inputs_version_;
}

// A ranking made for other inputs stays readable, greyed, and cannot be
// applied.
void PlannerWindow::show_advice_state() {
    const bool outdated = !advice_.ranking.empty() && !advice_current();
    advice_table_->setEnabled(!outdated);
    advice_hint_->setText(
        outdated ? tr("The set-up or the sweep has changed since this ranking: rank again to "
                      "use it.")
                 : tr("Double-click a row to use its noise source and preamp choice."));
}

void PlannerWindow::apply_advice(std::size_t row) {
    if (row >= advice_.ranking.size() || !advice_current()) return;
    const planning::Candidate& c = advice_.ranking[row].candidate;
    std::string why = choose_noise_source(setup_, c.noise_source);
    if (why.empty()) why = set_internal_preamp(setup_, c.int_preamp, c.preamp_option);
    setup_.form.popup = Ctl::none;
    if (!why.empty()) set_status(QString::fromStdString(why));
    show_setup();
    schedule_sweep();
    // The ranking compared these very choices: it still holds for the next.
    advice_version_ = inputs_version_;
    show_advice_state();
}

void PlannerWindow::set_status(const QString& text) {
    status_->setText(text);
}

}  // namespace orlavex::planner
