#include "app/inputs/bench_inputs.h"

#include "app/inputs/catalogue_names.h"
#include "app/texts.h"
#include "core/number_text.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/match.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace orlavex::app {

namespace {

std::string name(std::string_view keyword, Naming naming) {
    const BenchInputRow* row = find_bench_input(keyword);
    return std::string(naming == Naming::keyword ? row->name : row->flag);
}

bool given(const BenchInputs& in, const BenchInputRow& row) {
    return row.number != nullptr ? (in.*row.number).has_value() : (in.*row.text).has_value();
}

// A file and a value of one loss, or a match as VSWR and as return loss,
// exclude each other.
std::string exclusions(const BenchInputs& in, Naming naming) {
    for (const BenchInputRow& row : bench_input_rows) {
        if (row.excludes.empty() || !given(in, row)) continue;
        if (given(in, *find_bench_input(row.excludes)))
            return name(row.name, naming) + " excludes " + name(row.excludes, naming);
    }
    return {};
}

std::string with_unit(double x, std::string_view unit) {
    return shortest_text(x) + (unit.empty() ? "" : " " + std::string(unit));
}

std::string range_text(const BenchRange& r) {
    if (std::isinf(r.highest)) return with_unit(r.lowest, r.unit) + " or more";
    return shortest_text(r.lowest) + " to " + with_unit(r.highest, r.unit);
}

// A number beyond what a bench can be (a loss of 1e6 dB, 1e9 K). Runs after
// the model's own checks, which refuse a value that is not finite or below
// the physical bottom in their own words.
std::string out_of_range(const BenchInputs& in, Naming naming) {
    for (const BenchInputRow& row : bench_input_rows) {
        if (row.number == nullptr || !(in.*row.number)) continue;
        const double x = *(in.*row.number);
        if (x >= row.range.lowest && x <= row.range.highest) continue;
        return name(row.name, naming) + ": " + with_unit(x, row.range.unit) +
               " is outside its range (" + range_text(row.range) + ")";
    }
    return {};
}

bool any_measurement_input(const BenchInputs& in) {
    return in.meas_noise_source || in.meas_enr || in.meas_enr_table || in.meas_enr_unc ||
           in.meas_source_vswr || in.meas_source_rl;
}

// The measurement source's match as a reflection; refuses a VSWR below 1
// and a return loss below 0 dB.
std::string source_gamma(const BenchInputs& in, std::optional<double>& gamma, Naming naming) {
    if (in.meas_source_vswr) {
        if (!(std::isfinite(*in.meas_source_vswr) && *in.meas_source_vswr >= 1))
            return name("meas_source_vswr", naming) + ": a VSWR is 1 or more";
        gamma = measure::reflection(*in.meas_source_vswr, true);
    } else if (in.meas_source_rl) {
        if (!(std::isfinite(*in.meas_source_rl) && *in.meas_source_rl >= 0))
            return name("meas_source_rl", naming) + ": a return loss is 0 dB or more";
        gamma = measure::reflection(*in.meas_source_rl, false);
    }
    return {};
}

std::string measurement_source(const BenchInputs& in, planning::BenchInput& bench, Naming naming,
                               const BenchFileReader& files) {
    if (!any_measurement_input(in)) return {};
    const int sources =
        (in.meas_noise_source ? 1 : 0) + (in.meas_enr ? 1 : 0) + (in.meas_enr_table ? 1 : 0);
    if (sources != 1) {
        return "a separate measurement source takes one of " + name("meas_noise_source", naming) +
               ", " + name("meas_enr", naming) + " or " + name("meas_enr_table", naming);
    }
    planning::MeasurementSourceInput m;
    if (in.meas_noise_source) {
        // Any letter case, as for the calibration source; an unknown name
        // stays as given for the refusal to quote.
        const std::string_view known = noise_source_in_catalogue(*in.meas_noise_source);
        m.model = known.empty() ? *in.meas_noise_source : std::string(known);
    }
    m.enr_db = in.meas_enr;
    if (in.meas_enr_table) m.table = files.enr_table("meas_enr_table", *in.meas_enr_table);
    m.enr_unc_db = in.meas_enr_unc;
    if (std::string why = source_gamma(in, m.gamma, naming); !why.empty()) return why;
    bench.meas_source = std::move(m);
    return {};
}

planning::LossInput loss(std::string_view file_keyword, std::optional<double> db,
                         const std::optional<std::string>& file,
                         std::optional<double> temperature_k, std::optional<double> unc_db,
                         const BenchFileReader& files) {
    planning::LossInput l;
    l.loss_db = db.value_or(0);
    if (file) l.sparameters = files.touchstone(file_keyword, *file);
    l.temperature_k = temperature_k.value_or(measure::T0);
    l.unc_db = unc_db.value_or(0);
    return l;
}

struct TypedMatch {
    int digits = 18;  // more than any double needs: none found
    double value = 0;
};

// The shortest decimal near X whose reflection in that form is GAMMA to the
// last bit: the value the user typed, in the form they typed it.
TypedMatch typed_match(double x, double gamma, bool vswr_form) {
    for (int digits = 1; digits <= 17; ++digits) {
        std::array<char, 32> text{};
        const auto end = std::to_chars(text.data(), text.data() + text.size(), x,
                                       std::chars_format::general, digits)
                             .ptr;
        double typed = 0;
        std::from_chars(text.data(), end, typed);
        if (measure::reflection(typed, vswr_form) == gamma) return {digits, typed};
    }
    return {};
}

// A match kept as a reflection, given back as the VSWR or return loss that
// gives exactly that reflection again, whichever is written shorter.
void add_match(double gamma, BenchInputs& in) {
    const TypedMatch vswr = typed_match(measure::vswr_from_reflection(gamma), gamma, true);
    const TypedMatch rl = typed_match(measure::return_loss_db(gamma), gamma, false);
    if (rl.digits < vswr.digits) {
        in.meas_source_rl = rl.value;
    } else {
        in.meas_source_vswr = vswr.digits <= 17 ? vswr.value : measure::vswr_from_reflection(gamma);
    }
}

}  // namespace

