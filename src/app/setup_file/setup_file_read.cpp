// Reading a set-up file: every key known, every value of its type and in
// the range the window or the input tables give, the embedded data files
// whole; a file that fails any of it is refused and nothing of it is kept.
#include "app/setup_file/setup_file.h"
#include "app/setup_file/setup_in_chart.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/reflection_text.h"
#include "app/inputs/setup_choices.h"
#include "app/setup_file/setup_file_checks.h"
#include "app/setup_file/setup_file_data.h"
#include "app/setup_file/setup_file_values.h"
#include "app/texts.h"
#include "datafiles/file_bytes.h"

#include <algorithm>
#include <limits>

namespace orlavex::app {

namespace {

// No data file embeds more than the largest file a data-file reader takes.
constexpr std::uintmax_t largest_setup_file = 256 * 1024 * 1024;

constexpr std::string_view inputs_dir = "/inputs";

// The embedded files' lines kept joined, as the files' bytes; beside them a
// set-up file holds a few hundred keys and values at most.
constexpr JsonReading setup_file_reading{"lines", 10'000};

const FieldInput* field_by_key(std::string_view key) {
    const auto rows = field_inputs();
    const auto row = std::ranges::find(rows, key, &FieldInput::column);
    return row == rows.end() ? nullptr : &*row;
}

bool read_choice(const SetupFileValues& v, Setup& s, const std::string& key, const Json& value,
                 const std::string& pointer) {
    if (const auto* choice = std::ranges::find(model_choices, key, &ModelChoice::key);
        choice != model_choices.end()) {
        s.*choice->name = v.text(value, pointer);
    } else if (const auto* box = std::ranges::find(box_choices, key, &BoxChoice::key);
               box != box_choices.end()) {
        s.*box->ticked = v.boolean(value, pointer);
    } else if (key == int_preamp_option_key) {
        s.int_preamp_option = static_cast<int>(v.whole_number(value, pointer, 0, 1));
    } else {
        return false;
    }
    return true;
}

bool read_model(const SetupFileValues& v, ModelInputs& m, const std::string& key, const Json& value,
                const std::string& pointer) {
    const auto* row = std::ranges::find(every_model_input, key, &ModelInput::key);
    if (row == every_model_input.end()) return false;
    if (row->kind == ModelValue::not_negative) {
        const double x = v.number(value, pointer);
        if (!(x >= 0)) v.refuse(pointer, shortest_text(x) + " is out of range: 0 or more");
        m.*row->number = x;
    } else if (row->kind == ModelValue::optional_number) {
        m.*row->optional = v.number(value, pointer);
    } else if (row->kind == ModelValue::choice) {
        set_choice(*row, m, v.choice(value, pointer, choice_list(*row)));
    } else if (row->kind == ModelValue::reflection) {
        if (!value.is_array() || value.size() != 2)
            v.refuse(pointer, "expected [magnitude, degrees]");
        const double mag = v.number(value[0], pointer + "/0");
        const double deg = v.number(value[1], pointer + "/1");
        m.*row->reflection = reflection_of(mag, deg);
        if (!(m.*row->reflection))
            v.refuse(pointer, "[" + shortest_text(mag) + ", " + shortest_text(deg) +
                                  "] is out of range: a magnitude from 0 to below 1");
    } else {
        return false;  // trials and seed belong to the sweep
    }
    return true;
}

bool read_bench(const SetupFileValues& v, BenchInputs& b, const std::string& key, const Json& value,
                const std::string& pointer) {
    const auto* row = std::ranges::find(bench_input_rows, key, &BenchInputRow::key);
    if (row == bench_input_rows.end()) return false;
    if (row->number != nullptr) {
        b.*row->number = v.number(value, pointer);
    } else if (row->name == "meas_noise_source") {
        b.meas_noise_source = v.text(value, pointer);
    } else {
        return false;  // a file row's file is under "data_files"
    }
    return true;
}

void read_inputs(const SetupFileValues& v, const Json* inputs, Setup& s, BenchInputs& bench) {
    if (inputs == nullptr) return;
    v.members(*inputs, std::string(inputs_dir),
              [&](const std::string& key, const Json& value, const std::string& pointer) {
                  if (const FieldInput* row = field_by_key(key)) {
                      s[*row] = v.number(value, pointer);
                      return true;
                  }
                  return read_choice(v, s, key, value, pointer) ||
                         read_model(v, s.model, key, value, pointer) ||
                         read_bench(v, bench, key, value, pointer);
              });
}

void read_sweep_member(const SetupFileValues& v, SweepRequest& r, const std::string& key,
                       const Json& value, const std::string& pointer, bool& known) {
    known = true;
    if (key == "over") {
        const planning::SweptInputInfo* info = planning::find_swept_input(v.text(value, pointer));
        if (info == nullptr)
            v.refuse(pointer, "unknown swept input " + app::quoted(value.get<std::string>()));
        r.over = info->input;
    } else if (key == "from")
        r.from = v.number(value, pointer);
    else if (key == "to")
        r.to = v.number(value, pointer);
    else if (key == "points")
        r.points = v.whole_number(value, pointer, fewest_points, most_points);
    else if (key == "log")
        r.log = v.boolean(value, pointer);
    else if (key == "match_form")
        r.match_form = v.choice(value, pointer, "vswr|rl") == "rl"
                           ? planning::MatchForm::return_loss
                           : planning::MatchForm::vswr;
    else if (key == "monte_carlo")
        r.monte_carlo = v.boolean(value, pointer);
    else if (key == "trials")
        r.setup.model.trials = v.whole_number(value, pointer, fewest_trials, most_trials);
    else if (key == "seed")
        r.setup.model.seed =
            v.whole_number(value, pointer, 0, std::numeric_limits<std::uint64_t>::max());
    else if (key == "fixed_if")
        r.fixed_if = v.boolean(value, pointer);
    else if (key == "fixed_lo")
        r.fixed_lo = v.boolean(value, pointer);
    else
        known = false;
}

void read_sweep(const SetupFileValues& v, const Json* sweep, SweepRequest& r) {
    if (sweep == nullptr) return;
    v.members(*sweep, "/sweep",
              [&](const std::string& key, const Json& value, const std::string& p) {
                  bool known = false;
                  read_sweep_member(v, r, key, value, p, known);
                  return known;
              });
    if (r.fixed_if && r.fixed_lo) v.refuse("/sweep/fixed_lo", "fixed_lo excludes fixed_if");
    for (const auto& [given, key] : {std::pair{r.fixed_if, "fixed_if"}, {r.fixed_lo, "fixed_lo"}}) {
        if (given && !r.setup.freq_conv)
            v.refuse("/sweep/" + std::string(key), "needs \"freq_conv\": true in \"inputs\"");
    }
}

const Json* member(const Json& object, std::string_view key) {
    const auto it = object.find(std::string(key));
    return it == object.end() ? nullptr : &*it;
}

// The parser's message quotes the bytes it read last, which in a file that
// is not text (an image given as a set-up) are no characters at all: those
// outside printable ASCII are written as \xHH, so that the message is one
// clean line on any terminal.
std::string printable(std::string_view message) {
    std::string out;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            constexpr std::string_view hex = "0123456789abcdef";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xf];
        }
    }
    return out;
}

}  // namespace

