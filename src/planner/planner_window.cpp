#include "planner/planner_window.h"

#include "app/results/sweep_chart_data.h"
#include "app/setup_file/export_setup.h"
#include "charts/chart_files.h"
#include "charts/sweep_charts.h"
#include "core/number_text.h"
#include "engine/controls.h"
#include "form/layout.h"
#include "measure/guidelines.h"
#include "planner/budget_view.h"
#include "planner/instrument_choice.h"
#include "planner/model_options_box.h"
#include "planner/point_chart_view.h"
#include "planner/sweep_runner.h"
#include "planning/point_notes.h"
#include "ui/qstring.h"

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

#include <array>
#include <cmath>

namespace orlavex::planner {

namespace {

using enum Ctl;

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
      session_(calculator_()),
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
        set_status(result() ? tr("Sweep cancelled; the charts show the previous sweep.")
                            : tr("Sweep cancelled."));
        emit sweep_stopped();
    });
    connect(runner_, &SweepRunner::failed, this, [this](const QString& message) {
        show_progress();
        progress_->setValue(0);
        // The charts would show a sweep of inputs the window no longer holds.
        session_.drop_sweep();
        clear_result(tr("No sweep: the set-up cannot be swept."));
        set_status(tr("The sweep cannot be carried out: %1").arg(message));
        emit sweep_stopped();
    });
    connect_controls();
    add_close_keys();
    show_advice_state();

    show_sweep_inputs();
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
        connect(box, &QDoubleSpinBox::valueChanged, this, &PlannerWindow::sweep_controls_changed);
    for (QSpinBox* box : {points_, trials_})
        connect(box, &QSpinBox::valueChanged, this, &PlannerWindow::sweep_controls_changed);
    for (QCheckBox* box : {log_, monte_carlo_})
        connect(box, &QCheckBox::toggled, this, &PlannerWindow::sweep_controls_changed);
    connect(conversion_, &QComboBox::currentIndexChanged, this,
            &PlannerWindow::sweep_controls_changed);
    connect(match_form_, &QComboBox::currentIndexChanged, this, &PlannerWindow::over_changed);
    connect(model_options_, &ModelOptionsBox::changed, this, [this] {
        session_.set_model_options(model_options_->options());
        after_change();
    });
    connect(model_options_, &ModelOptionsBox::refused, this, [this](const QString& why) {
        set_status(tr("The measurement model is unchanged: %1").arg(why));
    });
}

void PlannerWindow::take_from_calculator() {
    session_.take_setup(calculator_());
    show_setup();
    after_change();
}

void PlannerWindow::show_setup() {
    const Calculator& calc = session_.setup();
    const Form& f = calc.form;
    const auto on_off = [this](bool on) { return on ? tr("on") : tr("off"); };
    QString summary =
        tr("<b>Internal preamp:</b> %1, <b>external preamp:</b> %2<br>"
           "<b>2nd stage correction:</b> %3, <b>frequency conversion:</b> %4")
            .arg(on_off(is_ticked(calc, chkIntPA)), on_off(is_ticked(calc, chkExtPA)),
                 on_off(is_checked(calc, mnu2ndStage)), on_off(is_ticked(calc, chkFreqConv)));
    setup_label_->setText(summary);
    show_chosen(*analyzer_, f[lblSAsel].text);
    show_chosen(*noise_source_, f[lblNSsel].text);
    const QSignalBlocker quiet_nf(dut_nf_), quiet_gain(dut_gain_);
    dut_nf_->setValue(calc.state.DUT_NF);
    dut_gain_->setValue(calc.state.DUT_Gain);
    dut_nf_->setEnabled(f[txtDUT_NF].enabled);
    dut_gain_->setEnabled(f[txtDUT_Gain].enabled);
    conversion_->setEnabled(is_ticked(calc, chkFreqConv));
}

void PlannerWindow::enter_field(Ctl field, double value) {
    if (const std::string why = session_.enter_field(field, value); !why.empty())
        set_status(QString::fromStdString(why));
    show_setup();  // the window may have bounded the value
    after_change();
}

// Picks the model from the analyzer or noise-source pop-up menu of the
// planner's copy, as a click there does in the calculator.
void PlannerWindow::choose_instrument(Ctl selection, const QString& name) {
    const std::string model = name.toStdString();
    const std::string why = selection == lblSAsel ? session_.choose_analyzer(model)
                                                  : session_.choose_noise_source(model);
    if (!why.empty()) set_status(QString::fromStdString(why));
    show_setup();
    after_change();
}

void PlannerWindow::over_changed() {
    session_.sweep_over(static_cast<planning::SweptInput>(over_->currentData().toInt()),
                        match_form_->currentIndex() == 1 ? planning::MatchForm::return_loss
                                                         : planning::MatchForm::vswr);
    show_sweep_inputs();
    after_change();
}

