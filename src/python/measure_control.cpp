#include "python/measure_control.h"

namespace orlavex::python {

void MeasureControl::check() {
    if (stop_) throw instruments::Interrupted();
}

void MeasureControl::ask(const std::string& question) {
    std::unique_lock lock(mutex_);
    question_ = question;
    answered_.wait(lock, [this] { return !question_ || stop_; });
    if (stop_) throw instruments::Interrupted();
}

std::optional<std::string> MeasureControl::question() {
    const std::lock_guard lock(mutex_);
    return question_;
}

void MeasureControl::answer() {
    {
        const std::lock_guard lock(mutex_);
        question_.reset();
    }
    answered_.notify_all();
}

void MeasureControl::stop() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    answered_.notify_all();
}

}  // namespace orlavex::python
