// orlavex-cli sweep --plot: the real binary runs orlavex-plot, which writes
// a PNG or SVG of the charts. Checked by the files' signatures, dimensions
// and contents, not by looking.
#include "cli_runner.h"
#include "csv_table.h"
#include "output_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

std::uint32_t big_endian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

class Plot : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ = fs::temp_directory_path() / ("orlavex-plot-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun sweep_plot(const fs::path& file) const {
        return run_binary({"sweep",    "--over",     "freq",     "--from",
                           "1",        "--to",       "18",       "--points",
                           "35",       "--analyzer", "Aravel-2", "--noise-source",
                           "NS346B",   "--mc",       "--trials", "500",
                           "--format", "csv",        "--plot",   file.string()});
    }

    fs::path folder_;
};

TEST_F(Plot, WritesAPngOfTheChartsSize) {
    const fs::path png = folder_ / "sweep.png";
    const CliRun r = sweep_plot(png);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 36) << "the CSV still comes out";
    const std::string bytes = read_file(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(big_endian(bytes, 16), 1000u);
    EXPECT_EQ(big_endian(bytes, 20), 760u);
    // Curves, marks and text, not a blank page (a white 1000 x 760 PNG
    // compresses to a few kilobytes).
    EXPECT_GT(bytes.size(), 30'000u);
}

TEST_F(Plot, WritesAnSvgWithTheLegendAndAxisTitles) {
    const fs::path svg = folder_ / "sweep.SVG";
    const CliRun r = sweep_plot(svg);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = read_file(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("width=\"264.583mm\""), std::string::npos) << "1000 px at 96 dpi";
    EXPECT_NE(text.find("viewBox=\"0 0 1000 760\""), std::string::npos);
    for (const char* words :
         {"GUM, k = 2", "classic RSS", "Monte Carlo 95 %", "Frequency (GHz)",
          "Error of NF(DUT) (dB)", "Over green (dB)", "Guideline margins", "ENR - NFdut (&gt;5dB)"})
        EXPECT_NE(text.find(words), std::string::npos) << words;
    EXPECT_NE(text.rfind("</svg>"), std::string::npos);
}

// The set-up travels in the picture files; the CSV beside them stays one
// table, a header and a row per point with no comment lines.
TEST_F(Plot, FilesCarryTheSetUpWhileTheCsvStaysATable) {
    const CliRun r = sweep_plot(folder_ / "sweep.svg");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json setup =
        nlohmann::json::parse(svg_metadata(read_file(folder_ / "sweep.svg"), "orlavex-setup"));
    EXPECT_EQ(setup.at("inputs").at("analyzer"), "Aravel-2");
    EXPECT_EQ(setup.at("inputs").at("noise_source"), "NS346B");
    EXPECT_EQ(setup.at("sweep").at("over"), "freq");
    EXPECT_EQ(setup.at("sweep").at("to"), 18.0);
    EXPECT_EQ(setup.at("sweep").at("points"), 35);
    EXPECT_EQ(setup.at("sweep").at("trials"), 500);
    EXPECT_EQ(setup.at("format"), "orlavex-setup");

    EXPECT_EQ(r.out.find('#'), std::string::npos);
    const CsvTable table = parse_csv(r.out);
    EXPECT_EQ(table.header.front(), "freq_ghz");
    ASSERT_EQ(table.rows.size(), 35u);
    for (const std::vector<std::string>& row : table.rows)
        EXPECT_EQ(row.size(), table.header.size());

    ASSERT_EQ(sweep_plot(folder_ / "sweep.png").status, 0);
    const std::string png = read_file(folder_ / "sweep.png");
    for (const std::string key : {"orlavex:setup", "Software", "Creation Time", "Description"}) {
        const std::size_t at = png.find(key + '\0');  // a keyword ends in a NUL byte
        ASSERT_NE(at, std::string::npos) << key;
        ASSERT_GE(at, 4u);
        EXPECT_TRUE(png.compare(at - 4, 4, "tEXt") == 0 || png.compare(at - 4, 4, "iTXt") == 0)
            << key << " is not a text chunk's keyword";
    }
}

TEST_F(Plot, ReportsAFileItCannotWrite) {
    const fs::path nowhere = folder_ / "no" / "such" / "folder" / "sweep.png";
    const CliRun r = sweep_plot(nowhere);
    // Refused as every bad input is, before the sweep runs: one line, status 2.
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(nowhere));

    // A folder where the file should be.
    const fs::path folder_named_png = folder_ / "charts.png";
    fs::create_directories(folder_named_png);
    const CliRun onto_folder = sweep_plot(folder_named_png);
    EXPECT_EQ(onto_folder.status, 2);
    EXPECT_NE(onto_folder.err.find("it is a folder"), std::string::npos) << onto_folder.err;
}

}  // namespace
}  // namespace orlavex::cli::test
