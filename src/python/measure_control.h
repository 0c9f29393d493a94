// The control of a measurement run from Python: the run on a thread of its
// own, questions put to the user by the calling thread (which holds the
// GIL), and Ctrl+C seen there stopping the run.
#pragma once

#include "instruments/run_control.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

namespace orlavex::python {

class MeasureControl final : public instruments::RunControl {
  public:
    // The run's side.
    void check() override;
    void ask(const std::string& question) override;

    // The calling thread's side: the question waiting for an answer, if any.
    std::optional<std::string> question();
    void answer();
    // The run stops at its next step, or at the question it waits on.
    void stop();

  private:
    std::mutex mutex_;
    std::condition_variable answered_;
    std::optional<std::string> question_;
    std::atomic<bool> stop_{false};
};

}  // namespace orlavex::python
