// A set-up file whose bench is refused points at the key at fault and its
// line, among the other bench keys around it.
#include "app/setup_file/setup_file.h"
#include "datafiles/sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::app {
namespace {

std::string refusal(const std::string& text) {
    try {
        parse_setup_text(text, "bench.orlavex.json");
    } catch (const SetupFileError& e) {
        return e.what();
    }
    return "(taken)";
}

struct BenchCase {
    const char* bad_member;  // one line of "inputs", the 10th of the file
    const char* pointer;
    const char* message;
};

// clang-format off
constexpr BenchCase cases[] = {
    {"\"loss_out_temp_k\": -5", "/inputs/loss_out_temp_k",
     "physical temperature of the loss after the DUT -5 K: a temperature is finite and 0 K or more"},
    {"\"loss_in_db\": -1", "/inputs/loss_in_db",
     "loss before the DUT -1 dB: a loss is 0 dB or more (a gain is not a loss)"},
    {"\"loss_out_unc_db\": -0.5", "/inputs/loss_out_unc_db",
     "uncertainty of the loss after the DUT -0.5 dB: an uncertainty is finite and 0 dB or more"},
    {"\"meas_source_vswr\": 0.5", "/inputs/meas_source_vswr", "a VSWR is 1 or more"},
    {"\"meas_noise_source\": \"NS000\"", "/inputs/meas_noise_source",
     "measurement noise source \"NS000\" is not in the catalogue"},
    {"\"meas_enr_unc_db\": -1", "/inputs/meas_enr_unc_db",
     "ENR uncertainty of the measurement noise source -1 dB: an uncertainty is finite and 0 dB or more"},
};
// clang-format on

TEST(BenchRefusalKey, NamesTheKeyAndItsLine) {
    for (const BenchCase& c : cases) {
        // A measurement source beside the bad key, unless it is the source.
        const bool is_source = std::string_view(c.pointer) == "/inputs/meas_noise_source";
        const std::string text =
            std::string(
                "{\n"
                "  \"format\": \"orlavex-setup\",\n"
                "  \"version\": 1,\n"
                "  \"inputs\": {\n"
                "    \"dut_nf_db\": 2,\n"
                "    \"freq_ghz\": 3,\n"
                "    \"loss_in_unc_db\": 0.1,\n"
                "    \"loss_out_db\": 1,\n") +
            (is_source ? "    \"meas_source_rl_db\": 20,\n" : "    \"meas_enr_db\": 15,\n") +
            "    " + c.bad_member + ",\n" +
            "    \"analyzer_nf_unc_db\": 0.05\n"
            "  }\n"
            "}\n";
        EXPECT_EQ(refusal(text),
                  std::string("bench.orlavex.json:10: ") + c.pointer + ": " + c.message)
            << c.bad_member;
    }
}

// The JSON of an embedded data file: its lines and their digest.
std::string embedded(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes, listed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += (i > 0 ? "\n" : "") + lines[i];
        listed += (i > 0 ? ", \"" : "\"") + lines[i] + "\"";
    }
    return "{\"name\": \"" + name + "\", \"sha256\": \"" + datafiles::sha256_hex(bytes) +
           "\", \"lines\": [" + listed + "]}";
}

// The bench's data files embedded: a refused bench is tried again without
// each key, and each try reads the files the bench names.
TEST(BenchRefusalKey, NamesTheKeyBesideEmbeddedDataFiles) {
    const std::string text =
        "{\n"
        "  \"format\": \"orlavex-setup\",\n"
        "  \"version\": 1,\n"
        "  \"inputs\": {\n"
        "    \"dut_nf_db\": 2,\n"
        "    \"loss_out_temp_k\": -5\n"
        "  },\n"
        "  \"data_files\": {\n"
        "    \"loss_in_s2p\": " +
        embedded("cable.s2p", {"# GHz S DB R 50", "1 -30 0 -0.5 -20 -0.5 -20 -30 0",
                               "18 -25 0 -2.2 -200 -2.2 -200 -25 0"}) +
        ",\n"
        "    \"meas_enr_table\": " +
        embedded("source.enr", {"1 GHz 15.2 0.1", "18 GHz 14.8 0.2"}) +
        "\n"
        "  }\n"
        "}\n";
    EXPECT_EQ(refusal(text),
              "bench.orlavex.json:6: /inputs/loss_out_temp_k: physical temperature "
              "of the loss after the DUT -5 K: a temperature is finite and 0 K or "
              "more");
}

}  // namespace
}  // namespace orlavex::app
