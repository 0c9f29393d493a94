// Set-up files (*.orlavex.json): a bench saved by one front-end and reopened
// by any other, on any machine. A file holds every input of the typed
// set-up under the names of the JSON output and the CSV columns, the sweep
// (variable, range, points, scale, Monte Carlo) and the data files, each
// embedded with its original name, SHA-256 and frequency range, so that the
// same numbers come back after the original files are gone.
#pragma once

#include "app/inputs/sweep_request.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orlavex::app {

inline constexpr std::string_view setup_file_format = "orlavex-setup";
inline constexpr int setup_file_version = 1;
inline constexpr std::string_view setup_file_extension = ".orlavex.json";

// A file that cannot be used. what() is one line naming the file, the line,
// the key as a JSON pointer where there is one, and what is wrong:
// "bench.orlavex.json:12: /inputs/dut_nf_db: expected a number, got a string".
class SetupFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The set-up TEXT holds; FILE_NAME names it in messages. Inputs left out take
// their defaults. Throws SetupFileError; nothing is half-loaded.
SweepRequest parse_setup_text(std::string_view text, std::string_view file_name);
SweepRequest read_setup_file(const std::filesystem::path& file);

// REQUEST as a set-up file's text, its data files embedded (a file given only
// by its path is read). Throws datafiles::FileError for a data file that
// cannot be read.
std::string setup_file_text(const SweepRequest& request);
// Writes it whole or not at all (a temporary file renamed into place).
void write_setup_file(const std::filesystem::path& file, const SweepRequest& request);

}  // namespace orlavex::app
