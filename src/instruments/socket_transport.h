// A raw SCPI socket (TCPIP::HOST::PORT::SOCKET): newline-terminated lines
// both ways. Plain POSIX sockets with poll() time limits rather than
// liblxi's RAW mode, whose receive hands back whatever one recv() brings
// (part of a reply, or two) and cannot tell a time limit from a closed
// connection: a reply here is everything up to its newline.
#pragma once

#include "instruments/transport.h"

#include <string>

namespace orlavex::instruments {

class SocketTransport final : public Transport {
  public:
    // Throws TransportError when no connection is made within TIMEOUT.
    SocketTransport(const std::string& host, int port, Milliseconds timeout);
    ~SocketTransport() override;
    SocketTransport(const SocketTransport&) = delete;
    SocketTransport& operator=(const SocketTransport&) = delete;

    void write(std::string_view command) override;
    std::string read(Milliseconds timeout) override;
    void close() override;

  private:
    int fd_ = -1;
    std::string pending_;  // bytes received after the last reply's newline
};

}  // namespace orlavex::instruments
