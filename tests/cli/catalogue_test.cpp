// `orlavex-cli catalogue`: every model with its bands as the catalogue's
// lookups see them.
#include "catalogue/catalogue.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <set>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;

json listing(const std::string& which) {
    const CliRun r = run_cli({"catalogue", which, "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json() : json::array();
}

TEST(CatalogueAnalyzers, ListsEveryModelWithItsBands) {
    const json list = listing("analyzers");
    ASSERT_EQ(list.size(), 69u);
    std::set<std::string> names;
    for (const json& a : list) {
        const std::string name = a["name"];
        SCOPED_TRACE(name);
        names.insert(name);
        const catalogue::AnalyzerModel* model = catalogue::find_analyzer(name);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(a["max_freq_ghz"], catalogue::upper_frequency(*model));
        const bool options = a["preamp"] == "options";
        EXPECT_EQ(a.contains("preamp_options"), options);
        // Each band's values hold from its lower edge on.
        for (const json& band : a["danl_dbm_hz"]) {
            const double f = band["from_ghz"];
            EXPECT_EQ(band["without_preamp"], catalogue::analyzer_noise(*model, f, false, true));
            if (band.contains("with_preamp")) {
                EXPECT_EQ(band["with_preamp"], catalogue::analyzer_noise(*model, f, true, true));
            }
            if (options) {
                EXPECT_EQ(band["with_option1"], catalogue::analyzer_noise(*model, f, true, false));
            }
        }
        for (const json& band : a["input_vswr"]) {
            EXPECT_EQ(band["vswr"], catalogue::analyzer_input_vswr(*model, band["from_ghz"]));
        }
    }
    EXPECT_EQ(names.size(), list.size());
}

TEST(CatalogueNoiseSources, ListsEveryModel) {
    const json list = listing("noise-sources");
    ASSERT_EQ(list.size(), 22u);
    for (const json& s : list) {
        const catalogue::NoiseSourceModel* model =
            catalogue::find_noise_source(s["name"].get<std::string>());
        ASSERT_NE(model, nullptr) << s["name"];
        EXPECT_EQ(s["enr_db"], catalogue::nominal_enr(*model));
        EXPECT_EQ(s["max_freq_ghz"], catalogue::upper_frequency(*model));
        for (const json& band : s["output_vswr"]) {
            EXPECT_EQ(band["vswr"], catalogue::output_vswr(*model, band["from_ghz"]));
        }
    }
}

TEST(CatalogueTables, HaveOneRowPerModel) {
    const CliRun a = run_cli({"catalogue", "analyzers"});
    const CliRun n = run_cli({"catalogue", "noise-sources"});
    EXPECT_EQ(std::ranges::count(a.out, '\n'), 69 + 1);
    EXPECT_EQ(std::ranges::count(n.out, '\n'), 22 + 1);
    EXPECT_NE(a.out.find("Galder-3"), std::string::npos);
    EXPECT_NE(n.out.find("NC346B (Type N)"), std::string::npos);
}

}  // namespace
}  // namespace orlavex::cli::test
