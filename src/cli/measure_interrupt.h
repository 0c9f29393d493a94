// Ctrl-C during `measure`: SIGINT is held back while the bench runs and
// looked for between steps, so that the source is switched off before the
// command ends (status 130). Prompts wait for Enter while watching for it.
#pragma once

#include <csignal>
#include <stdexcept>
#include <string>

namespace orlavex::cli {

class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("interrupted") {}
};

class Interrupt {
  public:
    Interrupt();   // holds SIGINT back
    ~Interrupt();  // lets it through again (one still pending is taken)
    Interrupt(const Interrupt&) = delete;
    Interrupt& operator=(const Interrupt&) = delete;

    // Throws Interrupted when SIGINT came.
    void check();
    // Writes QUESTION to standard error and waits for a line on standard
    // input; throws Interrupted on SIGINT, std::runtime_error at its end.
    void ask(const std::string& question);

  private:
    sigset_t held_{}, before_{};
};

}  // namespace orlavex::cli
