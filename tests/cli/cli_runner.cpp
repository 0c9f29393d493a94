#include "cli_runner.h"

#include "cli/run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace orlavex::cli::test {

namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

CliRun run_cli(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"orlavex-cli"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    CliRun r;
    r.status = run(static_cast<int>(argv.size()), argv.data(), out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

CliRun run_binary(const std::vector<std::string>& args) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orlavex-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string out = (dir / "out").string();
    const std::string err = (dir / "err").string();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string program = ORLAVEX_CLI_PATH;
    std::vector<std::string> owned = args;
    std::vector<char*> argv{program.data()};
    for (std::string& a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
            run.status = WEXITSTATUS(wstatus);
        }
    }
    posix_spawn_file_actions_destroy(&files);
    run.out = slurp(out);
    run.err = slurp(err);
    std::filesystem::remove_all(dir);
    return run;
}

nlohmann::json point_json(std::vector<std::string> args) {
    args.insert(args.begin(), "point");
    args.push_back("--json");
    if (std::ranges::find(args, "--trials") == args.end())
        args.insert(args.end(), {"--trials", "2000"});
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    if (r.status != 0) return nlohmann::json::object();
    return r.json();
}

}  // namespace orlavex::cli::test
