#include "instruments/socket_transport.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace orlavex::instruments {

namespace {

using Clock = std::chrono::steady_clock;

// Longest reply taken: far more than any reading, short of a runaway stream.
constexpr std::size_t longest_reply = 1 << 20;

int remaining_ms(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for EVENTS on FD until DEADLINE; false when it passed.
bool wait_for(int fd, short events, Clock::time_point deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, remaining_ms(deadline));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) throw TransportError(TransportFault::failed, std::strerror(errno));
    }
}

// A socket connected to one of ADDRESSES within DEADLINE, or -1.
int connect_any(addrinfo* addresses, Clock::time_point deadline, std::string& why) {
    for (addrinfo* a = addresses; a; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        int err = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (err == EINPROGRESS) {
            if (!wait_for(fd, POLLOUT, deadline)) {
                err = ETIMEDOUT;
            } else {
                socklen_t len = sizeof err;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
            }
        }
        if (err == 0) {
            // Commands are short lines, each waited on: no coalescing.
            const int yes = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
            return fd;
        }
        why = std::strerror(err);
        ::close(fd);
    }
    return -1;
}

}  // namespace

SocketTransport::SocketTransport(const std::string& host, int port, Milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string where = host + " port " + std::to_string(port);
    if (const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        rc != 0) {
        throw TransportError(TransportFault::failed, where + ": " + ::gai_strerror(rc));
    }
    std::string why = "no address";
    fd_ = connect_any(found, deadline, why);
    ::freeaddrinfo(found);
    if (fd_ < 0) {
        const bool late = why == std::strerror(ETIMEDOUT);
        throw TransportError(late ? TransportFault::timeout : TransportFault::failed,
                             "cannot connect to " + where + ": " + why);
    }
}

SocketTransport::~SocketTransport() {
    close();
}

void SocketTransport::write(std::string_view command) {
    if (fd_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    std::string line(command);
    line += '\n';
    const auto deadline = Clock::now() + Milliseconds(10000);
    for (std::size_t sent = 0; sent < line.size();) {
        const ssize_t n = ::send(fd_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!wait_for(fd_, POLLOUT, deadline))
                throw TransportError(TransportFault::timeout, "the instrument takes no more data");
        } else {
            throw TransportError(TransportFault::closed, "the instrument closed the connection");
        }
    }
}

std::string SocketTransport::read(Milliseconds timeout) {
    if (fd_ < 0) throw TransportError(TransportFault::closed, "the connection is closed");
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const std::size_t nl = pending_.find('\n'); nl != std::string::npos) {
            std::string reply = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            if (!reply.empty() && reply.back() == '\r') reply.pop_back();
            return reply;
        }
        if (pending_.size() > longest_reply)
            throw TransportError(TransportFault::failed, "a reply without an end");
        if (!wait_for(fd_, POLLIN, deadline))
            throw TransportError(TransportFault::timeout, "no reply in time");
        char buffer[4096];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n == 0)
            throw TransportError(TransportFault::closed, "the instrument closed the connection");
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw TransportError(TransportFault::closed, std::strerror(errno));
        if (n > 0) pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

void SocketTransport::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace orlavex::instruments
