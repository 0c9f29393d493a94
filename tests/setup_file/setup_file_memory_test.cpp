// A set-up file's memory stays a small multiple of its size, whatever the
// file is made of: under a limit on the address space the real binary reads
// hostile files to their own one-line refusal, not to an out-of-memory
// message or a signal.
#include "datafiles/sha256.h"

#include <gtest/gtest.h>

#include "child_process.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace orlavex {
namespace {

namespace fs = std::filesystem;

// About three times what the program itself takes (50 MB runs a point),
// and far below what the files below took before (2 GB for the nesting,
// 300 MB and more for the lines).
constexpr const char* address_space_limit = "--as=200000000";

class SetupFileMemory : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer reserves terabytes of address space at start-up: no
        // address-space limit lets such a build run at all.
        GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
#endif
        dir_ = fs::temp_directory_path() /
               ("orlavex-setup-memory-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
    }

    // The set-up TEXT opened by point under the limit.
    support::ChildRun opened(const std::string& text) const {
        const std::string file = (dir_ / "hostile.orlavex.json").string();
        std::ofstream(file, std::ios::binary) << text;
        return support::run_child(
            "/usr/bin/prlimit", {address_space_limit, ORLAVEX_CLI_PATH, "point", "--setup", file});
    }

    fs::path dir_;
};

void expect_one_line_refusal(const support::ChildRun& run, const std::string& expected) {
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(std::ranges::count(run.err, '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
}

TEST_F(SetupFileMemory, DeepNestingIsRefusedAtItsLimit) {
    for (const std::size_t depth : {65, 30'000, 60'000}) {
        const std::string text = "\n" + std::string(depth, '[') + std::string(depth, ']');
        expect_one_line_refusal(opened(text), ":2: nested deeper than 64 levels");
    }
    // Within the limit it is read, and refused for what it is.
    const std::string text = std::string(64, '[') + std::string(64, ']');
    expect_one_line_refusal(opened(text), ":1: expected an object, got an array");
}

// 2.5 million empty lines embedded (10 MB), their digest right: the ENR
// reader's own refusal.
TEST_F(SetupFileMemory, ManyEmbeddedLinesAreReadInLittleMemory) {
    const std::size_t count = 2'500'000;
    std::string lines;
    lines.reserve(count * 4);
    for (std::size_t i = 0; i < count; ++i)
        lines += i == 0 ? "\"\"" : ",\n\"\"";
    const std::string bytes(count - 1, '\n');
    const std::string text =
        "{\"format\": \"orlavex-setup\", \"version\": 1,\n"
        "\"data_files\": {\"meas_enr_table\": {\"name\": \"blank.enr\", \"sha256\": \"" +
        datafiles::sha256_hex(bytes) + "\", \"lines\": [\n" + lines;
    expect_one_line_refusal(opened(text + "]}}}\n"),
                            ":2: /data_files/meas_enr_table/lines: blank.enr: empty file");
    // A number at their end: no line a value of its own, not even then.
    expect_one_line_refusal(opened(text + ", 0]}}}\n"),
                            ":2500002: more than 10000 keys and values");
}

// Five million numbers (10 MB): a set-up file holds a few hundred values
// beside its embedded lines.
TEST_F(SetupFileMemory, ManyValuesAreRefusedAtTheirLimit) {
    std::string numbers = "0";  // forty to a line after the first
    numbers.reserve(10'000'000);
    for (std::size_t i = 1; i < 5'000'000; ++i)
        numbers += i % 40 == 1 ? ",\n0" : ",0";
    const std::string text =
        "{\"format\": \"orlavex-setup\", \"version\": 1,\n\"sweep\": [" + numbers + "]}\n";
    expect_one_line_refusal(opened(text), ":252: more than 10000 keys and values");
}

}  // namespace
}  // namespace orlavex
