#include "app/inputs/classic_apply.h"

#include "app/inputs/catalogue_names.h"
#include "app/texts.h"
#include "catalogue/catalogue.h"
#include "core/classic_inputs.h"
#include "core/field_entry.h"
#include "core/number_text.h"
#include "engine/fields.h"
#include "form/field_ranges.h"
#include "measure/analyzer_noise.h"

#include <algorithm>
#include <cmath>

namespace orlavex::app {

namespace {

using enum Ctl;

// The set-up being taken and how it speaks.
struct Context {
    const Setup& setup;
    ApplyOptions options;

    std::string option(std::string_view keyword) const {
        if (options.naming == Naming::keyword) return std::string(keyword);
        std::string flag = "--" + std::string(keyword);
        std::ranges::replace(flag, '_', '-');
        return flag;
    }
    std::string name(const FieldInput& row) const {
        return std::string(name_of(row, options.naming));
    }
    std::string listing(std::string_view what) const {
        std::string function(what);
        std::ranges::replace(function, '-', '_');
        return options.naming == Naming::keyword ? "orlavex." + function + "()"
                                                 : "orlavex-cli catalogue " + std::string(what);
    }
};

// The catalogue model NAME stands for; nullptr for "User". Why the name is
// refused, in WHY.
template <typename Model, typename Find>
const Model* model_named(const Context& c, std::string_view option, std::string_view name,
                         std::string_view catalogue_name, std::string_view listing, Find find,
                         std::string& why) {
    if (is_user(name)) return nullptr;
    const std::string who = c.option(option);
    if (catalogue_name.empty()) {
        why = who + ": unknown model " + app::quoted(name) + " (see " + c.listing(listing) + ")";
        return nullptr;
    }
    const Model* model = find(catalogue_name);
    if (model == nullptr) why = who + ": " + app::quoted(name) + " is not in the menu";
    return model;
}

// The analyzer's name as messages give it.
std::string analyzer_text(const core::ClassicChoices& choices) {
    return std::string(core::analyzer_name(choices));
}

std::string choose_preamp(core::ClassicSession& t, const Context& c) {
    const std::string who = c.option("int_preamp");
    const catalogue::AnalyzerModel* model = t.setup.choices.analyzer;
    if (model == nullptr || catalogue::preamp_kind(*model) == catalogue::Preamp::none) {
        return who + ": the analyzer " + analyzer_text(t.setup.choices) +
               " has no internal preamplifier";
    }
    t.tick(&core::ClassicChoices::int_preamp, true);
    if (!c.setup.int_preamp_option) return {};
    // Models with two preamplifiers ask which one is fitted.
    if (catalogue::preamp_kind(*model) != catalogue::Preamp::options) {
        return who + ": the analyzer " + analyzer_text(t.setup.choices) +
               " has one internal preamplifier; give no option number";
    }
    t.choose_preamp_option(*c.setup.int_preamp_option);
    return {};
}

std::string choose_models(core::ClassicSession& t, const Context& c) {
    const Setup& setup = c.setup;
    std::string why;
    if (setup.noise_source) {
        const auto* model = model_named<catalogue::NoiseSourceModel>(
            c, "noise_source", *setup.noise_source, noise_source_in_catalogue(*setup.noise_source),
            "noise-sources", catalogue::find_noise_source, why);
        if (!why.empty()) return why;
        t.choose_noise_source(model);
    }
    if (setup.analyzer) {
        const auto* model = model_named<catalogue::AnalyzerModel>(
            c, "analyzer", *setup.analyzer, analyzer_in_catalogue(*setup.analyzer), "analyzers",
            catalogue::find_analyzer, why);
        if (!why.empty()) return why;
        t.choose_analyzer(model);
    }
    if (setup.int_preamp) return choose_preamp(t, c);
    return {};
}

// A field a chosen catalogue model fixes cannot be entered.
std::string fixed_by_model(const core::ClassicSetup& s, const Context& c, const FieldInput& row) {
    if (row.fixed_by == FixedBy::analyzer && s.choices.analyzer != nullptr) {
        return c.name(row) + ": the analyzer " + analyzer_text(s.choices) +
               " fixes this value (use " + c.option("analyzer") + " User to enter it)";
    }
    if (row.fixed_by == FixedBy::noise_source && s.choices.noise_source != nullptr) {
        return c.name(row) + ": the noise source " +
               std::string(core::noise_source_name(s.choices)) + " fixes this value (use " +
               c.option("noise_source") + " User to enter it)";
    }
    return {};
}

// The form ROW's option button chooses.
void choose_form(core::ClassicChoices& choices, const FieldInput& row) {
    const bool rl = row.format == optDUTIn_RL || row.format == optDUTOut_RL ||
                    row.format == optNS_Match_RL || row.format == optSA_InMatch_RL;
    const core::MatchForm form = rl ? core::MatchForm::return_loss : core::MatchForm::vswr;
    switch (row.format) {
        case optDUTIn_VSWR:
        case optDUTIn_RL:
            choices.dut_in_form = form;
            break;
        case optDUTOut_VSWR:
        case optDUTOut_RL:
            choices.dut_out_form = form;
            break;
        case optNS_Match_VSWR:
        case optNS_Match_RL:
            choices.source_form = form;
            break;
        case optSA_InMatch_VSWR:
        case optSA_InMatch_RL:
            choices.analyzer_form = form;
            break;
        case optSA_Noise_NF:
        case optSA_Noise_DANL:
            choices.analyzer_noise_as_nf = row.format == optSA_Noise_NF;
            break;
        default:
            break;
    }
}

// The state's range of ROW's field with RESULT's forms and limits.
const FieldRange& row_range(const core::ClassicResult& result, const FieldInput& row) {
    return field_range(row.field, core::field_form(result.used.choices, row.field));
}

// Why ROW's field in S does not take VALUE as typed, or empty; the text it
// holds then in TEXT.
std::string entry_refusal(const core::ClassicSetup& s, const Context& c, const FieldInput& row,
                          double value, std::string& text) {
    text = std::isfinite(value) ? core::entry_text(row.field, value) : std::string();
    if (text.empty()) {
        core::ClassicResult now = core::classic_figures(s);
        return c.name(row) + ": " + shortest_text(value) + " is not a value the field takes (" +
               range_text(now, row) + ")";
    }
    // The output frequency's field shows only with a converting DUT, the
    // calibration levels only with second-stage correction.
    if (row.field == txtFreq2 && !s.choices.freq_conv)
        return c.name(row) + ": an output frequency needs " + c.option("freq_conv") +
               " (a frequency-converting DUT)";
    if ((row.field == txtCalON || row.field == txtCalOFF) && !s.choices.second_stage)
        return c.name(row) + ": without second-stage correction there is no calibration";
    if (text.starts_with('-') && !find_field(row.field)->accepts_minus) {
        core::ClassicResult now = core::classic_figures(s);
        return c.name(row) + ": the field does not take " + app::quoted(shortest_text(value)) +
               " (" + range_text(now, row) + ")";
    }
    return {};
}

// Enters VALUE as ROW's field takes it, then Enter recalculates.
std::string enter(core::ClassicSession& t, const Context& c, const FieldInput& row, double value) {
    choose_form(t.setup.choices, row);
    std::string text;
    if (std::string why = entry_refusal(t.setup, c, row, value, text); !why.empty()) return why;
    t.enter(row.value, read_number(text));
    return {};
}

bool is_ext_preamp_row(const FieldInput& row) {
    return row.name.starts_with("ext_preamp");
}

std::string enter_fields(core::ClassicSession& t, const Context& c, bool ext_preamp_rows) {
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        if (!value || is_ext_preamp_row(row) != ext_preamp_rows) continue;
        if (row.scope == Scope::levels) continue;
        if (std::string why = fixed_by_model(t.setup, c, row); !why.empty()) return why;
        if (std::string why = enter(t, c, row, *value); !why.empty()) return why;
    }
    return {};
}

// Showing the levels' frames chooses the analyzer noise as a noise figure,
// converting the field's noise level.
void show_level_frames(core::ClassicSetup& s) {
    if (s.choices.analyzer_noise_as_nf) return;
    s.choices.analyzer_noise_as_nf = true;
    s.values.analyzer_noise =
        shown_value(round_to(measure::noise_figure_from_signed_level(s.values.analyzer_noise), 2));
}

// The calculator made ready for measured levels, none entered yet.
std::string to_manual_mode(core::ClassicSession& t) {
    show_level_frames(t.setup);
    // Measured levels come from the analyzer at hand, a "User" one without
    // preamplifiers: the box, once ticked, makes the analyzer "User" and
    // takes the external preamplifier out, recalculating at each step.
    if (t.focus_in_field) t.recalculate();
    t.focus_in_field = false;
    // An invalid set-up locks the box.
    if (t.last.end == core::ClassicEnd::invalid_dut)
        return "evaluate: the DUT's noise figure is below its loss (its gain is negative), which "
               "the calculator takes as no DUT; give a noise figure of at least the loss";
    t.setup.choices.manual = true;
    t.setup.choices.analyzer = nullptr;
    t.setup.choices.int_preamp = false;
    t.recalculate();
    t.setup.choices.ext_preamp = false;
    t.recalculate();
    t.recalculate();
    return {};
}

std::string enter_levels(core::ClassicSession& t, const Context& c) {
    if (std::string why = to_manual_mode(t); !why.empty()) return why;
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        if (!value || row.scope != Scope::levels) continue;
        if (std::string why = enter(t, c, row, *value); !why.empty()) return why;
    }
    return {};
}

