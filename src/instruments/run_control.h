// What a measurement run asks of whoever runs it: whether to stop (Ctrl-C
// at a terminal, Ctrl+C in Python, Cancel in a window), a question to the
// user before the bench is rearranged, and a view of its progress.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace orlavex::instruments {

class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("interrupted") {}
};

class RunControl {
  public:
    virtual ~RunControl() = default;
    // Throws Interrupted when the run is to stop.
    virtual void check() = 0;
    // Puts QUESTION to the user and returns once answered; throws
    // Interrupted when the run is to stop instead.
    virtual void ask(const std::string& question) = 0;
    // While the returned handle is held, COMPLETED (callable from any
    // thread) counts the frequencies done out of TOTAL.
    virtual std::shared_ptr<void> watch(std::function<std::size_t()> completed, std::size_t total) {
        (void)completed;
        (void)total;
        return nullptr;
    }
};

}  // namespace orlavex::instruments
