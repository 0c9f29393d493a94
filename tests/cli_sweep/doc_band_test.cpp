// The application note's band-planning section: every number it marks
// (data-sweep-check) is what orlavex-cli sweep prints for the command it
// shows (data-sweep-run), to the places it shows; its chart file is there.
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

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;

// The command's words, with the example files found from the source tree.
std::vector<std::string> arguments(const std::string& command) {
    std::istringstream in(command);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w.rfind("examples/", 0) == 0 ? ORLAVEX_EXAMPLES_DIR + w.substr(8) : w);
    return out;
}

TEST(ApplicationNoteBand, ShowsWhatTheSweepPrints) {
    const std::string html = application_note();
    ASSERT_FALSE(html.empty());

    std::map<std::string, json> outputs;
    const std::regex run(R"re(data-sweep-run="([\w-]+)">orlavex-cli ([^<]+)<)re");
    for (std::sregex_iterator m(html.begin(), html.end(), run), end; m != end; ++m) {
        std::vector<std::string> args = arguments((*m)[2]);
        args.insert(args.end(), {"--format", "json"});
        const CliRun r = run_cli(args);
        ASSERT_EQ(r.status, 0) << (*m)[2] << ": " << r.err;
        outputs[(*m)[1]] = r.json();
    }
    ASSERT_EQ(outputs.size(), 1u);

    const std::regex check(
        R"re(<span data-sweep-check="([\w-]+):([^"]+)" data-places="(\d)">([^<]*)</span>)re");
    int checked = 0;
    for (std::sregex_iterator m(html.begin(), html.end(), check), end; m != end; ++m) {
        const std::string where = (*m)[1].str() + ":" + (*m)[2].str();
        SCOPED_TRACE(where);
        ASSERT_TRUE(outputs.contains((*m)[1])) << "no command for " << where;
        const json& value = outputs[(*m)[1]].at(json::json_pointer((*m)[2]));
        EXPECT_EQ(unescaped((*m)[4]), fixed(value.get<double>(), std::stoi((*m)[3])));
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(ApplicationNoteBand, HasItsChartBesideThePage) {
    const std::filesystem::path png = ORLAVEX_DOC_DIR "/band-plan.png";
    ASSERT_TRUE(std::filesystem::exists(png));
    EXPECT_LT(std::filesystem::file_size(png), 100'000u) << "keep the page light";
    EXPECT_NE(application_note().find("<img src=\"band-plan.png\""), std::string::npos);
}

}  // namespace
}  // namespace orlavex::cli::test