// The fields and choices of the set-up taken; with LEVELS its measured
// levels too, else the calculator is left in manual mode before them.
std::string take_choices_and_fields(core::ClassicSession& t, const Context& c, bool levels = true) {
    const Setup& setup = c.setup;
    if (!setup.second_stage) {
        t.setup.choices.second_stage = false;
        t.recalculate();
    }
    if (setup.freq_conv) t.tick(&core::ClassicChoices::freq_conv, true);
    if (std::string why = choose_models(t, c); !why.empty()) return why;
    if (std::string why = enter_fields(t, c, false); !why.empty()) return why;
    if (setup.ext_preamp || setup.any_ext_preamp_field())
        t.tick(&core::ClassicChoices::ext_preamp, true);
    if (std::string why = enter_fields(t, c, true); !why.empty()) return why;
    if (!setup.manual) return {};
    return levels ? enter_levels(t, c) : to_manual_mode(t);
}

// What the calculator made of ROW's VALUE, when it is not VALUE itself.
std::string change_note(const core::ClassicResult& result, const Context& c, const FieldInput& row,
                        double value) {
    const double typed = read_number(core::entry_text(row.field, value));
    const double used = result.used.values.*row.value;
    if (used == value) return {};
    const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
    std::string why;
    if (typed != value) {
        why = "as the field holds it";
    } else {
        why = in_range(result, row, value) ? "as the window rounds it" : range_text(result, row);
    }
    return c.name(row) + ": " + shortest_text(value) + unit + " is taken as " +
           general_text(used, '.') + unit + " (" + why + ")";
}

