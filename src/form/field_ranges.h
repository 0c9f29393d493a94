// The range of every entry field, per form of the value it holds: the bounds
// the recalculation holds the value to and the tool tips that name them. The
// recalculation, the format switches, the layout's start-up tool tips and
// the soak checks all read this one table.
#pragma once

#include "form/control_id.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orlavex {

// How a field's value is written. The option buttons beside a match field
// or the analyzer-noise field choose one of two forms.
enum class ValueForm : std::uint8_t {
    plain,  // the field has one form only
    vswr,
    return_loss,   // dB
    noise_figure,  // dB
    noise_level,   // dBm/Hz, the analyzer's displayed average noise level
};

// Where the upper end of a range comes from: the row itself, or a limit the
// state holds (see upper_end in engine/field_bounds.h).
enum class UpperEnd : std::uint8_t {
    fixed,                     // FieldRange::max
    frequency_limit,           // FreqMax
    analyzer_frequency_limit,  // SA_FreqMax
    return_loss_limit,         // RL_Max
};

// Stands for the upper end in a tool tip; replaced by its number when the
// tip is written.
inline constexpr std::string_view upper_end_mark = "{max}";

struct FieldRange {
    Ctl field;
    ValueForm form = ValueForm::plain;
    Ctl option = Ctl::none;  // the option button that chooses FORM
    double min = 0;
    double max = 0;  // the upper end when UPPER is fixed
    UpperEnd upper = UpperEnd::fixed;
    // The tool tip the recalculation or a format switch writes for this
    // form; empty where the field keeps its start-up tip.
    std::string_view tip{};
    // The tool tip the layout gives the field; empty where the first
    // recalculation writes one.
    std::string_view startup_tip{};
};

namespace field_range_rows {

using enum Ctl;

constexpr FieldRange vswr(Ctl field, Ctl option) {
    return {.field = field,
            .form = ValueForm::vswr,
            .option = option,
            .min = 1,
            .max = 35,
            .tip = "Range: 1 to 35"};
}

constexpr FieldRange return_loss(Ctl field, Ctl option, UpperEnd upper, double max = 0) {
    return {.field = field,
            .form = ValueForm::return_loss,
            .option = option,
            .min = 0.5,
            .max = max,
            .upper = upper,
            .tip = "Range: 0.5 to {max} dB"};
}

constexpr FieldRange frequency(Ctl field, UpperEnd upper) {
    return {.field = field,
            .min = 0.01,
            .upper = upper,
            .tip = "Range: 0.01 to {max} GHz",
            .startup_tip = "Range: .01 to 67 GHz"};
}

constexpr FieldRange plain(Ctl field, double min, double max, std::string_view startup_tip) {
    return {.field = field, .min = min, .max = max, .startup_tip = startup_tip};
}

constexpr FieldRange level(Ctl field) {
    return plain(field, -174, 0, "Range: 0 to -174 dBm");
}

// A field with two forms lists first the form its option button must
// choose; the second is the form it has otherwise.
inline constexpr std::array table{
    vswr(txtDUT_InMatch, optDUTIn_VSWR),
    // The DUT input has its own return-loss ceiling, whatever RL_Max holds.
    return_loss(txtDUT_InMatch, optDUTIn_RL, UpperEnd::fixed, 50),
    vswr(txtDUT_OutMatch, optDUTOut_VSWR),
    return_loss(txtDUT_OutMatch, optDUTOut_RL, UpperEnd::return_loss_limit),
    vswr(txtNS_Match, optNS_Match_VSWR),
    return_loss(txtNS_Match, optNS_Match_RL, UpperEnd::return_loss_limit),
    vswr(txtSA_InMatch, optSA_InMatch_VSWR),
    return_loss(txtSA_InMatch, optSA_InMatch_RL, UpperEnd::return_loss_limit),
    FieldRange{.field = txtSA_Noise,
               .form = ValueForm::noise_figure,
               .option = optSA_Noise_NF,
               .min = 0,
               .max = 60,
               .tip = "NF Range: 0 to 60 dB"},
    FieldRange{.field = txtSA_Noise,
               .form = ValueForm::noise_level,
               .option = optSA_Noise_DANL,
               .min = -176.22,
               .max = -116.22,
               .tip = "DANL Range: -176.22 to -116.22 dBm/Hz"},
    frequency(txtFreq, UpperEnd::frequency_limit),
    frequency(txtFreq2, UpperEnd::analyzer_frequency_limit),
    plain(txtENR_Unc, 0, 5, "Range: 0 to 5 dB"),
    plain(txtDUT_NF, 0, 100, "Range: 0 to 100 dB"),
    plain(txtDUT_Gain, -100, 100, "Range: -100 to 100 dB"),
    plain(txtExtPA_Gain, 0, 50, "Range: 0 to 50 dB"),
    plain(txtExtPA_NF, 0, 40, "Range: 0 to 40 dB"),
    plain(txtSAGainUnc, 0, 1, "Range: 0 to 1 dB"),
    plain(txtSANFUnc, 0, 1, "Range: 0 to 1 dB"),
    // The start-up tip names 1 dB, the bound is 0: the window has always
    // shown it so.
    plain(txtENR, 0, 30, "Range: 1 to 30 dB"),
    plain(txtToff, -100, 100, "Range: -100 to +100"),
    level(txtCalON),
    level(txtCalOFF),
    level(txtMeasON),
    level(txtMeasOFF),
};

}  // namespace field_range_rows

