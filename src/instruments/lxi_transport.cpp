#include "instruments/lxi_transport.h"

#include <lxi.h>

#include <vector>

namespace orlavex::instruments {

namespace {

int ms(Milliseconds t) {
    return static_cast<int>(t.count());
}

}  // namespace

LxiTransport::LxiTransport(const std::string& host, const std::string& device, Milliseconds timeout)
    : timeout_ms_(ms(timeout)) {
    lxi_init();
    device_ = lxi_connect(host.c_str(), 0, device.c_str(), timeout_ms_, VXI11);
    if (device_ == LXI_ERROR) {
        throw TransportError(TransportFault::failed,
                             "cannot connect to " + host + " (VXI-11 device " + device + ")");
    }
}

LxiTransport::~LxiTransport() {
    close();
}

void LxiTransport::write(std::string_view command) {
    if (device_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    std::string line(command);
    line += '\n';
    if (lxi_send(device_, line.data(), static_cast<int>(line.size()), timeout_ms_) < 0)
        throw TransportError(TransportFault::closed, "the instrument took no command");
}

std::string LxiTransport::read(Milliseconds timeout) {
    if (device_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    std::vector<char> buffer(65536);
    const int n = lxi_receive(device_, buffer.data(), static_cast<int>(buffer.size()), ms(timeout));
    if (n < 0) throw TransportError(TransportFault::timeout, "no reply in time");
    std::string reply(buffer.data(), static_cast<std::size_t>(n));
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r'))
        reply.pop_back();
    return reply;
}

void LxiTransport::close() {
    if (device_ >= 0) lxi_disconnect(device_);
    device_ = -1;
}

}  // namespace orlavex::instruments
