#include "datafiles/text_lines.h"
#include "datafiles/file_error.h"
#include "datafiles/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

#include <string>
#include <vector>

namespace orlavex::datafiles {
namespace {

struct Read {
    std::vector<std::string> texts;
    std::vector<int> numbers;
    std::vector<bool> comments;
};

Read read_lines(std::string_view text, LineRules rules = {100, "short lines"}) {
    TextBuffer buffer(text);
    LineReader reader(buffer, "f", rules);
    Read read;
    TextLine line{};
    while (reader.next(line)) {
        read.texts.emplace_back(line.text);
        read.numbers.push_back(line.number);
        read.comments.push_back(line.had_comment);
    }
    return read;
}

std::string message_of(std::string_view text, LineRules rules) {
    try {
        read_lines(text, rules);
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(LineReader, EveryLineEndCountsOnceAndNumbersFollowTheFile) {
    const Read read = read_lines("a\nb\r\nc\rd\n\ne");
    EXPECT_EQ(read.texts, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(read.numbers.back(), 6);
    EXPECT_EQ(read_lines("a\n\r").texts, (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(read_lines("").texts.empty());
    EXPECT_EQ(read_lines("\xEF\xBB\xBF"
                         "a\n")
                  .texts,
              (std::vector<std::string>{"a"}));
}

TEST(LineReader, ACommentIsCheckedButNeitherKeptNorCounted) {
    const LineRules rules{10, "under 10", '!'};
    const Read read = read_lines("1 2 ! " + std::string(50, 'x') + "\n!\n3", rules);
    EXPECT_EQ(read.texts, (std::vector<std::string>{"1 2 ", "", "3"}));
    EXPECT_EQ(read.comments, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(message_of("1\n! \x01", rules),
              "f:2: binary data (byte 0x01 at column 3): expected a text file");
    EXPECT_EQ(message_of("12345 7890 ! x", rules), "f:1: line is 11 characters long: under 10");
}

TEST(LineReader, ATextPastItsByteLimitIsRefusedAsAWhole) {
    const LineRules rules{100, "", '\0', 2 * 1024 * 1024};
    EXPECT_EQ(message_of(std::string(2 * 1024 * 1024 + 1, '\n'), rules),
              "f: file is larger than 2 MiB: expected a small text table");
    EXPECT_EQ(read_lines(std::string(1000, '\n'), rules).numbers.back(), 1000);
}

// Each line's text and number, or the error, from a text in memory.
std::string reading_of(LineReader& reader) {
    std::string out;
    try {
        TextLine line{};
        while (reader.next(line))
            out += std::to_string(line.number) + (line.had_comment ? "!" : ":") +
                   std::string(line.text) + "|";
    } catch (const FileError& error) {
        out += error.what();
    }
    return out;
}

// A text in memory is read in place, a stream whole first: the two give
// the same lines and the same first error, and where a text has both a
// binary byte and too many bytes the one met first is the error.
TEST(LineReader, ReadsATextInMemoryAsAStream) {
    const LineRules comments{10, "under 10", '!'};
    const LineRules four_bytes{10, "under 10", '\0', 4};
    const struct {
        std::string_view text;
        LineRules rules;
        std::string_view expected;
    } cases[] = {
        {"a\r\nb\rc\n\nd", comments, "1:a|2:b|3:c|4:|5:d|"},
        {"1 2 ! x\x7f", comments, "f:1: binary data (byte 0x7F at column 8): expected a text file"},
        {"12345 7890!", comments, "f:1: line is 10 characters long: under 10"},
        // A comment is not counted; multi-byte characters count once.
        {"123456789!0123456789\n\xC2\xB0\xC2\xB0", comments, "1!123456789|2:\xC2\xB0\xC2\xB0|"},
        // The byte-order mark is not a character of the line.
        {"\xEF\xBB\xBF"
         "123456789\n1",
         comments, "1:123456789|2:1|"},
        {"ab\x01"
         "cdef",
         four_bytes, "f:1: binary data (byte 0x01 at column 3): expected a text file"},
        {"abcd\x01", four_bytes, "f: file is larger than 0 MiB: expected a small text table"},
        {"ab\r\n", four_bytes, "1:ab|"},
        {"abc\r\n", four_bytes, "f: file is larger than 0 MiB: expected a small text table"},
        {"a\nb\nc", four_bytes,
         "1:a|2:b|f: file is larger than 0 MiB: expected a small text table"},
    };
    for (const auto& c : cases) {
        LineReader in_place(c.text, "f", c.rules);
        TextBuffer buffer(c.text);
        LineReader streamed(buffer, "f", c.rules);
        const std::string read = reading_of(in_place);
        EXPECT_EQ(read, c.expected) << c.text;
        EXPECT_EQ(reading_of(streamed), read) << c.text;
    }
}

TEST(ValidUtf8, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(valid_utf8("plain \xC2\xB0 \xE2\x82\xAC \xF0\x9F\x93\xA1"),
              "plain \xC2\xB0 \xE2\x82\xAC \xF0\x9F\x93\xA1");
    EXPECT_EQ(valid_utf8("Latin-1 \xB0"), "Latin-1 \xEF\xBF\xBD");
    EXPECT_EQ(valid_utf8("cut \xE2\x82"), "cut \xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(valid_utf8("overlong \xC0\xAF"), "overlong \xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(valid_utf8("surrogate \xED\xA0\x80"),
              "surrogate \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(SplitFields, BlanksOrOneCommaSeparate) {
    using Fields = std::vector<std::string_view>;
    EXPECT_EQ(split_fields("  1 GHz\t15  ", false), (Fields{"1", "GHz", "15"}));
    EXPECT_EQ(split_fields("1,GHz , 15", true), (Fields{"1", "GHz", "15"}));
    EXPECT_EQ(split_fields("1,GHz", false), (Fields{"1,GHz"}));
    EXPECT_EQ(split_fields("1,,2", true), (Fields{"1", "", "2"}));
    EXPECT_EQ(split_fields(", 1", true), (Fields{"", "1"}));
    EXPECT_EQ(split_fields("1 ,", true), (Fields{"1", ""}));
    EXPECT_TRUE(split_fields(" \t ", true).empty());
}

// The fields of one line into the storage of the last: nothing of the
// last line stays.
TEST(SplitFields, IntoStorageKeptFromLineToLine) {
    using Fields = std::vector<std::string_view>;
    const std::pair<std::string_view, Fields> lines[] = {{"1 2 3 4 5", {"1", "2", "3", "4", "5"}},
                                                         {"6,7", {"6", "7"}},
                                                         {" \t", {}},
                                                         {"8 ,", {"8", ""}}};
    Fields fields;
    for (const auto& [line, expected] : lines) {
        split_fields(line, true, fields);
        EXPECT_EQ(fields, expected) << line;
        EXPECT_EQ(fields, split_fields(line, true)) << line;
    }
}

TEST(ParseNumber, PlainDecimalNumbersOnly) {
    EXPECT_EQ(parse_number("15.2"), 15.2);
    EXPECT_EQ(parse_number("+1e9"), 1e9);
    EXPECT_EQ(parse_number("-.5"), -0.5);
    EXPECT_EQ(parse_number("5."), 5.0);
    EXPECT_EQ(parse_number("1E-3"), 1e-3);
    for (const char* bad : {"", "+", "-", ".", "+-1", "--1", "1e", "1.2.3", "0x10", "inf", "-nan",
                            "infinity", "1e400", "1,5", " 1", "1 ", "e5"}) {
        EXPECT_FALSE(parse_number(bad).has_value()) << bad;
    }
}

// The double std::from_chars reads (a leading '+' dropped), or nothing.
std::optional<double> from_chars_double(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || stop != text.data() + text.size()) return std::nullopt;
    return value;
}

bool same_bits(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

// Short numbers are read without from_chars, to the same double, bit for
// bit: at the edges of the short form and over many random numbers.
TEST(ParseNumber, GivesTheDoubleFromCharsGives) {
    for (const char* text : {"0.1",
                             "15.33",
                             "-179.9",
                             "0.30000000000000004",
                             "1e22",
                             "1e-22",
                             "1e23",
                             "3e-23",
                             "123456789012345",
                             "1234567890123456",
                             "9007199254740993",
                             "0.000123",
                             "00012.5000",
                             "-0",
                             "-0.0",
                             "+.5",
                             "5.",
                             "0e9999",
                             "1e0001",
                             "1.5e+3",
                             "2.5E-2",
                             "4.35",
                             "1.7976931348623157e308",
                             "5e-324",
                             "2.2250738585072014e-308",
                             "0.000000000000000001",
                             "999999999999999e22",
                             "999999999999999.9"}) {
        EXPECT_TRUE(same_bits(parse_number(text), from_chars_double(text))) << text;
    }
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30), digits(1, 17);
    char text[64];
    for (int i = 0; i < 100000; ++i) {
        const double x = mantissa(random) * std::pow(10.0, exponent(random));
        const int precision = digits(random);
        std::snprintf(text, sizeof text, i % 2 == 0 ? "%.*g" : "%.*f", precision, x);
        ASSERT_TRUE(same_bits(parse_number(text), from_chars_double(text))) << text;
    }
}

// Fields and their numbers in one pass: as split_fields and parse_number give them apart.
TEST(SplitNumbers, AsSplitAndReadApart) {
    const char* lines[] = {"  1 GHz\t15.2  ",
                           "1,GHz , 15",
                           "1,,2",
                           ", 1",
                           "1 ,",
                           "15,2 0,1",
                           "1e5x 1.2.3 +-1 --1 - + . .5 5. -0 +7",
                           "1e 1e+ 1e400 1e-400 0x10 inf nan",
                           "-179.9\t0.030 1234567890123456789 00.5",
                           // The bytes just outside the digits, eight at a time.
                           "12345678901:5 0.1234567/ 1.2345678\xC3\xA9 76543210.01234567 9999999.",
                           "!x 1"};
    NumberFields fields;
    for (const bool comma : {false, true}) {
        for (const char* line : lines) {
            split_numbers(line, comma, fields);
            const auto expected = split_fields(line, comma);
            ASSERT_EQ(fields.size(), expected.size()) << line;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                EXPECT_EQ(fields[i].text, expected[i]) << line;
                EXPECT_TRUE(same_bits(fields[i].number, parse_number(expected[i])))
                    << line << " field " << i;
            }
        }
    }
}

}  // namespace
}  // namespace orlavex::datafiles
