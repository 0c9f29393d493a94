// Writing a file the user named (a set-up, a report, a plot) whole or not
// at all: the bytes go into a temporary file beside the target, which then
// takes the target's name, so that a full disk, a size limit or a killed
// program leaves the previous file as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orlavex::datafiles {

// Why FILE cannot be written (its folder missing or not writable, a folder
// in its place), as a short clause such as "it is a folder"; empty when it
// can.
std::string output_file_refusal(const std::filesystem::path& file);

// Writes BYTES as FILE's whole new content. Empty when done, else why not
// (a refusal as above, or the system's reason, such as "No space left on
// device"); FILE is then unchanged.
std::string write_output_file(const std::filesystem::path& file, std::string_view bytes);

}  // namespace orlavex::datafiles
