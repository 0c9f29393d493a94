#include "datafiles/text_lines.h"

#include "datafiles/file_error.h"
#include "datafiles/numbers.h"
#include "datafiles/short_number.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orlavex::datafiles {
namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool is_control(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7f;
}

bool is_utf8_continuation(unsigned char c) {
    return (c & 0xc0) == 0x80;
}

// Bytes that end a field: 1 for a blank or tab, 2 for a comma where commas separate.
constexpr std::array<std::uint8_t, 256> separator_classes(bool comma_separates) {
    std::array<std::uint8_t, 256> classes{};
    classes[' '] = classes['\t'] = 1;
    if (comma_separates) classes[','] = 2;
    return classes;
}
constexpr auto blank_separated = separator_classes(false);
constexpr auto comma_separated = separator_classes(true);

// The first byte from AT that is not a blank or a tab.
const char* skip_blanks(const char* at, const char* end) {
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t');
    for (; end - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const int blanks = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, tab)));
        if (blanks != 0xffff) return at + __builtin_ctz(static_cast<unsigned>(~blanks));
    }
#endif
    while (at != end && is_blank(*at))
        ++at;
    return at;
}

std::string hex_byte(unsigned char c) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {'0', 'x', digits[c >> 4], digits[c & 0xf]};
}

// The length of the valid UTF-8 sequence at the start of TEXT, 0 if none.
std::size_t utf8_sequence(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        code = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        code = lead & 0x0f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!is_utf8_continuation(byte(i))) return 0;
        code = (code << 6) | (byte(i) & 0x3f);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    if (code < smallest[length] || surrogate || code > 0x10ffff) return 0;
    return length;
}

}  // namespace

LineReader::LineReader(std::string_view text, std::string_view file, const LineRules& rules)
    : text_(text), file_(file), rules_(rules) {
    mark_stops();
}

LineReader::LineReader(std::streambuf& in, std::string_view file, const LineRules& rules)
    : file_(file), rules_(rules) {
    // One byte past the limit is enough to tell a text that passes it.
    const std::size_t most = rules.max_bytes == std::numeric_limits<std::size_t>::max()
                                 ? rules.max_bytes
                                 : rules.max_bytes + 1;
    // Room for the whole stream where it tells its size (and one byte to
    // meet its end), so that nothing is copied as it is read.
    const auto here = in.pubseekoff(0, std::ios::cur, std::ios::in);
    const auto end = in.pubseekoff(0, std::ios::end, std::ios::in);
    std::size_t capacity = 64 * 1024;
    if (here != std::streampos(-1) && end != std::streampos(-1) &&
        in.pubseekpos(here, std::ios::in) == here) {
        capacity = static_cast<std::size_t>(end - here) + 1;
    }
    capacity = std::min(capacity, most);
    held_ = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    while (size < most) {
        if (size == capacity) {
            capacity = std::min(most, 2 * capacity);
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            std::memcpy(larger.get(), held_.get(), size);
            held_ = std::move(larger);
        }
        const std::size_t want = capacity - size;
        const auto got = static_cast<std::size_t>(
            in.sgetn(held_.get() + size, static_cast<std::streamsize>(want)));
        size += got;
        if (got < want) break;
    }
    text_ = std::string_view(held_.get(), size);
    mark_stops();
}

void LineReader::mark_stops() {
    for (int c = 0; c < 256; ++c)
        stops_[static_cast<std::size_t>(c)] = is_control(static_cast<unsigned char>(c));
    if (rules_.comment != '\0') stops_[static_cast<unsigned char>(rules_.comment)] = true;
}

void LineReader::too_large() const {
    throw FileError(std::string(file_), 0,
                    "file is larger than " + std::to_string(rules_.max_bytes / (1024 * 1024)) +
                        " MiB: expected a small text table");
}

