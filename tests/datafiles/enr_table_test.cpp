#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"

#include "data_files.h"

#include <gtest/gtest.h>

#include <complex>
#include <cstdio>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::datafiles {
namespace {

constexpr double tolerance = 1e-12;

class SourceTable : public testing::Test {
  protected:
    const EnrTable table = read_enr_file(test_data("source.enr"));
};

TEST_F(SourceTable, ReadsEveryRecordWhateverItsUnitAndSeparators) {
    const auto records = table.records();
    ASSERT_EQ(records.size(), 5u);
    const double freqs[] = {10e6, 1e9, 2e9, 4e9, 18e9};
    const double enrs[] = {15.2, 15.5, 15.1, 14.8, 14.0};
    const int lines[] = {8, 9, 10, 11, 12};
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].freq_hz, freqs[i]) << i;
        EXPECT_EQ(records[i].enr_db, enrs[i]) << i;
        EXPECT_EQ(records[i].line, lines[i]) << i;
    }
    EXPECT_TRUE(table.has_uncertainty());
    EXPECT_TRUE(table.has_reflection());
    EXPECT_EQ(table.first_freq_hz(), 10e6);
    EXPECT_EQ(table.last_freq_hz(), 18e9);
}

TEST_F(SourceTable, KeepsHeaderFieldsInOrderAndFindsThemInAnyCase) {
    const auto fields = table.header_fields();
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0].name, "Filetype");
    EXPECT_EQ(fields[2].name, "Serialnumber");
    EXPECT_EQ(fields[2].value, "MY4410");
    EXPECT_EQ(fields[2].line, 4);
    EXPECT_EQ(table.header("serialNUMBER"), "MY4410");
    EXPECT_EQ(table.header("Model"), "NS346B");
    EXPECT_FALSE(table.header("Calibrationdate").has_value());
}

TEST_F(SourceTable, AtARecordGivesItsValuesExactly) {
    const EnrPoint point = table.at(2e9);
    EXPECT_EQ(point.applied.placement, Placement::at_record);
    EXPECT_TRUE(point.applied.in_range());
    EXPECT_EQ(point.enr_db, 15.1);
    EXPECT_EQ(point.enr_unc_db, 0.16);
    ASSERT_TRUE(point.reflection.has_value());
    EXPECT_EQ(point.reflection->on_mag, 0.06);
    EXPECT_EQ(point.reflection->on_deg, -170);
    EXPECT_EQ(point.reflection->off_mag, 0.07);
    EXPECT_EQ(point.reflection->off_deg, 40);
    EXPECT_EQ(point.applied.note(), "record at 2 GHz (line 10)");
}

TEST_F(SourceTable, BetweenRecordsEnrAndUncertaintyAreLinearInFrequency) {
    const EnrPoint middle = table.at(1.5e9);
    EXPECT_EQ(middle.applied.placement, Placement::between_records);
    EXPECT_NEAR(middle.enr_db, 15.3, tolerance);
    EXPECT_NEAR(*middle.enr_unc_db, 0.155, tolerance);
    EXPECT_EQ(middle.applied.note(), "between records at 1 GHz and 2 GHz (lines 9-10)");

    // A quarter of the way from 4 to 18 GHz: linear in Hz, not in log f.
    const EnrPoint quarter = table.at(7.5e9);
    EXPECT_NEAR(quarter.enr_db, 14.8 - 0.25 * 0.8, tolerance);
    EXPECT_NEAR(*quarter.enr_unc_db, 0.18 + 0.25 * 0.07, tolerance);
    EXPECT_EQ(quarter.applied.lower.index, 3u);
    EXPECT_EQ(quarter.applied.upper.index, 4u);
    EXPECT_NEAR(quarter.applied.weight, 0.25, tolerance);
}

