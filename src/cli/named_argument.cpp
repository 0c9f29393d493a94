#include "cli/named_argument.h"

#include <string>

namespace orlavex::cli {

namespace {

CLI::Validator not_empty(const std::string& what) {
    return CLI::Validator(
        [what](std::string& text) {
            return text.empty() ? "no " + what + " given (the argument is empty)" : std::string();
        },
        "");
}

}  // namespace

CLI::Validator names_a_file() {
    return not_empty("file name");
}

CLI::Validator names_a_model() {
    return not_empty("model name");
}

}  // namespace orlavex::cli
