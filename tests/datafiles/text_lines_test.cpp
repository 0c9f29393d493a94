#include "datafiles/text_lines.h"
#include "datafiles/numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::datafiles {
namespace {

std::vector<std::string> texts(const std::vector<TextLine>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines)
        out.emplace_back(line.text);
    return out;
}

TEST(SplitLines, EveryLineEndCountsOnceAndNumbersFollowTheFile) {
    const auto lines = split_lines("a\nb\r\nc\rd\n\ne", "f", 100, "");
    EXPECT_EQ(texts(lines), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(lines.back().number, 6);
    EXPECT_EQ(texts(split_lines("a\n\r", "f", 100, "")), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(split_lines("", "f", 100, "").empty());
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

}  // namespace
}  // namespace orlavex::datafiles