TEST_F(SourceTable, ReflectionMagnitudesAreLinearAndAnglesTakeTheShorterArc) {
    // 170 to -170 degrees turns through 180, not through 0.
    const auto across = *table.at(1.5e9).reflection;
    EXPECT_NEAR(across.on_mag, 0.05, tolerance);
    EXPECT_NEAR(std::abs(across.on_deg), 180, 1e-9);
    EXPECT_NEAR(across.off_mag, 0.065, tolerance);
    EXPECT_NEAR(across.off_deg, 30, 1e-9);

    // -170 to -90 degrees, half way.
    const auto plain = *table.at(3e9).reflection;
    EXPECT_NEAR(plain.on_mag, 0.08, tolerance);
    EXPECT_NEAR(plain.on_deg, -130, 1e-9);
    EXPECT_NEAR(plain.off_deg, 50, 1e-9);

    // Just past 1 GHz the angle is still near 170, on the far side of 180 soon after.
    EXPECT_NEAR(table.at(1.25e9).reflection->on_deg, 175, 1e-9);
    EXPECT_NEAR(table.at(1.75e9).reflection->on_deg, -175, 1e-9);
}

// The same reflections as complex numbers, linear in their real and
// imaginary parts, while the magnitudes and angles above stay as they were.
TEST_F(SourceTable, ReflectionsAsComplexNumbersAreLinearInRealAndImaginaryParts) {
    struct Case {
        double freq_hz;
        std::complex<double> on, off;
        double larger_magnitude;  // of the magnitudes interpolated on their own
    };
    const Case cases[] = {
        {2e9,
         {-0.05908846518073248, -0.010418890660015816},
         {0.053623111018328465, 0.04499513267805775},
         0.07},
        // 0.04 at 170 and 0.06 at -170 degrees meet near 180 degrees.
        {1.5e9,
         {-0.049240387650610395, -0.0017364817766693024},
         {0.055002334132741484, 0.032758170638798934},
         0.065},
        // Half way from 0.1 at -90 to 0.2 at 90 degrees: 0.05 at 90, where
        // magnitude and angle apart give 0.15.
        {11e9, {0, 0.05}, {-0.0325, -0.056291651245988526}, 0.185},
        {5e6,
         {0.0492403876506104, 0.008682408883346517},
         {-0.07878462024097664, -0.013891854213354423},
         0.08},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.freq_hz);
        const EnrPoint point = table.at(expected.freq_hz);
        ASSERT_TRUE(point.gamma.has_value());
        EXPECT_NEAR(std::abs(point.gamma->on - expected.on), 0, 1e-15);
        EXPECT_NEAR(std::abs(point.gamma->off - expected.off), 0, 1e-15);
        EXPECT_NEAR(point.reflection->larger_magnitude(), expected.larger_magnitude, tolerance);
    }
    // At a record the complex value is the record's own.
    const SourceReflection& record = *table.records()[2].reflection;
    EXPECT_EQ(table.at(2e9).gamma->on, record.on());
    EXPECT_EQ(table.at(2e9).gamma->off, record.off());
}

TEST_F(SourceTable, OutsideTheTableTheNearestRecordHoldsAndTheLookupSaysSo) {
    const EnrPoint below = table.at(5e6);
    EXPECT_EQ(below.applied.placement, Placement::below_first);
    EXPECT_FALSE(below.applied.in_range());
    EXPECT_EQ(below.enr_db, 15.2);
    EXPECT_EQ(below.enr_unc_db, 0.2);
    EXPECT_EQ(below.reflection->off_deg, -170);
    EXPECT_EQ(below.applied.note(), "held from the nearest record, the first, at 10 MHz (line 8)");

    const EnrPoint above = table.at(26.5e9);
    EXPECT_EQ(above.applied.placement, Placement::above_last);
    EXPECT_FALSE(above.applied.in_range());
    EXPECT_EQ(above.enr_db, 14.0);
    EXPECT_EQ(above.enr_unc_db, 0.25);
    EXPECT_EQ(above.applied.note(), "held from the nearest record, the last, at 18 GHz (line 12)");

    // The table's ends are inside it.
    EXPECT_TRUE(table.at(10e6).applied.in_range());
    EXPECT_TRUE(table.at(18e9).applied.in_range());
}

