#include "cli/man_roff.h"

#include <cctype>

namespace orlavex::cli {

namespace {

bool letter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool option_character(char c) {
    return std::islower(static_cast<unsigned char>(c)) != 0 ||
           std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-';
}

}  // namespace

std::string roff_text(std::string_view text) {
    std::string out;
    bool in_option = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char before = i > 0 ? text[i - 1] : ' ';
        const char after = i + 1 < text.size() ? text[i + 1] : ' ';
        if (!option_character(c)) in_option = false;
        if (c == '-' && after == '-' && !option_character(before)) in_option = true;
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && (in_option || !(letter(before) && letter(after)))) {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
    return out;
}

std::string roff_tag(std::string_view flag, std::string_view argument) {
    std::string tag = "\\fB" + roff_text(flag) + "\\fR";
    if (!argument.empty()) tag += " \\fI" + roff_text(argument) + "\\fR";
    return tag;
}

std::string roff_choice_tag(std::string_view flag, std::string_view names_with_bars) {
    std::string tag = "\\fB" + roff_text(flag) + "\\fR \\fB";
    for (char c : roff_text(names_with_bars))
        tag += c == '|' ? std::string("\\fR|\\fB") : std::string(1, c);
    return tag + "\\fR";
}

}  // namespace orlavex::cli
