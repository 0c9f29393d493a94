#include "python/keyword_inputs.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"
#include "app/inputs/reflection_text.h"
#include "app/texts.h"
#include "python/data_files.h"

#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <optional>
#include <string_view>

namespace orlavex::python {

namespace py = pybind11;

namespace {

bool is_true(const py::handle& value) {
    const int truth = PyObject_IsTrue(value.ptr());
    if (truth < 0) throw py::error_already_set();
    return truth == 1;
}

std::string key_text(std::string_view keyword) {
    return std::string(keyword);
}

// A whole number 0 to 2^64 - 1 for ROW: an int or anything with __index__
// (not a bool), or a str that int() reads, as the other inputs take a str.
std::uint64_t whole_number(const py::handle& value, const app::ModelInput& row) {
    const bool text = PyUnicode_Check(value.ptr());
    if (text || (!PyBool_Check(value.ptr()) && PyIndex_Check(value.ptr()))) {
        const py::int_ n = py::reinterpret_steal<py::int_>(
            text ? PyLong_FromUnicodeObject(value.ptr(), 10) : PyNumber_Index(value.ptr()));
        if (n && n >= py::int_(0)) {
            const unsigned long long x = PyLong_AsUnsignedLongLong(n.ptr());
            if (!PyErr_Occurred()) return x;
        }
        PyErr_Clear();
    }
    refuse(key_text(row.name) + ": " + app::whole_number_rule(row.kind));
}

void read_int_preamp(app::Setup& s, const py::handle& value) {
    // True ticks the box; 0 or 1 ticks it and picks the preamplifier of a
    // model with two; False leaves it.
    if (PyBool_Check(value.ptr())) {
        s.int_preamp = value.ptr() == Py_True;
        return;
    }
    const std::string text = py::str(value).cast<std::string>();
    if (text != "0" && text != "1") refuse("int_preamp: " + text + " not in {0,1}");
    s.int_preamp = true;
    s.int_preamp_option = text == "1" ? 1 : 0;
}

// A complex number (or a real one), or a str "MAG@DEG", below 1 in
// magnitude.
std::complex<double> reflection_value(const py::handle& value, const app::ModelInput& row) {
    std::optional<std::complex<double>> gamma;
    if (PyUnicode_Check(value.ptr())) {
        gamma = app::read_reflection(utf8_text(value, row.name));
    } else if (!PyBool_Check(value.ptr()) &&
               (PyComplex_Check(value.ptr()) || PyFloat_Check(value.ptr()) ||
                PyIndex_Check(value.ptr()) || PyObject_HasAttrString(value.ptr(), "__complex__"))) {
        const Py_complex c = PyComplex_AsCComplex(value.ptr());
        if (PyErr_Occurred()) {
            PyErr_Clear();
        } else if (std::isfinite(c.real) && std::isfinite(c.imag) &&
                   std::norm(std::complex<double>(c.real, c.imag)) < 1) {
            gamma = std::complex<double>(c.real, c.imag);
        }
    }
    if (!gamma)
        refuse(key_text(row.name) + ": " + app::quoted(py::str(value).cast<std::string>()) +
               " is not a reflection: give a complex number below 1 in magnitude, or a str "
               "MAG@DEG with a magnitude from 0 to below 1 (0.5@-60)");
    return *gamma;
}

void read_model(app::ModelInputs& m, const app::ModelInput& row, const py::handle& value) {
    switch (row.kind) {
        case app::ModelValue::not_negative: {
            double x = -1;
            if (!PyBool_Check(value.ptr())) {
                const py::object f = py::reinterpret_steal<py::object>(PyNumber_Float(value.ptr()));
                if (f) x = f.cast<double>();
                PyErr_Clear();
            }
            if (!(x >= 0) || !std::isfinite(x)) {
                refuse(key_text(row.name) + ": must be a finite number >= 0");
            }
            m.*row.number = x;
            return;
        }
        case app::ModelValue::optional_number: {
            const double x = number_value(value, row.name);
            if (!std::isfinite(x)) refuse(key_text(row.name) + ": must be a finite number");
            m.*row.optional = x;
            return;
        }
        case app::ModelValue::trials: {
            const std::uint64_t trials = whole_number(value, row);
            if (trials < app::fewest_trials || trials > app::most_trials) {
                refuse("trials: Value " + std::to_string(trials) + " not in range " +
                       std::to_string(app::fewest_trials) + " to " +
                       std::to_string(app::most_trials));
            }
            m.trials = trials;
            return;
        }
        case app::ModelValue::seed:
            m.seed = whole_number(value, row);
            return;
        case app::ModelValue::reflection:
            m.*row.reflection = reflection_value(value, row);
            return;
        case app::ModelValue::choice: {
            const std::string name = utf8_text(value, row.name);
            if (!app::set_choice(row, m, name)) {
                refuse(std::string(row.name) + ": " + name + " not in {" +
                       app::choice_list(row, ",") + "}");
            }
            return;
        }
    }
}

// A bench row by its keyword (not its flag).
const app::BenchInputRow* bench_input(std::string_view key) {
    const app::BenchInputRow* row = app::find_bench_input(key);
    return row != nullptr && row->name == key ? row : nullptr;
}

// The window's choices, the bench and the model's inputs; false for a
// name that is none of them.
bool read_choice(KeywordInputs& k, std::string_view key, const py::handle& value,
                 app::Scope scope) {
    app::Setup& s = k.setup;
    if (key == "noise_source") {
        s.noise_source = utf8_text(value, key);
    } else if (key == "freq_conv") {
        s.freq_conv = flag(value, key);
    } else if (key == "no_second_stage") {
        s.second_stage = !flag(value, key);
    } else if (key == "strict") {
        k.strict = flag(value, key);
    } else if (const app::BenchInputRow* bench = bench_input(key)) {
        if (bench->number != nullptr) {
            k.bench.*bench->number = number_value(value, key);
        } else if (py::isinstance<app::EmbeddedFile>(value)) {
            // Only a file's input has a slot for one: a DataFile given for
            // a name is refused, not written past the slots.
            if (!app::is_data_file_slot(bench->name))
                refuse(key_text(key) + ": give a name, not a DataFile");
            const auto& file = value.cast<const app::EmbeddedFile&>();
            k.embedded[app::slot_index(bench->name)] = file;
            k.bench.*bench->text = file.name;
        } else if (bench->type_name != "FILE") {
            k.bench.*bench->text = utf8_text(py::str(value), key);
        } else if (is_path(value)) {
            // As the file system names it: a bytes path is not its repr.
            k.bench.*bench->text = path_value(value, std::string(key)).string();
        } else {
            refuse(key_text(key) + ": give a path or a DataFile");
        }
    } else if (const auto* row =
                   std::ranges::find(app::every_model_input, key, &app::ModelInput::name);
               row != app::every_model_input.end()) {
        read_model(s.model, *row, value);
    } else if (scope == app::Scope::levels) {
        return false;
    } else if (key == "analyzer") {
        s.analyzer = utf8_text(value, key);
    } else if (key == "int_preamp") {
        read_int_preamp(s, value);
    } else if (key == "ext_preamp") {
        s.ext_preamp = flag(value, key);
    } else {
        return false;
    }
    return true;
}

// The bench's files read and its inputs checked, before anything is
// applied; a file that cannot be read raises as the module's readers do.
void read_bench(KeywordInputs& k) {
    // A DataFile is read from its bytes, a path from the disk.
    const app::BenchFileReader files{
        [&k](std::string_view keyword, const std::string& path) {
            const auto& file = k.embedded[app::slot_index(keyword)];
            return file ? in_memory([&] { return app::touchstone_of(*file); })
                        : datafiles::read_touchstone(path);
        },
        [&k](std::string_view keyword, const std::string& path) {
            const auto& file = k.embedded[app::slot_index(keyword)];
            return file ? in_memory([&] { return app::enr_table_of(*file); })
                        : datafiles::read_enr_file(path);
        }};
    const std::string why = app::to_bench(k.bench, k.setup.bench, app::Naming::keyword, files);
    if (!why.empty()) refuse(why);
}

bool is_choice(std::string_view key, app::Scope scope) {
    constexpr std::string_view every[] = {"noise_source", "freq_conv", "no_second_stage", "strict"};
    constexpr std::string_view predicting[] = {"analyzer", "int_preamp", "ext_preamp"};
    if (std::ranges::find(every, key) != std::end(every) || bench_input(key) != nullptr ||
        std::ranges::find(app::every_model_input, key, &app::ModelInput::name) !=
            app::every_model_input.end())
        return true;
    if (scope == app::Scope::levels) return false;
    return std::ranges::find(predicting, key) != std::end(predicting);
}

const app::FieldInput* field_input(std::string_view key, app::Scope scope) {
    const app::FieldInput* row = app::find_field_input(key);
    if (row == nullptr || row->name != key) return nullptr;
    return app::takes(scope, *row) ? row : nullptr;
}

// Two keywords that enter one field in its two forms (VSWR and return
// loss, noise figure and noise level) exclude each other.
void check_exclusions(const app::Setup& s) {
    for (const app::FieldInput& a : app::field_inputs()) {
        for (const app::FieldInput& b : app::field_inputs()) {
            if (&a < &b && app::same_field_other_form(a, b) && s[a] && s[b]) {
                refuse(key_text(a.name) + " excludes " + key_text(b.name));
            }
        }
    }
}

}  // namespace

void refuse(const std::string& message) {
    PyObject* text = PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()),
                                          "backslashreplace");
    if (text == nullptr) throw py::error_already_set();
    PyErr_SetObject(PyExc_ValueError, text);
    Py_DECREF(text);
    throw py::error_already_set();
}

