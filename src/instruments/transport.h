// A connection to an instrument: lines of text out, one reply back within a
// time limit. The kinds of connection differ only in how bytes travel.
#pragma once

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orlavex::instruments {

using Milliseconds = std::chrono::milliseconds;

// Why an exchange failed: the time limit passed, the instrument closed the
// connection, or the system refused (no such host, no such device).
enum class TransportFault { timeout, closed, failed };

class TransportError : public std::runtime_error {
  public:
    TransportError(TransportFault fault, const std::string& what)
        : std::runtime_error(what), fault_(fault) {}
    TransportFault fault() const { return fault_; }

  private:
    TransportFault fault_;
};

class Transport {
  public:
    virtual ~Transport() = default;
    // Sends COMMAND with its terminating newline.
    virtual void write(std::string_view command) = 0;
    // The next reply without its terminating newline.
    virtual std::string read(Milliseconds timeout) = 0;
    virtual void close() = 0;

    std::string query(std::string_view command, Milliseconds timeout) {
        write(command);
        return read(timeout);
    }
};

struct Resource;

// A connection to RESOURCE, opened within TIMEOUT; throws TransportError.
std::unique_ptr<Transport> open_transport(const Resource& resource, Milliseconds timeout);

}  // namespace orlavex::instruments
