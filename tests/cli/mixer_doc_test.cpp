// The application note's chapter on mixers: every value it marks
// (data-mixer-check) is what orlavex-cli prints for the command it shows
// (data-mixer-run): numbers to the places shown, texts whole.
// GCC 12 with the sanitizers reports the moves inside libstdc++'s <regex>
// automaton as "may be used uninitialized" (a false positive in its inlined
// std::function); the pragma keeps it out of this file's build.
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

TEST(ApplicationNoteMixerChapter, ShowsWhatTheCommandsPrint) {
    const std::string html = application_note();
    ASSERT_NE(html.find("<h2 id=\"mixers\">13. Mixers: SSB and DSB noise figure</h2>"),
              std::string::npos);
    std::map<std::string, json> outputs;
    const std::regex run(R"re(data-mixer-run="([\w-]+)">orlavex-cli ([^<]+)<)re");
    for (std::sregex_iterator m(html.begin(), html.end(), run), end; m != end; ++m) {
        std::vector<std::string> args = command_words((*m)[2]);
        args.push_back("--json");
        const CliRun r = run_cli(args);
        ASSERT_EQ(r.status, 0) << (*m)[2] << ": " << r.err;
        outputs[(*m)[1]] = r.json();
    }
    EXPECT_EQ(outputs.size(), 3u);

    const std::regex check(
        R"re(<span data-mixer-check="([\w-]+):([^"]+)"(?: data-places="(\d)")?>([^<]*)</span>)re");
    int checked = 0;
    for (std::sregex_iterator m(html.begin(), html.end(), check), end; m != end; ++m) {
        const std::string where = (*m)[1].str() + ":" + (*m)[2].str();
        SCOPED_TRACE(where);
        ASSERT_TRUE(outputs.contains((*m)[1])) << "no command for " << where;
        const json& value = outputs[(*m)[1]].at(json::json_pointer((*m)[2]));
        const std::string shown = unescaped((*m)[4]);
        if (value.is_string()) {
            EXPECT_EQ(shown, value.get<std::string>());
        } else {
            ASSERT_TRUE((*m)[3].matched) << "a number needs data-places";
            EXPECT_EQ(shown, fixed(value.get<double>(), std::stoi((*m)[3])));
        }
        ++checked;
    }
    EXPECT_GE(checked, 12);
}

}  // namespace
}  // namespace orlavex::cli::test
