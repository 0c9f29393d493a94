#include "sim_process.h"

#include "instruments/socket_transport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace orlavex::testing {

namespace {

pid_t spawn(const std::string& program, const std::vector<std::string>& args,
            posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), actions, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

// The first line FD gives within TIMEOUT_MS.
std::string first_line(int fd, int timeout_ms) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char c[256];
        const ssize_t n = ::read(fd, c, sizeof c);
        if (n <= 0) break;
        line.append(c, static_cast<std::size_t>(n));
    }
    return line.substr(0, line.find('\n'));
}

// Waits for PID at most TIMEOUT_MS; its status, or -1 (then killed).
int wait_bounded(pid_t pid, int timeout_ms) {
    for (int waited = 0; waited < timeout_ms; waited += 10) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1;
}

}  // namespace

SimProcess::SimProcess(const std::string& setup, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<std::string> all{"--setup", setup, "--listen", "127.0.0.1:0"};
    all.insert(all.end(), args.begin(), args.end());
    pid_ = spawn(ORLAVEX_SIM_PATH, all, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    const std::string line = first_line(out[0], 10000);
    ::close(out[0]);
    const std::string prefix = "listening on 127.0.0.1:";
    if (pid_ < 0 || !line.starts_with(prefix)) {
        ADD_FAILURE() << "orlavex-sim did not start: \"" << line << "\"";
        return;
    }
    port_ = std::stoi(line.substr(prefix.size()));
}

SimProcess::~SimProcess() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    wait_bounded(pid_, 5000);
}

std::string SimProcess::address() const {
    return "TCPIP::127.0.0.1::" + std::to_string(port_) + "::SOCKET";
}

std::string SimProcess::ask(const std::string& query) const {
    instruments::SocketTransport t("127.0.0.1", port_, std::chrono::milliseconds(5000));
    return t.query(query, std::chrono::milliseconds(10000));
}

Interrupted run_and_interrupt(const std::string& program, const std::vector<std::string>& args,
                              int delay_ms) {
    const std::string err_path =
        ::testing::TempDir() + "interrupted-" + std::to_string(::getpid()) + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const pid_t pid = spawn(program, args, &actions);
    posix_spawn_file_actions_destroy(&actions);
    Interrupted result;
    if (pid < 0) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    ::kill(pid, SIGINT);
    result.status = wait_bounded(pid, 30000);
    std::ifstream in(err_path);
    std::ostringstream text;
    text << in.rdbuf();
    result.err = text.str();
    std::remove(err_path.c_str());
    return result;
}

}  // namespace orlavex::testing
