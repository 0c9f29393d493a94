// Ctrl-C during `measure`: SIGINT is held back while the bench runs and
// looked for between steps, so that the source is switched off before the
// command ends (status 130). Prompts wait for Enter while watching for it.
#pragma once

#include "instruments/run_control.h"

#include <csignal>
#include <string>

namespace orlavex::cli {

using instruments::Interrupted;

class Interrupt final : public instruments::RunControl {
  public:
    // Holds SIGINT back; with PROGRESS, a watched stage shows its progress
    // line on a terminal.
    explicit Interrupt(bool progress);
    ~Interrupt();  // lets it through again (one still pending is taken)
    Interrupt(const Interrupt&) = delete;
    Interrupt& operator=(const Interrupt&) = delete;

    // Throws Interrupted when SIGINT came.
    void check() override;
    // Writes QUESTION to standard error and waits for a line on standard
    // input; throws Interrupted on SIGINT, std::runtime_error at its end.
    void ask(const std::string& question) override;
    std::shared_ptr<void> watch(std::function<std::size_t()> completed, std::size_t total) override;

  private:
    sigset_t held_{}, before_{};
    bool progress_;
};

}  // namespace orlavex::cli
