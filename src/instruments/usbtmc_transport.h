// USB through the kernel's usbtmc driver (USB::/dev/usbtmc0): a write is a
// command, a read one reply.
#pragma once

#include "instruments/transport.h"

#include <string>

namespace orlavex::instruments {

class UsbtmcTransport final : public Transport {
  public:
    explicit UsbtmcTransport(const std::string& device);
    ~UsbtmcTransport() override;
    UsbtmcTransport(const UsbtmcTransport&) = delete;
    UsbtmcTransport& operator=(const UsbtmcTransport&) = delete;

    void write(std::string_view command) override;
    std::string read(Milliseconds timeout) override;
    void close() override;

  private:
    int fd_ = -1;
    std::string device_;
};

}  // namespace orlavex::instruments
