// The Measure dialog's run: on a thread of its own, its questions carried to
// the window's thread, its progress polled, its end handed back there.
#include "planner/measure_control.h"
#include "planner/measure_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <future>

namespace orlavex::planner {

bool MeasureDialog::start() {
    if (running()) return false;
    instruments::MeasurementPlan plan;
    if (const std::string why = session::measurement_plan(choices(), request_(), plan);
        !why.empty()) {
        set_status(QString::fromStdString(why));
        return false;
    }
    plan_ = plan;
    // The question goes to this thread; the run waits for the answer while
    // watching for Cancel, so that a dialog closing meanwhile never leaves
    // it waiting.
    // control_ stays while the run goes on.
    auto control = std::make_shared<MeasureControl>([this](const std::string& question) {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> answered = answer->get_future();
        QMetaObject::invokeMethod(
            this,
            [this, answer, q = QString::fromStdString(question)] { answer->set_value(ask_(q)); },
            Qt::QueuedConnection);
        while (answered.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
            if (control_->cancelled()) return false;
        }
        return answered.get();
    });
    control_ = control;
    outcome_ = std::make_shared<instruments::MeasurementOutcome>();
    thread_ = QThread::create([control, plan, outcome = outcome_] {
        *outcome = instruments::run_measurement(plan, *control);
    });
    connect(thread_, &QThread::finished, this, &MeasureDialog::finish);
    progress_->setRange(0, 0);
    set_status(tr("Measuring %n frequencies...", nullptr, static_cast<int>(plan.freqs_ghz.size())));
    show_running(true);
    thread_->start();
    progress_timer_->start();
    return true;
}

void MeasureDialog::cancel() {
    if (!running()) return;
    control_->cancel();
    set_status(tr("Cancelling: switching the noise source off..."));
}

void MeasureDialog::show_progress() {
    if (!control_) return;
    const auto [done, total] = control_->progress();
    if (total == 0) return;
    progress_->setRange(0, static_cast<int>(total));
    progress_->setValue(static_cast<int>(done));
}

void MeasureDialog::finish() {
    progress_timer_->stop();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    const instruments::MeasurementOutcome& o = *outcome_;
    const std::string comment = "Orlavex Planner, analyzer " + choices().analyzer + " (" +
                                (o.identity.empty() ? plan_.analyzer.name : o.identity) +
                                "), profile " + plan_.analyzer.name;
    const std::string text = session::measured_text(o, plan_, comment);
    if (!text.empty()) {
        readings_ = QString::fromStdString(text);
        readings_file_.clear();
    }
    progress_->setRange(0, 1);
    progress_->setValue(o.failure.empty() ? 1 : 0);
    if (!o.failure.empty()) {
        set_status(QString::fromStdString(session::failure_text(o, plan_)));
    } else {
        set_status(tr("Measured %n frequencies.", nullptr, static_cast<int>(o.measured.size())));
    }
    show_running(false);
    if (!text.empty()) emit measured(readings_, tr("Measured readings"));
    emit run_ended();
}

QString MeasureDialog::save_readings(const QString& path) {
    if (readings_.isEmpty()) return tr("No readings to save yet.");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(readings_.toUtf8()) != readings_.toUtf8().size() || !file.flush())
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    readings_file_ = path;
    return {};
}

TakenReadings MeasureDialog::taken() const {
    // Named as orlavex-cli measure --report names readings it was not
    // asked to keep.
    return {readings_.toStdString(), readings_file_.isEmpty()
                                         ? "measured (not saved: Save Readings... keeps them)"
                                         : QFileInfo(readings_file_).fileName().toStdString()};
}

}  // namespace orlavex::planner
