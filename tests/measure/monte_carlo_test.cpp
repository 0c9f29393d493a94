#include "measure/monte_carlo.h"

#include "measure/coverage.h"
#include "measure/random_stream.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace orlavex::measure {
namespace {

using test_support::amplifier;

MeasurementSetup with_jitter() {
    MeasurementSetup s = amplifier();
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
    return s;
}

void expect_same(const MonteCarloResult& a, const MonteCarloResult& b) {
    EXPECT_EQ(a.mean_db, b.mean_db);
    EXPECT_EQ(a.std_db, b.std_db);
    EXPECT_EQ(a.interval_lo_db, b.interval_lo_db);
    EXPECT_EQ(a.interval_hi_db, b.interval_hi_db);
    EXPECT_EQ(a.shortest_lo_db, b.shortest_lo_db);
    EXPECT_EQ(a.shortest_hi_db, b.shortest_hi_db);
    EXPECT_EQ(a.invalid, b.invalid);
}

TEST(MonteCarlo, ASeedGivesTheSameResultOnAnyNumberOfThreads) {
    const MeasurementSetup s = with_jitter();
    // Not a whole number of blocks, so the last block is a short one.
    MonteCarloOptions options{.trials = 30001, .seed = 42, .threads = 1, .keep_samples = true};
    const MonteCarloResult one = monte_carlo(s, options);
    options.threads = 2;
    const MonteCarloResult two = monte_carlo(s, options);
    options.threads = 5;
    const MonteCarloResult five = monte_carlo(s, options);
    expect_same(one, two);
    expect_same(one, five);
    ASSERT_EQ(one.samples.size(), 30001u);
    EXPECT_EQ(one.samples, two.samples);
    EXPECT_EQ(one.samples, five.samples);
    EXPECT_EQ(one.trials, 30001u);
    EXPECT_EQ(one.seed, 42u);
}

TEST(MonteCarlo, CountsItsTrialsAndStopsWhenCancelled) {
    const MeasurementSetup s = with_jitter();
    MonteCarloProgress watched;
    MonteCarloOptions options{.trials = 30001, .seed = 42, .threads = 2, .keep_samples = true};
    const MonteCarloResult plain = monte_carlo(s, options);
    options.progress = &watched;
    // Counting changes nothing of the result; every trial, the short last
    // block's too, is counted once.
    expect_same(plain, monte_carlo(s, options));
    EXPECT_EQ(watched.done, 30001u);

    MonteCarloProgress cancelled;
    cancelled.cancel = true;
    options.progress = &cancelled;
    EXPECT_THROW(monte_carlo(s, options), MonteCarloCancelled);
    EXPECT_EQ(cancelled.done, 0u);
}

TEST(MonteCarlo, DifferentSeedsDrawDifferentErrors) {
    const MeasurementSetup s = with_jitter();
    const MonteCarloResult a = monte_carlo(s, {.trials = 20000, .seed = 1, .keep_samples = true});
    const MonteCarloResult b = monte_carlo(s, {.trials = 20000, .seed = 2, .keep_samples = true});
    EXPECT_NE(a.mean_db, b.mean_db);
    std::size_t equal = 0;
    for (std::size_t i = 0; i < a.samples.size(); ++i)
        equal += a.samples[i] == b.samples[i];
    EXPECT_EQ(equal, 0u);
    // ... but from the same distribution.
    EXPECT_NEAR(a.std_db / b.std_db, 1.0, 0.03);
    // Without keep_samples nothing is kept.
    EXPECT_TRUE(monte_carlo(s, {.trials = 100}).samples.empty());
}

TEST(MonteCarlo, RectangularAnalyzerErrorStaysWithinItsLimit) {
    // Only the analyzer's noise-figure error, measurement uncorrected: the
    // error of the result is that draw itself.
    MeasurementSetup s;
    s.dut_nf_db = 8;
    s.dut_gain_db = 15;
    s.enr_cal_db = s.enr_meas_db = 15;
    s.analyzer_nf_db = 11.5;
    s.analyzer_nf_unc_db = 0.3;
    s.second_stage = false;
    s.model.spec_shape = SpecShape::rectangular;
    const MonteCarloResult mc = monte_carlo(s, {.trials = 50000, .keep_samples = true});
    const double offset = mc.mean_db;  // the classic offset
    const auto [lo, hi] = std::minmax_element(mc.samples.begin(), mc.samples.end());
    EXPECT_GE(*lo, offset - 0.3 - 0.01);
    EXPECT_LE(*hi, offset + 0.3 + 0.01);
    EXPECT_NEAR(mc.std_db, 0.3 / std::sqrt(3.0), 0.003);
    // 95 % of a rectangle: +-0.95 of its half-width.
    EXPECT_NEAR(mc.interval_hi_db - mc.interval_lo_db, 0.57, 0.01);
}

TEST(MonteCarlo, PhaseUniformMismatchIsUShaped) {
    MeasurementSetup s;
    s.dut_nf_db = 8;
    s.dut_gain_db = 15;
    s.enr_cal_db = s.enr_meas_db = 15;
    s.analyzer_nf_db = 11.5;
    s.gamma_dut_out = 0.4;
    s.gamma_analyzer = 0.5;  // only the output mismatch, |G1 G2| = 0.2
    MonteCarloResult mc = monte_carlo(s, {.trials = 40000, .keep_samples = true});
    const auto [lo, hi] = std::minmax_element(mc.samples.begin(), mc.samples.end());
    const double mid = (*lo + *hi) / 2, half = (*hi - *lo) / 2;
    const auto central = std::count_if(mc.samples.begin(), mc.samples.end(),
                                       [&](double e) { return std::fabs(e - mid) < half / 2; });
    // An arcsine law has a third of its mass in the central half of its
    // range; a normal law would have far more than half.
    EXPECT_LT(static_cast<double>(central) / 40000, 0.4);
}

TEST(MonteCarlo, CountsTrialsWithoutAValidResult) {
    MeasurementSetup s = amplifier();
    s.dut_nf_db = 28;  // Y about 1.05
    s.model.noise_bw_hz = 1e5;
    s.model.tau_s = 0.01;  // 3 % jitter per reading
    const MonteCarloResult mc = monte_carlo(s, {.trials = 20000, .keep_samples = true});
    const auto nan =
        std::count_if(mc.samples.begin(), mc.samples.end(), [](double e) { return std::isnan(e); });
    EXPECT_GT(mc.invalid, 100u);
    EXPECT_EQ(mc.invalid, static_cast<std::size_t>(nan));
    EXPECT_TRUE(std::isfinite(mc.std_db));
}

TEST(Coverage, OrderStatisticsOfTheGumSupplement) {
    std::vector<double> values(1000);
    std::iota(values.begin(), values.end(), 1.0);
    std::reverse(values.begin(), values.end());
    const Coverage c = coverage_95(values);
    EXPECT_DOUBLE_EQ(c.mean, 500.5);
    // q = 950 values; r = 25: [y(25), y(975)].
    EXPECT_EQ(c.symmetric_lo, 25.0);
    EXPECT_EQ(c.symmetric_hi, 975.0);
    // Every window of 950 is as wide: the first.
    EXPECT_EQ(c.shortest_lo, 1.0);
    EXPECT_EQ(c.shortest_hi, 951.0);
}

TEST(Coverage, ShortestIntervalHugsTheMassOfASkewedSample) {
    // Squares of 0 .. 1999: dense near 0, sparse at the top.
    std::vector<double> values;
    for (int i = 0; i < 2000; ++i)
        values.push_back(static_cast<double>(i) * i);
    std::vector<double> copy = values;
    const Coverage c = coverage_95(copy);
    EXPECT_EQ(c.shortest_lo, 0.0);
    EXPECT_EQ(c.shortest_hi, 1900.0 * 1900.0);
    EXPECT_EQ(c.symmetric_lo, 49.0 * 49.0);
    EXPECT_EQ(c.symmetric_hi, 1949.0 * 1949.0);
    std::vector<double> one = {3.0};
    EXPECT_TRUE(std::isnan(coverage_95(one).std_dev));
}

TEST(Coverage, SmallSamplesAgainstOrderStatisticsWorkedByHand) {
    // q = round(0.95 n) values make up 95 %; a sample of n <= 10 has q >= n,
    // so the interval holds all of it: q = n - 1, r = 1, [y(1), y(n)].
    std::vector<double> one = {3.0};
    EXPECT_TRUE(std::isnan(coverage_95(one).symmetric_lo));
    std::vector<double> two = {5.0, -1.0};
    Coverage c = coverage_95(two);
    EXPECT_EQ(c.mean, 2.0);
    EXPECT_EQ(c.std_dev, std::sqrt(18.0));
    EXPECT_EQ(c.symmetric_lo, -1.0);
    EXPECT_EQ(c.symmetric_hi, 5.0);
    EXPECT_EQ(c.shortest_lo, -1.0);
    EXPECT_EQ(c.shortest_hi, 5.0);
    std::vector<double> five = {0.4, -2.0, 7.5, 1.0, 0.1};
    c = coverage_95(five);
    EXPECT_EQ(c.symmetric_lo, -2.0);
    EXPECT_EQ(c.symmetric_hi, 7.5);
    EXPECT_EQ(c.shortest_lo, -2.0);
    EXPECT_EQ(c.shortest_hi, 7.5);
    std::vector<double> ten = {9, 3, 8, 1, 7, 0, 6, 2, 5, 4};
    c = coverage_95(ten);
    EXPECT_EQ(c.mean, 4.5);
    EXPECT_EQ(c.symmetric_lo, 0.0);
    EXPECT_EQ(c.symmetric_hi, 9.0);
    EXPECT_EQ(c.shortest_lo, 0.0);
    EXPECT_EQ(c.shortest_hi, 9.0);

    // n = 60: q = round(57) = 57, n - q = 3, r = 2: [y(2), y(59)]; the
    // shortest of [y(1), y(58)], [y(2), y(59)], [y(3), y(60)] when the top
    // is spread wide and the bottom is packed.
    std::vector<double> sixty;
    for (int i = 1; i <= 60; ++i)
        sixty.push_back(i <= 57 ? i : 100.0 * i);
    std::reverse(sixty.begin(), sixty.end());
    c = coverage_95(sixty);
    EXPECT_EQ(c.symmetric_lo, 2.0);
    EXPECT_EQ(c.symmetric_hi, 5900.0);
    EXPECT_EQ(c.shortest_lo, 1.0);
    EXPECT_EQ(c.shortest_hi, 5800.0);
}

TEST(MonteCarlo, AFewTrialsGiveTheirWholeRange) {
    for (std::size_t n : {2u, 5u, 10u}) {
        const MonteCarloResult mc =
            monte_carlo(with_jitter(), {.trials = n, .seed = 3, .keep_samples = true});
        // The intervals are order statistics of the trials held as float.
        const auto [lo, hi] = std::minmax_element(mc.samples.begin(), mc.samples.end());
        EXPECT_EQ(mc.interval_lo_db, static_cast<float>(*lo)) << n;
        EXPECT_EQ(mc.interval_hi_db, static_cast<float>(*hi)) << n;
        EXPECT_EQ(mc.shortest_lo_db, static_cast<float>(*lo)) << n;
        EXPECT_EQ(mc.shortest_hi_db, static_cast<float>(*hi)) << n;
    }
}

TEST(Coverage, FloatsSortedWithoutComparisonsGiveTheSameOrderStatistics) {
    // Negative and positive values, zeros of both signs, a wide spread of
    // magnitudes: the radix sort's key order must be the numbers' order.
    RandomStream random(5, 0);
    std::vector<double> doubles;
    for (int i = 0; i < 3001; ++i)
        doubles.push_back(static_cast<float>(random.normal() * std::exp(4 * random.normal())));
    doubles.push_back(0.0);
    doubles.push_back(-0.0);
    std::vector<float> floats(doubles.begin(), doubles.end());
    std::vector<float> sorted = floats;
    std::sort(sorted.begin(), sorted.end());
    const Intervals95 f = intervals_95(floats);
    EXPECT_EQ(floats, sorted);
    const Coverage d = coverage_95(doubles);
    EXPECT_EQ(f.symmetric_lo, d.symmetric_lo);
    EXPECT_EQ(f.symmetric_hi, d.symmetric_hi);
    EXPECT_EQ(f.shortest_lo, d.shortest_lo);
    EXPECT_EQ(f.shortest_hi, d.shortest_hi);
}

TEST(MonteCarlo, ATrialGetsTheSameNumbersWhateverTheTrialCount) {
    const MeasurementSetup s = with_jitter();
    const MonteCarloResult few = monte_carlo(s, {.trials = 5000, .keep_samples = true});
    const MonteCarloResult many = monte_carlo(s, {.trials = 9000, .keep_samples = true});
    EXPECT_TRUE(std::equal(few.samples.begin(), few.samples.end(), many.samples.begin()));
}

TEST(RandomStream, UniformAndNormalHaveTheirMoments) {
    RandomStream r(7, 0);
    double sum = 0, square = 0, u_min = 1, u_max = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double x = r.normal();
        sum += x;
        square += x * x;
        const double u = r.uniform();
        u_min = std::min(u_min, u);
        u_max = std::max(u_max, u);
    }
    EXPECT_NEAR(sum / n, 0.0, 0.01);
    EXPECT_NEAR(square / n, 1.0, 0.01);
    EXPECT_GE(u_min, 0.0);
    EXPECT_LT(u_max, 1.0);
    // Streams of neighbouring blocks are unrelated.
    RandomStream a(7, 0), b(7, 1);
    EXPECT_NE(a.next(), b.next());
}

