#include "app/setup_file/embedded_file.h"

#include "datafiles/file_error.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orlavex::app {

namespace {

// As large as the largest file a data-file reader takes (a Touchstone file).
constexpr std::uintmax_t largest_data_file = 64 * 1024 * 1024;

bool ends_with_ignoring_case(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::ranges::equal(text.substr(text.size() - end.size()), end, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace

std::size_t slot_index(std::string_view key) {
    const auto* slot = std::ranges::find(data_file_slots, key, &DataFileSlot::key);
    return static_cast<std::size_t>(slot - data_file_slots.begin());
}

bool is_data_file_slot(std::string_view key) {
    return std::ranges::find(data_file_slots, key, &DataFileSlot::key) != data_file_slots.end();
}

EmbeddedFile embed_file(const std::string& path) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    if (!regular || error) throw datafiles::FileError(path, 0, "cannot read the file");
    if (size > largest_data_file) throw datafiles::FileError(path, 0, "the file is too large");
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) throw datafiles::FileError(path, 0, "cannot read the file");
    return {std::filesystem::path(path).filename().string(), std::move(bytes)};
}

datafiles::EnrTable enr_table_of(const EmbeddedFile& file) {
    return datafiles::parse_enr(file.bytes, file.name);
}

datafiles::Touchstone touchstone_of(const EmbeddedFile& file) {
    int ports = 0;
    if (ends_with_ignoring_case(file.name, ".s1p")) ports = 1;
    if (ends_with_ignoring_case(file.name, ".s2p")) ports = 2;
    if (ports == 0) {
        throw datafiles::FileError(file.name, 0,
                                   "expected a .s1p or .s2p file (the extension gives the ports)");
    }
    return datafiles::parse_touchstone(file.bytes, file.name, ports);
}

}  // namespace orlavex::app
