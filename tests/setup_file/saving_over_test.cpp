// Saving a set-up over what its name already points to: a link is followed
// (it stays a link), the file keeps its permissions and owner, anything but
// a regular file is refused and left as it was, and the temporary files of
// an earlier save that was killed are cleared away.
#include "app/setup_file/setup_file.h"
#include "cli_runner.h"
#include "datafiles/file_error.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orlavex::app {
namespace {

namespace fs = std::filesystem;

class SavingOver : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("orlavex-saving-over-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static std::string bytes_of(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder_))
            found.push_back(entry.path().filename().string());
        std::ranges::sort(found);
        return found;
    }

    fs::path folder_;
    const std::string saved_ = setup_file_text(SweepRequest{});
};

// A process id that no longer runs: a child's, once it has ended.
pid_t ended_process() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST_F(SavingOver, FollowsALinkToItsTarget) {
    fs::create_directories(folder_ / "real");
    std::ofstream(folder_ / "real" / "a.json") << "old";
    fs::create_symlink("real/a.json", folder_ / "link.json");
    write_setup_file(folder_ / "link.json", SweepRequest{});
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.json"));
    EXPECT_EQ(bytes_of(folder_ / "real" / "a.json"), saved_);
    EXPECT_EQ(names(), (std::vector<std::string>{"link.json", "real"}));
}

TEST_F(SavingOver, KeepsTheFilesPermissionsAndOwner) {
    const fs::path file = folder_ / "a.json";
    for (const mode_t mode : {0600, 0640, 0755}) {
        std::ofstream(file) << "old";
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        // Root may give a file to anyone: then it keeps its owner too.
        const bool as_root = ::geteuid() == 0;
        if (as_root) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        write_setup_file(file, SweepRequest{});
        struct stat after {};
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, mode) << std::oct << mode;
        if (as_root) {
            EXPECT_EQ(after.st_uid, 65534u);
            EXPECT_EQ(after.st_gid, 65534u);
        }
        EXPECT_EQ(bytes_of(file), saved_);
    }
}

// A FIFO stands for every file that is not a regular one (a device, a
// socket): writing the set-up into it, or putting a file in its place,
// would both be wrong.
TEST_F(SavingOver, RefusesWhatIsNotARegularFile) {
    const fs::path fifo = folder_ / "pipe.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("pipe.json", folder_ / "to-pipe.json");
    for (const fs::path& file : {fifo, folder_ / "to-pipe.json"}) {
        try {
            write_setup_file(file, SweepRequest{});
            ADD_FAILURE() << file << " written";
        } catch (const datafiles::FileError& e) {
            EXPECT_NE(std::string(e.what()).find("it is a FIFO, not a regular file"),
                      std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
    // The command line refuses it, for every file it writes, before it
    // computes anything.
    const fs::path plot = folder_ / "to-pipe.png", report = folder_ / "to-pipe.html";
    fs::create_symlink("pipe.json", plot);
    fs::create_symlink("pipe.json", report);
    const std::vector<std::string> sweep = {"--over", "freq", "--from",      "1",
                                            "--to",   "2",    "--enr-table", "/no-such.enr"};
    const std::vector<std::pair<std::string, fs::path>> outputs = {
        {"--save-setup", fifo}, {"--plot", plot}, {"-o", report}};
    for (const auto& [option, file] : outputs) {
        std::vector<std::string> args = {option == "-o" ? "report" : "sweep"};
        args.insert(args.end(), sweep.begin(), sweep.end());
        args.insert(args.end(), {option, file.string()});
        const cli::test::CliRun r = cli::test::run_cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "orlavex-cli: " + option + ": cannot write " + file.string() +
                             ": it is a FIFO, not a regular file\n");
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"pipe.json", "to-pipe.html", "to-pipe.json",
                                                 "to-pipe.png"}));
}

// A save killed part way leaves its temporary file: the next save of that
// file removes it, but not one of a save still running nor another file's.
TEST_F(SavingOver, ClearsTheTemporaryFilesOfAKilledSave) {
    const std::string dead = std::to_string(ended_process());
    const std::string running = std::to_string(::getppid());
    const std::vector<std::string> left = {"a.json.partial-" + dead + "-12345",
                                           "a.json.partial-" + running + "-7",
                                           "b.json.partial-" + dead + "-1"};
    for (const std::string& name : left)
        std::ofstream(folder_ / name) << "unfinished";
    write_setup_file(folder_ / "a.json", SweepRequest{});
    EXPECT_EQ(names(), (std::vector<std::string>{"a.json", left[1], left[2]}));
}

}  // namespace
}  // namespace orlavex::app