TEST(LaneStreams, BlockFillsHaveTheirDistributions) {
    LaneStreams lanes(9, 0);
    constexpr std::size_t n = 256;
    double x[n];
    double sum = 0, square = 0, fourth = 0, beyond_3 = 0, cos_square = 0, u_sum = 0;
    double u_min = 1, u_max = 0;
    const int rounds = 2000;
    for (int r = 0; r < rounds; ++r) {
        lanes.fill_normal(x, n);
        for (double v : x) {
            sum += v;
            square += v * v;
            fourth += v * v * v * v;
            beyond_3 += std::fabs(v) > 3;
        }
        lanes.fill_cos_of_uniform_phase(x, n);
        for (double v : x)
            cos_square += v * v;
        lanes.fill_uniform(x, n);
        for (double v : x) {
            u_sum += v;
            u_min = std::min(u_min, v);
            u_max = std::max(u_max, v);
        }
    }
    const double count = rounds * static_cast<double>(n);
    EXPECT_NEAR(sum / count, 0.0, 0.005);
    EXPECT_NEAR(square / count, 1.0, 0.005);
    EXPECT_NEAR(fourth / count, 3.0, 0.05);         // normal tails, not a sum of uniforms'
    EXPECT_NEAR(beyond_3 / count, 0.0027, 0.0004);  // P(|z| > 3)
    EXPECT_NEAR(cos_square / count, 0.5, 0.005);    // mean of cos^2 over the circle
    EXPECT_NEAR(u_sum / count, 0.5, 0.002);
    EXPECT_GE(u_min, 0.0);
    EXPECT_LT(u_max, 1.0);
}

}  // namespace
}  // namespace orlavex::measure
