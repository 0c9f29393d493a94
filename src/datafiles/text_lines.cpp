#include "datafiles/text_lines.h"

#include "datafiles/file_error.h"

#include <array>
#include <fstream>
#include <system_error>

namespace orlavex::datafiles {
namespace {

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

void check_line(const TextLine& line, std::string_view file, std::size_t max_chars,
                std::string_view length_rule) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        const auto c = static_cast<unsigned char>(line.text[i]);
        if (is_control(c)) {
            throw FileError(std::string(file), line.number,
                            "binary data (byte " + hex_byte(c) + " at column " +
                                std::to_string(i + 1) + "): expected a text file");
        }
        if (!is_utf8_continuation(c)) ++chars;
    }
    if (chars >= max_chars) {
        throw FileError(
            std::string(file), line.number,
            "line is " + std::to_string(chars) + " characters long: " + std::string(length_rule));
    }
}

}  // namespace

std::string read_whole_file(const std::filesystem::path& path, std::size_t max_bytes) {
    const std::string file = path.string();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw FileError(file, 0, "cannot open: no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw FileError(file, 0, "cannot open: not a regular file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(file, 0, "cannot open for reading");

    std::string text;
    std::array<char, 65536> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > max_bytes) {
            throw FileError(file, 0,
                            "file is larger than " + std::to_string(max_bytes / (1024 * 1024)) +
                                " MiB: expected a small text table");
        }
    }
    if (in.bad()) throw FileError(file, 0, "reading failed");
    return text;
}

std::vector<TextLine> split_lines(std::string_view text, std::string_view file,
                                  std::size_t max_chars, std::string_view length_rule) {
    constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
    if (text.starts_with(byte_order_mark)) text.remove_prefix(byte_order_mark.size());

    std::vector<TextLine> lines;
    int number = 1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const TextLine line{number, text.substr(start, end - start)};
        check_line(line, file, max_chars, length_rule);
        lines.push_back(line);
        ++number;
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
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
