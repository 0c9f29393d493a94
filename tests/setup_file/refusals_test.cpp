#include "app/setup_file/setup_file.h"

#include "app/json.h"
#include "datafiles/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex::app {
namespace {

const std::string data_dir = ORLAVEX_TEST_DATA_DIR;

std::string refusal(std::string_view text) {
    try {
        parse_setup_text(text, "bench.orlavex.json");
    } catch (const SetupFileError& e) {
        return e.what();
    }
    return "(taken)";
}

// A file of the right frame around INPUTS and SWEEP, one key per line.
std::string with(std::string_view inputs, std::string_view sweep = "{}") {
    return "{\n"
           "  \"format\": \"orlavex-setup\",\n"
           "  \"version\": 1,\n"
           "  \"inputs\": " +
           std::string(inputs) + ",\n  \"sweep\": " + std::string(sweep) + "\n}\n";
}

TEST(SetupFileRefusals, NameTheFileTheLineAndTheKey) {
    EXPECT_EQ(refusal("{\n  \"format\": \"orlavex-setup\",\n  \"version\": 1,\n}"),
              "bench.orlavex.json:4: not JSON: syntax error while parsing object key - "
              "unexpected '}'; expected string literal");
    // An image given as a set-up: its bytes are not echoed as they are.
    EXPECT_EQ(refusal("\x89PNG\r\n"),
              "bench.orlavex.json:1: not JSON: syntax error while parsing value - invalid "
              "literal; last read: '\\x89'");
    EXPECT_EQ(refusal(with("{\n    \"dut_nf_db\": 2,\n    \"dut_nfx\": 3\n  }")),
              "bench.orlavex.json:6: /inputs/dut_nfx: unknown key");
    EXPECT_EQ(refusal(with("{\n    \"dut_nf_db\": \"2\"\n  }")),
              "bench.orlavex.json:5: /inputs/dut_nf_db: expected a number, got a string");
    EXPECT_EQ(refusal(with("{}", "{\n    \"log\": 1\n  }")),
              "bench.orlavex.json:6: /sweep/log: expected true or false, got a number");
    EXPECT_EQ(refusal(with("[]")),
              "bench.orlavex.json:4: /inputs: expected an object, got an array");
    EXPECT_EQ(refusal("[1]"), "bench.orlavex.json:1: expected an object, got an array");
    EXPECT_EQ(refusal(with("{\"a/b~\": 1}")), "bench.orlavex.json:4: /inputs/a~1b~0: unknown key");
    EXPECT_EQ(refusal(with("{\"dut_nf_db\": 2, \"dut_nf_db\": 3}")),
              "bench.orlavex.json:4: /inputs/dut_nf_db: the key is given twice");
    // A NUL byte is named where it stands, not read as the end of the file.
    using namespace std::string_view_literals;
    EXPECT_EQ(refusal("{\n  \"format\": \"orlavex-setup\",\n  \"version\": \0\n}"sv),
              "bench.orlavex.json:3: column 14: a NUL byte (U+0000) is not allowed in a set-up "
              "file");
    EXPECT_EQ(refusal(with("{}") + std::string(2, '\0')),
              "bench.orlavex.json:7: column 1: a NUL byte (U+0000) is not allowed in a set-up "
              "file");
    // A key with a line break in it still gives one line.
    EXPECT_EQ(refusal(with("{\"a\\nb\": 1}")),
              "bench.orlavex.json:4: /inputs/a\\x0ab: unknown key");
}

TEST(SetupFileRefusals, FormatAndVersion) {
    EXPECT_EQ(refusal("{\"format\": \"orlavex-plan\", \"version\": 1}"),
              "bench.orlavex.json:1: /format: \"orlavex-plan\" is not \"orlavex-setup\"");
    EXPECT_EQ(refusal("{\"version\": 1}"),
              "bench.orlavex.json:1: not a set-up file: no \"format\"");
    EXPECT_EQ(refusal("{\"format\": \"orlavex-setup\",\n\"version\": 2}"),
              "bench.orlavex.json:2: /version: version 2 is newer than this program reads (1); "
              "update Orlavex");
    EXPECT_EQ(refusal("{\"format\": \"orlavex-setup\",\n\"version\": 0}"),
              "bench.orlavex.json:2: /version: 0 is out of range 1 to 1");
    EXPECT_EQ(refusal("{\"format\": \"orlavex-setup\",\n\"version\": 1.5}"),
              "bench.orlavex.json:2: /version: expected a whole number from 1 to 1, got 1.5");
    // A newer version is named before its unknown keys.
    EXPECT_EQ(refusal("{\"format\": \"orlavex-setup\", \"version\": 3, \"new\": {}}"),
              "bench.orlavex.json:1: /version: version 3 is newer than this program reads (1); "
              "update Orlavex");
}

// The ranges are the window's and the input tables', not a list of their own.
TEST(SetupFileRefusals, ValuesOutOfRange) {
    EXPECT_EQ(
        refusal(with("{\n    \"dut_nf_db\": 101\n  }")),
        "bench.orlavex.json:5: /inputs/dut_nf_db: 101 dB is out of the field's range 0 to 100 dB");
    EXPECT_EQ(refusal(with("{\n    \"freq_ghz\": 1e300\n  }")),
              "bench.orlavex.json:5: /inputs/freq_ghz: 1e+300 is not a value the field takes");
    EXPECT_EQ(refusal(with("{\"noise_bw_hz\": -1}")),
              "bench.orlavex.json:4: /inputs/noise_bw_hz: -1 is out of range: 0 or more");
    EXPECT_EQ(refusal(with("{}", "{\"points\": 1}")),
              "bench.orlavex.json:5: /sweep/points: 1 is out of range 2 to 100000");
    EXPECT_EQ(refusal(with("{}", "{\"trials\": 0}")),
              "bench.orlavex.json:5: /sweep/trials: 0 is out of range 1 to 100000000");
    EXPECT_EQ(refusal(with("{}", "{\"seed\": -1}")),
              "bench.orlavex.json:5: /sweep/seed: expected a whole number from 0 to "
              "18446744073709551615, got -1");
    EXPECT_EQ(refusal(with("{}", "{\"match_form\": \"smith\"}")),
              "bench.orlavex.json:5: /sweep/match_form: \"smith\" is not one of vswr|rl");
    EXPECT_EQ(refusal(with("{}", "{\"over\": \"colour\"}")),
              "bench.orlavex.json:5: /sweep/over: unknown swept input \"colour\"");
    EXPECT_EQ(refusal(with("{\"analyzer\": \"Nonesuch-9\"}")),
              "bench.orlavex.json:4: /inputs/analyzer: unknown model \"Nonesuch-9\"");
    EXPECT_EQ(refusal(with("{\"dut_in_vswr\": 1.2,\n \"dut_in_rl_db\": 20}")),
              "bench.orlavex.json:5: /inputs/dut_in_rl_db: excludes dut_in_vswr");
    // The bench's own checks name the input in words, the pointer by its key.
    EXPECT_EQ(refusal(with("{\"loss_in_temp_k\": -5}")),
              "bench.orlavex.json:4: /inputs/loss_in_temp_k: physical temperature of the loss "
              "before the DUT -5 K: a temperature is finite and 0 K or more");
    EXPECT_EQ(refusal(with("{}", "{\"fixed_if\": true}")),
              "bench.orlavex.json:5: /sweep/fixed_if: needs \"freq_conv\": true in \"inputs\"");
    // What the window would only round is taken, as typing takes it.
    EXPECT_EQ(refusal(with("{\"dut_nf_db\": 2.123456}")), "(taken)");
}

// A file with an ENR table embedded, to be spoilt.
Json with_enr_table() {
    SweepRequest r;
    r.enr_table_path = data_dir + "/source.enr";
    return Json::parse(setup_file_text(r));
}

TEST(SetupFileRefusals, EmbeddedFilesThatDoNotMatchOrDoNotParse) {
    Json changed = with_enr_table();
    Json& lines = changed["data_files"]["enr_table"]["lines"];
    lines[8] = "1 GHz      15.60 dB   0.15  0.04   170     0.06    20";
    const std::string text = changed.dump(2);
    const std::size_t sha_line =
        1 + std::count(text.begin(), text.begin() + text.find("\"sha256\""), '\n');
    EXPECT_EQ(refusal(text), "bench.orlavex.json:" + std::to_string(sha_line) +
                                 ": /data_files/enr_table/sha256: the content does not match its "
                                 "SHA-256 (the file was changed)");

    // The digest made to match: the ENR reader's own message, at the line.
    Json broken = with_enr_table();
    Json& broken_lines = broken["data_files"]["enr_table"]["lines"];
    broken_lines[8] = "1 GHz      fifteen";
    std::string bytes;
    for (std::size_t i = 0; i < broken_lines.size(); ++i)
        bytes += (i ? "\n" : "") + broken_lines[i].get<std::string>();
    broken["data_files"]["enr_table"]["sha256"] = datafiles::sha256_hex(bytes);
    const std::string broken_text = broken.dump(2);
    const std::size_t line =
        1 +
        std::count(broken_text.begin(), broken_text.begin() + broken_text.find("fifteen"), '\n');
    const std::string message = refusal(broken_text);
    EXPECT_EQ(message.substr(0, message.find("source.enr")),
              "bench.orlavex.json:" + std::to_string(line) + ": /data_files/enr_table/lines/8: ");
    EXPECT_NE(message.find("source.enr:"), std::string::npos) << message;

    Json neither = with_enr_table();
    neither["data_files"]["enr_table"].erase("lines");
    EXPECT_NE(refusal(neither.dump())
                  .find("/data_files/enr_table: expected one of \"lines\" and "
                        "\"base64\""),
              std::string::npos);
    Json unknown = with_enr_table();
    unknown["data_files"]["enr_tables"] = unknown["data_files"]["enr_table"];
    EXPECT_NE(refusal(unknown.dump()).find("/data_files/enr_tables: unknown key"),
              std::string::npos);
    Json not_base64 = with_enr_table();
    not_base64["data_files"]["enr_table"].erase("lines");
    not_base64["data_files"]["enr_table"]["base64"] = "*not base64*";
    EXPECT_NE(refusal(not_base64.dump()).find("/data_files/enr_table/base64: not Base64"),
              std::string::npos);
}

}  // namespace
}  // namespace orlavex::app
