#include "python/signatures.h"

#include "app/commands.h"
#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace orlavex::python {

namespace {

struct Parameter {
    std::string name, type, default_value;  // default empty: required
};

struct Function {
    std::string_view name, returns;
    std::vector<Parameter> leading;  // before the inputs
    std::string_view command;        // the command whose inputs it takes
    bool keyword_only;               // leading parameters after *
};

constexpr std::string_view number = "float | None";
// A level of evaluate(): one number or an array of them.
// The module imports without numpy: its annotations leave the arrays to
// the stub.
constexpr std::string_view levels = "float | Sequence[float] | None";
constexpr std::string_view levels_in_stub = "float | Sequence[float] | numpy.ndarray | None";

std::vector<Parameter> inputs(const app::Command& command) {
    std::vector<Parameter> p;
    const app::Scope scope = command.scope;
    const bool predicting = scope == app::Scope::prediction;
    for (const app::FieldInput& row : app::field_inputs()) {
        if (app::takes(scope, row) && row.scope != app::Scope::levels)
            p.push_back({std::string(row.name), std::string(number), "None"});
    }
    p.push_back({"noise_source", "str | None", "None"});
    p.push_back({"freq_conv", "bool | None", "None"});
    p.push_back({"no_second_stage", "bool | None", "None"});
    if (predicting) {
        p.push_back({"analyzer", "str | None", "None"});
        p.push_back({"int_preamp", "bool | int | None", "None"});
        p.push_back({"ext_preamp", "bool | None", "None"});
    }
    for (const app::ModelInput& row : app::every_model_input) {
        if (!app::takes(command, row)) continue;
        const bool text = row.kind == app::ModelValue::choice;
        const bool whole = row.kind == app::ModelValue::trials || row.kind == app::ModelValue::seed;
        const bool reflection = row.kind == app::ModelValue::reflection;
        p.push_back({std::string(row.name),
                     text         ? "str | None"
                     : whole      ? "int | None"
                     : reflection ? "complex | str | None"
                                  : std::string(number),
                     "None"});
    }
    for (const app::BenchInputRow& row : app::bench_input_rows) {
        if (!command.bench) break;
        p.push_back({std::string(row.name),
                     row.number != nullptr     ? std::string(number)
                     : row.type_name == "FILE" ? "str | bytes | os.PathLike | DataFile | None"
                                               : "str | None",
                     "None"});
    }
    p.push_back({"strict", "bool", "False"});
    return p;
}

// measure(): the bench's arguments, then the set-up's inputs as evaluate()
// takes them.
Function measure_function() {
    return {"measure",
            "dict[str, Any]",
            {{"analyzer", "str", ""},
             {"profile", "str | os.PathLike", "'analyzer-marker-noise'"},
             {"source", "str", "'analyzer'"},
             {"supply_profile", "str | os.PathLike", "'supply-28v'"},
             {"freq", "float | None", "None"},
             {"start", "float | None", "None"},
             {"stop", "float | None", "None"},
             {"points", "int | None", "None"},
             {"repeat", "int", "1"},
             {"setup", "str | os.PathLike | None", "None"},
             {"calibration", "str | os.PathLike | None", "None"},
             {"save_readings", "str | os.PathLike | None", "None"},
             {"save_calibration", "str | os.PathLike | None", "None"},
             {"yes", "bool", "False"},
             {"timeout", "float", "10.0"}},
            "evaluate",
            false};
}

std::vector<Function> functions() {
    const std::string path = "str | bytes | os.PathLike | Any | None";
    return {
        {"point",
         "dict[str, Any]",
         {{"mc", "bool", "True"}, {"enr_table", path, "None"}, {"dut_s2p", path, "None"}},
         "point",
         true},
        {"budget",
         "dict[str, Any]",
         {{"enr_table", path, "None"}, {"dut_s2p", path, "None"}},
         "point",
         true},
        {"monte_carlo",
         "dict[str, Any]",
         {{"trials", "int", std::to_string(app::point_trials)},
          {"seed", "int", "DEFAULT_SEED"},
          {"samples", "bool", "False"},
          {"progress", "Callable[[int, int], object] | None", "None"},
          {"enr_table", path, "None"},
          {"dut_s2p", path, "None"}},
         "point",
         true},
        {"evaluate",
         "dict[str, Any]",
         {{"cal_on", std::string(levels), "None"},
          {"cal_off", std::string(levels), "None"},
          {"meas_on", std::string(levels), "None"},
          {"meas_off", std::string(levels), "None"},
          {"readings", "str | os.PathLike | None", "None"},
          {"calibration", "str | os.PathLike | None", "None"},
          {"enr_table", path, "None"},
          {"dut_s2p", path, "None"}},
         "evaluate",
         false},
        measure_function(),
        {"sweep",
         "dict[str, Any]",
         {{"over", "str", ""},
          {"start", "float", ""},
          {"stop", "float", ""},
          {"points", "int", std::to_string(app::default_points)},
          {"log", "bool", "False"},
          {"enr_table", path, "None"},
          {"dut_s2p", path, "None"},
          {"mc", "bool", "False"},
          {"match_form", "str", "'vswr'"},
          {"fixed_if", "bool", "False"},
          {"fixed_lo", "bool", "False"},
          {"progress", "Callable[[int, int], object] | None", "None"}},
         "sweep",
         false},
        {"advise",
         "dict[str, Any]",
         {{"start", "float", ""},
          {"stop", "float", ""},
          {"points", "int", std::to_string(app::default_points)},
          {"log", "bool", "False"},
          {"enr_table", path, "None"},
          {"dut_s2p", path, "None"},
          {"fixed_if", "bool", "False"},
          {"fixed_lo", "bool", "False"},
          {"progress", "Callable[[int, int], object] | None", "None"}},
         "advise",
         false},
        {"save_setup",
         "None",
         {{"path", "str | os.PathLike", ""},
          {"over", "str", "'freq'"},
          {"start", "float", "0.0"},
          {"stop", "float", "0.0"},
          {"points", "int", std::to_string(app::default_points)},
          {"log", "bool", "False"},
          {"enr_table", path, "None"},
          {"dut_s2p", path, "None"},
          {"mc", "bool", "False"},
          {"match_form", "str", "'vswr'"},
          {"fixed_if", "bool", "False"},
          {"fixed_lo", "bool", "False"}},
         "sweep",
         false},
    };
}

// The inputs of F that its leading parameters do not already name.
std::vector<Parameter> inputs_of(const Function& f) {
    std::vector<Parameter> rest;
    for (Parameter& p : inputs(app::command_named(f.command))) {
        const bool named =
            std::ranges::any_of(f.leading, [&](const Parameter& l) { return l.name == p.name; });
        // evaluate() takes an array of frequencies as it takes arrays of levels.
        if (f.name == "evaluate" && p.name == "freq") p.type = std::string(levels);
        if (!named) rest.push_back(std::move(p));
    }
    return rest;
}

std::string parameter_text(const Parameter& p, bool stub) {
    std::string text =
        p.name + ": " + (stub && p.type == levels ? std::string(levels_in_stub) : p.type);
    if (!p.default_value.empty()) text += " = " + p.default_value;
    return text;
}

std::string signature(const Function& f, bool stub) {
    std::string s = "def " + std::string(f.name) + "(";
    bool first = true;
    const auto add = [&](const std::string& text) {
        s += (first ? "" : ", ") + text;
        first = false;
    };
    if (f.keyword_only) add("*");
    for (const Parameter& p : f.leading)
        add(parameter_text(p, stub));
    if (!f.keyword_only) add("*");
    for (const Parameter& p : inputs_of(f))
        add(parameter_text(p, stub));
    return s + ") -> " + std::string(f.returns) + ":\n";
}

std::string call(const Function& f) {
    std::string s = "    return _" + std::string(f.name) + "(";
    bool first = true;
    for (const Parameter& p : f.leading) {
        s += (first ? "" : ", ") + p.name + "=" + p.name;
        first = false;
    }
    for (const Parameter& p : inputs_of(f)) {
        s += (first ? "" : ", ") + p.name + "=" + p.name;
        first = false;
    }
    return s + ")\n";
}

}  // namespace

