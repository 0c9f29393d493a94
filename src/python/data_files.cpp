#include "python/data_files.h"

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include <pybind11/complex.h>
#include <pybind11/numpy.h>

#include <cmath>

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

}  // namespace

py::dict read_enr(const std::filesystem::path& path) {
    const datafiles::EnrTable table = datafiles::read_enr_file(path);
    using Record = datafiles::EnrRecord;
    const std::span<const Record> records = table.records();
    py::dict header;
    for (const datafiles::HeaderField& field : table.header_fields()) {
        if (!header.contains(field.name)) header[py::str(field.name)] = field.value;
    }
    py::dict out;
    out["name"] = table.name();
    out["header"] = header;
    out["freq_hz"] = column<double>(records, [](const Record& r) { return r.freq_hz; });
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

py::dict read_touchstone(const std::filesystem::path& path) {
    const datafiles::Touchstone file = datafiles::read_touchstone(path);
    using Record = datafiles::TouchstoneRecord;
    using Complex = std::complex<double>;
    const std::span<const Record> records = file.records();
    py::dict out;
    out["name"] = file.name();
    out["ports"] = file.ports();
    out["format"] = format_name(file.format());
    out["reference_ohms"] = file.reference_ohms();
    out["freq_hz"] = column<double>(records, [](const Record& r) { return r.freq_hz; });
    out["s11"] = column<Complex>(records, [](const Record& r) { return r.s11; });
    out["s21"] = column<Complex>(records, [](const Record& r) { return r.s21; });
    out["s12"] = column<Complex>(records, [](const Record& r) { return r.s12; });
    out["s22"] = column<Complex>(records, [](const Record& r) { return r.s22; });
    return out;
}

}  // namespace orlavex::python