double number_value(const py::handle& value, std::string_view keyword) {
    if (!PyBool_Check(value.ptr())) {
        if (py::object x = py::reinterpret_steal<py::object>(PyNumber_Float(value.ptr()))) {
            return x.cast<double>();
        }
        PyErr_Clear();
        if (PyUnicode_Check(value.ptr())) {
            const std::string text = utf8_text(value, keyword);
            refuse(key_text(keyword) + ": " + app::quoted(text) + " is not a number");
        }
    }
    refuse(key_text(keyword) + ": " + app::quoted(py::str(value).cast<std::string>()) +
           " is not a number");
}

bool flag(const py::handle& value, std::string_view keyword) {
    const std::string_view type = Py_TYPE(value.ptr())->tp_name;
    if (PyBool_Check(value.ptr()) || type == "numpy.bool_" || type == "numpy.bool") {
        return is_true(value);
    }
    if (PyIndex_Check(value.ptr())) {
        const auto n = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
        if (n && (n.equal(py::int_(0)) || n.equal(py::int_(1)))) return n.equal(py::int_(1));
        PyErr_Clear();
    }
    refuse(key_text(keyword) + ": " + app::quoted(utf8_text(value, keyword)) +
           " is not True or False");
}

bool switch_value(const py::handle& value, std::string_view keyword) {
    return !value.is_none() && flag(value, keyword);
}

