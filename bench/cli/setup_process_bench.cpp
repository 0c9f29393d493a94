// A set-up file against the same data files given as paths: `orlavex-cli
// point --setup F` over `point --meas-enr-table E --loss-in-s2p S`, where F
// embeds E (an ENR table) and S (a Touchstone file) of about a megabyte
// each, the two commands run by turns in each iteration (cpu_ratio, child
// CPU time). One Monte Carlo trial, so that the files weigh most. Run with
// --benchmark_repetitions=9 for min/median/max. ORLAVEX_SWEEP_CLI names
// another orlavex-cli to measure (another build's).
#include "large_data_files.h"
#include "process_bench.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlavex::cli {
namespace {

constexpr std::size_t file_bytes = 1024 * 1024;

std::string cli_program() {
    const char* other = std::getenv("ORLAVEX_SWEEP_CLI");
    return other != nullptr && *other != '\0' ? other : ORLAVEX_CLI_PATH;
}

// The data files and the set-up file that embeds them, in a folder of their
// own, removed at the end.
class SetupFiles {
  public:
    SetupFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orlavex-setup-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        dir_ = pattern;
        std::ofstream(enr(), std::ios::binary) << bench::large_enr_text(file_bytes);
        std::ofstream(s2p(), std::ios::binary) << bench::large_s2p_text(file_bytes, "RI", -1.5);
        const support::ChildRun run =
            support::run_child(cli_program(), with(paths(), {"--save-setup", setup()}),
                               {.input = {}, .keep_output = false});
        ready_ = run.started && run.status == 0;
    }
    ~SetupFiles() {
        std::error_code error;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, error);
    }
    SetupFiles(const SetupFiles&) = delete;
    SetupFiles& operator=(const SetupFiles&) = delete;

    bool ready() const { return ready_; }
    std::string enr() const { return (dir_ / "large.enr").string(); }
    std::string s2p() const { return (dir_ / "cable.s2p").string(); }
    std::string setup() const { return (dir_ / "large.orlavex.json").string(); }

    std::vector<std::string> paths() const {
        return {"point", "--meas-enr-table", enr(), "--loss-in-s2p", s2p(), "--trials", "1"};
    }
    std::vector<std::string> from_setup() const {
        return {"point", "--setup", setup(), "--trials", "1"};
    }

  private:
    static std::vector<std::string> with(std::vector<std::string> args,
                                         const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    std::filesystem::path dir_;
    bool ready_ = false;
};

void BM_ProcessPointSetupOverPaths_1MBFiles(benchmark::State& st) {
    const SetupFiles files;
    if (!files.ready()) {
        st.SkipWithError("cannot write the set-up file");
        return;
    }
    bench::run_process_ratio(st, cli_program(), files.from_setup(), files.paths());
}
BENCHMARK(BM_ProcessPointSetupOverPaths_1MBFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Apply(bench::with_spread);

}  // namespace
}  // namespace orlavex::cli
