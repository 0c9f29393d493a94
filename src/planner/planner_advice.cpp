// The ranking of noise sources and preamp choices: run on a thread of its
// own with its progress and Cancel on the Advice tab, its outcome shown in
// the table when it ends.
#include "planner/planner_window.h"

#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <exception>
#include <memory>
#include <string>

namespace orlavex::planner {

// What the ranking's thread leaves for the window.
struct AdviceOutcome {
    planning::Advice advice;
    bool cancelled = false;
    std::string error;
};

void PlannerWindow::start_advice() {
    if (advice_thread_ != nullptr) return;
    advice_asked_ = true;
    planning::Sweep sweep = current_sweep();
    sweep.monte_carlo.enabled = false;
    rank_->setEnabled(false);
    advice_cancel_->setEnabled(true);
    advice_bar_->setRange(0, 0);  // busy until the ranking knows its points
    set_status(tr("Ranking every noise source and preamp choice..."));
    auto progress = std::make_shared<planning::SweepProgress>();
    auto outcome = std::make_shared<AdviceOutcome>();
    const unsigned asked_at = inputs_version_;
    QThread* thread = QThread::create([sweep = std::move(sweep), progress, outcome] {
        try {
            outcome->advice = planning::advise(sweep, *progress);
        } catch (const planning::SweepCancelled&) {
            outcome->cancelled = true;
        } catch (const std::exception& e) {
            outcome->error = e.what();
        }
    });
    advice_thread_ = thread;
    advice_progress_ = progress;
    connect(thread, &QThread::finished, this, [this, thread, outcome, asked_at] {
        thread->deleteLater();
        finish_advice(*outcome, asked_at);
    });
    advice_timer_->start();
    thread->start();
}

void PlannerWindow::cancel_advice() {
    if (advice_progress_) advice_progress_->cancel = true;
}

void PlannerWindow::show_advice_progress() {
    if (!advice_progress_) return;
    const auto total = static_cast<int>(advice_progress_->total.load());
    if (total == 0) return;
    advice_bar_->setRange(0, total);
    advice_bar_->setValue(static_cast<int>(advice_progress_->done.load()));
}

void PlannerWindow::finish_advice(const AdviceOutcome& outcome, unsigned asked_at) {
    advice_thread_ = nullptr;
    advice_progress_.reset();
    advice_timer_->stop();
    rank_->setEnabled(true);
    advice_cancel_->setEnabled(false);
    advice_bar_->setRange(0, 1);
    advice_bar_->setValue(outcome.cancelled || !outcome.error.empty() ? 0 : 1);
    if (outcome.cancelled) {
        set_status(advice_.ranking.empty()
                       ? tr("Ranking cancelled.")
                       : tr("Ranking cancelled; the table shows the previous ranking."));
        return;
    }
    if (!outcome.error.empty()) {
        set_status(tr("No advice: %1").arg(QString::fromStdString(outcome.error)));
        return;
    }
    advice_ = outcome.advice;
    advice_version_ = asked_at;
    show_advice();
    set_status(tr("Ranked %1 set-ups.").arg(advice_.ranking.size()));
    emit advice_shown();
}

}  // namespace orlavex::planner
