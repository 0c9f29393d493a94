// The character filter and the default editing of a text box, over random
// texts, selections, focused controls and typed characters. After each
// character the focused field's text and selection must still make sense.
#include "engine/controls.h"
#include "engine/fields.h"
#include "window/handlers.h"
#include "window/user_actions.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using orlavex::Calculator;
using orlavex::Ctl;

void require(bool ok, const char* what, const std::string& before, const std::string& after) {
    if (ok) return;
    std::fprintf(stderr, "%s: \"%s\" became \"%s\"\n", what, before.c_str(), after.c_str());
    std::abort();
}

long count_of(const std::string& s, const char* set) {
    return static_cast<long>(std::count_if(s.begin(), s.end(), [&](char c) {
        return std::string_view(set).find(c) != std::string_view::npos;
    }));
}

// Reads bytes from the input, then zeros.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t next() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
};

void check_one_character(Calculator& calc, char ch) {
    const Ctl field = calc.form.focus;
    if (!orlavex::is_entry_field(field)) {
        orlavex::type_character(calc, ch);
        return;
    }
    const orlavex::Control& c = calc.form[field];
    const std::string before = c.text;
    const int length = static_cast<int>(before.size());
    const bool whole = c.sellength == length;
    const bool starts = c.selstart == 0;
    orlavex::type_character(calc, ch);
    // Enter recalculates, which rewrites every field from its value.
    if (ch == '\r' || calc.form.focus != field) return;
    const std::string& after = c.text;

    require(c.selstart >= 0 && c.sellength >= 0 &&
                c.selstart + c.sellength <= static_cast<int>(after.size()),
            "selection outside the text", before, after);
    const int max = orlavex::layout_row(field).max_length;
    require(max == 0 || static_cast<int>(after.size()) <= std::max(max, length), "field overfilled",
            before, after);
    const bool digit = ch >= '0' && ch <= '9';
    if (!digit && ch != '\b' && ch != '.' && ch != ',' && ch != '-') {
        require(after == before, "a rejected character changed the text", before, after);
    }
    if (ch == '.' || ch == ',') {
        if (count_of(before, ".,") > 0 && !whole) {
            require(after == before, "a second decimal separator got in", before, after);
        }
        require(count_of(after, ".,") <= std::max(count_of(before, ".,"), 1L),
                "decimal separators multiplied", before, after);
    }
    if (ch == '-') {
        const orlavex::FieldRule* rule = orlavex::find_field(field);
        const bool allowed = rule != nullptr && rule->accepts_minus;
        const long minus_before = count_of(before, "-");
        const long minus_after = count_of(after, "-");
        if (!allowed) require(minus_after <= minus_before, "a minus got in", before, after);
        if (minus_after > minus_before) {
            require(after.front() == '-' && (whole || (starts && minus_before == 0)),
                    "a minus away from the start", before, after);
        }
    }
}

// What typing can change when no character recalculates: the focused
// field, the keyboard step, and the focus and separator set up for the run.
struct Touched {
    Ctl focus;
    orlavex::Control field;
    double step;
    char separator;
};

// Typing recalculates only through Enter, or through Space or the focus
// moving on when the focus is not on an entry field that can hold it.
bool may_recalculate(const Calculator& calc, Ctl focus, Bytes typed) {
    if (!orlavex::is_entry_field(focus) || !orlavex::can_take_focus(calc.form, focus)) return true;
    while (typed.size > 0) {
        if (typed.next() == '\r') return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every input starts from the same started window. Starting it, or even
    // copying it, costs far more under the sanitizers than typing, so one
    // window is kept: an input that cannot recalculate puts back what it
    // touched, any other input gets a fresh copy.
    static const Calculator started = [] {
        Calculator calc = orlavex::make_calculator();
        orlavex::Form_Load(calc);
        return calc;
    }();
    static Calculator calc = started;

    Bytes in{data, size};
    // Mostly an entry field; now and then any control at all.
    const std::uint8_t which = in.next();
    Ctl focus = orlavex::entry_fields[which % orlavex::entry_fields.size()].field;
    if (which >= 240) focus = static_cast<Ctl>(in.next() * 7 % orlavex::control_count);
    const std::uint8_t text_length = in.next() % 12;
    Bytes typed = in;
    for (int n = 0; n < text_length + 3; ++n)
        typed.next();
    const bool fresh = may_recalculate(calc, focus, typed);
    if (fresh) calc = started;
    const Touched saved{calc.form.focus, calc.form[focus], calc.state.StepSize,
                        calc.form.decimal_separator};
    calc.form.focus = focus;

    std::string text;
    for (int n = text_length; n > 0; --n)
        text += static_cast<char>(in.next());
    if (orlavex::is_entry_field(focus)) {
        orlavex::paste_text(calc, focus, text);
        const int length = static_cast<int>(text.size());
        const int start = in.next() % (length + 1);
        orlavex::select_text(calc, start, in.next() % (length - start + 1));
    } else {
        in.next();
        in.next();
    }
    if (in.next() & 1) calc.form.decimal_separator = ',';
    while (in.size > 0)
        check_one_character(calc, static_cast<char>(in.next()));

    if (fresh) {
        calc = started;
    } else {
        calc.form.focus = saved.focus;
        calc.form[focus] = saved.field;
        calc.state.StepSize = saved.step;
        calc.form.decimal_separator = saved.separator;
    }
    return 0;
}
