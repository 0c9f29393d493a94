#include "cli_runner.h"

#include "cli/run.h"

#include <gtest/gtest.h>

#include "child_process.h"

#include <algorithm>
#include <sstream>

namespace orlavex::cli::test {

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
    const support::ChildRun child = support::run_child(ORLAVEX_CLI_PATH, args);
    return {child.status, child.out, child.err};
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
