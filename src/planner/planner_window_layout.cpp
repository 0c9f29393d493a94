// How the planner window is built: the column of controls on the left (the
// progress below them, never scrolled away), the charts, the budget and the
// advice on the right, each button wired to its action.
#include "planner/planner_window.h"

#include "planner/bandwidth_box.h"
#include "planner/budget_view.h"
#include "planner/instrument_choice.h"
#include "planner/model_options_box.h"
#include "planner/point_chart_view.h"
#include "planner/wheel_guard.h"
#include "ui/qstring.h"
#include "window/set_up_actions.h"

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
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orlavex::planner {

namespace {

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

}  // namespace

// The controls beside the results, with a handle between them.
QWidget* PlannerWindow::build_panes() {
    auto* splitter = new QSplitter(Qt::Horizontal);
    auto* scroll = new QScrollArea(splitter);
    scroll->setObjectName(QStringLiteral("setupPanel"));
    scroll->setWidget(build_controls());
    take_wheel_only_when_focused(*scroll->widget());
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As wide as the controls with the bench opened.
    bench_box_->set_expanded(true);
    scroll->setMinimumWidth(scroll->widget()->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width() + 4);
    bench_box_->set_expanded(false);
    // The progress and Cancel stay in sight below the scrolled controls.
    auto* left = new QWidget(splitter);
    auto* left_column = new QVBoxLayout(left);
    left_column->setContentsMargins(0, 0, 0, 0);
    left_column->addWidget(scroll, 1);
    left_column->addWidget(build_progress_box());
    splitter->addWidget(left);
    splitter->addWidget(build_results());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    return splitter;
}

QWidget* PlannerWindow::build_controls() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    model_options_ = new ModelOptionsBox;
    for (QWidget* box : {build_setup_box(), build_sweep_box(), build_files_box(), build_bench_box(),
                         build_model_box(), static_cast<QWidget*>(model_options_)}) {
        box->setParent(panel);
        column->addWidget(box);
    }
    column->addStretch(1);
    return panel;
}

QWidget* PlannerWindow::build_setup_box() {
    auto* setup_box = new QGroupBox(tr("Set-up"));
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
    return setup_box;
}

QWidget* PlannerWindow::build_sweep_box() {
    auto* sweep_box = new QGroupBox(tr("Sweep"));
    auto* sweep_form = new QFormLayout(sweep_box);
    over_ = new QComboBox(sweep_box);
    over_->setObjectName(QStringLiteral("sweptInput"));
    for (const auto& inputs : {planning::swept_inputs(), planning::model_swept_inputs()})
        for (const planning::SweptInputInfo& i : inputs)
            over_->addItem(ui::qstring(i.label), static_cast<int>(i.input));
    const session::NumberLimit range = session::range_limit;
    from_ = number_box(range.lo, range.hi, range.decimals, QString(), sweep_box);
    from_->setObjectName(QStringLiteral("sweepFrom"));
    to_ = number_box(range.lo, range.hi, range.decimals, QString(), sweep_box);
    to_->setObjectName(QStringLiteral("sweepTo"));
    points_ = new QSpinBox(sweep_box);
    points_->setObjectName(QStringLiteral("sweepPoints"));
    points_->setRange(static_cast<int>(session::fewest_points),
                      static_cast<int>(session::most_points));
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
    return sweep_box;
}

QWidget* PlannerWindow::build_files_box() {
    auto* files_box = new QGroupBox(tr("Data files"));
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
        session_.clear_enr_table();
        enr_name_->setText(tr("none"));
        after_change();
    });
    connect(s2p_clear, &QPushButton::clicked, this, [this] {
        session_.clear_sparameters();
        s2p_name_->setText(tr("none"));
        after_change();
    });
    return files_box;
}

QWidget* PlannerWindow::build_bench_box() {
    auto* bench_group = new QGroupBox(tr("Bench"));
    auto* layout = new QVBoxLayout(bench_group);
    bench_box_ = new BenchBox(bench_group);
    bench_box_->setObjectName(QStringLiteral("bench"));
    layout->addWidget(bench_box_);
    connect(bench_box_, &BenchBox::edited, this, &PlannerWindow::apply_bench);
    connect(bench_box_, &BenchBox::refused, this, &PlannerWindow::set_status);
    return bench_group;
}