SweepRequest parse_setup_text(std::string_view text, std::string_view file_name) {
    std::optional<JsonSyntaxError> syntax;
    const PositionedJson document = parse_positioned(text, syntax, setup_file_reading);
    const SetupFileValues v(file_name, document);
    if (syntax) {
        const std::string at = std::string(file_name) + ":" + std::to_string(syntax->line) + ": ";
        if (syntax->nul_column > 0) {
            throw SetupFileError(at + "column " + std::to_string(syntax->nul_column) +
                                 ": a NUL byte (U+0000) is not allowed in a set-up file");
        }
        throw SetupFileError(at + (syntax->over_limit ? "" : "not JSON: ") +
                             printable(syntax->message));
    }
    if (document.duplicate_key) v.refuse(*document.duplicate_key, "the key is given twice");
    check_frame(v, document.value);
    const Json& root = document.value;
    SweepRequest r;
    BenchInputs bench;
    read_inputs(v, member(root, "inputs"), r.setup, bench);
    read_sweep(v, member(root, "sweep"), r);
    load_bench(v, bench, read_data_files(v, member(root, "data_files")), r);
    check_as_calculator_takes(v, r);
    return r;
}

SweepRequest read_setup_file(const std::filesystem::path& file) {
    const std::string name = file.string();
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(file, error);
    if (!regular) {
        const bool missing = !std::filesystem::exists(file, error);
        throw SetupFileError(name + ": " + (missing ? "no such file" : "not a regular file"));
    }
    if (std::filesystem::file_size(file, error) > largest_setup_file || error)
        throw SetupFileError(name + ": the file is too large for a set-up file");
    const datafiles::FileBytes bytes(file);
    if (!bytes.ok()) throw SetupFileError(name + ": cannot read the file");
    if (const std::optional<std::string> carried = setup_in_chart(bytes.text(), name))
        return parse_setup_text(*carried, name);
    return parse_setup_text(bytes.text(), name);
}

}  // namespace orlavex::app
