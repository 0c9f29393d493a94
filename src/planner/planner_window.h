// The planner window "Orlavex Planner": the calculator's set-up swept across
// a band (or over another input), its uncertainty and margin charts, the
// budget at a chosen point, the ranking of noise sources and preamp choices,
// and export. It works on its own copy of the calculator: nothing done here
// changes the calculator window. What it plans is a session (its inputs,
// sweeps, advice and set-up file, session/planner_session.h): the window
// shows it and forwards its controls' edits to it.
#pragma once

#include "app/inputs/sweep_request.h"
#include "charts/sweep_chart_data.h"
#include "engine/calculator.h"
#include "planner/bench_box.h"
#include "planner/calculator_source.h"
#include "planner/planner_dialogs.h"
#include "planner/recent_files.h"
#include "planning/advice.h"
#include "planning/sweep.h"
#include "report/report_format.h"
#include "session/planner_session.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;

namespace orlavex::planner {

class BudgetView;
class MeasureDialog;
class ModelOptionsBox;
class PointChartView;
class SweepRunner;

class PlannerWindow : public QWidget {
    Q_OBJECT

  public:
    explicit PlannerWindow(CalculatorSource calculator, QWidget* parent = nullptr);
    ~PlannerWindow() override;

    // Takes the calculator's inputs and selections over again ("From Calculator").
    void take_from_calculator();
    // As from the calculator, with no set-up file and nothing to save.
    void start_afresh();

    // The planner's own copy of the window, with its edits.
    const Calculator& setup() const { return session_.setup(); }
    // The sweep the controls describe now.
    planning::Sweep current_sweep() const;
    // The last sweep shown, or nullptr before the first one is done.
    const planning::SweepResult* result() const { return session_.result(); }
    const charts::SweepChartData& chart_data() const { return chart_data_; }
    bool sweep_running() const;

    // The point whose budget is shown. A new sweep keeps the point nearest
    // to its swept value.
    std::optional<std::size_t> selected_point() const { return session_.selected_point(); }
    void select_point(std::size_t index);

    // Reads an ENR table or S-parameter file. A bad file leaves everything
    // as it was and shows its message; returns false then.
    bool load_enr_table(const QString& path);
    bool load_sparameters(const QString& path);
    QString file_message() const;

    // The bench around the DUT as the sweeps use it. A bench the model
    // cannot use is refused whole with a message on the status line.
    const planning::BenchInput& bench() const { return session_.bench(); }
    void apply_bench(const planning::BenchInput& candidate);
    bool load_loss_file(LossSide side, const QString& path);
    bool load_meas_enr_table(const QString& path);
    QString status_text() const;

    // Exports; each returns an empty string or why it failed.
    QString export_csv(const QString& path) const;
    QString save_charts(const QString& path) const;
    // The measurement-plan report of the sweep shown, HTML or PDF by PATH's
    // extension: empty, or why it was not written.
    QString write_report(const QString& path, report::Paper paper) const;
    QString budget_text() const;

    // Ranks the noise sources and preamp choices for the set-up, on a thread
    // of its own, with its progress beside the button; the Advice tab does
    // so when it is first shown.
    void start_advice();
    // Stops a ranking under way; the ranking shown before stays.
    void cancel_advice();
    bool advice_running() const { return advice_thread_ != nullptr; }
    const planning::Advice& advice() const { return session_.advice(); }
    // True while the ranking shown was made for the set-up as it is now;
    // any change of the set-up or the sweep outdates it.
    bool advice_current() const;
    // Applies the noise source and preamp choice of advice row ROW; an
    // outdated ranking is not applied.
    void apply_advice(std::size_t row);

    void cancel_sweep();

    // The planner's inputs as a sweep request: the set-up its copy of the
    // window holds, the bench, the sweep, the model's numbers and the data
    // files.
    app::SweepRequest sweep_request() const;
    // Takes REQUEST over whole; returns why it cannot, and then changes
    // nothing.
    QString open_request(const app::SweepRequest& request);

    // Set-up files. A file that cannot be read or used, or written, is
    // shown in a message and changes nothing; each returns false then.
    bool open_setup_file(const QString& path);
    bool save_setup_file(const QString& path);
    bool save_setup();     // to the file shown, else as Save As does
    bool save_setup_as();  // to a file the user names
    // The set-up file shown in the title; empty before one is opened or saved.
    QString setup_path() const { return QString::fromStdString(session_.setup_path()); }
    // Whether the user lets the planner go on: nothing unsaved, or the
    // changes saved or discarded as the unsaved-changes question answers.
    bool settle_unsaved();
    void set_dialogs(PlannerDialogs dialogs);

