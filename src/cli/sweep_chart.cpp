#include "cli/sweep_chart.h"

#include "app/texts.h"
#include "charts/chart_data_binary.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

extern char** environ;

namespace orlavex::cli {

namespace {

// Ignores SIGPIPE while it lives: a helper that stops reading early makes
// the write fail instead of ending this process.
class IgnoreBrokenPipe {
  public:
    IgnoreBrokenPipe() { previous_ = std::signal(SIGPIPE, SIG_IGN); }
    ~IgnoreBrokenPipe() { std::signal(SIGPIPE, previous_); }
    IgnoreBrokenPipe(const IgnoreBrokenPipe&) = delete;
    IgnoreBrokenPipe& operator=(const IgnoreBrokenPipe&) = delete;

  private:
    void (*previous_)(int);
};

// The last line the helper wrote into MESSAGES, without its program name:
// what it could not do.
std::string last_message(std::FILE* messages) {
    std::rewind(messages);
    std::string said, line;
    for (int c = std::fgetc(messages); c != EOF; c = std::fgetc(messages)) {
        if (c != '\n') {
            line += static_cast<char>(c);
        } else if (!line.empty()) {
            said = std::exchange(line, {});
        }
    }
    if (!line.empty()) said = line;
    constexpr std::string_view own_name = "orlavex-plot: ";
    if (said.starts_with(own_name)) said.erase(0, own_name.size());
    return said;
}

bool write_all(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::filesystem::path> plot_helper_path() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / "orlavex-plot", folder / ".." / "libexec" / "orlavex" / "orlavex-plot"}) {
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

std::string run_plot_helper(const std::vector<std::string>& arguments, const std::string& input,
                            const std::string& file, const std::string& needed_for) {
    const auto helper = plot_helper_path();
    if (!helper)
        return needed_for + " needs orlavex-plot beside orlavex-cli or in ../libexec/orlavex";

    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0)
        return std::string("cannot start orlavex-plot: ") + std::strerror(errno);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    // The helper's messages come back inside this program's one line.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> messages(std::tmpfile(), &std::fclose);
    if (messages)
        posix_spawn_file_actions_adddup2(&actions, ::fileno(messages.get()), STDERR_FILENO);
    const std::string program = helper->string();
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_fds[0]);
    if (spawned != 0) {
        ::close(pipe_fds[1]);
        return "cannot start " + program + ": " + std::strerror(spawned);
    }
    {
        IgnoreBrokenPipe guard;
        write_all(pipe_fds[1], input);
        ::close(pipe_fds[1]);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    const std::string said = messages ? last_message(messages.get()) : std::string();
    return app::printable_text("orlavex-plot could not draw " + file +
                               (said.empty() ? "" : ": " + said));
}

std::string draw_with_helper(const charts::SweepChartData& data, const std::string& file) {
    return run_plot_helper({file}, charts::to_binary(data), file, "--plot");
}

}  // namespace orlavex::cli