void LineReader::binary(std::size_t at, std::size_t line_start) const {
    // The bytes are taken in order: the limit counts before the byte is looked at.
    if (at >= rules_.max_bytes) too_large();
    const auto byte = static_cast<unsigned char>(text_[at]);
    throw FileError(std::string(file_), number_,
                    "binary data (byte " + hex_byte(byte) + " at column " +
                        std::to_string(at - line_start + 1) + "): expected a text file");
}

std::size_t LineReader::next_stop_word(std::size_t at) const {
    const char* const text = text_.data();
    const std::size_t size = text_.size();
#if defined(__SSE2__)
    // Sixteen bytes at a time: those at most 0x1f, 0x7f and the comment character.
    const __m128i controls = _mm_set1_epi8(0x1f), del = _mm_set1_epi8(0x7f),
                  comment = _mm_set1_epi8(rules_.comment);
    for (; at + 16 <= size; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i found =
            _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(bytes, controls), bytes),
                         _mm_or_si128(_mm_cmpeq_epi8(bytes, del), _mm_cmpeq_epi8(bytes, comment)));
        if (_mm_movemask_epi8(found) != 0) break;
    }
#else
    // Eight bytes at a time: a byte below 0x20, 0x7f or the comment
    // character in a word sets that byte's high bit in `found` (exact for
    // whether any does).
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    const auto zero_byte = [](std::uint64_t x) { return (x - ones) & ~x & highs; };
    const std::uint64_t comment = ones * static_cast<unsigned char>(rules_.comment);
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text + at, 8);
        const std::uint64_t found = ((word - ones * 0x20) & ~word & highs) |
                                    zero_byte(word ^ (ones * 0x7f)) | zero_byte(word ^ comment);
        if (found != 0) break;
    }
#endif
    return at;
}

void LineReader::too_long(std::size_t chars) const {
    throw FileError(std::string(file_), number_,
                    "line is " + std::to_string(chars) +
                        " characters long: " + std::string(rules_.length_rule));
}

std::size_t LineReader::line_chars(std::string_view text) const {
    // No line of fewer bytes can reach the limit in characters.
    if (text.size() < rules_.max_chars) return text.size();
    std::size_t chars = 0;
    for (const char c : text)
        chars += is_utf8_continuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return chars;
}

bool LineReader::next(TextLine& line) {
    const std::size_t size = text_.size();
    if (at_ == size) return false;
    ++number_;
    const std::size_t start = at_;
    std::size_t end = start, comment = std::string_view::npos;
    for (;; ++end) {
        end = next_stop_word(end);
        while (end < size && !stops_[static_cast<unsigned char>(text_[end])])
            ++end;
        if (end == size || text_[end] == '\n' || text_[end] == '\r') break;
        if (is_control(static_cast<unsigned char>(text_[end]))) binary(end, start);
        if (comment == std::string_view::npos) comment = end;  // the comment character
    }
    at_ = end;
    if (end < size) at_ += text_[end] == '\r' && end + 1 < size && text_[end + 1] == '\n' ? 2 : 1;
    if (at_ > rules_.max_bytes) too_large();

    std::string_view text = text_.substr(start, std::min(end, comment) - start);
    if (number_ == 1 && text.starts_with(byte_order_mark))
        text.remove_prefix(byte_order_mark.size());
    if (const std::size_t chars = line_chars(text); chars >= rules_.max_chars) too_long(chars);
    line = {number_, text, comment != std::string_view::npos};
    return true;
}

std::filebuf open_text_file(const std::filesystem::path& path, std::size_t max_bytes) {
    const std::string file = path.string();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw FileError(file, 0, "cannot open: no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw FileError(file, 0, "cannot open: not a regular file");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > max_bytes) {
        throw FileError(file, 0,
                        "file is larger than " + std::to_string(max_bytes / (1024 * 1024)) +
                            " MiB: expected a small text table");
    }
    std::filebuf buffer;
    if (buffer.open(path, std::ios::in | std::ios::binary) == nullptr) {
        throw FileError(file, 0, "cannot open for reading");
    }
    return buffer;
}