Applied changes(const core::ClassicResult& result, const Context& c) {
    Applied applied;
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        // Levels count only when they are evaluated, and the prediction's
        // DUT only when it is predicted: a plan's DUT noise figure that
        // evaluation holds but does not use gets no note.
        const Scope unused = c.setup.manual ? Scope::prediction : Scope::levels;
        if (!value || row.scope == unused) continue;
        std::string note = change_note(result, c, row, *value);
        if (note.empty()) continue;
        if (c.options.strict) {
            applied.refused = note + "; refused with " +
                              (c.options.naming == Naming::flag ? "--strict" : "strict=True");
            return applied;
        }
        applied.notes.push_back(std::move(note));
    }
    return applied;
}

}  // namespace

std::string range_text(const core::ClassicResult& result, const FieldInput& row) {
    const FieldRange& range = row_range(result, row);
    const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
    return "range " + general_text(range.min, '.') + " to " +
           general_text(core::upper_end(result, range), '.') + unit;
}

bool in_range(const core::ClassicResult& result, const FieldInput& row, double value) {
    const FieldRange& range = row_range(result, row);
    return value >= range.min && value <= core::upper_end(result, range);
}

std::string_view name_of(const FieldInput& row, Naming naming) {
    return naming == Naming::keyword ? row.name : row.flag;
}

Resolved resolve(const Setup& setup, const ApplyOptions& options) {
    const Context c{setup, options};
    core::ClassicSession t = core::ClassicSession::started();
    if (std::string refused = take_choices_and_fields(t, c); !refused.empty())
        return {Applied{std::move(refused), {}}, {}, {}};
    // One more recalculation: a value entered after the frequency was held
    // to an instrument's limit then has the catalogue values at the held
    // frequency too.
    t.recalculate();
    Resolved resolved{{}, t.last, t};
    resolved.applied = changes(resolved.result, c);
    return resolved;
}

LevelsResolver::LevelsResolver(const ApplyOptions& options) : options_(options) {}