inline constexpr auto& field_ranges = field_range_rows::table;

// Every row with a variable upper end names it in its tip; start-up tips are
// fixed texts; a second form always has an option button that chooses it;
// the rows of one field follow one another.
constexpr bool field_ranges_well_formed() {
    for (std::size_t i = 0; i < field_ranges.size(); ++i) {
        const FieldRange& r = field_ranges[i];
        const bool tip_names_upper = r.tip.find(upper_end_mark) != std::string_view::npos;
        if (r.upper != UpperEnd::fixed && !tip_names_upper) return false;
        if (r.startup_tip.find(upper_end_mark) != std::string_view::npos) return false;
        if ((r.option == Ctl::none) != (r.form == ValueForm::plain)) return false;
        for (std::size_t j = i + 2; j < field_ranges.size(); ++j) {
            if (field_ranges[j].field == r.field && field_ranges[j - 1].field != r.field) {
                return false;
            }
        }
    }
    return true;
}
static_assert(field_ranges_well_formed());

// Where each control's rows start in field_ranges and how many there are
// (none for a control that is not an entry field).
struct FieldRangeRows {
    std::uint8_t first = 0;
    std::uint8_t count = 0;
};
inline constexpr auto field_range_rows_of = [] {
    std::array<FieldRangeRows, control_count> rows{};
    for (std::size_t i = field_ranges.size(); i-- > 0;) {
        FieldRangeRows& of = rows[static_cast<std::size_t>(field_ranges[i].field)];
        of.first = static_cast<std::uint8_t>(i);
        ++of.count;
    }
    return rows;
}();

// The rows of FIELD, one per form.
constexpr std::span<const FieldRange> ranges_of(Ctl field) {
    const FieldRangeRows& of = field_range_rows_of[static_cast<std::size_t>(field)];
    return std::span<const FieldRange>(field_ranges).subspan(of.first, of.count);
}

// The row of entry field FIELD in FORM; its first row if it has no such form.
constexpr const FieldRange& field_range(Ctl field, ValueForm form = ValueForm::plain) {
    const std::span<const FieldRange> rows = ranges_of(field);
    for (const FieldRange& r : rows) {
        if (r.form == form) return r;
    }
    return rows.front();
}

// The tool tip the layout gives FIELD, or none.
constexpr std::string_view startup_tip(Ctl field) {
    for (const FieldRange& r : ranges_of(field)) {
        if (!r.startup_tip.empty()) return r.startup_tip;
    }
    return {};
}

}  // namespace orlavex
