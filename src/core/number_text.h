// How texts become numbers and numbers become texts, everywhere in the
// calculator. None of this depends on the C library's locale: the decimal
// separator for writing is passed in, and reading accepts both.
#pragma once

#include <string>
#include <string_view>

namespace orlavex {

// The number rule: every comma is a decimal point; blanks, tabs and line
// feeds are skipped anywhere; then an optional sign, digits with at most one
// point and an optional exponent (E or D, either case) are taken, up to the
// first character that does not fit. No leading number reads as 0. A number
// too large for a double reads as the largest double of its sign.
double read_number(std::string_view text);

// The number-to-text form: at most 15 significant digits, no trailing
// zeros, no separator for a whole value, `separator` as decimal separator.
std::string general_text(double x, char separator = '.');

// What reading back the number-to-text form of x gives:
// read_number(general_text(x)), computed without the text. It is x itself
// unless x needs more than 15 significant digits; zero reads back as +0.
double shown_value(double x);

// x rounded to `places` decimals, ties to the even digit. Rounding works on
// the value's 15-digit decimal form, so 2.675 is a tie as a user reads it.
double round_to(double x, int places);

// A spreadsheet-style number format: " 0.00" writes a literal blank, then at
// least one integer digit and exactly two decimals (ties away from zero).
// The empty format writes the number-to-text form.
std::string format_number(double x, std::string_view format, char separator = '.');

}  // namespace orlavex
