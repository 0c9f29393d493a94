#include "planner/planner_window.h"

#include "charts/chart_files.h"
#include "charts/sweep_charts.h"
#include "cli/sweep_chart.h"
#include "cli/sweep_output.h"
#include "datafiles/file_error.h"
#include "engine/controls.h"
#include "planner/budget_view.h"
#include "planner/instrument_choice.h"
#include "planner/point_chart_view.h"
#include "planner/sweep_runner.h"
#include "planning/window_setup.h"
#include "ui/qstring.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

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
};

QDoubleSpinBox* number_box(double lo, double hi, int decimals, const QString& suffix,
                           QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lo, hi);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);  // one change when the typing is done
    box->setAlignment(Qt::AlignRight);
    return box;
}

QString db_text(const QLocale& locale, std::optional<double> x, int places = 3) {
    return x && std::isfinite(*x) ? locale.toString(*x, 'f', places) : QStringLiteral("–");
}

QTableWidgetItem* table_cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

PlannerWindow::PlannerWindow(CalculatorSource calculator, QWidget* parent)
    : QWidget(parent, Qt::Window),
      calculator_(std::move(calculator)),
      runner_(new SweepRunner(this)),
      sweep_timer_(new QTimer(this)),
      progress_timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("plannerWindow"));
    setWindowTitle(tr("Orlavex Planner"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* scroll = new QScrollArea(splitter);
    scroll->setWidget(build_controls());
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(scroll->widget()->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width() + 4);
    splitter->addWidget(scroll);
    splitter->addWidget(build_results());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    sweep_timer_->setSingleShot(true);
    sweep_timer_->setInterval(0);
    connect(sweep_timer_, &QTimer::timeout, this, &PlannerWindow::run_sweep_now);
    progress_timer_->setInterval(100);
    connect(progress_timer_, &QTimer::timeout, this, &PlannerWindow::show_progress);
    connect(runner_, &SweepRunner::finished, this, &PlannerWindow::show_result);
    connect(runner_, &SweepRunner::cancelled, this, [this] {
        show_progress();
        set_status(tr("Sweep cancelled; the charts show the previous sweep."));
        emit sweep_stopped();
    });
    connect(runner_, &SweepRunner::failed, this, [this](const QString& message) {
        show_progress();
        set_status(tr("The sweep cannot be carried out: %1").arg(message));
        emit sweep_stopped();
    });
    connect_controls();

    {
        const QSignalBlocker quiet(over_);
        over_->setCurrentIndex(0);
    }
    set_default_range();
    take_from_calculator();
    // Room for both charts and the budget, within the screen.
    QSize size = QSize(fontMetrics().height() * 90, fontMetrics().height() * 66);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

PlannerWindow::~PlannerWindow() {
    // The ranking cannot be stopped half-way; its thread must end before
    // the window it reports to.
    if (advice_thread_ != nullptr) {
        advice_thread_->disconnect(this);
        advice_thread_->wait();
        delete advice_thread_;
    }
}

QWidget* PlannerWindow::build_controls() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);

    auto* setup_box = new QGroupBox(tr("Set-up"), panel);
    auto* setup_form = new QFormLayout(setup_box);
    setup_label_ = new QLabel(setup_box);
    setup_label_->setObjectName(QStringLiteral("setupSummary"));
    setup_label_->setWordWrap(true);
    setup_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    from_calculator_ = new QPushButton(tr("From Calculator"), setup_box);
    from_calculator_->setObjectName(QStringLiteral("fromCalculator"));
    from_calculator_->setToolTip(tr("Take the calculator's inputs and selections over again"));
    analyzer_ = new QComboBox(setup_box);
    analyzer_->setObjectName(QStringLiteral("analyzer"));
    fill_analyzer_choice(*analyzer_);
    noise_source_ = new QComboBox(setup_box);
    noise_source_->setObjectName(QStringLiteral("noiseSource"));
    fill_noise_source_choice(*noise_source_);
    dut_nf_ = number_box(0, 99.99, 2, QStringLiteral(" dB"), setup_box);
    dut_nf_->setObjectName(QStringLiteral("dutNf"));
    dut_gain_ = number_box(-99.99, 99.99, 2, QStringLiteral(" dB"), setup_box);
    dut_gain_->setObjectName(QStringLiteral("dutGain"));
    setup_form->addRow(from_calculator_);
    setup_form->addRow(tr("Analyzer"), analyzer_);
    setup_form->addRow(tr("Noise source"), noise_source_);
    setup_form->addRow(setup_label_);
    setup_form->addRow(tr("DUT noise figure"), dut_nf_);
    setup_form->addRow(tr("DUT gain"), dut_gain_);
    column->addWidget(setup_box);

    auto* sweep_box = new QGroupBox(tr("Sweep"), panel);
    auto* sweep_form = new QFormLayout(sweep_box);
    over_ = new QComboBox(sweep_box);
    over_->setObjectName(QStringLiteral("sweptInput"));
    for (const planning::SweptInputInfo& i : planning::swept_inputs())
        over_->addItem(ui::qstring(i.label), static_cast<int>(i.input));
    from_ = number_box(-1e4, 1e5, 4, QString(), sweep_box);
    from_->setObjectName(QStringLiteral("sweepFrom"));
    to_ = number_box(-1e4, 1e5, 4, QString(), sweep_box);
    to_->setObjectName(QStringLiteral("sweepTo"));
    points_ = new QSpinBox(sweep_box);
    points_->setObjectName(QStringLiteral("sweepPoints"));
    points_->setRange(2, 5001);
    points_->setValue(201);
    points_->setKeyboardTracking(false);
    points_->setAlignment(Qt::AlignRight);
    log_ = new QCheckBox(tr("Logarithmic spacing"), sweep_box);
    log_->setObjectName(QStringLiteral("sweepLog"));
    match_form_ = new QComboBox(sweep_box);
    match_form_->setObjectName(QStringLiteral("matchForm"));
    match_form_->addItem(tr("VSWR"));
    match_form_->addItem(tr("Return loss (dB)"));
    match_form_->setToolTip(tr("How a swept match is given"));
    conversion_ = new QComboBox(sweep_box);
    conversion_->setObjectName(QStringLiteral("conversionMode"));
    conversion_->addItem(tr("Fixed IF (the LO moves)"));
    conversion_->addItem(tr("Fixed LO (the IF moves)"));
    conversion_->setToolTip(tr("How the analyzer's frequency follows a frequency-converting DUT"));
    sweep_form->addRow(tr("Sweep over"), over_);
    sweep_form->addRow(tr("From"), from_);
    sweep_form->addRow(tr("To"), to_);
    sweep_form->addRow(tr("Points"), points_);
    sweep_form->addRow(log_);
    sweep_form->addRow(tr("Match as"), match_form_);
    sweep_form->addRow(tr("Conversion"), conversion_);
    column->addWidget(sweep_box);

    auto* files_box = new QGroupBox(tr("Data files"), panel);
    auto* files_grid = new QFormLayout(files_box);
    const auto file_row = [&](const QString& button_text, const char* name, QLabel*& label) {
        auto* row = new QWidget(files_box);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        auto* open = new QPushButton(button_text, row);
        open->setObjectName(QString::fromLatin1(name) + QStringLiteral("Open"));
        auto* clear = new QPushButton(tr("Clear"), row);
        clear->setObjectName(QString::fromLatin1(name) + QStringLiteral("Clear"));
        h->addWidget(open);
        h->addWidget(clear);
        h->addStretch();
        label = new QLabel(tr("none"), files_box);
        label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Name"));
        label->setWordWrap(true);
        files_grid->addRow(row);
        files_grid->addRow(label);
        return std::pair{open, clear};
    };
    const auto [enr_open, enr_clear] = file_row(tr("ENR Table..."), "enr", enr_name_);
    const auto [s2p_open, s2p_clear] = file_row(tr("DUT S-Parameters..."), "s2p", s2p_name_);
    file_message_ = new QLabel(files_box);
    file_message_->setObjectName(QStringLiteral("fileMessage"));
    file_message_->setWordWrap(true);
    file_message_->setStyleSheet(QStringLiteral("color: #b00000"));
    file_message_->hide();
    files_grid->addRow(file_message_);
    column->addWidget(files_box);
    connect(enr_open, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("ENR Table"), QString(),
                                                          tr("ENR tables (*.enr);;All files (*)"));
        if (!path.isEmpty()) load_enr_table(path);
    });
    connect(s2p_open, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, tr("DUT S-Parameters"), QString(),
                                         tr("Touchstone files (*.s2p *.s1p);;All files (*)"));
        if (!path.isEmpty()) load_sparameters(path);
    });
    connect(enr_clear, &QPushButton::clicked, this, [this] {
        enr_table_.reset();
        enr_name_->setText(tr("none"));
        schedule_sweep();
    });
    connect(s2p_clear, &QPushButton::clicked, this, [this] {
        sparameters_.reset();
        s2p_name_->setText(tr("none"));
        schedule_sweep();
    });

    auto* model_box = new QGroupBox(tr("Jitter and Monte Carlo"), panel);
    auto* model_form = new QFormLayout(model_box);
    noise_bw_ = number_box(0, 1e9, 0, QStringLiteral(" Hz"), model_box);
    noise_bw_->setObjectName(QStringLiteral("noiseBandwidth"));
    noise_bw_->setSpecialValueText(tr("off"));
    tau_ = number_box(0, 1000, 4, QStringLiteral(" s"), model_box);
    tau_->setObjectName(QStringLiteral("integrationTime"));
    tau_->setSpecialValueText(tr("off"));
    monte_carlo_ = new QCheckBox(tr("Monte Carlo 95 % band"), model_box);
    monte_carlo_->setObjectName(QStringLiteral("monteCarlo"));
    trials_ = new QSpinBox(model_box);
    trials_->setObjectName(QStringLiteral("trials"));
    trials_->setRange(100, 1'000'000);
    trials_->setSingleStep(1000);
    trials_->setValue(20000);
    trials_->setKeyboardTracking(false);
    trials_->setAlignment(Qt::AlignRight);
    trials_->setGroupSeparatorShown(true);
    model_form->addRow(tr("Noise bandwidth"), noise_bw_);
    model_form->addRow(tr("Integration time"), tau_);
    model_form->addRow(monte_carlo_);
    model_form->addRow(tr("Trials per point"), trials_);
    column->addWidget(model_box);

    auto* run_box = new QGroupBox(tr("Progress"), panel);
    auto* run_layout = new QVBoxLayout(run_box);
    progress_ = new QProgressBar(run_box);
    progress_->setObjectName(QStringLiteral("sweepProgress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    cancel_ = new QPushButton(tr("Cancel"), run_box);
    cancel_->setObjectName(QStringLiteral("cancelSweep"));
    cancel_->setEnabled(false);
    auto* progress_row = new QHBoxLayout;
    progress_row->addWidget(progress_, 1);
    progress_row->addWidget(cancel_);
    status_ = new QLabel(run_box);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    run_layout->addLayout(progress_row);
    run_layout->addWidget(status_);
    column->addWidget(run_box);
    connect(cancel_, &QPushButton::clicked, this, &PlannerWindow::cancel_sweep);

    column->addStretch(1);
    return panel;
}

QWidget* PlannerWindow::build_results() {
    auto* results = new QSplitter(Qt::Vertical);
    uncertainty_view_ = new PointChartView(results);
    uncertainty_view_->setObjectName(QStringLiteral("uncertaintyChart"));
    margin_view_ = new PointChartView(results);
    margin_view_->setObjectName(QStringLiteral("marginChart"));
    // On a screen too low for two charts and the budget above each other,
    // the margin chart becomes a tab beside the budget.
    const int line = fontMetrics().height();
    const QScreen* screen = this->screen();
    const bool compact = screen != nullptr && screen->availableGeometry().height() < line * 70;
    results->addWidget(uncertainty_view_);
    if (!compact) results->addWidget(margin_view_);

    auto* tabs = new QTabWidget(results);
    budget_ = new BudgetView(tabs);
    tabs->addTab(budget_, tr("Budget"));
    if (compact) tabs->addTab(margin_view_, tr("Margins"));

    auto* advice_page = new QWidget(tabs);
    auto* advice_layout = new QVBoxLayout(advice_page);
    rank_ = new QPushButton(tr("Rank Noise Sources and Preamps"), advice_page);
    rank_->setObjectName(QStringLiteral("rankAdvice"));
    auto* advice_hint = new QLabel(
        tr("Double-click a row to use its noise source and preamp choice."), advice_page);
    advice_hint->setWordWrap(true);
    auto* advice_row = new QHBoxLayout;
    advice_row->addWidget(rank_);
    advice_row->addWidget(advice_hint, 1);
    advice_table_ = new QTableWidget(0, 5, advice_page);
    advice_table_->setObjectName(QStringLiteral("adviceTable"));
    advice_table_->setHorizontalHeaderLabels({tr("Rank"), tr("Noise source and preamp"),
                                              tr("Worst U (dB)"), tr("All green"), tr("Why")});
    advice_table_->verticalHeader()->hide();
    advice_table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    advice_table_->setSelectionMode(QAbstractItemView::SingleSelection);
    advice_table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The reason is a sentence: it wraps in the width the other columns
    // leave, and every row grows to show all of it.
    advice_table_->setWordWrap(true);
    advice_table_->setTextElideMode(Qt::ElideNone);
    advice_table_->setAlternatingRowColors(true);
    advice_table_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Rows sized to their contents follow the column's width as it changes.
    QHeaderView* columns = advice_table_->horizontalHeader();
    for (int c = 0; c < 4; ++c)
        columns->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(4, QHeaderView::Stretch);
    advice_table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    advice_layout->addLayout(advice_row);
    advice_layout->addWidget(advice_table_, 1);
    tabs->addTab(advice_page, tr("Advice"));
    connect(rank_, &QPushButton::clicked, this, &PlannerWindow::start_advice);
    connect(advice_table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { apply_advice(static_cast<std::size_t>(row)); });

    auto* export_page = new QWidget(results);
    auto* export_row = new QHBoxLayout(export_page);
    export_row->setContentsMargins(0, 0, 0, 0);
    auto* csv = new QPushButton(tr("Export CSV..."), export_page);
    csv->setObjectName(QStringLiteral("exportCsv"));
    auto* image = new QPushButton(tr("Save Charts..."), export_page);
    image->setObjectName(QStringLiteral("saveCharts"));
    auto* copy = new QPushButton(tr("Copy Budget"), export_page);
    copy->setObjectName(QStringLiteral("copyBudget"));
    export_row->addStretch(1);
    export_row->addWidget(csv);
    export_row->addWidget(image);
    export_row->addWidget(copy);
    connect(csv, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Export CSV"), QString(),
                                                          tr("CSV files (*.csv)"));
        if (path.isEmpty()) return;
        const QString why = export_csv(path);
        set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(path).fileName()) : why);
    });
    connect(image, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Save Charts"), QString(), tr("PNG images (*.png);;SVG drawings (*.svg)"));
        if (path.isEmpty()) return;
        const QString why = save_charts(path);
        set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(path).fileName()) : why);
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(budget_text());
        set_status(tr("Budget copied as text."));
    });

    auto* lower = new QWidget(results);
    auto* lower_layout = new QVBoxLayout(lower);
    lower_layout->setContentsMargins(0, 0, 0, 0);
    lower_layout->addWidget(tabs, 1);
    lower_layout->addWidget(export_page);
    results->addWidget(lower);
    // Below these heights Qt Charts elides the axis labels.
    uncertainty_view_->setMinimumHeight(line * 18);
    margin_view_->setMinimumHeight(line * 18);
    lower->setMinimumHeight(compact ? line * 21 : line * 10);
    if (compact) {
        results->setSizes({line * 28, line * 22});
    } else {
        results->setSizes({line * 22, line * 21, line * 20});
    }

    connect(uncertainty_view_, &PointChartView::clicked, this, &PlannerWindow::select_point);
    connect(margin_view_, &PointChartView::clicked, this, &PlannerWindow::select_point);
    connect(uncertainty_view_, &PointChartView::hovered, this, &PlannerWindow::show_hover);
    connect(margin_view_, &PointChartView::hovered, this, &PlannerWindow::show_hover);
    return results;
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
    setup_ = calculator_();
    setup_.form.popup = Ctl::none;  // a pop-up menu open there is not ours
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
    const std::string text = planning::field_text(value, planning::field_capacity(field),
                                                  planning::kept_decimals(field));
    if (const std::string why = planning::enter_text(setup_, field, text); !why.empty())
        set_status(QString::fromStdString(why));
    show_setup();  // the window may have bounded the value
    schedule_sweep();
}

