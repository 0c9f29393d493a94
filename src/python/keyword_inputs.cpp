#include "python/keyword_inputs.h"

#include "cli/field_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace orlavex::python {

namespace py = pybind11;

namespace {

bool takes_field(const cli::FieldOption& o, Command command) {
    if (o.scope == cli::Scope::setup) return true;
    return command == Command::point ? o.scope == cli::Scope::prediction
                                     : o.scope == cli::Scope::levels;
}

[[noreturn]] void refuse(std::string message) {
    throw py::value_error(std::move(message));
}

bool is_true(const py::handle& value) {
    const int truth = PyObject_IsTrue(value.ptr());
    if (truth < 0) throw py::error_already_set();
    return truth == 1;
}

std::string text_of(const py::handle& value) {
    return py::str(value).cast<std::string>();
}

// A whole number 0 to 2^64 - 1 (an int or anything with __index__, not a bool).
std::uint64_t whole_number(const py::handle& value, std::string_view option) {
    constexpr std::string_view message = ": must be a whole number from 0 to 2^64 - 1";
    if (!PyBool_Check(value.ptr()) && PyIndex_Check(value.ptr())) {
        const py::int_ n = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
        if (n && n >= py::int_(0)) {
            const unsigned long long x = PyLong_AsUnsignedLongLong(n.ptr());
            if (!PyErr_Occurred()) return x;
        }
        PyErr_Clear();
    }
    refuse(std::string(option) + std::string(message));
}

double not_negative(const py::handle& value, std::string_view option) {
    if (!PyBool_Check(value.ptr())) {
        if (py::object x = py::reinterpret_steal<py::object>(PyNumber_Float(value.ptr()))) {
            const double d = x.cast<double>();
            if (d >= 0) return d;
        }
        PyErr_Clear();
    }
    refuse(std::string(option) + ": must be a number >= 0");
}

void read_int_preamp(cli::WindowInputs& in, const py::handle& value) {
    // True ticks the box; 0 or 1 ticks it and picks the preamplifier of a
    // model with two; False leaves it.
    if (PyBool_Check(value.ptr())) {
        in.int_preamp = value.ptr() == Py_True;
        return;
    }
    const std::string text = text_of(value);
    if (text != "0" && text != "1") refuse("--int-preamp: " + text + " not in {0,1}");
    in.int_preamp = true;
    in.int_preamp_option = text == "1" ? 1 : 0;
}

// The model options and the window's choices; false for a name that is
// neither.
bool read_choice(KeywordInputs& k, std::string_view key, const py::handle& value, Command command) {
    cli::WindowInputs& in = k.window;
    if (key == "noise_source") {
        in.noise_source = text_of(value);
    } else if (key == "freq_conv") {
        in.freq_conv = is_true(value);
    } else if (key == "no_second_stage") {
        in.no_second_stage = is_true(value);
    } else if (command == Command::evaluate) {
        return false;
    } else if (key == "analyzer") {
        in.analyzer = text_of(value);
    } else if (key == "int_preamp") {
        read_int_preamp(in, value);
    } else if (key == "ext_preamp") {
        in.ext_preamp = is_true(value);
    } else if (key == "noise_bw") {
        k.model.noise_bw_hz = not_negative(value, "--noise-bw");
    } else if (key == "tau") {
        k.model.tau_s = not_negative(value, "--tau");
    } else if (key == "trials") {
        const std::uint64_t trials = whole_number(value, "--trials");
        constexpr std::uint64_t most = 100'000'000;
        if (trials < 1 || trials > most) {
            refuse("--trials: Value " + std::to_string(trials) + " not in range 1 to " +
                   std::to_string(most));
        }
        k.model.trials = trials;
    } else if (key == "seed") {
        k.model.seed = whole_number(value, "--seed");
    } else if (key == "spec_shape") {
        const std::string shape = text_of(value);
        if (shape != "normal" && shape != "rect") {
            refuse("--spec-shape: " + shape + " not in {normal,rect}");
        }
        k.model.spec_shape = shape;
    } else {
        return false;
    }
    return true;
}

const cli::FieldOption* field_option(std::string_view key, Command command) {
    const cli::FieldOption* o = cli::find_field_option(option_name(key));
    return o != nullptr && takes_field(*o, command) ? o : nullptr;
}

// Two options that enter one field in its two formats (VSWR and return
// loss, noise figure and noise level) exclude each other.
void check_exclusions(const cli::WindowInputs& in) {
    for (auto a = in.entries.begin(); a != in.entries.end(); ++a) {
        for (auto b = a + 1; b != in.entries.end(); ++b) {
            if (a->option->value == b->option->value) {
                refuse(std::string(a->option->name) + " excludes " + std::string(b->option->name));
            }
        }
    }
}

}  // namespace

std::string option_name(std::string_view keyword) {
    std::string name = "--" + std::string(keyword);
    std::ranges::replace(name, '_', '-');
    return name;
}

std::string field_text(const py::handle& value) {
    if (PyFloat_Check(value.ptr())) {
        const double x = value.cast<double>();
        std::array<char, 400> buffer;
        const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                                std::chars_format::fixed);
        if (error == std::errc{} && std::isfinite(x)) return std::string(buffer.data(), end);
    }
    return text_of(value);
}

KeywordInputs read_keywords(const py::dict& kwargs, Command command) {
    KeywordInputs k;
    std::vector<std::string> unknown;
    for (const auto& [key_object, value] : kwargs) {
        const std::string key = key_object.cast<std::string>();
        if (const cli::FieldOption* o = field_option(key, command)) {
            // None leaves the field at its start-up value.
            if (!value.is_none()) k.window.entries.push_back({o, field_text(value)});
        } else if (!read_choice(k, key, value, command)) {
            unknown.push_back(option_name(key));
        }
    }
    if (!unknown.empty()) {
        std::string message = unknown.size() > 1 ? "The following arguments were not expected:"
                                                 : "The following argument was not expected:";
        for (const std::string& name : unknown)
            message += " " + name;
        refuse(message);
    }
    check_exclusions(k.window);
    if (k.window.entry("--freq2") != nullptr && !k.window.freq_conv) {
        refuse("--freq2 requires --freq-conv");
    }
    return k;
}

}  // namespace orlavex::python
