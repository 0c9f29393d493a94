#include "app/setup_file/setup_file.h"

#include "app/inputs/bench_inputs.h"
#include "app/json.h"
#include "datafiles/file_error.h"
#include "datafiles/sha256.h"
#include "planning/sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace orlavex::app {
namespace {

const std::string data_dir = ORLAVEX_TEST_DATA_DIR;

// A bench with something of every kind: fields in both forms, catalogue
// models, boxes, model inputs, a bench and all five data files.
SweepRequest full_request() {
    SweepRequest r;
    r.setup.field("dut_nf") = 2.5;
    r.setup.field("dut_gain") = 28;
    r.setup.field("dut_in_rl") = 14;
    r.setup.field("freq") = 5;
    r.setup.field("toff") = 20.5;
    r.setup.analyzer = "Aravel-3";
    r.setup.noise_source = "User";
    r.setup.int_preamp = true;
    r.setup.model.noise_bw_hz = 4e6;
    r.setup.model.tau_s = 0.001;
    r.setup.model.spec_shape = measure::SpecShape::rectangular;
    r.setup.model.trials = 2000;
    r.setup.model.seed = 18446744073709551615ULL;
    BenchInputs bench;
    bench.loss_in_s2p = data_dir + "/cable.s2p";
    bench.loss_in_temp = 77;
    bench.loss_out = 0.3;
    bench.loss_out_unc = 0.05;
    bench.meas_enr_table = data_dir + "/source.enr";
    bench.meas_source_vswr = 1.25;
    EXPECT_EQ(to_bench(bench, r.setup.bench, Naming::keyword), "");
    r.over = planning::SweptInput::dut_in_match;
    r.from = 1;
    r.to = 18;
    r.points = 35;
    r.log = true;
    r.match_form = planning::MatchForm::return_loss;
    r.monte_carlo = true;
    r.enr_table_path = data_dir + "/source.enr";
    r.dut_s2p_path = data_dir + "/dut_ma.s2p";
    return r;
}

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Written, read and written again: the same bytes, and the same values,
// with every data file embedded and checked by its digest.
TEST(SetupFile, ReadsBackWhatItWroteByteForByte) {
    const std::string text = setup_file_text(full_request());
    EXPECT_EQ(setup_file_text(full_request()), text);  // no date, a fixed order
    const SweepRequest back = parse_setup_text(text, "bench.orlavex.json");
    EXPECT_EQ(setup_file_text(back), text);

    EXPECT_EQ(back.setup.field("dut_nf"), 2.5);
    EXPECT_EQ(back.setup.field("dut_in_rl"), 14);
    EXPECT_FALSE(back.setup.field("dut_in_vswr"));
    EXPECT_FALSE(back.setup.field("enr"));
    EXPECT_EQ(back.setup.analyzer, "Aravel-3");
    EXPECT_TRUE(back.setup.int_preamp);
    EXPECT_EQ(back.setup.model.spec_shape, measure::SpecShape::rectangular);
    EXPECT_EQ(back.setup.model.seed, 18446744073709551615ULL);
    EXPECT_EQ(back.over, planning::SweptInput::dut_in_match);
    EXPECT_EQ(back.match_form, planning::MatchForm::return_loss);
    EXPECT_TRUE(back.log && back.monte_carlo);
    EXPECT_EQ(back.setup.bench.loss_in.temperature_k, 77);
    EXPECT_EQ(back.setup.bench.loss_out.loss_db, 0.3);

    ASSERT_TRUE(back.enr_table && back.dut_sparameters && back.setup.bench.loss_in.sparameters);
    ASSERT_TRUE(back.setup.bench.meas_source && back.setup.bench.meas_source->table);
    EXPECT_EQ(back.enr_table->name(), "source.enr");  // without its folder
    EXPECT_EQ(back.enr_table->records().size(), 5u);
    EXPECT_EQ(back.dut_sparameters->name(), "dut_ma.s2p");
    EXPECT_EQ(back.setup.bench.loss_in.sparameters->records().size(), 2u);
    const auto embedded = back.embedded[slot_index("dut_s2p")];
    ASSERT_TRUE(embedded);
    EXPECT_EQ(embedded->bytes, file_bytes(data_dir + "/dut_ma.s2p"));

    const Json j = Json::parse(text);
    EXPECT_EQ(j["data_files"]["dut_s2p"]["sha256"],
              datafiles::sha256_hex(file_bytes(data_dir + "/dut_ma.s2p")));
    EXPECT_EQ(j["data_files"]["enr_table"]["records"], 5);
    EXPECT_EQ(j["data_files"]["enr_table"]["freq_from_hz"], 10e6);
    EXPECT_EQ(j["data_files"]["enr_table"]["freq_to_hz"], 18e9);
    EXPECT_EQ(j["inputs"]["dut_nf_db"], 2.5);
    EXPECT_EQ(j["inputs"]["loss_in_temp_k"], 77);
    EXPECT_FALSE(j["inputs"].contains("loss_in_db"));   // the file gives it
    EXPECT_FALSE(j["inputs"].contains("dut_in_vswr"));  // not given
}

// Bytes that are not UTF-8 (a Latin-1 header) and CR LF line ends come
// back exactly, or the digest would not match.
TEST(SetupFile, EmbedsAnyBytesExactly) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "orlavex-setup-bytes";
    std::filesystem::create_directories(dir);
    const std::string latin1 = "[Model caf\xe9]\r\n1 GHz 15\r\n2 GHz 14.5";
    const std::string crlf = "# GHz S DB R 50\r\n1 -30 0 -0.5 0 -0.5 0 -30 0\r\n\r\n";
    std::ofstream((dir / "latin1.enr").string(), std::ios::binary) << latin1;
    std::ofstream((dir / "crlf.s2p").string(), std::ios::binary) << crlf;
    SweepRequest r;
    r.enr_table_path = dir / "latin1.enr";
    r.dut_s2p_path = dir / "crlf.s2p";
    const std::string text = setup_file_text(r);
    const SweepRequest back = parse_setup_text(text, "f");
    EXPECT_EQ(back.embedded[slot_index("enr_table")]->bytes, latin1);
    EXPECT_EQ(back.embedded[slot_index("dut_s2p")]->bytes, crlf);
    EXPECT_TRUE(Json::parse(text)["data_files"]["enr_table"].contains("base64"));
    EXPECT_TRUE(Json::parse(text)["data_files"]["dut_s2p"].contains("lines"));
    std::filesystem::remove_all(dir);
}

