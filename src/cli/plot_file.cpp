#include "cli/plot_file.h"

#include "datafiles/output_file.h"

namespace orlavex::cli {

std::string plot_file_refusal(const std::string& file, const std::string& option) {
    const std::string why = datafiles::output_file_refusal(file);
    return why.empty() ? why : option + ": cannot write " + file + ": " + why;
}

}  // namespace orlavex::cli
