// Whether a plot can be written where the user asked, checked before a
// sweep runs so that a bad --plot costs nothing and says why in one line.
#pragma once

#include <string>

namespace orlavex::cli {

// Why FILE cannot be written (its folder missing, no permission, a folder
// or another file that is not a regular one in its place), naming OPTION;
// empty when it can.
std::string plot_file_refusal(const std::string& file, const std::string& option = "--plot");

}  // namespace orlavex::cli