TEST_F(SourceTable, ALookupNeedsAFiniteFrequency) {
    EXPECT_THROW(table.at(std::nan("")), std::invalid_argument);
    EXPECT_THROW(table.at(HUGE_VAL), std::invalid_argument);
}

TEST(EnrTable, OptionalColumnsAreAbsentWhenTheTableHasNone) {
    const EnrTable bare = parse_enr("1 GHz 15\n3 GHz 14\n", "bare.enr");
    EXPECT_FALSE(bare.has_uncertainty());
    EXPECT_FALSE(bare.has_reflection());
    const EnrPoint point = bare.at(2e9);
    EXPECT_NEAR(point.enr_db, 14.5, tolerance);
    EXPECT_FALSE(point.enr_unc_db.has_value());
    EXPECT_FALSE(point.gamma.has_value());
    EXPECT_FALSE(point.reflection.has_value());

    const EnrTable with_uncertainty = parse_enr("1e9 15 0.1\n3e9,14,0.3\n", "unc.enr");
    EXPECT_TRUE(with_uncertainty.has_uncertainty());
    EXPECT_FALSE(with_uncertainty.has_reflection());
    EXPECT_NEAR(*with_uncertainty.at(2e9).enr_unc_db, 0.2, tolerance);
}

TEST(EnrTable, CommasWithOrWithoutBlanksSeparateFields) {
    const EnrTable table =
        parse_enr("1 GHz,15.2,0.1\n2 GHz , 15.4 , 0.3\n3e9,15.6, 0.5\n", "c.enr");
    ASSERT_EQ(table.records().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(table.records()[i].freq_hz, 1e9 * static_cast<double>(i + 1));
        EXPECT_NEAR(table.records()[i].enr_db, 15.2 + 0.2 * static_cast<double>(i), 1e-12);
        EXPECT_NEAR(*table.records()[i].enr_unc_db, 0.1 + 0.2 * static_cast<double>(i), 1e-12);
    }
}

// A line of blank-separated numbers is read without splitting it into
// fields; the same line with commas is read field by field. Both give the
// same records, bit for bit, with or without a unit, in each set of columns.
TEST(EnrTable, BlanksOrCommasBetweenTheSameNumbersGiveTheSameRecords) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> enr(4, 30), small(0, 1), degrees(-180, 180);
    const char* const units[] = {"", "GHz", "MHz", "hz", "kHz"};
    // The last form (17 digits, not a short number) only where a line stays
    // under the readers' 100 characters.
    const char* const forms[] = {"%.2f", "%.6f", "%.3e", "%+.1f", "%.17g"};
    std::size_t form_count = std::size(forms);
    const auto text = [&](double x) {
        char out[64];
        std::snprintf(out, sizeof out, forms[random() % form_count], x);
        return std::string(out);
    };
    for (const std::size_t columns : {1u, 2u, 6u}) {
        form_count = columns == 6 ? std::size(forms) - 1 : std::size(forms);
        std::string blanks, commas;
        for (int k = 1; k <= 200; ++k) {
            const std::string unit = units[k % std::size(units)];
            std::vector<std::string> fields = {std::to_string(k * 3) + ".25"};
            if (!unit.empty()) fields.push_back(unit);
            fields.push_back(text(enr(random)));
            if (columns >= 2) fields.push_back(text(small(random)));
            for (std::size_t r = 2; r < columns; ++r)
                fields.push_back(text(r % 2 == 0 ? small(random) : degrees(random)));
            for (std::size_t f = 0; f < fields.size(); ++f) {
                blanks += (f > 0 ? (f % 2 ? " " : "\t") : "") + fields[f];
                commas += (f > 0 ? "," : "") + fields[f];
            }
            blanks += "\n";
            commas += "\n";
        }
        SCOPED_TRACE(columns);
        // Units change from line to line: the frequencies need not rise,
        // so each table is read a line at a time.
        std::istringstream blank_lines(blanks), comma_lines(commas);
        std::string a, b;
        while (std::getline(blank_lines, a) && std::getline(comma_lines, b)) {
            const EnrRecord x = parse_enr(a, "a.enr").records()[0];
            const EnrRecord y = parse_enr(b, "b.enr").records()[0];
            ASSERT_EQ(x.freq_hz, y.freq_hz) << a;
            ASSERT_EQ(x.enr_db, y.enr_db) << a;
            ASSERT_EQ(x.enr_unc_db, y.enr_unc_db) << a;
            ASSERT_EQ(x.reflection.has_value(), y.reflection.has_value()) << a;
            if (x.reflection) {
                ASSERT_EQ(x.reflection->on_mag, y.reflection->on_mag) << a;
                ASSERT_EQ(x.reflection->on_deg, y.reflection->on_deg) << a;
                ASSERT_EQ(x.reflection->off_mag, y.reflection->off_mag) << a;
                ASSERT_EQ(x.reflection->off_deg, y.reflection->off_deg) << a;
            }
        }
    }
}