// The measurement source's match is kept as a reflection; it is written as
// the match that gives that reflection to the last bit, in the form given,
// so that a file read and written again is the same file.
TEST(SetupFile, KeepsAMatchAsItWasTyped) {
    for (const auto& [vswr, rl] : {std::pair<std::optional<double>, std::optional<double>>{1.4, {}},
                                   {1.3, {}},
                                   {1.15, {}},
                                   {{}, 17.3},
                                   {{}, 23.9}}) {
        BenchInputs bench;
        bench.meas_noise_source = "NS346B";
        bench.meas_source_vswr = vswr;
        bench.meas_source_rl = rl;
        SweepRequest r;
        ASSERT_EQ(to_bench(bench, r.setup.bench, Naming::keyword), "");
        const std::string text = setup_file_text(r);
        const Json inputs = Json::parse(text)["inputs"];
        if (vswr) {
            EXPECT_EQ(inputs["meas_source_vswr"], *vswr);
        }
        if (rl) {
            EXPECT_EQ(inputs["meas_source_rl_db"], *rl);
        }
        EXPECT_EQ(setup_file_text(parse_setup_text(text, "f")), text);
    }
}

// Every box away from its start and the second of two preamplifiers.
TEST(SetupFile, ReadsBackEveryChoice) {
    SweepRequest r;
    r.setup.analyzer = "Galder-3";
    r.setup.int_preamp = true;
    r.setup.int_preamp_option = 1;
    r.setup.ext_preamp = true;
    r.setup.freq_conv = true;
    r.setup.field("freq2") = 3;
    r.setup.second_stage = false;
    r.fixed_lo = true;
    const SweepRequest back = parse_setup_text(setup_file_text(r), "f");
    EXPECT_EQ(back.setup.analyzer, "Galder-3");
    EXPECT_TRUE(back.setup.int_preamp && back.setup.ext_preamp && back.setup.freq_conv);
    EXPECT_EQ(back.setup.int_preamp_option, 1);
    EXPECT_FALSE(back.setup.second_stage);
    EXPECT_TRUE(back.fixed_lo);
    EXPECT_FALSE(back.fixed_if);

    SweepRequest manual;
    manual.setup.manual = true;
    manual.setup.field("meas_on") = -94.663;
    manual.setup.field("meas_off") = -102.223;
    const SweepRequest levels = parse_setup_text(setup_file_text(manual), "f");
    EXPECT_TRUE(levels.setup.manual);
    EXPECT_EQ(levels.setup.field("meas_off"), -102.223);
}

