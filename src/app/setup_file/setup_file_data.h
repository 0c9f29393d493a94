// A set-up file's "data_files": each embedded file checked against its
// SHA-256 and read by its own reader.
#pragma once

#include "app/setup_file/embedded_file.h"
#include "app/setup_file/setup_file_values.h"

#include <array>
#include <optional>

namespace orlavex::app {

struct EmbeddedData {
    EmbeddedFiles files{};
    // The table each slot's file holds, by its kind.
    std::array<std::optional<datafiles::EnrTable>, data_file_slot_count> enr_tables{};
    std::array<std::optional<datafiles::Touchstone>, data_file_slot_count> touchstones{};
};

// DATA_FILES (the member's value, or nullptr when the file has none) read.
// Throws SetupFileError.
EmbeddedData read_data_files(const SetupFileValues& values, const Json* data_files);

}  // namespace orlavex::app
