// sweep --plot files carry their set-up: the PNG as text chunks, the SVG as
// metadata elements. The set-up they carry is reopened, with the original
// data file deleted, and sweeps to the very JSON the command line printed.
#include "cli_runner.h"
#include "output_files.h"

#include "app/results/sweep_output.h"
#include "app/setup_file/setup_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

std::string inflated(const std::string& deflated) {
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    z.avail_in = static_cast<uInt>(deflated.size());
    std::string text;
    char block[4096];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(block);
        z.avail_out = sizeof block;
        status = inflate(&z, Z_NO_FLUSH);
        text.append(block, sizeof block - z.avail_out);
    }
    inflateEnd(&z);
    EXPECT_EQ(status, Z_STREAM_END) << "a text chunk that does not inflate";
    return text;
}

// The PNG's text chunks (tEXt, zTXt, iTXt) by keyword.
std::map<std::string, std::string> png_texts(const std::string& png) {
    std::map<std::string, std::string> texts;
    std::size_t at = 8;  // after the signature
    while (at + 12 <= png.size()) {
        std::uint32_t length = 0;
        for (std::size_t i = 0; i < 4; ++i)
            length = length << 8 | static_cast<unsigned char>(png[at + i]);
        const std::string type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        at += 12 + length;
        const std::size_t keyword_end = data.find('\0');
        const std::string keyword = data.substr(0, keyword_end);
        if (type == "tEXt") {
            texts[keyword] = data.substr(keyword_end + 1);
        } else if (type == "zTXt") {
            texts[keyword] = inflated(data.substr(keyword_end + 2));
        } else if (type == "iTXt") {
            // keyword \0 compressed? method lang \0 translated \0 text
            const bool compressed = data.at(keyword_end + 1) != '\0';
            const std::size_t lang_end = data.find('\0', keyword_end + 3);
            const std::size_t translated_end = data.find('\0', lang_end + 1);
            const std::string text = data.substr(translated_end + 1);
            texts[keyword] = compressed ? inflated(text) : text;
        }
    }
    return texts;
}

// The set-up TEXT swept again, as --format json prints it.
std::string swept_again(const std::string& text) {
    const app::SweepRequest request = app::parse_setup_text(text, "from the image");
    std::vector<std::string> notes;
    const planning::SweepResult result = planning::run_sweep(app::make_sweep(request, {}, notes));
    return app::sweep_json(result, request.monte_carlo).dump(2) + '\n';
}

class PlotMetadata : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ = fs::temp_directory_path() / ("orlavex-plot-meta-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        fs::copy_file(fs::path(ORLAVEX_EXAMPLES_DIR) / "noise_source.enr", folder_ / "source.enr");
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::vector<std::string> sweep(const std::string& output) const {
        std::vector<std::string> args = {
            "sweep",      "--over",   "freq",     "--from",      "1",
            "--to",       "18",       "--points", "35",          "--analyzer",
            "Aravel-3",   "--dut-nf", "2",        "--enr-table", (folder_ / "source.enr").string(),
            "--dut-gain", "28",       "--mc",     "--trials",    "500"};
        args.insert(args.end(), {"--format", "json"});
        if (!output.empty()) args.insert(args.end(), {"--plot", output});
        return args;
    }

    fs::path folder_;
};

TEST_F(PlotMetadata, PngAndSvgCarryTheSetUpThatDrewThem) {
    const fs::path png = folder_ / "plan.png", svg = folder_ / "plan.svg";
    const CliRun to_png = run_binary(sweep(png.string()));
    ASSERT_EQ(to_png.status, 0) << to_png.err;
    const CliRun to_svg = run_binary(sweep(svg.string()));
    ASSERT_EQ(to_svg.status, 0) << to_svg.err;
    fs::remove(folder_ / "source.enr");  // the set-up carries its own copy

    const std::map<std::string, std::string> texts = png_texts(read_file(png));
    EXPECT_EQ(texts.at("Software"), "Orlavex " ORLAVEX_EXPECTED_VERSION);
    const std::string setup = texts.at("orlavex:setup");
    EXPECT_EQ(swept_again(setup), to_png.out);

    const std::string drawing = read_file(svg);
    EXPECT_EQ(svg_metadata(drawing, "orlavex-setup"), setup);
    EXPECT_EQ(swept_again(svg_metadata(drawing, "orlavex-setup")), to_svg.out);
}

TEST_F(PlotMetadata, AChartReopensAsThePlanThatDrewIt) {
    for (const char* name : {"plan.png", "plan.svg"}) {
        const fs::path chart = folder_ / name;
        const CliRun drawn = run_binary(sweep(chart.string()));
        ASSERT_EQ(drawn.status, 0) << drawn.err;
        const CliRun again = run_binary({"sweep", "--setup", chart.string(), "--format", "json"});
        ASSERT_EQ(again.status, 0) << name << ": " << again.err;
        EXPECT_EQ(again.out, drawn.out) << name;
    }
    // A picture that carries no set-up says so, in one line.
    const fs::path bare = folder_ / "bare.svg";
    std::ofstream(bare) << "<svg xmlns=\"http://www.w3.org/2000/svg\"></svg>\n";
    const CliRun refused = run_binary({"point", "--setup", bare.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("bare.svg: a chart without its set-up"), std::string::npos)
        << refused.err;
}

}  // namespace
}  // namespace orlavex::cli::test
