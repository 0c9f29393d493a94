// Where the data-file tests find their sample files.
#pragma once

#include <filesystem>
#include <string_view>

namespace orlavex::datafiles {

inline std::filesystem::path test_data(std::string_view file_name) {
    return std::filesystem::path(ORLAVEX_TEST_DATA_DIR) / file_name;
}

inline std::filesystem::path example(std::string_view file_name) {
    return std::filesystem::path(ORLAVEX_TEST_DATA_DIR) / ".." / ".." / "examples" / file_name;
}

}  // namespace orlavex::datafiles
