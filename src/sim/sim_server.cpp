#include "sim/sim_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <deque>
#include <vector>

namespace orlavex::sim {

namespace {

using Clock = std::chrono::steady_clock;

struct Reply {
    Clock::time_point due;
    std::string text;
};

struct Connection {
    int fd = -1;
    std::string input;
    std::size_t commands = 0;
    std::deque<Reply> replies;
    SimSession session;
};

// At most this many connections at once (an analyzer, a supply, a test's
// own look at the bench, with room to spare).
constexpr std::size_t most_connections = 16;

int listening_socket(const ListenAddress& a, std::string& why, int& port) {
    const bool v6 = a.host == "::1";
    const int fd = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return why = std::strerror(errno), -1;
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_storage storage{};
    socklen_t len = 0;
    if (v6) {
        auto* s = reinterpret_cast<sockaddr_in6*>(&storage);
        s->sin6_family = AF_INET6;
        s->sin6_port = htons(static_cast<std::uint16_t>(a.port));
        s->sin6_addr = in6addr_loopback;
        len = sizeof *s;
    } else {
        auto* s = reinterpret_cast<sockaddr_in*>(&storage);
        s->sin_family = AF_INET;
        s->sin_port = htons(static_cast<std::uint16_t>(a.port));
        s->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        len = sizeof *s;
    }
    auto* address = reinterpret_cast<sockaddr*>(&storage);
    if (::bind(fd, address, len) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, address, &len) != 0) {
        why = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                    : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    return fd;
}

// Takes what C has sent; false when it closed or is to be dropped.
bool take_input(Connection& c, SimInstrument& instrument, const ConnectionFaults& faults) {
    char buffer[4096];
    const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    c.input.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t nl; (nl = c.input.find('\n')) != std::string::npos;) {
        const std::string line = c.input.substr(0, nl);
        c.input.erase(0, nl + 1);
        if (faults.drop_after && c.commands >= *faults.drop_after) return false;
        ++c.commands;
        const bool garbled = faults.garbage_after && c.commands > *faults.garbage_after;
        for (std::string& reply : instrument.handle(c.session, line)) {
            if (garbled) reply = "#\x7f\x01?garbage";
            c.replies.push_back({Clock::now() + faults.delay, std::move(reply) + "\n"});
        }
    }
    return true;
}

// Sends C's replies that are due; the wait until the next one, or -1.
int send_due(Connection& c) {
    while (!c.replies.empty() && c.replies.front().due <= Clock::now()) {
        const std::string& text = c.replies.front().text;
        (void)::send(c.fd, text.data(), text.size(), MSG_NOSIGNAL);
        c.replies.pop_front();
    }
    if (c.replies.empty()) return -1;
    const auto wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(c.replies.front().due - Clock::now());
    return static_cast<int>(std::max<long long>(1, wait.count()));
}

}  // namespace

std::string parse_listen_address(const std::string& text, ListenAddress& address) {
    const std::size_t colon = text.rfind(':');
    std::string host = colon == std::string::npos ? "" : text.substr(0, colon);
    if (host == "[::1]") host = "::1";
    if (host != "127.0.0.1" && host != "::1")
        return "--listen takes a loopback address only: 127.0.0.1:PORT or [::1]:PORT";
    const std::string port = text.substr(colon + 1);
    int p = -1;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), p);
    if (port.empty() || ec != std::errc() || end != port.data() + port.size() || p < 0 || p > 65535)
        return "--listen: the port is a number from 0 (any free port) to 65535";
    address = {host, p};
    return {};
}

std::string serve(const ListenAddress& address, SimInstrument& instrument,
                  const ConnectionFaults& faults, std::ostream& out) {
    std::string why;
    int port = 0;
    const int listener = listening_socket(address, why, port);
    if (listener < 0) return "cannot listen on " + address.host + ": " + why;
    out << "listening on " << (address.host == "::1" ? "[::1]" : address.host) << ':' << port
        << std::endl;
    std::vector<Connection> connections;
    for (;;) {
        std::vector<pollfd> fds{{listener, POLLIN, 0}};
        int wait = -1;
        for (Connection& c : connections) {
            fds.push_back({c.fd, POLLIN, 0});
            const int next = send_due(c);
            if (next >= 0) wait = wait < 0 ? next : std::min(wait, next);
        }
        if (::poll(fds.data(), fds.size(), wait) < 0 && errno != EINTR) return std::strerror(errno);
        for (std::size_t i = connections.size(); i-- > 0;) {
            if (!(fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            if (!take_input(connections[i], instrument, faults)) {
                ::close(connections[i].fd);
                connections.erase(connections.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (fds[0].revents & POLLIN) {
            const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0 && connections.size() < most_connections) {
                const int yes = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
                connections.push_back({fd, {}, 0, {}, {}});
            } else if (fd >= 0) {
                ::close(fd);
            }
        }
    }
}

}  // namespace orlavex::sim
