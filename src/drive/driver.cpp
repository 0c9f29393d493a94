#include "drive/driver.h"

#include "drive/json_dump.h"
#include "window/entry_fields.h"
#include "window/handlers.h"
#include "window/user_actions.h"

#include <charconv>
#include <istream>
#include <utility>
#include <vector>

namespace orlavex {

namespace {

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

// The text after the command word and one blank.
std::string_view rest_after(std::string_view line, std::string_view command) {
    std::string_view rest = line.substr(command.size());
    if (!rest.empty()) rest.remove_prefix(1);
    return rest;
}

bool parse_int(std::string_view s, int& value) {
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    return res.ec == std::errc() && res.ptr == s.data() + s.size();
}

struct NamedKey {
    std::string_view name;
    int code;
};

constexpr NamedKey named_keys[] = {
    {"PageUp", key::page_up},
    {"PageDown", key::page_down},
    {"Up", key::up},
    {"Down", key::down},
    {"Left", key::left},
    {"Right", key::right},
    {"Home", key::home},
    {"End", key::end},
    {"Enter", key::enter},
    {"Tab", key::tab},
    {"Backspace", key::backspace},
    {"Escape", key::escape},
};

std::string limited(std::string_view s) {
    constexpr std::size_t shown = 40;
    return s.size() <= shown ? std::string(s) : std::string(s.substr(0, shown)) + "...";
}

// Resolves NAME [INDEX] to a control; empty reason on success.
std::string resolve(const std::vector<std::string_view>& w, std::size_t at, Ctl& out) {
    if (w.size() <= at) return "missing control name";
    const std::string_view name = w[at];
    int index = -1;
    if (w.size() > at + 1) {
        if (!parse_int(w[at + 1], index) || index < 0) {
            return "bad index \"" + limited(w[at + 1]) + "\"";
        }
        if (w.size() > at + 2) return "too many arguments";
    }
    out = find_control(name, index);
    if (out != Ctl::none) return {};
    if (index < 0 && find_control(name, 0) != Ctl::none) {
        return std::string(name) + " is an indexed array: give an item index";
    }
    if (index >= 0 && find_control(name, -1) != Ctl::none) {
        return std::string(name) + " is not an indexed array";
    }
    if (index >= 0 && find_control(name, 0) != Ctl::none) {
        return std::string(name) + " has no item " + std::to_string(index);
    }
    return "unknown control \"" + limited(name) + "\"";
}

// The key code and modifiers of `key NAME [shift] [ctrl] [alt]`; empty
// reason on success.
std::string parse_key(const std::vector<std::string_view>& w, int& code, int& shift) {
    if (w.size() < 2) return "missing key name";
    code = -1;
    for (const NamedKey& k : named_keys) {
        if (k.name == w[1]) code = k.code;
    }
    // A letter or digit key is named by its capital or digit, which is
    // also its key code (Alt+T: key T alt).
    if (const char c = w[1].front();
        w[1].size() == 1 && ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
        code = c;
    }
    if (code < 0) return "unknown key \"" + limited(w[1]) + "\"";
    shift = 0;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "shift") {
            shift |= shift_mask;
        } else if (w[i] == "ctrl") {
            shift |= ctrl_mask;
        } else if (w[i] == "alt") {
            shift |= alt_mask;
        } else {
            return "unknown modifier \"" + limited(w[i]) + "\"";
        }
    }
    return {};
}

}  // namespace

Driver::Driver() : calc_(make_calculator()) {
    Form_Load(calc_);
}

std::string Driver::run_line(std::string_view line, std::ostream& out) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    const auto w = words(line);
    if (w.empty() || w[0].front() == '#') return {};
    const std::string_view command = w[0];

    if (command == "dump") {
        if (w.size() > 1) return "dump takes no arguments";
        out << dump_json(calc_) << '\n';
        calc_.form.popup = Ctl::none;
        calc_.form.opened.clear();
        return {};
    }
    if (command == "focus") {
        Ctl c = Ctl::none;
        if (std::string why = resolve(w, 1, c); !why.empty()) return why;
        return focus_control(calc_, c);
    }
    if (command == "click") {
        Ctl c = Ctl::none;
        if (std::string why = resolve(w, 1, c); !why.empty()) return why;
        return click_control(calc_, c);
    }
    if (command == "text") {
        if (w.size() < 2) return "missing control name";
        const std::string_view after = rest_after(line, command);
        const std::string_view name = after.substr(0, after.find(' '));
        const Ctl c = find_control(name);
        if (c == Ctl::none) return "unknown control \"" + limited(name) + "\"";
        const std::string_view text =
            name.size() < after.size() ? after.substr(name.size() + 1) : std::string_view{};
        return paste_text(calc_, c, text);
    }
    if (command == "type") {
        const std::string_view chars = rest_after(line, command);
        if (chars.empty()) return "missing characters to type";
        for (char ch : chars) {
            if (std::string why = type_character(calc_, ch); !why.empty()) return why;
        }
        return {};
    }
    if (command == "key") {
        int code = -1, shift = 0;
        if (std::string why = parse_key(w, code, shift); !why.empty()) return why;
        return press_key(calc_, code, shift);
    }
    if (command == "select") {
        int start = 0;
        int length = 0;
        if (w.size() != 3 || !parse_int(w[1], start) || !parse_int(w[2], length)) {
            return "select needs a start and a length";
        }
        return select_text(calc_, start, length);
    }
    if (command == "locale") {
        if (w.size() != 2) return "locale needs comma or point";
        if (w[1] == "comma") {
            calc_.form.decimal_separator = ',';
        } else if (w[1] == "point") {
            calc_.form.decimal_separator = '.';
        } else {
            return "locale needs comma or point";
        }
        return {};
    }
    return "unknown command \"" + limited(command) + "\"";
}

int Driver::run_script(std::istream& in, std::ostream& out, std::ostream& err) {
    int status = 0;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (std::string why = run_line(line, out); !why.empty()) {
            err << "orlavex-drive: line " << number << ": " << why << '\n';
            status = 2;
        }
    }
    return status;
}

}  // namespace orlavex