const BenchInputRow* find_bench_input(std::string_view name_or_flag) {
    const auto* it = std::ranges::find_if(bench_input_rows, [&](const BenchInputRow& row) {
        return row.name == name_or_flag || row.flag == name_or_flag;
    });
    return it == bench_input_rows.end() ? nullptr : it;
}

std::string bench_help(const BenchInputRow& row) {
    if (row.default_text.empty()) return std::string(row.help);
    return std::string(row.help) + " (" + std::string(row.default_text) + ")";
}

BenchFileReader bench_files_on_disk() {
    return {
        [](std::string_view, const std::string& path) { return datafiles::read_touchstone(path); },
        [](std::string_view, const std::string& path) { return datafiles::read_enr_file(path); }};
}

std::string to_bench(const BenchInputs& in, planning::BenchInput& bench, Naming naming,
                     const BenchFileReader& files) {
    if (std::string why = exclusions(in, naming); !why.empty()) return why;
    planning::BenchInput b;
    b.loss_in =
        loss("loss_in_s2p", in.loss_in, in.loss_in_s2p, in.loss_in_temp, in.loss_in_unc, files);
    b.loss_out = loss("loss_out_s2p", in.loss_out, in.loss_out_s2p, in.loss_out_temp,
                      in.loss_out_unc, files);
    if (std::string why = measurement_source(in, b, naming, files); !why.empty()) return why;
    if (std::string why = planning::bench_input_problem(b); !why.empty()) return why;
    if (std::string why = out_of_range(in, naming); !why.empty()) return why;
    bench = std::move(b);
    return {};
}

