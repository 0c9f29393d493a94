// Text files as the readers see them: read whole, split into numbered lines,
// with binary content and overlong lines refused, and lines split into fields.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

struct TextLine {
    int number;             // from 1
    std::string_view text;  // without the line terminator
};

// Reads the whole file. Throws FileError (line 0) when it is missing, is not
// a regular file, cannot be read or holds more than `max_bytes`.
std::string read_whole_file(const std::filesystem::path& path, std::size_t max_bytes);

// Splits at LF, CR LF or a lone CR; a UTF-8 byte-order mark at the start is
// skipped. Throws FileError naming the line when a line holds a control
// character other than tab (binary data), or when it is `max_chars`
// characters long or longer (UTF-8 continuation bytes do not count);
// `length_rule` says the limit in that message, e.g. "ENR table lines are
// under 100 characters".
std::vector<TextLine> split_lines(std::string_view text, std::string_view file,
                                  std::size_t max_chars, std::string_view length_rule);

// The line without leading and trailing blanks and tabs.
std::string_view trim_blanks(std::string_view line);

// The fields of a line, separated by runs of blanks and tabs; with
// `comma_separates` also by one comma (with blanks around it or not). Two
// commas in a row, or a comma at either end, leave an empty field there.
std::vector<std::string_view> split_fields(std::string_view line, bool comma_separates);

}  // namespace orlavex::datafiles
