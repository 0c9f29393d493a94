#include "datafiles/file_error.h"

#include "datafiles/text_lines.h"

#include <utility>

namespace orlavex::datafiles {
namespace {

std::string located(const std::string& file, int line, const std::string& message) {
    if (line <= 0) return valid_utf8(file) + ": " + message;
    return valid_utf8(file) + ":" + std::to_string(line) + ": " + message;
}

}  // namespace

// A message may quote bytes of the file: it is kept valid UTF-8 text.
FileError::FileError(std::string file, int line, std::string message)
    : std::runtime_error(located(file, line, valid_utf8(message))),
      file_(std::move(file)),
      line_(line),
      message_(valid_utf8(message)) {}

}  // namespace orlavex::datafiles
