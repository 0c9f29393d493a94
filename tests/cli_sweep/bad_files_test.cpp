// A bad ENR table or S-parameter file stops sweep and advise with the
// reader's one message (file, line, what was expected) on standard error,
// status 2, and nothing on standard output.
#include "cli_runner.h"

#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"
#include "datafiles/touchstone.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

class BadFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orlavex-bad-files-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& text) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    fs::path folder_;
};

// What the reader itself says about FILE.
std::string reader_message(const std::function<void()>& read) {
    try {
        read();
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "the reader took the file";
    return {};
}

void expect_refused(const std::vector<std::string>& args, const std::string& message,
                    const std::string& file, const std::string& line) {
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "orlavex-cli: " + message + "\n");
    EXPECT_NE(r.err.find(file), std::string::npos) << "names the file: " << r.err;
    EXPECT_NE(r.err.find(line), std::string::npos) << "names the line: " << r.err;
}

std::vector<std::string> sweep_with(const std::string& option, const std::string& file) {
    return {"sweep",    "--over", "freq",     "--from", "1",    "--to", "2",
            "--points", "3",      "--format", "csv",    option, file};
}

TEST_F(BadFiles, EnrTablesGiveTheReadersMessage) {
    struct Case {
        const char* name;
        std::string text;
        const char* line;  // as the message names it
    };
    const Case cases[] = {
        {"out_of_order.enr", "1 GHz 15\n2 GHz 15.1\n500 MHz 15.2\n", ":3:"},
        {"missing_enr.enr", "# table\n1 GHz 15\n2 GHz\n", ":3:"},
        {"unknown_unit.enr", "1 GHz 15\n2 GHZZ 15\n", ":2:"},
        {"overlong.enr", "1 GHz 15\n" + std::string(300, '1') + " 15\n", ":2:"},
        {"decimal_comma.enr", "1 GHz 15,2 0,1\n", ":1:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = write(c.name, c.text);
        const std::string message = reader_message([&] { datafiles::read_enr_file(file); });
        expect_refused(sweep_with("--enr-table", file), message, file, c.line);
    }
}

TEST_F(BadFiles, BinaryAndMissingFilesGiveTheReadersMessage) {
    const std::string binary = ORLAVEX_TEST_DATA_DIR "/binary.enr";
    const std::string binary_message = reader_message([&] { datafiles::read_enr_file(binary); });
    expect_refused(sweep_with("--enr-table", binary), binary_message, binary, "binary.enr:");

    const std::string missing = (folder_ / "nowhere.s2p").string();
    const std::string missing_message =
        reader_message([&] { datafiles::read_touchstone(missing); });
    expect_refused(sweep_with("--dut-s2p", missing), missing_message, missing, "nowhere.s2p");
}

TEST_F(BadFiles, TouchstoneFilesGiveTheReadersMessage) {
    struct Case {
        const char* name;
        std::string text;
        const char* line;
    };
    const Case cases[] = {
        {"out_of_order.s2p",
         "# GHz S DB R 50\n2 -10 0 20 0 -50 0 -12 0\n1 -10 0 20 0 -50 0 -12 0\n", ":3:"},
        {"unknown_format.s2p", "# GHz S XY R 50\n1 -10 0 20 0 -50 0 -12 0\n", ":1:"},
        {"short_record.s2p", "# GHz S MA R 50\n1 0.3 0 10 0\n", ":2:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = write(c.name, c.text);
        const std::string message = reader_message([&] { datafiles::read_touchstone(file); });
        expect_refused(sweep_with("--dut-s2p", file), message, file, c.line);
    }
}

TEST_F(BadFiles, AdviseAndTheProgramItselfRefuseThemAlike) {
    const std::string file = write("falling.enr", "2 GHz 15\n1 GHz 15\n");
    const std::string message = reader_message([&] { datafiles::read_enr_file(file); });
    expect_refused({"advise", "--from", "1", "--to", "2", "--enr-table", file}, message, file,
                   ":2:");

    // The real binary, with a plot asked for: still nothing but the one line.
    const fs::path plot = folder_ / "never.png";
    const CliRun r = run_binary({"sweep", "--over", "freq", "--from", "1", "--to", "2",
                                 "--enr-table", file, "--plot", plot.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "orlavex-cli: " + message + "\n");
    EXPECT_FALSE(fs::exists(plot));
}

}  // namespace
}  // namespace orlavex::cli::test
