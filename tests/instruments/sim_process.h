// orlavex-sim started by a test on a free loopback port, and stopped (by
// its process id) when the test is done with it.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace orlavex::testing {

class SimProcess {
  public:
    // Starts orlavex-sim with the set-up file SETUP and ARGS; fails the
    // test when it does not say where it listens within a few seconds.
    SimProcess(const std::string& setup, const std::vector<std::string>& args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int port() const { return port_; }
    std::string address() const;  // TCPIP::127.0.0.1::PORT::SOCKET
    // The simulator's answer to QUERY over a connection of the test's own.
    std::string ask(const std::string& query) const;

  private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A program run with ARGS, sent SIGINT after DELAY_MS; its status (128 + the
// signal when a signal ended it) and standard error.
struct Interrupted {
    int status = -1;
    std::string err;
};
Interrupted run_and_interrupt(const std::string& program, const std::vector<std::string>& args,
                              int delay_ms);

}  // namespace orlavex::testing
