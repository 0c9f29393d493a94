// Runs a program as a child process and waits for it: the one spawner of
// the process tests and the process benchmarks. Standard input comes from a
// text (or /dev/null); standard output and error go through files, so that
// a long output cannot block the child on a full pipe, or into /dev/null.
#pragma once

#include <string>
#include <vector>

namespace orlavex::support {

struct ChildOptions {
    std::string input;        // the child's standard input
    bool keep_output = true;  // false: both outputs go into /dev/null
};

struct ChildRun {
    bool started = false;
    int status = -1;  // the exit status; -1 when the child did not exit normally
    std::string out;
    std::string err;
    double wall_seconds = 0;
    // User plus system CPU time of the child and of every process it waited
    // for (getrusage(RUSAGE_CHILDREN) around the wait).
    double cpu_seconds = 0;
    // The child's largest resident set (its own, from wait4), MiB.
    double peak_rss_mib = 0;
};

ChildRun run_child(const std::string& program, const std::vector<std::string>& args,
                   const ChildOptions& options = {});

}  // namespace orlavex::support
