// The main window as the engine sees it: its controls and its state.
#pragma once

#include "core/classic_figures.h"
#include "engine/state.h"
#include "form/form.h"

#include <array>
#include <string>

namespace orlavex {

struct Calculator;

// Runs the click handler of a check box or option button whose value code
// has just changed. The handler layer installs it; without it (engine tests)
// a value change from code runs nothing.
using ClickHandler = void (*)(Calculator&, Ctl);

// What the recalculation last read from or wrote into one entry field: the
// text and the number it reads as, and, for a text it wrote, the value and
// separator it wrote it from. A field whose text still is this text need
// not be read or written again.
struct FieldMemo {
    std::string text;
    double value = 0;
    bool written = false;
    double written_from = 0;
    char separator = '.';
};

struct Calculator {
    Form form;
    CalcState state;
    ClassicFigures figures;  // of the last Do_Calc
    ClickHandler on_value_changed = nullptr;
    // One per entry field, in the order of entry_fields (engine/fields.h).
    std::array<FieldMemo, 20> field_memo{};
};

}  // namespace orlavex
