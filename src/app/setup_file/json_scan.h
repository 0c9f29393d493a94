// A quick reading of JSON text in its usual forms, handing each key and
// value to a handler in the calls of nlohmann-json's SAX interface. It
// takes what the library takes and gives the same values: numbers as
// 64-bit integers where they fit and doubles otherwise, strings checked
// for UTF-8. What it does not read whole (text that is not JSON, a \u
// escape, a byte-order mark, a number a double holds only as 0, ...) it
// leaves to the library, whose rules and messages stay the reference:
// read() is then false, and the handler may have seen part of the text.
#pragma once

#include "app/json.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orlavex::app {

// The length of the well-formed UTF-8 character at AT (RFC 3629: no
// overlong forms, no surrogates, nothing past U+10FFFF), 0 if there is none.
inline std::size_t utf8_character(const char* at, const char* end) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(at[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char lowest = 0x80, highest = 0xbf;  // the second byte's range
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) lowest = 0xa0;
        if (lead == 0xed) highest = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) lowest = 0x90;
        if (lead == 0xf4) highest = 0x8f;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - at) < length) return 0;
    if (byte(1) < lowest || byte(1) > highest) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) return 0;
    }
    return length;
}

// HANDLER takes the calls of nlohmann-json's SAX interface, with a string
// value as text(std::string_view). NEWLINES counts the line breaks passed
// at each call; a call comes when the last character of its token is read.
template <typename Handler>
class JsonScan {
  public:
    JsonScan(std::string_view text, Handler& handler, int& newlines)
        : at_(text.data()),
          end_(text.data() + text.size()),
          handler_(handler),
          newlines_(newlines) {
        for (int c = 0; c < 0x20; ++c)
            stops_[static_cast<std::size_t>(c)] = true;
        for (int c = 0x80; c < 0x100; ++c)
            stops_[static_cast<std::size_t>(c)] = true;
        stops_['"'] = stops_['\\'] = true;
    }

    // True when the whole text is one JSON value and the handler took every call.
    bool read() { return value() && (skip_blanks(), at_ == end_); }

  private:
    void skip_blanks() {
#if defined(__SSE2__)
        // Sixteen bytes at a time: a line break and the indent of the next line.
        const __m128i space = _mm_set1_epi8(' '), newline = _mm_set1_epi8('\n'),
                      tab = _mm_set1_epi8('\t'), carriage_return = _mm_set1_epi8('\r');
        while (end_ - at_ >= 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at_));
            const __m128i breaks = _mm_cmpeq_epi8(bytes, newline);
            const __m128i blanks = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, space), breaks),
                _mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmpeq_epi8(bytes, carriage_return)));
            const auto blank_bits = static_cast<unsigned>(_mm_movemask_epi8(blanks));
            const auto break_bits = static_cast<unsigned>(_mm_movemask_epi8(breaks));
            const int run = std::countr_one(blank_bits);  // 16 when all are blank
            // Rarely more than one: counted bit by bit, without a library call.
            for (unsigned bits = break_bits & ((1u << run) - 1); bits != 0; bits &= bits - 1)
                ++newlines_;
            at_ += run;
            if (run < 16) return;
        }
