// Runs the planner's sweeps on a thread of their own, one at a time: a new
// sweep asked for while one runs stops that one and starts when it has
// stopped, so the window only ever sees the result of its latest set-up.
// The sweep itself is the session's (session::run_sweep_job).
#pragma once

#include "planning/sweep.h"
#include "session/planner_session.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <optional>

class QThread;

namespace orlavex::planner {

class SweepRunner : public QObject {
    Q_OBJECT

  public:
    explicit SweepRunner(QObject* parent = nullptr);
    // Stops a running sweep and waits for its thread.
    ~SweepRunner() override;

    void start(session::SweepJob job);
    // Stops the running sweep (it reports `cancelled`) and forgets a waiting one.
    void cancel();

    bool busy() const { return thread_ != nullptr; }
    // Points done and points in all of the running sweep.
    std::size_t done() const;
    std::size_t total() const { return total_; }

  signals:
    // JOB is the one started last; the window takes it over.
    void finished(std::shared_ptr<session::SweepJob> job,
                  std::shared_ptr<const planning::SweepResult> result);
    void failed(const QString& message);
    void cancelled();

  private:
    struct Outcome;
    void launch(session::SweepJob job);
    void on_thread_finished();

    QThread* thread_ = nullptr;
    std::shared_ptr<planning::SweepProgress> progress_;
    std::shared_ptr<Outcome> outcome_;
    std::optional<session::SweepJob> waiting_;
    std::size_t total_ = 0;
};

}  // namespace orlavex::planner
