#include "app/setup_file/json_scan.h"
#include "app/setup_file/json_positions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orlavex::app {
namespace {

using namespace std::string_view_literals;

// VALUE with the type of every number written out: an integer and a double
// of the same value compare equal as values.
std::string typed(const Json& value) {
    if (value.is_structured()) {
        std::string out = value.is_object() ? "{" : "[";
        for (const auto& member : value.items())
            out += member.key() + ":" + typed(member.value()) + ",";
        return out + (value.is_object() ? "}" : "]");
    }
    if (value.is_number_unsigned()) return "u" + value.dump();
    if (value.is_number_integer()) return "i" + value.dump();
    if (value.is_number_float()) return "f" + value.dump();
    if (is_joined_lines(value)) return "joined(" + joined_text(value) + ")";
    return value.dump();
}

// Takes every call: whether the scan reads a text itself.
struct TakeAll {
    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(Json::number_integer_t) { return true; }
    bool number_unsigned(Json::number_unsigned_t) { return true; }
    bool number_float(Json::number_float_t, const std::string&) { return true; }
    bool text(std::string_view) { return true; }
    bool start_object(std::size_t) { return true; }
    bool end_object() { return true; }
    bool start_array(std::size_t) { return true; }
    bool end_array() { return true; }
    bool key(std::string&) { return true; }
};

bool scanned(std::string_view text) {
    TakeAll all;
    int newlines = 0;
    return JsonScan(text, all, newlines).read();
}

// The quick scan and nlohmann-json's parser alone give the same values (of
// the same types), lines, duplicate keys and errors; the scan reads the
// usual forms itself and leaves the rest to the library.
TEST(JsonScan, ReadsAsTheLibraryDoes) {
    const std::string deep = std::string(70, '[') + std::string(70, ']');
    const struct {
        std::string_view text;
        bool by_scan;
    } cases[] = {
        {R"({"a": 1, "b": -2, "c": 18446744073709551615, "d": 18446744073709551616,
             "e": -9223372036854775808, "f": -9223372036854775809, "g": 0.5, "h": 1E+2,
             "i": -0, "j": -0.0, "k": 1e308, "l": 2.5e-3})",
         true},
        {"[true, false, null, \"\", \"x\\ty\\\"z\\\\\\/\\b\\f\\n\\r\", "
         "\"\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xa1 \x7f\"]",
         true},
        {"{\r\n \"lines\": [\"a\",\r\n \"b\\n\"],\n \"n\": {\"lines\": [\"x\",\n 2, \"y\"]}\n}",
         true},
        {"{\"x\": [0, {\"y\": 1,\n \"y\": 2}]}", true},
        {"\n\n  {\"a\"\n:\n[\n{}\n,\n[]\n]\n}\n\n", true},
        {deep, true},  // the scan reads it, the nesting limit refuses it
        {"\"\\u00e9\\ud83d\\udce1\"", false},
        {"\xEF\xBB\xBF{}", false},
        {"[1e-400]", false},
        {"[1e400]", false},
        {"{\"a\": 01}", false},
        {"[\"\xc0\xaf\"]", false},
        {"[\"\xed\xa0\x80\"]", false},
        {"[\"\xf4\x90\x80\x80\"]", false},
        {"[\"\xe2\x82\"]", false},
        {"[\"a\tb\"]", false},
        {"[1,]", false},
        {"{\"a\" 1}", false},
        {"[truex]", false},
        {"[tru", false},
        {"[1] x", false},
        {"", false},
        {"[-]", false},
        {"[1.]", false},
        {"[1e]", false},
        {"[.5]", false},
        {"[\"x\\q\"]", false},
        {"{\"a\": \"x\0\"}"sv, false},
        {"{\"a\": 1}\0"sv, false},
        // Bytes the scan must stop at deep in a long string.
        {"[\"xxxxxxxxxxxxxxxxxxxxxxxx\xffxxxxxxxxxxxxxxxxxxxxxx\"]", false},
        {"[\"xxxxxxxxxxxxxxxxxxxxxxxx\x01xxxxxxxxxxxxxxxxxxxxxx\"]", false},
        {"[\"xxxxxxxxxxxxxxxxxxxxxxxx\\uxxxxxxxxxxxxxxxxxxxxxx\"]", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(scanned(c.text), c.by_scan);
        std::optional<JsonSyntaxError> quick, library;
        const PositionedJson a = parse_positioned(c.text, quick, {"lines"});
        const PositionedJson b = parse_positioned_by_library(c.text, library, {"lines"});
        EXPECT_EQ(typed(a.value), typed(b.value));
        EXPECT_EQ(a.lines, b.lines);
        EXPECT_EQ(a.duplicate_key, b.duplicate_key);
        EXPECT_EQ(a.duplicate_line, b.duplicate_line);
        ASSERT_EQ(quick.has_value(), library.has_value());
        if (!quick) continue;
        EXPECT_EQ(quick->line, library->line);
        EXPECT_EQ(quick->message, library->message);
        EXPECT_EQ(quick->over_limit, library->over_limit);
        EXPECT_EQ(quick->nul_column, library->nul_column);
    }
}

// Long runs of blanks and line breaks, and long strings with an escape, a
// character of UTF-8 or the closing quote at every place within the
// sixteen bytes the scan looks at together, read as the library reads them.
TEST(JsonScan, LongRunsAsTheLibraryDoes) {
    std::string text = "{\"lines\": [";
    for (std::size_t length = 0; length < 40; ++length) {
        text += std::string(length % 7, ' ') + "\n" + std::string(length, ' ');
        const std::string plain(length, 'x');
        for (const std::string_view special : {"", "\\n", "\xc3\xa9", "\\\""})
            text += "\"" + plain.substr(0, length / 2) + std::string(special) +
                    plain.substr(length / 2) + "\",\r\n";
    }
    text += "\"end\"],\n" + std::string(33, ' ') + "\"n\":" + std::string(20, '\n') + "1}";
    ASSERT_TRUE(scanned(text));
    std::optional<JsonSyntaxError> quick, library;
    const PositionedJson a = parse_positioned(text, quick, {"lines"});
    const PositionedJson b = parse_positioned_by_library(text, library, {"lines"});
    ASSERT_FALSE(quick);
    ASSERT_FALSE(library);
    EXPECT_EQ(typed(a.value), typed(b.value));
    EXPECT_EQ(a.lines, b.lines);
}

// A text past the count of values is refused alike, however far the scan got.
TEST(JsonScan, LimitsAsTheLibraryDoes) {
    const std::string_view text = "{\"a\": [1, 2, 3],\n \"lines\": [\"x\", \"y\", \"z\", \"w\"]}";
    for (const std::size_t most : {3, 5, 7, 8}) {
        std::optional<JsonSyntaxError> quick, library;
        const PositionedJson a = parse_positioned(text, quick, {"lines", most});
        const PositionedJson b = parse_positioned_by_library(text, library, {"lines", most});
        EXPECT_EQ(typed(a.value), typed(b.value)) << most;
        ASSERT_EQ(quick.has_value(), library.has_value()) << most;
        if (!quick) continue;
        EXPECT_EQ(quick->message, library->message) << most;
        EXPECT_EQ(quick->line, library->line) << most;
    }
}

}  // namespace
}  // namespace orlavex::app
