// The data files a set-up carries: where each one belongs (the sweep's ENR
// table and DUT S-parameters, the losses' 2-port files, the measurement
// source's ENR table) and a file as a set-up file embeds it, its original
// name and its bytes, so that it reads the same on any machine.
#pragma once

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

enum class DataFileKind { enr_table, touchstone };

struct DataFileSlot {
    std::string_view key;  // under "data_files", and the option's keyword
    DataFileKind kind;
};

inline constexpr std::array data_file_slots{
    DataFileSlot{"enr_table", DataFileKind::enr_table},
    DataFileSlot{"dut_s2p", DataFileKind::touchstone},
    DataFileSlot{"loss_in_s2p", DataFileKind::touchstone},
    DataFileSlot{"loss_out_s2p", DataFileKind::touchstone},
    DataFileSlot{"meas_enr_table", DataFileKind::enr_table},
};
inline constexpr std::size_t data_file_slot_count = data_file_slots.size();

struct EmbeddedFile {
    std::string name;   // the file's own name, without its folder
    std::string bytes;  // its whole content
};

// One embedded file per slot, where there is one.
using EmbeddedFiles = std::array<std::optional<EmbeddedFile>, data_file_slot_count>;

// The slot's place in data_file_slots; the key must be one of them.
std::size_t slot_index(std::string_view key);
// Is KEY (an input's keyword) one of data_file_slots?
bool is_data_file_slot(std::string_view key);

// FILE's bytes read whole, under its own name. Throws datafiles::FileError.
EmbeddedFile embed_file(const std::string& path);

// The table FILE holds, read as the file itself would be (a Touchstone
// file's extension gives its ports). Throws datafiles::FileError.
datafiles::EnrTable enr_table_of(const EmbeddedFile& file);
datafiles::Touchstone touchstone_of(const EmbeddedFile& file);

}  // namespace orlavex::app
