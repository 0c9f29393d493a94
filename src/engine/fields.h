// The 20 entry fields: which state value each one feeds, and the two
// procedures that move values between the fields and the state.
#pragma once

#include "engine/calculator.h"

#include <array>
#include <string_view>

namespace orlavex {

// The decimals of a field whose value is written back as it is, in its
// number-to-text form.
inline constexpr int every_decimal = -1;

struct FieldRule {
    Ctl field;
    double CalcState::*value;  // txtSA_InMatch: SA_InMatch (see field_value)
    bool accepts_minus;
    std::string_view empty_text;  // what the recalculation puts into an emptied field
    int written_decimals;         // what the recalculation rounds the value to when writing it
};

// What an invalid set-up leaves in the four level fields.
inline constexpr std::string_view blanked_level = "- - -";
// txtCalON, txtCalOFF, txtMeasON or txtMeasOFF.
bool is_level_field(Ctl field);

// In the order in which comma_handler reads them.
extern const std::array<FieldRule, 20> entry_fields;

const FieldRule* find_field(Ctl field);

// The state value that FIELD feeds now: txtSA_InMatch feeds ExtPA_InMatch
// while "Ext PA" is ticked and SA_InMatch otherwise.
double& field_value(Calculator& calc, const FieldRule& field);
double field_value(const Calculator& calc, const FieldRule& field);

// Writes the state value of the INDEX-th entry field into it, rounded to
// its written decimals, in the number-to-text form.
void write_field(Calculator& calc, std::size_t index);

// Reads every entry field into its state value by the number rule.
void comma_handler(Calculator& calc);

// Writes the state back into the entry fields and mirrors the DUT and
// analyzer values into the manual-mode result labels.
void Update_text_boxes(Calculator& calc);

// Centres the text of the entry fields and of lblCalcNF and lblCalcGain.
void center_justify(Calculator& calc);

}  // namespace orlavex
