// orlavex-sim's listening socket and its connections: lines in, each
// handed to the simulated instruments, their replies out (after the
// injected delay, or garbled, or the connection dropped, as asked).
#pragma once

#include "sim/sim_instrument.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

namespace orlavex::sim {

struct ConnectionFaults {
    std::chrono::milliseconds delay{0};        // before every reply
    std::optional<std::size_t> drop_after;     // commands a connection takes, then closed
    std::optional<std::size_t> garbage_after;  // commands, then every reply garbled
};

// The address to listen on: loopback only. Empty, or why TEXT is refused.
struct ListenAddress {
    std::string host;  // 127.0.0.1 or ::1
    int port = 0;      // 0: any free port
};
std::string parse_listen_address(const std::string& text, ListenAddress& address);

// Listens on ADDRESS, writes "listening on HOST:PORT" to OUT, and serves
// until killed; returns only on a failure, with its reason.
std::string serve(const ListenAddress& address, SimInstrument& instrument,
                  const ConnectionFaults& faults, std::ostream& out);

}  // namespace orlavex::sim
