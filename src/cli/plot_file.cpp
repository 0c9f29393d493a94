#include "cli/plot_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace orlavex::cli {

std::string plot_file_refusal(const std::string& file, const std::string& option, bool renamed) {
    namespace fs = std::filesystem;
    const fs::path path(file);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    const auto refused = [&](const std::string& why) {
        return option + ": cannot write " + file + ": " + why;
    };
    if (fs::exists(status)) {
        if (fs::is_directory(status)) return refused("it is a folder");
        if (!renamed) {
            if (::access(path.c_str(), W_OK) != 0) return refused(std::strerror(errno));
            return {};
        }
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const fs::file_status folder_status = fs::status(folder, error);
    if (!fs::is_directory(folder_status)) {
        return refused("there is no folder " + folder.string());
    }
    if (::access(folder.c_str(), W_OK) != 0) return refused(std::strerror(errno));
    return {};
}

}  // namespace orlavex::cli
