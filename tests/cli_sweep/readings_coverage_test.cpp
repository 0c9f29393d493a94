// The uncertainty a band of readings is evaluated with covers the truth as
// often as it claims: readings simulated for a known DUT, every error
// source drawn from its distribution with a seeded generator, turned into
// levels and evaluated as orlavex-cli evaluate --readings --calibration
// evaluates them (the readings and the calibration files read, the
// evaluation of each point), put the DUT's noise figure within +-U in 90
// to 99 evaluations of a hundred.
#include "app/results/readings_evaluation.h"

#include "app/results/point.h"
#include "datafiles/readings_file.h"
#include "measure/error_sources.h"
#include "measure/simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::app {
namespace {

constexpr double dut_nf_db = 2.5;
constexpr int points = 100;

struct Bench {
    const char* why;
    double enr_unc, source_vswr, dut_vswr, analyzer_vswr, analyzer_nf_unc, analyzer_gain_unc;
    double noise_bw_hz, tau_s;
    int repeats;  // readings of each level per frequency
};

// The set-up both sides share: the prediction adds the DUT and the
// analyzer's noise figure, which the evaluation measures.
Setup setup_of(const Bench& b, bool prediction) {
    Setup s;
    s.field("enr") = 15;
    s.field("enr_unc") = b.enr_unc;
    s.field("source_vswr") = b.source_vswr;
    s.field("dut_in_vswr") = b.dut_vswr;
    s.field("dut_out_vswr") = b.dut_vswr;
    s.field("analyzer_vswr") = b.analyzer_vswr;
    s.field("analyzer_nf_unc") = b.analyzer_nf_unc;
    s.field("analyzer_gain_unc") = b.analyzer_gain_unc;
    s.model.noise_bw_hz = b.noise_bw_hz;
    s.model.tau_s = b.tau_s;
    if (prediction) {
        s.field("dut_nf") = dut_nf_db;
        s.field("dut_gain") = 15;
        s.field("analyzer_nf") = 12;
    }
    return s;
}

// A value of SOURCE drawn from its distribution.
double drawn(const measure::ErrorSource& source, std::mt19937_64& rng) {
    switch (source.distribution) {
        case measure::Distribution::normal:
            return std::normal_distribution<double>(0, source.width)(rng);
        case measure::Distribution::rectangular:
            return std::uniform_real_distribution<double>(-source.width, source.width)(rng);
        case measure::Distribution::phase_uniform: {
            const double phi = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(rng);
            return -20 * std::log10(std::abs(1.0 - std::polar(source.width, phi)));
        }
    }
    return 0;
}

// Where a value of TARGET goes in a draw.
void put(measure::ErrorDraw& d, measure::Target target, double x) {
    using enum measure::Target;
    switch (target) {
        case enr_both:
            d.dENR_cal = d.dENR_meas = x;
            break;
        case enr_cal:
            d.dENR_cal = x;
            break;
        case enr_meas:
            d.dENR_meas = x;
            break;
        case enr_image:
            d.dENR_img = x;
            break;
        case image_ratio:
            d.dR = x;
            break;
        case mismatch_in:
            d.m_in = x;
            break;
        case mismatch_cal:
            d.m_cal = x;
            break;
        case mismatch_out:
            d.m_out = x;
            break;
        case analyzer_nf_meas:
            d.da_meas = x;
            break;
        case analyzer_nf_cal:
            d.da_cal = x;
            break;
        case analyzer_gain:
            d.dG = x;
            break;
        case jitter_cal_off:
            d.eps[0] = x;
            break;
        case jitter_cal_on:
            d.eps[1] = x;
            break;
        case jitter_meas_off:
            d.eps[2] = x;
            break;
        case jitter_meas_on:
            d.eps[3] = x;
            break;
        case loss_in:
            d.dL_in = x;
            break;
        case loss_out:
            d.dL_out = x;
            break;
    }
}

std::string number(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

struct Files {
    std::string readings = "freq_ghz,meas_off_dbm,meas_on_dbm\n";
    std::string calibration = "freq_ghz,cal_off_dbm,cal_on_dbm\n";
};

// REPEATS readings of the point at FREQ: the systematic errors drawn once,
// the jitter of every reading on its own.
void simulate_point(const Bench& b, double freq, std::mt19937_64& rng, Files& files) {
    Setup s = setup_of(b, true);
    s.field("freq") = freq;
    const PointOutcome o = run_point(s, {}, false);
    ASSERT_TRUE(o.point) << o.refused;
    const measure::MeasurementSetup& model = o.point->setup;
    const std::vector<measure::ErrorSource> sources = measure::error_sources(model);
    measure::ErrorDraw d;
    for (const measure::ErrorSource& source : sources) {
        if (!measure::in_natural_log(source.target)) put(d, source.target, drawn(source, rng));
    }
    for (int r = 0; r < b.repeats; ++r) {
        for (const measure::ErrorSource& source : sources) {
            if (measure::in_natural_log(source.target)) put(d, source.target, drawn(source, rng));
        }
        const measure::ReadingLevels l =
            measure::reading_levels(measure::simulate_readings(model, d));
        const std::string f = number(freq) + ",";
        files.readings += f + number(l.meas_off_dbm) + "," + number(l.meas_on_dbm) + "\n";
        files.calibration += f + number(l.cal_off_dbm) + "," + number(l.cal_on_dbm) + "\n";
    }
}

TEST(ReadingsCoverage, TheUncertaintyCoversTheTrueNoiseFigure) {
    const Bench benches[] = {
        {"single readings, every error source", 0.3, 1.2, 1.3, 1.3, 0, 0.3, 4e6, 0.002, 1},
        {"ten readings, their jitter dominating (Type A)", 0.02, 1.02, 1.02, 1.02, 0.02, 0.02, 1e5,
         0.002, 10},
    };
    for (const Bench& b : benches) {
        SCOPED_TRACE(b.why);
        std::mt19937_64 rng(20261211);
        Files files;
        for (int i = 0; i < points; ++i)
            simulate_point(b, 1 + 0.01 * i, rng, files);
        const datafiles::Readings readings = datafiles::parse_readings(files.readings, "r.csv");
        const datafiles::Readings calibration = datafiles::parse_readings(
            files.calibration, "cal.csv", datafiles::ReadingsColumns::calibration);
        const ReadingsOutcome out =
            evaluate_readings(setup_of(b, false), readings, {}, &calibration);
        ASSERT_EQ(out.refused, "");
        ASSERT_EQ(out.points.size(), static_cast<std::size_t>(points));
        int covered = 0;
        std::vector<double> nu;
        // The jitter rows over the truth, the scatter of the mean of ln P.
        const double truth = 1 / std::sqrt(b.noise_bw_hz * b.tau_s * b.repeats);
        double squares = 0;
        int rows = 0;
        for (const MeasuredPoint& p : out.points) {
            ASSERT_TRUE(p.evaluation.exact.valid && p.evaluation.budget);
            const double error = p.evaluation.exact.nf_dut_db - dut_nf_db;
            covered += std::fabs(error) <= p.evaluation.budget->U_db ? 1 : 0;
            nu.push_back(p.nu_eff);
            for (const measure::BudgetLine& line : p.evaluation.budget->lines) {
                if (!line.source.starts_with("jitter_")) continue;
                squares += (line.u / truth) * (line.u / truth);
                ++rows;
            }
        }
        // Four jitter rows a point; a Type A row scatters about the truth
        // (by a quarter for ten readings), the planned row is it.
        ASSERT_EQ(rows, 4 * points);
        EXPECT_NEAR(std::sqrt(squares / rows), 1, b.repeats > 1 ? 0.1 : 1e-9);
        EXPECT_GE(covered, 90);
        EXPECT_LE(covered, 99);
        if (b.repeats == 1) {
            EXPECT_TRUE(std::ranges::all_of(nu, [](double v) { return std::isinf(v); }));
        } else {
            // Four rows of nine degrees of freedom each, the Type B rows small.
            EXPECT_TRUE(std::ranges::all_of(nu, [](double v) { return v >= 5 && v <= 50; }));
        }
    }
}

}  // namespace
}  // namespace orlavex::app
