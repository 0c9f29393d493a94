// A sweep watched and stopped through its SweepProgress, as the planner
// window runs it on a thread of its own.
#include "core/field_entry.h"
#include "datafiles/enr_table.h"
#include "planning/sweep.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace orlavex::planning {
namespace {

Sweep catalogue_sweep(std::size_t points, unsigned threads) {
    Sweep s;
    s.base = testing::base_session({.analyzer = "Aravel-4", .noise_source = "NS346C"});
    s.from = 0.01;
    s.to = 26.5;
    s.points = points;
    s.threads = threads;
    return s;
}

TEST(SweepProgress, CountsEveryPointAndGivesTheSameSweep) {
    for (unsigned threads : {1u, 2u}) {
        const Sweep sweep = catalogue_sweep(37, threads);
        SweepProgress progress;
        const SweepResult watched = run_sweep(sweep, progress);
        const SweepResult plain = run_sweep(sweep);
        EXPECT_EQ(progress.done.load(), 37u);
        ASSERT_EQ(watched.points.size(), plain.points.size());
        for (std::size_t i = 0; i < plain.points.size(); ++i) {
            EXPECT_EQ(watched.points[i].swept_value, plain.points[i].swept_value);
            EXPECT_EQ(watched.points[i].gum.U_db, plain.points[i].gum.U_db);
        }
        EXPECT_EQ(watched.band_edges.size(), plain.band_edges.size());
    }
}

TEST(SweepProgress, CancelledBeforeItStartsEvaluatesNothing) {
    SweepProgress progress;
    progress.cancel = true;
    EXPECT_THROW(run_sweep(catalogue_sweep(11, 2), progress), SweepCancelled);
    EXPECT_EQ(progress.done.load(), 0u);
}

TEST(SweepProgress, CancelStopsAMonteCarloSweepUnderWay) {
    Sweep sweep = catalogue_sweep(201, 2);
    // A table makes every point's set-up its own: none shares a Monte Carlo.
    sweep.enr_table = datafiles::read_enr_file(ORLAVEX_TEST_DATA_DIR "/source.enr");
    sweep.to = 18;
    sweep.monte_carlo.enabled = true;
    sweep.monte_carlo.trials = 200'000;
    SweepProgress progress;
    std::jthread stopper([&progress] {
        while (progress.done.load() < 2)
            std::this_thread::yield();
        progress.cancel = true;
    });
    EXPECT_THROW(run_sweep(sweep, progress), SweepCancelled);
    // Each thread finishes the point it is on, then stops.
    EXPECT_LT(progress.done.load(), 201u);
}

}  // namespace
}  // namespace orlavex::planning
