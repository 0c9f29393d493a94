#include "datafiles/touchstone.h"

#include "data_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <string>

namespace orlavex::datafiles {
namespace {

double db(double magnitude) {
    return 20 * std::log10(magnitude);
}

TEST(Touchstone, MagnitudeAngleFileGivesGainAndMatches) {
    const Touchstone dut = read_touchstone(test_data("dut_ma.s2p"));
    EXPECT_EQ(dut.ports(), 2);
    EXPECT_EQ(dut.format(), SParameterFormat::magnitude_angle);
    EXPECT_EQ(dut.reference_ohms(), 50);
    ASSERT_EQ(dut.records().size(), 4u);
    EXPECT_EQ(dut.records()[0].line, 4);
    EXPECT_EQ(dut.first_freq_hz(), 1e9);
    EXPECT_EQ(dut.last_freq_hz(), 4e9);

    const DutPoint at_1ghz = dut.at(1e9);
    EXPECT_NEAR(*at_1ghz.gain_db, 20, 1e-12);
    EXPECT_NEAR(*at_1ghz.gain, 100, 1e-10);
    EXPECT_NEAR(at_1ghz.input_match, 0.316, 1e-15);
    EXPECT_NEAR(*at_1ghz.output_match, 0.2, 1e-15);
    EXPECT_EQ(at_1ghz.applied.note(), "record at 1 GHz (line 4)");
}

TEST(Touchstone, BetweenPointsGainIsLinearInDbAndMatchesInMagnitude) {
    const Touchstone dut = read_touchstone(test_data("dut_ma.s2p"));
    const DutPoint middle = dut.at(1.5e9);
    const double gain_db = (20 + db(12.589)) / 2;
    EXPECT_NEAR(*middle.gain_db, gain_db, 1e-12);
    // The geometric, not the arithmetic, mean of the two linear gains.
    EXPECT_NEAR(*middle.gain, std::sqrt(100 * 12.589 * 12.589), 1e-9);
    EXPECT_NEAR(middle.input_match, (0.316 + 0.251) / 2, 1e-15);
    EXPECT_NEAR(*middle.output_match, (0.2 + 0.158) / 2, 1e-15);
    EXPECT_EQ(middle.applied.note(), "between records at 1 GHz and 2 GHz (lines 4-5)");

    const DutPoint late = dut.at(3.75e9);
    EXPECT_NEAR(*late.gain_db, db(8.913) + 0.75 * (db(5.012) - db(8.913)), 1e-12);
    EXPECT_NEAR(late.input_match, 0.2 + 0.75 * (0.398 - 0.2), 1e-15);
}

TEST(Touchstone, TheSameDutInMaDbAndRiGivesTheSameGainAndMatches) {
    const Touchstone ma = read_touchstone(test_data("dut_ma.s2p"));
    const Touchstone db_file = read_touchstone(test_data("dut_db.s2p"));
    const Touchstone ri = read_touchstone(test_data("dut_ri.s2p"));
    EXPECT_EQ(db_file.format(), SParameterFormat::db_angle);
    EXPECT_EQ(ri.format(), SParameterFormat::real_imaginary);
    for (double f = 0.5e9; f <= 4.5e9; f += 0.125e9) {
        SCOPED_TRACE(f);
        const DutPoint expected = ma.at(f);
        for (const Touchstone* other : {&db_file, &ri}) {
            const DutPoint point = other->at(f);
            EXPECT_NEAR(*point.gain_db, *expected.gain_db, 1e-9);
            EXPECT_NEAR(point.input_match, expected.input_match, 1e-11);
            EXPECT_NEAR(*point.output_match, *expected.output_match, 1e-11);
            EXPECT_EQ(point.applied.placement, expected.applied.placement);
        }
    }
    // The angles came through too: S21 at 2 GHz is 12.589 at 60 degrees.
    EXPECT_NEAR(std::arg(ri.records()[1].s21) * 180 / M_PI, 60, 1e-9);
    EXPECT_NEAR(std::arg(db_file.records()[1].s21) * 180 / M_PI, 60, 1e-9);
}

TEST(Touchstone, OutsideTheDataTheNearestPointHoldsAndTheLookupSaysSo) {
    const Touchstone dut = read_touchstone(test_data("dut_ma.s2p"));
    const DutPoint below = dut.at(0.5e9);
    EXPECT_EQ(below.applied.placement, Placement::below_first);
    EXPECT_NEAR(*below.gain_db, 20, 1e-12);
    EXPECT_EQ(below.applied.note(), "held from the nearest record, the first, at 1 GHz (line 4)");
    const DutPoint above = dut.at(6e9);
    EXPECT_EQ(above.applied.placement, Placement::above_last);
    EXPECT_NEAR(above.input_match, 0.398, 1e-15);
    EXPECT_EQ(above.applied.note(), "held from the nearest record, the last, at 4 GHz (line 7)");
}

TEST(Touchstone, TheNoiseParameterBlockIsRead) {
    const Touchstone dut = read_touchstone(test_data("dut_ma.s2p"));
    EXPECT_EQ(dut.noise_records().size(), 3u);
    EXPECT_EQ(dut.records().size(), 4u);
    // A block may start at the same frequency as the last S-parameters.
    const Touchstone same = parse_touchstone(
        "1 0.3 0 10 0 0 0 0.2 0\n2 0.3 0 10 0 0 0 0.2 0\n2 1.0 0.3 20 0.2\n", "x.s2p", 2);
    EXPECT_EQ(same.noise_records().size(), 1u);
    EXPECT_EQ(same.records().size(), 2u);
}

TEST(Touchstone, AOnePortFileGivesOnlyTheInputMatch) {
    const Touchstone input = read_touchstone(test_data("dut_input.s1p"));
    EXPECT_EQ(input.ports(), 1);
    EXPECT_EQ(input.records()[0].freq_hz, 1e9);  // written in MHz
    const DutPoint point = input.at(1.5e9);
    EXPECT_NEAR(point.input_match, (0.316 + 0.251) / 2, 1e-15);
    EXPECT_FALSE(point.gain_db.has_value());
    EXPECT_FALSE(point.gain.has_value());
    EXPECT_FALSE(point.output_match.has_value());
}

TEST(Touchstone, WithoutAnOptionLineTheDefaultsApplyAndOnlyTheFirstOptionLineCounts) {
    const Touchstone defaults = parse_touchstone("! no options\n2 0.5 90\n", "d.s1p", 1);
    EXPECT_EQ(defaults.records()[0].freq_hz, 2e9);
    EXPECT_EQ(defaults.format(), SParameterFormat::magnitude_angle);
    EXPECT_EQ(defaults.reference_ohms(), 50);
    EXPECT_NEAR(defaults.records()[0].s11.imag(), 0.5, 1e-15);
    EXPECT_EQ(defaults.reference_note(), "");

    const Touchstone first_wins = parse_touchstone(
        "# khz s ri r 75 ! trailing comment\n# GHz S MA R 50\n3 0.2 0\n", "f.s1p", 1);
    EXPECT_EQ(first_wins.records()[0].freq_hz, 3e3);
    EXPECT_EQ(first_wins.format(), SParameterFormat::real_imaginary);
    EXPECT_EQ(first_wins.reference_ohms(), 75);
    // Kept as written, looked up against 50 ohms: 0.2 at 75 ohms is a load of
    // 75 * 1.2 / 0.8 = 112.5 ohms, which reflects 62.5 / 162.5 = 5/13 at 50.
    EXPECT_EQ(first_wins.records()[0].s11, std::complex<double>(0.2, 0));
    EXPECT_NEAR(first_wins.at(3e3).input_match, 5.0 / 13, 1e-15);
    EXPECT_EQ(first_wins.at(3e3).note(),
              "record at 3 kHz (line 3); referred to 50 ohms from 75 ohms");
}

// Files written by tests/data/refer_to_other_ohms.py (numpy, through the
// impedance matrix) from 50-ohm originals: referred back to 50 ohms, they
// give the originals' gain and matches.
void expect_same_dut(const Touchstone& file, const Touchstone& original) {
    ASSERT_EQ(file.records().size(), original.records().size());
    for (std::size_t i = 0; i + 1 < original.records().size(); ++i) {
        const double from = original.records()[i].freq_hz, to = original.records()[i + 1].freq_hz;
        for (const double f : {from, (from + to) / 2}) {
            SCOPED_TRACE(f);
            const DutPoint point = file.at(f), expected = original.at(f);
            EXPECT_NEAR(*point.gain_db, *expected.gain_db, 1e-9);
            EXPECT_NEAR(point.input_match, expected.input_match, 1e-11);
            EXPECT_NEAR(*point.output_match, *expected.output_match, 1e-11);
        }
    }
}

TEST(Touchstone, AFileAt75OhmsIsReferredTo50Ohms) {
    const Touchstone file = read_touchstone(test_data("dut_ri_75ohm.s2p"));
    const Touchstone original = read_touchstone(test_data("dut_ma.s2p"));
    EXPECT_EQ(file.reference_ohms(), 75);
    expect_same_dut(file, original);
    // At 75 ohms the same amplifier reads quite differently.
    EXPECT_GT(std::fabs(db(std::abs(file.records()[3].s21)) - *original.at(4e9).gain_db), 1);
    EXPECT_EQ(file.reference_note(), "referred to 50 ohms from 75 ohms");
    EXPECT_EQ(file.at(4e9).note(), "record at 4 GHz (line 6); referred to 50 ohms from 75 ohms");
    EXPECT_NEAR(std::abs(file.records_at_50_ohms()[0].s12), 0.01, 1e-12);
}

TEST(Touchstone, ATouchstone2FileWithAReferencePerPortIsReferredTo50Ohms) {
    // 75 and 25 ohms, 12_21 order, records over two lines, noise data, R50.
    const Touchstone file = read_touchstone(test_data("lna_75_25ohm.s2p"));
    const Touchstone original = read_touchstone(example("lna_1-18ghz.s2p"));
    EXPECT_EQ(file.version(), 2);
    EXPECT_EQ(file.port_reference_ohms(), (std::array<double, 2>{75, 25}));
    EXPECT_EQ(file.noise_records().size(), 10u);
    EXPECT_EQ(file.records()[1].line, 18);
    expect_same_dut(file, original);
    EXPECT_EQ(file.reference_note(),
              "referred to 50 ohms from 75 ohms (port 1) and 25 ohms (port 2)");
}

TEST(Touchstone, ADcPointAndSignedNumbersAreAccepted) {
    const Touchstone dut = parse_touchstone(
        "# Hz S DB R 50\n0 -20 +0 +20 0 -60 0 -15 0\n1e6 -20 -1 +20 -2 -60 -3 -15 -4\n", "dc.s2p",
        2);
    EXPECT_NEAR(*dut.at(0).gain_db, 20, 1e-12);
    EXPECT_NEAR(dut.at(5e5).input_match, 0.1, 1e-15);
}

TEST(Touchstone, TheExampleAmplifierReads) {
    const Touchstone lna = read_touchstone(example("lna_1-18ghz.s2p"));
    EXPECT_EQ(lna.records().size(), 35u);
    EXPECT_EQ(lna.first_freq_hz(), 1e9);
    EXPECT_EQ(lna.last_freq_hz(), 18e9);
    EXPECT_EQ(lna.noise_records().size(), 10u);
    for (double f = 1e9; f <= 18e9; f += 0.25e9) {
        const DutPoint point = lna.at(f);
        EXPECT_GT(*point.gain_db, 25) << f;
        EXPECT_LT(point.input_match, 0.5) << f;
    }
}

TEST(Touchstone, PortsOtherThanOneOrTwoAreRefused) {
    EXPECT_THROW(parse_touchstone("1 0 0", "x.s3p", 3), std::invalid_argument);
}

}  // namespace
}  // namespace orlavex::datafiles

namespace orlavex::datafiles {
namespace {

// A point 8 Hz past the last record at 110 GHz must not read as if it were
// at that record's frequency.
TEST(TouchstoneNotes, FrequenciesCarryEnoughDigitsToTellNeighboursApart) {
    const Touchstone dut = parse_touchstone(
        "# Hz S MA R 50\n75e9 0.3 0 10 0 0 0 0.2 0\n109999999992 0.3 0 10 0 0 0 0.2 0\n", "w.s2p",
        2);
    EXPECT_EQ(dut.at(110e9).applied.note(),
              "held from the nearest record, the last, at 109.999999992 GHz (line 3)");
    EXPECT_EQ(dut.at(109999999990.0).applied.note(),
              "between records at 75 GHz and 109.999999992 GHz (lines 2-3)");
}

}  // namespace
}  // namespace orlavex::datafiles
