#include "python/setup_functions.h"

#include "app/inputs/bench_inputs.h"
#include "app/setup_file/setup_file.h"
#include "app/setup_file/setup_overlay.h"
#include "datafiles/sha256.h"
#include "planning/swept_input.h"
#include "python/data_files.h"
#include "python/keyword_inputs.h"

#include <pybind11/complex.h>
#include <pybind11/stl/filesystem.h>

#include <cerrno>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// FILE handed to Python: moved, as a set-up file's files run to megabytes.
py::object data_file(std::optional<app::EmbeddedFile>&& file) {
    return file ? py::cast(std::move(*file)) : py::none();
}

void add_fields(py::dict& d, const app::Setup& s) {
    for (const app::FieldInput& row : app::field_inputs()) {
        if (s[row] && row.scope != app::Scope::levels) d[py::str(row.name)] = *s[row];
    }
    if (s.analyzer) d["analyzer"] = *s.analyzer;
    if (s.noise_source) d["noise_source"] = *s.noise_source;
    if (s.int_preamp) {
        d["int_preamp"] = s.int_preamp_option ? py::object(py::int_(*s.int_preamp_option))
                                              : py::object(py::bool_(true));
    }
    if (s.ext_preamp) d["ext_preamp"] = true;
    if (s.freq_conv) d["freq_conv"] = true;
    if (!s.second_stage) d["no_second_stage"] = true;
}

void add_model(py::dict& d, const app::ModelInputs& m) {
    for (const app::ModelInput& row : app::every_model_input) {
        if (app::at_default(row, m)) continue;
        if (row.kind == app::ModelValue::not_negative) d[py::str(row.name)] = m.*row.number;
        if (row.kind == app::ModelValue::choice) d[py::str(row.name)] = app::choice_name(row, m);
        if (row.kind == app::ModelValue::optional_number) d[py::str(row.name)] = *(m.*row.optional);
        if (row.kind == app::ModelValue::reflection) d[py::str(row.name)] = *(m.*row.reflection);
    }
    d["trials"] = m.trials;
    d["seed"] = m.seed;
}

// The bench's inputs; R's embedded files are handed over.
void add_bench(py::dict& d, app::SweepRequest& r) {
    const app::BenchInputs in = app::bench_inputs_of(r.setup.bench);
    for (const app::BenchInputRow& row : app::bench_input_rows) {
        if (row.number != nullptr && in.*row.number) d[py::str(row.name)] = *(in.*row.number);
    }
    if (in.meas_noise_source) d["meas_noise_source"] = *in.meas_noise_source;
    for (std::string_view key : {"loss_in_s2p", "loss_out_s2p", "meas_enr_table"}) {
        if (auto& file = r.embedded[app::slot_index(key)])
            d[py::str(key)] = data_file(std::move(file));
    }
}

}  // namespace

void define_data_file(py::module_& m) {
    py::class_<app::EmbeddedFile>(
        m, "DataFile",
        "A data file carried whole, as a set-up file embeds it: an ENR table (.enr) or\n"
        "Touchstone S-parameters (.s1p, .s2p; the name's extension gives the ports).\n"
        "Accepted wherever a data file's path is (enr_table, dut_s2p, loss_in_s2p,\n"
        "loss_out_s2p, meas_enr_table); save_setup() keeps its name and bytes.")
        .def(py::init([](std::string name, py::bytes content) {
                 // A set-up file keeps the name and refuses one without it.
                 if (name.empty()) refuse("DataFile: give the file's name, such as \"cal.enr\"");
                 return app::EmbeddedFile{std::move(name), std::string(content)};
             }),
             py::arg("name"), py::arg("content"))
        .def_property_readonly("name", [](const app::EmbeddedFile& f) { return f.name; })
        .def_property_readonly("content",
                               [](const app::EmbeddedFile& f) { return py::bytes(f.bytes); })
        .def_property_readonly(
            "sha256", [](const app::EmbeddedFile& f) { return datafiles::sha256_hex(f.bytes); })
        .def("__repr__",
             [](const app::EmbeddedFile& f) {
                 return "DataFile(" + py::repr(py::str(f.name)).cast<std::string>() + ", sha256='" +
                        datafiles::sha256_hex(f.bytes) + "')";
             })
        // A value, as the set-up it belongs to: equal by name and content,
        // copied and pickled (to a worker process) whole.
        .def("__eq__",
             [](const app::EmbeddedFile& f, const py::object& other) -> py::object {
                 if (!py::isinstance<app::EmbeddedFile>(other))
                     return py::reinterpret_borrow<py::object>(Py_NotImplemented);
                 const auto& g = other.cast<const app::EmbeddedFile&>();
                 return py::bool_(f.name == g.name && f.bytes == g.bytes);
             })
        .def("__hash__",
             [](const app::EmbeddedFile& f) {
                 return py::hash(py::make_tuple(py::str(f.name), py::bytes(f.bytes)));
             })
        .def(py::pickle(
            [](const app::EmbeddedFile& f) {
                return py::make_tuple(py::str(f.name), py::bytes(f.bytes));
            },
            [](const py::tuple& state) {
                return app::EmbeddedFile{state[0].cast<std::string>(),
                                         state[1].cast<std::string>()};
            }));
}

py::dict load_setup(const py::object& given) {
    if (!is_path(given)) refuse("path: give a str or os.PathLike");
    const std::filesystem::path path = path_value(given, "path");
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        // Named as the file system names it: a bytes path need not be UTF-8.
        const py::object name =
            py::module_::import("os").attr("fsdecode")(py::bytes(path.string()));
        PyErr_SetObject(PyExc_FileNotFoundError,
                        py::make_tuple(ENOENT, "No such file or directory", name).ptr());
        throw py::error_already_set();
    }
    app::SweepRequest r;
    try {
        r = app::read_setup_file(path);
    } catch (const app::SetupFileError& e) {
        refuse(e.what());
    }
    py::dict d;
    d["over"] = std::string(planning::info(r.over).name);
    d["start"] = r.from;
    d["stop"] = r.to;
    d["points"] = r.points;
    d["log"] = r.log;
    d["enr_table"] = data_file(std::move(r.embedded[app::slot_index("enr_table")]));
    d["dut_s2p"] = data_file(std::move(r.embedded[app::slot_index("dut_s2p")]));
    d["mc"] = r.monte_carlo;
    d["match_form"] = r.match_form == planning::MatchForm::return_loss ? "rl" : "vswr";
    d["fixed_if"] = r.fixed_if;
    d["fixed_lo"] = r.fixed_lo;
    add_fields(d, r.setup);
    add_model(d, r.setup.model);
    add_bench(d, r);
    return d;
}

void save_setup(const std::filesystem::path& path, const SweepArguments& arguments,
                const py::kwargs& inputs) {
    app::ApplyOptions options;
    const app::SweepRequest request = request_of(arguments, inputs, options);
    app::write_setup_file(path, app::with_window_values(request));
}

}  // namespace orlavex::python
