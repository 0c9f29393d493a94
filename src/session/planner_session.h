// The planner's state and logic without a window: the set-up it plans for
// (its own copy of the calculator), the sweep and model inputs, the data
// files and the bench, the sweeps and the advice run on them with their
// results, the point chosen, and the set-up file it was opened from or saved
// to. The planner window shows a session and forwards its controls' edits
// to it; a server or an instrument loop can drive one alone.
//
// A session is used from one thread. The long work (a sweep, a ranking)
// runs in two halves for a caller with a thread of its own: take a job (a
// copy of the inputs), run it anywhere with run_sweep_job/run_advice_job,
// hand the outcome back with take_sweep/take_advice. run_sweep and
// run_advice do all three in the caller's thread.
#pragma once

#include "app/inputs/model_inputs.h"
#include "app/inputs/sweep_request.h"
#include "engine/calculator.h"
#include "engine/controls.h"
#include "planning/advice.h"
#include "planning/bench_setup.h"
#include "planning/sweep.h"
#include "session/measured_readings.h"
#include "session/sweep_inputs.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::session {

// A sweep as asked: the request a set-up file or a report describes it by
// and the planning library's sweep that runs.
struct SweepJob {
    app::SweepRequest request;
    planning::Sweep sweep;
};

struct SweepOutcome {
    std::shared_ptr<const planning::SweepResult> result;  // none when cancelled or failed
    bool cancelled = false;
    std::string error;  // why it failed
};

// A ranking as asked, with the count of changes it belongs to.
struct AdviceJob {
    planning::Sweep sweep;
    unsigned asked_at = 0;
};

struct AdviceOutcome {
    planning::Advice advice;
    bool cancelled = false;
    std::string error;
};

// Run JOB; they read nothing of a session, so any thread may run them.
SweepOutcome run_sweep_job(const SweepJob& job, planning::SweepProgress& progress);
AdviceOutcome run_advice_job(const AdviceJob& job, planning::SweepProgress& progress);

class PlannerSession {
  public:
    // Plans for CALC (a copy of the calculator) with the planner's default
    // sweep, no data files and no set-up file.
    explicit PlannerSession(Calculator calc);

    // --- The set-up. Every edit is a change (see changed()).
    const Calculator& setup() const { return setup_; }
    // Takes CALC over as a prediction ("From Calculator").
    void take_setup(Calculator calc);
    // Enters VALUE into a DUT field as typing it there does; returns the
    // window's message where it refuses or bounds it, else empty.
    std::string enter_field(Ctl field, double value);
    // Picks a catalogue model (or "User") from the analyzer's or the noise
    // source's menu; returns why not, else empty.
    std::string choose_analyzer(std::string_view model);
    std::string choose_noise_source(std::string_view model);

    // --- Sweep and model inputs.
    const SweepInputs& sweep_inputs() const { return inputs_; }
    void set_sweep_inputs(const SweepInputs& inputs);
    // The model's options; the jitter's two are the sweep inputs'.
    const measure::ModelOptions& model_options() const { return model_; }
    void set_model_options(const measure::ModelOptions& options);
    // Sweeps over another input from its default range; the point chosen
    // before (a value of the other input) is forgotten.
    void sweep_over(planning::SweptInput over, planning::MatchForm form);

    // --- Data files. A file that cannot be read changes nothing; each
    // returns the reader's message then, else empty.
    std::string load_enr_table(const std::string& path);
    std::string load_sparameters(const std::string& path);
    void clear_enr_table();
    void clear_sparameters();
    const std::optional<datafiles::EnrTable>& enr_table() const { return enr_table_; }
    const std::optional<datafiles::Touchstone>& sparameters() const { return sparameters_; }

    // --- The bench. One the model cannot use is refused whole: returns why.
    const planning::BenchInput& bench() const { return bench_; }
    std::string apply_bench(const planning::BenchInput& candidate);

    // --- The inputs as the planning library and a set-up file take them.
    planning::Sweep current_sweep() const;
    app::SweepRequest sweep_request() const;
    // Takes REQUEST over whole (the planner's limits, the bench, the set-up
    // and its data files); returns why it cannot, and then changes nothing.
    std::string open_request(const app::SweepRequest& request);

    // --- Sweeps.
    SweepJob sweep_job() const;
    // The result of JOB becomes the one shown; the point chosen last (by
    // its swept value) stays chosen, else the middle one.
    void take_sweep(SweepJob job, std::shared_ptr<const planning::SweepResult> result);
    // No result: the inputs can no longer be swept.
    void drop_sweep();
    // Sweeps the inputs as they are now. A cancelled sweep keeps the
    // result before; a failed one drops it.
    SweepOutcome run_sweep(planning::SweepProgress& progress);

