#include "planner/sweep_runner.h"

#include <QThread>

#include <exception>

namespace orlavex::planner {

struct SweepRunner::Outcome {
    std::shared_ptr<const planning::SweepResult> result;
    std::string error;
    bool cancelled = false;
};

SweepRunner::SweepRunner(QObject* parent) : QObject(parent) {}

SweepRunner::~SweepRunner() {
    if (thread_ == nullptr) return;
    progress_->cancel = true;
    thread_->wait();
    delete thread_;
}

void SweepRunner::start(planning::Sweep sweep) {
    if (thread_ != nullptr) {
        progress_->cancel = true;
        waiting_ = std::move(sweep);
        return;
    }
    launch(std::move(sweep));
}

void SweepRunner::cancel() {
    waiting_.reset();
    if (thread_ != nullptr) progress_->cancel = true;
}

std::size_t SweepRunner::done() const {
    return progress_ ? progress_->done.load() : 0;
}

void SweepRunner::launch(planning::Sweep sweep) {
    total_ = sweep.points;
    progress_ = std::make_shared<planning::SweepProgress>();
    outcome_ = std::make_shared<Outcome>();
    thread_ =
        QThread::create([sweep = std::move(sweep), progress = progress_, outcome = outcome_]() {
            try {
                outcome->result = std::make_shared<const planning::SweepResult>(
                    planning::run_sweep(sweep, *progress));
            } catch (const planning::SweepCancelled&) {
                outcome->cancelled = true;
            } catch (const std::exception& e) {
                outcome->error = e.what();
            }
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
        planning::Sweep next = std::move(*waiting_);
        waiting_.reset();
        launch(std::move(next));
        return;
    }
    if (outcome->cancelled) {
        emit cancelled();
    } else if (!outcome->error.empty()) {
        emit failed(QString::fromStdString(outcome->error));
    } else {
        emit finished(outcome->result);
    }
}

}  // namespace orlavex::planner