namespace {

// The frequency the analyzer sees: a converting DUT's output.
std::optional<double> analyzer_frequency(const Setup& setup) {
    return setup.freq_conv ? setup.field("freq2") : setup.field("freq");
}

// SETUP without the values each set-up of a band has its own.
Setup shared_part(const Setup& setup) {
    Setup shared = setup;
    shared.field("freq").reset();
    shared.field("freq2").reset();
    return shared;
}

}  // namespace

// Manual mode makes the analyzer "User": a catalogue analyzer leaves its
// match and noise at the frequency the calculator stood at in the fields.
// With a "User" analyzer one calculator serves every frequency; with a
// catalogue one, one for each of its values met.
void LevelsResolver::prepare(const Setup& setup) {
    started_ = true;
    replay_ = !setup.manual;
    if (replay_) return;
    if (setup.analyzer && !is_user(*setup.analyzer)) {
        analyzer_ = catalogue::find_analyzer(analyzer_in_catalogue(*setup.analyzer));
        replay_ = analyzer_ == nullptr;  // refused: each set-up says why
        return;
    }
    // The frequencies are each set-up's own, as the levels are. Entered
    // after the other fields they give what entered among them gives: no
    // other field's range depends on them, and each recalculation takes a
    // catalogue noise source's values at them afresh.
    core::ClassicSession t = core::ClassicSession::started();
    replay_ = !take_choices_and_fields(t, {shared_part(setup), options_}, false).empty();
    if (!replay_) prepared_.push_back({{}, std::move(t)});
}

const core::ClassicSession* LevelsResolver::prepared_for(const Setup& setup) {
    if (replay_) return nullptr;
    if (analyzer_ == nullptr) return &prepared_.front().session;
    // Beyond the analyzer, the frequency fields are held to its limit
    // before manual mode and not after.
    const std::optional<double> f = analyzer_frequency(setup);
    const double limit = catalogue::upper_frequency(*analyzer_);
    if (!f || !setup.field("freq") || *setup.field("freq") > limit ||
        (setup.field("freq2") && *setup.field("freq2") > limit))
        return nullptr;
    const AnalyzerKey key = {catalogue::analyzer_input_vswr(*analyzer_, *f),
                             catalogue::analyzer_noise(*analyzer_, *f, false, false),
                             catalogue::analyzer_noise(*analyzer_, *f, false, true),
                             catalogue::analyzer_noise(*analyzer_, *f, true, false),
                             catalogue::analyzer_noise(*analyzer_, *f, true, true)};
    for (const Prepared& p : prepared_)
        if (p.key == key) return &p.session;
    // The first set-up with these values brings its own calculator to
    // manual mode at its frequencies.
    core::ClassicSession t = core::ClassicSession::started();
    if (!take_choices_and_fields(t, {setup, options_}, false).empty()) return nullptr;
    prepared_.push_back({key, std::move(t)});
    return &prepared_.back().session;
}

std::optional<Resolved> LevelsResolver::taken_at_once(const core::ClassicSession& prepared,
                                                      const Setup& setup) const {
    const Context c{setup, options_};
    core::ClassicSession t = prepared;
    for (const FieldInput& row : field_inputs()) {
        const bool per_point =
            row.scope == Scope::levels || row.field == Ctl::txtFreq || row.field == Ctl::txtFreq2;
        const std::optional<double>& value = setup[row];
        if (!per_point || !value) continue;
        choose_form(t.setup.choices, row);
        std::string text;
        // A value the field refuses: the set-up's own user actions say why.
        if (!entry_refusal(t.setup, c, row, *value, text).empty()) return std::nullopt;
        t.setup.values.*row.value = read_number(text);
    }
    // The last level's Enter, and resolve's recalculation after it.
    t.focus_in_field = true;
    t.recalculate();
    t.recalculate();
    // Each level's Enter writes the figures the levels then give back into
    // the analyzer noise and the DUT's fields; levels evaluated in full (or
    // without the calibration, which writes none) replace them all, so that
    // the levels entered one by one come to the same.
    if (t.last.used.choices.second_stage && t.last.end != core::ClassicEnd::complete)
        return std::nullopt;
    Resolved resolved{{}, t.last, t};
    resolved.applied = changes(resolved.result, c);
    return resolved;
}

Resolved LevelsResolver::resolve(const Setup& setup) {
    if (!started_) prepare(setup);
    if (const core::ClassicSession* prepared = prepared_for(setup)) {
        if (std::optional<Resolved> taken = taken_at_once(*prepared, setup))
            return std::move(*taken);
    }
    ++alone_;
    return app::resolve(setup, options_);
}

}  // namespace orlavex::app
