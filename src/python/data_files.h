// The planner's data files as Python objects: ENR tables and Touchstone
// S-parameters, their columns as numpy arrays.
#pragma once

#include <pybind11/pybind11.h>

#include "app/setup_file/embedded_file.h"
#include "datafiles/enr_table.h"
#include "datafiles/file_error.h"
#include "datafiles/touchstone.h"

#include <filesystem>
#include <optional>
#include <stdexcept>

namespace orlavex::python {

// {"name", "header": {field: value}, "freq_ghz", "enr_db", "enr_unc_db" (or
// None), "reflection": {"on_mag", "on_deg", "off_mag", "off_deg"} (or None)}.
// SOURCE is a path or a DataFile.
pybind11::dict read_enr(const pybind11::object& source);

// {"name", "ports", "format" ("MA", "DB" or "RI"), "reference_ohms",
// "freq_ghz", "s11", "s21", "s12", "s22" (complex; S21, S12 and S22 are 0 in
// a .s1p)}.
pybind11::dict read_touchstone(const pybind11::object& source);

// A str, bytes or os.PathLike: a file to read.
bool is_path(const pybind11::handle& value);

// VALUE (a str, bytes or os.PathLike) as the file system names it: str
// encoded as os.fsencode does. A path that can name no file (a NUL byte in
// it) is a ValueError naming ARGUMENT; an __fspath__ that raises raises its
// own error.
std::filesystem::path path_value(const pybind11::handle& value, const std::string& argument);

// An ENR table given as columns: (freq_ghz, enr_db) or (freq_ghz, enr_db,
// enr_unc_db), each array-like, as the text of a file ("enr_table.enr") that
// the reader and a set-up file take. Raises ValueError for columns that are
// not numbers.
app::EmbeddedFile enr_file_of(const pybind11::handle& columns);

// The enr_table argument VALUE read: a path to a .enr file, a DataFile, or
// columns as enr_file_of takes them; none for None.
std::optional<datafiles::EnrTable> enr_table_value(const pybind11::object& value);

// S-parameters given as an object with `f` (Hz) and `s` (complex, N x 2 x 2
// or N x 1 x 1), as scikit-rf's Network has, or as (freq_ghz, s) with s of
// those shapes or N values of S11 alone, as the text of a Touchstone file
// ("dut_s2p.s2p" or "dut_s2p.s1p").
app::EmbeddedFile touchstone_file_of(const pybind11::handle& network);

// A fault in data held in memory (a DataFile, columns): raised as OSError
// naming the data and the line, never as FileNotFoundError, whatever file
// its name may or may not name on the disk.
class DataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What READ gives, with a datafiles::FileError turned into a DataError.
template <class Read>
auto in_memory(Read read) -> decltype(read()) {
    try {
        return read();
    } catch (const datafiles::FileError& e) {
        throw DataError(e.what());
    }
}

}  // namespace orlavex::python
