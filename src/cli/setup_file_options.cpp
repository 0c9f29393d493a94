#include "cli/setup_file_options.h"

#include "app/setup_file/setup_file.h"
#include "app/texts.h"
#include "cli/named_argument.h"
#include "cli/plot_file.h"
#include "datafiles/file_error.h"

#include <algorithm>

namespace orlavex::cli {

void add_setup_file_options(CLI::App& sub, SetupFileOptions& files) {
    const std::string group = "Set-up files";
    sub.add_option("--setup", files.setup,
                   "start from the set-up FILE (*.orlavex.json); options given beside it "
                   "override it")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(group);
    sub.add_option("--save-setup", files.save_setup,
                   "write the set-up the command ran with (after the overrides) to FILE")
        ->check(names_a_file())
        ->type_name("FILE")
        ->group(group);
}

void note_given_options(const CLI::App& sub, SetupFileOptions& files) {
    for (const CLI::Option* option : sub.get_options()) {
        if (option->count() == 0) continue;
        std::string keyword = option->get_name();
        keyword.erase(0, keyword.find_first_not_of('-'));
        std::ranges::replace(keyword, '-', '_');
        files.given.insert(std::move(keyword));
    }
}

bool names_setup_file(const std::vector<std::string>& args) {
    return std::ranges::any_of(args, [](const std::string& arg) {
        return arg == "--setup" || arg.starts_with("--setup=");
    });
}

std::string save_setup_refusal(const SetupFileOptions& files) {
    if (files.save_setup.empty()) return {};
    return plot_file_refusal(files.save_setup, "--save-setup");
}

std::string save_setup(const SetupFileOptions& files, const app::SweepRequest& request) {
    if (files.save_setup.empty()) return {};
    try {
        app::write_setup_file(files.save_setup, app::with_window_values(request));
    } catch (const datafiles::FileError& e) {
        return "--save-setup: " + app::printable_text(e.what());
    }
    return {};
}

}  // namespace orlavex::cli
