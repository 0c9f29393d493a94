// Each input of the point command as a user gives it: the option, and a
// value an RF engineer would type, for tables of cases over every input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orlavex::cli::test {

// The arguments that give the input named by its Python keyword ("dut_nf",
// "loss_in_s2p", "analyzer", ...), with what it needs beside it
// (--freq2 its --freq-conv, --int-preamp an analyzer that has one).
std::vector<std::string> example_args(std::string_view keyword);

// The input's key in a set-up file ("dut_nf_db"; a data file's under
// "data_files").
std::string setup_key(std::string_view keyword);

// Every input point takes, by keyword: the window's fields and choices,
// the bench and the measurement model.
std::vector<std::string> point_keywords();

// The pairs of inputs that exclude each other (two forms of one field, a
// loss as a value and as a file, two kinds of measurement source), each
// pair in both orders.
std::vector<std::pair<std::string, std::string>> exclusive_pairs();

}  // namespace orlavex::cli::test
