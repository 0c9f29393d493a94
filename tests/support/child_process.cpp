#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

extern char** environ;

namespace orlavex::support {

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

double children_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A folder of its own for each run: tests run in parallel processes.
fs::path fresh_folder() {
    std::string name = (fs::temp_directory_path() / "orlavex-child-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        throw fs::filesystem_error("mkdtemp", name, {errno, std::generic_category()});
    return name;
}

}  // namespace

ChildRun run_child(const std::string& program, const std::vector<std::string>& args,
                   const ChildOptions& options) {
    const fs::path folder = fresh_folder();
    const std::string in = (folder / "in").string();
    const std::string out = options.keep_output ? (folder / "out").string() : "/dev/null";
    const std::string err = options.keep_output ? (folder / "err").string() : "/dev/null";
    std::ofstream(in, std::ios::binary) << options.input;

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> owned{program};
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    ChildRun run;
    const double cpu_before = children_cpu_seconds();
    const auto wall_before = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ) == 0) {
        run.started = true;
        int wstatus = 0;
        pid_t waited = 0;
        rusage usage{};
        while ((waited = wait4(pid, &wstatus, 0, &usage)) < 0 && errno == EINTR) {
        }
        if (waited == pid && WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
        if (waited == pid) run.peak_rss_mib = static_cast<double>(usage.ru_maxrss) / 1024;
    }
    run.wall_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
    run.cpu_seconds = children_cpu_seconds() - cpu_before;
    posix_spawn_file_actions_destroy(&files);
    if (options.keep_output) {
        run.out = slurp(out);
        run.err = slurp(err);
    }
    fs::remove_all(folder);
    return run;
}

}  // namespace orlavex::support
