#include "planner/measure_control.h"

namespace orlavex::planner {

void MeasureControl::check() {
    if (cancelled_) throw instruments::Interrupted();
}

void MeasureControl::ask(const std::string& question) {
    check();
    if (!ask_(question)) cancelled_ = true;
    check();
}

std::shared_ptr<void> MeasureControl::watch(std::function<std::size_t()> completed,
                                            std::size_t total) {
    {
        const std::lock_guard lock(mutex_);
        completed_ = std::move(completed);
        total_ = total;
    }
    // Forgotten under the lock when the stage ends, before what it counts goes.
    return std::shared_ptr<void>(nullptr, [this](void*) {
        const std::lock_guard lock(mutex_);
        completed_ = nullptr;
        total_ = 0;
    });
}

std::pair<std::size_t, std::size_t> MeasureControl::progress() {
    const std::lock_guard lock(mutex_);
    return {completed_ ? completed_() : 0, total_};
}

}  // namespace orlavex::planner
