#include "python/data_files.h"

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include <pybind11/complex.h>
#include <pybind11/numpy.h>

#include <pybind11/stl/filesystem.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// One column of RECORDS as a numpy array.
template <typename Value, typename Record, typename Field>
py::array_t<Value> column(std::span<const Record> records, Field field) {
    py::array_t<Value> array(static_cast<py::ssize_t>(records.size()));
    auto out = array.template mutable_unchecked<1>();
    for (std::size_t i = 0; i < records.size(); ++i)
        out(static_cast<py::ssize_t>(i)) = field(records[i]);
    return array;
}

std::string_view format_name(datafiles::SParameterFormat format) {
    switch (format) {
        case datafiles::SParameterFormat::magnitude_angle:
            return "MA";
        case datafiles::SParameterFormat::db_angle:
            return "DB";
        case datafiles::SParameterFormat::real_imaginary:
            return "RI";
    }
    return "MA";
}

// NUMBER exactly, for the text the readers parse.
std::string exact(double number) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    return buffer;
}

[[noreturn]] void bad_columns(const std::string& what) {
    throw py::value_error(what);
}

// VALUES as float64; ValueError naming WHAT for values that are not numbers.
py::array_t<double> doubles(const py::handle& values, std::string_view what) {
    auto array = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(values);
    if (!array) {
        PyErr_Clear();
        bad_columns(std::string(what) + ": columns must hold numbers");
    }
    return array;
}

std::vector<py::object> columns_of(const py::handle& value, std::string_view what) {
    std::vector<py::object> columns;
    if (!py::isinstance<py::sequence>(value) && !py::isinstance<py::array>(value)) {
        bad_columns(std::string(what) + ": give a path or columns of numbers");
    }
    for (const py::handle& column : value)
        columns.push_back(py::reinterpret_borrow<py::object>(column));
    return columns;
}

// The S-parameter text of one frequency: "re im" for S11, S21, S12, S22.
void add_sparameters(std::string& text, const py::array_t<std::complex<double>>& s, py::ssize_t row,
                     int ports) {
    const auto value = [&](int i, int j) { return s.ndim() == 1 ? s.at(row) : s.at(row, i, j); };
    const std::pair<int, int> order[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int k = 0; k < (ports == 2 ? 4 : 1); ++k) {
        const std::complex<double> x = value(order[k].first, order[k].second);
        text += " " + exact(x.real()) + " " + exact(x.imag());
    }
}

}  // namespace

bool is_path(const py::handle& value) {
    return PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()) ||
           PyObject_HasAttrString(value.ptr(), "__fspath__");
}

std::filesystem::path path_value(const py::handle& value, const std::string& argument) {
    PyObject* encoded = nullptr;
    if (PyUnicode_FSConverter(value.ptr(), &encoded) == 0) {
        py::error_already_set cause;
        if (!cause.matches(PyExc_ValueError)) throw cause;
        const std::string why = py::str(cause.value());
        py::raise_from(cause, PyExc_ValueError, (argument + ": " + why).c_str());
        throw py::error_already_set();
    }
    const auto bytes = py::reinterpret_steal<py::bytes>(encoded);
    return std::filesystem::path(static_cast<std::string>(bytes));
}

app::EmbeddedFile enr_file_of(const py::handle& value) {
    const std::vector<py::object> columns = columns_of(value, "enr_table");
    if (columns.size() != 2 && columns.size() != 3) {
        bad_columns("enr_table: give (freq_ghz, enr_db) or (freq_ghz, enr_db, enr_unc_db)");
    }
    std::vector<py::array_t<double>> arrays;
    for (const py::object& column : columns)
        arrays.push_back(doubles(column, "enr_table"));
    std::string text = "[Filetype ENR]\n";
    for (py::ssize_t i = 0; i < arrays[0].size(); ++i) {
        text += exact(arrays[0].at(i)) + " GHz";
        for (std::size_t c = 1; c < arrays.size(); ++c) {
            if (arrays[c].size() != arrays[0].size())
                bad_columns("enr_table: columns of unequal length");
            text += " " + exact(arrays[c].at(i));
        }
        text += "\n";
    }
    return {"enr_table.enr", std::move(text)};
}

