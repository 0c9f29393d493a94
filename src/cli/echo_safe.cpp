#include "cli/echo_safe.h"

#include "app/texts.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace orlavex::cli {

namespace {

bool is_control(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// An argument a message must not echo as it is: a long one (but for the
// name of a file in an existing folder), or one with a control character among other text
// (one made of control characters only cannot be told apart from the
// message's own line breaks).
bool needs_clipping(std::string_view arg) {
    // A file name in an existing folder is named whole, so that the user can
    // find the file (or see why it is not there).
    if (std::ranges::none_of(arg, is_control) && arg.size() < 4096 &&
        arg.find('/') != std::string_view::npos) {
        std::error_code error;
        const std::filesystem::path path(arg);
        if (std::filesystem::is_directory(path.parent_path(), error)) return false;
    }
    if (app::character_count(arg) > echoed_characters) return true;
    return std::ranges::any_of(arg, is_control) && !std::ranges::all_of(arg, is_control);
}

}  // namespace

std::string clip_echoed_arguments(std::string_view text, std::span<const std::string> args) {
    // Longest first, so that an argument holding a shorter one is clipped whole.
    std::vector<std::string_view> long_args;
    for (const std::string& a : args)
        if (needs_clipping(a)) long_args.emplace_back(a);
    std::ranges::sort(long_args, std::ranges::greater{}, &std::string_view::size);
    std::string out(text);
    for (const std::string_view arg : long_args) {
        const std::string_view kept = app::first_characters(arg, echoed_characters);
        std::string shown = app::printable_text(kept);
        if (kept.size() < arg.size()) shown += "...";
        for (std::size_t at = out.find(arg); at != std::string::npos;
             at = out.find(arg, at + shown.size())) {
            out.replace(at, arg.size(), shown);
        }
    }
    return out;
}

}  // namespace orlavex::cli
