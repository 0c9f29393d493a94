// A typed set-up taken as the calculator takes it, computed by the classic
// core without a window: each number as its field holds it (rounded to the
// characters the field takes), the catalogue models' values, every value
// held to its range; notes where that changed a value, or why the set-up
// is refused. The same refusals and notes as bringing a window to the
// set-up through its user actions (apply()), and the very figures the
// window then shows.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/setup.h"
#include "core/classic_session.h"

namespace orlavex::app {

struct Resolved {
    Applied applied;  // why the set-up is refused, or the values it changed
    // The figures of the set-up as used; meaningless when refused.
    core::ClassicResult result;
    // The calculator as the set-up leaves it, for user actions to follow.
    core::ClassicSession session;
};

Resolved resolve(const Setup& setup, const ApplyOptions& options = {});

// "range 0.01 to 8 GHz": the bounds RESULT held ROW's field to, and whether
// VALUE lies within them.
std::string range_text(const core::ClassicResult& result, const FieldInput& row);
bool in_range(const core::ClassicResult& result, const FieldInput& row, double value);

}  // namespace orlavex::app