session::SweepInputs PlannerWindow::sweep_controls() const {
    session::SweepInputs in;
    in.over = static_cast<planning::SweptInput>(over_->currentData().toInt());
    in.from = from_->value();
    in.to = to_->value();
    in.points = static_cast<std::size_t>(points_->value());
    in.log = log_->isChecked();
    in.match_form = match_form_->currentIndex() == 1 ? planning::MatchForm::return_loss
                                                     : planning::MatchForm::vswr;
    in.fixed_lo = conversion_->currentIndex() == 1;
    in.noise_bw_hz = noise_bw_->value();
    in.tau_s = tau_->value();
    in.monte_carlo = monte_carlo_->isChecked();
    in.trials = static_cast<std::size_t>(trials_->value());
    return in;
}

void PlannerWindow::sweep_controls_changed() {
    session_.set_sweep_inputs(sweep_controls());
    after_change();
}

// The session's sweep inputs in the controls, with the units and the
// controls that go with the swept input.
void PlannerWindow::show_sweep_inputs() {
    const session::SweepInputs& in = session_.sweep_inputs();
    const QSignalBlocker q1(over_), q2(from_), q3(to_), q4(points_), q5(log_), q6(match_form_),
        q7(conversion_), q8(noise_bw_), q9(tau_), q10(monte_carlo_), q11(trials_);
    over_->setCurrentIndex(over_->findData(static_cast<int>(in.over)));
    match_form_->setCurrentIndex(in.match_form == planning::MatchForm::return_loss ? 1 : 0);
    const std::string_view column = planning::info(in.over).column;
    const bool match = planning::info(in.over).port.has_value();
    const QString unit = match && in.match_form == planning::MatchForm::return_loss
                             ? QStringLiteral(" dB")
                         : column.ends_with("_ghz") ? QStringLiteral(" GHz")
                         : column.ends_with("_db")  ? QStringLiteral(" dB")
                         : column.ends_with("_c")   ? QStringLiteral(" °C")
                                                    : QString();
    from_->setSuffix(unit);
    to_->setSuffix(unit);
    from_->setValue(in.from);
    to_->setValue(in.to);
    points_->setValue(static_cast<int>(in.points));
    match_form_->setEnabled(match);
    log_->setEnabled(in.over == planning::SweptInput::frequency);
    log_->setChecked(in.log);
    conversion_->setCurrentIndex(in.fixed_lo ? 1 : 0);
    noise_bw_->setValue(in.noise_bw_hz);
    tau_->setValue(in.tau_s);
    monte_carlo_->setChecked(in.monte_carlo);
    trials_->setValue(static_cast<int>(in.trials));
    model_options_->set_options(session_.model_options());
}

planning::Sweep PlannerWindow::current_sweep() const {
    return session_.current_sweep();
}

bool PlannerWindow::sweep_running() const {
    return runner_->busy() || sweep_timer_->isActive();
}

// Every change of the session's inputs comes here: the title's mark, the
// advice's state and a new sweep.
void PlannerWindow::after_change() {
    setWindowModified(session_.dirty());
    show_advice_state();
    sweep_timer_->start();
}

