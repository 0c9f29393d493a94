// Tools > Measure...: a band measured on the bench from the planner, by the
// same run as orlavex-cli measure. The analyzer's resource (Test Connection
// shows its *IDN? reply), its profile (a shipped one or a file), how the
// noise source is switched, the band and the repeats; the run goes on a
// thread of its own with its progress, Cancel switches the source off. The
// source may be switched by a power supply at an address of its own, with a
// supply's profile. The readings taken are handed to the planner, which
// evaluates and draws them; they can be saved, and written up in the
// measurement report orlavex-cli measure --report writes.
#pragma once

#include "app/inputs/sweep_request.h"
#include "instruments/measurement_run.h"
#include "planner/measurement_report.h"
#include "session/bench_measurement.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;
class QTimer;

namespace orlavex::planner {

class MeasureControl;

class MeasureDialog : public QDialog {
    Q_OBJECT

  public:
    // REQUEST gives the plan when a run starts (whether it measures a
    // calibration, where a converting DUT's LO stays).
    MeasureDialog(std::function<app::SweepRequest()> request, QWidget* parent = nullptr);
    ~MeasureDialog() override;

    session::MeasureChoices choices() const;
    void set_choices(const session::MeasureChoices& choices);
    // The questions before the calibration and the DUT (true: go on); a
    // message box unless replaced.
    void set_asker(std::function<bool(const QString&)> ask);

    // Asks the analyzer for *IDN?; shows and returns the reply or why none.
    QString test_connection();
    // Starts a run; false (with the reason shown) when the choices are refused.
    bool start();
    void cancel();
    bool running() const { return thread_ != nullptr; }
    QString status() const;
    // Shows TEXT as the dialog's status line.
    void set_status(const QString& text);
    // The readings of the last run that measured any, as a readings file.
    const QString& readings_text() const { return readings_; }
    // Writes them to PATH; empty, or why not. The report then names them
    // by the file's name.
    QString save_readings(const QString& path);
    // The last run's readings as the report takes them; no text before one.
    TakenReadings taken() const;

  signals:
    // A run measured READINGS (a readings file's text), named NAME.
    void measured(const QString& readings, const QString& name);
    // Report... was chosen: the planner writes the report of taken().
    void report_asked();
    void run_ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_bench(QWidget* box, QFormLayout* form);
    void build_band(QWidget* box, QFormLayout* form);
    void source_changed();
    void show_progress();
    void finish();
    void show_running(bool running);

    std::function<app::SweepRequest()> request_;
    std::function<bool(const QString&)> ask_;
    std::shared_ptr<MeasureControl> control_;
    std::shared_ptr<instruments::MeasurementOutcome> outcome_;
    instruments::MeasurementPlan plan_;
    QThread* thread_ = nullptr;
    QTimer* progress_timer_;
    QString readings_;
    QString readings_file_;  // where they were saved last; empty before

    QLineEdit* analyzer_;
    QPushButton* test_;
    QLabel* identity_;
    QComboBox* profile_;
    QComboBox* source_;
    QLineEdit* source_detail_;
    QComboBox* supply_profile_;
    QPushButton* supply_file_;
    QDoubleSpinBox* from_;
    QDoubleSpinBox* to_;
    QSpinBox* points_;
    QSpinBox* repeat_;
    QDoubleSpinBox* timeout_;
    QCheckBox* ask_box_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* measure_;
    QPushButton* cancel_;
    QPushButton* save_;
    QPushButton* report_;
};

}  // namespace orlavex::planner