// Picks the model from the analyzer or noise-source pop-up menu of the
// planner's copy, as a click there does in the calculator.
void PlannerWindow::choose_instrument(Ctl selection, const QString& name) {
    const std::string model = name.toStdString();
    const std::string why = selection == lblSAsel ? planning::choose_analyzer(setup_, model)
                                                  : planning::choose_noise_source(setup_, model);
    setup_.form.popup = Ctl::none;
    if (!why.empty()) set_status(QString::fromStdString(why));
    show_setup();
    schedule_sweep();
}

void PlannerWindow::over_changed() {
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
    sweep.base = setup_;
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
    sweep.noise_bw_hz = noise_bw_->value();
    sweep.tau_s = tau_->value();
    sweep.monte_carlo.enabled = monte_carlo_->isChecked();
    sweep.monte_carlo.trials = static_cast<std::size_t>(trials_->value());
    return sweep;
}

bool PlannerWindow::sweep_running() const {
    return runner_->busy() || sweep_timer_->isActive();
}

void PlannerWindow::schedule_sweep() {
    sweep_timer_->start();
}

void PlannerWindow::run_sweep_now() {
    runner_->start(current_sweep());
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
    progress_->setValue(progress_->maximum());
}

void PlannerWindow::show_result(std::shared_ptr<const planning::SweepResult> result) {
    result_ = std::move(result);
    result_has_mc_ = std::ranges::any_of(
        result_->points, [](const planning::SweepPoint& p) { return p.monte_carlo.has_value(); });
    // Worded as orlavex-cli --plot words it.
    const QString title = tr("Uncertainty of the DUT noise figure (analyzer %1, noise source %2)")
                              .arg(QString::fromStdString(setup_.form[lblSAsel].text),
                                   QString::fromStdString(setup_.form[lblNSsel].text));
    chart_data_ = cli::chart_data(*result_, title.toStdString(), log_->isChecked());
    std::vector<double> xs;
    for (const charts::ChartPoint& p : chart_data_.points)
        xs.push_back(p.x);
    uncertainty_view_->show_chart(charts::make_uncertainty_chart(chart_data_), xs);
    margin_view_->show_chart(charts::make_margin_chart(chart_data_), xs);

    const std::size_t n = result_->points.size();
    if (!selected_ || *selected_ >= n) selected_ = n / 2;
    show_budget();
    show_progress();
    const auto in_range = std::ranges::count_if(
        result_->points, [](const planning::SweepPoint& p) { return p.in_range; });
    set_status(tr("%1 points, %2 in range. Click a point for its budget.")
                   .arg(QLocale().toString(qlonglong(n)), QLocale().toString(qlonglong(in_range))));
    emit sweep_shown();
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
        text += tr("<br>Margins: %1 / %2 / %3 dB")
                    .arg(db_text(locale, c.margin_db[0], 2), db_text(locale, c.margin_db[1], 2),
                         db_text(locale, c.margin_db[2], 2));
        text += tr("<br>Over the green thresholds: %1 / %2 / %3 dB")
                    .arg(db_text(locale, charts::headroom_db(c, 0), 2),
                         db_text(locale, charts::headroom_db(c, 1), 2),
                         db_text(locale, charts::headroom_db(c, 2), 2));
        text += QStringLiteral("<br><i>%1</i>").arg(QString::fromStdString(p.note).toHtmlEscaped());
    }
    QToolTip::showText(global_pos, text);
}