TEST(EnrTable, ASingleRecordHoldsEverywhere) {
    const EnrTable one = parse_enr("[Model X]\n5 GHz 15.5 0.2\n", "one.enr");
    EXPECT_EQ(one.at(1e9).enr_db, 15.5);
    EXPECT_EQ(one.at(1e9).applied.placement, Placement::below_first);
    EXPECT_EQ(one.at(5e9).applied.placement, Placement::at_record);
    EXPECT_EQ(one.at(9e9).applied.placement, Placement::above_last);
}

TEST(EnrTable, UnitsAndTheDbWordTakeAnyLetterCaseAndColumnsAfterTheReflectionsAreIgnored) {
    const EnrTable table = parse_enr(
        "1 khz 15 DB 0.1 0.1 0 0.1 0 7 8\n"
        "1 Mhz 15 db 0.1 0.1 0 0.1 0 7 8\n"
        "1 thz 15 dB 0.1 0.1 0 0.1 0 7 8\n"
        "2e12 +15 0.1 0.1 0 0.1 0 7 8\n",
        "cases.enr");
    ASSERT_EQ(table.records().size(), 4u);
    EXPECT_EQ(table.records()[0].freq_hz, 1e3);
    EXPECT_EQ(table.records()[1].freq_hz, 1e6);
    EXPECT_EQ(table.records()[2].freq_hz, 1e12);
    EXPECT_EQ(table.records()[3].enr_db, 15);
}

TEST(EnrTable, CommentsBlankLinesAndWindowsLineEndsAreSkipped) {
    const EnrTable table = parse_enr(
        "\xEF\xBB\xBF# made by hand\r\n\r\n  ! indented comment\r\n\t1 GHz 15.0 \r\n2 GHz 15.5\r\n",
        "crlf.enr");
    ASSERT_EQ(table.records().size(), 2u);
    EXPECT_EQ(table.records()[0].line, 4);
    EXPECT_EQ(table.records()[1].line, 5);
}

TEST(EnrTable, TheExampleTableReads) {
    const EnrTable table = read_enr_file(example("noise_source.enr"));
    EXPECT_EQ(table.records().size(), 21u);
    EXPECT_EQ(table.first_freq_hz(), 10e6);
    EXPECT_EQ(table.last_freq_hz(), 18e9);
    EXPECT_TRUE(table.has_reflection());
    EXPECT_EQ(table.header("Serialnumber"), "EX-000123");
}

}  // namespace
}  // namespace orlavex::datafiles

namespace orlavex::datafiles {
namespace {

// A table written in Latin-1 ("25 °C") reads, its header as valid text, and
// a message quoting such a field is valid text too.
TEST(EnrTableText, HeaderBytesThatAreNotUtf8BecomeReplacementCharacters) {
    const EnrTable table = parse_enr(
        "[Calibrationtemp 25 \xB0"
        "C]\n1 GHz 15\n",
        "latin1.enr");
    EXPECT_EQ(table.header("Calibrationtemp"),
              "25 \xEF\xBF\xBD"
              "C");
    try {
        parse_enr("[Filetype \xB0]\n", "latin1.enr");
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message(), "expected [Filetype ENR], found Filetype '\xEF\xBF\xBD'");
    }
}

}  // namespace
}  // namespace orlavex::datafiles
