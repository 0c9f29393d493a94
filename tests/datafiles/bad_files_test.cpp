// Every way a data file can be bad gives one FileError naming the file, the
// line and what was expected.
#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"
#include "datafiles/touchstone.h"

#include "data_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

namespace orlavex::datafiles {
namespace {

// The error `read` throws, or a failure when it throws none.
FileError error_of(const std::function<void()>& read) {
    try {
        read();
    } catch (const FileError& error) {
        return error;
    }
    ADD_FAILURE() << "no FileError";
    return FileError("", 0, "");
}

struct BadText {
    std::string_view why;
    std::string text;
    std::string what;  // the whole message, file and line first
};

void expect_enr_errors(std::initializer_list<BadText> cases) {
    for (const BadText& bad : cases) {
        SCOPED_TRACE(bad.why);
        const FileError error = error_of([&] { parse_enr(bad.text, "source.enr"); });
        EXPECT_EQ(std::string(error.what()), bad.what);
        EXPECT_EQ(error.file(), "source.enr");
    }
}

void expect_touchstone_errors(int ports, std::initializer_list<BadText> cases) {
    const std::string name = ports == 1 ? "dut.s1p" : "dut.s2p";
    for (const BadText& bad : cases) {
        SCOPED_TRACE(bad.why);
        const FileError error = error_of([&] { parse_touchstone(bad.text, name, ports); });
        EXPECT_EQ(std::string(error.what()), bad.what);
    }
}

TEST(BadEnrTable, RecordsOutOfOrderOrRepeated) {
    expect_enr_errors({
        {"falling", "1 GHz 15\n500 MHz 15.1\n",
         "source.enr:2: frequency 500 MHz is below the previous record's 1 GHz (line 1): "
         "expected records in rising frequency"},
        {"repeated in another unit", "1 GHz 15\n\n1000 MHz 15.1\n",
         "source.enr:3: frequency 1 GHz repeats the record on line 1: expected each frequency "
         "once"},
    });
}

TEST(BadEnrTable, MissingOrUnreadableNumbers) {
    expect_enr_errors({
        {"missing ENR", "1 GHz 15\n2 GHz\n",
         "source.enr:2: missing ENR: expected the ENR in dB after the frequency"},
        {"missing ENR without unit", "2000000000\n",
         "source.enr:1: missing ENR: expected the ENR in dB after the frequency"},
        {"word for an ENR", "1 GHz fifteen\n",
         "source.enr:1: expected the ENR (a number, in dB), found 'fifteen'"},
        {"unit glued to the frequency", "1GHz 15\n",
         "source.enr:1: expected a frequency (a number), found '1GHz'"},
        {"decimal commas", "1 GHz 15,2 0,1\n",
         "source.enr:1: '15,2' is two fields, a comma separates them: expected a point for "
         "decimals"},
        {"decimal commas without a unit", "1e9 15,2\n",
         "source.enr:1: '15,2' is two fields, a comma separates them: expected a point for "
         "decimals"},
        {"not a finite number", "1 GHz inf\n",
         "source.enr:1: expected the ENR (a number, in dB), found 'inf'"},
        {"beyond a double", "1e400 15\n",
         "source.enr:1: expected a frequency (a number), found '1e400'"},
        {"word for an uncertainty", "1 GHz 15 dB small\n",
         "source.enr:1: expected the ENR uncertainty (in dB), found 'small'"},
        {"word for a reflection angle", "1 GHz 15 0.1 0.05 ten 0.05 20\n",
         "source.enr:1: expected the on-state reflection angle (degrees), found 'ten'"},
        {"word in a later column", "1 GHz 15 0.1 0.05 10 0.05 20 x\n",
         "source.enr:1: expected a number, found 'x'"},
    });
}

TEST(BadEnrTable, UnknownUnits) {
    expect_enr_errors({
        {"frequency unit", "1 GHz 15\n2 GHZZ 15\n",
         "source.enr:2: unknown frequency unit 'GHZZ': expected Hz, kHz, MHz, GHz or THz"},
        {"ENR unit", "1 GHz 15 K\n", "source.enr:1: unknown ENR unit 'K': expected dB"},
    });
}

TEST(BadEnrTable, WrongColumns) {
    expect_enr_errors({
        {"two reflection numbers", "1 GHz 15 0.1 0.05 10\n",
         "source.enr:1: expected 4 reflection numbers after the ENR uncertainty (on magnitude "
         "and angle, off magnitude and angle), found 2"},
        {"uncertainty dropped", "1 GHz 15 0.1\n2 GHz 15\n",
         "source.enr:2: expected frequency, ENR and uncertainty like the first record (line 1), "
         "found frequency and ENR"},
        {"reflections added", "1 GHz 15 0.1\n2 GHz 15 0.1 0 0 0 0\n",
         "source.enr:2: expected frequency, ENR and uncertainty like the first record (line 1), "
         "found frequency, ENR, uncertainty and reflections"},
        {"two commas", "1 GHz,,15\n",
         "source.enr:1: empty field: expected one comma between two fields"},
        {"trailing comma", "1 GHz, 15,\n",
         "source.enr:1: empty field: expected one comma between two fields"},
    });
}

TEST(BadEnrTable, ValuesOutsideTheirRange) {
    expect_enr_errors({
        {"negative frequency", "-1 GHz 15\n",
         "source.enr:1: frequency -1 GHz: expected a frequency above 0"},
        {"zero frequency", "0 15\n", "source.enr:1: frequency 0 Hz: expected a frequency above 0"},
        {"frequency beyond a double", "1e300 THz 15\n",
         "source.enr:1: frequency too large: expected under 1e308 Hz"},
        {"negative uncertainty", "1 GHz 15 -0.1\n",
         "source.enr:1: negative ENR uncertainty -0.1 dB: expected 0 or more"},
        {"reflection above 1", "1 GHz 15 0.1 0.05 10 1.5 20\n",
         "source.enr:1: reflection magnitude 1.5: expected 0 to 1"},
    });
}

TEST(BadEnrTable, BadHeaderFields) {
    expect_enr_errors({
        {"unclosed", "[Model NS346B\n1 GHz 15\n",
         "source.enr:1: expected ']' closing the header field"},
        {"nameless", "[ ]\n", "source.enr:1: expected a field name after '['"},
        {"another file type", "[Filetype S2P]\n1 GHz 15\n",
         "source.enr:1: expected [Filetype ENR], found Filetype 'S2P'"},
    });
}

TEST(BadEnrTable, OverlongLine) {
    const std::string longest(99, 'x');
    EXPECT_NO_THROW(parse_enr("#" + longest.substr(1) + "\n1 GHz 15\n", "source.enr"));
    expect_enr_errors({
        {"100 characters", "1 GHz 15\n#" + longest + "\n",
         "source.enr:2: line is 100 characters long: expected ENR table lines under 100 "
         "characters"},
    });
    // Characters, not bytes: 99 degree signs are 198 bytes of UTF-8.
    std::string degrees = "#";
    for (int i = 0; i < 98; ++i)
        degrees += "\xC2\xB0";
    EXPECT_NO_THROW(parse_enr(degrees + "\n1 GHz 15\n", "source.enr"));
}

TEST(BadEnrTable, EmptyOrWithoutRecords) {
    expect_enr_errors({
        {"empty", "", "source.enr: empty file: expected an ENR table"},
        {"blank lines", " \n\t\r\n\n", "source.enr: empty file: expected an ENR table"},
        {"comments and header only", "# nothing yet\n[Model NS346B]\n",
         "source.enr: no records: expected lines 'frequency [unit] ENR [dB] [uncertainty "
         "[on_mag on_deg off_mag off_deg]]'"},
    });
}

TEST(BadEnrTable, BinaryText) {
    expect_enr_errors({
        {"NUL", std::string("1 GHz 15\n2 GHz\0 15\n", 17),
         "source.enr:2: binary data (byte 0x00 at column 6): expected a text file"},
        {"escape", "1 GHz 15\x1b[0m\n",
         "source.enr:1: binary data (byte 0x1B at column 9): expected a text file"},
        {"delete", "\x7f",
         "source.enr:1: binary data (byte 0x7F at column 1): expected a text file"},
    });
}

TEST(BadEnrFile, BinaryMissingOrNotAFile) {
    const auto binary = test_data("binary.enr");
    EXPECT_EQ(std::string(error_of([&] { read_enr_file(binary); }).what()),
              binary.string() + ":3: binary data (byte 0x00 at column 1): expected a text file");

    const auto missing = test_data("no_such_table.enr");
    const FileError error = error_of([&] { read_enr_file(missing); });
    EXPECT_EQ(std::string(error.what()), missing.string() + ": cannot open: no such file");
    EXPECT_EQ(error.line(), 0);
    EXPECT_EQ(error.message(), "cannot open: no such file");

    const auto folder = test_data("");
    EXPECT_EQ(error_of([&] { read_enr_file(folder); }).message(),
              "cannot open: not a regular file");
}

// Two records, then the noise line under test on line 3 (or 4).
std::string with_noise(std::string_view lines) {
    return "1 0.3 0 10 0 0 0 0.2 0\n2 0.3 0 10 0 0 0 0.2 0\n" + std::string(lines);
}

std::string with_noise_data(std::string_view lines) {
    return "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n[Network Data]\n"
           "1 0.3 0 10 0 0 0 0.2 0\n[Noise Data]\n" +
           std::string(lines);
}

TEST(BadTouchstone, NoiseParametersOutOfRangeOrOrder) {
    expect_touchstone_errors(
        2,
        {
            {"four numbers", with_noise("1 1.0 0.3 20 0.2\n2 1.0 0.3 20\n"),
             "dut.s2p:4: expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found 4"},
            {"four numbers starting the block", with_noise("1 1.0 0.3 20\n"),
             "dut.s2p:3: expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found 4"},
            {"four numbers in [Noise Data]", with_noise_data("1 1.0 0.3 20\n"),
             "dut.s2p:7: expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found 4"},
            {"negative rn", with_noise("1 1.0 0.3 20 -0.01\n"),
             "dut.s2p:3: noise resistance rn -0.01: expected 0 or more"},
            {"negative rn in [Noise Data]", with_noise_data("1 1.0 0.3 20 0.2\n2 1 0.3 20 -2\n"),
             "dut.s2p:8: noise resistance rn -2: expected 0 or more"},
            {"a total reflection", with_noise("1 1.0 1 20 0.2\n"),
             "dut.s2p:3: optimum reflection magnitude 1: expected 0 or more and below 1"},
            {"more than a total reflection", with_noise_data("1 1.0 1.5 20 0.2\n"),
             "dut.s2p:7: optimum reflection magnitude 1.5: expected 0 or more and below 1"},
            {"a negative magnitude", with_noise("1 1.0 -0.3 20 0.2\n"),
             "dut.s2p:3: optimum reflection magnitude -0.3: expected 0 or more and below 1"},
            {"NFmin below 0 dB", with_noise("1 1.0 0.3 20 0.2\n2 -0.1 0.3 20 0.2\n"),
             "dut.s2p:4: minimum noise figure -0.1 dB: expected 0 dB or more"},
            {"falling", with_noise("1 1.0 0.3 20 0.2\n0.5 1.0 0.3 20 0.2\n"),
             "dut.s2p:4: noise frequency 500 MHz is below the previous line's 1 GHz (line 3): "
             "expected noise data in rising frequency"},
            {"falling in [Noise Data]", with_noise_data("3 1.0 0.3 20 0.2\n2 1.0 0.3 20 0.2\n"),
             "dut.s2p:8: noise frequency 2 GHz is below the previous line's 3 GHz (line 7): "
             "expected noise data in rising frequency"},
            {"repeated", with_noise("1 1.0 0.3 20 0.2\n2 1.0 0.3 20 0.2\n2 1.1 0.3 20 0.2\n"),
             "dut.s2p:5: noise frequency 2 GHz repeats line 4: expected each frequency once"},
            {"negative frequency", with_noise_data("-1 1.0 0.3 20 0.2\n"),
             "dut.s2p:7: negative frequency -1 GHz: expected 0 or more"},
            {"a word", with_noise("1 1.0 0.3 twenty 0.2\n"),
             "dut.s2p:3: expected a noise parameter (a number), found 'twenty'"},
            // Just below 1 at an enormous reference, 1 at 50 ohms.
            {"no Gamma_opt at 50 ohms",
             "# GHz S MA R 1e17\n1 0.3 0 10 0 0 0 0.2 0\n1 1 0.9 0 0.2\n",
             "dut.s2p:3: the noise parameters at 1 GHz cannot be referred to 50 ohms from 1e+17 "
             "ohms: expected |Gamma_opt| below 1 and rn finite there"},
            {"no rn at 50 ohms", "# GHz S MA R 1e17\n1 0.3 0 10 0 0 0 0.2 0\n1 1 0 0 1e300\n",
             "dut.s2p:3: the noise parameters at 1 GHz cannot be referred to 50 ohms from 1e+17 "
             "ohms: expected |Gamma_opt| below 1 and rn finite there"},
        });
}

TEST(BadTouchstone, WrongNumberCounts) {
    expect_touchstone_errors(
        2,
        {
            {"seven numbers", "# GHz S MA R 50\n1 0.3 -45 10 120 0.01 80\n",
             "dut.s2p:2: expected 9 numbers (frequency and four S-parameter pairs), found 7"},
            // Five numbers above the last frequency start a record, not a noise block.
            {"a noise line above the data", "1 0.3 0 10 0 0 0 0.2 0\n2 1.0 0.3 20 0.2\n",
             "dut.s2p:2: expected 9 numbers (frequency and four S-parameter pairs), found 5"},
            {"a record over two lines that ends early",
             "1 0.3 0 10 0 0 0 0.2 0\n2 1.0 0.3 20 0.2\n0.1 0\n",
             "dut.s2p:2: the record that starts here ends at the end of the file after 7 numbers "
             "on lines 2-3: expected 9 (frequency and four S-parameter pairs)"},
            {"a record whose next line holds the next record too",
             "1 0.3 0 10 0 0 0\n0.2 0 2 0.3 0 10 0 0 0 0.2 0\n",
             "dut.s2p:2: the record that starts on line 1 has 7 numbers above this line, which "
             "holds 11 more: expected 9 in all (frequency and four S-parameter pairs)"},
            {"S-parameters inside the noise block",
             "1 0.3 0 10 0 0 0 0.2 0\n2 0.3 0 10 0 0 0 0.2 0\n1 1.0 0.3 20 0.2\n"
             "3 0.3 0 10 0 0 0 0.2 0\n",
             "dut.s2p:4: expected 5 numbers in the noise-parameter block (frequency, minimum noise "
             "figure, optimum reflection magnitude and angle, noise resistance), found 9"},
        });
    expect_touchstone_errors(
        1, {
               {"four numbers", "1 0.3 -45 0.1\n",
                "dut.s1p:1: expected 3 numbers (frequency and the S11 pair), found 4"},
               {"no noise block in a .s1p", "1 0.3 -45\n0.5 1.0 0.3 20 0.2\n",
                "dut.s1p:2: expected 3 numbers (frequency and the S11 pair), found 5"},
           });
}

TEST(BadTouchstone, BadOptionLines) {
    expect_touchstone_errors(
        2, {
               {"unknown format", "# GHz S XY R 50\n",
                "dut.s2p:1: unknown format 'XY': expected MA, DB or RI"},
               {"unknown unit", "# THz S MA R 50\n",
                "dut.s2p:1: unknown frequency unit 'THz': expected Hz, kHz, MHz or GHz"},
               {"other parameters", "# GHz Y MA R 50\n",
                "dut.s2p:1: parameter type 'Y': expected S (only S-parameters are read)"},
               {"unknown word", "# GHz S MA R 50 fast\n",
                "dut.s2p:1: unknown option 'fast': expected a frequency unit (Hz, kHz, MHz or "
                "GHz), S, "
                "a format (MA, DB or RI) or R and the reference resistance"},
               {"R without a value", "# GHz S MA R\n",
                "dut.s2p:1: expected the reference resistance in ohms after R"},
               {"R a word", "# GHz S MA R fifty\n",
                "dut.s2p:1: expected the reference resistance in ohms after R, found 'fifty'"},
               {"R zero", "# GHz S MA R 0\n",
                "dut.s2p:1: reference resistance 0 ohms: expected above 0"},
               {"two units", "# GHz MHz S MA\n",
                "dut.s2p:1: 'MHz' repeats the option line's frequency unit"},
               {"after the data", "1 0.3 0 10 0 0 0 0.2 0\n# GHz S MA R 50\n",
                "dut.s2p:2: option line after the data: expected it before the first data line"},
               {"R glued to a word", "# GHz S MA Rfifty\n",
                "dut.s2p:1: unknown option 'Rfifty': expected a frequency unit (Hz, kHz, MHz or "
                "GHz), S, a format (MA, DB or RI) or R and the reference resistance"},
           });
}

TEST(BadTouchstone, FrequenciesOutOfOrderRepeatedOrNegative) {
    expect_touchstone_errors(
        2,
        {
            {"falling", "# MHz\n2000 0.3 0 10 0 0 0 0.2 0\n1500 0.3 0 10 0 0 0 0.2 0\n",
             "dut.s2p:3: frequency 1.5 GHz is below the previous line's 2 GHz (line 2): expected "
             "data in rising frequency"},
            {"repeated", "1 0.3 0 10 0 0 0 0.2 0\n1 0.3 0 10 0 0 0 0.2 0\n",
             "dut.s2p:2: frequency 1 GHz repeats the data line 1: expected each frequency once"},
        });
    expect_touchstone_errors(
        1, {
               {"negative", "-1 0.3 -45\n",
                "dut.s1p:1: negative frequency -1 GHz: expected 0 or more"},
               {"falling", "2 0.3 -45\n1 0.3 -45\n",
                "dut.s1p:2: frequency 1 GHz is below the previous line's 2 GHz (line 1): expected "
                "data in rising frequency"},
           });
}

TEST(BadTouchstone, BadNumbers) {
    expect_touchstone_errors(
        2, {
               {"word for an angle", "1 0.3 abc 10 0 0 0 0.2 0\n",
                "dut.s2p:1: expected S11 angle (a number), found 'abc'"},
               {"word for a real part", "# GHz S RI\n1 0.3 0 x 0 0 0 0.2 0\n",
                "dut.s2p:2: expected S21 real part (a number), found 'x'"},
               {"word for a frequency", "f 0.3 0 10 0 0 0 0.2 0\n",
                "dut.s2p:1: expected the frequency (a number), found 'f'"},
               {"negative magnitude", "1 0.3 0 10 0 0 0 -0.2 0\n",
                "dut.s2p:1: S22 magnitude -0.2: expected 0 or more"},
               {"no gain", "1 0.3 0 0 0 0 0 0.2 0\n",
                "dut.s2p:1: |S21| of 0: expected a DUT gain |S21|^2 above 0 and finite"},
               {"dB beyond a double", "# GHz S DB\n1 -10 0 1e5 0 -40 0 -10 0\n",
                "dut.s2p:2: S21 too large: expected a magnitude under 1e308"},
               {"word in the noise block", "1 0.3 0 10 0 0 0 0.2 0\n1 1.0 low 20 0.2\n",
                "dut.s2p:2: expected a noise parameter (a number), found 'low'"},
           });
}

TEST(BadTouchstone, EmptyWithoutDataOrBinary) {
    expect_touchstone_errors(
        2, {
               {"empty", "", "dut.s2p: empty file: expected Touchstone data"},
               {"option line only", "! a DUT\n# GHz S MA R 50\n",
                "dut.s2p: no data: expected lines of the frequency and four S-parameter pairs"},
               {"binary", std::string("# GHz\n\0\0\0\0", 10),
                "dut.s2p:2: binary data (byte 0x00 at column 1): expected a text file"},
               {"overlong", std::string(4096, '1'),
                "dut.s2p:1: line is 4096 characters long: expected Touchstone lines under 4096 "
                "characters"},
           });
    expect_touchstone_errors(
        1, {
               {"comments only", "! nothing\n",
                "dut.s1p: no data: expected lines of the frequency and the S11 pair"},
           });
}

TEST(BadTouchstone, Touchstone2FilesThatBreakTheirOwnRules) {
    const std::string head = "[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 2\n";
    const std::string order = "[Two-Port Data Order] 21_12\n";
    const std::string record = "1 0.3 0 10 0 0 0 0.2 0\n";
    expect_touchstone_errors(
        2, {
               {"a keyword without [Version]", "[Number of Ports] 2\n",
                "dut.s2p:1: keyword [Number of Ports] without [Version] 2.0: a Touchstone 2.0 file "
                "starts with [Version] 2.0"},
               {"another version", "[Version] 3.0\n",
                "dut.s2p:1: Touchstone version '3.0': expected 2.0"},
               {"a count past any file", "[Version] 2.0\n[Number of Ports] 280436323397\n",
                "dut.s2p:2: expected a whole number above 0 after [Number of Ports], found "
                "'280436323397'"},
               {"ports unlike the extension", "[Version] 2.0\n[Number of Ports] 4\n",
                "dut.s2p:2: [Number of Ports] 4 in a .s2p file: expected 2"},
               {"no data order", head + "[Network Data]\n" + record,
                "dut.s2p:4: a 2-port file without [Two-Port Data Order]: expected 12_21 or 21_12 "
                "above [Network Data]"},
               {"an unknown data order", head + "[Two-Port Data Order] 12-21\n",
                "dut.s2p:4: [Two-Port Data Order] '12-21': expected 12_21 or 21_12"},
               {"data before [Network Data]", head + order + record,
                "dut.s2p:5: data before [Network Data]: expected the keyword [Network Data] above "
                "the first record"},
               {"fewer frequencies than declared",
                head + order + "[Number of Frequencies] 3\n[Network Data]\n" + record,
                "dut.s2p:5: [Number of Frequencies] 3, found 1 network data frequencies: expected "
                "the count the file declares"},
               {"a reference short of a port", head + order + "[Reference] 50\n[Network Data]\n",
                "dut.s2p:6: [Reference] on line 5 lacks 1 of its 2 reference resistances: expected "
                "one per port"},
               {"a reference of 0 ohms", head + "[Reference] 50 0\n",
                "dut.s2p:4: reference resistance 0 ohms: expected above 0"},
               {"a record cut short by [Noise Data]",
                head + order + "[Network Data]\n1 0.3 0 10 0\n[Noise Data]\n",
                "dut.s2p:6: expected 9 numbers (frequency and four S-parameter pairs), found 5"},
               {"mixed-mode data", head + "[Mixed-Mode Order] D2,1 C2,1\n",
                "dut.s2p:4: mixed-mode data ([Mixed-Mode Order]): expected single-ended "
                "S-parameters"},
               {"an unknown keyword", head + "[Colour] blue\n",
                "dut.s2p:4: unknown keyword [Colour]: expected a Touchstone 2.0 keyword"},
               {"no network data", head + order,
                "dut.s2p: no [Network Data]: expected the keyword and the records below it"},
               {"an open information block", head + "[Begin Information]\n",
                "dut.s2p: [Begin Information] without [End Information]"},
           });
}

TEST(BadTouchstoneFile, WrongExtensionOrMissing) {
    EXPECT_EQ(std::string(error_of([] { read_touchstone("dut.txt"); }).what()),
              "dut.txt: expected a .s1p or .s2p file (the extension gives the ports), found "
              "'.txt'");
    const auto missing = test_data("no_such_dut.S2P");
    EXPECT_EQ(std::string(error_of([&] { read_touchstone(missing); }).what()),
              missing.string() + ": cannot open: no such file");
}

}  // namespace
}  // namespace orlavex::datafiles
