// The noise-parameter block of a .s2p: its values, their interpolation and
// their reference resistance.
#include "datafiles/touchstone.h"

#include "data_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>

namespace orlavex::datafiles {
namespace {

using C = std::complex<double>;

struct NoiseCase {
    double freq_hz;
    double nfmin_db;
    C gamma_opt;
    double rn;
    Placement placement;
    std::string note;
};

void expect_noise(const Touchstone& file, std::initializer_list<NoiseCase> cases) {
    for (const NoiseCase& expected : cases) {
        SCOPED_TRACE(expected.freq_hz);
        const auto point = file.noise_at(expected.freq_hz);
        ASSERT_TRUE(point.has_value());
        EXPECT_NEAR(point->nfmin_db, expected.nfmin_db, 1e-15);
        EXPECT_NEAR(point->gamma_opt.real(), expected.gamma_opt.real(), 1e-15);
        EXPECT_NEAR(point->gamma_opt.imag(), expected.gamma_opt.imag(), 1e-15);
        EXPECT_NEAR(point->rn, expected.rn, 1e-15);
        EXPECT_EQ(point->applied.placement, expected.placement);
        EXPECT_EQ(point->held(), !point->applied.in_range());
        EXPECT_EQ(point->note(), expected.note);
    }
}

TEST(NoiseBlock, ATouchstone1BlockGivesItsRecordsAndInterpolatesThem) {
    const Touchstone dut = read_touchstone(test_data("dut_ma.s2p"));
    ASSERT_TRUE(dut.has_noise_parameters());
    ASSERT_EQ(dut.noise_records().size(), 3u);
    EXPECT_EQ(dut.noise_records()[2].line, 11);
    EXPECT_EQ(dut.noise_records()[2].freq_hz, 4e9);
    // Gamma_opt between records is linear in its real and imaginary parts:
    // half way from 0.28 at 60 to 0.25 at 110 degrees is 0.240 in
    // magnitude, not the 0.265 of magnitude and angle apart.
    expect_noise(dut,
                 {
                     {1e9,
                      0.6,
                      {0.2598076211353316, 0.15},
                      0.2,
                      Placement::at_record,
                      "noise parameters record at 1 GHz (line 9)"},
                     {3e9,
                      0.825,
                      {0.02724748208429143, 0.23870513412805996},
                      0.165,
                      Placement::between_records,
                      "noise parameters between records at 2 GHz and 4 GHz (lines 10-11)"},
                     {0.5e9,
                      0.6,
                      {0.2598076211353316, 0.15},
                      0.2,
                      Placement::below_first,
                      "noise parameters held from the nearest record, the first, at 1 GHz "
                      "(line 9)"},
                     {9e9, 0.95, std::polar(0.25, 110 * M_PI / 180), 0.15, Placement::above_last,
                      "noise parameters held from the nearest record, the last, at 4 GHz "
                      "(line 11)"},
                 });
    EXPECT_TRUE(dut.noise_at(9e9)->held());
    EXPECT_FALSE(dut.noise_at(3e9)->held());
}

TEST(NoiseBlock, ATouchstone2BlockMayRunPastTheNetworkDataInItsUnit) {
    const Touchstone dut = read_touchstone(test_data("lna_noise_2.s2p"));
    ASSERT_EQ(dut.noise_records().size(), 3u);
    EXPECT_EQ(dut.noise_records()[0].freq_hz, 1e9);  // written in MHz
    expect_noise(dut, {
                          {4e9,
                           0.4,
                           {0.2298133329356934, 0.19283628290596178},
                           0.15,
                           Placement::at_record,
                           "noise parameters record at 4 GHz (line 15)"},
                          {2.5e9,
                           0.35,
                           {0.26646111213012347, 0.18391814145298085},
                           0.135,
                           Placement::between_records,
                           "noise parameters between records at 1 GHz and 4 GHz (lines 14-15)"},
                          // From 40 to -120 degrees the real and imaginary parts
                          // pass close to 0 half way.
                          {6e9,
                           0.6,
                           {0.06490666646784671, 0.009815601074537009},
                           0.2,
                           Placement::between_records,
                           "noise parameters between records at 4 GHz and 8 GHz (lines 15-16)"},
                      });
    // The network data end at 6 GHz, the noise data at 8.
    EXPECT_EQ(dut.at(7e9).applied.placement, Placement::above_last);
    EXPECT_TRUE(dut.noise_at(7e9)->applied.in_range());
}

// Files written by tests/data/refer_to_other_ohms.py from 50-ohm originals:
// against 50 ohms again their noise parameters are the originals'.
void expect_same_noise(const Touchstone& file, const Touchstone& original) {
    ASSERT_EQ(file.noise_records().size(), original.noise_records().size());
    for (double f = original.noise_records().front().freq_hz / 2;
         f < 1.1 * original.noise_records().back().freq_hz; f += 0.125e9) {
        SCOPED_TRACE(f);
        const NoisePoint point = *file.noise_at(f), expected = *original.noise_at(f);
        EXPECT_NEAR(point.nfmin_db, expected.nfmin_db, 1e-12);
        EXPECT_NEAR(std::abs(point.gamma_opt - expected.gamma_opt), 0, 1e-12);
        EXPECT_NEAR(point.rn, expected.rn, 1e-12);
        EXPECT_EQ(point.applied.placement, expected.applied.placement);
    }
}

TEST(NoiseBlock, NoiseParametersAgainstOtherResistancesAreReferredTo50Ohms) {
    const Touchstone at_75 = read_touchstone(test_data("dut_ri_75ohm.s2p"));
    expect_same_noise(at_75, read_touchstone(test_data("dut_ma.s2p")));
    // The records stay as written: rn against 75 ohms.
    EXPECT_NEAR(at_75.noise_records()[0].rn, 0.2 * 50 / 75, 1e-14);
    EXPECT_NEAR(at_75.noise_records_at_50_ohms()[0].rn, 0.2, 1e-14);
    EXPECT_EQ(at_75.noise_at(1e9)->note(),
              "noise parameters record at 1 GHz (line 8); referred to 50 ohms from 75 ohms");

    // A 2.0 file's port 1 reference (75 ohms) is the noise data's, not port 2's.
    expect_same_noise(read_touchstone(test_data("lna_75_25ohm.s2p")),
                      read_touchstone(example("lna_1-18ghz.s2p")));
}

TEST(NoiseBlock, Port1sReferenceAloneSetsTheNoiseReference) {
    // Gamma_opt 0 at 25 ohms is 25 ohms, which reflects -1/3 against 50;
    // rn 0.2 against 25 ohms is Rn = 5 ohms, 0.1 against 50.
    const Touchstone at_25 =
        parse_touchstone("# GHz S MA R 25\n1 0.3 0 10 0 0 0 0.2 0\n1 0.5 0 0 0.2\n", "a.s2p", 2);
    const NoisePoint point = *at_25.noise_at(1e9);
    EXPECT_NEAR(point.gamma_opt.real(), -1.0 / 3, 1e-15);
    EXPECT_NEAR(point.gamma_opt.imag(), 0, 1e-15);
    EXPECT_NEAR(point.rn, 0.1, 1e-15);
    EXPECT_EQ(point.nfmin_db, 0.5);

    const Touchstone port2_other = parse_touchstone(
        "[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
        "[Reference] 50 75\n[Network Data]\n1 0.3 0 10 0 0 0 0.2 0\n[Noise Data]\n"
        "1 0.5 0.3 40 0.2\n",
        "b.s2p", 2);
    const NoisePoint same = *port2_other.noise_at(1e9);
    EXPECT_EQ(same.gamma_opt, std::polar(0.3, 40 * M_PI / 180));
    EXPECT_EQ(same.rn, 0.2);
    EXPECT_EQ(same.note(), "noise parameters record at 1 GHz (line 9)");
    EXPECT_NE(port2_other.at(1e9).note(), port2_other.at(1e9).applied.note());
}

TEST(NoiseBlock, AFileWithoutNoiseParametersHasNone) {
    const Touchstone input = read_touchstone(test_data("dut_input.s1p"));
    const Touchstone network = read_touchstone(test_data("cable.s2p"));
    for (const Touchstone* file : {&input, &network}) {
        EXPECT_FALSE(file->has_noise_parameters());
        EXPECT_FALSE(file->noise_at(1e9).has_value());
        EXPECT_THROW(file->noise_at(std::nan("")), std::invalid_argument);
    }
    EXPECT_THROW(read_touchstone(test_data("dut_ma.s2p")).noise_at(HUGE_VAL),
                 std::invalid_argument);
}

}  // namespace
}  // namespace orlavex::datafiles