std::string utf8_text(const py::handle& value, std::string_view keyword) {
    if (!PyUnicode_Check(value.ptr())) return py::str(value).cast<std::string>();
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(value.ptr(), &size);
    if (data == nullptr) {
        PyErr_Clear();
        refuse(key_text(keyword) + ": " + py::repr(value).cast<std::string>() +
               " is not valid text (it holds a lone surrogate)");
    }
    return std::string(data, static_cast<std::size_t>(size));
}

KeywordInputs read_keywords(const py::dict& kwargs, app::Scope scope) {
    KeywordInputs k;
    for (const auto& [key_object, value] : kwargs) {
        const std::string key = key_object.cast<std::string>();
        const app::FieldInput* row = field_input(key, scope);
        if (row == nullptr && !is_choice(key, scope)) {
            throw py::type_error("got an unexpected keyword argument '" + key + "'");
        }
        // None keeps the start-up value.
        if (value.is_none()) continue;
        if (row != nullptr) {
            k.setup[*row] = number_value(value, key);
        } else {
            read_choice(k, key, value, scope);
        }
    }
    check_exclusions(k.setup);
    read_bench(k);
    if (k.setup.field("freq2") && !k.setup.freq_conv) refuse("freq2 requires freq_conv");
    return k;
}

}  // namespace orlavex::python
