// Touchstone 2.0 files and records over several lines, in the shapes the
// Touchstone 2.0 document shows.
#include "datafiles/file_error.h"
#include "datafiles/touchstone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

namespace orlavex::datafiles {
namespace {

// One amplifier at two frequencies, Touchstone 1.x, 50 ohms.
constexpr std::string_view plain_1x =
    "# GHz S MA R 50\n"
    "1 0.3 -40 10 120 0.01 80 0.2 -60\n"
    "2 0.25 -90 8 60 0.02 40 0.15 -120\n";

void expect_same(const Touchstone& a, const Touchstone& b) {
    ASSERT_EQ(a.records().size(), b.records().size());
    for (std::size_t i = 0; i < a.records().size(); ++i) {
        SCOPED_TRACE(i);
        const TouchstoneRecord &x = a.records()[i], &y = b.records()[i];
        EXPECT_EQ(x.freq_hz, y.freq_hz);
        EXPECT_NEAR(std::abs(x.s11 - y.s11), 0, 1e-15);
        EXPECT_NEAR(std::abs(x.s21 - y.s21), 0, 1e-15);
        EXPECT_NEAR(std::abs(x.s12 - y.s12), 0, 1e-15);
        EXPECT_NEAR(std::abs(x.s22 - y.s22), 0, 1e-15);
    }
}

TEST(Touchstone2, TwoPortFilesInEitherDataOrderGiveTheSameNetwork) {
    const Touchstone one = parse_touchstone(plain_1x, "a.s2p", 2);
    const Touchstone order_21_12 = parse_touchstone(
        "! a 2-port, as the document's first example\n"
        "[Version] 2.0\n"
        "# GHz S MA R 50\n"
        "[Number of Ports] 2\n"
        "[Two-Port Data Order] 21_12\n"
        "[Number of Frequencies] 2\n"
        "[Network Data]\n"
        "1 0.3 -40 10 120 0.01 80 0.2 -60\n"
        "2 0.25 -90 8 60 0.02 40 0.15 -120\n"
        "[End]\n",
        "b.s2p", 2);
    const Touchstone order_12_21 = parse_touchstone(
        "[version] 2.0\n"
        "# GHz S MA\n"
        "[number of ports] 2\n"
        "[TWO-PORT DATA ORDER] 12_21\n"
        "[Number of Frequencies] 2\n"
        "[Reference] 50 50\n"
        "[Network Data]\n"
        "1 0.3 -40 0.01 80 10 120 0.2 -60\n"
        "2 0.25 -90 0.02 40 8 60 0.15 -120\n"
        "[End]\n",
        "c.s2p", 2);
    expect_same(order_21_12, one);
    expect_same(order_12_21, one);
    EXPECT_EQ(order_12_21.version(), 2);
    EXPECT_EQ(one.version(), 1);
    EXPECT_EQ(order_12_21.reference_note(), "");
}

TEST(Touchstone2, ASymmetricNetworkAsLowerOrUpperTriangle) {
    const std::string head =
        "[Version] 2.0\n# GHz S RI\n[Number of Ports] 2\n[Number of Frequencies] 1\n";
    const Touchstone lower = parse_touchstone(
        head + "[Matrix Format] Lower\n[Network Data]\n5 0.1 0.2\n  0.5 0.6 0.3 0.4\n", "l.s2p", 2);
    const Touchstone upper = parse_touchstone(
        head + "[Matrix Format] upper\n[Network Data]\n5 0.1 0.2 0.5 0.6\n  0.3 0.4\n", "u.s2p", 2);
    for (const Touchstone* file : {&lower, &upper}) {
        const TouchstoneRecord& r = file->records()[0];
        EXPECT_EQ(r.s11, std::complex<double>(0.1, 0.2));
        EXPECT_EQ(r.s21, std::complex<double>(0.5, 0.6));
        EXPECT_EQ(r.s12, std::complex<double>(0.5, 0.6));
        EXPECT_EQ(r.s22, std::complex<double>(0.3, 0.4));
    }
}

TEST(Touchstone2, OnePortWithReferenceInformationAndEnd) {
    const Touchstone file = parse_touchstone(
        "[Version] 2.0\n"
        "# Hz S RI R 50\n"
        "[Number of Ports] 1\n"
        "[Number of Frequencies] 2\n"
        "[Reference] 75\n"
        "[Begin Information]\n"
        "[Manufacturer] a block of anything, skipped: 1 2 3\n"
        "[End Information]\n"
        "[Network Data]\n"
        "100e6 0.2 0\n"
        "200e6 0.2 0\n"
        "[End]\n"
        "! only comments after [End]\n",
        "d.s1p", 1);
    EXPECT_EQ(file.records().size(), 2u);
    EXPECT_EQ(file.reference_ohms(), 75);  // [Reference] overrides R
    EXPECT_NEAR(file.at(150e6).input_match, 5.0 / 13, 1e-15);
}

TEST(Touchstone2, NoiseDataIsCounted) {
    const Touchstone file = parse_touchstone(
        "[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
        "[Number of Frequencies] 2\n[Number of Noise Frequencies] 2\n[Network Data]\n"
        "1 0.3 -40 10 120 0.01 80 0.2 -60\n2 0.25 -90 8 60 0.02 40 0.15 -120\n"
        "[Noise Data]\n4 0.7 0.3 50 0.2\n8 0.9 0.25 80 0.18\n[End]\n",
        "n.s2p", 2);
    EXPECT_EQ(file.noise_records().size(), 2u);
    // Noise frequencies may rise above the network data's.
    EXPECT_EQ(file.last_freq_hz(), 2e9);
}

TEST(Touchstone1, ARecordMayContinueOnTheNextLines) {
    const Touchstone one = parse_touchstone(plain_1x, "a.s2p", 2);
    const Touchstone wrapped = parse_touchstone(
        "# GHz S MA R50\n"
        "1 0.3 -40 10 120   ! S11 S21\n"
        "  0.01 80 0.2 -60  ! S12 S22\n"
        "2\n0.25 -90\n8 60\n0.02 40\n0.15 -120\n"
        "1 0.7 0.3 20 0.2\n",  // then a noise block
        "w.s2p", 2);
    expect_same(wrapped, one);
    EXPECT_EQ(wrapped.noise_records().size(), 1u);
    EXPECT_EQ(wrapped.records()[1].line, 4);
    EXPECT_EQ(wrapped.reference_ohms(), 50);
}

// A record on one line is read without splitting the line into fields;
// the same record over two lines is read field by field. Both give the
// same values, bit for bit, in each format and for numbers of any form.
TEST(Touchstone1, ARecordOnOneLineReadsAsTheSameRecordOverTwoLines) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(0.05, 2), db(-80, 40), degrees(-360, 360);
    const char* const forms[] = {"%.6f", "%.2f", "%.3e", "%+.1f", "%.17g", "%.4E"};
    for (const char* format : {"MA", "DB", "RI"}) {
        std::string one_line = std::string("# GHz S ") + format + " R 50\n", two_lines = one_line;
        for (int k = 1; k <= 300; ++k) {
            const std::string freq = std::to_string(k) + ".5";
            std::string pairs;
            for (int p = 0; p < 4; ++p) {
                const double first = format[0] == 'D' ? db(random) : magnitude(random);
                const double second = format[0] == 'R' ? magnitude(random) - 1 : degrees(random);
                char text[64];
                for (const double x : {first, second}) {
                    std::snprintf(text, sizeof text, forms[random() % std::size(forms)], x);
                    pairs += std::string(random() % 2 ? " " : "\t  ") + text;
                }
            }
            one_line += freq + pairs + "\n";
            two_lines += freq + "\n" + pairs + "\n";
        }
        SCOPED_TRACE(format);
        const Touchstone a = parse_touchstone(one_line, "a.s2p", 2);
        const Touchstone b = parse_touchstone(two_lines, "b.s2p", 2);
        ASSERT_EQ(a.records().size(), 300u);
        ASSERT_EQ(b.records().size(), 300u);
        for (std::size_t i = 0; i < a.records().size(); ++i) {
            const TouchstoneRecord &x = a.records()[i], &y = b.records()[i];
            ASSERT_EQ(x.freq_hz, y.freq_hz);
            ASSERT_EQ(x.s11, y.s11) << i;
            ASSERT_EQ(x.s21, y.s21) << i;
            ASSERT_EQ(x.s12, y.s12) << i;
            ASSERT_EQ(x.s22, y.s22) << i;
        }
    }
}

TEST(Touchstone1, CommentsOfAnyLengthAreAccepted) {
    const std::string comment = "!" + std::string(100000, 'x') + "\n";
    const Touchstone file =
        parse_touchstone(comment + "1 0.3 -40\n" + "2 0.3 -40 " + comment, "c.s1p", 1);
    EXPECT_EQ(file.records().size(), 2u);
    // Data lines keep their limit.
    const std::string data = "1 0.3 -40" + std::string(4100, ' ') + "\n";
    EXPECT_THROW(parse_touchstone(data, "c.s1p", 1), FileError);
}

}  // namespace
}  // namespace orlavex::datafiles
