// Runs orlavex-cli's command line in the test process, or the real binary,
// and hands back its status and both outputs.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace orlavex::cli::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;

    nlohmann::json json() const { return nlohmann::json::parse(out); }
};

// The command line ARGS (without the program name) through cli::run.
CliRun run_cli(const std::vector<std::string>& args);

// The built orlavex-cli binary with ARGS, outputs through files.
CliRun run_binary(const std::vector<std::string>& args);

// ARGS with "--json" and a small Monte Carlo, parsed; fails the test when
// the command does not succeed.
nlohmann::json point_json(std::vector<std::string> args);

}  // namespace orlavex::cli::test
