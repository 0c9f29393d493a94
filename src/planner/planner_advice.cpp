// The ranking of noise sources and preamp choices: run on a thread of its
// own with its progress and Cancel on the Advice tab, its outcome shown in
// the table when it ends.
#include "planner/planner_window.h"

#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <memory>

namespace orlavex::planner {

void PlannerWindow::start_advice() {
    if (advice_thread_ != nullptr) return;
    advice_asked_ = true;
    auto job = std::make_shared<const session::AdviceJob>(session_.advice_job());
    rank_->setEnabled(false);
    advice_cancel_->setEnabled(true);
    advice_bar_->setRange(0, 0);  // busy until the ranking knows its points
    set_status(tr("Ranking every noise source and preamp choice..."));
    auto progress = std::make_shared<planning::SweepProgress>();
    auto outcome = std::make_shared<session::AdviceOutcome>();
    QThread* thread = QThread::create(
        [job, progress, outcome] { *outcome = session::run_advice_job(*job, *progress); });
    advice_thread_ = thread;
    advice_progress_ = progress;
    connect(thread, &QThread::finished, this, [this, thread, job, outcome] {
        thread->deleteLater();
        finish_advice(*job, *outcome);
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

void PlannerWindow::finish_advice(const session::AdviceJob& job,
                                  const session::AdviceOutcome& outcome) {
    advice_thread_ = nullptr;
    advice_progress_.reset();
    advice_timer_->stop();
    rank_->setEnabled(true);
    advice_cancel_->setEnabled(false);
    advice_bar_->setRange(0, 1);
    advice_bar_->setValue(outcome.cancelled || !outcome.error.empty() ? 0 : 1);
    if (outcome.cancelled) {
        set_status(advice().ranking.empty()
                       ? tr("Ranking cancelled.")
                       : tr("Ranking cancelled; the table shows the previous ranking."));
        return;
    }
    if (!outcome.error.empty()) {
        set_status(tr("No advice: %1").arg(QString::fromStdString(outcome.error)));
        return;
    }
    session_.take_advice(job, outcome);
    show_advice();
    set_status(tr("Ranked %1 set-ups.").arg(advice().ranking.size()));
    emit advice_shown();
}

}  // namespace orlavex::planner
