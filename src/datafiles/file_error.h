// The one error the data-file readers throw. A reader either returns a
// complete table or throws this; nothing of a bad file is kept.
#pragma once

#include <stdexcept>
#include <string>

namespace orlavex::datafiles {

class FileError : public std::runtime_error {
  public:
    // `line` counts from 1; 0 when the fault is the file as a whole (missing,
    // unreadable, empty, no records). what() reads "file:line: message", or
    // "file: message" for line 0.
    FileError(std::string file, int line, std::string message);

    const std::string& file() const noexcept { return file_; }
    int line() const noexcept { return line_; }
    // The message alone, without file and line; valid UTF-8 (invalid bytes
    // of a quoted field become U+FFFD).
    const std::string& message() const noexcept { return message_; }

  private:
    std::string file_;
    int line_;
    std::string message_;
};

}  // namespace orlavex::datafiles
