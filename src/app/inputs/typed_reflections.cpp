#include "app/inputs/typed_reflections.h"

#include "app/inputs/model_inputs.h"
#include "app/texts.h"

#include <algorithm>
#include <filesystem>

namespace orlavex::app {

namespace {

std::string named(std::string_view keyword, Naming naming) {
    const auto* row = std::ranges::find(typed_reflection_inputs, keyword, &ModelInput::name);
    return std::string(naming == Naming::flag ? row->flag : row->name);
}

std::string below_zero(const std::optional<double>& x, std::string_view keyword, Naming naming,
                       std::string_view what) {
    if (!x || *x >= 0) return {};
    return named(keyword, naming) + ": " + shortest_text(*x) +
           " is out of range: " + std::string(what) + " is 0 or more";
}

// Given together or not at all.
std::string part_of(std::initializer_list<std::pair<std::string_view, bool>> given, Naming naming,
                    std::string_view what) {
    const auto count = std::ranges::count_if(given, [](const auto& g) { return g.second; });
    if (count == 0 || count == static_cast<std::ptrdiff_t>(given.size())) return {};
    std::string names;
    std::size_t i = 0;
    for (const auto& g : given) {
        names += (i == 0 ? "" : i + 1 == given.size() ? " and " : ", ") + named(g.first, naming);
        ++i;
    }
    return names + " go together: " + std::string(what);
}

std::string file_gives(std::string_view keyword, Naming naming, const std::string& file,
                       std::string_view what) {
    return named(keyword, naming) + ": the file " +
           std::filesystem::path(file).filename().string() + " gives " + std::string(what) +
           "; type them or give the file, not both";
}

}  // namespace

ReflectionSources reflection_sources(const planning::BenchInput& bench,
                                     const std::optional<datafiles::EnrTable>& enr_table,
                                     const std::optional<datafiles::Touchstone>& dut) {
    const auto& separate = bench.meas_source;
    return {separate ? (separate->table ? &*separate->table : nullptr)
                     : (enr_table ? &*enr_table : nullptr),
            dut ? &*dut : nullptr};
}

std::string known_reflections_refusal(const measure::ModelOptions& m, Naming naming) {
    std::string asked;
    if (m.reflections == measure::ReflectionModel::known) {
        asked = naming == Naming::flag ? "--reflections known" : "reflections='known'";
    } else if (const auto* row = std::ranges::find_if(
                   typed_reflection_inputs, [&](const ModelInput& r) { return !at_default(r, m); });
               row != typed_reflection_inputs.end()) {
        asked = named(row->name, naming);
    }
    if (asked.empty()) return {};
    return asked +
           ": the readings are evaluated with the reflections as the mismatch rows of "
           "their budget; point, sweep, advise and report predict the source-match bias";
}

void forget_known_reflections(measure::ModelOptions& m) {
    m.reflections = measure::ReflectionModel::random;
    for (const ModelInput& row : typed_reflection_inputs) {
        if (row.reflection != nullptr) (m.*row.reflection).reset();
        if (row.optional != nullptr) (m.*row.optional).reset();
    }
}

std::string typed_reflections_problem(const measure::ModelOptions& m,
                                      const ReflectionSources& files, Naming naming) {
    const bool source = m.source_on_gamma || m.source_off_gamma;
    const bool noise = m.dut_nfmin_db || m.dut_gamma_opt || m.dut_rn;
    for (std::string why :
         {below_zero(m.dut_nfmin_db, "dut_nfmin", naming, "a noise figure"),
          below_zero(m.dut_rn, "dut_rn", naming, "a noise resistance"),
          part_of({{"source_on_gamma", m.source_on_gamma.has_value()},
                   {"source_off_gamma", m.source_off_gamma.has_value()}},
                  naming, "the source's reflection is known in both states or in neither"),
          part_of({{"dut_nfmin", m.dut_nfmin_db.has_value()},
                   {"dut_gamma_opt", m.dut_gamma_opt.has_value()},
                   {"dut_rn", m.dut_rn.has_value()}},
                  naming, "the three noise parameters are known together or not at all")}) {
        if (!why.empty()) return why;
    }
    if (source && files.source_table != nullptr && files.source_table->has_reflection()) {
        return file_gives(m.source_on_gamma ? "source_on_gamma" : "source_off_gamma", naming,
                          files.source_table->name(), "the source's on and off reflections");
    }
    if (files.dut_file == nullptr) return {};
    if (m.dut_s11) return file_gives("dut_s11", naming, files.dut_file->name(), "the DUT's S11");
    if (noise && files.dut_file->has_noise_parameters()) {
        return file_gives(m.dut_nfmin_db    ? "dut_nfmin"
                          : m.dut_gamma_opt ? "dut_gamma_opt"
                                            : "dut_rn",
                          naming, files.dut_file->name(), "the DUT's noise parameters");
    }
    return {};
}

}  // namespace orlavex::app
