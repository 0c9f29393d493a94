// Text files as the readers see them: read one line at a time (a file is
// never held whole), with binary content and overlong lines refused, and
// lines split into fields.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <limits>
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
// and (line 0) when the text passes `max_bytes`.
class LineReader {
  public:
    LineReader(std::streambuf& in, std::string_view file, const LineRules& rules)
        : in_(in), file_(file), rules_(rules) {}

    // The next line, false at the end. The text stays valid until the next call.
    bool next(TextLine& line);

  private:
    int take();  // the next byte, or EOF; counts it against max_bytes
    [[noreturn]] void binary(unsigned char byte, std::size_t column) const;

    std::streambuf& in_;
    std::string_view file_;
    LineRules rules_;
    std::string text_;
    int number_ = 0;
    std::size_t bytes_ = 0;
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

}  // namespace orlavex::datafiles