bool PlannerWindow::load_enr_table(const QString& path) {
    try {
        enr_table_ = datafiles::read_enr_file(path.toStdString());
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

QString PlannerWindow::export_csv(const QString& path) const {
    if (!result_) return tr("No sweep to export yet.");
    std::ofstream out(path.toStdString(), std::ios::binary);
    if (!out) return tr("Cannot write %1").arg(path);
    cli::write_sweep_csv(out, *result_, result_has_mc_);
    out.close();
    return out ? QString() : tr("Cannot write %1").arg(path);
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

void PlannerWindow::start_advice() {
    planning::Sweep sweep = current_sweep();
    sweep.monte_carlo.enabled = false;
    if (advice_thread_ != nullptr) return;
    rank_->setEnabled(false);
    set_status(tr("Ranking every noise source and preamp choice..."));
    auto outcome = std::make_shared<std::pair<planning::Advice, std::string>>();
    QThread* thread = QThread::create([sweep = std::move(sweep), outcome] {
        try {
            outcome->first = planning::advise(sweep);
        } catch (const std::exception& e) {
            outcome->second = e.what();
        }
    });
    advice_thread_ = thread;
    connect(thread, &QThread::finished, this, [this, thread, outcome] {
        thread->deleteLater();
        advice_thread_ = nullptr;
        rank_->setEnabled(true);
        if (!outcome->second.empty()) {
            set_status(tr("No advice: %1").arg(QString::fromStdString(outcome->second)));
            return;
        }
        advice_ = std::move(outcome->first);
        show_advice();
        set_status(tr("Ranked %1 set-ups.").arg(advice_.ranking.size()));
        emit advice_shown();
    });
    thread->start();
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
}

void PlannerWindow::apply_advice(std::size_t row) {
    if (row >= advice_.ranking.size()) return;
    const planning::Candidate& c = advice_.ranking[row].candidate;
    std::string why = planning::choose_noise_source(setup_, c.noise_source);
    if (why.empty()) why = planning::set_internal_preamp(setup_, c.int_preamp, c.preamp_option);
    setup_.form.popup = Ctl::none;
    if (!why.empty()) set_status(QString::fromStdString(why));
    show_setup();
    schedule_sweep();
}

void PlannerWindow::set_status(const QString& text) {
    status_->setText(text);
}

}  // namespace orlavex::planner