#endif
        for (; at_ != end_; ++at_) {
            if (*at_ == '\n') {
                ++newlines_;
            } else if (*at_ != ' ' && *at_ != '\t' && *at_ != '\r') {
                return;
            }
        }
    }

    bool take(char c) {
        skip_blanks();
        if (at_ == end_ || *at_ != c) return false;
        ++at_;
        return true;
    }

    bool value() {
        skip_blanks();
        if (at_ == end_) return false;
        switch (*at_) {
            case '{':
                return object();
            case '[':
                return array();
            case '"': {
                std::string_view text;
                return string(text) && handler_.text(text);
            }
            case 't':
                return word("true") && handler_.boolean(true);
            case 'f':
                return word("false") && handler_.boolean(false);
            case 'n':
                return word("null") && handler_.null();
            default:
                return number();
        }
    }

    bool object() {
        ++at_;
        if (!handler_.start_object(npos)) return false;
        if (take('}')) return handler_.end_object();
        do {
            skip_blanks();
            std::string_view name;
            if (at_ == end_ || *at_ != '"' || !string(name)) return false;
            key_.assign(name);
            if (!handler_.key(key_) || !take(':') || !value()) return false;
        } while (take(','));
        return take('}') && handler_.end_object();
    }

    bool array() {
        ++at_;
        if (!handler_.start_array(npos)) return false;
        if (take(']')) return handler_.end_array();
        do {
            if (!value()) return false;
        } while (take(','));
        return take(']') && handler_.end_array();
    }

    bool word(std::string_view literal) {
        if (static_cast<std::size_t>(end_ - at_) < literal.size() ||
            std::string_view(at_, literal.size()) != literal) {
            return false;
        }
        at_ += literal.size();
        return true;
    }

    // The string at the opening quote, its simple escapes undone: a view of
    // the text itself where it has none.
    bool string(std::string_view& out) {
        const char* const start = ++at_;
        const char* run = start;  // not yet copied to buffer_
        bool copied = false;
        while (true) {
            at_ = plain_run(at_, end_);
            while (at_ != end_ && !stops_[static_cast<unsigned char>(*at_)])
                ++at_;
            if (at_ == end_) return false;
            const auto c = static_cast<unsigned char>(*at_);
            if (c == '"') break;
            if (c >= 0x80) {
                const std::size_t length = utf8_character(at_, end_);
                if (length == 0) return false;
                at_ += length;
                continue;
            }
            if (c != '\\' || end_ - at_ < 2) return false;  // a control character
            if (!copied) buffer_.clear();
            copied = true;
            buffer_.append(run, at_);
            const char escaped = unescaped(at_[1]);
            if (escaped == '\0') return false;  // \u and anything unknown
            buffer_ += escaped;
            at_ += 2;
            run = at_;
        }
        if (copied) {
            buffer_.append(run, at_);
            out = buffer_;
        } else {
            out = std::string_view(start, static_cast<std::size_t>(at_ - start));
        }
        ++at_;
        return true;
    }

    // AT, or the start of the first sixteen bytes from it that may hold the
    // end of a string, an escape, a control character or a byte of UTF-8.
    static const char* plain_run(const char* at, const char* end) {
#if defined(__SSE2__)
        const __m128i quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\'),
                      controls = _mm_set1_epi8(0x1f);
        for (; end - at >= 16; at += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i stops = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)),
                _mm_cmpeq_epi8(_mm_min_epu8(bytes, controls), bytes));
            // The high bit of a byte of UTF-8 is a stop as it is.
            if ((_mm_movemask_epi8(stops) | _mm_movemask_epi8(bytes)) != 0) break;
        }
#endif
        return at;
    }

    static char unescaped(char c) {
        switch (c) {
            case '"':
            case '\\':
            case '/':
                return c;
            case 'b':
                return '\b';
            case 'f':
                return '\f';
            case 'n':
                return '\n';
            case 'r':
                return '\r';
            case 't':
                return '\t';
            default:
                return '\0';
        }
    }

    bool digits() {
        const char* const start = at_;
        while (at_ != end_ && *at_ >= '0' && *at_ <= '9')
            ++at_;
        return at_ != start;
    }

    bool number() {
        const char* const start = at_;
        if (*at_ == '-') ++at_;
        if (at_ == end_ || *at_ < '0' || *at_ > '9') return false;
        if (*at_ == '0') {
            ++at_;
        } else {
            digits();
        }
        bool whole = true;
        if (at_ != end_ && *at_ == '.') {
            ++at_;
            if (!digits()) return false;
            whole = false;
        }
        if (at_ != end_ && (*at_ == 'e' || *at_ == 'E')) {
            ++at_;
            if (at_ != end_ && (*at_ == '+' || *at_ == '-')) ++at_;
            if (!digits()) return false;
            whole = false;
        }
        if (whole && *start == '-') {
            std::int64_t x = 0;
            if (std::from_chars(start, at_, x).ec == std::errc()) return handler_.number_integer(x);
        } else if (whole) {
            std::uint64_t x = 0;
            if (std::from_chars(start, at_, x).ec == std::errc())
                return handler_.number_unsigned(x);
        }
        // A whole number past 64 bits is a double, as the library reads it.
        double x = 0;
        if (std::from_chars(start, at_, x).ec != std::errc() || !std::isfinite(x)) return false;
        std::string text(start, at_);
        return handler_.number_float(x, text);
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    const char* at_;
    const char* const end_;
    Handler& handler_;
    int& newlines_;
    std::array<bool, 256> stops_{};  // in a string: the quote, escapes, controls, non-ASCII
    std::string key_, buffer_;
};

}  // namespace orlavex::app