std::string wrapper_source() {
    std::string source = "import os\nfrom typing import Any, Callable, Sequence\n\n";
    for (const Function& f : functions())
        source += signature(f, false) + call(f) + "\n";
    // The annotations hold the types themselves; their names are not the
    // module's (help() would list them, "import *" would bring them).
    return source + "del os, Any, Callable, Sequence\n";
}

std::string stub_source() {
    std::string source =
        "# The module orlavex's functions with their types (generated from its table of inputs).\n"
        "import os\nfrom typing import Any, Callable, Sequence\n\nimport numpy\n\n__version__: "
        "str\nDEFAULT_SEED: int\n\n"
        "class DataFile:\n"
        "    def __init__(self, name: str, content: bytes) -> None: ...\n"
        "    @property\n    def name(self) -> str: ...\n"
        "    @property\n    def content(self) -> bytes: ...\n"
        "    @property\n    def sha256(self) -> str: ...\n\n"
        "class Instrument:\n"
        "    def __init__(self, resource: str, timeout: float = 10.0) -> None: ...\n"
        "    def write(self, command: str) -> None: ...\n"
        "    def query(self, command: str) -> str: ...\n"
        "    def query_number(self, command: str) -> float: ...\n"
        "    def close(self) -> None: ...\n"
        "    @property\n    def resource(self) -> str: ...\n"
        "    def __enter__(self) -> Instrument: ...\n"
        "    def __exit__(self, *args: Any) -> None: ...\n\n";
    for (const Function& f : functions())
        source += signature(f, true) + "    ...\n\n";
    source +=
        "def analyzers() -> list[dict[str, Any]]: ...\n"
        "def noise_sources() -> list[dict[str, Any]]: ...\n"
        "def read_enr(path: str | bytes | os.PathLike | DataFile) -> dict[str, Any]: ...\n"
        "def read_readings(path: str | os.PathLike) -> dict[str, Any]: ...\n"
        "def read_touchstone(path: str | bytes | os.PathLike | DataFile) -> dict[str, Any]: ...\n"
        "def load_setup(path: str | os.PathLike) -> dict[str, Any]: ...\n";
    return source;
}

}  // namespace orlavex::python
