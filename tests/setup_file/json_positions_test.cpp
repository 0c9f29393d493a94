#include "app/json_positions.h"

#include <gtest/gtest.h>

namespace orlavex::app {
namespace {

PositionedJson parsed(std::string_view text) {
    std::optional<JsonSyntaxError> error;
    PositionedJson document = parse_positioned(text, error);
    EXPECT_FALSE(error) << error->message;
    return document;
}

// Each key and array element on the line it is written on, however the
// value ends: a number the parser reads one character past (here a line
// break), a string, a nested object or array.
TEST(JsonPositions, NoteTheLineOfEveryKeyAndElement) {
    const PositionedJson d = parsed(
        "{\n"
        "  \"a\": 1,\n"
        "  \"b\": 2\n"
        "  ,\"c\": {\"d\": [10,\n"
        "    20\n"
        "    , \"x\"],\n"
        "\n"
        "  \"e/f~\": true}\n"
        "}\n");
    EXPECT_EQ(d.value["c"]["d"][1], 20);
    EXPECT_EQ(d.lines.at(""), 1);
    EXPECT_EQ(d.lines.at("/a"), 2);
    EXPECT_EQ(d.lines.at("/b"), 3);
    EXPECT_EQ(d.lines.at("/c"), 4);
    EXPECT_EQ(d.lines.at("/c/d/0"), 4);
    EXPECT_EQ(d.lines.at("/c/d/1"), 5);
    EXPECT_EQ(d.lines.at("/c/d/2"), 6);
    EXPECT_EQ(d.lines.at("/c/e~1f~0"), 8);
    EXPECT_EQ(d.line_of("/c/d/7/deeper"), 4);  // the nearest part that is there
    EXPECT_FALSE(d.duplicate_key);
}

TEST(JsonPositions, FindDuplicateKeysAndSyntaxErrors) {
    EXPECT_EQ(parsed("{\"a\": {\"b\": 1,\n \"b\": 2}}").duplicate_key, "/a/b");

    std::optional<JsonSyntaxError> error;
    parse_positioned("{\n  \"a\": 1,\n  \"b\": [1, 2,]\n}", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 3);
    EXPECT_EQ(error->message.find("parse error"), std::string::npos) << error->message;
    EXPECT_NE(error->message.find("unexpected ']'"), std::string::npos) << error->message;

    parse_positioned("", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 1);
    parse_positioned("{} {}", error);
    EXPECT_TRUE(error);
}

}  // namespace
}  // namespace orlavex::app