BenchInputs bench_inputs_of(const planning::BenchInput& bench) {
    BenchInputs in;
    const auto loss = [](const planning::LossInput& l, std::optional<double>& db,
                         std::optional<std::string>& file, std::optional<double>& temperature_k,
                         std::optional<double>& unc_db) {
        if (l.sparameters) file = l.sparameters->name();
        if (l.loss_db != 0 && !l.sparameters) db = l.loss_db;
        if (l.temperature_k != measure::T0) temperature_k = l.temperature_k;
        if (l.unc_db != 0) unc_db = l.unc_db;
    };
    loss(bench.loss_in, in.loss_in, in.loss_in_s2p, in.loss_in_temp, in.loss_in_unc);
    loss(bench.loss_out, in.loss_out, in.loss_out_s2p, in.loss_out_temp, in.loss_out_unc);
    if (!bench.meas_source) return in;
    const planning::MeasurementSourceInput& m = *bench.meas_source;
    if (!m.model.empty()) in.meas_noise_source = m.model;
    in.meas_enr = m.enr_db;
    if (m.table) in.meas_enr_table = m.table->name();
    in.meas_enr_unc = m.enr_unc_db;
    if (m.gamma) add_match(*m.gamma, in);
    return in;
}

const datafiles::Touchstone* bench_touchstone(const planning::BenchInput& bench,
                                              std::string_view keyword) {
    if (keyword == "loss_in_s2p" && bench.loss_in.sparameters) return &*bench.loss_in.sparameters;
    if (keyword == "loss_out_s2p" && bench.loss_out.sparameters)
        return &*bench.loss_out.sparameters;
    return nullptr;
}

const datafiles::EnrTable* bench_enr_table(const planning::BenchInput& bench,
                                           std::string_view keyword) {
    const bool has = keyword == "meas_enr_table" && bench.meas_source && bench.meas_source->table;
    return has ? &*bench.meas_source->table : nullptr;
}

std::string measurement_source_text(const planning::MeasurementSourceInput& m) {
    std::string text = m.model;
    if (m.model.empty()) {
        text = "User: ENR ";
        if (m.table) {
            text += "table " + std::filesystem::path(m.table->name()).filename().string();
        } else if (m.enr_db) {
            text += general_text(*m.enr_db, '.') + " dB";
        }
    }
    planning::BenchInput given;
    given.meas_source = m;
    const BenchInputs typed = bench_inputs_of(given);
    if (typed.meas_source_vswr) text += ", VSWR " + general_text(*typed.meas_source_vswr, '.');
    if (typed.meas_source_rl)
        text += ", return loss " + general_text(*typed.meas_source_rl, '.') + " dB";
    return text;
}

void add_bench_json(Json& j, const planning::BenchInput& bench,
                    const measure::MeasurementSetup& used) {
    if (!bench.any()) return;
    const auto loss = [&](std::string_view where, const planning::LossInput& given,
                          const measure::BenchLoss& l) {
        const std::string key = "loss_" + std::string(where);
        j[key + "_db"] = l.loss_db;
        j[key + "_s2p"] = given.sparameters ? Json(given.sparameters->name()) : Json(nullptr);
        j[key + "_temp_k"] = l.temperature_k;
        j[key + "_unc_db"] = l.unc_db;
    };
    loss("in", bench.loss_in, used.loss_in);
    loss("out", bench.loss_out, used.loss_out);
    if (!bench.meas_source) {
        j["meas_noise_source"] = nullptr;
        return;
    }
    const planning::MeasurementSourceInput& m = *bench.meas_source;
    j["meas_noise_source"] = m.model.empty() ? Json(nullptr) : Json(m.model);
    j["meas_enr_table"] = m.table ? Json(m.table->name()) : Json(nullptr);
    j["meas_enr_db"] = used.enr_meas_db;
    j["meas_enr_unc_db"] = used.meas_source.enr_unc_db;
    j["meas_source_match"] = {{"vswr", measure::vswr_from_reflection(used.meas_source.gamma)}};
}

}  // namespace orlavex::app