void PlannerWindow::run_sweep_now() {
    runner_->start(session_.sweep_job());
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

void PlannerWindow::show_result(std::shared_ptr<session::SweepJob> job,
                                std::shared_ptr<const planning::SweepResult> result) {
    session_.take_sweep(std::move(*job), std::move(result));
    // Worded as orlavex-cli --plot words it.
    const Form& form = session_.setup().form;
    const QString title = tr("Uncertainty of the DUT noise figure (analyzer %1, noise source %2)")
                              .arg(QString::fromStdString(form[lblSAsel].text),
                                   QString::fromStdString(form[lblNSsel].text));
    chart_data_ = app::chart_data(*session_.result(), title.toStdString(), log_->isChecked());
    chart_data_.setup = app::export_setup_text(session_.shown_request());
    std::vector<double> xs;
    for (const charts::ChartPoint& p : chart_data_.points)
        xs.push_back(p.x);
    uncertainty_view_->show_chart(charts::make_uncertainty_chart(chart_data_), xs);
    show_measured();
    margin_view_->show_chart(charts::make_margin_chart(chart_data_), xs);
    show_budget();
    show_progress();
    progress_->setValue(progress_->maximum());
    set_status(sweep_status());
    emit sweep_shown();
}

QString PlannerWindow::sweep_status() const {
    const planning::PointCounts counts = planning::count_points(*result());
    const QLocale locale;
    const QString points = locale.toString(qulonglong(result()->points.size()));
    const QString in_range = locale.toString(qulonglong(counts.in_range));
    if (counts.held == 0) {
        return tr("%1 points, %2 in range. Click a point for its budget.").arg(points, in_range);
    }
    return tr("%1 points, %2 in range, %3 held from the nearest record. Click a point "
              "for its budget.")
        .arg(points, in_range, locale.toString(qulonglong(counts.held)));
}

void PlannerWindow::clear_result(const QString& why) {
    chart_data_ = {};
    uncertainty_view_->clear();
    margin_view_->clear();
    budget_->show_nothing(why);
}

QString PlannerWindow::point_place(std::size_t index) const {
    const planning::SweepResult& result = *session_.result();
    const planning::SweepPoint& p = result.points.at(index);
    const planning::SweptInputInfo& over = planning::info(result.over);
    const QLocale locale;
    // A converting DUT's frequency plan at the point, where it has one.
    const QString plan = p.lo_ghz && p.image_ghz ? tr(" (LO %1 GHz, image %2 GHz)")
                                                       .arg(locale.toString(*p.lo_ghz, 'g', 6),
                                                            locale.toString(*p.image_ghz, 'g', 6))
                                                 : QString();
    if (result.over == planning::SweptInput::frequency)
        return tr("at %1 GHz").arg(locale.toString(p.swept_value, 'g', 6)) + plan;
    return tr("at %1 = %2 (%3 GHz)")
               .arg(ui::qstring(over.column), locale.toString(p.swept_value, 'g', 6),
                    locale.toString(p.freq_ghz, 'g', 6)) +
           plan;
}

void PlannerWindow::select_point(std::size_t index) {
    if (!result() || index >= result()->points.size()) return;
    session_.select_point(index);
    show_budget();
}

void PlannerWindow::show_budget() {
    const std::size_t i = *session_.selected_point();
    const planning::SweepPoint& p = result()->points[i];
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
    budget_->show_budget(p.gum, point_place(i), p.source_match_bias_db);
}

void PlannerWindow::show_hover(std::size_t index, QPoint global_pos) {
    if (!result() || index >= result()->points.size()) return;
    const planning::SweepPoint& p = result()->points[index];
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
    if (const std::string why = session_.load_enr_table(path.toStdString()); !why.empty()) {
        file_message_->setText(QString::fromStdString(why));
        file_message_->show();
        return false;
    }
    file_message_->hide();
    enr_name_->setText(tr("ENR table: %1").arg(QFileInfo(path).fileName()));
    enr_name_->setToolTip(path);
    after_change();
    return true;
}

bool PlannerWindow::load_sparameters(const QString& path) {
    if (const std::string why = session_.load_sparameters(path.toStdString()); !why.empty()) {
        file_message_->setText(QString::fromStdString(why));
        file_message_->show();
        return false;
    }
    file_message_->hide();
    s2p_name_->setText(tr("S-parameters: %1").arg(QFileInfo(path).fileName()));
    s2p_name_->setToolTip(path);
    after_change();
    return true;
}

QString PlannerWindow::file_message() const {
    return file_message_->isVisible() || !file_message_->isHidden() ? file_message_->text()
                                                                    : QString();
}

void PlannerWindow::apply_bench(const planning::BenchInput& candidate) {
    if (const std::string why = session_.apply_bench(candidate); !why.empty()) {
        set_status(tr("The bench is unchanged: %1").arg(QString::fromStdString(why)));
        bench_box_->show_bench(session_.bench());
        return;
    }
    bench_box_->show_bench(session_.bench());
    after_change();
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
    return QString::fromStdString(session_.export_csv(path.toStdString()));
}

QString PlannerWindow::save_charts(const QString& path) const {
    if (!result()) return tr("No sweep to draw yet.");
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
    const planning::Advice& shown = session_.advice();
    const QLocale locale;
    advice_table_->setRowCount(static_cast<int>(shown.ranking.size()));
    for (std::size_t i = 0; i < shown.ranking.size(); ++i) {
        const planning::AdviceEntry& e = shown.ranking[i];
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
    // With an image ratio given: the DUT measured SSB and DSB, the better
    // first, and whether an image filter would pay.
    if (shown.sidebands) {
        QString text = tr("Sidebands: %1").arg(QString::fromStdString(shown.sidebands->summary));
        if (!shown.sidebands->image_filter.empty())
            text += '\n' + QString::fromStdString(shown.sidebands->image_filter);
        advice_sidebands_->setText(text);
    }
    advice_sidebands_->setVisible(shown.sidebands.has_value());
    show_advice_state();
}

bool PlannerWindow::advice_current() const {
    return session_.advice_current();
}

// A ranking made for other inputs stays readable, greyed, and cannot be
// applied.
void PlannerWindow::show_advice_state() {
    const bool outdated = !advice().ranking.empty() && !advice_current();
    advice_table_->setEnabled(!outdated);
    advice_hint_->setText(
        outdated ? tr("The set-up or the sweep has changed since this ranking: rank again to "
                      "use it.")
                 : tr("Double-click a row to use its noise source and preamp choice."));
}

void PlannerWindow::apply_advice(std::size_t row) {
    const std::optional<std::string> why = session_.apply_advice(row);
    if (!why) return;
    if (!why->empty()) set_status(QString::fromStdString(*why));
    show_setup();
    after_change();
}

void PlannerWindow::set_status(const QString& text) {
    status_->setText(text);
}

}  // namespace orlavex::planner
