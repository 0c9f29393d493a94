#include "planner/sweep_runner.h"

#include <QThread>

namespace orlavex::planner {

struct SweepRunner::Outcome {
    std::shared_ptr<session::SweepJob> job;
    session::SweepOutcome outcome;
};

SweepRunner::SweepRunner(QObject* parent) : QObject(parent) {}

SweepRunner::~SweepRunner() {
    if (thread_ == nullptr) return;
    progress_->cancel = true;
    thread_->wait();
    delete thread_;
}

void SweepRunner::start(session::SweepJob job) {
    if (thread_ != nullptr) {
        progress_->cancel = true;
        waiting_ = std::move(job);
        return;
    }
    launch(std::move(job));
}

void SweepRunner::cancel() {
    waiting_.reset();
    if (thread_ != nullptr) progress_->cancel = true;
}

std::size_t SweepRunner::done() const {
    return progress_ ? progress_->done.load() : 0;
}

void SweepRunner::launch(session::SweepJob job) {
    total_ = job.sweep.points;
    progress_ = std::make_shared<planning::SweepProgress>();
    outcome_ =
        std::make_shared<Outcome>(Outcome{std::make_shared<session::SweepJob>(std::move(job)), {}});
    thread_ = QThread::create([progress = progress_, outcome = outcome_]() {
        outcome->outcome = session::run_sweep_job(*outcome->job, *progress);
    });
    connect(thread_, &QThread::finished, this, &SweepRunner::on_thread_finished);
    thread_->start();
}

void SweepRunner::on_thread_finished() {
    thread_->deleteLater();
    thread_ = nullptr;
    const std::shared_ptr<Outcome> outcome = std::move(outcome_);
    if (waiting_) {
        // The finished sweep belongs to a set-up that has changed since.
        session::SweepJob next = std::move(*waiting_);
        waiting_.reset();
        launch(std::move(next));
        return;
    }
    if (outcome->outcome.cancelled) {
        emit cancelled();
    } else if (!outcome->outcome.error.empty()) {
        emit failed(QString::fromStdString(outcome->outcome.error));
    } else {
        emit finished(outcome->job, outcome->outcome.result);
    }
}

}  // namespace orlavex::planner
