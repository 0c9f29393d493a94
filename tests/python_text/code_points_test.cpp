// The UTF-8 decoding of the sweep's text columns: the code points Python's
// own str would hold, and a refusal wherever Python refuses the bytes (or
// numpy would lose a NUL), so that the caller falls back on Python.
#include "python/code_points.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace orlavex::python {
namespace {

using namespace std::string_view_literals;

std::optional<std::u32string> decoded(std::string_view text) {
    std::u32string out(text.size(), U'\0');
    const std::optional<std::size_t> count = decode_utf8(text, out.data());
    if (!count) return std::nullopt;
    EXPECT_EQ(decode_utf8(text, nullptr), count) << "counting alone differs";
    out.resize(*count);
    return out;
}

struct Case {
    std::string_view bytes;
    std::optional<std::u32string_view> points;  // nothing: refused
};

constexpr std::optional<std::u32string_view> refused = std::nullopt;

const Case cases[] = {
    {""sv, U""sv},
    {"ENR table: record at 1 GHz (line 12)"sv, U"ENR table: record at 1 GHz (line 12)"sv},
    {"caf\xc3\xa9"sv, U"caf\u00e9"sv},
    {"\xe2\x82\xac 5"sv, U"\u20ac 5"sv},
    {"\xf0\x9f\x93\xa1"sv, U"\U0001f4e1"sv},
    {"12345678\xc3\xa9"sv, U"12345678\u00e9"sv},  // beyond the first eight bytes
    {"\xf4\x8f\xbf\xbf"sv, U"\U0010ffff"sv},      // the last code point
    {"\xc0\xaf"sv, refused},                      // overlong '/'
    {"\xe0\x80\xaf"sv, refused},                  // overlong, three bytes
    {"\xf0\x80\x80\xaf"sv, refused},              // overlong, four bytes
    {"\xed\xa0\x80"sv, refused},                  // a surrogate
    {"\xf4\x90\x80\x80"sv, refused},              // beyond U+10FFFF
    {"\x80"sv, refused},                          // a stray continuation byte
    {"ab\xc3"sv, refused},                        // cut short
    {"\xe2\x82x"sv, refused},                     // a continuation missing
    {"\xff"sv, refused},
    {"a\0b"sv, refused},
    {"abcdefgh\0"sv, refused},
};

TEST(CodePoints, AreWhatPythonsStrHolds) {
    for (const Case& c : cases) {
        const std::optional<std::u32string> got = decoded(c.bytes);
        ASSERT_EQ(got.has_value(), c.points.has_value()) << testing::PrintToString(c.bytes);
        if (got) {
            EXPECT_TRUE(*got == *c.points) << testing::PrintToString(c.bytes);
        }
    }
}

// Plain ASCII is told apart at every position of the eight-byte words and
// of the bytes after them: a NUL or a byte of 0x80 and above anywhere, and
// every ASCII byte from 1 to 0x7f.
TEST(CodePoints, PlainAsciiIsFoundAtEveryPosition) {
    for (std::size_t length = 1; length <= 19; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (const char odd : {'\0', '\x80', '\xc3', '\xff'}) {
                std::string text(length, 'a');
                text[at] = odd;
                EXPECT_FALSE(plain_ascii(text)) << length << " bytes, " << int(odd) << " at " << at;
            }
        }
    }
    std::string all;
    for (int c = 1; c < 0x80; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_TRUE(plain_ascii(all));
    EXPECT_TRUE(plain_ascii(""));
}

}  // namespace
}  // namespace orlavex::python
