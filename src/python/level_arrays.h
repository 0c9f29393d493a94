// Measured levels as numpy arrays: evaluate() given arrays of levels and
// frequencies (a band, or many draws at one frequency) and read_readings()
// giving a readings file's points as arrays.
#pragma once

#include "datafiles/readings_file.h"

#include <pybind11/pybind11.h>

#include <string_view>

namespace orlavex::python {

// True for a value given as an array (a numpy array of one dimension or
// more, a list or a tuple) rather than one number.
bool is_array(const pybind11::handle& value);

// The columns of evaluate() as one reading per point, in the order given
// (frequencies in any order, repeated or not): arrays of equal length, one
// number standing for every point, None for a level not given (the two
// calibration levels together) and FREQ None for DEFAULT_FREQ_GHZ.
// ValueError naming the keyword for a value that cannot be taken.
struct LevelColumns {
    pybind11::object cal_off, cal_on, meas_off, meas_on, freq;
};
datafiles::Readings readings_of_columns(const LevelColumns& columns, double default_freq_ghz);

// orlavex.read_readings(): each point of the readings file PATH (its
// readings averaged in linear power) as numpy arrays.
pybind11::dict read_readings(const pybind11::object& path);

}  // namespace orlavex::python
