#include "datafiles/text_lines.h"

#include "datafiles/file_error.h"

#include <system_error>

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

int LineReader::take() {
    const int c = in_.sbumpc();
    if (c == std::char_traits<char>::eof()) return c;
    if (++bytes_ > rules_.max_bytes) {
        throw FileError(std::string(file_), 0,
                        "file is larger than " + std::to_string(rules_.max_bytes / (1024 * 1024)) +
                            " MiB: expected a small text table");
    }
    return c;
}

void LineReader::binary(unsigned char byte, std::size_t column) const {
    throw FileError(std::string(file_), number_,
                    "binary data (byte " + hex_byte(byte) + " at column " + std::to_string(column) +
                        "): expected a text file");
}

bool LineReader::next(TextLine& line) {
    constexpr int eof = std::char_traits<char>::eof();
    if (in_.sgetc() == eof) return false;
    ++number_;
    text_.clear();
    bool in_comment = false, had_comment = false;
    std::size_t column = 0, chars = 0;
    for (int c = take(); c != eof; c = take()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (in_.sgetc() == '\n') take();
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        ++column;
        if (is_control(byte)) binary(byte, column);
        if (in_comment) continue;
        if (rules_.comment != '\0' && c == rules_.comment) {
            in_comment = had_comment = true;
            continue;
        }
        if (!is_utf8_continuation(byte)) ++chars;
        // A runaway line is counted to its end but not kept.
        if (chars < rules_.max_chars) text_ += static_cast<char>(c);
    }
    std::string_view text = text_;
    if (number_ == 1 && text.starts_with(byte_order_mark)) {
        text.remove_prefix(byte_order_mark.size());
        --chars;
    }
    if (chars >= rules_.max_chars) {
        throw FileError(std::string(file_), number_,
                        "line is " + std::to_string(chars) +
                            " characters long: " + std::string(rules_.length_rule));
    }
    line = {number_, text, had_comment};
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

std::vector<std::string_view> split_fields(std::string_view line, bool comma_separates) {
    std::vector<std::string_view> fields;
    line = trim_blanks(line);
    if (line.empty()) return fields;
    const auto is_separator = [&](char c) { return is_blank(c) || (comma_separates && c == ','); };
    std::size_t pos = 0;
    while (true) {
        std::size_t end = pos;
        while (end < line.size() && !is_separator(line[end]))
            ++end;
        fields.push_back(line.substr(pos, end - pos));
        if (end == line.size()) break;
        // One separator: blanks, at most one comma, blanks.
        while (end < line.size() && is_blank(line[end]))
            ++end;
        if (comma_separates && end < line.size() && line[end] == ',') {
            ++end;
            while (end < line.size() && is_blank(line[end]))
                ++end;
        }
        pos = end;
        if (pos == line.size()) {  // only a trailing comma can end the line here
            fields.emplace_back();
            break;
        }
    }
    return fields;
}

}  // namespace orlavex::datafiles
