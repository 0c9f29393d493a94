// Values a front-end enters into the window's fields at one point (a swept
// value, a data file's value at the point's frequency): each as its field
// holds it, and checked afterwards against what the calculator used.
#pragma once

#include "core/classic_setup.h"
#include "datafiles/lookup.h"
#include "form/control_id.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlavex::planning {

// Where a value goes: its entry field, which holds it to its characters, and
// the set-up value it is.
struct Binding {
    Ctl field = Ctl::none;
    double core::ClassicValues::*value = nullptr;
    std::string_view what;  // for messages: "DUT gain"
    std::string_view unit;  // " dB", " GHz", ""
};

// A value entered at one point, checked against what the window made of it.
struct Entry {
    Binding where;
    double value;
};

// Enters VALUE into SETUP as WHERE's field holds it, noting it in ENTRIES
// and, when ENTERED is given, there too; false when the field cannot hold it
// at all.
bool put(const Binding& where, double value, core::ClassicSetup& setup, std::vector<Entry>& entries,
         double* entered);

// As put, for a value a data file gives from RECORDS: why the field cannot
// hold it ("ENR from the table, 1e+06 dB (record at 2 GHz (line 7)), does
// not fit the window's field of 5 characters"), or empty.
std::string put_table_value(const Binding& where, double value,
                            const datafiles::AppliedRecords& records, core::ClassicSetup& setup,
                            std::vector<Entry>& entries);

// The first of ENTRIES the calculator did not use as entered (it held it to
// its range), as "ENR from the table 70 dB is outside what the window takes
// (it would use 65 dB)"; empty when it used them all.
std::string entry_not_taken(const core::ClassicValues& used, const std::vector<Entry>& entries);

}  // namespace orlavex::planning