TEST(SetupFile, InputsLeftOutTakeTheirDefaults) {
    const SweepRequest r = parse_setup_text(R"({"format": "orlavex-setup", "version": 1})", "f");
    const SweepRequest defaults;
    for (const auto& field : r.setup.fields)
        EXPECT_FALSE(field);
    EXPECT_FALSE(r.setup.analyzer || r.setup.int_preamp || r.setup.manual);
    EXPECT_TRUE(r.setup.second_stage);
    EXPECT_EQ(r.points, defaults.points);
    EXPECT_EQ(r.setup.model.trials, defaults.setup.model.trials);
    EXPECT_FALSE(r.enr_table || r.setup.bench.any());
}

// The writer refuses a data file it cannot read instead of leaving it out.
TEST(SetupFile, WriterRefusesAMissingDataFile) {
    SweepRequest r;
    r.enr_table_path = data_dir + "/no-such.enr";
    EXPECT_THROW(setup_file_text(r), datafiles::FileError);
}

TEST(SetupFile, WritesTheFileWholeOrNotAtAll) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "orlavex-setup-write";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "a.orlavex.json";
    write_setup_file(file, full_request());
    EXPECT_EQ(file_bytes(file.string()), setup_file_text(full_request()));
    EXPECT_EQ(setup_file_text(read_setup_file(file)), file_bytes(file.string()));

    SweepRequest bad;
    bad.dut_s2p_path = data_dir + "/no-such.s2p";
    EXPECT_THROW(write_setup_file(file, bad), datafiles::FileError);
    EXPECT_EQ(file_bytes(file.string()), setup_file_text(full_request()));  // unchanged
    EXPECT_THROW(write_setup_file(dir / "no-such-dir" / "b.json", full_request()),
                 datafiles::FileError);
    std::filesystem::remove_all(dir);
}

// The files in DIR, by name.
std::vector<std::string> names_in(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

// Two programs saving one set-up at once: each writes a whole file of its
// own before it takes the name, so the file is one of the two set-ups,
// whole, and another writer's unfinished file is not touched.
TEST(SetupFile, WritersSavingOneFileAtOnceLeaveOneWholeSetUp) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "orlavex-setup-writers";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "a.orlavex.json";
    const std::filesystem::path unfinished = dir / "a.orlavex.json.partial";
    std::ofstream(unfinished) << "another writer's unfinished file";

    SweepRequest other = full_request();
    other.setup.field("dut_nf") = 4;
    const std::string texts[] = {setup_file_text(full_request()), setup_file_text(other)};
    {
        std::vector<std::jthread> writers;
        for (const SweepRequest& request : {full_request(), other})
            writers.emplace_back([&file, request] {
                for (int i = 0; i < 100; ++i)
                    write_setup_file(file, request);
            });
    }
    const std::string written = file_bytes(file.string());
    EXPECT_TRUE(written == texts[0] || written == texts[1]) << written;
    EXPECT_EQ(file_bytes(unfinished.string()), "another writer's unfinished file");
    EXPECT_EQ(names_in(dir),
              (std::vector<std::string>{"a.orlavex.json", "a.orlavex.json.partial"}));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orlavex::app
