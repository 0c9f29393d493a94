// Writing a file the user named (a set-up, a report, a plot) whole or not
// at all: the bytes go into a temporary file beside the target, which then
// takes the target's name, so that a full disk, a size limit or a killed
// program leaves the previous file as it was.
//
// The target is what the name points to: a symbolic link is followed and
// stays a link, the target keeps its permissions (and its owner, where the
// writer may give it), and anything but a regular file (a folder, a FIFO, a
// device) is refused rather than replaced.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orlavex::datafiles {

// Why FILE cannot be written (its folder missing or not writable, a folder
// or another file that is not a regular one in its place), as a short
// clause such as "it is a FIFO, not a regular file"; empty when it can.
std::string output_file_refusal(const std::filesystem::path& file);

// Writes BYTES as FILE's whole new content. Empty when done, else why not
// (a refusal as above, or the system's reason, such as "No space left on
// device"); FILE is then unchanged. Temporary files of the same target that
// a killed writer left behind are removed on the way.
std::string write_output_file(const std::filesystem::path& file, std::string_view bytes);

}  // namespace orlavex::datafiles