app::EmbeddedFile touchstone_file_of(const py::handle& value) {
    py::array_t<double> freq_ghz;
    py::object s_values;
    if (PyObject_HasAttrString(value.ptr(), "f") && PyObject_HasAttrString(value.ptr(), "s")) {
        const py::array_t<double> f_hz = doubles(value.attr("f"), "dut_s2p");
        freq_ghz = py::array_t<double>(f_hz.size());
        for (py::ssize_t i = 0; i < f_hz.size(); ++i)
            freq_ghz.mutable_at(i) = f_hz.at(i) / 1e9;
        s_values = value.attr("s");
    } else {
        const std::vector<py::object> columns = columns_of(value, "dut_s2p");
        if (columns.size() != 2)
            bad_columns("dut_s2p: give (freq_ghz, s) or a network with f and s");
        freq_ghz = doubles(columns[0], "dut_s2p");
        s_values = columns[1];
    }
    using Complex = std::complex<double>;
    const auto s =
        py::array_t<Complex, py::array::c_style | py::array::forcecast>::ensure(s_values);
    if (!s) PyErr_Clear();
    const bool one_port =
        s && (s.ndim() == 1 || (s.ndim() == 3 && s.shape(1) == 1 && s.shape(2) == 1));
    const bool two_port = s && s.ndim() == 3 && s.shape(1) == 2 && s.shape(2) == 2;
    if (!s || (!one_port && !two_port) || s.shape(0) != freq_ghz.size()) {
        bad_columns("dut_s2p: s must hold N values, N x 1 x 1 or N x 2 x 2, one per frequency");
    }
    const int ports = two_port ? 2 : 1;
    std::string text = "# GHz S RI R 50\n";
    for (py::ssize_t i = 0; i < freq_ghz.size(); ++i) {
        text += exact(freq_ghz.at(i));
        add_sparameters(text, s, i, ports);
        text += "\n";
    }
    return {ports == 2 ? "dut_s2p.s2p" : "dut_s2p.s1p", std::move(text)};
}

namespace {

// SOURCE, a path or a DataFile, as READ_FILE or READ_DATA gives it.
template <class Table>
Table read_source(const py::handle& source, std::string_view function,
                  Table (*read_file)(const std::filesystem::path&),
                  Table (*read_data)(const app::EmbeddedFile&)) {
    if (py::isinstance<app::EmbeddedFile>(source)) {
        const auto& file = source.cast<const app::EmbeddedFile&>();
        return in_memory([&] { return read_data(file); });
    }
    if (!is_path(source)) {
        throw py::type_error(std::string(function) + "(): give a path or a DataFile, not " +
                             py::type::of(source).attr("__name__").cast<std::string>());
    }
    return read_file(path_value(source, "path"));
}

datafiles::EnrTable enr_file(const std::filesystem::path& path) {
    return datafiles::read_enr_file(path);
}

datafiles::Touchstone touchstone_file(const std::filesystem::path& path) {
    return datafiles::read_touchstone(path);
}

}  // namespace

std::optional<datafiles::EnrTable> enr_table_value(const py::object& value) {
    if (value.is_none()) return std::nullopt;
    if (is_path(value)) return datafiles::read_enr_file(path_value(value, "enr_table"));
    const app::EmbeddedFile file = py::isinstance<app::EmbeddedFile>(value)
                                       ? value.cast<app::EmbeddedFile>()
                                       : enr_file_of(value);
    return in_memory([&] { return app::enr_table_of(file); });
}

py::dict read_enr(const py::object& source) {
    const datafiles::EnrTable table = read_source(source, "read_enr", enr_file, app::enr_table_of);
    using Record = datafiles::EnrRecord;
    const std::span<const Record> records = table.records();
    py::dict header;
    for (const datafiles::HeaderField& field : table.header_fields()) {
        if (!header.contains(field.name)) header[py::str(field.name)] = field.value;
    }
    py::dict out;
    out["name"] = table.name();
    out["header"] = header;
    out["freq_ghz"] = column<double>(records, [](const Record& r) { return r.freq_hz / 1e9; });
    out["enr_db"] = column<double>(records, [](const Record& r) { return r.enr_db; });
    out["enr_unc_db"] = py::none();
    if (table.has_uncertainty()) {
        out["enr_unc_db"] = column<double>(records, [](const Record& r) { return *r.enr_unc_db; });
    }
    out["reflection"] = py::none();
    if (table.has_reflection()) {
        using datafiles::SourceReflection;
        const auto part = [&](double SourceReflection::*value) {
            return column<double>(records,
                                  [value](const Record& r) { return (*r.reflection).*value; });
        };
        py::dict reflection;
        reflection["on_mag"] = part(&SourceReflection::on_mag);
        reflection["on_deg"] = part(&SourceReflection::on_deg);
        reflection["off_mag"] = part(&SourceReflection::off_mag);
        reflection["off_deg"] = part(&SourceReflection::off_deg);
        out["reflection"] = reflection;
    }
    return out;
}

py::dict read_touchstone(const py::object& source) {
    const datafiles::Touchstone file =
        read_source(source, "read_touchstone", touchstone_file, app::touchstone_of);
    using Record = datafiles::TouchstoneRecord;
    using Complex = std::complex<double>;
    const std::span<const Record> records = file.records();
    py::dict out;
    out["name"] = file.name();
    out["ports"] = file.ports();
    out["format"] = format_name(file.format());
    out["reference_ohms"] = file.reference_ohms();
    out["freq_ghz"] = column<double>(records, [](const Record& r) { return r.freq_hz / 1e9; });
    out["s11"] = column<Complex>(records, [](const Record& r) { return r.s11; });
    out["s21"] = column<Complex>(records, [](const Record& r) { return r.s21; });
    out["s12"] = column<Complex>(records, [](const Record& r) { return r.s12; });
    out["s22"] = column<Complex>(records, [](const Record& r) { return r.s22; });
    return out;
}

}  // namespace orlavex::python