    const planning::SweepResult* result() const { return result_.get(); }
    bool result_has_monte_carlo() const { return result_has_mc_; }
    // The sweep the result was made for, as asked and as run.
    const app::SweepRequest& shown_request() const { return shown_.request; }
    const planning::Sweep* shown_sweep() const { return result_ ? &shown_.sweep : nullptr; }

    // --- The point whose budget is shown.
    std::optional<std::size_t> selected_point() const { return selected_; }
    // Ignored without a result or for an index out of it.
    void select_point(std::size_t index);

    // --- Advice: the ranking of noise sources and preamp choices.
    AdviceJob advice_job() const;
    // Keeps a finished ranking (a cancelled or failed one changes nothing).
    void take_advice(const AdviceJob& job, const AdviceOutcome& outcome);
    AdviceOutcome run_advice(planning::SweepProgress& progress);
    const planning::Advice& advice() const { return advice_; }
    // True while the ranking was made for the inputs as they are now.
    bool advice_current() const;
    // Takes the noise source and preamp choice of ranking row ROW, and the
    // ranking stays current. An outdated ranking or a row out of it changes
    // nothing: nothing is returned then; else the window's message where it
    // refuses the choice, or empty.
    std::optional<std::string> apply_advice(std::size_t row);

    // --- Set-up files. Each returns why it failed (one line naming the
    // file), and then changes nothing; else empty.
    std::string open_setup_file(const std::string& path);
    std::string save_setup_file(const std::string& path);
    // The file opened or saved last, absolute; empty before either.
    const std::string& setup_path() const { return setup_path_; }
    // Whether the inputs changed since the file was opened or saved (or
    // since the session started afresh).
    bool dirty() const { return dirty_; }
    // Starts afresh from CALC: no set-up file, nothing to save.
    void start_afresh(Calculator calc);
    // Counts the changes of the inputs.
    unsigned changes() const { return changes_; }

    // --- Measured readings, evaluated with the set-up as it is now (its
    // frequency and levels replaced by theirs). Each returns why they
    // cannot be (one line naming the file), and then changes nothing.
    std::string open_readings(const std::string& path, const std::string& calibration_path = {});
    // Readings in hand (just measured), NAME saying what took them;
    // CALIBRATION, if given, in place of their own calibration levels.
    std::string take_readings(const datafiles::Readings& readings, std::string name,
                              const datafiles::Readings* calibration = nullptr);
    // READINGS evaluated as take_readings evaluates them, into OUT, the
    // session's own left as they are.
    std::string evaluate_readings(const datafiles::Readings& readings, std::string name,
                                  const datafiles::Readings* calibration,
                                  MeasuredReadings& out) const;
    const std::optional<MeasuredReadings>& measured() const { return measured_; }
    void clear_readings();
    // The set-up readings are evaluated with (and a measurement planned by).
    app::Setup readings_setup() const;
    // The measured results as orlavex-cli evaluate --readings --format csv
    // lays them out; empty without readings.
    std::string measured_csv() const;

    // --- Export: the result as orlavex-cli writes it.
    std::string export_csv(const std::string& path) const;

  private:
    void changed();
    void forget_embedded(std::string_view slot);
    std::size_t nearest_point(double swept_value) const;

    Calculator setup_;
    SweepInputs inputs_;
    std::optional<datafiles::EnrTable> enr_table_;
    std::optional<datafiles::Touchstone> sparameters_;
    planning::BenchInput bench_;
    // The seed and the shape of the specified uncertainties, which the
    // planner shows no control for; the numbers it does show are in inputs_.
    app::ModelInputs model_;
    // The data files as the set-up file opened last embeds them, slot by
    // slot; a slot whose file is changed or cleared is written from the
    // file read instead.
    app::EmbeddedFiles embedded_{};

    std::shared_ptr<const planning::SweepResult> result_;
    bool result_has_mc_ = false;
    SweepJob shown_;
    std::optional<std::size_t> selected_;
    std::optional<double> selected_value_;  // its swept value
    planning::Advice advice_;
    unsigned changes_ = 0;
    unsigned advice_changes_ = 0;  // the count the ranking belongs to

    std::optional<MeasuredReadings> measured_;

    std::string setup_path_;
    bool dirty_ = false;
};

}  // namespace orlavex::session
