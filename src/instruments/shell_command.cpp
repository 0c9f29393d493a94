#include "instruments/shell_command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <cerrno>
#include <csignal>

extern char** environ;

namespace orlavex::instruments {

namespace {

// Spawn attributes: the caller's signal mask with SIGINT added, and the
// other signals' handlers at their defaults.
class HeldInterrupt {
  public:
    HeldInterrupt() {
        posix_spawnattr_init(&attr_);
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        sigaddset(&mask, SIGINT);
        posix_spawnattr_setsigmask(&attr_, &mask);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGTERM);
        posix_spawnattr_setsigdefault(&attr_, &defaults);
        posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~HeldInterrupt() { posix_spawnattr_destroy(&attr_); }
    HeldInterrupt(const HeldInterrupt&) = delete;
    HeldInterrupt& operator=(const HeldInterrupt&) = delete;

    const posix_spawnattr_t* get() const { return &attr_; }

  private:
    posix_spawnattr_t attr_;
};

}  // namespace

ShellEnd run_shell(const std::string& command) {
    ShellEnd end;
    const HeldInterrupt attr;
    char sh[] = "sh", dash_c[] = "-c";
    std::string text = command;
    char* argv[] = {sh, dash_c, text.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, "/bin/sh", nullptr, attr.get(), argv, environ) != 0) return end;
    end.started = true;
    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != pid) return end;
    if (WIFEXITED(status)) end.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
    return end;
}

std::string shell_end_text(const ShellEnd& end) {
    if (!end.started) return "could not be started";
    if (end.signal != 0) return "signal " + std::to_string(end.signal);
    return "status " + std::to_string(end.exit_code);
}

}  // namespace orlavex::instruments