    // A readings file evaluated with the plan's set-up, its points drawn
    // over the planned uncertainty; one that cannot be used is shown in a
    // message and changes nothing (false then).
    bool open_readings_file(const QString& path);
    const session::PlannerSession& session() const { return session_; }
    // Tools > Measure...: the dialog, made when first asked for, its band
    // the sweep's while that is over the frequency.
    MeasureDialog* open_measure_dialog();
    // The measured results as CSV in PATH; empty, or why not.
    QString write_measured_results(const QString& path) const;
    // The measurement report of the readings the Measure dialog took last,
    // HTML or PDF by PATH's extension: empty, or why it was not written.
    QString write_measurement_report(const QString& path, report::Paper paper) const;

    // Edit menu: the budget as tab-separated text and as HTML, the charts
    // as an image.
    void copy_budget();
    void copy_chart();

  protected:
    void closeEvent(QCloseEvent* event) override;

  signals:
    void sweep_shown();    // a finished sweep is on the charts
    void sweep_stopped();  // cancelled, or it failed (its message is shown)
    void advice_shown();

  private:
    QMenuBar* build_menu_bar();
    void build_file_menu(QMenu* file);
    void fill_recent_menu();
    void open_recent(const QString& path);
    void set_setup_path();
    void show_title();
    void export_with_dialog(const QString& title, const QString& filter, const char* suffix);
    void report_with_dialog();
    void open_readings_with_dialog();
    void redraw_uncertainty();
    void show_measured();
    void take_measured(const QString& readings, const QString& name);
    void measurement_report_with_dialog();
    QWidget* build_panes();
    QWidget* build_controls();
    QWidget* build_setup_box();
    QWidget* build_sweep_box();
    QWidget* build_files_box();
    QWidget* build_bench_box();
    QWidget* build_model_box();
    QWidget* build_progress_box();
    QWidget* build_results();
    QWidget* build_advice_page();
    QWidget* build_export_row();
    void add_close_keys();
    void show_request();
    void show_data_file(QLabel& label, const QString& what, const std::string& name);
    void connect_controls();
    void show_setup();
    void over_changed();
    session::SweepInputs sweep_controls() const;
    void sweep_controls_changed();
    void show_sweep_inputs();
    void enter_field(Ctl field, double value);
    void choose_instrument(Ctl selection, const QString& name);
    void after_change();
    void run_sweep_now();
    void show_result(std::shared_ptr<session::SweepJob> job,
                     std::shared_ptr<const planning::SweepResult> result);
    void clear_result(const QString& why);
    void show_budget();
    void show_progress();
    void show_hover(std::size_t index, QPoint global_pos);
    void finish_advice(const session::AdviceJob& job, const session::AdviceOutcome& outcome);
    void show_advice_progress();
    void show_advice();
    void show_advice_state();
    void set_status(const QString& text);
    QString sweep_status() const;
    QString margins_text(const charts::ChartPoint& point) const;
    QString point_place(std::size_t index) const;

    CalculatorSource calculator_;
    session::PlannerSession session_;
    // The result shown as the charts draw it, with the set-up it was swept
    // for: exported charts carry it.
    charts::SweepChartData chart_data_;

    PlannerDialogs dialogs_ = desktop_dialogs();
    RecentFiles recent_files_;
    QMenu* recent_menu_ = nullptr;

    SweepRunner* runner_;
    QThread* advice_thread_ = nullptr;                          // while the advice is being ranked
    std::shared_ptr<planning::SweepProgress> advice_progress_;  // of that ranking
    QTimer* advice_timer_;
    bool advice_asked_ = false;  // ranked once, or asked to
    QTimer* sweep_timer_;
    QTimer* progress_timer_;

    QLabel* setup_label_ = nullptr;
    QPushButton* from_calculator_ = nullptr;
    QComboBox* analyzer_ = nullptr;
    QComboBox* noise_source_ = nullptr;
    QDoubleSpinBox* dut_nf_ = nullptr;
    QDoubleSpinBox* dut_gain_ = nullptr;
    QComboBox* over_ = nullptr;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QSpinBox* points_ = nullptr;
    QCheckBox* log_ = nullptr;
    QComboBox* match_form_ = nullptr;
    QComboBox* conversion_ = nullptr;
    QLabel* enr_name_ = nullptr;
    QLabel* s2p_name_ = nullptr;
    QLabel* file_message_ = nullptr;
    BenchBox* bench_box_ = nullptr;
    QDoubleSpinBox* noise_bw_ = nullptr;
    ModelOptionsBox* model_options_ = nullptr;
    QDoubleSpinBox* tau_ = nullptr;
    QCheckBox* monte_carlo_ = nullptr;
    QSpinBox* trials_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    PointChartView* uncertainty_view_ = nullptr;
    PointChartView* margin_view_ = nullptr;
    BudgetView* budget_ = nullptr;
    QTableWidget* advice_table_ = nullptr;
    QLabel* advice_hint_ = nullptr;
    QLabel* advice_sidebands_ = nullptr;  // a converting DUT's SSB and DSB, ranked
    QPushButton* rank_ = nullptr;
    QProgressBar* advice_bar_ = nullptr;
    QPushButton* advice_cancel_ = nullptr;
    MeasureDialog* measure_dialog_ = nullptr;
};

}  // namespace orlavex::planner
