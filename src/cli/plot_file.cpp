#include "cli/plot_file.h"

#include "app/texts.h"
#include "datafiles/output_file.h"

namespace orlavex::cli {

std::string plot_file_refusal(const std::string& file, const std::string& option) {
    const std::string why = datafiles::output_file_refusal(file);
    // The folder the reason names is the file's own: it is escaped as the
    // file is, so that a line break in it cannot split the message.
    return why.empty() ? why : app::printable_text(option + ": cannot write " + file + ": " + why);
}

}  // namespace orlavex::cli
