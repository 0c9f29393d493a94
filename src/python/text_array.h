// A numpy array of texts ("<U" of the longest text's length), written
// straight into the array's code points: what numpy.array(list_of_str,
// dtype=str) gives, without a Python string per element in between.
#pragma once

#include <pybind11/numpy.h>

#include <optional>
#include <string>
#include <vector>

namespace orlavex::python {

// TEXTS as a numpy array of dtype str; nothing when a text is not
// well-formed UTF-8 or holds a NUL (the caller then goes through Python's
// own strings, which report the error).
std::optional<pybind11::array> text_array(const std::vector<std::string>& texts);

}  // namespace orlavex::python
