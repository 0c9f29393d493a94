// The cost of one reading's exchanges through the instruments library
// (Scpi over SocketTransport: a sweep, *OPC? and the read, each followed by
// SYST:ERR?) against a bare socket client sending the same six lines and
// reading each reply up to its newline, nothing parsed or checked, in the
// same iteration against the same orlavex-sim on a loopback port. The
// counters are wall microseconds per reading of both, their ratio and the
// one-minute load (/proc/loadavg) at the end; run with
// --benchmark_repetitions=9 for min/median/max.
#include "instruments/scpi.h"
#include "instruments/socket_transport.h"

#include "spread.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <string>

extern char** environ;

namespace orlavex::bench {
namespace {

using Clock = std::chrono::steady_clock;

// orlavex-sim on a free loopback port for the length of a benchmark.
class Simulator {
  public:
    Simulator() {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        const char* argv[] = {ORLAVEX_SIM_PATH, "--setup",     ORLAVEX_PLAN_PATH,
                              "--listen",       "127.0.0.1:0", nullptr};
        posix_spawn(&pid_, ORLAVEX_SIM_PATH, &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        std::string line;
        pollfd p{out[0], POLLIN, 0};
        char c = 0;
        while (::poll(&p, 1, 10000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(out[0]);
        port_ = std::stoi(line.substr(line.rfind(':') + 1));
    }
    ~Simulator() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    int port() const { return port_; }

  private:
    pid_t pid_ = -1;
    int port_ = 0;
};

constexpr const char* reading_lines[] = {
    "INIT:IMM", "SYST:ERR?", "*OPC?", "SYST:ERR?", "CALC:MARK:FUNC:NOIS:RES?", "SYST:ERR?"};

// The bare client: a blocking socket, a line out, bytes in to the newline.
class BareClient {
  public:
    explicit BareClient(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int yes = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
            throw std::runtime_error("no connection");
    }
    ~BareClient() { ::close(fd_); }

    void reading() {
        for (const char* line : reading_lines) {
            const std::string out = std::string(line) + "\n";
            (void)::send(fd_, out.data(), out.size(), 0);
            if (out.find('?') == std::string::npos) continue;
            // Replies come whole in one segment on loopback; bytes after
            // the newline are kept for the next.
            while (pending_.find('\n') == std::string::npos) {
                char buffer[4096];
                const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
                if (n <= 0) return;
                pending_.append(buffer, static_cast<std::size_t>(n));
            }
            pending_.erase(0, pending_.find('\n') + 1);
        }
    }

  private:
    int fd_ = -1;
    std::string pending_;
};

double load_average() {
    std::ifstream in("/proc/loadavg");
    double load = 0;
    in >> load;
    return load;
}

void BM_ReadingExchangesOverBareClient(benchmark::State& st) {
    const Simulator sim;
    instruments::SocketTransport transport("127.0.0.1", sim.port(), std::chrono::seconds(5));
    instruments::Scpi scpi(transport, std::chrono::seconds(5), "the analyzer");
    BareClient bare(sim.port());
    double library_s = 0, bare_s = 0;
    for (auto _ : st) {
        const auto start = Clock::now();
        scpi.command("INIT:IMM");
        (void)scpi.query("*OPC?");
        benchmark::DoNotOptimize(scpi.query_number("CALC:MARK:FUNC:NOIS:RES?"));
        const auto middle = Clock::now();
        bare.reading();
        bare_s += std::chrono::duration<double>(Clock::now() - middle).count();
        library_s += std::chrono::duration<double>(middle - start).count();
    }
    const double n = static_cast<double>(st.iterations());
    st.counters["library_us_per_reading"] = 1e6 * library_s / n;
    st.counters["bare_us_per_reading"] = 1e6 * bare_s / n;
    st.counters["ratio_to_bare_client"] = library_s / bare_s;
    st.counters["load_1min"] = load_average();
}
BENCHMARK(BM_ReadingExchangesOverBareClient)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Apply(with_spread);

}  // namespace
}  // namespace orlavex::bench