std::string valid_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8_sequence(text);
        if (length == 0) {
            out += replacement_character;
            text.remove_prefix(1);
        } else {
            out += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string_view trim_blanks(std::string_view line) {
    while (!line.empty() && is_blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && is_blank(line.back()))
        line.remove_suffix(1);
    return line;
}

namespace {

// Where the field that starts at AT ends: at the first separator CLASSES
// marks, or at END.
template <class Classes>
const char* field_end_from(const char* at, const char* end, const Classes& classes) {
    while (at != end && classes[static_cast<unsigned char>(*at)] == 0)
        ++at;
    return at;
}

// Past one separator (blanks, at most one comma, blanks) that starts at AT.
const char* past_separator(const char* at, const char* end, bool comma_separates) {
    at = skip_blanks(at, end);
    if (comma_separates && at != end && *at == ',') at = skip_blanks(at + 1, end);
    return at;
}

}  // namespace

std::vector<std::string_view> split_fields(std::string_view line, bool comma_separates) {
    std::vector<std::string_view> fields;
    split_fields(line, comma_separates, fields);
    return fields;
}

void split_fields(std::string_view line, bool comma_separates,
                  std::vector<std::string_view>& fields) {
    fields.clear();
    line = trim_blanks(line);
    if (line.empty()) return;
    const char* at = line.data();
    const char* const end = at + line.size();
    const auto& classes = comma_separates ? comma_separated : blank_separated;
    while (true) {
        const char* field_end = field_end_from(at, end, classes);
        fields.emplace_back(at, static_cast<std::size_t>(field_end - at));
        if (field_end == end) break;
        at = past_separator(field_end, end, comma_separates);
        if (at == end) {  // only a trailing comma can end the line here
            fields.emplace_back();
            break;
        }
    }
}

void split_numbers(std::string_view line, bool comma_separates, NumberFields& fields) {
    fields.clear();
    line = trim_blanks(line);
    if (line.empty()) return;
    const char* at = line.data();
    const char* const end = at + line.size();
    const auto& classes = comma_separates ? comma_separated : blank_separated;
    while (true) {
        // A number that ends where the field does is read as the field is
        // found; anything else is found first and read as a whole.
        const bool negative = *at == '-';
        const char* const digits = at + (negative || *at == '+' ? 1 : 0);
        const LeadingNumber number =
            leading_short_number(std::string_view(digits, static_cast<std::size_t>(end - digits)));
        const char* field_end = digits + number.length;
        const bool read =
            number.length > 0 &&
            (field_end == end || classes[static_cast<unsigned char>(*field_end)] != 0);
        if (!read) field_end = field_end_from(at, end, classes);
        const std::string_view field(at, static_cast<std::size_t>(field_end - at));
        if (read) {
            fields.push_back({field, negative ? -number.value : number.value});
        } else {
            fields.push_back({field, parse_number(field)});
        }
        if (field_end == end) break;
        at = past_separator(field_end, end, comma_separates);
        if (at == end) {  // only a trailing comma can end the line here
            fields.emplace_back();
            break;
        }
    }
}

std::optional<std::size_t> read_short_numbers(std::string_view line, std::span<double> out) {
    const char* at = skip_blanks(line.data(), line.data() + line.size());
    const char* const end = line.data() + line.size();
    std::size_t count = 0;
    while (at != end) {
        if (count == out.size()) return std::nullopt;
        const bool negative = *at == '-';
        const char* const digits = at + (negative || *at == '+' ? 1 : 0);
        const LeadingNumber number = short_number_at(digits, end);
        if (number.length == 0) return std::nullopt;
        at = digits + number.length;
        out[count++] = negative ? -number.value : number.value;
        if (at == end) break;
        if (!is_blank(*at)) return std::nullopt;  // left to split_numbers
        do {                                      // past the blank just seen and any after it
            ++at;
        } while (at != end && is_blank(*at));
    }
    return count;
}

}  // namespace orlavex::datafiles
