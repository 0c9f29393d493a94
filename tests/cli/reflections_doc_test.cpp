// The application note's chapter on noise parameters and the hot/cold
// match: every number it marks (data-match-check) is what orlavex-cli prints
// for the command it shows (data-match-run), to the places it shows.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "application_note.h"
#include "cli/text_table.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;

TEST(ApplicationNoteReflectionsChapter, ShowsWhatTheCommandsPrint) {
    const std::string html = application_note();
    std::map<std::string, json> outputs;
    const std::regex run(R"re(data-match-run="([\w-]+)">orlavex-cli ([^<]+)<)re");
    for (std::sregex_iterator m(html.begin(), html.end(), run), end; m != end; ++m) {
        std::vector<std::string> args = command_words((*m)[2]);
        args.insert(args.end(), {"--json", "--trials", "20000"});
        const CliRun r = run_cli(args);
        ASSERT_EQ(r.status, 0) << (*m)[2] << ": " << r.err;
        outputs[(*m)[1]] = r.json();
    }
    EXPECT_EQ(outputs.size(), 2u);

    const std::regex check(
        R"re(<span data-match-check="([\w-]+):([^"]+)" data-places="(\d)">([^<]*)</span>)re");
    int checked = 0;
    for (std::sregex_iterator m(html.begin(), html.end(), check), end; m != end; ++m) {
        const std::string where = (*m)[1].str() + ":" + (*m)[2].str();
        SCOPED_TRACE(where);
        ASSERT_TRUE(outputs.contains((*m)[1])) << "no command for " << where;
        const json& value = outputs[(*m)[1]].at(json::json_pointer((*m)[2]));
        EXPECT_EQ(unescaped((*m)[4].str()), fixed(value.get<double>(), std::stoi((*m)[3])));
        ++checked;
    }
    EXPECT_EQ(checked, 21);
    // The measurement model's reference: about 0.58 dB too low.
    EXPECT_NEAR(outputs["lna"]["source_match_bias_db"].get<double>(), -0.58, 0.005);
}

}  // namespace
}  // namespace orlavex::cli::test
