// The module's keyword arguments read into the application's typed set-up:
// the table of inputs' keywords (dut_nf, analyzer, trials, ...), None for
// the window's start-up value, messages that name the keyword.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/bench_inputs.h"
#include "app/inputs/setup.h"
#include "app/setup_file/embedded_file.h"

#include <pybind11/pybind11.h>

#include <string>

namespace orlavex::python {

struct KeywordInputs {
    app::Setup setup;
    app::BenchInputs bench;  // as given; read into setup.bench
    // The bench's files given as DataFile objects, by data_file_slots.
    app::EmbeddedFiles embedded{};
    bool strict = false;
    app::ApplyOptions options() const { return {strict, app::Naming::keyword}; }
};

// Reads KWARGS of a function that takes SCOPE's inputs besides the set-up:
// the prediction's (point, budget, sweep, ...) or the measured levels
// (evaluate). Raises TypeError for an unknown keyword and
// ValueError for a value the input cannot take.
KeywordInputs read_keywords(const pybind11::dict& kwargs, app::Scope scope);

// Raises ValueError with MESSAGE, whole even where it holds a NUL byte.
[[noreturn]] void refuse(const std::string& message);

// A number: a float, an int, or a str that float() reads; not a bool.
// ValueError naming KEYWORD for anything else.
double number_value(const pybind11::handle& value, std::string_view keyword);

// True or False: a bool, numpy's bool or the whole number 0 or 1. Anything
// else, a text such as "False" above all, raises ValueError rather than
// being taken for its truth.
bool flag(const pybind11::handle& value, std::string_view keyword);

// A function's own switch (mc, log, samples, ...): None is False, else as
// flag().
bool switch_value(const pybind11::handle& value, std::string_view keyword);

// A str as UTF-8; ValueError for a string that has none (a lone surrogate).
std::string utf8_text(const pybind11::handle& value, std::string_view keyword);

}  // namespace orlavex::python
