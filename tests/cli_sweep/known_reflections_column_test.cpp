// The source-match bias in a sweep's columns (shared by CSV, JSON, the
// table and Python's arrays): there where the model knew the reflections.
#include "app/results/sweep_columns.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

const std::string data = ORLAVEX_TEST_DATA_DIR;

planning::SweepResult lna_sweep(bool known) {
    planning::Sweep s;
    s.from = 1;
    s.to = 3;
    s.points = 3;
    s.enr_table = datafiles::read_enr_file(data + "/reflections_source.enr");
    s.dut_sparameters = datafiles::read_touchstone(data + "/reflections_lna.s2p");
    s.model.reflections =
        known ? measure::ReflectionModel::known : measure::ReflectionModel::random;
    return planning::run_sweep(s);
}

TEST(KnownReflectionsColumn, TheBiasColumnComesWithKnownReflectionsOnly) {
    const auto named = [](const std::vector<app::SweepColumn>& columns) {
        return std::ranges::find(columns, "source_match_bias_db", &app::SweepColumn::name);
    };
    const planning::SweepResult plain = lna_sweep(false);
    const std::vector<app::SweepColumn> plain_columns = app::sweep_columns(plain, false);
    EXPECT_EQ(named(plain_columns), plain_columns.end());

    const planning::SweepResult known = lna_sweep(true);
    const std::vector<app::SweepColumn> columns = app::sweep_columns(known, false);
    ASSERT_EQ(columns.size(), plain_columns.size() + 1);
    const auto bias = named(columns);
    ASSERT_NE(bias, columns.end());
    for (const planning::SweepPoint& p : known.points) {
        ASSERT_TRUE(p.source_match_bias_db) << p.note;
        const app::Cell cell = bias->cell(p);
        ASSERT_TRUE(cell.number);
        EXPECT_EQ(*cell.number, *p.source_match_bias_db);
    }
    // The model's LNA at 2 GHz reads about 0.58 dB low; four decimals.
    const std::string text = app::number_text(bias->cell(known.points[1]).number, bias->places);
    EXPECT_NEAR(std::stod(text), -0.578, 0.001);
    EXPECT_EQ(text.size() - text.find('.'), 5u) << text;
}

}  // namespace
}  // namespace orlavex::cli::test
