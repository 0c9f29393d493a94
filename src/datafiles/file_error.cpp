#include "datafiles/file_error.h"

#include <utility>

namespace orlavex::datafiles {
namespace {

std::string located(const std::string& file, int line, const std::string& message) {
    if (line <= 0) return file + ": " + message;
    return file + ":" + std::to_string(line) + ": " + message;
}

}  // namespace

FileError::FileError(std::string file, int line, std::string message)
    : std::runtime_error(located(file, line, message)),
      file_(std::move(file)),
      line_(line),
      message_(std::move(message)) {}

}  // namespace orlavex::datafiles
