#include "instruments/usbtmc_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace orlavex::instruments {

UsbtmcTransport::UsbtmcTransport(const std::string& device) : device_(device) {
    fd_ = ::open(device.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) throw TransportError(TransportFault::failed, device + ": " + std::strerror(errno));
}

UsbtmcTransport::~UsbtmcTransport() {
    close();
}

void UsbtmcTransport::write(std::string_view command) {
    if (fd_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    std::string line(command);
    line += '\n';
    if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw TransportError(TransportFault::closed, device_ + ": " + std::strerror(errno));
}

std::string UsbtmcTransport::read(Milliseconds timeout) {
    if (fd_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(timeout.count())) <= 0)
        throw TransportError(TransportFault::timeout, "no reply in time");
    char buffer[65536];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
        throw TransportError(n == 0 ? TransportFault::closed : TransportFault::timeout,
                             device_ + ": " + (n == 0 ? "no reply" : std::strerror(errno)));
    }
    std::string reply(buffer, static_cast<std::size_t>(n));
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r'))
        reply.pop_back();
    return reply;
}

void UsbtmcTransport::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace orlavex::instruments