QWidget* PlannerWindow::build_model_box() {
    auto* model_box = new QGroupBox(tr("Jitter and Monte Carlo"));
    auto* model_form = new QFormLayout(model_box);
    noise_bw_ = new BandwidthBox(model_box);
    noise_bw_->setObjectName(QStringLiteral("noiseBandwidth"));
    const session::NumberLimit tau = session::tau_limit;
    tau_ = number_box(tau.lo, tau.hi, tau.decimals, QStringLiteral(" s"), model_box);
    tau_->setObjectName(QStringLiteral("integrationTime"));
    tau_->setSpecialValueText(tr("off"));
    monte_carlo_ = new QCheckBox(tr("Monte Carlo 95 % band"), model_box);
    monte_carlo_->setObjectName(QStringLiteral("monteCarlo"));
    trials_ = new QSpinBox(model_box);
    trials_->setObjectName(QStringLiteral("trials"));
    trials_->setRange(static_cast<int>(session::fewest_trials),
                      static_cast<int>(session::most_trials));
    trials_->setSingleStep(1000);
    trials_->setKeyboardTracking(false);
    trials_->setAlignment(Qt::AlignRight);
    trials_->setGroupSeparatorShown(true);
    model_form->addRow(tr("Noise bandwidth"), noise_bw_);
    model_form->addRow(tr("Integration time"), tau_);
    model_form->addRow(monte_carlo_);
    model_form->addRow(tr("Trials per point"), trials_);
    return model_box;
}

QWidget* PlannerWindow::build_progress_box() {
    auto* run_box = new QGroupBox(tr("Progress"));
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
    connect(cancel_, &QPushButton::clicked, this, &PlannerWindow::cancel_sweep);
    return run_box;
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
    QWidget* advice_page = build_advice_page();
    tabs->addTab(advice_page, tr("Advice"));
    // The advice is ranked as soon as the tab is first looked at.
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs, advice_page] {
        if (tabs->currentWidget() == advice_page && !advice_asked_) start_advice();
    });

    auto* lower = new QWidget(results);
    auto* lower_layout = new QVBoxLayout(lower);
    lower_layout->setContentsMargins(0, 0, 0, 0);
    lower_layout->addWidget(tabs, 1);
    lower_layout->addWidget(build_export_row());
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

QWidget* PlannerWindow::build_advice_page() {
    auto* advice_page = new QWidget;
    auto* advice_layout = new QVBoxLayout(advice_page);
    rank_ = new QPushButton(tr("Rank Noise Sources and Preamps"), advice_page);
    rank_->setObjectName(QStringLiteral("rankAdvice"));
    advice_bar_ = new QProgressBar(advice_page);
    advice_bar_->setObjectName(QStringLiteral("adviceProgress"));
    advice_bar_->setRange(0, 1);
    advice_bar_->setValue(0);
    advice_cancel_ = new QPushButton(tr("Cancel"), advice_page);
    advice_cancel_->setObjectName(QStringLiteral("cancelAdvice"));
    advice_cancel_->setEnabled(false);
    advice_hint_ = new QLabel(advice_page);
    advice_hint_->setObjectName(QStringLiteral("adviceHint"));
    advice_hint_->setWordWrap(true);
    auto* advice_row = new QHBoxLayout;
    advice_row->addWidget(rank_);
    advice_row->addWidget(advice_bar_, 1);
    advice_row->addWidget(advice_cancel_);
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
    advice_layout->addWidget(advice_hint_);
    advice_layout->addWidget(advice_table_, 1);
    advice_sidebands_ = new QLabel(advice_page);
    advice_sidebands_->setObjectName(QStringLiteral("adviceSidebands"));
    advice_sidebands_->setTextFormat(Qt::PlainText);
    advice_sidebands_->setWordWrap(true);
    advice_sidebands_->hide();
    advice_layout->addWidget(advice_sidebands_);
    connect(rank_, &QPushButton::clicked, this, &PlannerWindow::start_advice);
    connect(advice_cancel_, &QPushButton::clicked, this, &PlannerWindow::cancel_advice);
    connect(advice_table_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { apply_advice(static_cast<std::size_t>(row)); });
    return advice_page;
}

QWidget* PlannerWindow::build_export_row() {
    auto* export_page = new QWidget;
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
    connect(copy, &QPushButton::clicked, this, &PlannerWindow::copy_budget);
    return export_page;
}

// Esc closes the planner, as it closes a dialog; Ctrl+W and the platform's
// own close keys are File > Close's.
void PlannerWindow::add_close_keys() {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    shortcut->setObjectName(QStringLiteral("closeKeys"));
    connect(shortcut, &QShortcut::activated, this, &QWidget::close);
}

}  // namespace orlavex::planner
