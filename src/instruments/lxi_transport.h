// VXI-11 (TCPIP::HOST::INSTR) through liblxi.
#pragma once

#include "instruments/transport.h"

#include <string>

namespace orlavex::instruments {

class LxiTransport final : public Transport {
  public:
    LxiTransport(const std::string& host, const std::string& device, Milliseconds timeout);
    ~LxiTransport() override;
    LxiTransport(const LxiTransport&) = delete;
    LxiTransport& operator=(const LxiTransport&) = delete;

    void write(std::string_view command) override;
    std::string read(Milliseconds timeout) override;
    void close() override;

  private:
    int device_ = -1;
    int timeout_ms_ = 0;
};

}  // namespace orlavex::instruments
