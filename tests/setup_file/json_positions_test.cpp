#include "app/setup_file/json_positions.h"

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
        "  \"e/f~\": true},\n"
        "  \"g\": [{\"h\": {\"i\": [1,\n"
        "    2]}}, [],\n"
        "    3]\n"
        "}\n");
    EXPECT_EQ(d.value["c"]["d"][1], 20);
    // The line of each part, after parts of every depth before it.
    const std::pair<const char*, int> lines[] = {
        {"", 1},
        {"/a", 2},
        {"/b", 3},
        {"/c", 4},
        {"/c/d/0", 4},
        {"/c/d/1", 5},
        {"/c/d/2", 6},
        {"/c/e~1f~0", 8},
        {"/g", 9},
        {"/g/0/h/i/1", 10},
        {"/g/1", 10},
        {"/g/2", 11},
        {"/c/d/7/deeper", 4},  // the nearest part that is there
        {"/g/01", 9},
        {"/g/-1", 9},
        {"/zz", 1}};
    for (const auto& [pointer, line] : lines)
        EXPECT_EQ(d.line_of(pointer), line) << pointer;
    EXPECT_FALSE(d.duplicate_key);
}

TEST(JsonPositions, FindDuplicateKeysAndSyntaxErrors) {
    const PositionedJson twice = parsed("{\"x\": [0, {\"a\": {\"b\": 1,\n \"b\": 2}}]}");
    EXPECT_EQ(twice.duplicate_key, "/x/1/a/b");
    EXPECT_EQ(twice.line_of("/x/1/a/b"), 2);  // where it is given again

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

// The parser reads a NUL byte outside a string as the end of the text; the
// byte itself is the error, at its line and column, wherever it stands,
// and a value followed by one is not taken as the whole text.
TEST(JsonPositions, ANulByteIsTheErrorAtItsLineAndColumn) {
    using namespace std::string_view_literals;
    const struct {
        std::string_view text;
        int line;
        int column;
    } cases[] = {
        {"{\n  \"a\": \0}"sv, 2, 8},                 // where a value goes
        {"{\"a\": 1\0}"sv, 1, 8},                    // ends a number
        {"[\"x\0y\"]"sv, 1, 4},                      // in a string
        {"{\"\u00e9\":\n \"\xc3\xa9\0\"}"sv, 2, 4},  // after a two-byte character
        {"{}\0"sv, 1, 3},                            // after the whole value
        {"{\"a\": 1}\n\0{\"b\": "sv, 2, 1},          // before more text
        {"\xff\xfe{\0"sv, 1, 0},  // bytes that are not UTF-8 come first: no NUL error
    };
    for (const auto& c : cases) {
        std::optional<JsonSyntaxError> error;
        const PositionedJson d = parse_positioned(c.text, error);
        ASSERT_TRUE(error) << c.text;
        EXPECT_TRUE(d.value.is_null());
        EXPECT_EQ(error->line, c.line) << c.text;
        if (c.column == 0) {
            EXPECT_EQ(error->nul_column, 0) << error->message;
            continue;
        }
        EXPECT_EQ(error->nul_column, c.column) << c.text;
        EXPECT_EQ(error->message, "a NUL byte (U+0000) at column " + std::to_string(c.column));
    }
}

// Arrays of strings under the joined key are kept as one text, their lines
// still known; one that holds anything else is an ordinary array again.
TEST(JsonPositions, JoinArraysOfStringsUnderTheirKey) {
    std::optional<JsonSyntaxError> error;
    const PositionedJson d = parse_positioned(
        "{\"f\": {\"lines\": [\"a\",\n\"\",\n\"b\\nc\"], \"n\": 1},\n"
        "\"g\": {\"lines\": [\"x\\n\", \"y\",\n2, \"z\"]},\n"
        "\"h\": {\"lines\": []}, \"lines\": \"text\"}",
        error, {"lines"});
    ASSERT_FALSE(error);
    const Json& joined = d.value["f"]["lines"];
    ASSERT_TRUE(is_joined_lines(joined));
    EXPECT_EQ(joined_line_count(joined), 3);
    EXPECT_EQ(joined_text(joined), "a\n\nb\nc");
    EXPECT_EQ(d.value["g"]["lines"], Json::parse(R"(["x\n", "y", 2, "z"])"));
    EXPECT_EQ(d.value["h"]["lines"], Json::array());
    EXPECT_EQ(d.value["lines"], "text");
    const std::pair<const char*, int> lines[] = {
        {"/f/lines/0", 1}, {"/f/lines/2", 3}, {"/f/lines/3", 1}, {"/f/n", 3},
        {"/g/lines/2", 5}, {"/g/lines/3", 5}, {"/h/lines", 6},   {"/lines", 6}};
    for (const auto& [pointer, line] : lines)
        EXPECT_EQ(d.line_of(pointer), line) << pointer;
}

}  // namespace
}  // namespace orlavex::app
