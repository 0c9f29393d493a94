// Text files as the readers see them: held whole and scanned line by line
// in place, with binary content and overlong lines refused, and lines split
// into fields.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {

struct TextLine {
    int number;             // from 1
    std::string_view text;  // without the line terminator and without a comment
    bool had_comment;       // the line held the comment character
};

struct LineRules {
    // Lines (without a comment) are shorter than this, in characters (UTF-8
    // continuation bytes do not count); `length_rule` says so in the
    // message, e.g. "expected ENR table lines under 100 characters".
    std::size_t max_chars;
    std::string_view length_rule;
    // A character that starts a comment running to the end of the line, or
    // '\0' for none. A comment is checked for binary data, but neither kept
    // nor counted against the length.
    char comment = '\0';
    // The most bytes the whole text may hold.
    std::size_t max_bytes = std::numeric_limits<std::size_t>::max();
};

// The lines of a text: split at LF, CR LF or a lone CR; a UTF-8 byte-order
// mark at the start is skipped. Throws FileError naming the line when a line
// holds a control character other than tab (binary data) or is too long,
// and (line 0) when the text passes `max_bytes`. The lines are views into
// the text: nothing is copied line by line.
class LineReader {
  public:
    // TEXT must outlive the reader.
    LineReader(std::string_view text, std::string_view file, const LineRules& rules);
    // Reads IN to its end first (at most one byte past `max_bytes`).
    LineReader(std::streambuf& in, std::string_view file, const LineRules& rules);

    // The next line, false at the end. The text stays valid while the reader does.
    bool next(TextLine& line);

  private:
    void mark_stops();
    [[noreturn]] void too_large() const;
    [[noreturn]] void too_long(std::size_t chars) const;
    [[noreturn]] void binary(std::size_t at, std::size_t line_start) const;
    std::size_t line_chars(std::string_view text) const;
    // AT, or the start of the first eight bytes from it that may hold a stop.
    std::size_t next_stop_word(std::size_t at) const;

    std::unique_ptr<char[]> held_;  // the stream's bytes, when read from one
    std::string_view text_;
    std::string_view file_;
    LineRules rules_;
    // The bytes the scan of a line stops at: line ends, control characters
    // and the comment character.
    std::array<bool, 256> stops_{};
    std::size_t at_ = 0;
    int number_ = 0;
};

// A read-only stream buffer over text in memory, for reading a text as a file.
class TextBuffer : public std::streambuf {
  public:
    explicit TextBuffer(std::string_view text) {
        char* begin = const_cast<char*>(text.data());  // only ever read
        setg(begin, begin, begin + text.size());
    }
};

// Opens a file for LineReader. Throws FileError (line 0) when it is missing,
// is not a regular file, cannot be read or holds more than `max_bytes`.
std::filebuf open_text_file(const std::filesystem::path& path, std::size_t max_bytes);

// TEXT with every byte that is not part of valid UTF-8 replaced by U+FFFD,
// so that a name or message taken from a file is always valid text.
std::string valid_utf8(std::string_view text);

// The line without leading and trailing blanks and tabs.
std::string_view trim_blanks(std::string_view line);

// The fields of a line, separated by runs of blanks and tabs; with
// `comma_separates` also by one comma (with blanks around it or not). Two
// commas in a row, or a comma at either end, leave an empty field there.
std::vector<std::string_view> split_fields(std::string_view line, bool comma_separates);
// The same into FIELDS (cleared first), which keeps its storage from line to line.
void split_fields(std::string_view line, bool comma_separates,
                  std::vector<std::string_view>& fields);

// A field of a line, as split_fields gives it, and its number, as
// parse_number reads it (nothing for a field that is not a number).
struct NumberField {
    std::string_view text;
    std::optional<double> number;
};
using NumberFields = std::vector<NumberField>;

// LINE split into FIELDS (emptied first, its storage kept), the numbers read
// in the same pass over the line.
void split_numbers(std::string_view line, bool comma_separates, NumberFields& fields);

// The numbers of LINE into OUT and their count, for the usual line of a data
// file: at most OUT.size() numbers in their short form (at most 15 digits)
// between blanks or tabs. Nothing for any other line, which split_numbers
// reads as well, more slowly, with each field's text kept for the messages.
std::optional<std::size_t> read_short_numbers(std::string_view line, std::span<double> out);

}  // namespace orlavex::datafiles
