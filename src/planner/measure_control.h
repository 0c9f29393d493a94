// The control of a measurement run on the planner's worker thread: Cancel
// stops it at its next step, its questions go to the window's thread, and
// its progress is read from there.
#pragma once

#include "instruments/run_control.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace orlavex::planner {

class MeasureControl final : public instruments::RunControl {
  public:
    // ASK puts a question to the user and is true to go on; it is called on
    // the run's thread and must carry the question over to the window's.
    explicit MeasureControl(std::function<bool(const std::string&)> ask) : ask_(std::move(ask)) {}

    void check() override;
    void ask(const std::string& question) override;
    std::shared_ptr<void> watch(std::function<std::size_t()> completed, std::size_t total) override;

    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }
    // Frequencies done and the stage's total, from any thread; {0, 0}
    // between stages.
    std::pair<std::size_t, std::size_t> progress();

  private:
    std::function<bool(const std::string&)> ask_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::function<std::size_t()> completed_;
    std::size_t total_ = 0;
};

}  // namespace orlavex::planner
