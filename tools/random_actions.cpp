#include "random_actions.h"

#include "core/number_text.h"
#include "window/dispatch.h"

#include <array>
#include <string_view>

namespace orlavex::soak {

namespace {

std::string command_name(const ControlRow& row) {
    std::string name(row.name);
    if (row.index >= 0) {
        name += ' ';
        name += std::to_string(row.index);
    }
    return name;
}

// Texts a user might paste that sit at the edges of the number rule.
constexpr std::array<std::string_view, 36> odd_texts = {
    "",    "-",    "1e999", "-1e999", "1,2,3",  "   ",  "abc",    "1E308", "-1E308",
    "-0",  "9D9",  "-9D9",  "1e-999", ".",      ",",    "1..2",   "+5",    "--5",
    "5-",  "1e",   "e5",    "\t7",    "0,5",    "-174", "100",    "-100",  "35",
    "0.5", "1d-3", "0",     "-0.001", "999999", "1e15", "4e-320", "1.5E+", "60",
};

constexpr std::string_view typed_characters = "0123456789-,.-,. aAzZeEdD+\b";

constexpr std::array<std::string_view, 12> key_names = {
    "PageUp", "PageDown", "Up",  "Down",      "Left",  "Right",
    "Home",   "End",      "Tab", "Backspace", "Enter", "Escape",
};

}  // namespace

RandomActions::RandomActions(std::uint64_t seed) : rng_(seed) {
    for (const ControlRow& row : layout) {
        if (row.kind == Kind::Field) fields_.emplace_back(row.name);
        if (takes_focus(row.kind)) focusable_.push_back(command_name(row));
        const bool has_action = find_handler(row.id, Event::Click) != nullptr ||
                                find_handler(row.id, Event::MouseUp) != nullptr;
        if (has_action || takes_focus(row.kind)) clickable_.push_back(command_name(row));
    }
}

int RandomActions::below(int n) {
    return static_cast<int>(rng_() % static_cast<std::uint64_t>(n));
}

const std::string& RandomActions::pick(const std::vector<std::string>& names) {
    return names[static_cast<std::size_t>(below(static_cast<int>(names.size())))];
}

std::string RandomActions::odd_text() {
    switch (below(4)) {
        case 3:
            // The edge of a field's range, whichever field it is.
            return below(2) == 0 ? "1e999" : "-1e999";
        case 0: {
            // An ordinary number, as a user types it, either separator.
            const double x = (static_cast<double>(below(400001)) - 200000) / 1000;
            return general_text(x, below(2) == 0 ? '.' : ',');
        }
        case 1: {
            std::string s;
            for (int n = below(8); n > 0; --n)
                s += typed_characters[static_cast<std::size_t>(below(typed_characters.size()))];
            return s;
        }
        default:
            return std::string(odd_texts[static_cast<std::size_t>(below(odd_texts.size()))]);
    }
}

std::string RandomActions::typing() {
    std::string s = "type ";
    // A blank (which ticks a focused check box and so may recalculate) ends
    // the line, and no Enter is typed (key Enter covers it): what is typed
    // after a recalculation in the same line would leave the fields no longer
    // as that recalculation wrote them.
    for (int n = 1 + below(5); n > 0; --n) {
        const char ch = typed_characters[static_cast<std::size_t>(below(typed_characters.size()))];
        s += ch;
        if (ch == ' ') break;
    }
    return s;
}

std::string RandomActions::pasting() {
    return "text " + pick(fields_) + " " + odd_text();
}

std::string RandomActions::key() {
    std::string s = "key ";
    s += key_names[static_cast<std::size_t>(below(key_names.size()))];
    const int modifiers = below(8);
    if (modifiers & 1) s += " shift";
    if (modifiers & 2) s += " ctrl";
    if (modifiers & 4) s += " alt";
    return s;
}

std::string RandomActions::selecting(const Calculator& calc) {
    const Ctl focus = calc.form.focus;
    const int length = focus == Ctl::none ? 0 : static_cast<int>(calc.form[focus].text.size());
    if (below(10) == 0) {
        return std::string("select ") + std::to_string(below(length + 3) - 1) + " " +
               std::to_string(below(length + 3) - 1);
    }
    const int start = below(length + 1);
    return std::string("select ") + std::to_string(start) + " " +
           std::to_string(below(length - start + 1));
}

std::string RandomActions::next(const Calculator& calc) {
    const int roll = below(100);
    if (roll < 24) return typing();
    if (roll < 36) return pasting();
    if (roll < 50) return key();
    if (roll < 58) return selecting(calc);
    if (roll < 70) return "focus " + pick(focusable_);
    if (roll < 97) return "click " + pick(clickable_);
    if (roll < 99) return below(2) == 0 ? "locale comma" : "locale point";
    return "dump";
}

}  // namespace orlavex::soak
